#include "scene/zu_effects/inner_glow_effect.h"

#include "platform/core/property.h"
#include "scene/zu_scene/graphics/bitmap.h"

namespace zu {

const TzuClass& TzuInnerGlowEffect::StaticClass() {
    static const TzuClass cls = ZuClass<TzuInnerGlowEffect, TzuGlowEffect>("TzuInnerGlowEffect");
    return cls;
}

TzuInnerGlowEffect::TzuInnerGlowEffect(TzuComponent* owner) : TzuGlowEffect(owner) { SetPaintAfter(true); }

void TzuInnerGlowEffect::ProcessEffect(TzuCanvas* canvas, TzuBitmap* bitmap, float scale) {
    if (!bitmap) return;
    // The outside of the silhouette becomes the coloured region whose blur reaches inwards.
    bitmap->InvertAlpha();
    TzuGlowEffect::ProcessEffect(canvas, bitmap, scale);
}

}  // namespace zu
