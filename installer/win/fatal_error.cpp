#include "installer/win/fatal_error.h"

#include "installer/messages.h"
#include "lcsdk/ui/win32/wide_text.h"

#include <windows.h>

#include <exception>
#include <string>

namespace installer::win {

int report_fatal_error(std::string_view reason)
{
    const std::string text = "The installer cannot continue: " + std::string(reason) + ".";
    MessageBoxW(nullptr, lcsdk::ui::win32::utf8_to_wide(text).c_str(),
                lcsdk::ui::win32::utf8_to_wide(window_title).c_str(), MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
    return fatal_error_exit_code;
}

int run_reporting_fatal_errors(const std::function<int()>& body)
{
    try {
        return body();
    } catch (const std::exception& failure) {
        return report_fatal_error(failure.what());
    } catch (...) {
        // A COM call through a missing interface raises _com_error, which carries no text of ours.
        return report_fatal_error("an unexpected error occurred");
    }
}

} // namespace installer::win
