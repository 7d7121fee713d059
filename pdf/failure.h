#pragma once

// The writer's internal failure: an error number and a message, without the operation name.
// PdfWriter turns it into a PdfError naming the public operation that failed.

#include <stdexcept>
#include <string>

namespace pdf {

class Failure : public std::runtime_error {
public:
    Failure(int number, const std::string& message)
        : std::runtime_error(message), number_(number) {}
    int number() const { return number_; }

private:
    int number_;
};

[[noreturn]] inline void Fail(int number, const std::string& message) {
    throw Failure(number, message);
}

}  // namespace pdf
