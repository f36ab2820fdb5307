#include "installer/mac/payload_manifest.h"

#import <Foundation/Foundation.h>

#include <algorithm>
#include <string_view>

namespace installer::mac {

namespace {

const manifest_file* find_file(std::span<const manifest_file> manifest, std::string_view path)
{
    const auto found =
        std::find_if(manifest.begin(), manifest.end(), [&](const manifest_file& file) { return file.path == path; });
    return found != manifest.end() ? &*found : nullptr;
}

// Whether a folder of the bundle lies on the way to a file of the manifest.
bool leads_to_file(std::span<const manifest_file> manifest, std::string_view folder)
{
    return std::any_of(manifest.begin(), manifest.end(), [&](const manifest_file& file) {
        const std::string_view path = file.path;
        return path.size() > folder.size() && path.starts_with(folder) && path[folder.size()] == '/';
    });
}

} // namespace

std::span<const manifest_file> payload_manifest(payload_kind kind)
{
    return kind == payload_kind::main ? manifests::Glaive : manifests::Glaive32;
}

bool matches_manifest(const lcsdk::filesystem::file_path& bundle, std::span<const manifest_file> manifest)
{
    NSString* root = [NSString stringWithUTF8String:bundle.c_str()];
    NSDirectoryEnumerator* entries = [[NSFileManager defaultManager] enumeratorAtPath:root];
    // Each entry is met once, so counting the files found tells whether any is missing.
    std::size_t found = 0;
    for (NSString* relative = [entries nextObject]; relative != nil; relative = [entries nextObject]) {
        NSDictionary* attributes = [entries fileAttributes];
        const std::string_view path = [relative UTF8String];
        if ([[attributes fileType] isEqualToString:NSFileTypeDirectory]) {
            if (!leads_to_file(manifest, path))
                return false;
            continue;
        }
        const manifest_file* file = find_file(manifest, path);
        if (file == nullptr || ![[attributes fileType] isEqualToString:NSFileTypeRegular] ||
            ([attributes filePosixPermissions] & 07777) != file->mode)
            return false;
        NSData* content = [NSData dataWithContentsOfFile:[root stringByAppendingPathComponent:relative]];
        if (content == nil || sha256_of([content bytes], [content length]) != file->digest)
            return false;
        ++found;
    }
    return found == manifest.size();
}

} // namespace installer::mac
