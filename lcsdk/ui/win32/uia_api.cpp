#include "lcsdk/ui/win32/uia_api.h"

#include <atomic>

namespace lcsdk::ui::win32::uia {

namespace {

template <typename Function>
bool look_up(HMODULE module, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
    return function != nullptr;
}

functions load()
{
    functions loaded;
    // Never freed: providers handed out may be called until the process ends.
    const HMODULE module = LoadLibraryExW(L"uiautomationcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!module)
        return loaded;
    const bool complete = look_up(module, "UiaReturnRawElementProvider", loaded.return_raw_element_provider) &&
                          look_up(module, "UiaHostProviderFromHwnd", loaded.host_provider_from_hwnd) &&
                          look_up(module, "UiaClientsAreListening", loaded.clients_are_listening) &&
                          look_up(module, "UiaRaiseAutomationEvent", loaded.raise_automation_event) &&
                          look_up(module, "UiaRaiseAutomationPropertyChangedEvent", loaded.raise_property_changed_event) &&
                          look_up(module, "UiaRaiseStructureChangedEvent", loaded.raise_structure_changed_event);
    return complete ? loaded : functions{};
}

} // namespace

namespace {
std::atomic<bool> asked{false};
} // namespace

const functions* library()
{
    asked = true;
    // Loaded on the user-interface thread, when a client first asks a window for its provider.
    static const functions loaded = load();
    return loaded.return_raw_element_provider ? &loaded : nullptr;
}

bool asked_for() { return asked; }

} // namespace lcsdk::ui::win32::uia
