#pragma once

#include <string>
#include <string_view>

namespace lcsdk::ui::win32 {

// UTF-8 <-> UTF-16 at the platform boundary; an empty or unconvertible input gives an empty string.
std::wstring utf8_to_wide(std::string_view text);
std::string wide_to_utf8(std::wstring_view text);

} // namespace lcsdk::ui::win32
