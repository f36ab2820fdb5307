#pragma once

#import <Foundation/Foundation.h>

namespace lcsdk::ui::cocoa {

// Holds one reference to an Objective-C object (manual retain/release) and gives it back when it
// goes or is reset, so every Cocoa object a C++ object keeps is released on every path.
template <typename T>
class owned {
public:
    owned() = default;
    // Takes over a reference the caller holds: from alloc/init, copy, new or retain.
    explicit owned(T* adopted) : object_(adopted) {}
    ~owned() { [object_ release]; }
    owned(const owned&) = delete;
    owned& operator=(const owned&) = delete;
    owned(owned&& other) noexcept : object_(other.release()) {}
    owned& operator=(owned&& other) noexcept
    {
        reset(other.release());
        return *this;
    }

    // A new reference to an object someone else holds (an autoreleased one, say).
    static owned retained(T* object) { return owned([object retain]); }

    void reset(T* adopted = nil)
    {
        T* old = object_;
        object_ = adopted;
        [old release];
    }
    T* release()
    {
        T* object = object_;
        object_ = nil;
        return object;
    }
    T* get() const { return object_; }
    explicit operator bool() const { return object_ != nil; }

private:
    T* object_ = nil;
};

} // namespace lcsdk::ui::cocoa
