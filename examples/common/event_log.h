#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace examples {

// One line per thing an example program wants a test to see, flushed at once so that a test can
// follow the file while the program runs. Without a file the log is a no-op.
class event_log {
public:
    // Takes ownership of `file` (may be null); the program's entry opens it in its own way.
    explicit event_log(std::FILE* file);
    ~event_log();
    event_log(const event_log&) = delete;
    event_log& operator=(const event_log&) = delete;

    void line(const std::string& text);
    // "event <sender> <kind> <param>"
    void event(const std::string& sender, std::int32_t kind, const std::string& param);

private:
    std::FILE* file_ = nullptr;
};

} // namespace examples
