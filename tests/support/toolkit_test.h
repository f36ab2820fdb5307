#pragma once

// Base fixture for tests that use the toolkit: every test starts from a fresh offscreen platform
// (screen, pointer, keyboard, clock, input queue) and empty global styles, and must leave
// no handler behind on the event bus.

#include "lcsdk/ui/event_bus.h"
#include "lcsdk/ui/offscreen/offscreen_platform.h"
#include "lcsdk/ui/widget_themes.h"

#include <gtest/gtest.h>

namespace lcsdk::testing {

class toolkit_test : public ::testing::Test {
protected:
    // Reset before any derived member is built, so members may already create windows.
    toolkit_test()
    {
        ui::offscreen::reset();
        ui::set_global_styles(ui::make_style_map());
    }

    // Checked after every derived member is gone; failures here still count for the test.
    ~toolkit_test() override
    {
        EXPECT_EQ(ui::event_bus::instance().handler_count(), 0u)
            << "handlers outlived the objects of this test";
    }

    void SetUp() override {}
    void TearDown() override {}
};

} // namespace lcsdk::testing
