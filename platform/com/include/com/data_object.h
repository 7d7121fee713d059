#pragma once

// IDataObject with the Windows layout, and a data object that offers a drop list (CF_HDROP),
// the way a file manager hands its selection to a context-menu handler.

#include <string>
#include <vector>

#include "com/global_memory.h"
#include "com/unknown.h"

namespace com {

inline constexpr IID IID_IDataObject = {
    0x0000010E, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

using CLIPFORMAT = std::uint16_t;
constexpr CLIPFORMAT CF_HDROP = 15;
constexpr DWORD DVASPECT_CONTENT = 1;
constexpr DWORD TYMED_HGLOBAL = 1;

// Interfaces the layout names but nothing here implements.
struct DVTARGETDEVICE;
struct IEnumFORMATETC;
struct IAdviseSink;
struct IEnumSTATDATA;

struct FORMATETC {
    CLIPFORMAT cfFormat;
    DVTARGETDEVICE* ptd;
    DWORD dwAspect;
    LONG lindex;
    DWORD tymed;
};

struct STGMEDIUM {
    DWORD tymed;
    HGLOBAL hGlobal;
    IUnknown* pUnkForRelease;  // when not null, releasing the medium releases this instead
};

struct IDataObject : IUnknown {
    virtual HRESULT GetData(FORMATETC* format, STGMEDIUM* medium) = 0;
    virtual HRESULT GetDataHere(FORMATETC* format, STGMEDIUM* medium) = 0;
    virtual HRESULT QueryGetData(FORMATETC* format) = 0;
    virtual HRESULT GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) = 0;
    virtual HRESULT SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) = 0;
    virtual HRESULT EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) = 0;
    virtual HRESULT DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink,
                            DWORD* connection) = 0;
    virtual HRESULT DUnadvise(DWORD connection) = 0;
    virtual HRESULT EnumDAdvise(IEnumSTATDATA** advises) = 0;
};

// Frees what a storage medium holds: releases pUnkForRelease when set, else frees the global
// memory. Leaves the medium empty.
void ReleaseStgMedium(STGMEDIUM* medium);

// A data object (reference count 1) whose GetData answers CF_HDROP in global memory with a
// fresh drop list of paths in order, which the caller then owns. Other formats and media give
// DV_E_FORMATETC or DV_E_TYMED; the remaining methods give E_NOTIMPL. Null when memory runs
// out. Use from one thread.
IDataObject* CreateDropDataObject(std::vector<std::wstring> paths);

}  // namespace com
