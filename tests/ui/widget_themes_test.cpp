#include "lcsdk/ui/widget_themes.h"

#include "lcsdk/ui/event_bus.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace lcsdk::ui {

static void PrintTo(const color4f& c, std::ostream* os)
{
    *os << "(" << c.r << ", " << c.g << ", " << c.b << ", " << c.a << ")";
}

namespace {

// Style tables only need an event_object to notify; no widget machinery is involved.
struct probe : event_object {};

// Keeps the process-wide override table from leaking between tests.
class theme_test : public ::testing::Test {
protected:
    void SetUp() override { set_global_styles(make_style_map()); }
    void TearDown() override { set_global_styles(make_style_map()); }
};

std::uint64_t key_param(const char* key)
{
    return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(key));
}

TEST(djb2_hash, hashes_bytes_as_signed_chars_in_32_bits)
{
    struct row {
        std::string_view key;
        std::size_t hash;
    };
    const row rows[] = {
        // key                                         hash
        {"", 5381u},
        {"a", 177670u},
        {"ab", 5863208u},
        {"label_font_size", 1732243765u},
        {"default_back_color", 1689766648u},
        {"multiwindow_button_border_color_hover", 1049718529u}, // wraps around 2^32 many times
        {"\xe9", 177550u},                                      // 5381 * 33 - 23: the byte counts as -23
        {"caf\xc3\xa9", 255153275u},
    };
    for (const row& r : rows)
        EXPECT_EQ(djb2_hash{}(r.key), r.hash) << r.key;
}

TEST(djb2_hash, is_the_hash_of_every_style_map)
{
    const style_table table;
    EXPECT_EQ(table.values.hash_function()("a"), 177670u);
    EXPECT_EQ(table.aliases.hash_function()("a"), 177670u);
    EXPECT_EQ(default_styles().hash_function()("\xe9"), 177550u);
}

TEST_F(theme_test, maps_keep_a_maximum_load_factor_of_one)
{
    const style_table table;
    EXPECT_EQ(table.values.max_load_factor(), 1.0f);
    EXPECT_EQ(table.aliases.max_load_factor(), 1.0f);
    EXPECT_EQ(make_style_map().max_load_factor(), 1.0f);

    style_map replacement; // default load factor on purpose
    replacement.emplace("title_font_size", float_style(15.0f));
    set_global_styles(replacement);
    EXPECT_EQ(global_styles().max_load_factor(), 1.0f);
}

TEST_F(theme_test, defaults_answer_when_nothing_is_overridden)
{
    const style_table table;
    EXPECT_EQ(get_color(table, "default_back_color"), (color4f{1, 0, 1, 1}));
    EXPECT_EQ(get_float(table, "label_font_size"), 11.0f);
}

TEST_F(theme_test, own_values_beat_global_styles_which_beat_defaults)
{
    style_map globals = make_style_map();
    globals.emplace("default_back_color", color_style({0, 1, 0, 1}));
    globals.emplace("label_font_color", color_style({0.5f, 0.5f, 0.5f, 1}));
    set_global_styles(globals);

    style_table table;
    set_style(table, "default_back_color", {0, 0, 1, 1});

    EXPECT_EQ(get_color(table, "default_back_color"), (color4f{0, 0, 1, 1})); // own
    EXPECT_EQ(get_color(table, "label_font_color"), (color4f{0.5f, 0.5f, 0.5f, 1})); // global
    EXPECT_EQ(get_color(table, "checkbox_font_color"), (color4f{1, 1, 1, 1})); // default

    const style_table untouched;
    EXPECT_EQ(get_color(untouched, "default_back_color"), (color4f{0, 1, 0, 1}));
}

TEST_F(theme_test, global_styles_are_a_copy_replaced_as_a_whole)
{
    style_map globals = make_style_map();
    globals.emplace("title_font_size", float_style(15.0f));
    set_global_styles(globals);
    globals.insert_or_assign("title_font_size", float_style(99.0f));
    globals.emplace("label_font_size", float_style(99.0f));

    const style_table table;
    EXPECT_EQ(get_float(table, "title_font_size"), 15.0f);
    EXPECT_EQ(get_float(table, "label_font_size"), 11.0f);

    style_map other = make_style_map();
    other.emplace("label_font_size", float_style(12.0f));
    set_global_styles(other);
    EXPECT_FALSE(global_styles().contains("title_font_size"));
    EXPECT_EQ(get_float(table, "label_font_size"), 12.0f);
}

TEST_F(theme_test, an_alias_renames_before_every_table)
{
    style_map globals = make_style_map();
    globals.emplace("title_font_size", float_style(15.0f));
    set_global_styles(globals);

    style_table title;
    style_table other_label;
    set_alias(title, "label_font_size", "title_font_size");
    set_alias(title, "label_font_weight", "editparam_title_font_weight");

    EXPECT_EQ(get_float(title, "label_font_size"), 15.0f);      // satisfied by the global table
    EXPECT_EQ(get_int(title, "label_font_weight"), font_weight_bold); // satisfied by the defaults
    EXPECT_EQ(get_float(other_label, "label_font_size"), 11.0f);
    EXPECT_EQ(get_int(other_label, "label_font_weight"), font_weight_normal);

    // The renamed key is the one looked up, even in the table's own values.
    title.values.insert_or_assign("label_font_size", float_style(30.0f));
    EXPECT_EQ(get_float(title, "label_font_size"), 15.0f);
    title.values.insert_or_assign("title_font_size", float_style(20.0f));
    EXPECT_EQ(get_float(title, "label_font_size"), 20.0f);
}

TEST_F(theme_test, an_alias_is_followed_one_step_only)
{
    style_map globals = make_style_map();
    globals.emplace("step_one", float_style(1.0f));
    globals.emplace("step_two", float_style(2.0f));
    set_global_styles(globals);

    style_table table;
    set_alias(table, "label_font_size", "step_one");
    set_alias(table, "step_one", "step_two");
    EXPECT_EQ(get_float(table, "label_font_size"), 1.0f);
    EXPECT_EQ(get_float(table, "step_one"), 2.0f);
}

TEST_F(theme_test, set_style_and_set_alias_notify_the_owner_with_the_key_pointer)
{
    probe owner;
    std::vector<std::uint64_t> params;
    add_handler(&owner, &owner, style_changed, [&params](const event_info& e) { params.push_back(e.param); });

    style_table table(&owner);
    static const char color_key[] = "default_back_color";
    static const char alias_key[] = "label_font_size";
    set_style(table, color_key, {0.25f, 0.5f, 0.75f, 1});
    set_alias(table, alias_key, "title_font_size");
    set_style(table, color_key, {0, 0, 0, 1}); // overwriting notifies again

    EXPECT_EQ(params, (std::vector<std::uint64_t>{key_param(color_key), key_param(alias_key), key_param(color_key)}));
    EXPECT_EQ(get_color(table, "default_back_color"), (color4f{0, 0, 0, 1}));
    // Keys are kept as views of the caller's characters, not copied.
    EXPECT_EQ(table.values.find("default_back_color")->first.data(), color_key);
    EXPECT_EQ(table.aliases.find("label_font_size")->first.data(), alias_key);
}

TEST_F(theme_test, a_table_without_owner_dispatches_nothing)
{
    probe listener;
    int calls = 0;
    // A dispatch to a null owner would arrive here.
    add_handler(nullptr, &listener, style_changed, [&calls](const event_info&) { ++calls; });

    style_table table;
    set_style(table, "default_back_color", {0, 0, 0, 1});
    set_alias(table, "label_font_size", "title_font_size");
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(table.values.size(), 1u);
    EXPECT_EQ(table.aliases.size(), 1u);
}

TEST_F(theme_test, set_global_styles_notifies_nobody)
{
    probe owner;
    int calls = 0;
    add_handler(&owner, &owner, style_changed, [&calls](const event_info&) { ++calls; });
    const style_table table(&owner);

    style_map globals = make_style_map();
    globals.emplace("label_font_size", float_style(14.0f));
    set_global_styles(globals);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(get_float(table, "label_font_size"), 14.0f);
}

TEST(style_values, builders_store_each_kind_in_its_place)
{
    const style_value color = color_style({0.1f, 0.2f, 0.3f, 0.4f});
    EXPECT_TRUE(color.raw.empty());
    EXPECT_EQ(color.color, (color4f{0.1f, 0.2f, 0.3f, 0.4f}));

    EXPECT_EQ(float_style(1.5f).raw, std::string("\x00\x00\xc0\x3f", 4));
    EXPECT_EQ(int_style(-2).raw, std::string("\xfe\xff\xff\xff", 4));
    EXPECT_EQ(bool_style(true).raw, std::string("\x01", 1));
    EXPECT_EQ(bool_style(false).raw, std::string("\x00", 1));
    EXPECT_EQ(string_style("Verdana").raw, "Verdana");
    EXPECT_EQ(image_style({}).raw.size(), 24u);
    for (const style_value& v : {float_style(1), int_style(1), bool_style(true), string_style("x"), image_style({})})
        EXPECT_EQ(v.color, (color4f{})) << "non-colour styles leave the colour at zero";
    EXPECT_EQ(alignof(style_value), 16u);
}

TEST_F(theme_test, accessors_read_each_kind_back)
{
    static const unsigned char bytes[3] = {1, 2, 3};
    style_map globals = make_style_map();
    globals.emplace("t_float", float_style(2.5f));
    globals.emplace("t_int", int_style(-7));
    globals.emplace("t_bool", bool_style(true));
    globals.emplace("t_string", string_style(std::string_view("a\0b", 3)));
    globals.emplace("t_image", image_style({bytes, 3, 4, 2.0f}));
    set_global_styles(globals);

    const style_table table;
    EXPECT_EQ(get_float(table, "t_float"), 2.5f);
    EXPECT_EQ(get_int(table, "t_int"), -7);
    EXPECT_TRUE(get_bool(table, "t_bool"));
    EXPECT_EQ(get_string(table, "t_string"), std::string("a\0b", 3));
    const image_ref image = get_image(table, "t_image");
    EXPECT_EQ(image.data, bytes);
    EXPECT_EQ(image.size, 3u);
    EXPECT_EQ(image.frames, 4);
    EXPECT_EQ(image.scale, 2.0f);
}

TEST_F(theme_test, a_payload_shorter_than_the_kind_reads_as_zero)
{
    style_map globals = make_style_map();
    globals.emplace("short", bool_style(true)); // one byte
    globals.emplace("empty", style_value{});
    set_global_styles(globals);

    const style_table table;
    EXPECT_EQ(get_float(table, "short"), 0.0f);
    EXPECT_EQ(get_int(table, "short"), 0);
    EXPECT_EQ(get_float(table, "default_back_color"), 0.0f); // a colour has no raw bytes
    EXPECT_FALSE(get_bool(table, "empty"));
    EXPECT_EQ(get_string(table, "empty"), "");
    const image_ref image = get_image(table, "short");
    EXPECT_EQ(image.data, nullptr);
    EXPECT_EQ(image.size, 0u);
}

TEST_F(theme_test, an_unknown_key_is_a_programming_error)
{
    const style_table table;
#ifdef NDEBUG
    const style_value value = get_theme_style(table, "no_such_style");
    EXPECT_TRUE(value.raw.empty());
    EXPECT_EQ(value.color, (color4f{}));
#else
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(get_theme_style(table, "no_such_style"), R"(false && "Style not found")");
#endif
}

TEST(default_styles, hold_exactly_201_entries)
{
    EXPECT_EQ(default_styles().size(), 202u);
}

// Catches entries built with the wrong kind: every style is either a colour (no bytes) or a payload
// (colour left at zero) whose size fits what its key names.
TEST(default_styles, every_entry_has_the_shape_of_its_kind)
{
    const auto ends_with = [](std::string_view key, std::string_view suffix) { return key.ends_with(suffix); };
    for (const auto& [key, value] : default_styles()) {
        SCOPED_TRACE(std::string(key));
        if (value.raw.empty()) {
            EXPECT_TRUE(key.find("color") != std::string_view::npos || key.find("gradient_") != std::string_view::npos);
            for (const float c : {value.color.r, value.color.g, value.color.b, value.color.a}) {
                EXPECT_GE(c, 0.0f);
                EXPECT_LE(c, 1.0f);
            }
            continue;
        }
        EXPECT_EQ(value.color, (color4f{}));
        if (ends_with(key, "_font_name"))
            EXPECT_GE(value.raw.size(), 6u);
        else if (ends_with(key, "_image"))
            EXPECT_EQ(value.raw.size(), 24u);
        else if (value.raw.size() == 1)
            EXPECT_TRUE(key.find("gradient") != std::string_view::npos);
        else
            EXPECT_EQ(value.raw.size(), 4u);
    }
}

TEST(default_styles, spot_check_of_every_kind)
{
    const style_table table;
    struct color_row {
        const char* key;
        color4f value;
    };
    const color_row colors[] = {
        {"default_back_color", {1, 0, 1, 1}},
        {"checkbox_back_color", {0, 0, 0, 0}},
        {"checkbox_border_color_normal", {0.294f, 0.294f, 0.294f, 1}},
        {"checkbox_border_color_focus", {0.255f, 0.584f, 0.753f, 1}},
        {"colorcontrol_gradient_1", {0.18f, 0.2f, 0.196f, 1}},
        {"button_color_toggle", {0.188f, 0.29f, 0.506f, 1}},
        {"splitpanel_mark_color", {1, 1, 1, 0.5f}},
        {"multicolumn_font_color_disabled", {0.359f, 0.363f, 0.375f, 1}},
        {"tabbutton_gradient_1_hover", {0.25f, 0.25f, 0.25f, 1}},
        {"input_selection_color", {0.2f, 0.6f, 1, 1}},
        {"scroll_back_color", {0.067f, 0.071f, 0.078f, 1}},
        {"label_font_color", {1, 1, 1, 1}},
        {"editparam_font_color_disabled", {0.69f, 0.694f, 0.694f, 0.5f}},
        {"multiwindow_button_border_color_hover", {1, 1, 1, 1}},
    };
    for (const color_row& r : colors)
        EXPECT_EQ(get_color(table, r.key), r.value) << r.key;

    struct float_row {
        const char* key;
        float value;
    };
    const float_row floats[] = {
        {"checkbox_border_width", 1.0f}, {"checkbox_font_size", 11.0f}, {"dropdown_font_size_extra", 10.0f},
        {"float_font_size", 10.0f},      {"input_font_size", 12.0f},    {"multiwindow_tab_font_size", 11.0f},
    };
    for (const float_row& r : floats)
        EXPECT_EQ(get_float(table, r.key), r.value) << r.key;

    struct int_row {
        const char* key;
        std::int32_t value;
    };
    const int_row ints[] = {
        // integers, then font styles, font weights and alignments
        {"splitpanel_split_thickness", 10},
        {"editparam_height", 22},
        {"editparam_title_height", 28},
        {"label_font_style", font_style_normal},
        {"button_font_weight", font_weight_bold},
        {"browser_font_weight_selected", font_weight_bold},
        {"multifloat_font_weight", font_weight_normal},
        {"dropdown_text_align", h_align_left},
        {"label_text_align", h_align_left},
        {"label_text_valign", v_align_center},
    };
    for (const int_row& r : ints)
        EXPECT_EQ(get_int(table, r.key), r.value) << r.key;

    for (const char* key : {"dropdown_gradient_text", "dropdown_gradient_button", "multiwindow_tab_gradient",
                            "multiwindow_button_gradient"})
        EXPECT_TRUE(get_bool(table, key)) << key;

    struct string_row {
        const char* key;
        const char* value;
    };
    const string_row strings[] = {
        {"checkbox_font_name", "tahoma"},
        {"label_font_name", "tahoma"},
        {"multicolumn_header_font_name", "verdana"},
        {"multiwindow_tab_font_name", "Verdana"}, // the one capitalised family name
    };
    for (const string_row& r : strings)
        EXPECT_EQ(get_string(table, r.key), r.value) << r.key;

    for (const char* key : {"button_back_image", "editparam_icon_image"}) {
        const image_ref none = get_image(table, key);
        EXPECT_EQ(none.data, nullptr) << key;
        EXPECT_EQ(none.size, 0u) << key;
        EXPECT_EQ(none.frames, 1) << key;
        EXPECT_EQ(none.scale, 1.0f) << key;
    }
    const image_ref check = get_image(table, "checkbox_image");
    EXPECT_NE(check.data, nullptr);
    EXPECT_EQ(check.frames, 2);
    EXPECT_EQ(check.scale, 1.0f);
}

TEST(default_styles, three_browser_entries_share_one_image)
{
    const style_table table;
    const image_ref pack = get_image(table, "browser_pack_image");
    for (const char* key : {"browser_stared_image", "browser_alien_image"}) {
        const image_ref shared = get_image(table, key);
        EXPECT_EQ(shared.data, pack.data) << key;
        EXPECT_EQ(shared.size, pack.size) << key;
    }
    EXPECT_NE(get_image(table, "browser_folder_image").data, pack.data);
    EXPECT_NE(get_image(table, "browser_virtual_image").data, pack.data);
}

} // namespace
} // namespace lcsdk::ui
