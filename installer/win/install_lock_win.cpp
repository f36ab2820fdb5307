// The install lock as a named mutex in the Global namespace, so that installers in every session
// (a user's wizard, a deployment agent running as the system) see one lock. The system gives an
// owned mutex up when its thread or process ends; the next waiter then gets it as abandoned, which
// counts as taken: the run it guarded has ended either way.
#include "installer/install_lock.h"

#include <windows.h>
#include <sddl.h>

namespace installer {

namespace {

constexpr const wchar_t* mutex_name = L"Global\\Lumacraft.Glaive.Installer";
// Administrators and the system may wait on the mutex and release it, and nobody else may open it:
// a user without the rights cannot hold back the installers that have them.
constexpr const wchar_t* mutex_access = L"D:(A;;0x00100001;;;BA)(A;;0x00100001;;;SY)";

} // namespace

struct install_lock::native {
    HANDLE mutex = nullptr;
    bool held = false;
};

install_lock::install_lock()
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(mutex_access, SDDL_REVISION_1, &descriptor, nullptr))
        descriptor = nullptr;
    SECURITY_ATTRIBUTES attributes{sizeof(attributes), descriptor, FALSE};
    // Opened with only the access that waiting and releasing need, which the access list grants.
    HANDLE mutex = CreateMutexExW(descriptor != nullptr ? &attributes : nullptr, mutex_name, 0,
                                  SYNCHRONIZE | MUTEX_MODIFY_STATE);
    LocalFree(descriptor);
    if (mutex != nullptr)
        native_ = std::make_unique<native>(native{mutex, false});
}

install_lock::~install_lock()
{
    if (!native_)
        return;
    if (native_->held)
        ReleaseMutex(native_->mutex);
    CloseHandle(native_->mutex);
}

bool install_lock::try_take()
{
    return take(std::chrono::milliseconds(0));
}

bool install_lock::take(std::chrono::milliseconds patience)
{
    if (!native_)
        return true;
    const DWORD waited = WaitForSingleObject(native_->mutex, static_cast<DWORD>(patience.count()));
    native_->held = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    return native_->held;
}

} // namespace installer
