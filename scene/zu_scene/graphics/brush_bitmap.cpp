#include "scene/zu_scene/graphics/brush_bitmap.h"

namespace zu {

namespace {
const char* const kWrapModeNames[] = {"zuWrapTile", "zuWrapTileOriginal", "zuWrapTileStretch"};
}  // namespace

const TzuEnumInfo kWrapModeEnum{"TzuWrapMode", kWrapModeNames, 3};

const TzuClass& TzuBrushBitmap::StaticClass() {
    using P = ZuProps<TzuBrushBitmap>;
    static const TzuPropInfo props[] = {
        P::Object<&TzuBrushBitmap::Bitmap>("Bitmap"),
        P::Enum<&TzuBrushBitmap::WrapMode, &TzuBrushBitmap::SetWrapMode>("WrapMode", kWrapModeEnum),
    };
    static const TzuClass cls = ZuClass<TzuBrushBitmap, TzuPersistent>("TzuBrushBitmap", props);
    return cls;
}

TzuBrushBitmap::TzuBrushBitmap() : m_bitmap(std::make_unique<TzuBitmap>()) {
    m_bitmap->OnChange().Set([this](TzuPersistent*) {
        if (!m_assigning) m_onChange(this);
    });
}

TzuBrushBitmap::~TzuBrushBitmap() = default;

void TzuBrushBitmap::SetWrapMode(TzuWrapMode value) {
    if (value == m_wrapMode) return;
    m_wrapMode = value;
    m_onChange(this);
}

void TzuBrushBitmap::Assign(const TzuPersistent& source) {
    const auto* src = As<TzuBrushBitmap>(&source);
    if (!src) {
        TzuPersistent::Assign(source);
        return;
    }
    if (src == this) return;
    m_assigning = true;
    try {
        m_wrapMode = src->m_wrapMode;
        m_bitmap->Assign(*src->m_bitmap);
    } catch (...) {
        m_assigning = false;
        throw;
    }
    m_assigning = false;
    m_onChange(this);
}

}  // namespace zu
