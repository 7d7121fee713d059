// Writes a small seed corpus for the fuzzers: one folder per format, a handful of files each,
// built by the same helpers the imaging tests use.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>

#include "sample_files.h"

namespace {

using imaging::ColorSpace;
using samples::File;
using samples::Pattern;

std::map<std::string, std::vector<File>> Seeds() {
    imaging::Bitmap rgb = Pattern(20, 12, ColorSpace::kRgb);
    imaging::Bitmap indexed = Pattern(20, 12, ColorSpace::kIndexed, 4);
    imaging::Bitmap palette8 = Pattern(20, 12, ColorSpace::kIndexed, 8);
    imaging::Bitmap alpha = rgb;
    samples::AddAlpha(alpha);
    return {
        {"jpeg",
         {samples::MakeJpeg(rgb), samples::MakeJpeg(rgb, {.progressive = true}),
          samples::MakeJpeg(Pattern(20, 12, ColorSpace::kCmyk))}},
        {"png",
         {samples::MakePng(alpha, {.interlaced = true}),
          samples::MakePng(indexed, {.transparentIndexFrom = 3})}},
        {"gif", {samples::MakeGif(palette8, {.interlace = true, .transparentIndex = 2})}},
        {"bmp",
         {samples::MakeBmp(rgb), samples::MakeBmp(palette8, {.rle = true}),
          samples::MakeBmp(indexed, {.rle = true})}},
        {"tiff",
         {samples::MakeTiff(alpha, {.compression = 5}),
          samples::MakeTiff(Pattern(40, 20, ColorSpace::kGray, 1),
                            {.compression = 4, .tiled = true})}},
        {"mng", {samples::MakeMng({alpha, rgb})}},
        {"raw", {samples::MakeDng(rgb)}},
        {"jbig",
         {samples::MakeJbig(Pattern(40, 20, ColorSpace::kGray, 1)),
          samples::MakeJbig(Pattern(20, 12, ColorSpace::kGray))}},
    };
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: fuzz_seed_corpus <folder>\n";
        return 2;
    }
    std::filesystem::path root = argv[1];
    std::map<std::string, std::vector<File>> seeds = Seeds();
    for (const auto& [format, files] : seeds) {
        std::filesystem::create_directories(root / format);
        std::filesystem::create_directories(root / "pipeline");
        std::filesystem::create_directories(root / "passthrough");
        for (size_t i = 0; i < files.size(); ++i) {
            for (const char* folder : {format.c_str(), "pipeline", "passthrough"}) {
                std::ofstream out(root / folder / (format + std::to_string(i)), std::ios::binary);
                out.write(reinterpret_cast<const char*>(files[i].data()),
                          static_cast<std::streamsize>(files[i].size()));
            }
        }
    }
    return 0;
}
