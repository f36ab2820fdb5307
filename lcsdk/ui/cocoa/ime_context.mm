#include "lcsdk/ui/ime_context.h"

namespace lcsdk::ui {

// Text input arrives composed through insertText: on macOS; nothing composes in the toolkit, so the
// state stays as cleared at creation.
struct ime_context::impl {};

ime_context::ime_context(native_window& /*target*/) : impl_(std::make_unique<impl>()) {}

ime_context::~ime_context() = default;

} // namespace lcsdk::ui
