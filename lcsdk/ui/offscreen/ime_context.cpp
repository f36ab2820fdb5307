#include "lcsdk/ui/ime_context.h"

namespace lcsdk::ui {

// Nothing composes offscreen: the state stays as cleared at creation.
struct ime_context::impl {};

ime_context::ime_context(native_window& /*target*/) : impl_(std::make_unique<impl>()) {}

ime_context::~ime_context() = default;

} // namespace lcsdk::ui
