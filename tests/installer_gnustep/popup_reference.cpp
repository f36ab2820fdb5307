// Shows the toolkit's message popup with a given title and text, for comparing the installer's
// questions with the exact text they should carry, pixel for pixel:
//   popup_reference [GNUstep defaults...] -- <title> <UTF-8 text file> <button set 0, 1 or 2>
// (A first argument that is not an option would be taken by GNUstep for a file to open.) Exits with
// the popup's result.
#include "cocoa_application.h"

#include "lcsdk/ui/message_popup.h"

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::vector<std::string> words;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--") {
            words.assign(argv + i + 1, argv + argc);
            break;
        }
    }
    if (words.size() < 3)
        return 2;
    std::ifstream source(words[1], std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(source), std::istreambuf_iterator<char>()};
    return examples::run_cocoa_application([&] {
        lcsdk::ui::MessagePopup popup;
        popup.create_popup(nullptr, words[0], text, std::stoi(words[2]));
        return popup.show_modal();
    });
}
