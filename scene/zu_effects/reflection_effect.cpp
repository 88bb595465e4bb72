#include "scene/zu_effects/reflection_effect.h"

#include <algorithm>
#include <cmath>

#include "platform/core/property.h"
#include "scene/zu_effects/effect_pixels.h"
#include "scene/zu_scene/graphics/bitmap.h"

namespace zu {

const TzuClass& TzuReflectionEffect::StaticClass() {
    using P = ZuProps<TzuReflectionEffect>;
    static const TzuPropInfo props[] = {
        P::Int<&TzuReflectionEffect::Offset, &TzuReflectionEffect::SetOffset>("Offset").Default(0),
        P::Float<&TzuReflectionEffect::Opacity, &TzuReflectionEffect::SetOpacity>("Opacity").Default(0.5f),
        P::Float<&TzuReflectionEffect::Length, &TzuReflectionEffect::SetLength>("Length").Default(0.5f),
    };
    static const TzuClass cls = ZuClass<TzuReflectionEffect, TzuEffect>("TzuReflectionEffect", props);
    return cls;
}

void TzuReflectionEffect::SetOffset(int value) {
    if (value == m_offset) return;
    RepaintEffectArea(*this);
    m_offset = value;
    EffectChanged();
}

void TzuReflectionEffect::SetOpacity(float value) {
    if (value == m_opacity) return;
    m_opacity = value;
    EffectChanged();
}

void TzuReflectionEffect::SetLength(float value) {
    if (value == m_length) return;
    m_length = value < 0.1f ? 0.1f : value > 1 ? 1 : value;
    EffectChanged();
}

TzuRect TzuReflectionEffect::GetEffectRect(const TzuRect& r) const {
    TzuRect out = r;
    RectInflate(out, 2, 2);
    RectOffset(out, 0, RectHeight(r) + float(m_offset));
    return out;
}

void TzuReflectionEffect::ProcessEffect(TzuCanvas*, TzuBitmap* bitmap, float) {
    if (!bitmap) return;
    bitmap->FlipVertical();
    const int h = bitmap->Height(), w = bitmap->Width();
    const int n = int(std::nearbyint((h - 1) * double(m_length)));
    for (int i = 0; i < h; ++i) {
        uint32_t* row = bitmap->ScanLine(h - 1 - i);
        if (i <= h - 1 - n) {
            std::fill(row, row + w, 0u);
            continue;
        }
        // Opacity is not bounded, so the faded coverage is: it must stay a byte.
        const double fade = m_opacity * (double(i - (h - 1 - n)) / n);
        for (int x = 0; x < w; ++x) {
            const uint32_t a = row[x] >> 24;
            if (a == 0) continue;
            const double faded = std::trunc(fade * a);
            const uint32_t a2 = faded <= 0 ? 0 : faded >= 255 ? 255 : uint32_t(faded);
            row[x] = PremultiplyColor((row[x] & 0x00FFFFFFu) | a2 << 24);
        }
    }
    bitmap->Changed();
}

}  // namespace zu
