#pragma once

#include <source_location>
#include <string>
#include <vector>

namespace platform_checks {

// Records each expectation; the program's exit code is the number that failed.
class results {
public:
    void expect(bool condition, const std::string& what, std::source_location where = std::source_location::current());
    void section(const std::string& name) { current_section_ = name; }
    const std::vector<std::string>& lines() const { return lines_; }
    int failures() const { return failures_; }

private:
    std::string current_section_;
    std::vector<std::string> lines_;
    int failures_ = 0;
};

void check_window_class(results& r);
void check_geometry(results& r);
void check_messages(results& r);
void check_timers(results& r);
void check_modal_loops(results& r);
void check_drop_target(results& r);
void check_input_method(results& r);
void check_fonts(results& r);
void check_capture_loss(results& r);
void check_dpi_change(results& r);

} // namespace platform_checks
