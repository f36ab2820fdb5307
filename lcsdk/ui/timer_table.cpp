#include "lcsdk/ui/timer_table.h"

#include "lcsdk/ui/event_bus.h"
#include "lcsdk/ui/widget.h"

#include <algorithm>

namespace lcsdk::ui {

std::optional<std::uint32_t> timer_table::add(widget* target, std::int32_t id_value, bool one_shot)
{
    const bool taken = std::any_of(timers_.begin(), timers_.end(), [&](const auto& entry) {
        return entry.second.target == target && entry.second.id_value == id_value;
    });
    if (taken)
        return std::nullopt;
    const std::uint32_t key = ++last_id_;
    timers_.emplace(key, timer_event{id_value, target, one_shot});
    return key;
}

std::optional<std::uint32_t> timer_table::remove(widget* target, std::int32_t id_value)
{
    const auto found = std::find_if(timers_.begin(), timers_.end(), [&](const auto& entry) {
        return entry.second.target == target && entry.second.id_value == id_value;
    });
    if (found == timers_.end())
        return std::nullopt;
    const std::uint32_t key = found->first;
    timers_.erase(found);
    return key;
}

std::optional<timer_event> timer_table::find(std::uint32_t key) const
{
    const auto found = timers_.find(key);
    if (found == timers_.end())
        return std::nullopt;
    return found->second;
}

std::optional<timer_event> timer_table::fire(std::uint32_t key) const
{
    const auto entry = find(key);
    if (entry)
        dispatch(entry->target, timer_tick, static_cast<std::uint64_t>(static_cast<std::uint32_t>(entry->id_value)));
    return entry;
}

} // namespace lcsdk::ui
