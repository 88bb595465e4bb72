#include "scene/zu_scene/brush.h"

#include "scene/zu_scene/brush_object.h"

namespace zu {

namespace {
const char* const kBrushStyleNames[] = {"zuBrushNone",     "zuBrushSolid",    "zuBrushGradient",
                                        "zuBrushBitmap",   "zuBrushResource", "zuBrushVisual"};

// Shared brushes may name each other; a chain this long can only be a cycle.
constexpr int kMaxResourceDepth = 16;
}  // namespace

const TzuEnumInfo kBrushStyleEnum{"TzuBrushStyle", kBrushStyleNames, 6};

const TzuClass& TzuBrush::StaticClass() {
    using P = ZuProps<TzuBrush>;
    static const TzuPropInfo props[] = {
        P::String<&TzuBrush::ColorText, &TzuBrush::SetColorText>("Color").StoredIf<&TzuBrush::ColorStored>(),
        P::Object<&TzuBrush::Bitmap>("Bitmap").StoredIf<&TzuBrush::BitmapStored>(),
        P::Enum<&TzuBrush::Style, &TzuBrush::SetStyle>("Style", kBrushStyleEnum).StoredIf<&TzuBrush::StyleStored>(),
        P::Object<&TzuBrush::Gradient>("Gradient").StoredIf<&TzuBrush::GradientStored>(),
        P::Object<&TzuBrush::Resource>("Resource").StoredIf<&TzuBrush::ResourceStored>(),
        P::Object<&TzuBrush::Visual>("Visual").StoredIf<&TzuBrush::VisualStored>(),
    };
    static const TzuClass cls = ZuClass<TzuBrush, TzuPersistent>("TzuBrush", props);
    return cls;
}

TzuBrush::TzuBrush(TzuBrushStyle defaultStyle, TzuColor defaultColor)
    : m_color(defaultColor),
      m_style(defaultStyle),
      m_gradient(std::make_unique<TzuGradient>()),
      m_visual(std::make_unique<TzuVisual>()),
      m_defaultStyle(defaultStyle),
      m_defaultColor(defaultColor),
      m_resource(std::make_unique<TzuBrushResource>()),
      m_bitmap(std::make_unique<TzuBrushBitmap>()) {
    auto changed = [this](TzuPersistent*) { Changed(); };
    m_gradient->OnChange().Set(changed);
    m_visual->OnChange().Set(changed);
    m_resource->OnChange().Set(changed);
    m_bitmap->OnChange().Set(changed);
}

TzuBrush::~TzuBrush() = default;

void TzuBrush::Changed() {
    if (m_updating == 0) m_onChange(this);
}

void TzuBrush::SetColor(TzuColor value) {
    if (value != m_color) {
        m_color = value;
        Changed();
    }
    // The gradient's first stop follows the colour, so that editing a gradient brush's
    // colour has a visible effect.
    if (m_style == zuBrushGradient) {
        if (TzuGradientPoint* first = m_gradient->Points()->Points(0)) first->SetColor(value);
    }
}

void TzuBrush::SetStyle(TzuBrushStyle value) {
    if (value == m_style) return;
    m_style = value;
    Changed();
}

TzuBrush* TzuBrush::ResourceBrush() const {
    return m_style == zuBrushResource ? m_resource->Brush() : nullptr;
}

TzuColor TzuBrush::SolidColor() const {
    const TzuBrush* brush = this;
    for (int depth = 0; depth < kMaxResourceDepth; ++depth) {
        const TzuBrush* shared = brush->ResourceBrush();
        if (!shared || shared == brush) break;
        brush = shared;
    }
    return brush->m_color;
}

void TzuBrush::Assign(const TzuPersistent& source) {
    const auto* src = As<TzuBrush>(&source);
    if (!src) {
        TzuPersistent::Assign(source);
        return;
    }
    if (src == this) return;
    ++m_updating;
    try {
        m_defaultStyle = src->m_defaultStyle;
        m_defaultColor = src->m_defaultColor;
        m_color = src->SolidColor();
        m_style = src->m_style;
        switch (src->m_style) {
            case zuBrushGradient: m_gradient->Assign(*src->m_gradient); break;
            case zuBrushBitmap: m_bitmap->Assign(*src->m_bitmap); break;
            case zuBrushResource: m_resource->Assign(*src->m_resource); break;
            case zuBrushVisual: m_visual->Assign(*src->m_visual); break;
            case zuBrushNone:
            case zuBrushSolid: break;
        }
    } catch (...) {
        --m_updating;
        throw;
    }
    --m_updating;
    Changed();
}

}  // namespace zu
