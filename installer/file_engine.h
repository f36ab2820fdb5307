#pragma once

#include "installer/install_run.h"
#include "installer/sha256.h"

#include "lcsdk/filesystem/file_path.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <variant>

// The engines that write the plug-in as one file (Windows, and the neutral build on POSIX calls):
// one run and one write sequence, shared, over the few file calls each platform supplies.
namespace installer {

// A payload as the program carries it.
struct payload_bytes {
    const void* data = nullptr;
    std::size_t size = 0;
};

// A payload with the SHA-256 that the build recorded for it, compiled into the program's code so
// that the payload cannot be swapped without the two disagreeing.
struct carried_payload {
    payload_bytes bytes;
    sha256_sum digest{};
};

// The payload of a kind, or why there is none: status_payload_missing or status_payload_unloadable.
using payload_lookup = std::variant<carried_payload, status_code>;

// A file open for writing. Destroying it closes it when close() was not called.
class open_file {
public:
    virtual ~open_file() = default;
    // Writes every byte; false when not all of them could be written.
    virtual bool write(const payload_bytes& bytes) = 0;
    // Asks the system to put what was written on the disk; false when it cannot.
    virtual bool flush() = 0;
    // Closes the file; false when the system reports that written data was lost.
    virtual bool close() = 0;
};

// What a platform supplies to write the plug-in. Paths come in their plain form; a platform turns
// them into whatever form its own calls need.
class file_calls {
public:
    virtual payload_lookup find_payload(payload_kind kind) = 0;
    // Makes one folder. Whether that worked shows when a file is created in it.
    virtual void make_folder(const lcsdk::filesystem::file_path& folder) = 0;
    // Creates a file for writing, emptying one of that name, not shared with other writers; null
    // when it cannot be created.
    virtual std::unique_ptr<open_file> create(const lcsdk::filesystem::file_path& file) = 0;
    // Puts `from` in the place of `to`, replacing a file there; false when it cannot (a running
    // host may hold the old plug-in open).
    virtual bool replace(const lcsdk::filesystem::file_path& from, const lcsdk::filesystem::file_path& to) = 0;
    virtual void remove(const lcsdk::filesystem::file_path& file) = 0;
    // Reads a closed file back from the disk: the SHA-256 of its content, or nothing when it
    // cannot be read.
    virtual std::optional<sha256_sum> read_back(const lcsdk::filesystem::file_path& file) = 0;
    // The machine-wide application data folder; empty when the system cannot say.
    virtual lcsdk::filesystem::file_path app_data_folder() = 0;

protected:
    ~file_calls() = default;
};

// The SHA-256 of everything `read_some` gives, chunk after chunk, until it gives 0 bytes; nothing
// when it fails (gives a negative count). For a platform's read_back.
std::optional<sha256_sum> digest_of_reads(const std::function<std::ptrdiff_t(unsigned char* buffer, std::size_t size)>& read_some);

// One run of such an engine. First every payload the run uses is checked against its recorded
// digest: a damaged one ends the run with status_payload_unloadable on every chosen slot before
// anything is written. Then, for each chosen slot, makes the vendor folder in its plug-in folder
// and writes the slot's payload there as the plug-in file; then, after a complete run, makes the
// vendor folder in the machine-wide data folder (nothing when that is unknown). The plug-in file
// appears complete or not at all: the bytes go to a side file in the same folder that replaces
// the plug-in only once written in full and read back with the recorded digest, and is removed
// on failure, so a failure leaves the previous plug-in (or none) where the host loads it.
void install_plugin_files(System& engine, const folder_list& plugin_folders, const folder_list& script_folders,
                          int custom_main_payload, file_calls& calls);

} // namespace installer
