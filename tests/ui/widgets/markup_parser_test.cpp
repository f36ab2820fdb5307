#include "lcsdk/ui/widgets/markup_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace lcsdk::ui;

namespace {

markup_range span(std::uint32_t start, std::uint32_t length, std::u16string tag, std::u16string attributes = {})
{
    return {start, length, std::move(tag), std::move(attributes)};
}

struct parse_case {
    const char* name;
    std::string source;
    std::u16string text;
    std::vector<markup_range> ranges;
};

class MarkupParserCases : public ::testing::TestWithParam<parse_case> {};

TEST_P(MarkupParserCases, StripsTagsIntoRanges)
{
    const parse_case& c = GetParam();
    const parsed_markup parsed = parse_markup(c.source);
    EXPECT_EQ(parsed.plain_text, c.text);
    EXPECT_EQ(parsed.ranges, c.ranges);
}

const parse_case parse_cases[] = {
    // name                source                                          plain text       ranges
    {"plain", "no tags at all", u"no tags at all", {}},
    {"bold", "<b>bold</b> text", u"bold text", {span(0, 4, u"b")}},
    {"nested", "<b>a<u>b</u>c</b>", u"abc", {span(0, 3, u"b"), span(1, 1, u"u")}},
    {"crossed_closing", "<b>a<u>b</b>c</u>", u"abc", {span(0, 2, u"b"), span(1, 2, u"u")}},
    {"same_tag_nested", "<b>a<b>b</b>c</b>", u"abc", {span(0, 3, u"b"), span(1, 1, u"b")}},
    {"font_attributes", "x<font face=\"Tahoma\" size=\"14\" color=\"#ff8000\">y</font>", u"xy",
     {span(1, 1, u"font", u"face=\"Tahoma\" size=\"14\" color=\"#ff8000\"")}},
    {"unclosed_runs_to_end", "a<b>bc", u"abc", {span(1, 2, u"b")}},
    {"stray_closing_ignored", "a</b>b", u"ab", {}},
    {"empty_span_dropped", "<b></b>x<u>", u"x", {}},
    {"upper_case_name", "<B>x</B>", u"x", {span(0, 1, u"b")}},
    {"unknown_tag_kept", "<i>x</i>", u"x", {span(0, 1, u"i")}},
    {"line_breaks", "a<br>b<br/>c<BR />d</br>", u"a\nb\nc\nd", {}},
    {"quoted_angle_bracket", "<font face=\"a>b\">x</font>", u"x", {span(0, 1, u"font", u"face=\"a>b\"")}},
    {"lone_less_than", "a < b", u"a < b", {}},
    {"no_closing_bracket", "x<y", u"x<y", {}},
    {"empty_tag", "<>", u"<>", {}},
    {"truncated_tag", "ab<b", u"ab<b", {}},
    {"truncated_closing", "ab</", u"ab</", {}},
    {"unterminated_quote", "<font face=\"x>y", u"<font face=\"x>y", {}},
    {"name_glued_to_symbol", "<b=1>x", u"<b=1>x", {}},
    {"entities", "&lt;b&gt; &amp; &quot;q&quot; &apos;", u"<b> & \"q\" '", {}},
    {"unknown_entity", "&nbsp;&", u"&nbsp;&", {}},
    {"utf16_positions", "\xc3\xa9<b>\xe2\x82\xac\xf0\x9d\x84\x9e</b>!", u"\u00e9\u20ac\U0001D11E!", {span(1, 3, u"b")}},
    {"invalid_utf8", "\xff<b>\xc3</b>\xe2\x82", u"\uFFFD\uFFFD\uFFFD", {span(1, 1, u"b")}},
    {"surrogate_encoded", "\xed\xa0\x80", u"\uFFFD", {}},
    {"overlong", "\xc0\xaf", u"\uFFFD\uFFFD", {}},
};

INSTANTIATE_TEST_SUITE_P(Markup, MarkupParserCases, ::testing::ValuesIn(parse_cases),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(MarkupParser, RangesKeepOpeningOrderSoInnerTagsWin)
{
    const parsed_markup parsed = parse_markup("<font size=\"10\">a<font size=\"20\">b</font></font>");
    ASSERT_EQ(parsed.ranges.size(), 2u);
    EXPECT_EQ(parsed.ranges[0].attributes, u"size=\"10\"");
    EXPECT_EQ(parsed.ranges[1].attributes, u"size=\"20\"");
    EXPECT_EQ(parsed.ranges[1].start, 1u);
}

TEST(MarkupText, SetMarkupFillsTheObjectAndDropsTheCache)
{
    markup_text text;
    EXPECT_FALSE(text.has_content);
    text.layout_valid = true;
    text.set_markup("<u>under</u>line");
    EXPECT_TRUE(text.has_content);
    EXPECT_FALSE(text.layout_valid);
    EXPECT_EQ(text.plain_text, u"underline");
    EXPECT_EQ(text.ranges, std::vector<markup_range>{span(0, 5, u"u")});

    text.clear();
    EXPECT_FALSE(text.has_content);
    EXPECT_TRUE(text.plain_text.empty());
}

} // namespace
