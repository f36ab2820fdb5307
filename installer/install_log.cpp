#include "installer/install_log.h"

#include "installer/install_run.h"
#include "installer/messages.h"
#include "installer/product.h"

#include "lcsdk/filesystem/folder_creation.h"

#include <cstdlib>

namespace installer {

namespace {

std::string quoted_if_needed(const std::string& argument)
{
    if (!argument.empty() && argument.find_first_of(" \t") == std::string::npos)
        return argument;
    return "\"" + argument + "\"";
}

std::string slot_name(int slot)
{
    return host_version_names.at(static_cast<std::size_t>(slot));
}

} // namespace

std::string time_stamp(const clock_reading& clock)
{
    // By hand: the C library's formatted output would bring its whole implementation into the
    // Windows program.
    const auto digits = [](int value, int count) {
        std::string text(static_cast<std::size_t>(count), '0');
        for (int i = count - 1; i >= 0 && value > 0; --i, value /= 10)
            text[static_cast<std::size_t>(i)] = static_cast<char>('0' + value % 10);
        return text;
    };
    const int offset = std::abs(clock.utc_offset_minutes);
    return digits(clock.year, 4) + "-" + digits(clock.month, 2) + "-" + digits(clock.day, 2) + "T" +
           digits(clock.hour, 2) + ":" + digits(clock.minute, 2) + ":" + digits(clock.second, 2) +
           (clock.utc_offset_minutes < 0 ? "-" : "+") + digits(offset / 60, 2) + ":" + digits(offset % 60, 2);
}

std::string outcome_text(status_code status)
{
    switch (status) {
    case status_not_attempted:
        return "not attempted";
    case status_installing:
        return "being installed";
    case status_installed:
        return "installed";
    default:
        return error_message(status);
    }
}

bool install_log::open(const lcsdk::filesystem::file_path& file)
{
    // A log folder named for a fleet may not exist yet on every machine.
    if (const lcsdk::filesystem::file_path folder = lcsdk::filesystem::parent_of(file); !folder.empty())
        lcsdk::filesystem::create_folders(folder);
    file_ = open_for_appending(file);
    return file_ != nullptr;
}

void install_log::start(std::string_view program, const std::vector<std::string>& arguments, std::string_view user,
                        bool elevated)
{
    std::string words;
    for (const std::string& argument : arguments) {
        if (!words.empty())
            words += ' ';
        words += quoted_if_needed(argument);
    }
    write("start: " + std::string(program) + " " + std::string(product_version) + ", arguments: " +
          (words.empty() ? "none" : words) + ", user: " + std::string(user) +
          (elevated ? ", elevated" : ", not elevated"));
}

void install_log::found(const folder_list& discovered)
{
    bool any = false;
    for (int slot = 0; slot < host_version_count; ++slot) {
        const lcsdk::filesystem::file_path& folder = folder_of(discovered, slot);
        if (folder.empty())
            continue;
        write("found " + slot_name(slot) + ": " + folder.to_utf8());
        any = true;
    }
    if (!any)
        write("found no host version");
}

void install_log::skipped(int slot)
{
    write("skipped " + slot_name(slot) + ": not installed on this machine");
}

void install_log::outcomes(const folder_list& run_folders, const status_list& status)
{
    for (const int slot : chosen_slots(run_folders, empty_folder_list())) {
        const status_code code = status[static_cast<std::size_t>(slot)];
        write("result " + slot_name(slot) + " in " + folder_of(run_folders, slot).to_utf8() + ": status " +
              std::to_string(code) + ": " + outcome_text(code));
    }
}

void install_log::note(std::string_view text)
{
    write(text);
}

void install_log::end(int exit_code)
{
    write("end: exit code " + std::to_string(exit_code));
}

void install_log::write(std::string_view record)
{
    if (!file_)
        return;
    const std::string stamp = time_stamp(read_clock());
    std::string lines;
    bool first = true;
    for (;;) {
        const std::size_t end = record.find('\n');
        lines += stamp + (first ? " " : "     ") + std::string(record.substr(0, end)) + "\n";
        first = false;
        if (end == std::string_view::npos)
            break;
        record.remove_prefix(end + 1);
    }
    // One write per record, so that records of two programs appending at once do not interleave.
    file_->write(lines);
}

} // namespace installer
