#include "jpeg_walk.h"

#include <cstring>

namespace pdf {
namespace {

constexpr uint8_t kStartOfImage = 0xD8;
constexpr uint8_t kEndOfImage = 0xD9;
constexpr uint8_t kStartOfScan = 0xDA;
constexpr uint8_t kHuffmanTables = 0xC4;
constexpr uint8_t kQuantTables = 0xDB;
constexpr uint8_t kRestartInterval = 0xDD;
constexpr uint8_t kArithmeticConditioning = 0xCC;

bool IsStartOfFrame(uint8_t code) {
    return code >= 0xC0 && code <= 0xCF && code != kHuffmanTables && code != 0xC8 &&
           code != kArithmeticConditioning;
}

bool IsRestart(uint8_t code) {
    return code >= 0xD0 && code <= 0xD7;
}

class Walker {
public:
    explicit Walker(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    JpegWalk Run() {
        if (bytes_.size() < 4 || bytes_[0] != 0xFF || bytes_[1] != kStartOfImage) {
            return Failed("no start-of-image marker");
        }
        pos_ = 2;
        while (walk_.problem.empty()) {
            if (!NextSegment()) {
                break;
            }
        }
        walk_.walked = walk_.problem.empty();
        return walk_;
    }

private:
    JpegWalk Failed(const std::string& problem) {
        walk_.problem = problem;
        return walk_;
    }

    void Fail(const std::string& problem) {
        if (walk_.problem.empty()) {
            walk_.problem = problem;
        }
    }

    size_t Word(size_t at) const { return bytes_[at] << 8 | bytes_[at + 1]; }

    // Reads the marker at pos_ and its segment; false when the walk is over.
    bool NextSegment() {
        if (pos_ + 1 >= bytes_.size() || bytes_[pos_] != 0xFF) {
            Fail("a marker was expected where the data goes on otherwise");
            return false;
        }
        while (pos_ + 1 < bytes_.size() && bytes_[pos_ + 1] == 0xFF) {
            ++pos_;  // fill bytes before a marker
        }
        const uint8_t code = pos_ + 1 < bytes_.size() ? bytes_[pos_ + 1] : 0;
        if (code == kEndOfImage) {
            walk_.end = pos_ + 2;
            CheckComplete();
            return false;
        }
        if (code == 0x00 || code == kStartOfImage || IsRestart(code) || code == 0x01) {
            Fail("a marker that cannot stand here");
            return false;
        }
        if (pos_ + 4 > bytes_.size()) {
            Fail("the file ends inside a marker");
            return false;
        }
        const size_t length = Word(pos_ + 2);
        const size_t body = pos_ + 4;
        if (length < 2 || body + length - 2 > bytes_.size()) {
            Fail("a marker segment runs past the end of the file");
            return false;
        }
        pos_ = body + length - 2;
        CheckSegment(code, std::span(bytes_).subspan(body, length - 2));
        return walk_.problem.empty() && (code != kStartOfScan || FollowScanData());
    }

    void CheckComplete() {
        if (!frameSeen_ || !scanSeen_) {
            Fail("no frame or no scan before the end marker");
        }
    }

    void CheckSegment(uint8_t code, std::span<const uint8_t> body) {
        if (IsStartOfFrame(code)) {
            CheckFrame(code, body);
        } else if (code == kStartOfScan) {
            CheckScan(body);
        } else if (code == kHuffmanTables) {
            CheckHuffmanTables(body);
        } else if (code == kQuantTables) {
            CheckQuantTables(body);
        } else if (code == kRestartInterval && body.size() != 2) {
            Fail("a restart interval of the wrong length");
        }
    }

    void CheckFrame(uint8_t code, std::span<const uint8_t> body) {
        if (frameSeen_) {
            Fail("more than one frame");
            return;
        }
        frameSeen_ = true;
        if (body.size() < 6 || body.size() != 6 + 3 * size_t{body[5]} || body[5] == 0) {
            Fail("a frame header of the wrong length");
            return;
        }
        const bool huffman = code == 0xC0 || code == 0xC2;
        walk_.huffman8Bit = huffman && body[0] == 8;
    }

    void CheckScan(std::span<const uint8_t> body) {
        if (!frameSeen_) {
            Fail("a scan before the frame");
            return;
        }
        if (body.empty() || body[0] == 0 || body.size() != 4 + 2 * size_t{body[0]}) {
            Fail("a scan header of the wrong length");
        }
        scanSeen_ = true;
    }

    void CheckHuffmanTables(std::span<const uint8_t> body) {
        size_t at = 0;
        while (at < body.size()) {
            if (at + 17 > body.size()) {
                Fail("a Huffman table of the wrong length");
                return;
            }
            size_t codes = 0;
            for (size_t i = 1; i <= 16; ++i) {
                codes += body[at + i];
            }
            at += 17 + codes;
        }
        if (at != body.size()) {
            Fail("a Huffman table of the wrong length");
        }
    }

    void CheckQuantTables(std::span<const uint8_t> body) {
        size_t at = 0;
        while (at < body.size()) {
            at += 1 + ((body[at] >> 4) == 0 ? 64 : 128);
        }
        if (at != body.size()) {
            Fail("a quantisation table of the wrong length");
        }
    }

    // Follows the entropy-coded data after a scan header to the marker that ends it. A file
    // that stops inside it ends the walk there, without its end marker.
    bool FollowScanData() {
        while (pos_ < bytes_.size()) {
            if (bytes_[pos_] != 0xFF) {
                pos_ = NextFF(pos_);  // most bytes are data: skip them all at once
                continue;
            }
            if (pos_ + 1 >= bytes_.size()) {
                break;
            }
            const uint8_t next = bytes_[pos_ + 1];
            if (next == 0x00 || IsRestart(next)) {
                pos_ += 2;
            } else if (next == 0xFF) {
                ++pos_;
            } else {
                return true;
            }
        }
        walk_.end = bytes_.size();
        walk_.endMarkerMissing = true;
        return false;
    }

    // The position of the next 0xFF byte from at, or the end of the bytes.
    size_t NextFF(size_t at) const {
        const void* found = std::memchr(bytes_.data() + at, 0xFF, bytes_.size() - at);
        return found ? static_cast<size_t>(static_cast<const uint8_t*>(found) - bytes_.data())
                     : bytes_.size();
    }

    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
    bool frameSeen_ = false;
    bool scanSeen_ = false;
    JpegWalk walk_;
};

}  // namespace

JpegWalk WalkJpeg(std::span<const uint8_t> bytes) {
    return Walker(bytes).Run();
}

}  // namespace pdf
