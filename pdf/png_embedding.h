#pragma once

// PNG files whose compressed data PDF can carry unchanged: the IDAT data becomes a Flate
// stream with the PNG predictor (ISO 32000-1, 7.4.4.4), the palette an Indexed colour space and
// tRNS a colour-key mask (8.9.6.4).

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "object_writer.h"

namespace pdf {

// How a PNG's data is copied: the image dictionary's entries, the IDAT chunks' data in order
// (pointing into the file's bytes) and the shape of the inflated rows.
struct PngPassThrough {
    std::string entries;
    std::vector<std::span<const uint8_t>> data;
    uint64_t dataSize = 0;
    uint64_t rows = 0;
    uint64_t rowBytes = 0;  // without the filter byte
};

// The plan for copying the file's data, read from its chunks without looking at the data;
// nullopt when the file is not a PNG that can pass through: interlaced, deeper than 8 bits,
// with an alpha channel, with a palette transparency that is not one run of fully transparent
// entries, or with a broken chunk structure. Pure; any thread.
std::optional<PngPassThrough> PlanPngPassThrough(std::span<const uint8_t> bytes);

// True when every chunk's CRC is right and the data inflates to exactly the rows the plan
// says. Pure; any thread.
bool PngIsSound(std::span<const uint8_t> bytes, const PngPassThrough& plan);

// Writes the image XObject and returns its object number, or nullopt when the file cannot pass
// through (see PlanPngPassThrough) or is not sound. Bytes of a living ProvenPng are not proved
// again. Nothing is written on nullopt.
std::optional<uint32_t> WritePngPassThrough(ObjectWriter& writer, std::span<const uint8_t> bytes);

}  // namespace pdf
