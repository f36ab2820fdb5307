#include "installer/command_line.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>
#include <utility>

namespace installer {

namespace {

struct spelling {
    std::string_view unattended;
    std::string_view versions;
    std::string_view folder;
    std::string_view log;
    // Windows options ignore case, as Windows programs' options do; POSIX ones do not.
    bool ignore_case;
};

constexpr spelling windows_spelling{"/S", "/VERSIONS", "/D", "/LOG", true};
constexpr spelling mac_spelling{"--silent", "--versions", "--folder", "--log", false};

// The Windows program's elevation marker, which an unattended run has no use for but accepts.
constexpr std::string_view elevated_marker = "/UAC";

bool same_text(std::string_view a, std::string_view b, bool ignore_case)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [ignore_case](char x, char y) {
               if (!ignore_case)
                   return x == y;
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string_view trimmed(std::string_view text)
{
    const auto space = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && space(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && space(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string version_list()
{
    std::string names;
    for (int slot = 0; slot < Custom; ++slot) {
        if (slot != 0)
            names += ", ";
        names += host_version_names[static_cast<std::size_t>(slot)];
    }
    return names;
}

std::optional<int> version_slot(std::string_view name)
{
    for (int slot = 0; slot < Custom; ++slot)
        if (same_text(name, host_version_names[static_cast<std::size_t>(slot)], true))
            return slot;
    return std::nullopt;
}

bool is_absolute(std::string_view path, option_syntax syntax)
{
    if (syntax == option_syntax::mac)
        return path.starts_with('/');
    const auto separator = [](char c) { return c == '\\' || c == '/'; };
    const bool drive = path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
                       separator(path[2]);
    const bool share = path.size() >= 3 && separator(path[0]) && separator(path[1]);
    return drive || share;
}

class reader {
public:
    explicit reader(option_syntax syntax)
        : syntax_(syntax), names_(syntax == option_syntax::windows ? windows_spelling : mac_spelling)
    {
    }

    command_options read(const std::vector<std::string>& arguments)
    {
        for (const std::string& argument : arguments)
            if (same_text(argument, names_.unattended, names_.ignore_case))
                result_.unattended = true;
        for (const std::string& argument : arguments)
            read_one(argument);
        if (!result_.unattended && (result_.versions || !result_.folder.empty()))
            fail(std::string(names_.versions) + " and " + std::string(names_.folder) + " belong to an unattended run: add " +
                 std::string(names_.unattended));
        return result_;
    }

private:
    void read_one(std::string_view argument)
    {
        if (same_text(argument, names_.unattended, names_.ignore_case))
            return;
        if (syntax_ == option_syntax::windows && argument == elevated_marker)
            return;
        for (const std::string_view name : {names_.versions, names_.folder, names_.log}) {
            if (same_text(argument, name, names_.ignore_case)) {
                fail(std::string(name) + " needs a value: " + std::string(name) + "=" + placeholder(name));
                return;
            }
            const std::string_view head = argument.substr(0, name.size() + 1);
            if (head.size() == name.size() + 1 && head.back() == '=' &&
                same_text(head.substr(0, name.size()), name, names_.ignore_case)) {
                read_value(name, argument.substr(name.size() + 1));
                return;
            }
        }
        // The wizard has never looked at its arguments; an unattended run takes none it does not know.
        if (result_.unattended)
            fail("unknown option \"" + std::string(argument) + "\"; the options are " + usage());
    }

    void read_value(std::string_view name, std::string_view value)
    {
        if (already_seen(name)) {
            fail(std::string(name) + " is given twice");
            return;
        }
        if (value.empty()) {
            fail(std::string(name) + " needs a value: " + std::string(name) + "=" + placeholder(name));
            return;
        }
        if (name == names_.versions)
            read_versions(value);
        else if (name == names_.folder)
            read_folder(value);
        else
            result_.log_file = std::string(value);
    }

    void read_versions(std::string_view value)
    {
        per_version<bool> chosen{};
        std::string_view rest = value;
        for (;;) {
            const std::size_t comma = rest.find(',');
            const std::string_view name = trimmed(rest.substr(0, comma));
            const std::optional<int> slot = version_slot(name);
            if (!slot) {
                fail(name.empty() ? std::string(names_.versions) + " has an empty version name in \"" + std::string(value) + "\""
                                  : "unknown version \"" + std::string(name) + "\" in " + std::string(names_.versions) +
                                        "; the versions are " + version_list());
                return;
            }
            chosen[static_cast<std::size_t>(*slot)] = true;
            if (comma == std::string_view::npos)
                break;
            rest.remove_prefix(comma + 1);
        }
        result_.versions = chosen;
    }

    void read_folder(std::string_view value)
    {
        if (!is_absolute(value, syntax_)) {
            fail(std::string(names_.folder) + " needs a full path, not \"" + std::string(value) + "\"");
            return;
        }
        std::string folder(value);
        // Windows folders are kept with the native separator, as discovery keeps them.
        if (syntax_ == option_syntax::windows)
            std::replace(folder.begin(), folder.end(), '/', '\\');
        result_.folder = std::move(folder);
    }

    bool already_seen(std::string_view name)
    {
        if (name == names_.versions)
            return std::exchange(versions_seen_, true);
        if (name == names_.folder)
            return std::exchange(folder_seen_, true);
        return std::exchange(log_seen_, true);
    }

    std::string placeholder(std::string_view name) const
    {
        if (name == names_.versions)
            return "CS6,CC2017";
        return name == names_.folder ? "<folder>" : "<file>";
    }

    std::string usage() const
    {
        return std::string(names_.unattended) + ", " + std::string(names_.versions) + "=<names>, " +
               std::string(names_.folder) + "=<folder> and " + std::string(names_.log) + "=<file>";
    }

    void fail(std::string message)
    {
        if (result_.error.empty())
            result_.error = std::move(message);
    }

    option_syntax syntax_;
    spelling names_;
    command_options result_;
    bool versions_seen_ = false;
    bool folder_seen_ = false;
    bool log_seen_ = false;
};

} // namespace

command_options read_command_line(const std::vector<std::string>& arguments, option_syntax syntax)
{
    return reader(syntax).read(arguments);
}

} // namespace installer
