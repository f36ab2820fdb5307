#pragma once

#include <cstdint>

namespace lcsdk::ui::win32 {

// The decisions of the input-method context that depend on no system call.

// Where the composition cursor goes when a key moves it inside a converted clause.
int ime_cursor_after_key(int cursor, int length, std::uint64_t virtual_key);

// Typing on at the end of a converted clause commits it: the update then starts a new composition.
bool ime_commits_before_update(bool target_clause, int cursor, int length, std::uint64_t recorded_key,
                               std::uint64_t recorded_char);

// Korean input methods commit each syllable as a result string while composing goes on.
bool ime_korean_restart(std::uint16_t language, bool has_result, std::uint64_t recorded_char);

} // namespace lcsdk::ui::win32
