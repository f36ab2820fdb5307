#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <utility>

// The layer's own COM objects: a reference count whose last Release ends the object, a smart
// pointer that owns one reference, and the one way to make such an object.
namespace lcsdk::ui::win32 {

// Owns one reference to a COM object (any class with AddRef and Release).
template <class T>
class com_ref {
public:
    com_ref() = default;
    // Takes over a reference the caller already owns.
    static com_ref adopt(T* owned)
    {
        com_ref ref;
        ref.object_ = owned;
        return ref;
    }
    com_ref(const com_ref& other) : object_(other.object_)
    {
        if (object_)
            object_->AddRef();
    }
    com_ref(com_ref&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    com_ref& operator=(com_ref other) noexcept
    {
        std::swap(object_, other.object_);
        return *this;
    }
    ~com_ref()
    {
        if (object_)
            object_->Release();
    }

    T* get() const { return object_; }
    T* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }
    // Gives the reference away, to COM through an out parameter: the receiver releases it.
    T* detach() { return std::exchange(object_, nullptr); }

private:
    T* object_ = nullptr;
};

// Base of an object whose life COM's reference count decides. `Derived` implements its interfaces'
// AddRef and Release with add_ref and release.
template <class Derived>
class com_counted {
protected:
    com_counted() = default;
    ~com_counted() = default;

    ULONG add_ref() { return ++references_; }
    ULONG release()
    {
        const ULONG left = --references_;
        // The last reference ends the object, which make_com_object made with make_unique.
        if (left == 0)
            std::unique_ptr<Derived>{static_cast<Derived*>(this)};
        return left;
    }

private:
    // Clients call from any thread.
    std::atomic<ULONG> references_{1};
};

// Makes an object whose first reference the returned pointer owns. From then on only the count
// decides when it ends: ownership passes from the unique_ptr to that reference here, on purpose.
template <class T, class... Arguments>
com_ref<T> make_com_object(Arguments&&... arguments)
{
    return com_ref<T>::adopt(std::make_unique<T>(std::forward<Arguments>(arguments)...).release());
}

} // namespace lcsdk::ui::win32
