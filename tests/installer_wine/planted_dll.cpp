// A stand-in for a system DLL, planted beside the installer to prove that it is never loaded:
// when a process loads it, it leaves "<its file name>.ran" beside itself.
#include <windows.h>

namespace {

void leave_marker(HINSTANCE self)
{
    wchar_t path[MAX_PATH + 8] = {};
    const DWORD length = GetModuleFileNameW(self, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    lstrcatW(path, L".ran");
    HANDLE marker = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (marker != INVALID_HANDLE_VALUE)
        CloseHandle(marker);
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        leave_marker(self);
    return TRUE;
}

// The entry points the installer would look up, failing, in case anything ever binds them.
extern "C" __declspec(dllexport) HRESULT WINAPI D2D1CreateFactory(int, const IID&, const void*, void** factory)
{
    if (factory != nullptr)
        *factory = nullptr;
    return E_FAIL;
}

extern "C" __declspec(dllexport) HRESULT WINAPI DWriteCreateFactory(int, const IID&, IUnknown** factory)
{
    if (factory != nullptr)
        *factory = nullptr;
    return E_FAIL;
}
