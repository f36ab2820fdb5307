#include "installer/host_versions.h"

#include <gtest/gtest.h>

using namespace installer;

namespace {

TEST(Catalogue, NamesInSlotOrder)
{
    const char* expected[] = {"CS3", "CS4", "CS5", "CS55", "CS6", "CC", "CC2014", "CC2015", "CC2015.3", "CC2017", "Custom"};
    ASSERT_EQ(host_version_names.size(), std::size(expected));
    for (std::size_t i = 0; i < host_version_names.size(); ++i)
        EXPECT_EQ(host_version_names[i], expected[i]) << i;
}

} // namespace
