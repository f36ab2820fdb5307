#include "lcsdk/ui/event_bus.h"

#include <algorithm>

namespace lcsdk::ui {

event_object::~event_object()
{
    event_bus::instance().remove_all_for(this);
}

event_bus& event_bus::instance()
{
    static event_bus bus;
    return bus;
}

handler_id event_bus::add_handler(event_object* sender, event_object* owner, std::int32_t kind, event_handler handler)
{
    const handler_id id = next_id_++;
    by_sender_[sender][kind].push_back({id, std::move(handler)});
    by_id_.emplace(id, registration{sender, kind});
    by_owner_[owner].push_back(id);
    return id;
}

void event_bus::remove_handler(handler_id id)
{
    const auto reg = by_id_.find(id);
    if (reg == by_id_.end())
        return;
    const auto [sender, kind] = reg->second;
    by_id_.erase(reg);

    const auto sender_entry = by_sender_.find(sender);
    if (sender_entry == by_sender_.end())
        return;
    const auto list = sender_entry->second.find(kind);
    if (list == sender_entry->second.end())
        return;
    // The list itself stays, possibly empty: dispatch still reports that it exists.
    std::erase_if(list->second, [id](const slot& s) { return s.id == id; });
}

bool event_bus::dispatch(event_object* sender, std::int32_t kind, std::uint64_t param)
{
    const auto sender_entry = by_sender_.find(sender);
    if (sender_entry == by_sender_.end())
        return false;
    const auto list = sender_entry->second.find(kind);
    if (list == sender_entry->second.end())
        return false;

    // Handlers may add or remove handlers (their own included) while they run, so call a copy,
    // skipping what an earlier handler removed: its owner or its sender may be gone.
    const handler_list snapshot = list->second;
    const event_info info{sender, kind, param};
    for (const slot& s : snapshot) {
        if (by_id_.contains(s.id))
            s.handler(info);
    }
    return true;
}

bool event_bus::has_handlers(const event_object* sender, std::int32_t kind) const
{
    const auto sender_entry = by_sender_.find(sender);
    return sender_entry != by_sender_.end() && sender_entry->second.contains(kind);
}

void event_bus::remove_owned_by(const event_object* owner)
{
    if (const auto owned = by_owner_.find(owner); owned != by_owner_.end()) {
        const std::vector<handler_id> ids = std::move(owned->second);
        by_owner_.erase(owned);
        for (const handler_id id : ids)
            remove_handler(id);
    }
}

void event_bus::remove_all_for(const event_object* address)
{
    remove_owned_by(address);

    if (const auto sender_entry = by_sender_.find(address); sender_entry != by_sender_.end()) {
        // Forget the ids as well, so a later object at the same address starts clean.
        for (const auto& [kind, list] : sender_entry->second)
            for (const slot& s : list)
                by_id_.erase(s.id);
        by_sender_.erase(sender_entry);
    }
}

} // namespace lcsdk::ui
