#include "lcsdk/ui/widgets/markup_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

using namespace lcsdk::ui;

namespace {

// A layout that writes down each attribute call as text, so tests can compare what the builder applied.
class recording_layout : public markup_layout {
public:
    explicit recording_layout(std::vector<std::string>& sink) : calls(sink) {}

    void set_bold(text_range r) override { calls.push_back("bold " + where(r)); }
    void set_underline(text_range r) override { calls.push_back("underline " + where(r)); }
    void set_font_family(text_range r, std::u16string_view family) override
    {
        calls.push_back("family " + where(r) + " " + std::string(family.begin(), family.end()));
    }
    void set_font_size(text_range r, float size) override
    {
        calls.push_back("size " + where(r) + " " + std::to_string(size));
    }
    void set_color(text_range r, color4f c) override
    {
        calls.push_back("color " + where(r) + " " + std::to_string(c.r) + " " + std::to_string(c.g) + " " +
                        std::to_string(c.b) + " " + std::to_string(c.a));
    }

private:
    static std::string where(text_range r) { return std::to_string(r.start) + "+" + std::to_string(r.length); }
    std::vector<std::string>& calls;
};

class recording_factory : public markup_layout_factory {
public:
    std::unique_ptr<markup_layout> create_layout(std::u16string_view text, float w, float h) override
    {
        ++created;
        last_text = std::u16string(text);
        last_size = {w, h};
        if (fail)
            return nullptr;
        return std::make_unique<recording_layout>(calls);
    }

    int created = 0;
    bool fail = false;
    std::u16string last_text;
    _vec2<float> last_size;
    std::vector<std::string> calls;
};

TEST(MarkupLayoutCache, SameSizeReusesTheLayoutAndAnotherSizeRebuildsIt)
{
    markup_text text;
    text.set_markup("<b>x</b>y");
    recording_factory factory;

    markup_layout* first = &text.get_layout(&factory, 100, 40);
    EXPECT_EQ(&text.get_layout(&factory, 100, 40), first);
    EXPECT_EQ(factory.created, 1);
    EXPECT_EQ(factory.calls.size(), 1u);
    EXPECT_EQ(factory.last_text, u"xy");

    text.get_layout(&factory, 101, 40);
    EXPECT_EQ(factory.created, 2);
    text.get_layout(&factory, 101, 41);
    EXPECT_EQ(factory.created, 3);
    EXPECT_TRUE(text.layout_valid);
    EXPECT_EQ(text.layout_size.x, 101.0f);
    EXPECT_EQ(text.layout_size.y, 41.0f);
}

TEST(MarkupLayoutCache, NewContentRebuildsAtTheSameSize)
{
    markup_text text;
    text.set_markup("a");
    recording_factory factory;
    text.get_layout(&factory, 50, 50);
    text.set_markup("<u>b</u>");
    text.get_layout(&factory, 50, 50);
    EXPECT_EQ(factory.created, 2);
    EXPECT_EQ(factory.last_text, u"b");
}

TEST(MarkupLayoutCache, FailuresRaiseAndLeaveNoValidLayout)
{
    markup_text text;
    text.set_markup("a");
    try {
        text.get_layout(nullptr, 10, 10);
        FAIL() << "expected an exception";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "factory is a null pointer");
    }
    EXPECT_FALSE(text.layout_valid);

    recording_factory factory;
    text.get_layout(&factory, 10, 10);
    factory.fail = true;
    try {
        text.get_layout(&factory, 20, 10);
        FAIL() << "expected an exception";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "unable to initialize a new layout");
    }
    EXPECT_FALSE(text.layout_valid);
    EXPECT_EQ(text.layout, nullptr);
}

struct builder_case {
    const char* name;
    std::u16string text;
    std::vector<markup_range> ranges;
    std::vector<std::string> expected_calls;
};

class MarkupBuilderCases : public ::testing::TestWithParam<builder_case> {};

TEST_P(MarkupBuilderCases, AppliesRangesInListOrder)
{
    const builder_case& c = GetParam();
    markup_text text;
    text.set_content(c.text, c.ranges);
    recording_factory factory;
    text.get_layout(&factory, 200, 100);
    EXPECT_EQ(factory.calls, c.expected_calls);
}

const builder_case builder_cases[] = {
    {"bold_and_underline", u"abcdef", {{0, 2, u"b", u""}, {2, 3, u"u", u""}}, {"bold 0+2", "underline 2+3"}},
    {"unknown_tags_and_bare_font_do_nothing", u"abc", {{0, 1, u"i", u""}, {0, 3, u"font", u"weight=\"9\""}}, {}},
    {"tag_names_are_case_sensitive", u"abc", {{0, 1, u"B", u""}}, {}},
    {"font_face_size_colour",
     u"abcdef",
     {{1, 2, u"font", u"color=\"#ff8000\" size=\"14.5\" face=\"Tahoma\""}},
     {"family 1+2 Tahoma", "size 1+2 14.500000", "color 1+2 1.000000 0.501961 0.000000 1.000000"}},
    {"size_that_is_not_a_number_reads_zero", u"ab", {{0, 2, u"font", u"size=\"abc\""}}, {"size 0+2 0.000000"}},
    {"attribute_lookup_is_by_substring", u"ab", {{0, 2, u"font", u"typeface=\"Courier\""}}, {"family 0+2 Courier"}},
    {"value_without_closing_quote_runs_to_end", u"ab", {{0, 1, u"font", u"face=\"Open"}}, {"family 0+1 Open"}},
    {"short_colour_sets_nothing", u"ab", {{0, 2, u"font", u"color=\"#fff\""}}, {}},
    {"overlaps_keep_list_order",
     u"abcd",
     {{0, 4, u"font", u"size=\"10\""}, {1, 2, u"font", u"size=\"20\""}},
     {"size 0+4 10.000000", "size 1+2 20.000000"}},
    {"range_past_the_end_is_clipped", u"abc", {{1, 99, u"b", u""}, {3, 1, u"u", u""}, {0xFFFFFFFFu, 5, u"b", u""}},
     {"bold 1+2"}},
};

INSTANTIATE_TEST_SUITE_P(Markup, MarkupBuilderCases, ::testing::ValuesIn(builder_cases),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(MarkupAttributes, FindAttribute)
{
    struct row {
        std::u16string_view attributes;
        std::u16string_view name;
        bool found;
        std::u16string_view value;
    };
    const row rows[] = {
        // attributes                         name      found  value
        {u"face=\"Tahoma\"", u"face", true, u"Tahoma"},
        {u"size=\"1\" face=\"A B\"", u"face", true, u"A B"},
        {u"typeface=\"X\"", u"face", true, u"X"},
        {u"face = \"X\"", u"face", false, u""},
        {u"face=X", u"face", false, u""},
        {u"face=", u"face", false, u""},
        {u"face=\"", u"face", true, u""},
        {u"", u"face", false, u""},
        {u"facet face=\"Y\"", u"face", true, u"Y"},
    };
    for (const row& r : rows) {
        const auto value = find_attribute(r.attributes, r.name);
        EXPECT_EQ(value.has_value(), r.found) << std::string(r.attributes.begin(), r.attributes.end());
        if (value && r.found) {
            EXPECT_EQ(*value, r.value);
        }
    }
}

TEST(MarkupAttributes, FontSize)
{
    struct row {
        std::u16string_view text;
        float size;
    };
    const row rows[] = {
        {u"14", 14.0f},   {u"  12.5px", 12.5f}, {u"+3", 3.0f}, {u"-2", -2.0f}, {u"1e1", 10.0f},
        {u"abc", 0.0f},   {u"", 0.0f},          {u"nan", 0.0f}, {u"inf", 0.0f}, {u"1e999", 0.0f},
        {u"1e39", 0.0f},  {u"\u00e9", 0.0f},
        // Read as std::from_chars reads the longest decimal prefix.
        {u".5", 0.5f},    {u"5.", 5.0f},        {u"0.05", 0.05f}, {u"-0.125em", -0.125f}, {u"1e", 1.0f},
        {u"1e+", 1.0f},   {u"2E-1", 0.2f},      {u"0x10", 0.0f}, {u"-", 0.0f},         {u"--3", 0.0f},
        {u"1.5.5", 1.5f}, {u"1e-999", 0.0f},    {u"00012", 12.0f}, {u"0.0000000000000000000000000012e30", 1200.0f},
        {u"12345678901234567890123", static_cast<float>(12345678901234567890123.0)},
        {u"3.4028234e38", 3.4028234e38f},
    };
    for (const row& r : rows)
        EXPECT_EQ(parse_font_size(r.text), r.size) << std::string(r.text.begin(), r.text.end());
}

TEST(MarkupAttributes, Colour)
{
    struct row {
        std::u16string_view text;
        bool valid;
        int red, green, blue;
    };
    const row rows[] = {
        // text            valid  red   green  blue
        {u"#ff8000", true, 0xff, 0x80, 0x00},
        {u"#FF8000", true, 0xff, 0x80, 0x00},
        {u"xff8000", true, 0xff, 0x80, 0x00}, // the first character is never examined
        {u"#102030ee", true, 0x10, 0x20, 0x30},
        {u"#12zz56", true, 0x12, 0x00, 0x56},
        {u"#1z2z3z", true, 0x01, 0x02, 0x03},
        {u"#fff", false, 0, 0, 0},
        {u"#ff800", false, 0, 0, 0},
        {u"", false, 0, 0, 0},
    };
    for (const row& r : rows) {
        const auto colour = parse_color(r.text);
        ASSERT_EQ(colour.has_value(), r.valid) << std::string(r.text.begin(), r.text.end());
        if (!colour)
            continue;
        EXPECT_NEAR(colour->r, static_cast<float>(r.red) / 255.0f, 1e-6f);
        EXPECT_NEAR(colour->g, static_cast<float>(r.green) / 255.0f, 1e-6f);
        EXPECT_NEAR(colour->b, static_cast<float>(r.blue) / 255.0f, 1e-6f);
        EXPECT_EQ(colour->a, 1.0f);
    }
    EXPECT_NEAR(parse_color(u"#ff8000")->g, 0.50196f, 1e-5f);
}

} // namespace
