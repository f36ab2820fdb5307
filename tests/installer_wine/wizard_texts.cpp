// Builds the wizard under Windows and measures every text it can show with its drawer:
//   wizard_texts.exe
// Prints each text with its box and the room it needs; exits with 1 when one is cut off.
#include "support/wizard_texts.h"

#include <algorithm>
#include <cstdio>

int wmain()
{
    installer::InstallerUI wizard;
    const auto texts = installer::testing::walk_wizard_texts(wizard);
    std::fputs(installer::testing::describe(texts).c_str(), stdout);
    return std::all_of(texts.begin(), texts.end(), [](const auto& t) { return t.fits(); }) ? 0 : 1;
}
