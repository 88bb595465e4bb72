#include "scene/zu_scene/graphics/brush.h"

#include "platform/core/property.h"

namespace zu {

namespace {
const char* const kBrushStyleNames[] = {"zuBrushNone",   "zuBrushSolid",    "zuBrushGradient",
                                        "zuBrushBitmap", "zuBrushResource", "zuBrushVisual"};

// Shared brushes may name each other; a chain this long can only be a cycle.
constexpr int kMaxResourceDepth = 16;
}  // namespace

const TzuEnumInfo kBrushStyleEnum{"TzuBrushStyle", kBrushStyleNames, 6};

const TzuClass& TzuBrush::StaticClass() {
    using P = ZuProps<TzuBrush>;
    static const TzuPropInfo props[] = {
        P::String<&TzuBrush::ColorText, &TzuBrush::SetColorText>("Color")
            .StoredIf<&TzuBrush::ColorStored>()
            .CopiedAs<&TzuBrush::Color, &TzuBrush::SetColor>(),
        P::Object<&TzuBrush::Bitmap>("Bitmap").StoredIf<&TzuBrush::BitmapStored>(),
        P::Enum<&TzuBrush::Style, &TzuBrush::SetStyle>("Style", kBrushStyleEnum)
            .StoredIf<&TzuBrush::StyleStored>(),
        P::Object<&TzuBrush::Gradient>("Gradient").StoredIf<&TzuBrush::GradientStored>(),
        P::Object<&TzuBrush::Resource>("Resource").StoredIf<&TzuBrush::ResourceStored>(),
        P::Object<&TzuBrush::Visual>("Visual").StoredIf<&TzuBrush::VisualStored>(),
    };
    static const TzuClass cls = ZuClass<TzuBrush, TzuPersistent>("TzuBrush", props);
    return cls;
}

TzuBrush::TzuBrush(TzuBrushStyle defaultStyle, TzuColor defaultColor)
    : m_color(defaultColor),
      m_defaultColor(defaultColor),
      m_style(static_cast<uint8_t>(defaultStyle)),
      m_defaultStyle(static_cast<uint8_t>(defaultStyle)) {}

TzuBrush::~TzuBrush() = default;

template <class T>
T* TzuBrush::Part(std::unique_ptr<T>& part) const {
    if (!part) {
        auto made = std::make_unique<T>();
        // Making a part is not a change of the brush; only the part's own changes are.
        auto* self = const_cast<TzuBrush*>(this);
        made->OnChange().Set([self](TzuPersistent*) { self->Changed(); });
        part = std::move(made);
    }
    return part.get();
}

TzuGradient* TzuBrush::Gradient() const { return Part(m_gradient); }
TzuVisual* TzuBrush::Visual() const { return Part(m_visual); }
TzuBrushResource* TzuBrush::Resource() const { return Part(m_resource); }
TzuBrushBitmap* TzuBrush::Bitmap() const { return Part(m_bitmap); }

template <class T>
void TzuBrush::AssignPart(std::unique_ptr<T>& part, const std::unique_ptr<T>& source) {
    if (source) {
        Part(part)->Assign(*source);
    } else if (part) {
        // The source never made its part, so it holds the defaults; a brush without the
        // part already does too.
        part->Assign(T());
    }
}

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
        if (TzuGradientPoint* first = Gradient()->Points()->Points(0)) first->SetColor(value);
    }
}

void TzuBrush::SetStyle(TzuBrushStyle value) {
    if (value == m_style) return;
    m_style = static_cast<uint8_t>(value);
    Changed();
}

TzuBrush* TzuBrush::ResourceBrush() const {
    return m_style == zuBrushResource ? Resource()->Brush() : nullptr;
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
        switch (src->Style()) {
            case zuBrushGradient: AssignPart(m_gradient, src->m_gradient); break;
            case zuBrushBitmap: AssignPart(m_bitmap, src->m_bitmap); break;
            case zuBrushResource: AssignPart(m_resource, src->m_resource); break;
            case zuBrushVisual: AssignPart(m_visual, src->m_visual); break;
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
