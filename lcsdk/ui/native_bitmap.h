#pragma once

#include "lcsdk/ui/geometry.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

namespace lcsdk::ui {

struct image_ref;

// A decoded image, drawable by any window's drawer. The bookkeeping (loaded flag, sizes, scale) is
// shared; each platform decodes into its own `impl` and keeps whatever device objects it needs.
class native_bitmap {
public:
    native_bitmap();
    ~native_bitmap();
    native_bitmap(const native_bitmap&) = delete;
    native_bitmap& operator=(const native_bitmap&) = delete;

    // False when the bytes are not an image or the scale is not a positive number; the bitmap
    // then stays as it was.
    bool load_from_memory(const void* bytes, std::size_t byte_count, float scale);
    bool load(const image_ref& image);
    void unload();

    bool is_loaded() const { return loaded_; }
    _vec2<std::uint32_t> pixel_size() const { return pixel_size_; }
    float scale() const { return scale_; }
    // Size in DIPs: pixel size over scale, truncated.
    vec2i dip_size() const;

    struct impl;
    impl& get_impl() { return *impl_; }
    const impl& get_impl() const { return *impl_; }

private:
    // Platform part: decodes the bytes into `impl_`, replacing earlier pixels, and returns their
    // size in pixels; nothing, with `impl_` unchanged, when the bytes are not an image.
    std::optional<_vec2<std::uint32_t>> decode(std::span<const unsigned char> bytes);
    // Platform part: drops the decoded pixels and everything made from them.
    void release_pixels();

    std::unique_ptr<impl> impl_;
    bool loaded_ = false;
    _vec2<std::uint32_t> pixel_size_;
    float scale_ = 1.0f;
};

} // namespace lcsdk::ui
