#pragma once

#include "installer/sha256.h"

// The SHA-256 of the plug-in module, recorded by the build from the module it builds (target
// glaive_plugin_digest), for the programs that carry the module as one file.
namespace installer::payload {

extern const sha256_sum main_payload_sha256;

} // namespace installer::payload
