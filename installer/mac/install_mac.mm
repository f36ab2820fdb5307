// The macOS engine: the payload bundles checked against their manifests, administrator rights from
// Authorization Services, then, per chosen folder, the plug-in bundle copied with the system's tools
// into the vendor folder. The bundle is copied beside the installed one and takes its place only
// once complete and checked against the manifest, so a failed or damaged copy leaves the previous
// bundle (or none) and no partial one where the host loads plug-ins.
#include "installer/install_run.h"
#include "installer/mac/admin_rights.h"
#include "installer/mac/payload_manifest.h"
#include "installer/posix/lock_file.h"
#include "installer/product.h"
#include "installer/status_codes.h"
#include "installer/system.h"
#include "lcsdk/ui/cocoa/autorelease_pool.h"

#import <Foundation/Foundation.h>

#include <algorithm>
#include <optional>
#include <string>

namespace installer {

namespace {

using lcsdk::filesystem::file_path;

constexpr std::string_view bundle_name = "Glaive.plugin";
// Beside the installed bundle: the new copy while it is made, and the old bundle while the new
// one takes its place. The host loads "*.plugin" bundles only, so it never picks these up.
constexpr std::string_view copy_suffix = ".partial";
constexpr std::string_view previous_suffix = ".previous";

file_path path_of(std::string_view name) { return file_path(std::string(name)); }

// The payload bundle of a kind among the application's resources; empty when it is missing.
file_path payload_bundle(payload_kind kind)
{
    NSString* name = kind == payload_kind::main ? @"Glaive" : @"Glaive32";
    NSString* path = [[NSBundle mainBundle] pathForResource:name ofType:@"plugin"];
    return path != nil ? file_path::from_utf8([path UTF8String]) : file_path();
}

// The complete copy takes the installed bundle's place; false when it could not, with the installed
// bundle (or none) left as it was. Every step is decided by the tools' own statuses, run with the
// rights: what this process could see as the user may differ. The old bundle is moved aside first,
// since mv would move the copy into a folder in its way, and back when the new one cannot follow.
bool replace_bundle(mac::admin_rights& rights, const file_path& target, const file_path& copy,
                    const file_path& previous)
{
    // A run that was interrupted may have left the old bundle aside.
    if (rights.run("/bin/rm", {"-rf", previous.native()}) != 0)
        return false;
    // test -e ends with 0 when something is there and 1 when nothing is.
    const std::optional<int> occupied = rights.run("/bin/test", {"-e", target.native()});
    if (occupied != 0 && occupied != 1)
        return false;
    const bool moved_aside = occupied == 0;
    if (moved_aside && rights.run("/bin/mv", {target.native(), previous.native()}) != 0)
        return false;
    if (rights.run("/bin/mv", {copy.native(), target.native()}) != 0) {
        if (moved_aside)
            rights.run("/bin/mv", {previous.native(), target.native()});
        return false;
    }
    rights.run("/bin/rm", {"-rf", previous.native()});
    return true;
}

// Installs one bundle; status_installed or status_copy_failed.
status_code install_bundle(mac::admin_rights& rights, const file_path& folder, payload_kind kind)
{
    const file_path payload = payload_bundle(kind);
    if (payload.empty())
        return status_copy_failed;
    const file_path vendor = join(folder, path_of(vendor_folder_name));
    const file_path target = join(vendor, path_of(bundle_name));
    const file_path copy = target.with_suffix(copy_suffix);
    const file_path previous = target.with_suffix(previous_suffix);

    rights.run("/bin/mkdir", {vendor.native()});
    rights.run("/bin/chmod", {"775", vendor.native()});
    // A run that was interrupted may have left a partial copy.
    rights.run("/bin/rm", {"-rf", copy.native()});
    // The copy must hold what the build made: a disk, a network share or a security product that
    // changes data on the way shows here, before the copy takes the installed bundle's place.
    if (rights.run("/usr/bin/ditto", {payload.native(), copy.native()}) != 0 ||
        !mac::matches_manifest(copy, mac::payload_manifest(kind))) {
        rights.run("/bin/rm", {"-rf", copy.native()});
        return status_copy_failed;
    }
    rights.run("/bin/chmod", {"-R", "775", copy.native()});
    if (!replace_bundle(rights, target, copy, previous)) {
        rights.run("/bin/rm", {"-rf", copy.native()});
        return status_copy_failed;
    }
    return status_installed;
}

// Whether every payload bundle of `kinds` that the application carries is the one the build made.
// A missing one fails later, at the slot that needs it.
bool payloads_intact(const std::vector<payload_kind>& kinds)
{
    return std::all_of(kinds.begin(), kinds.end(), [](payload_kind kind) {
        const file_path bundle = payload_bundle(kind);
        return bundle.empty() || mac::matches_manifest(bundle, mac::payload_manifest(kind));
    });
}

// While a run goes on, the system neither naps the program (App Nap would slow the run behind the
// wizard's back) nor lets the machine sleep.
class run_activity {
public:
    run_activity()
        : token_([[[NSProcessInfo processInfo] beginActivityWithOptions:NSActivityUserInitiated
                                                                  reason:@"Installing the plug-in"] retain])
    {
    }
    ~run_activity()
    {
        [[NSProcessInfo processInfo] endActivity:token_];
        [token_ release];
    }
    run_activity(const run_activity&) = delete;
    run_activity& operator=(const run_activity&) = delete;

private:
    id token_;
};

// The first local application support folder; empty when the system names none.
file_path application_support_folder()
{
    NSArray* folders = NSSearchPathForDirectoriesInDomains(NSApplicationSupportDirectory, NSLocalDomainMask, YES);
    if ([folders count] == 0)
        return {};
    return lcsdk::filesystem::with_native_separators(file_path::from_utf8([[folders objectAtIndex:0] UTF8String]));
}

} // namespace

// Beside the host's own folders, where only root may make files.
lcsdk::filesystem::file_path posix::install_lock_file()
{
    const lcsdk::ui::cocoa::autorelease_pool pool;
    const file_path base = application_support_folder();
    return base.empty() ? file_path() : lcsdk::filesystem::join(base, path_of("com.lumacraft.installer.lock"));
}

void System::install(const folder_list& plugin_folders, const folder_list& script_folders, int custom_main_payload)
{
    const lcsdk::ui::cocoa::autorelease_pool pool;
    const run_activity activity;
    const run_scope run(*this);
    const std::vector<int> slots = chosen_slots(plugin_folders, script_folders);
    // A damaged payload ends the run before the user is asked for rights: nothing would be done
    // with them.
    if (!payloads_intact(payloads_used(slots, plugin_folders, custom_main_payload))) {
        fail_each(*this, slots, status_payload_unloadable);
        return;
    }
    // Declared after the run's scope, so the rights are destroyed before `done` is set.
    mac::admin_rights rights;
    if (!rights.acquire(interaction_allowed)) {
        fail_each(*this, slots, status_rights_refused);
        return;
    }
    const bool complete = install_each(*this, slots, [&](int slot) -> status_code {
        // No script files are carried: a slot with only a script folder has nothing to copy.
        const file_path& folder = folder_of(plugin_folders, slot);
        if (folder.empty())
            return status_installed;
        return install_bundle(rights, folder, payload_for(slot, custom_main_payload));
    });
    if (!complete)
        return;
    // Without a base the folder would be made relative to the working directory, so nothing is
    // made then.
    if (const file_path base = application_support_folder(); !base.empty()) {
        const file_path shared = lcsdk::filesystem::join(base, path_of(vendor_folder_name));
        rights.run("/bin/mkdir", {shared.native()});
        rights.run("/bin/chmod", {"-R", "0777", shared.native()});
    }
}

} // namespace installer
