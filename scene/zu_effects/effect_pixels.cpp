#include "scene/zu_effects/effect_pixels.h"

#include <vector>

#include "scene/zu_scene/graphics/bitmap.h"
#include "scene/zu_scene/tree/effect.h"
#include "scene/zu_scene/tree/visual_object.h"

namespace zu {

void RepaintEffectArea(TzuEffect& effect) {
    TzuObject* parent = effect.Parent();
    if (effect.IsLoading() || !effect.Enabled() || !parent || !parent->IsVisual()) return;
    static_cast<TzuVisualObject*>(parent)->Repaint();
}

void BlurredSilhouette(TzuBitmap& bitmap, TzuColor color, int radius, int dx, int dy) {
    const std::vector<uint8_t> mask = bitmap.CreateAlphaMask();
    bitmap.FillColor(color);
    StackBlur(bitmap, radius);
    bitmap.ApplyAlphaMask(mask, dx, dy);
}

}  // namespace zu
