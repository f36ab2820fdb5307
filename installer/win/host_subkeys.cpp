#include "installer/win/host_subkeys.h"

#include <array>

namespace installer::win {

namespace {

struct subkey_entry {
    std::wstring_view name;
    subkey_match match;
};

constexpr std::array<subkey_entry, 10> subkey_table{{
    {L"8.0", {subkey_kind::ignored, CS3}},
    {L"9.0", {subkey_kind::ignored, CS4}},
    {L"10.0", {subkey_kind::version, CS5}},
    {L"10.5", {subkey_kind::version, CS55}},
    {L"11", {subkey_kind::version, CS6}},
    {L"12", {subkey_kind::version, CC}},
    {L"13", {subkey_kind::version, CC2014}},
    {L"13.5", {subkey_kind::version, CC2015}},
    {L"13.8", {subkey_kind::version, CC2015_3}},
    {L"14.0", {subkey_kind::version, CC2017}},
}};

} // namespace

subkey_match match_host_subkey(std::wstring_view name)
{
    for (const subkey_entry& entry : subkey_table)
        if (entry.name == name)
            return entry.match;
    return {};
}

void store_plugin_folder(folder_list& folders, std::wstring_view subkey, const lcsdk::filesystem::file_path& value)
{
    const subkey_match match = match_host_subkey(subkey);
    if (match.kind != subkey_kind::version)
        return;
    folders.at(static_cast<std::size_t>(match.version)) = lcsdk::filesystem::with_native_separators(value);
}

} // namespace installer::win
