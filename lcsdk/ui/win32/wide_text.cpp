#include "lcsdk/ui/win32/wide_text.h"

#include "lcsdk/filesystem/file_path.h"

namespace lcsdk::ui::win32 {

// Paths already carry the platform's UTF-8/UTF-16 conversion; UI text uses the same one.
std::wstring utf8_to_wide(std::string_view text)
{
    return filesystem::file_path::from_utf8(text).native();
}

std::string wide_to_utf8(std::wstring_view text)
{
    return filesystem::file_path(std::wstring(text)).to_utf8();
}

} // namespace lcsdk::ui::win32
