#include "event_log.h"

namespace examples {

event_log::event_log(std::FILE* file) : file_(file) {}

event_log::~event_log()
{
    if (file_)
        std::fclose(file_);
}

void event_log::line(const std::string& text)
{
    if (!file_)
        return;
    std::fputs(text.c_str(), file_);
    std::fputc('\n', file_);
    std::fflush(file_);
}

void event_log::event(const std::string& sender, std::int32_t kind, const std::string& param)
{
    line("event " + sender + " " + std::to_string(kind) + " " + param);
}

} // namespace examples
