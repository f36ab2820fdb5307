// Markup text layouts on DirectWrite: the Windows half of the markup text and the drawer's draw_html.

#include "lcsdk/ui/markup_layout.h"
#include "lcsdk/ui/native_drawer.h"
#include "lcsdk/ui/native_platform.h"
#include "lcsdk/ui/win32/native_drawer_impl.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lcsdk::ui {

namespace {

using namespace win32;

DWRITE_TEXT_RANGE to_dwrite(text_range range) { return {range.start, range.length}; }

class dwrite_markup_layout final : public markup_layout {
public:
    explicit dwrite_markup_layout(IDWriteTextLayoutPtr text_layout) : layout_(std::move(text_layout)) {}

    // Results are ignored: a value DirectWrite rejects leaves the range as it was.
    void set_bold(text_range range) override { layout_->SetFontWeight(DWRITE_FONT_WEIGHT_BOLD, to_dwrite(range)); }
    void set_underline(text_range range) override { layout_->SetUnderline(TRUE, to_dwrite(range)); }

    void set_font_family(text_range range, std::u16string_view family) override
    {
        const std::wstring name(family.begin(), family.end());
        layout_->SetFontFamilyName(name.c_str(), to_dwrite(range));
    }

    void set_font_size(text_range range, float size) override { layout_->SetFontSize(size, to_dwrite(range)); }

    // Colours become brushes of the render target that draws the layout, so they are kept and
    // turned into brushes when it is drawn: a render target made again after a lost device cannot
    // draw with the brushes of the one before.
    void set_color(text_range range, color4f color) override
    {
        colors_.push_back({range, D2D1_COLOR_F{color.r, color.g, color.b, color.a}});
        brushes_generation_.reset();
    }

    // The layout with a brush of the drawer's render target on every coloured range.
    IDWriteTextLayout* prepare(native_drawer::impl& drawer)
    {
        if (brushes_generation_ != drawer.device_generation) {
            // A brush per coloured range: ranges sharing one brush would all take the last colour set on it.
            for (const auto& [range, color] : colors_) {
                ID2D1SolidColorBrushPtr brush;
                if (SUCCEEDED(drawer.render_target->CreateSolidColorBrush(color, &brush)))
                    layout_->SetDrawingEffect(brush, to_dwrite(range));
            }
            brushes_generation_ = drawer.device_generation;
        }
        return layout_.GetInterfacePtr();
    }

private:
    struct colored_range {
        text_range range;
        D2D1_COLOR_F color;
    };

    IDWriteTextLayoutPtr layout_;
    std::vector<colored_range> colors_;
    std::optional<std::uint32_t> brushes_generation_;
};

// Layouts start from the drawer's default text format, which carries the alignment last set.
class dwrite_markup_factory final : public markup_layout_factory {
public:
    explicit dwrite_markup_factory(native_drawer::impl& drawer) : drawer_(drawer) {}

    std::unique_ptr<markup_layout> create_layout(std::u16string_view text, float max_width, float max_height) override
    {
        if (!drawer_.write_factory || !drawer_.text_format)
            return nullptr;
        IDWriteTextLayoutPtr layout;
        const HRESULT result = drawer_.write_factory->CreateTextLayout(
            reinterpret_cast<const WCHAR*>(text.data()), static_cast<UINT32>(text.size()), drawer_.text_format,
            max_width, max_height, &layout);
        if (FAILED(result) || !layout)
            return nullptr;
        return std::make_unique<dwrite_markup_layout>(std::move(layout));
    }

private:
    native_drawer::impl& drawer_;
};

} // namespace

std::unique_ptr<markup_layout_factory> make_markup_factory(native_drawer& drawer)
{
    return std::make_unique<dwrite_markup_factory>(drawer.get_impl());
}

// Runs without a colour of their own are drawn with the markup text brush.
void native_drawer::draw_html(markup_layout& layout, vec2i position)
{
    auto& d = *impl_;
    auto& dwrite = dynamic_cast<dwrite_markup_layout&>(layout);
    d.render_target->DrawTextLayout(D2D1_POINT_2F{static_cast<float>(position.x), static_cast<float>(position.y)},
                                    dwrite.prepare(d), d.markup_text_brush, D2D1_DRAW_TEXT_OPTIONS_NONE);
}

} // namespace lcsdk::ui
