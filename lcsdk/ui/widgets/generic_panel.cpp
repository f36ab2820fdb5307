#include "lcsdk/ui/widgets/generic_panel.h"

#include "lcsdk/ui/widgets/widget_drawing.h"

#include <functional>

namespace lcsdk::ui {

GenericPanel::GenericPanel() { add_handler(this, this, paint_event, std::bind(&GenericPanel::draw, this)); }

GenericPanel::~GenericPanel() = default;

void GenericPanel::draw()
{
    native_drawer* drawer = widget_drawing::drawer_of(*this);
    if (drawer == nullptr)
        return;
    drawer->set_fill_color(get_color(theme, "default_back_color"));
    drawer->fill_rect({{0, 0}, size});
}

} // namespace lcsdk::ui
