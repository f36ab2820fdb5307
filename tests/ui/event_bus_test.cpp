#include "lcsdk/ui/event_bus.h"
#include "lcsdk/ui/geometry.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace lcsdk::ui;

namespace {

struct probe : event_object {};

class EventBusTest : public ::testing::Test {
protected:
    event_bus& bus = event_bus::instance();
    std::vector<std::string> calls;

    event_handler record(std::string label)
    {
        return [this, label](const event_info&) { calls.push_back(label); };
    }

    void TearDown() override { EXPECT_EQ(bus.handler_count(), 0u) << "a test left handlers behind"; }
};

TEST_F(EventBusTest, HandlersRunInRegistrationOrderAndSeeTheEventRecord)
{
    probe sender;
    event_info seen;
    bus.add_handler(&sender, &sender, key_down, record("first"));
    bus.add_handler(&sender, &sender, key_down, [&](const event_info& info) { seen = info; });
    bus.add_handler(&sender, &sender, key_down, record("third"));

    EXPECT_TRUE(bus.dispatch(&sender, key_down, 0x1234'5678'9abcULL));
    EXPECT_EQ(calls, (std::vector<std::string>{"first", "third"}));
    EXPECT_EQ(seen.sender, &sender);
    EXPECT_EQ(seen.kind, key_down);
    EXPECT_EQ(seen.param, 0x1234'5678'9abcULL);
}

TEST_F(EventBusTest, DispatchReportsWhetherAListExists)
{
    probe sender;
    EXPECT_FALSE(bus.dispatch(&sender, mouse_wheel, 0)) << "unknown sender";
    const handler_id id = bus.add_handler(&sender, &sender, mouse_down, record("down"));
    EXPECT_FALSE(bus.dispatch(&sender, mouse_wheel, 0)) << "known sender, unknown number";
    EXPECT_TRUE(bus.has_handlers(&sender, mouse_down));

    // A list whose handlers were all removed still exists: wheel bubbling stops at such a widget.
    bus.remove_handler(id);
    EXPECT_TRUE(bus.has_handlers(&sender, mouse_down));
    EXPECT_TRUE(bus.dispatch(&sender, mouse_down, 0));
    EXPECT_TRUE(calls.empty());
}

TEST_F(EventBusTest, RemovingOneHandlerLeavesTheOthersAndUnknownIdsAreIgnored)
{
    probe sender;
    const handler_id first = bus.add_handler(&sender, &sender, key_up, record("first"));
    bus.add_handler(&sender, &sender, key_up, record("second"));
    bus.remove_handler(first);
    bus.remove_handler(first);
    bus.remove_handler(0xfffffff0u);
    bus.dispatch(&sender, key_up, 0);
    EXPECT_EQ(calls, (std::vector<std::string>{"second"}));
}

TEST_F(EventBusTest, IdsIncreaseAndAreNeverReused)
{
    probe sender;
    const handler_id a = bus.add_handler(&sender, &sender, key_up, record("a"));
    bus.remove_handler(a);
    const handler_id b = bus.add_handler(&sender, &sender, key_up, record("b"));
    EXPECT_EQ(b, a + 1);
}

TEST_F(EventBusTest, HandlersChangedDuringADispatchTakeEffectFromTheNextOne)
{
    probe sender;
    handler_id self = 0;
    self = bus.add_handler(&sender, &sender, timer_tick, [&](const event_info&) {
        calls.push_back("self-removing");
        bus.remove_handler(self);
        bus.add_handler(&sender, &sender, timer_tick, record("added"));
    });
    const handler_id victim = bus.add_handler(&sender, &sender, timer_tick, record("victim"));
    bus.add_handler(&sender, &sender, timer_tick, [&](const event_info&) { bus.remove_handler(victim); });

    bus.dispatch(&sender, timer_tick, 0);
    EXPECT_EQ(calls, (std::vector<std::string>{"self-removing", "victim"}));

    calls.clear();
    bus.dispatch(&sender, timer_tick, 0);
    EXPECT_EQ(calls, (std::vector<std::string>{"added"}));
}

TEST_F(EventBusTest, AnEmptyHandlerThrowsOutOfDispatch)
{
    probe sender;
    bus.add_handler(&sender, &sender, paint_event, event_handler{});
    EXPECT_THROW(bus.dispatch(&sender, paint_event, 0), std::bad_function_call);
}

TEST_F(EventBusTest, DestroyingAnOwnerDropsItsHandlersOnOtherSenders)
{
    probe button;
    auto screen = std::make_unique<probe>();
    bus.add_handler(&button, screen.get(), button_clicked, record("screen"));
    bus.add_handler(&button, &button, button_clicked, record("button"));

    screen.reset();
    bus.dispatch(&button, button_clicked, 0);
    EXPECT_EQ(calls, (std::vector<std::string>{"button"}));
}

TEST_F(EventBusTest, DestroyingASenderDropsEveryHandlerRegisteredOnIt)
{
    probe screen;
    const event_object* address = nullptr;
    {
        probe button;
        address = &button;
        bus.add_handler(&button, &screen, button_clicked, record("screen"));
        bus.add_handler(&button, &button, button_clicked, record("button"));
    }
    EXPECT_FALSE(bus.has_handlers(address, button_clicked));
    EXPECT_EQ(bus.handler_count(), 0u);
}

// A handler may destroy the sender or the owner of a later handler of the same dispatch, or remove
// it: the later one is not called, since the object it is bound to may be gone.
TEST_F(EventBusTest, HandlersRemovedDuringADispatchAreNotCalledInIt)
{
    enum class removal { sender_destroyed, owner_destroyed, removed_by_id };
    for (const removal how : {removal::sender_destroyed, removal::owner_destroyed, removal::removed_by_id}) {
        SCOPED_TRACE(static_cast<int>(how));
        calls.clear();
        auto sender = std::make_unique<probe>();
        auto owner = std::make_unique<probe>();
        probe* raw = sender.get();
        handler_id later = 0;
        bus.add_handler(raw, raw, hidden, [&](const event_info&) {
            calls.push_back("remover");
            if (how == removal::sender_destroyed)
                sender.reset();
            else if (how == removal::owner_destroyed)
                owner.reset();
            else
                bus.remove_handler(later);
        });
        later = bus.add_handler(raw, owner.get(), hidden, record("later"));

        EXPECT_TRUE(bus.dispatch(raw, hidden, 0));
        EXPECT_EQ(calls, (std::vector<std::string>{"remover"}));
        EXPECT_EQ(sender == nullptr, how == removal::sender_destroyed);
    }
}

TEST(EventParam, VectorsAndDoublesRoundTrip)
{
    const vec2i v{-3, 70000};
    EXPECT_EQ(pack_vec2(v) & 0xffffffffu, 0xfffffffdu) << "x sits in the low 32 bits";
    EXPECT_EQ(unpack_vec2(pack_vec2(v)), v);
    EXPECT_EQ(param_to_double(double_to_param(-60.0)), -60.0);
}

} // namespace
