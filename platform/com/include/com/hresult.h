#pragma once

// Result codes from system errors and in words, for hosts that report failures to people.

#include <string>

#include "com/types.h"

namespace com {

// The HRESULT for an errno value: file not found, access denied, file exists, argument list
// too long and out of memory map to their system-error codes, anything else to E_FAIL.
HRESULT HResultFromErrno(int error);

// A short English description of a result code, e.g. "0x80070002 (file not found)". Codes
// this ABI does not know are shown in hexadecimal alone.
std::string DescribeHResult(HRESULT result);

}  // namespace com
