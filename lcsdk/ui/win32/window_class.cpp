#include "lcsdk/ui/win32/window_class.h"

#include <cwchar>
#include <iterator>

namespace lcsdk::ui::win32 {

namespace {

wchar_t class_name[256] = L"LCSDK_WINDOW_CLASS";
bool class_registered = false;

} // namespace

const wchar_t* register_window_class(HINSTANCE instance, WNDPROC procedure)
{
    if (class_registered)
        return class_name;
    class_registered = true;

    WNDCLASSW existing{};
    while (GetClassInfoW(instance, class_name, &existing) && std::wcslen(class_name) + 1 < std::size(class_name))
        wcscat_s(class_name, L"0");

    WNDCLASSEXW description{};
    description.cbSize = sizeof(description);
    description.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    description.lpfnWndProc = procedure;
    description.hInstance = instance;
    description.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    description.lpszClassName = class_name;
    RegisterClassExW(&description);
    return class_name;
}

} // namespace lcsdk::ui::win32
