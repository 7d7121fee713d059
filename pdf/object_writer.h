#pragma once

// Writes numbered objects and streams as they are made (ISO 32000-1, 7.5) and, at the end, the
// cross-reference table and trailer. Only the byte offset of each object stays in memory.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "output_file.h"

namespace pdf {

class ObjectWriter {
public:
    // Writes the file header.
    explicit ObjectWriter(OutputFile& file);

    // Reserves an object number to be written later (or never: see Finish).
    uint32_t Allocate();
    // Writes "id 0 obj body endobj".
    void WriteObject(uint32_t id, std::string_view body);
    uint32_t AddObject(std::string_view body);

    // Starts a stream object. entries are the dictionary's entries other than /Length; when the
    // length is not known ahead it is written as an indirect object after the data.
    void BeginStream(uint32_t id, std::string_view entries, std::optional<uint64_t> length);
    void WriteStreamData(const void* data, size_t size);
    // Throws Failure when a length given ahead does not match the data.
    void EndStream();

    // Writes objects reserved but never written as null, then the cross-reference table and the
    // trailer. trailerEntries are /Root, /Info and /ID.
    void Finish(std::string_view trailerEntries);

private:
    void MarkOffset(uint32_t id);

    struct OpenStream {
        uint64_t dataStart = 0;
        std::optional<uint64_t> length;
        uint32_t lengthId = 0;
    };

    OutputFile& file_;
    std::vector<uint64_t> offsets_;  // index = object number - 1; 0 = not yet written
    std::optional<OpenStream> stream_;
};

}  // namespace pdf
