#include "scene/zu_controls/ani_indicator.h"

#include <algorithm>
#include <cmath>

#include "platform/core/class_registry.h"
#include "platform/core/property.h"
#include "scene/zu_scene/graphics/canvas.h"
#include "scene/zu_scene/tree/animation.h"

namespace zu {

namespace {
const char* const kStyleNames[] = {"zuAniIndicatorLine", "zuAniIndicatorCircle"};
constexpr TzuColor kMarkColor = 0xFFBABABA;
constexpr TzuColor kWaveColor = 0xFF000000;

// The point at distance from the centre in direction degrees.
TzuPoint Spoke(const TzuPoint& centre, float distance, float degrees) {
    const float a = DegreesToRadians(degrees);
    return {centre.X + distance * std::cos(a), centre.Y + distance * std::sin(a)};
}

// The wave's strength for a mark whose phase start is m, at clock step k.
float Strength(int k, int m) { return 1 - float(((k - m + 30) % 30 + 30) % 30) / 30; }
}  // namespace

const TzuEnumInfo kAniIndicatorStyleEnum{"TzuAniIndicatorStyle", kStyleNames, 2};

const TzuClass& TzuAniIndicator::StaticClass() {
    using P = ZuProps<TzuAniIndicator>;
    static const TzuPropInfo props[] = {
        P::Bool<&TzuAniIndicator::Enabled, &TzuAniIndicator::SetEnabled>("Enabled").Default(0),
        P::Enum<&TzuAniIndicator::Style, &TzuAniIndicator::SetStyle>("Style", kAniIndicatorStyleEnum)
            .Default(zuAniIndicatorLine),
    };
    static const TzuClass cls = ZuClass<TzuAniIndicator, TzuControl>("TzuAniIndicator", props);
    return cls;
}

TzuAniIndicator::TzuAniIndicator(TzuComponent* owner) : TzuControl(owner) {
    m_clock = new TzuVisualObject(this);
    m_clock->SetStored(false);
    m_clock->SetLocked(true);
    m_clock->SetHitTest(false);
    m_clock->SetAlign(vaContents);
    m_clock->SetParent(this);
    m_clock->FreeNotification(this);
    // The float animation lives in a unit above the controls: made by its registered name.
    m_animation = As<TzuAnimation>(CreateObject("TzuFloatAnimation", m_clock));
    if (m_animation) {
        m_animation->SetStored(false);
        m_animation->SetLoop(true);
        m_animation->SetDuration(10);
        m_animation->SetPropertyName("RotateAngle");
        SetPropValue(ResolveProperty(m_animation, "StartValue"), TzuVariant(0.0));
        SetPropValue(ResolveProperty(m_animation, "StopValue"), TzuVariant(360.0));
        m_animation->SetParent(m_clock);
        m_animation->FreeNotification(this);
    }
}

TzuAniIndicator::~TzuAniIndicator() {
    if (m_animation) m_animation->RemoveFreeNotification(this);
    if (m_clock) m_clock->RemoveFreeNotification(this);
    m_animation = nullptr;
    m_clock = nullptr;
}

void TzuAniIndicator::Notification(TzuComponent* component, TzuOperation operation) {
    TzuControl::Notification(component, operation);
    if (operation != TzuOperation::opRemove) return;
    if (component == m_animation) m_animation = nullptr;
    if (component == m_clock) {
        m_clock = nullptr;
        m_animation = nullptr;
    }
}

void TzuAniIndicator::SetEnabled(bool value) {
    if (value == m_enabled) return;
    m_enabled = value;
    RunClock();
    Repaint();
}

void TzuAniIndicator::Loaded() {
    TzuControl::Loaded();
    RunClock();
}

void TzuAniIndicator::RunClock() {
    if (!m_animation || IsLoading()) return;
    if (m_enabled)
        m_animation->Start();
    else
        m_animation->Stop();
}

void TzuAniIndicator::SetStyle(TzuAniIndicatorStyle value) {
    if (value == m_style) return;
    m_style = value;
    Repaint();
}

void TzuAniIndicator::Paint() {
    TzuControl::Paint();
    TzuCanvas* cv = Canvas();
    if (!cv) return;
    const float r0 = std::min(Width(), Height()) / 2;
    if (r0 <= 0) return;
    const float d = r0 / 3.7f, r = r0 - d;
    const TzuPoint c{Width() / 2, Height() / 2};
    const int k = m_clock ? static_cast<int>(std::trunc(m_clock->RotateAngle())) : 0;
    const float opacity = AbsoluteOpacity();
    if (m_style == zuAniIndicatorLine) {
        cv->Stroke()->SetStyle(zuBrushSolid);
        cv->SetStrokeThickness(d / 2);
        for (int i = 0; i < 12; ++i) {
            const TzuPoint a = Spoke(c, r / 2, 30.0f * i), b = Spoke(c, r, 30.0f * i);
            cv->Stroke()->SetColor(kMarkColor);
            cv->DrawLine(a, b, opacity);
            if (!m_enabled) continue;
            cv->Stroke()->SetColor(kWaveColor);
            cv->DrawLine(a, b, Strength(k, static_cast<int>(i / 12.0f * 30)) * opacity);
        }
    } else {
        cv->Stroke()->SetStyle(zuBrushNone);
        cv->Fill()->SetStyle(zuBrushSolid);
        for (int i = 0; i < 8; ++i) {
            const TzuPoint p = Spoke(c, r, 45.0f * i);
            const TzuRect dot{p.X - d, p.Y - d, p.X + d, p.Y + d};
            cv->Fill()->SetColor(kMarkColor);
            cv->FillEllipse(dot, opacity);
            if (!m_enabled) continue;
            cv->Fill()->SetColor(kWaveColor);
            cv->FillEllipse(dot, Strength(k, static_cast<int>(i / 7.0f * 30)) * opacity);
        }
    }
}

}  // namespace zu
