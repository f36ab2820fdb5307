#pragma once

#include "lcsdk/ui/event_bus.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform_checks {

struct recorded_event {
    std::string sender;
    std::int32_t kind;
    std::uint64_t param;

    friend bool operator==(const recorded_event&, const recorded_event&) = default;
};

// Writes down the events of chosen senders in the order they arrive.
class recorder : public lcsdk::ui::event_object {
public:
    void watch(lcsdk::ui::event_object& sender, const std::string& name, std::initializer_list<std::int32_t> kinds)
    {
        for (std::int32_t kind : kinds) {
            lcsdk::ui::add_handler(&sender, this, kind, [this, name](const lcsdk::ui::event_info& e) {
                events.push_back({name, e.kind, e.param});
            });
        }
    }

    std::vector<recorded_event> events;
};

} // namespace platform_checks
