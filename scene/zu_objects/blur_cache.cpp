#include "scene/zu_objects/blur_cache.h"

#include <cmath>

namespace zu {

void TzuBlurCache::Paint(TzuCanvas& cv, float width, float height, int radius, float opacity,
                         const std::function<void(TzuCanvas&, const TzuRect&)>& drawFigure) {
    int w = static_cast<int>(std::nearbyint(width));
    int h = static_cast<int>(std::nearbyint(height));
    if (w < 1 || h < 1) return;
    if (!m_bitmap) {
        m_bitmap = std::make_unique<TzuBitmap>(w, h);
        m_stale = true;
    } else if (m_bitmap->Width() != w || m_bitmap->Height() != h) {
        m_bitmap->SetSize(w, h);
        m_stale = true;
    }
    if (m_stale) {
        m_bitmap->Clear(0);
        if (TzuCanvas* bc = m_bitmap->Canvas()) {
            float b = static_cast<float>(radius);
            drawFigure(*bc, TzuRect{b, b, width - b, height - b});
        }
        StackBlur(*m_bitmap, radius);
        m_stale = false;
    }
    cv.DrawBitmap(*m_bitmap, TzuRect{0, 0, width, height}, TzuRect{0, 0, width, height}, opacity, true);
}

}  // namespace zu
