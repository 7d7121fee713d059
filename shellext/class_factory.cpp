#include "class_factory.h"

#include <atomic>
#include <new>

#include "module.h"
#include "pmenu_item.h"

namespace shellext {
namespace {

class PMenuItemFactory final : public com::IClassFactory {
public:
    PMenuItemFactory() { AddModuleReference(); }

    com::HRESULT QueryInterface(const com::IID& iid, void** object) override {
        if (!object) {
            return com::E_POINTER;
        }
        *object = nullptr;
        if (iid != com::IID_IUnknown && iid != com::IID_IClassFactory) {
            return com::E_NOINTERFACE;
        }
        *object = static_cast<com::IClassFactory*>(this);
        AddRef();
        return com::S_OK;
    }
    com::ULONG AddRef() override { return ++references_; }
    com::ULONG Release() override {
        const com::ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    com::HRESULT CreateInstance(com::IUnknown* outer, const com::IID& iid, void** object) override {
        if (!object) {
            return com::E_POINTER;
        }
        *object = nullptr;
        if (outer) {
            return com::CLASS_E_NOAGGREGATION;
        }
        auto* item = new (std::nothrow) CPMenuItem;
        if (!item) {
            return com::E_OUTOFMEMORY;
        }
        const com::HRESULT result = item->QueryInterface(iid, object);
        item->Release();
        return result;
    }
    com::HRESULT LockServer(com::BOOL lock) override {
        if (lock) {
            AddModuleReference();
        } else {
            ReleaseModuleReference();
        }
        return com::S_OK;
    }

private:
    ~PMenuItemFactory() { ReleaseModuleReference(); }

    std::atomic<com::ULONG> references_{1};
};

}  // namespace

com::HRESULT GetPMenuItemFactory(const com::IID& iid, void** object) {
    auto* factory = new (std::nothrow) PMenuItemFactory;
    if (!factory) {
        return com::E_OUTOFMEMORY;
    }
    const com::HRESULT result = factory->QueryInterface(iid, object);
    factory->Release();
    return result;
}

}  // namespace shellext
