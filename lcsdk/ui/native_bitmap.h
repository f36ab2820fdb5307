#pragma once

#include "lcsdk/ui/geometry.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace lcsdk::ui {

struct image_ref;

// A decoded image (premultiplied 32-bit pixels), drawable by any window's drawer.
class native_bitmap {
public:
    native_bitmap();
    ~native_bitmap();
    native_bitmap(const native_bitmap&) = delete;
    native_bitmap& operator=(const native_bitmap&) = delete;

    // False when the bytes are not an image; the bitmap then stays as it was.
    bool load_from_memory(const void* bytes, std::size_t byte_count, float scale);
    bool load(const image_ref& image);
    void unload();

    bool is_loaded() const;
    _vec2<std::uint32_t> pixel_size() const;
    float scale() const;
    // Size in DIPs: pixel size over scale, truncated.
    vec2i dip_size() const;

    struct impl;
    impl& get_impl() { return *impl_; }
    const impl& get_impl() const { return *impl_; }

private:
    std::unique_ptr<impl> impl_;
};

} // namespace lcsdk::ui
