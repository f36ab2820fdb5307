#include "lcsdk/filesystem/file_path.h"

#include <algorithm>

namespace lcsdk::filesystem {

file_path file_path::append_plain(path_view part) const
{
    path_string text = text_;
    text += separator;
    text += part;
    return file_path(std::move(text));
}

file_path join(const file_path& first, const file_path& second)
{
    if (second.empty())
        return first;
    path_string text = first.native();
    if (!first.empty() && !first.ends_with_separator())
        text += separator;
    path_view rest = second.native();
    if (rest.front() == separator)
        rest.remove_prefix(1);
    text += rest;
    return file_path(std::move(text));
}

file_path with_native_separators(file_path path)
{
    path_string text = path.native();
    std::replace(text.begin(), text.end(), foreign_separator, separator);
    return file_path(std::move(text));
}

file_path parent_of(const file_path& path)
{
    path_view text = path.native();
    if (!text.empty() && text.back() == separator)
        text.remove_suffix(1);
    const std::size_t cut = text.rfind(separator);
    if (cut == path_view::npos)
        return {};
    return file_path(path_string(text.substr(0, cut)));
}

path_string native_text(std::string_view ascii)
{
    return path_string(ascii.begin(), ascii.end());
}

} // namespace lcsdk::filesystem
