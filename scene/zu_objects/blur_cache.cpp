#include "scene/zu_objects/blur_cache.h"

#include <cmath>

namespace zu {

void TzuBlurCache::Paint(TzuCanvas& cv, float width, float height, int radius, float opacity,
                         const std::function<void(TzuCanvas&, const TzuRect&)>& drawFigure) {
    // On a dense screen the picture is made at device resolution, its radius in device
    // pixels, and drawn back at the shape's size: one picture pixel per device pixel.
    const int scale = cv.DeviceScale();
    int w = static_cast<int>(std::nearbyint(width * scale));
    int h = static_cast<int>(std::nearbyint(height * scale));
    if (w < 1 || h < 1) return;
    if (!m_bitmap) {
        m_bitmap = std::make_unique<TzuBitmap>(w, h);
        m_stale = true;
    } else if (m_bitmap->Width() != w || m_bitmap->Height() != h) {
        m_bitmap->SetSize(w, h);
        m_stale = true;
    }
    if (m_stale || m_scale != scale) {
        m_bitmap->Clear(0);
        if (TzuCanvas* bc = m_bitmap->Canvas()) {
            bc->SetDeviceScale(scale);
            float b = static_cast<float>(radius);
            drawFigure(*bc, TzuRect{b, b, width - b, height - b});
        }
        StackBlur(*m_bitmap, radius * scale);
        m_stale = false;
        m_scale = scale;
    }
    const TzuRect picture{0, 0, width * scale, height * scale};
    cv.DrawBitmap(*m_bitmap, picture, TzuRect{0, 0, width, height}, opacity, true);
}

}  // namespace zu
