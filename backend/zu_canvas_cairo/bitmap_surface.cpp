#include "backend/zu_canvas_cairo/bitmap_surface.h"

#include "scene/zu_scene/graphics/bitmap.h"

namespace zu {

namespace {

void ReleaseHandle(TzuPersistent* sender) {
    auto* bitmap = static_cast<TzuBitmap*>(sender);
    if (auto* surface = static_cast<cairo_surface_t*>(bitmap->Handle())) {
        cairo_surface_finish(surface);
        cairo_surface_destroy(surface);
    }
    bitmap->SetHandle(nullptr);
}

}  // namespace

cairo_surface_t* CreateSurfaceOver(TzuBitmap& bitmap) {
    return cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(bitmap.Bits()),
                                               CAIRO_FORMAT_ARGB32, bitmap.Width(), bitmap.Height(),
                                               bitmap.Width() * 4);
}

cairo_surface_t* BitmapSurface(TzuBitmap& bitmap) {
    auto* surface = static_cast<cairo_surface_t*>(bitmap.Handle());
    if (surface &&
        (cairo_image_surface_get_width(surface) != bitmap.Width() ||
         cairo_image_surface_get_height(surface) != bitmap.Height() ||
         cairo_image_surface_get_data(surface) != reinterpret_cast<unsigned char*>(bitmap.Bits()))) {
        ReleaseHandle(&bitmap);
        surface = nullptr;
    }
    if (!surface) {
        surface = CreateSurfaceOver(bitmap);
        bitmap.SetHandle(surface);
        bitmap.OnDestroyHandle().Set(&ReleaseHandle);
    } else if (bitmap.NeedUpdate()) {
        cairo_surface_mark_dirty(surface);
    }
    bitmap.SetNeedUpdate(false);
    return surface;
}

}  // namespace zu
