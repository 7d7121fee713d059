#pragma once

#include <cstdint>

namespace engine {

// Results of ConversionJob::Run.
enum RunResult : int32_t {
    RESULT_OK = 0,
    RESULT_OPEN_FAILED = -1,  // an output document could not be created
    RESULT_NO_IMAGES = -2,    // the job holds no image path
    RESULT_NO_OUTPUT = -3,    // no output file (single mode) or folder (other modes)
    RESULT_PDF_ERROR = -4,    // the PDF writer failed while opening or finishing a document
    RESULT_INFO_FAILED = -5,  // the document information could not be written
    RESULT_CANCELLED = -7,    // the progress callback asked to stop
};

}  // namespace engine
