#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace toolkit_demo {

// One line per toolkit event the demo receives, flushed at once so that a test can follow the
// file while the program runs. Without a path the log is a no-op.
class event_log {
public:
    explicit event_log(const std::wstring& path);
    ~event_log();
    event_log(const event_log&) = delete;
    event_log& operator=(const event_log&) = delete;

    void line(const std::string& text);
    void event(const std::string& sender, std::int32_t kind, const std::string& param);

private:
    std::FILE* file_ = nullptr;
};

} // namespace toolkit_demo
