#include "demo_arguments.h"

#include <cstdio>

namespace toolkit_demo {

demo_arguments parse_demo_arguments(const std::vector<std::string>& words)
{
    demo_arguments parsed;
    for (std::size_t i = 0; i + 1 < words.size(); ++i) {
        const std::string& key = words[i];
        const char* value = words[i + 1].c_str();
        int a = 0;
        int b = 0;
        if (key == "--log") {
            parsed.log_word = ++i;
        } else if (key == "--at" && std::sscanf(value, "%d,%d", &a, &b) == 2) {
            parsed.options.rect.position = {a, b};
            parsed.options.centred = false;
            ++i;
        } else if (key == "--size" && std::sscanf(value, "%dx%d", &a, &b) == 2) {
            parsed.options.rect.size = {a, b};
            ++i;
        } else if (key == "--timer" && std::sscanf(value, "%d", &a) == 1 && a > 0) {
            parsed.options.timer_interval_ms = static_cast<std::uint32_t>(a);
            ++i;
        }
    }
    return parsed;
}

} // namespace toolkit_demo
