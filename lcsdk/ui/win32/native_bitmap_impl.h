#pragma once

#include "lcsdk/ui/native_bitmap.h"
#include "lcsdk/ui/win32/com_support.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace lcsdk::ui {

class native_drawer;

// The decoded pixels of one image and a Direct2D copy of them per drawer that has drawn it.
struct native_bitmap::impl {
    // First member, so COM stays initialised until every interface below has been released.
    win32::com_apartment apartment{COINIT_MULTITHREADED};
    win32::IWICImagingFactoryPtr imaging_factory;
    win32::IWICBitmapPtr pixels;
    std::unordered_map<ID2D1RenderTarget*, win32::ID2D1BitmapPtr> device_bitmaps;
    std::vector<native_drawer*> drawers;

    // The image on the drawer's render target, created and registered on first use.
    ID2D1Bitmap* device_bitmap(native_bitmap& self, native_drawer& drawer);
    // Called by a drawer that goes away: its device bitmap and its registration are dropped.
    void forget_drawer(native_drawer& drawer);
    // Drops every device bitmap and both sides of every registration.
    void drop_device_bitmaps(const native_bitmap& self);
};

} // namespace lcsdk::ui
