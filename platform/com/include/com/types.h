#pragma once

// Scalar types and result codes of the COM ABI, with the sizes of the 64-bit Windows ABI.

#include <cstdint>

namespace com {

using BOOL = std::int32_t;
using UINT = std::uint32_t;
using ULONG = std::uint32_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using UINT_PTR = std::uintptr_t;
using ULONG_PTR = std::uintptr_t;
using HRESULT = std::int32_t;
using CHAR = char;
using WCHAR = wchar_t;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

constexpr HRESULT MakeHResult(std::uint32_t code) {
    return static_cast<HRESULT>(code);
}

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = MakeHResult(0x80004001);
constexpr HRESULT E_NOINTERFACE = MakeHResult(0x80004002);
constexpr HRESULT E_POINTER = MakeHResult(0x80004003);
constexpr HRESULT E_FAIL = MakeHResult(0x80004005);
constexpr HRESULT E_UNEXPECTED = MakeHResult(0x8000FFFF);
constexpr HRESULT E_ACCESSDENIED = MakeHResult(0x80070005);
constexpr HRESULT E_OUTOFMEMORY = MakeHResult(0x8007000E);
constexpr HRESULT E_INVALIDARG = MakeHResult(0x80070057);
constexpr HRESULT DV_E_FORMATETC = MakeHResult(0x80040064);
constexpr HRESULT DV_E_TYMED = MakeHResult(0x80040069);
constexpr HRESULT CLASS_E_NOAGGREGATION = MakeHResult(0x80040110);
constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = MakeHResult(0x80040111);
constexpr HRESULT SELFREG_E_TYPELIB = MakeHResult(0x80040200);
constexpr HRESULT SELFREG_E_CLASS = MakeHResult(0x80040201);

constexpr bool SUCCEEDED(HRESULT result) {
    return result >= 0;
}
constexpr bool FAILED(HRESULT result) {
    return result < 0;
}

// A system error code (ERROR_FILE_NOT_FOUND = 2 and so on) as an HRESULT of facility 7.
constexpr HRESULT HResultFromWin32(std::uint32_t error) {
    return error == 0 ? S_OK : MakeHResult((error & 0xFFFFu) | 0x80070000u);
}

// Success with a count in the code field, as QueryContextMenu reports the items it added.
constexpr HRESULT MakeSuccess(std::uint16_t code) {
    return static_cast<HRESULT>(code);
}

constexpr std::uint32_t HResultCode(HRESULT result) {
    return static_cast<std::uint32_t>(result) & 0xFFFFu;
}

}  // namespace com
