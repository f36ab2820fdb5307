#pragma once

#include <string>
#include <string_view>

namespace lcsdk::filesystem {

// Windows paths are wide text with "\" separators; everywhere else they are UTF-8 with "/".
#if defined(_WIN32)
using path_char = wchar_t;
inline constexpr path_char separator = L'\\';
inline constexpr path_char foreign_separator = L'/';
#else
using path_char = char;
inline constexpr path_char separator = '/';
inline constexpr path_char foreign_separator = '\\';
#endif

using path_string = std::basic_string<path_char>;
using path_view = std::basic_string_view<path_char>;

// A path value in the platform's own text form. No normalisation happens unless asked for.
class file_path {
public:
    file_path() = default;
    explicit file_path(path_string text) : text_(std::move(text)) {}
    explicit file_path(const path_char* text) : text_(text) {}

    static file_path from_utf8(std::string_view text);
    std::string to_utf8() const;

    const path_string& native() const { return text_; }
    const path_char* c_str() const { return text_.c_str(); }
    bool empty() const { return text_.empty(); }
    bool ends_with_separator() const { return !text_.empty() && text_.back() == separator; }

    // Plain appending: one separator and the part, whatever the path already ends with.
    file_path append_plain(path_view part) const;
    file_path with_suffix(path_view suffix) const { return file_path(text_ + path_string(suffix)); }

    friend bool operator==(const file_path&, const file_path&) = default;

private:
    path_string text_;
};

// Joins two paths with exactly one separator between them; an empty part adds nothing.
file_path join(const file_path& first, const file_path& second);

// Paths read from outside (registry, shell, preference files) may use the other platform's
// separator; this swaps every one of them for the native one.
file_path with_native_separators(file_path path);

// The path without one trailing separator, cut at its last separator; empty when there is none.
file_path parent_of(const file_path& path);

// Native text from ASCII literals such as folder and file names.
path_string native_text(std::string_view ascii);

} // namespace lcsdk::filesystem
