// A stand-in for folioforge that records how it was called: writes each argument after its own
// name, each followed by a NUL byte, to the file named by $FOLIOFORGE_RECORD_FILE, whole or not
// at all (temporary file, then rename).

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    const char* target = std::getenv("FOLIOFORGE_RECORD_FILE");
    if (!target) {
        return 2;
    }
    const std::string temporary = std::string(target) + ".partial";
    std::FILE* out = std::fopen(temporary.c_str(), "wb");
    if (!out) {
        return 3;
    }
    for (int i = 1; i < argc; ++i) {
        std::fputs(argv[i], out);
        std::fputc('\0', out);
    }
    const bool written = std::fclose(out) == 0;
    return written && std::rename(temporary.c_str(), target) == 0 ? 0 : 4;
}
