#include "installer/run_environment.h"

#include "installer/win/long_path.h"
#include "lcsdk/ui/win32/wide_text.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace installer {

namespace {

// The process's access token, closed with the object.
class process_token {
public:
    process_token()
    {
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &handle_))
            handle_ = nullptr;
    }
    ~process_token()
    {
        if (handle_ != nullptr)
            CloseHandle(handle_);
    }
    process_token(const process_token&) = delete;
    process_token& operator=(const process_token&) = delete;

    // The bytes of one kind of token information; empty when the token cannot say.
    std::vector<std::uint8_t> information(TOKEN_INFORMATION_CLASS kind) const
    {
        DWORD size = 0;
        if (handle_ == nullptr)
            return {};
        GetTokenInformation(handle_, kind, nullptr, 0, &size);
        std::vector<std::uint8_t> bytes(size);
        if (size == 0 || !GetTokenInformation(handle_, kind, bytes.data(), size, &size))
            return {};
        return bytes;
    }

private:
    HANDLE handle_ = nullptr;
};

std::int64_t ticks_of(const SYSTEMTIME& time)
{
    FILETIME file_time{};
    SystemTimeToFileTime(&time, &file_time);
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(file_time.dwHighDateTime) << 32) |
                                     file_time.dwLowDateTime);
}

class win32_append_file final : public append_file {
public:
    explicit win32_append_file(HANDLE handle) : handle_(handle) {}
    ~win32_append_file() override { CloseHandle(handle_); }
    win32_append_file(const win32_append_file&) = delete;
    win32_append_file& operator=(const win32_append_file&) = delete;

    bool write(std::string_view bytes) override
    {
        const auto size = static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        return WriteFile(handle_, bytes.data(), size, &written, nullptr) != FALSE && written == size;
    }

private:
    HANDLE handle_;
};

} // namespace

clock_reading read_clock()
{
    SYSTEMTIME utc{};
    GetSystemTime(&utc);
    SYSTEMTIME local = utc;
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        local = utc;
    constexpr std::int64_t ticks_per_minute = 600'000'000; // of 100 ns
    const auto offset = static_cast<int>((ticks_of(local) - ticks_of(utc)) / ticks_per_minute);
    return {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond, offset};
}

std::string user_name()
{
    const std::vector<std::uint8_t> user = process_token().information(TokenUser);
    if (!user.empty()) {
        PSID sid = reinterpret_cast<const TOKEN_USER*>(user.data())->User.Sid;
        wchar_t name[256] = {};
        wchar_t domain[256] = {};
        DWORD name_size = 256;
        DWORD domain_size = 256;
        SID_NAME_USE use{};
        if (LookupAccountSidW(nullptr, sid, name, &name_size, domain, &domain_size, &use))
            return lcsdk::ui::win32::wide_to_utf8(std::wstring(domain) + L"\\" + name);
    }
    wchar_t name[256] = {};
    DWORD size = 256;
    return GetUserNameW(name, &size) ? lcsdk::ui::win32::wide_to_utf8(name) : std::string("unknown");
}

bool running_elevated()
{
    const std::vector<std::uint8_t> elevation = process_token().information(TokenElevation);
    return elevation.size() >= sizeof(TOKEN_ELEVATION) &&
           reinterpret_cast<const TOKEN_ELEVATION*>(elevation.data())->TokenIsElevated != 0;
}

std::unique_ptr<append_file> open_for_appending(const lcsdk::filesystem::file_path& file)
{
    // Append-only access makes every write land at the end, also while another process appends;
    // others may read the log and append to it meanwhile.
    HANDLE handle = CreateFileW(win::openable_path(file).c_str(), FILE_APPEND_DATA,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return nullptr;
    return std::make_unique<win32_append_file>(handle);
}

void write_standard_error(std::string_view text)
{
    // A GUI program has a standard error stream only when its starter handed it one.
    HANDLE stream = GetStdHandle(STD_ERROR_HANDLE);
    if (stream == nullptr || stream == INVALID_HANDLE_VALUE)
        return;
    DWORD mode = 0;
    if (GetConsoleMode(stream, &mode)) {
        const std::wstring wide = lcsdk::ui::win32::utf8_to_wide(text);
        DWORD written = 0;
        WriteConsoleW(stream, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    DWORD written = 0;
    WriteFile(stream, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

} // namespace installer
