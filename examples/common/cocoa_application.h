#pragma once

#include <functional>

namespace examples {

// Starts the Cocoa application (launched and active, so its windows take the keyboard), runs
// `body` inside it with an autorelease pool, and returns what `body` returns.
int run_cocoa_application(const std::function<int()>& body);

} // namespace examples
