#pragma once

#include "installer/install_run.h"
#include "installer/sha256.h"

#include <cstdint>
#include <span>

// The manifests of the payload bundles: every file of each bundle with its mode and SHA-256,
// recorded by the build when it makes the bundle (make_payload_bundle.cmake) and compiled into the
// program, so that a bundle cannot be swapped without failing the check.
namespace installer::mac {

struct manifest_file {
    const char* path; // inside the bundle, "/" between folders
    std::uint32_t mode; // permission bits
    sha256_sum digest;
};

namespace manifests {
extern const std::span<const manifest_file> Glaive;
extern const std::span<const manifest_file> Glaive32;
} // namespace manifests

// The manifest of the payload bundle of a kind.
std::span<const manifest_file> payload_manifest(payload_kind kind);

// Whether the bundle folder holds exactly the manifest's files, each a plain file with the same
// mode and content, and nothing else but the folders that lead to them.
bool matches_manifest(const lcsdk::filesystem::file_path& bundle, std::span<const manifest_file> manifest);

} // namespace installer::mac
