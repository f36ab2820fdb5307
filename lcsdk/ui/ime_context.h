#pragma once

#include "lcsdk/ui/geometry.h"

#include <cstdint>
#include <memory>
#include <string>

namespace lcsdk::ui {

class native_window;

// Input-method composition state of one window, read by text-editing widgets on event 31.
class ime_context {
public:
    explicit ime_context(native_window& target);
    ~ime_context();
    ime_context(const ime_context&) = delete;
    ime_context& operator=(const ime_context&) = delete;

    std::u16string composition;
    bool composing = false;
    bool target_clause = false;
    std::uint16_t language = 0;
    bool input_method_active = false;
    rect_i caret;
    std::uint64_t recorded_key = 0;
    std::uint64_t recorded_char = 0;
    int cursor = 0;

    struct impl;
    impl& get_impl() { return *impl_; }

private:
    std::unique_ptr<impl> impl_;
};

} // namespace lcsdk::ui
