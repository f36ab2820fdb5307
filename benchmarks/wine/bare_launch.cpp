// The least a program like the installer does before its first frame, to time the installer's
// start against: started without the marker it starts itself again through the shell's "runas"
// verb with "/UAC" and ends, as the installer does; the copy with the marker opens one window and
// paints one Direct2D frame, a fill and one line of DirectWrite text, then waits to be ended.
#include <windows.h>
#include <shellapi.h>

#include <d2d1.h>
#include <dwrite.h>

#include <cwchar>

namespace {

constexpr wchar_t marker[] = L"/UAC";
constexpr wchar_t title[] = L"Bare launch";
constexpr int client_width = 500;
constexpr int client_height = 360;

ID2D1Factory* factory = nullptr;
ID2D1HwndRenderTarget* target = nullptr;
ID2D1SolidColorBrush* brush = nullptr;
IDWriteFactory* write_factory = nullptr;
IDWriteTextFormat* format = nullptr;

bool relaunch()
{
    wchar_t executable[MAX_PATH] = {};
    if (GetModuleFileNameW(nullptr, executable, MAX_PATH) == 0)
        return false;
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"runas";
    info.lpFile = executable;
    info.lpParameters = marker;
    info.nShow = SW_SHOWDEFAULT;
    return ShellExecuteExW(&info) != FALSE;
}

void paint(HWND window)
{
    PAINTSTRUCT paint_record{};
    BeginPaint(window, &paint_record);
    if (!target) {
        RECT client{};
        GetClientRect(window, &client);
        factory->CreateHwndRenderTarget(
            D2D1_RENDER_TARGET_PROPERTIES{D2D1_RENDER_TARGET_TYPE_DEFAULT, {DXGI_FORMAT_UNKNOWN, D2D1_ALPHA_MODE_UNKNOWN},
                                          0.0f, 0.0f, D2D1_RENDER_TARGET_USAGE_NONE, D2D1_FEATURE_LEVEL_DEFAULT},
            D2D1_HWND_RENDER_TARGET_PROPERTIES{
                window, {static_cast<UINT32>(client.right), static_cast<UINT32>(client.bottom)}, D2D1_PRESENT_OPTIONS_NONE},
            &target);
        target->CreateSolidColorBrush(D2D1_COLOR_F{1.0f, 1.0f, 1.0f, 1.0f}, &brush);
    }
    target->BeginDraw();
    // The colour of the wizard's button bar, which the benchmark waits for in both programs.
    target->Clear(D2D1_COLOR_F{70.0f / 255.0f, 70.0f / 255.0f, 70.0f / 255.0f, 1.0f});
    const wchar_t text[] = L"Glaive for After Effects";
    target->DrawText(text, static_cast<UINT32>(std::wcslen(text)), format,
                     D2D1_RECT_F{20.0f, 20.0f, static_cast<float>(client_width), 60.0f}, brush);
    target->EndDraw();
    EndPaint(window, &paint_record);
}

LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_PAINT:
        paint(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wparam, lparam);
    }
}

int show_window()
{
    D2D1CreateFactory(D2D1_FACTORY_TYPE_SINGLE_THREADED, __uuidof(ID2D1Factory), nullptr,
                      reinterpret_cast<void**>(&factory));
    DWriteCreateFactory(DWRITE_FACTORY_TYPE_SHARED, __uuidof(IDWriteFactory), reinterpret_cast<IUnknown**>(&write_factory));
    write_factory->CreateTextFormat(L"Verdana", nullptr, DWRITE_FONT_WEIGHT_NORMAL, DWRITE_FONT_STYLE_NORMAL,
                                    DWRITE_FONT_STRETCH_NORMAL, 12.0f, L"en-us", &format);

    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = window_procedure;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.lpszClassName = L"BARE_LAUNCH";
    RegisterClassExW(&window_class);

    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    RECT frame{0, 0, client_width, client_height};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    HWND window = CreateWindowExW(0, L"BARE_LAUNCH", title, style, 100, 100, frame.right - frame.left,
                                  frame.bottom - frame.top, nullptr, nullptr, window_class.hInstance, nullptr);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);

    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR command_line, int)
{
    if (command_line != nullptr && std::wcsstr(command_line, marker) != nullptr)
        return show_window();
    return relaunch() ? 0 : 1;
}
