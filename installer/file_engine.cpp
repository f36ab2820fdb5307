#include "installer/file_engine.h"

#include "installer/product.h"
#include "installer/system.h"

#include "lcsdk/filesystem/folder_creation.h"

#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace installer {

namespace {

using lcsdk::filesystem::file_path;
using lcsdk::filesystem::native_text;

constexpr std::string_view plugin_file_name = "Glaive.aex";
// The host loads "*.aex" files only, so the side file is never picked up half written.
constexpr std::string_view side_file_suffix = ".partial";

// How much a read-back reads at a time.
constexpr std::size_t read_chunk_size = 64 * 1024;

// The payloads of a run, each looked up once, before anything is written.
class run_payloads {
public:
    run_payloads(file_calls& calls, const std::vector<int>& slots, const folder_list& plugin_folders,
                 int custom_main_payload)
    {
        for (const payload_kind kind : payloads_used(slots, plugin_folders, custom_main_payload))
            lookups_[index(kind)] = calls.find_payload(kind);
    }

    // Whether every payload the program carries is what the build recorded; a digest that cannot
    // be computed counts as a mismatch. A missing payload fails later, at the slot that needs it.
    bool intact() const
    {
        for (const std::optional<payload_lookup>& lookup : lookups_) {
            const carried_payload* payload = lookup ? std::get_if<carried_payload>(&*lookup) : nullptr;
            if (payload != nullptr && sha256_of(payload->bytes.data, payload->bytes.size) != payload->digest)
                return false;
        }
        return true;
    }

    // The payload of a kind that a slot of the run needs.
    const payload_lookup& operator[](payload_kind kind) const { return lookups_[index(kind)].value(); }

private:
    static std::size_t index(payload_kind kind) { return kind == payload_kind::main ? 0 : 1; }

    std::array<std::optional<payload_lookup>, 2> lookups_;
};

// Writes a payload into a vendor folder; status_installed or the failing step's status.
status_code write_plugin_file(file_calls& calls, const payload_lookup& payload, const file_path& vendor_folder)
{
    if (const status_code* failure = std::get_if<status_code>(&payload))
        return *failure;
    const carried_payload& carried = std::get<carried_payload>(payload);

    const file_path target = vendor_folder.append_plain(native_text(plugin_file_name));
    const file_path side_file = target.with_suffix(native_text(side_file_suffix));
    std::unique_ptr<open_file> file = calls.create(side_file);
    if (!file)
        return status_create_failed;
    bool complete = file->write(carried.bytes) && file->flush();
    complete = file->close() && complete;
    // A disk, a network share or a security product that changes the bytes on their way shows
    // here, before the copy takes the place of a working plug-in.
    complete = complete && calls.read_back(side_file) == carried.digest;
    if (!complete) {
        calls.remove(side_file);
        return status_write_failed;
    }
    // Fails like creating the plug-in would when a running host holds the old one open.
    if (!calls.replace(side_file, target)) {
        calls.remove(side_file);
        return status_create_failed;
    }
    return status_installed;
}

} // namespace

std::optional<sha256_sum> digest_of_reads(const std::function<std::ptrdiff_t(unsigned char* buffer, std::size_t size)>& read_some)
{
    sha256 hash;
    std::vector<unsigned char> buffer(read_chunk_size);
    for (;;) {
        const std::ptrdiff_t got = read_some(buffer.data(), buffer.size());
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            return hash.finish();
        hash.update(buffer.data(), static_cast<std::size_t>(got));
    }
}

void install_plugin_files(System& engine, const folder_list& plugin_folders, const folder_list& script_folders,
                          int custom_main_payload, file_calls& calls)
{
    const run_scope run(engine);
    const std::vector<int> slots = chosen_slots(plugin_folders, script_folders);
    const run_payloads payloads(calls, slots, plugin_folders, custom_main_payload);
    if (!payloads.intact()) {
        fail_each(engine, slots, status_payload_unloadable);
        return;
    }
    const bool complete = install_each(engine, slots, [&](int slot) -> status_code {
        // No script files are carried, so a slot with only a script folder has nothing to
        // write; without a plug-in folder the vendor folder would land in the drive's root.
        const file_path& folder = folder_of(plugin_folders, slot);
        if (folder.empty())
            return status_installed;
        // Plain appending: a folder ending in a separator gives a doubled one, which the file
        // system accepts. A vendor folder that cannot be made shows up when the file is created.
        const file_path vendor = folder.append_plain(native_text(vendor_folder_name));
        calls.make_folder(vendor);
        return write_plugin_file(calls, payloads[payload_for(slot, custom_main_payload)], vendor);
    });
    // Without a base the join would name a folder relative to the working directory (the system
    // folder, for an elevated process), so nothing is made then.
    const file_path app_data = complete ? calls.app_data_folder() : file_path();
    if (!app_data.empty())
        lcsdk::filesystem::create_folders(join(app_data, file_path(native_text(vendor_folder_name))));
}

} // namespace installer
