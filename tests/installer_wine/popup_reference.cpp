// Shows the toolkit's message popup with a given title and text, for comparing the installer's
// questions with the exact text they should carry, pixel for pixel:
//   popup_reference.exe <title> <UTF-8 text file> <button set 0, 1 or 2>
// Exits with the popup's result.
#include "lcsdk/ui/message_popup.h"

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string to_utf8(const wchar_t* text)
{
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1)
        return {};
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, narrow.data(), length, nullptr, nullptr);
    narrow.resize(static_cast<std::size_t>(length - 1));
    return narrow;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 4)
        return 2;
    std::ifstream source(argv[2], std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(source), std::istreambuf_iterator<char>()};
    lcsdk::ui::MessagePopup popup;
    popup.create_popup(nullptr, to_utf8(argv[1]), text, _wtoi(argv[3]));
    return popup.show_modal();
}
