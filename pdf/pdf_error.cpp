#include "pdfwriter/pdf_writer.h"

namespace pdf {

PdfError::PdfError(std::string operation, int number, std::string message)
    : std::runtime_error(operation + ": " + message),
      operation_(std::move(operation)),
      number_(number),
      message_(std::move(message)) {}

}  // namespace pdf
