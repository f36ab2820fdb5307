#include "installer/win/system_dlls.h"

namespace installer::win {

namespace {

// Direct2D, DirectWrite, the imaging component, and CNG for the payload's digests. Direct2D loads
// DirectWrite on its own.
constexpr std::array<const wchar_t*, 4> names{L"d2d1.dll", L"dwrite.dll", L"windowscodecs.dll", L"bcrypt.dll"};

} // namespace

system_dlls::system_dlls()
{
    for (std::size_t i = 0; i < names.size(); ++i)
        modules_[i] = LoadLibraryExW(names[i], nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

std::wstring_view system_dlls::missing() const
{
    for (std::size_t i = 0; i < names.size(); ++i)
        if (modules_[i] == nullptr)
            return names[i];
    return {};
}

system_dlls::~system_dlls()
{
    for (HMODULE module : modules_)
        if (module != nullptr)
            FreeLibrary(module);
}

} // namespace installer::win
