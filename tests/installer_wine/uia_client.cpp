// A UI Automation client in a process of its own: uia_client <window title>
// Prints the element tree of the window, one element a line, indented by depth: its control type,
// its name, and the states that are not the usual ones. Exit code 0, or 1 when no such window
// exists, 2 when UI Automation fails.
//
// It uses the node API of uiautomationcore.dll, which Wine implements across processes (its COM
// client does not exist there); the API is looked up at run time and declared here.
#include <windows.h>
#include <ole2.h>

#include <uiautomationclient.h>
#include <uiautomationcore.h>

#include <cstdio>
#include <string>

namespace {

DECLARE_HANDLE(HUIANODE);

struct UiaCondition {
    int condition_type; // 0: true
};

struct UiaCacheRequest {
    UiaCondition* view_condition;
    int scope; // 1: the element
    PROPERTYID* properties;
    int property_count;
    PATTERNID* patterns;
    int pattern_count;
    int element_mode; // 1: full
};

struct node_api {
    HRESULT(WINAPI* node_from_handle)(HWND, HUIANODE*);
    BOOL(WINAPI* node_release)(HUIANODE);
    HRESULT(WINAPI* get_property_value)(HUIANODE, PROPERTYID, VARIANT*);
    HRESULT(WINAPI* navigate)(HUIANODE, NavigateDirection, UiaCondition*, UiaCacheRequest*, SAFEARRAY**, BSTR*);
};

template <typename Function>
bool look_up(HMODULE module, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
    return function != nullptr;
}

std::string utf8(const wchar_t* text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
    if (size > 1)
        WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    return out;
}

// Line breaks of a name become "\n", so that every element stays on one line.
std::string one_line(const std::string& text)
{
    std::string out;
    for (const char c : text)
        out += c == '\n' ? std::string("\\n") : std::string(1, c);
    return out;
}

const char* control_type_name(int id)
{
    switch (id) {
    case 50000: return "button";
    case 50002: return "check box";
    case 50006: return "picture";
    case 50014: return "scroll bar";
    case 50020: return "text";
    case 50032: return "window";
    case 50033: return "pane";
    default: return "other";
    }
}

class client {
public:
    explicit client(const node_api& api) : api_(api) {}

    void print(HUIANODE node, int depth)
    {
        std::string line(static_cast<std::size_t>(depth) * 2, ' ');
        line += control_type_name(integer(node, UIA_ControlTypePropertyId, -1));
        line += " \"" + one_line(text(node, UIA_NamePropertyId)) + "\"";
        if (!flag(node, UIA_IsEnabledPropertyId, true))
            line += " disabled";
        if (flag(node, UIA_HasKeyboardFocusPropertyId, false))
            line += " focused";
        if (const std::string state = toggle_state(node); !state.empty())
            line += " " + state;
        if (const std::string help = text(node, UIA_HelpTextPropertyId); !help.empty())
            line += " help \"" + one_line(help) + "\"";
        std::printf("%s\n", line.c_str());

        for (HUIANODE child = step(node, NavigateDirection_FirstChild); child;) {
            print(child, depth + 1);
            HUIANODE next = step(child, NavigateDirection_NextSibling);
            api_.node_release(child);
            child = next;
        }
    }

private:
    bool value(HUIANODE node, PROPERTYID property, VARIANT& out)
    {
        VariantInit(&out);
        return SUCCEEDED(api_.get_property_value(node, property, &out));
    }

    std::string text(HUIANODE node, PROPERTYID property)
    {
        VARIANT v;
        std::string out;
        if (value(node, property, v) && v.vt == VT_BSTR && v.bstrVal)
            out = utf8(v.bstrVal);
        VariantClear(&v);
        return out;
    }

    int integer(HUIANODE node, PROPERTYID property, int otherwise)
    {
        VARIANT v;
        const int out = value(node, property, v) && v.vt == VT_I4 ? static_cast<int>(v.lVal) : otherwise;
        VariantClear(&v);
        return out;
    }

    bool flag(HUIANODE node, PROPERTYID property, bool otherwise)
    {
        VARIANT v;
        const bool out = value(node, property, v) && v.vt == VT_BOOL ? v.boolVal != VARIANT_FALSE : otherwise;
        VariantClear(&v);
        return out;
    }

    // From the Toggle pattern's property where the system has it; Wine 8 has not, and the
    // provider says it among its ARIA properties too.
    std::string toggle_state(HUIANODE node)
    {
        const int toggle = integer(node, UIA_ToggleToggleStatePropertyId, -1);
        if (toggle >= 0)
            return toggle == 1 ? "checked" : "unchecked";
        const std::string aria = text(node, UIA_AriaPropertiesPropertyId);
        if (aria.find("checked=true") != std::string::npos)
            return "checked";
        if (aria.find("checked=false") != std::string::npos)
            return "unchecked";
        return {};
    }

    // The neighbour in a direction, or null. The node comes back as the first cell of the cache
    // answer, as a pointer-sized integer.
    HUIANODE step(HUIANODE from, NavigateDirection direction)
    {
        UiaCondition any{0};
        UiaCacheRequest request{&any, 1, nullptr, 0, nullptr, 0, 1};
        SAFEARRAY* answer = nullptr;
        BSTR structure = nullptr;
        HUIANODE found = nullptr;
        if (SUCCEEDED(api_.navigate(from, direction, &any, &request, &answer, &structure)) && answer) {
            LONG first[2]{0, 0};
            VARIANT cell;
            VariantInit(&cell);
            if (SUCCEEDED(SafeArrayGetElement(answer, first, &cell))) {
                if (cell.vt == VT_I8)
                    found = reinterpret_cast<HUIANODE>(static_cast<INT_PTR>(cell.llVal));
                else if (cell.vt == VT_I4)
                    found = reinterpret_cast<HUIANODE>(static_cast<INT_PTR>(cell.lVal));
            }
            SafeArrayDestroy(answer);
        }
        SysFreeString(structure);
        return found;
    }

    const node_api& api_;
};

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: uia_client <window title>\n");
        return 2;
    }
    const HWND target = FindWindowW(nullptr, argv[1]);
    if (!target)
        return 1;
    const HMODULE module = LoadLibraryExW(L"uiautomationcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    node_api api{};
    if (!module || !look_up(module, "UiaNodeFromHandle", api.node_from_handle) ||
        !look_up(module, "UiaNodeRelease", api.node_release) ||
        !look_up(module, "UiaGetPropertyValue", api.get_property_value) ||
        !look_up(module, "UiaNavigate", api.navigate)) {
        std::fprintf(stderr, "uiautomationcore.dll lacks the node API\n");
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    HUIANODE window_node = nullptr;
    const HRESULT found = api.node_from_handle(target, &window_node);
    if (FAILED(found) || !window_node) {
        std::fprintf(stderr, "UiaNodeFromHandle failed: 0x%08lx\n", static_cast<unsigned long>(found));
        return 2;
    }
    client(api).print(window_node, 0);
    api.node_release(window_node);
    std::fflush(stdout);
    CoUninitialize();
    return 0;
}
