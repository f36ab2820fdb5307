#include "markup_fuzz_checks.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <string_view>

namespace {

// Random inputs built from pieces of the syntax, so that most of them reach deep into the
// parser (nested and crossed tags, broken attributes, truncated UTF-8), plus raw bytes.
std::string random_markup(std::mt19937& rng)
{
    static constexpr std::array<std::string_view, 32> pieces{
        "<b>", "</b>", "<u>", "</u>", "<font", " face=\"", " size=\"", " color=\"#", "\"", ">", "</font>", "<",
        "</", "/>", "<br>", "&lt;", "&amp", "&", "=", "#ff8000", "12.5", "abc", " ", "\xc3", "\xa9", "\xf0\x9d\x84",
        "\xe2\x82\xac", "\xff", "<B>", "typeface=\"X\"", "nan", "\n"};
    std::uniform_int_distribution<int> count(0, 24);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> coin(0, 9);

    std::string out;
    for (int n = count(rng); n > 0; --n) {
        if (coin(rng) == 0)
            out.push_back(static_cast<char>(byte(rng)));
        else
            out += pieces[pick(rng)];
    }
    return out;
}

TEST(MarkupFuzz, RandomInputsKeepEveryRangeInsideTheText)
{
    std::mt19937 rng(20240611u);
    for (int i = 0; i < 20000; ++i) {
        const std::string source = random_markup(rng);
        const std::string problem = lcsdk::testing::check_markup_properties(source);
        ASSERT_TRUE(problem.empty()) << problem << " for input of " << source.size() << " bytes: " << source;
    }
}

TEST(MarkupFuzz, ShortValuesAtTheVeryEndOfTheAttributeText)
{
    // The attribute text ends right after the opening quote or inside a colour: look-ups must
    // stop at the end of the value.
    for (std::string_view source : {"<font color=\"#\">x</font>", "<font color=\"#f\">x", "<font color=\"", "<font size=\">x",
                                    "<font face=\">x</font>", "<font color=\"#ff80\">x</font>"}) {
        EXPECT_EQ(lcsdk::testing::check_markup_properties(source), "") << source;
    }
}

} // namespace
