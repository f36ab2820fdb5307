#include "lcsdk/ui/win32/ime_rules.h"

#include <windows.h>

namespace lcsdk::ui::win32 {

int ime_cursor_after_key(int cursor, int length, std::uint64_t virtual_key)
{
    switch (virtual_key) {
    case VK_END:
        return length;
    case VK_HOME:
        return 0;
    case VK_LEFT:
        return cursor > 0 ? cursor - 1 : cursor;
    case VK_RIGHT:
        return cursor < length ? cursor + 1 : cursor;
    default:
        return cursor;
    }
}

bool ime_commits_before_update(bool target_clause, int cursor, int length, std::uint64_t recorded_key,
                               std::uint64_t recorded_char)
{
    const bool editing_key = recorded_key == VK_BACK || recorded_key == VK_RETURN || recorded_key == VK_SPACE;
    return target_clause && cursor == length && (recorded_char & 0xff) != 0 && !editing_key;
}

bool ime_korean_restart(std::uint16_t language, bool has_result, std::uint64_t recorded_char)
{
    return (language & 0x3ff) == LANG_KOREAN && has_result && (recorded_char & 0xff) != 0;
}

} // namespace lcsdk::ui::win32
