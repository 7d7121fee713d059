#include "sample_images.h"

#include "pdf_tools.h"

namespace testsupport {

bool MakeImage(const std::filesystem::path& file, const std::string& arguments) {
    return RunTool("convert " + arguments + " " + Quoted(file)).status == 0;
}

}  // namespace testsupport
