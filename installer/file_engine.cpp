#include "installer/file_engine.h"

#include "installer/product.h"
#include "installer/system.h"

#include "lcsdk/filesystem/folder_creation.h"

namespace installer {

using lcsdk::filesystem::file_path;
using lcsdk::filesystem::native_text;

void install_plugin_files(System& engine, const folder_list& plugin_folders, const folder_list& script_folders,
                          int custom_main_payload, const payload_writer& write, const file_path& app_data)
{
    const run_scope run(engine);
    const bool complete =
        install_each(engine, chosen_slots(plugin_folders, script_folders), [&](int slot) -> std::int32_t {
            // No script files are carried, so a slot with only a script folder has nothing to
            // write; without a plug-in folder the vendor folder would land in the drive's root.
            const file_path& folder = folder_of(plugin_folders, slot);
            if (folder.empty())
                return status_installed;
            // Plain appending: a folder ending in a separator gives a doubled one, which the file
            // system accepts. A vendor folder that cannot be made shows up when the file is created.
            const file_path vendor = folder.append_plain(native_text(vendor_folder_name));
            lcsdk::filesystem::make_folder(vendor);
            const int step = write(payload_for(slot, custom_main_payload), vendor);
            return step == step_ok ? status_installed : step * 10;
        });
    // Without a base the join would name a folder relative to the working directory (the system
    // folder, for an elevated process), so nothing is made then.
    if (complete && !app_data.empty())
        lcsdk::filesystem::create_folders(join(app_data, file_path(native_text(vendor_folder_name))));
}

} // namespace installer
