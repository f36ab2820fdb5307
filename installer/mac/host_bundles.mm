#include "installer/mac/host_bundles.h"

#include "lcsdk/ui/cocoa/autorelease_pool.h"

#import <Foundation/Foundation.h>

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace installer::mac {

namespace {

using lcsdk::filesystem::file_path;

// The signature every host application bundle carries.
constexpr std::string_view host_signature = "FXTC";

struct version_rule {
    std::string_view prefix;
    std::optional<HostVersion> slot; // nothing: the version is recognised and ignored
    bool first_found_stays;
};

// Matched in this order; the first prefix that fits decides.
constexpr std::array<version_rule, 7> version_rules{{
    {"8.0", std::nullopt, false},
    {"9.0", std::nullopt, false},
    {"10.0", CS5, false},
    {"10.5", CS55, false},
    {"11", CS6, false},
    {"12", CC, true},
    {"13.0", CC2014, true},
}};

const version_rule* rule_for(std::string_view version)
{
    for (const version_rule& rule : version_rules)
        if (version.starts_with(rule.prefix))
            return &rule;
    return nullptr;
}

// The text of a property list string; nothing for a missing entry or another type.
std::optional<std::string> text_of(id value)
{
    if (![value isKindOfClass:[NSString class]])
        return std::nullopt;
    return std::string([value UTF8String]);
}

// Paths read from the host's files may carry the other platform's separators.
file_path folder_from(const std::string& text)
{
    return lcsdk::filesystem::with_native_separators(file_path::from_utf8(text));
}

void read_application(folder_list& folders, const file_path& application)
{
    NSString* info_path =
        [[NSString stringWithUTF8String:application.c_str()] stringByAppendingPathComponent:@"Contents/Info.plist"];
    NSDictionary* info = [[NSDictionary alloc] initWithContentsOfFile:info_path];
    const std::optional<std::string> signature = text_of([info objectForKey:@"CFBundleSignature"]);
    const std::optional<std::string> version = text_of([info objectForKey:@"CFBundleVersion"]);
    [info release];
    if (signature != host_signature || !version)
        return;
    const version_rule* rule = rule_for(*version);
    if (rule == nullptr || !rule->slot)
        return;
    file_path& slot = folders[static_cast<std::size_t>(*rule->slot)];
    if (rule->first_found_stays && !slot.empty())
        return;
    slot = plugin_folder_of(application);
}

std::optional<HostVersion> slot_of_preference_key(std::string_view key)
{
    if (key == "13.5")
        return CC2015;
    if (key == "13.8")
        return CC2015_3;
    if (key == "14.0")
        return CC2017;
    return std::nullopt;
}

void read_preferences(folder_list& folders, const file_path& preference_file)
{
    NSDictionary* preferences =
        [[NSDictionary alloc] initWithContentsOfFile:[NSString stringWithUTF8String:preference_file.c_str()]];
    NSArray* keys = [preferences allKeys];
    for (NSUInteger i = 0; i < [keys count]; ++i) {
        const std::optional<std::string> key = text_of([keys objectAtIndex:i]);
        id entry = [preferences objectForKey:[keys objectAtIndex:i]];
        if (!key || ![entry isKindOfClass:[NSDictionary class]])
            continue;
        const std::optional<std::string> path = text_of([entry objectForKey:@"PluginInstallPath"]);
        const std::optional<HostVersion> slot = slot_of_preference_key(*key);
        if (path && slot)
            folders[static_cast<std::size_t>(*slot)] = folder_from(*path);
    }
    [preferences release];
}

} // namespace

file_path plugin_folder_of(const file_path& application)
{
    file_path parent = lcsdk::filesystem::parent_of(application);
    // An empty parent would make a relative folder, which the tools would resolve against the
    // working directory.
    if (parent.empty() && application.native().starts_with('/'))
        parent = file_path(std::string("/"));
    return lcsdk::filesystem::with_native_separators(join(parent, file_path(std::string("Plug-ins"))));
}

folder_list plugin_folders_from(const std::vector<file_path>& applications, const file_path& preference_file)
{
    const lcsdk::ui::cocoa::autorelease_pool pool;
    folder_list folders = empty_folder_list();
    for (const file_path& application : applications)
        read_application(folders, application);
    read_preferences(folders, preference_file);
    return folders;
}

} // namespace installer::mac
