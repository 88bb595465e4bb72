#include "scene/zu_scene/graphics/gradient.h"

#include <algorithm>

namespace zu {

namespace {
const char* const kGradientStyleNames[] = {"zuLinearGradient", "zuRadialGradient"};
}  // namespace

const TzuEnumInfo kGradientStyleEnum{"TzuGradientStyle", kGradientStyleNames, 2};

// ---- TzuGradientPoint ------------------------------------------------------------

const TzuClass& TzuGradientPoint::StaticClass() {
    using P = ZuProps<TzuGradientPoint>;
    static const TzuPropInfo props[] = {
        P::String<&TzuGradientPoint::ColorText, &TzuGradientPoint::SetColorText>("Color")
            .CopiedAs<&TzuGradientPoint::Color, &TzuGradientPoint::SetColor>(),
        P::Float<&TzuGradientPoint::Offset, &TzuGradientPoint::SetOffset>("Offset"),
    };
    static const TzuClass cls = ZuClass<TzuGradientPoint, TzuPersistent>("TzuGradientPoint", props);
    return cls;
}

void TzuGradientPoint::SetColor(TzuColor value) {
    if (value == m_color) return;
    m_color = value;
    Changed();
}

void TzuGradientPoint::SetOffset(float value) {
    if (value == m_offset) return;
    m_offset = value;
    Changed();
}

void TzuGradientPoint::Assign(const TzuPersistent& source) {
    const auto* p = As<TzuGradientPoint>(&source);
    if (!p) {
        TzuPersistent::Assign(source);
        return;
    }
    if (p->m_color == m_color && p->m_offset == m_offset) return;
    m_color = p->m_color;
    m_offset = p->m_offset;
    Changed();
}

void TzuGradientPoint::Changed() {
    if (m_collection) m_collection->Changed();
}

// ---- TzuGradientPoints -----------------------------------------------------------

const TzuClass& TzuGradientPoints::StaticClass() {
    static const TzuClass cls = ZuClass<TzuGradientPoints, TzuPersistent>("TzuGradientPoints");
    return cls;
}

TzuGradientPoints::~TzuGradientPoints() = default;

TzuGradientPoint* TzuGradientPoints::Points(int index) const {
    return index >= 0 && index < Count() ? m_items[static_cast<size_t>(index)].get() : nullptr;
}

void TzuGradientPoints::Clear() {
    if (m_items.empty()) return;
    m_items.clear();
    Changed();
}

TzuGradientPoint* TzuGradientPoints::AddPoint() {
    m_items.push_back(std::make_unique<TzuGradientPoint>(this));
    Changed();
    return m_items.back().get();
}

TzuGradientPoint* TzuGradientPoints::AddPoint(TzuColor color, float offset) {
    auto point = std::make_unique<TzuGradientPoint>(this);
    point->m_color = color;
    point->m_offset = offset;
    m_items.push_back(std::move(point));
    Changed();
    return m_items.back().get();
}

TzuGradientPoint* TzuGradientPoints::InsertPoint(int index, TzuColor color, float offset) {
    index = std::clamp(index, 0, Count());
    auto point = std::make_unique<TzuGradientPoint>(this);
    point->m_color = color;
    point->m_offset = offset;
    TzuGradientPoint* inserted = point.get();
    m_items.insert(m_items.begin() + index, std::move(point));
    Changed();
    return inserted;
}

void TzuGradientPoints::Move(int from, int to) {
    if (from < 0 || from >= Count() || to < 0 || to >= Count()) throw EzuError("list index error");
    if (from == to) return;
    auto point = std::move(m_items[static_cast<size_t>(from)]);
    m_items.erase(m_items.begin() + from);
    m_items.insert(m_items.begin() + to, std::move(point));
    Changed();
}

void TzuGradientPoints::Delete(int index) {
    if (index < 0 || index >= Count()) throw EzuError("list index error");
    m_items.erase(m_items.begin() + index);
    Changed();
}

void TzuGradientPoints::Assign(const TzuPersistent& source) {
    const auto* src = As<TzuGradientPoints>(&source);
    if (!src) {
        TzuPersistent::Assign(source);
        return;
    }
    if (src == this) return;
    m_items.clear();
    for (const auto& item : src->m_items) {
        auto point = std::make_unique<TzuGradientPoint>(this);
        point->m_color = item->m_color;
        point->m_offset = item->m_offset;
        m_items.push_back(std::move(point));
    }
    Changed();
}

// ---- TzuGradient -----------------------------------------------------------------

const TzuClass& TzuGradient::StaticClass() {
    using P = ZuProps<TzuGradient>;
    static const TzuPropInfo props[] = {
        P::Collection<&TzuGradient::Points>("Points"),
        P::Enum<&TzuGradient::Style, &TzuGradient::SetStyle>("Style", kGradientStyleEnum),
        P::Object<&TzuGradient::StartPosition>("StartPosition").StoredIf<&TzuGradient::PositionsStored>(),
        P::Object<&TzuGradient::StopPosition>("StopPosition").StoredIf<&TzuGradient::PositionsStored>(),
        P::Object<&TzuGradient::RadialTransform>("RadialTransform").StoredIf<&TzuGradient::TransformStored>(),
    };
    static const TzuClass cls = ZuClass<TzuGradient, TzuPersistent>("TzuGradient", props);
    return cls;
}

TzuGradient::TzuGradient()
    : m_points(std::make_unique<TzuGradientPoints>()),
      m_startPosition(std::make_unique<TzuPosition>(TzuPoint{0, 0})),
      m_stopPosition(std::make_unique<TzuPosition>(TzuPoint{0, 1})) {
    // Black at the top, white at the bottom.
    m_points->AddPoint(0xFF000000, 0);
    m_points->AddPoint(0xFFFFFFFF, 1);
    auto changed = [this](TzuPersistent*) { Changed(); };
    m_points->OnChange().Set(changed);
    m_startPosition->OnChange().Set(changed);
    m_stopPosition->OnChange().Set(changed);
}

TzuGradient::~TzuGradient() = default;

void TzuGradient::Changed() {
    if (m_updating == 0) m_onChange(this);
}

void TzuGradient::SetStyle(TzuGradientStyle value) {
    if (value == m_style) return;
    m_style = value;
    Changed();
}

TzuColor TzuGradient::ColorAt(float offset) const {
    const int count = m_points->Count();
    // One stop paints its colour: a gradient being edited down to one stop still shows.
    if (count == 0) return 0;
    if (count == 1) return m_points->Points(0)->Color();
    // NaN compares false everywhere and would fall through to no segment: treat as 0.
    offset = offset > 0 ? std::min(offset, 1.0f) : 0.0f;
    const TzuGradientPoint* first = m_points->Points(0);
    const TzuGradientPoint* last = m_points->Points(count - 1);
    if (first->Offset() > offset) return first->Color();
    if (last->Offset() < offset) return last->Color();
    // Every qualifying segment overwrites the result, so with points out of order the
    // last segment that starts at or before offset decides.
    TzuColor result = 0;
    for (int i = 0; i + 1 < count; ++i) {
        const TzuGradientPoint* a = m_points->Points(i);
        const TzuGradientPoint* b = m_points->Points(i + 1);
        if (a->Offset() > offset) continue;
        const float length = b->Offset() - a->Offset();
        result = length > 0 ? InterpolateColor(a->Color(), b->Color(), (offset - a->Offset()) / length)
                            : a->Color();
    }
    return result;
}

TzuTransform* TzuGradient::RadialTransform() const {
    if (!m_radialTransform) {
        m_radialTransform = std::make_unique<TzuTransform>();
        auto* self = const_cast<TzuGradient*>(this);
        m_radialTransform->OnChange().Set([self](TzuPersistent*) { self->Changed(); });
    }
    return m_radialTransform.get();
}

void TzuGradient::Assign(const TzuPersistent& source) {
    const auto* src = As<TzuGradient>(&source);
    if (!src) {
        TzuPersistent::Assign(source);
        return;
    }
    if (src == this) return;
    ++m_updating;
    m_points->Assign(*src->m_points);
    m_style = src->m_style;
    if (src->m_style == zuRadialGradient) {
        RadialTransform()->Assign(*src->RadialTransform());
    } else {
        m_stopPosition->Assign(*src->m_stopPosition);
        m_startPosition->Assign(*src->m_startPosition);
    }
    --m_updating;
    Changed();
}

}  // namespace zu
