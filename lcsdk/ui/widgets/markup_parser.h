#pragma once

#include "lcsdk/ui/widgets/markup_text.h"

#include <string>
#include <string_view>
#include <vector>

namespace lcsdk::ui {

struct parsed_markup {
    std::u16string plain_text;
    std::vector<markup_range> ranges;
};

// Turns the label markup syntax into plain text and tagged ranges.
//
//   <b>bold</b>  <u>underlined</u>  <font face="Tahoma" size="14" color="#RRGGBB">...</font>  <br>
//   &lt; &gt; &amp; &quot; &apos; for the literal characters.
//
// Tag names are case-insensitive and stored in lower case; unknown tags become ranges that have
// no effect. Ranges are listed in the order their tags open, so an inner tag overrides an outer
// one. A closing tag ends the innermost open tag of its name and is ignored when none is open;
// tags still open at the end run to the end of the text. A '<' that does not start a complete tag
// (no name, or no closing '>' outside quotes) is ordinary text. Invalid UTF-8 becomes U+FFFD.
// Spans that cover no text are dropped.
parsed_markup parse_markup(std::string_view source_utf8);

// UTF-8 to UTF-16; each invalid or truncated sequence becomes U+FFFD.
std::u16string utf8_to_utf16(std::string_view text);

} // namespace lcsdk::ui
