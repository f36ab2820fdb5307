#include "lcsdk/ui/win32/com_support.h"

#include <stdexcept>

namespace lcsdk::ui::win32 {

void throw_if_failed(HRESULT result, const char* message)
{
    if (FAILED(result))
        throw std::runtime_error(message);
}

com_apartment::com_apartment(DWORD model) : result_(CoInitializeEx(nullptr, model)) {}

com_apartment::~com_apartment()
{
    // Only a successful call (S_OK or S_FALSE) counts towards the thread's balance; RPC_E_CHANGED_MODE
    // and every other failure leave nothing to undo.
    if (SUCCEEDED(result_))
        CoUninitialize();
}

} // namespace lcsdk::ui::win32
