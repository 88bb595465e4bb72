#include "scene/zu_controls/track.h"

#include <algorithm>
#include <cmath>

#include "platform/core/property.h"
#include "scene/zu_controls/thumb.h"
#include "scene/zu_controls/value_math.h"
#include "scene/zu_scene/tree/access_notify.h"
#include "scene/zu_scene/tree/object_guard.h"

namespace zu {

namespace {
// The value at fraction f of the range, worked out in double so that a range wider than
// a float holds still gives a finite value inside it.
float ValueAt(float min, float max, double f) {
    return float(std::clamp(double(min) + f * (double(max) - double(min)), double(min), double(max)));
}
}  // namespace

const TzuClass& TzuCustomTrack::StaticClass() {
    using P = ZuProps<TzuCustomTrack>;
    using C = TzuCustomTrack;
    static const TzuPropInfo props[] = {
        P::Float<&C::Min, &C::SetMin>("Min").Default(0),
        P::Float<&C::Max, &C::SetMax>("Max").Default(100),
        P::Enum<&C::Orientation, &C::SetOrientation>("Orientation", kOrientationEnum).Default(zuHorizontal),
        P::Bool<&C::Tracking, &C::SetTracking>("Tracking").Default(1),
        P::Float<&C::Frequency, &C::SetFrequency>("Frequency").Default(0),
        P::Float<&C::Value, &C::SetValue>("Value").Default(0),
        P::Event<&C::OnChange>("OnChange"),
    };
    static const TzuClass cls = ZuClass<TzuCustomTrack, TzuControl>("TzuCustomTrack", props);
    return cls;
}

const TzuClass& TzuTrack::StaticClass() {
    using P = ZuProps<TzuTrack>;
    static const TzuPropInfo props[] = {
        P::Float<&TzuTrack::ViewportSize, &TzuTrack::SetViewportSize>("ViewportSize").Default(0),
        P::Bool<&TzuTrack::CanFocused, &TzuTrack::SetCanFocused>("CanFocused").Default(0),
    };
    static const TzuClass cls = ZuClass<TzuTrack, TzuCustomTrack>("TzuTrack", props);
    return cls;
}

const TzuClass& TzuTrackBar::StaticClass() {
    using P = ZuProps<TzuTrackBar>;
    static const TzuPropInfo props[] = {
        P::Bool<&TzuTrackBar::CanFocused, &TzuTrackBar::SetCanFocused>("CanFocused").Default(1),
    };
    static const TzuClass cls = ZuClass<TzuTrackBar, TzuCustomTrack>("TzuTrackBar", props);
    return cls;
}

const TzuClass& TzuHudTrack::StaticClass() {
    static const TzuClass cls = ZuClass<TzuHudTrack, TzuTrack>("TzuHudTrack");
    return cls;
}

const TzuClass& TzuHudTrackBar::StaticClass() {
    static const TzuClass cls = ZuClass<TzuHudTrackBar, TzuTrackBar>("TzuHudTrackBar");
    return cls;
}

TzuCustomTrack::TzuCustomTrack(TzuComponent* owner) : TzuControl(owner) { SetBounds(0, 0, 100, 15); }

TzuCustomTrack::~TzuCustomTrack() {
    if (m_thumb) m_thumb->SetTrack(nullptr);
    m_thumb = nullptr;
}

TzuTrack::TzuTrack(TzuComponent* owner) : TzuCustomTrack(owner) {}

TzuTrackBar::TzuTrackBar(TzuComponent* owner) : TzuCustomTrack(owner) { SetCanFocus(true); }

// ---- Value rules ----

void TzuCustomTrack::SetValue(float value) {
    // A value that is not a number (a drag over a collapsed track, bad data) changes nothing.
    if (std::isnan(value)) return;
    if (m_frequency != 0) {
        const float snapped = m_frequency * RoundHalfEven(value / m_frequency);
        if (std::isfinite(snapped)) value = snapped;
    }
    if (value == m_value) return;
    m_value = value;
    if (m_value > m_max - m_viewportSize) m_value = m_max - m_viewportSize;
    if (m_value < m_min) m_value = m_min;
    NotifyAccess(this, TzuAccessChange::Value);
    TzuObjectGuard guard(this);
    const bool dragging = ThumbDragging();
    if (dragging && m_onTracking) {
        m_onTracking(this);
        if (!guard.Alive()) return;
    }
    if (m_tracking) {
        PushBindingValue();
        if (!guard.Alive()) return;
    }
    if ((!dragging || m_tracking) && m_onChange) {
        m_onChange(this);
        if (!guard.Alive()) return;
    }
    Realign();
}

void TzuCustomTrack::SetMin(float value) {
    if (value == m_min || std::isnan(value)) return;
    m_min = value;
    // Quietly, as Max moves it: the value never sits below the range.
    if (m_value < m_min) m_value = m_min;
    Realign();
}

void TzuCustomTrack::SetMax(float value) {
    if (value == m_max || std::isnan(value)) return;
    m_max = value;
    if (m_max < m_min) m_max = m_min + 0.001f;
    if (m_max - m_min < m_viewportSize) m_viewportSize = m_max - m_min;
    if (m_max - m_viewportSize < m_value) m_value = m_max - m_viewportSize;
    Realign();
}

void TzuCustomTrack::SetViewportSize(float value) {
    if (value == m_viewportSize || std::isnan(value)) return;
    m_viewportSize = std::min(value, m_max - m_min);
    if (m_max - m_viewportSize < m_value) {
        TzuObjectGuard guard(this);
        SetValue(m_max - m_viewportSize);
        if (!guard.Alive()) return;
    }
    Realign();
}

void TzuCustomTrack::SetOrientation(TzuOrientation value) {
    if (value == m_orientation) return;
    m_orientation = value;
    Realign();
}

void TzuCustomTrack::SetFrequency(float value) {
    if (value == m_frequency || std::isnan(value)) return;
    m_frequency = value;
    if (m_frequency != 0) SetValue(m_value);
}

bool TzuCustomTrack::ThumbDragging() const { return m_thumb && m_thumb->Dragging(); }

// ---- Thumb ----

TzuRect TzuCustomTrack::ThumbRect() {
    TzuRect r = LocalRect();
    const float w = Width(), h = Height();
    // In double: Max - Min of two large floats of opposite sign overflows a float, which
    // put the thumb at a fraction of infinity or NaN.
    const double span = double(m_max) - double(m_min);
    const double fraction = (double(m_value) - double(m_min)) / span;
    if (span > 0) {
        if (m_orientation == zuHorizontal) {
            r.Right = r.Left + float(m_viewportSize / span * w);
            const float offset = RoundHalfEven(float(fraction * w));
            r.Left += offset;
            r.Right += offset;
            if (r.Right - r.Left < h) {
                const float half = std::trunc(h / 2);
                const float edge = r.Left;
                r.Left = edge - half;
                r.Right = edge + half;
            }
            if (r.Right > w) {
                const float excess = r.Right - w;
                r.Left -= excess;
                r.Right -= excess;
            }
            if (r.Left < 0) {
                r.Right -= r.Left;
                r.Left = 0;
            }
            // A track shorter than the thumb's least length shrinks the thumb to fit.
            r.Right = std::min(r.Right, w);
        } else {
            r.Bottom = r.Top + float(m_viewportSize / span * h);
            if (r.Bottom - r.Top < w) {
                const float half = std::trunc(w / 2);
                const float edge = r.Top;
                r.Top = edge - half;
                r.Bottom = edge + half;
            }
            const float offset = RoundHalfEven(float(fraction * h));
            r.Top += offset;
            r.Bottom += offset;
            if (r.Bottom > h) {
                const float excess = r.Bottom - h;
                r.Top -= excess;
                r.Bottom -= excess;
            }
            if (r.Top < 0) {
                r.Bottom -= r.Top;
                r.Top = 0;
            }
            r.Bottom = std::min(r.Bottom, h);
        }
    }
    if (m_thumb) {
        if (auto* parent = As<TzuVisualObject>(m_thumb->Parent())) {
            const TzuRect m = parent->MarginsRect();
            const TzuRect p = m_thumb->PaddingRect();
            r.Top += m.Top + p.Top;
            r.Bottom -= m.Bottom + p.Bottom;
            if (r.Right - r.Left > m.Left + p.Left + m.Right + p.Right) {
                r.Left += m.Left + p.Left;
                r.Right -= m.Right + p.Right;
            }
        }
    }
    return r;
}

void TzuCustomTrack::Realign() {
    TzuControl::Realign();
    if (!m_thumb || IsLoading() || IsDestroying()) return;
    const TzuRect r = ThumbRect();
    const float w = RoundHalfEven(r.Right - r.Left);
    const float h = RoundHalfEven(r.Bottom - r.Top);
    // With less room than half its least length the thumb could neither be seen nor
    // grabbed: it goes, rather than spilling over the track's ends.
    const float across = m_orientation == zuHorizontal ? Height() : Width();
    const float length = m_orientation == zuHorizontal ? w : h;
    m_thumb->SetVisible(length >= 1 && length >= std::trunc(across / 2));
    m_thumb->Position()->SetPoint(TzuPoint{r.Left, r.Top});
    if (w != 0) m_thumb->SetWidth(w);
    if (h != 0) m_thumb->SetHeight(h);
}

void TzuCustomTrack::DragTo(float p, float grabOffset) {
    const float length = TrackLength();
    if (!(std::fabs(length) > 0)) return;  // no length: no step to take
    const float f = m_viewportSize != 0 ? (p - grabOffset) / length : p / length;
    SetValue(ValueAt(m_min, m_max, f));
}

void TzuCustomTrack::EndDrag() {
    if (m_tracking || !m_onChange) return;
    // The value was followed silently: tell the listeners once, with the value it ended at.
    const float final = m_value;
    m_tracking = true;
    TzuObjectGuard guard(this);
    m_value = final == m_min ? m_max : m_min;
    SetValue(final);
    if (guard.Alive()) m_tracking = false;
}

// ---- Input ----

void TzuCustomTrack::MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    TzuObjectGuard guard(this);
    TzuControl::MouseDown(button, shift, x, y);
    if (!guard.Alive() || button != mbLeft || IsSceneDesigning()) return;
    const float length = TrackLength();
    if (!(std::fabs(length) > 0)) return;
    const float p = m_orientation == zuHorizontal ? x : y;
    const float v = ValueAt(m_min, m_max, double(p) / length);
    if (m_viewportSize == 0)
        SetValue(v);
    else if (v > m_value)
        SetValue(m_value + m_viewportSize);
    else
        SetValue(m_value - m_viewportSize);
}

void TzuCustomTrack::KeyDown(uint16_t& key, char16_t& keyChar, TzuShiftState shift) {
    TzuObjectGuard guard(this);
    TzuControl::KeyDown(key, keyChar, shift);
    if (!guard.Alive()) return;
    const float step = m_frequency != 0 ? m_frequency : 1;
    switch (key) {
        case keys::End: SetValue(m_max); break;
        case keys::Home: SetValue(m_min); break;
        case keys::Left:
        case keys::Up: SetValue(m_value - step); break;
        case keys::Right:
        case keys::Down: SetValue(m_value + step); break;
        default: return;
    }
    // SetValue has told OnChange already (no drag is running), and an unchanged value has
    // nothing to tell: the key is simply consumed.
    if (guard.Alive()) key = 0;
}

// ---- Data and style ----

TzuVariant TzuCustomTrack::GetData() { return static_cast<double>(m_value); }

void TzuCustomTrack::SetData(const TzuVariant& value) {
    if (const auto* text = std::get_if<std::string>(&value); text && text->starts_with("zumet")) {
        DataTextToMethod(*text, m_onChange);
        return;
    }
    SetValue(SaturatingFloat(VariantToDouble(value)));
}

void TzuCustomTrack::ApplyStyle() {
    TzuControl::ApplyStyle();
    m_thumb = As<TzuThumb>(FindResource("thumb"));
    if (m_thumb) {
        m_thumb->SetTrack(this);
        m_thumb->FreeNotification(this);
    }
    Realign();
}

void TzuCustomTrack::FreeStyle() {
    if (m_thumb) {
        m_thumb->RemoveFreeNotification(this);
        m_thumb->SetTrack(nullptr);
    }
    m_thumb = nullptr;
    TzuControl::FreeStyle();
}

void TzuCustomTrack::Notification(TzuComponent* component, TzuOperation operation) {
    TzuControl::Notification(component, operation);
    if (operation == TzuOperation::opRemove && component == static_cast<TzuComponent*>(m_thumb))
        m_thumb = nullptr;
}

}  // namespace zu
