#include "installer/engine_steps.h"
#include "installer/product.h"
#include "installer/system.h"

#include "lcsdk/filesystem/folder_creation.h"

namespace installer {

namespace {

using lcsdk::filesystem::file_path;
using lcsdk::filesystem::native_text;

int payload_for(int slot, int custom_main_payload)
{
    if (slot == Custom)
        return custom_main_payload != 0 ? main_payload_id : legacy_payload_id;
    if (slot == CS3 || slot == CS4)
        return legacy_payload_id;
    return main_payload_id;
}

} // namespace

void System::install(const folder_list& plugin_folders, const folder_list& script_folders, int custom_main_payload)
{
    done.store(false);
    for (int i = 0; i < host_version_count; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        const file_path& folder = slot < plugin_folders.size() ? plugin_folders[slot] : file_path{};
        const bool has_scripts = slot < script_folders.size() && !script_folders[slot].empty();
        if (folder.empty() && !has_scripts)
            continue;
        status[slot].store(status_installing);

        // This build carries no script files, so a slot with only a script folder has nothing to
        // write; without a plug-in folder the vendor folder would land in the drive's root.
        if (!folder.empty()) {
            // Plain appending: a folder ending in a separator gives a doubled one, which the file
            // system accepts. A vendor folder that cannot be made shows up when the file is created.
            const file_path vendor = folder.append_plain(native_text(vendor_folder_name));
            lcsdk::filesystem::make_folder(vendor);
            const file_path target = vendor.append_plain(native_text(plugin_file_name));
            if (const int code = write_payload(payload_for(i, custom_main_payload), target); code != step_ok) {
                status[slot].store(code * 10);
                done.store(true);
                return;
            }
        }
        status[slot].store(status_installed);
    }

    // Without a base the join would name a folder relative to the working directory (the system
    // folder, for an elevated process), so nothing is made then.
    const file_path base = common_app_data_folder();
    if (!base.empty())
        lcsdk::filesystem::create_folders(join(base, file_path(native_text(vendor_folder_name))));
    done.store(true);
}

System::snapshot System::read() const
{
    snapshot result;
    result.finished = done.load();
    for (std::size_t i = 0; i < status.size(); ++i)
        result.status[i] = status[i].load();
    return result;
}

} // namespace installer
