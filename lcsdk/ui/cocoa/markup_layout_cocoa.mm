#include "lcsdk/ui/markup_layout.h"
#include "lcsdk/ui/native_platform.h"

namespace lcsdk::ui {

// The macOS drawer draws no markup (its draw_html refuses), so there is no layout engine to offer.
std::unique_ptr<markup_layout_factory> make_markup_factory(native_drawer& /*drawer*/) { return nullptr; }

} // namespace lcsdk::ui
