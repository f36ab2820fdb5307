#pragma once

#include "lcsdk/ui/widget.h"

namespace lcsdk::ui {

// A plain container filled with its "default_back_color"; scroll bars move one inside its viewport.
class GenericPanel : public widget {
public:
    GenericPanel();
    ~GenericPanel() override;

protected:
    virtual void draw();
};

} // namespace lcsdk::ui
