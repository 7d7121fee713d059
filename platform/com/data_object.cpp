#include "com/data_object.h"

#include <atomic>
#include <new>

#include "com/drop_files.h"

namespace com {
namespace {

class DropDataObject final : public IDataObject {
public:
    explicit DropDataObject(std::vector<std::wstring> paths) : paths_(std::move(paths)) {}

    HRESULT QueryInterface(const IID& iid, void** object) override {
        if (!object) {
            return E_POINTER;
        }
        *object = nullptr;
        if (iid != IID_IUnknown && iid != IID_IDataObject) {
            return E_NOINTERFACE;
        }
        *object = static_cast<IDataObject*>(this);
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ++references_; }
    ULONG Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    HRESULT GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (!format || !medium) {
            return E_INVALIDARG;
        }
        if (const HRESULT offered = QueryGetData(format); offered != S_OK) {
            return offered;
        }
        HDROP drop = CreateDropList(paths_);
        if (!drop) {
            return E_OUTOFMEMORY;
        }
        *medium = STGMEDIUM{TYMED_HGLOBAL, drop, nullptr};
        return S_OK;
    }
    HRESULT QueryGetData(FORMATETC* format) override {
        if (!format || format->cfFormat != CF_HDROP || format->dwAspect != DVASPECT_CONTENT) {
            return DV_E_FORMATETC;
        }
        return (format->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_TYMED;
    }

    HRESULT GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    HRESULT SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    HRESULT DUnadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

private:
    ~DropDataObject() = default;

    std::atomic<ULONG> references_{1};
    std::vector<std::wstring> paths_;
};

}  // namespace

void ReleaseStgMedium(STGMEDIUM* medium) {
    if (!medium) {
        return;
    }
    if (medium->pUnkForRelease) {
        medium->pUnkForRelease->Release();
    } else if (medium->tymed == TYMED_HGLOBAL) {
        GlobalFree(medium->hGlobal);
    }
    *medium = STGMEDIUM{0, nullptr, nullptr};
}

IDataObject* CreateDropDataObject(std::vector<std::wstring> paths) {
    return new (std::nothrow) DropDataObject(std::move(paths));
}

}  // namespace com
