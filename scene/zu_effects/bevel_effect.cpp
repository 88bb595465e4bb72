#include "scene/zu_effects/bevel_effect.h"

#include <cmath>

#include "platform/core/property.h"
#include "scene/zu_scene/graphics/bitmap.h"

namespace zu {

const TzuClass& TzuBevelEffect::StaticClass() {
    using P = ZuProps<TzuBevelEffect>;
    static const TzuPropInfo props[] = {
        P::Float<&TzuBevelEffect::Direction, &TzuBevelEffect::SetDirection>("Direction").Default(45),
        P::Int<&TzuBevelEffect::Size, &TzuBevelEffect::SetSize>("Size").Default(10),
    };
    static const TzuClass cls = ZuClass<TzuBevelEffect, TzuEffect>("TzuBevelEffect", props);
    return cls;
}

TzuBevelEffect::TzuBevelEffect(TzuComponent* owner) : TzuEffect(owner) { SetDisablePaint(true); }

void TzuBevelEffect::SetDirection(float value) {
    if (value == m_direction) return;
    m_direction = value;
    EffectChanged();
}

void TzuBevelEffect::SetSize(int value) {
    if (value == m_size) return;
    m_size = value;
    EffectChanged();
}

TzuRect TzuBevelEffect::GetEffectRect(const TzuRect& r) const {
    TzuRect out = r;
    RectInflate(out, 5, 5);
    return out;
}

void TzuBevelEffect::ProcessEffect(TzuCanvas*, TzuBitmap* bitmap, float) {
    if (!bitmap || m_size == 0) return;
    const int w = bitmap->Width(), h = bitmap->Height();
    // The blurred coverage is the height map; its slope against the light sets how much
    // lighter or darker each covered pixel becomes.
    TzuBitmap heights;
    heights.Assign(*bitmap);
    StackBlur(heights, Scaled(m_size));
    const double angle = DegreesToRadians(m_direction);
    const double lx = std::cos(angle), lz = std::sin(angle);
    const double lightLength = std::sqrt(lx * lx + lz * lz);
    const auto alphaAt = [&](int x, int y) { return ColorAlpha(heights.ScanLine(y)[x]) / 255.0; };
    TzuColor lastPixel = 0, lastResult = 0;
    float lastDl = 0;
    for (int y = 0; y + 1 < h; ++y) {
        uint32_t* row = bitmap->ScanLine(y);
        for (int x = 0; x + 1 < w; ++x) {
            const TzuColor pixel = row[x];
            const uint8_t a0 = ColorAlpha(pixel);
            if (a0 == 0) continue;
            const double corner = alphaAt(x + 1, y + 1);
            // Slopes per scene pixel: a denser picture spreads the same rise over more pixels.
            const double nx = (corner - alphaAt(x + 1, y)) * DeviceScale();
            const double nz = (corner - alphaAt(x, y + 1)) * DeviceScale();
            const double lengths = lightLength * std::sqrt(nx * nx + 1 + nz * nz);
            const double k = lengths <= 1e-40 ? 1 : (lx * nx + lz * nz) / lengths;
            // Flat runs of one colour repeat the same lighting: keep the last result.
            const float dl = float(0.4 * k * m_size);
            if (pixel != lastPixel || dl != lastDl) {
                lastPixel = pixel;
                lastDl = dl;
                lastResult = PremultiplyColor(ColorWithOpacity(ChangeHSL(pixel, 0, 0, dl), a0 / 255.0f));
            }
            row[x] = lastResult;
        }
    }
    bitmap->Changed();
}

}  // namespace zu
