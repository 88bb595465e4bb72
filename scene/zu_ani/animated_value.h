#pragma once
// Reading and writing an animated value through a resolved property, by the kind of the
// property: colours go to text properties as #AARRGGBB and to integer properties as the
// 32-bit value; floats go to floating-point properties only. A property of another kind
// is left alone (the step writes nothing).

#include <string>

#include "platform/core/property.h"
#include "platform/core/utf.h"
#include "scene/zu_scene/graphics/brush.h"
#include "scene/zu_scene/types/colour.h"

namespace zu {

inline bool ReadAnimatedColor(const TzuPropRef& ref, TzuColor& out) {
    if (!ref) return false;
    const TzuPropInfo& p = *ref.prop;
    switch (p.kind) {
        case TzuPropKind::String: out = TextToColor(p.getStr(ref.object)); return true;
        case TzuPropKind::WString: out = TextToColor(Utf16ToUtf8(p.getWStr(ref.object))); return true;
        case TzuPropKind::Integer: out = static_cast<TzuColor>(p.getOrd(ref.object)); return true;
        default: return false;
    }
}

inline void WriteAnimatedColor(const TzuPropRef& ref, TzuColor color) {
    if (!ref) return;
    // A brush holds its colour as the 32-bit value its colour text stands for: styles
    // animate brushes on every hover, so they skip the round trip through text.
    static const TzuPropInfo* const brushColor = TzuBrush::StaticClass().FindProperty("Color");
    if (ref.prop == brushColor) {
        static_cast<TzuBrush*>(ref.object)->SetColor(color);
        return;
    }
    const TzuPropInfo& p = *ref.prop;
    switch (p.kind) {
        case TzuPropKind::String:
            if (p.setStr) p.setStr(ref.object, ColorToText(color));
            break;
        case TzuPropKind::WString:
            if (p.setWStr) p.setWStr(ref.object, Utf8ToUtf16(ColorToText(color)));
            break;
        case TzuPropKind::Integer:
            if (p.setOrd) p.setOrd(ref.object, static_cast<int64_t>(color));
            break;
        default: break;
    }
}

inline bool ReadAnimatedFloat(const TzuPropRef& ref, float& out) {
    if (!ref || ref.prop->kind != TzuPropKind::Float) return false;
    out = static_cast<float>(ref.prop->getFloat(ref.object));
    return true;
}

inline void WriteAnimatedFloat(const TzuPropRef& ref, float value) {
    if (ref && ref.prop->kind == TzuPropKind::Float && ref.prop->setFloat && ref.prop->FloatFits(value)) {
        ref.prop->setFloat(ref.object, value);
    }
}

// The object an Object or Reference property holds, or null.
inline TzuPersistent* AnimatedObject(const TzuPropRef& ref) {
    if (!ref || (ref.prop->kind != TzuPropKind::Object && ref.prop->kind != TzuPropKind::Reference))
        return nullptr;
    return ref.prop->getObj(ref.object);
}

}  // namespace zu
