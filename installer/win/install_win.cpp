#include "installer/file_engine.h"
#include "installer/payload/payload_digest.h"
#include "installer/system.h"
#include "installer/win/long_path.h"

#include "lcsdk/filesystem/folder_creation.h"

#include <windows.h>
#include <shlobj.h>

// The Windows engine: the plug-in is a resource of the program itself, written with Win32 file
// calls into each chosen folder by the shared write sequence.
namespace installer {

namespace {

using lcsdk::filesystem::file_path;

// The main payload: resource RT_RCDATA 400. The program carries no resource 300, the payload of
// the two oldest versions, and so records no digest for it.
constexpr int main_payload_resource = 400;

// One file handle, closed by close() or at the latest by the destructor.
class win32_file final : public open_file {
public:
    explicit win32_file(HANDLE handle) : handle_(handle) {}
    ~win32_file() override { close(); }
    win32_file(const win32_file&) = delete;
    win32_file& operator=(const win32_file&) = delete;

    bool write(const payload_bytes& bytes) override
    {
        const auto size = static_cast<DWORD>(bytes.size);
        DWORD written = 0;
        return WriteFile(handle_, bytes.data, size, &written, nullptr) != FALSE && written == size;
    }
    bool flush() override { return FlushFileBuffers(handle_) != FALSE; }
    // Reads to the end: the SHA-256 of what was read, or nothing when reading fails.
    std::optional<sha256_sum> read_digest()
    {
        return digest_of_reads([this](unsigned char* buffer, std::size_t size) -> std::ptrdiff_t {
            DWORD got = 0;
            if (ReadFile(handle_, buffer, static_cast<DWORD>(size), &got, nullptr) == FALSE)
                return -1;
            return static_cast<std::ptrdiff_t>(got);
        });
    }
    bool close() override
    {
        if (handle_ == nullptr)
            return true;
        const bool closed = CloseHandle(handle_) != FALSE;
        handle_ = nullptr;
        return closed;
    }

private:
    HANDLE handle_;
};

// Every path goes through the long form where its length needs it: the side file's name is
// longer than the plug-in's, and the vendor folder meets the folder limit first.
class win32_calls final : public file_calls {
public:
    payload_lookup find_payload(payload_kind kind) override
    {
        if (kind != payload_kind::main)
            return status_payload_missing;
        HRSRC found =
            FindResourceW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(main_payload_resource), MAKEINTRESOURCEW(10));
        if (found == nullptr)
            return status_payload_missing;
        HGLOBAL loaded = LoadResource(nullptr, found);
        const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
        if (bytes == nullptr)
            return status_payload_unloadable;
        return carried_payload{{bytes, SizeofResource(nullptr, found)}, payload::main_payload_sha256};
    }
    void make_folder(const file_path& folder) override
    {
        lcsdk::filesystem::make_folder(win::creatable_folder_path(folder));
    }
    std::unique_ptr<open_file> create(const file_path& file) override
    {
        HANDLE handle = CreateFileW(win::openable_path(file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        return handle == INVALID_HANDLE_VALUE ? nullptr : std::make_unique<win32_file>(handle);
    }
    bool replace(const file_path& from, const file_path& to) override
    {
        return MoveFileExW(win::openable_path(from).c_str(), win::openable_path(to).c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    }
    void remove(const file_path& file) override { DeleteFileW(win::openable_path(file).c_str()); }
    std::optional<sha256_sum> read_back(const file_path& file) override
    {
        HANDLE handle = CreateFileW(win::openable_path(file).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return std::nullopt;
        return win32_file(handle).read_digest();
    }
    file_path app_data_folder() override
    {
        wchar_t buffer[MAX_PATH] = {};
        if (FAILED(SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, buffer)))
            return {};
        return lcsdk::filesystem::with_native_separators(file_path(buffer));
    }
};

} // namespace

void System::install(const folder_list& plugin_folders, const folder_list& script_folders, int custom_main_payload)
{
    win32_calls calls;
    install_plugin_files(*this, plugin_folders, script_folders, custom_main_payload, calls);
}

} // namespace installer
