#pragma once

// IUnknown and IClassFactory. Interfaces are abstract classes of pure virtual functions without
// a virtual destructor, so their virtual tables have exactly the Windows layout and an object
// can cross a shared-library boundary as a pointer. Objects are destroyed by their last
// Release, never by delete from outside.

#include "com/guid.h"
#include "com/types.h"

namespace com {

inline constexpr IID IID_IUnknown = {
    0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID IID_IClassFactory = {
    0x00000001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

struct IUnknown {
    // Stores an AddRef'ed pointer to the requested interface in *object and returns S_OK, or
    // stores null and returns E_NOINTERFACE (E_POINTER for a null object).
    virtual HRESULT QueryInterface(const IID& iid, void** object) = 0;
    // Return the new reference count; the object goes away when Release reaches zero.
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
};

struct IClassFactory : IUnknown {
    // Creates an object of the factory's class and asks it for iid. outer is the controlling
    // object for aggregation, null otherwise.
    virtual HRESULT CreateInstance(IUnknown* outer, const IID& iid, void** object) = 0;
    // Keeps the module loaded while lock is TRUE (counted).
    virtual HRESULT LockServer(BOOL lock) = 0;
};

// Holds one reference to an interface and releases it when it goes away.
template <typename Interface>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    Interface* get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

    // Where an out parameter writes the pointer; releases the current one first.
    Interface** put() {
        reset();
        return &pointer_;
    }
    void** putVoid() { return reinterpret_cast<void**>(put()); }

    void reset() {
        if (pointer_) {
            pointer_->Release();
            pointer_ = nullptr;
        }
    }

private:
    Interface* pointer_ = nullptr;
};

}  // namespace com
