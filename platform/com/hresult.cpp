#include "com/hresult.h"

#include <cerrno>
#include <cstdio>

namespace com {
namespace {

constexpr std::uint32_t kErrorFileNotFound = 2;
constexpr std::uint32_t kErrorAccessDenied = 5;
constexpr std::uint32_t kErrorFileExists = 80;
constexpr std::uint32_t kErrorFilenameTooLong = 206;

const char* KnownMeaning(HRESULT result) {
    switch (result) {
        case S_OK:
            return "success";
        case S_FALSE:
            return "false";
        case E_NOTIMPL:
            return "not implemented";
        case E_NOINTERFACE:
            return "interface not supported";
        case E_POINTER:
            return "null pointer";
        case E_FAIL:
            return "unspecified failure";
        case E_UNEXPECTED:
            return "unexpected failure";
        case E_ACCESSDENIED:
            return "access denied";
        case E_OUTOFMEMORY:
            return "out of memory";
        case E_INVALIDARG:
            return "invalid argument";
        case DV_E_FORMATETC:
            return "data format not offered";
        case DV_E_TYMED:
            return "storage medium not offered";
        case CLASS_E_NOAGGREGATION:
            return "class cannot be aggregated";
        case CLASS_E_CLASSNOTAVAILABLE:
            return "class not available from this module";
        case SELFREG_E_TYPELIB:
            return "type library could not be registered";
        case SELFREG_E_CLASS:
            return "class could not be registered";
        case HResultFromWin32(kErrorFileNotFound):
            return "file not found";
        case HResultFromWin32(kErrorFileExists):
            return "file exists";
        case HResultFromWin32(kErrorFilenameTooLong):
            return "argument list too long";
        default:
            return nullptr;
    }
}

}  // namespace

HRESULT HResultFromErrno(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return HResultFromWin32(kErrorFileNotFound);
        case EACCES:
        case EPERM:
        case EROFS:
            return E_ACCESSDENIED;
        case EEXIST:
            return HResultFromWin32(kErrorFileExists);
        case E2BIG:
            return HResultFromWin32(kErrorFilenameTooLong);
        case ENOMEM:
            return E_OUTOFMEMORY;
        default:
            return E_FAIL;
    }
}

std::string DescribeHResult(HRESULT result) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(result));
    const char* meaning = KnownMeaning(result);
    return meaning ? std::string(hex) + " (" + meaning + ")" : std::string(hex);
}

}  // namespace com
