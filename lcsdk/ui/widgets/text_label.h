#pragma once

#include "lcsdk/ui/widget.h"

#include <string>

namespace lcsdk::ui {

class markup_text;

// Read-only text drawn with the label_ styles of its theme, greyed when disabled, optionally sized
// to its text. In markup mode it draws a markup text object instead.
class TextLabel : public widget {
public:
    TextLabel();
    ~TextLabel() override;

    void set_text(std::string new_text, bool fit_width = false, bool fit_height = false);
    // Resizes the label to its measured text along the axes whose fit flag is set.
    void fit_to_text();
    // The size the text needs in its font and alignment within `limit` (0: no limit in that
    // direction), as the drawer measures it; (0, 0) for an empty text or a label in no window.
    vec2i measure(vec2i limit);
    // Draws `content` (not owned; null leaves markup mode) instead of the plain text.
    void set_markup(markup_text* content);

    std::string text;
    markup_text* markup = nullptr;
    bool markup_mode = false;
    bool auto_width = false;
    bool auto_height = false;

private:
    void draw();
    void on_style_changed();
    void on_describe(const event_info& info);
};

} // namespace lcsdk::ui
