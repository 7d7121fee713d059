#pragma once

#include <cstdint>
#include <filesystem>

// A black 24-bit BMP of width x height pixels at 300 DPI, written directly (tests need
// thousands of small images quickly).
void WriteBmp(const std::filesystem::path& file, uint32_t width, uint32_t height = 1);
