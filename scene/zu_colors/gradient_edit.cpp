#include "scene/zu_colors/gradient_edit.h"

#include <algorithm>
#include <cmath>

#include "platform/core/property.h"
#include "scene/zu_colors/color_box.h"
#include "scene/zu_colors/color_picker.h"
#include "scene/zu_scene/graphics/bitmap.h"
#include "scene/zu_scene/graphics/canvas.h"
#include "scene/zu_scene/graphics/gradient.h"
#include "scene/zu_scene/tree/object_guard.h"

namespace zu {

namespace {
constexpr float kMargin = 10;      // the bar leaves this much on either side
constexpr float kMarkerSize = 10;  // stop markers sit in this band below the bar
constexpr float kDragOff = 10;     // this far above or below the control a stop is off
constexpr TzuColor kMarkerOutline = 0xFF757575;
}  // namespace

const TzuClass& TzuGradientEdit::StaticClass() {
    using P = ZuProps<TzuGradientEdit>;
    using G = TzuGradientEdit;
    static const TzuPropInfo props[] = {
        P::Object<&G::Gradient>("Gradient"),
        P::Reference<&G::ColorPicker, &G::SetColorPicker>("ColorPicker"),
        P::Event<&G::OnChange>("OnChange"),
        P::Event<&G::OnSelectPoint>("OnSelectPoint"),
    };
    static const TzuClass cls = ZuClass<TzuGradientEdit, TzuControl>("TzuGradientEdit", props);
    return cls;
}

TzuGradientEdit::TzuGradientEdit(TzuComponent* owner)
    : TzuControl(owner), m_gradient(std::make_unique<TzuGradient>()) {
    SetAutoCapture(true);
    SetWidth(200);
    SetHeight(20);
    m_gradient->OnChange().Set([this](TzuPersistent*) { GradientChanged(); });
}

TzuGradientEdit::~TzuGradientEdit() {
    if (m_colorPicker) m_colorPicker->RemoveFreeNotification(this);
    m_colorPicker = nullptr;
}

void TzuGradientEdit::SetColorPicker(TzuColorPicker* value) {
    if (value == m_colorPicker) return;
    if (m_colorPicker) m_colorPicker->RemoveFreeNotification(this);
    m_colorPicker = value;
    if (m_colorPicker) m_colorPicker->FreeNotification(this);
}

void TzuGradientEdit::Notification(TzuComponent* component, TzuOperation operation) {
    TzuControl::Notification(component, operation);
    if (operation == TzuOperation::opRemove && component == static_cast<TzuComponent*>(m_colorPicker))
        m_colorPicker = nullptr;
}

void TzuGradientEdit::GradientChanged() {
    // Stops may have gone from outside (a load, an assignment): the selection stays valid.
    const int count = m_gradient->Points()->Count();
    m_selected = std::clamp(m_selected, count > 0 ? 0 : -1, count - 1);
    m_barValid = false;
    Repaint();
}

void TzuGradientEdit::SetSelected(int index) {
    const int count = m_gradient->Points()->Count();
    index = std::clamp(index, count > 0 ? 0 : -1, count - 1);
    if (index == m_selected) return;
    m_selected = index;
    Repaint();
    TzuObjectGuard guard(this);
    if (m_onSelectPoint) m_onSelectPoint(this);
    if (guard.Alive()) ShowSelectedInPicker();
}

void TzuGradientEdit::ShowSelectedInPicker() {
    const TzuGradientPoint* point = m_gradient->Points()->Points(m_selected);
    if (m_colorPicker && point) m_colorPicker->SetColor(point->Color());
}

void TzuGradientEdit::Changed() {
    TzuObjectGuard guard(this);
    if (m_onChange) m_onChange(this);
    if (guard.Alive()) ShowSelectedInPicker();
}

float TzuGradientEdit::StopX(int index) const {
    const TzuGradientPoint* point = m_gradient->Points()->Points(index);
    return point ? point->Offset() * (Width() - 2 * kMargin) + kMargin : 0;
}

float TzuGradientEdit::OffsetAt(float x) const {
    const float span = Width() - 2 * kMargin;
    if (!(span > 0)) return 0;
    const float offset = (x - kMargin) / span;
    return offset > 0 ? std::min(offset, 1.0f) : 0.0f;
}

int TzuGradientEdit::StopAt(float x, float y) const {
    if (y < Height() - kMarkerSize || y > Height()) return -1;
    // The selected marker is drawn last, on top: it wins where markers overlap.
    const auto hit = [&](int i) { return std::fabs(x - StopX(i)) <= kMarkerSize / 2; };
    if (m_selected >= 0 && hit(m_selected)) return m_selected;
    for (int i = m_gradient->Points()->Count() - 1; i >= 0; --i)
        if (hit(i)) return i;
    return -1;
}

int TzuGradientEdit::AddStopAt(float x) {
    TzuGradientPoints* points = m_gradient->Points();
    const float offset = OffsetAt(x);
    // Only between the first and the last stop: a stop inserted before the first or after
    // the last would break the order the stops are kept in.
    if (points->Count() == 0 || offset < points->Points(0)->Offset()) return -1;
    for (int i = 1; i < points->Count(); ++i) {
        if (points->Points(i)->Offset() <= offset) continue;
        points->InsertPoint(i, m_gradient->ColorAt(offset), offset);
        return i;
    }
    return -1;
}

void TzuGradientEdit::DragTo(float x, float y) {
    TzuGradientPoints* points = m_gradient->Points();
    TzuGradientPoint* point = points->Points(m_selected);
    if (!point) return;
    const float offset = OffsetAt(x);
    point->SetOffset(offset);
    // Passing a neighbour swaps places with it, so the stops stay in order; the stop
    // stays selected (without a new selection notice: it is the same stop).
    while (m_selected + 1 < points->Count() && offset > points->Points(m_selected + 1)->Offset()) {
        points->Move(m_selected, m_selected + 1);
        ++m_selected;
    }
    while (m_selected > 0 && offset < points->Points(m_selected - 1)->Offset()) {
        points->Move(m_selected, m_selected - 1);
        --m_selected;
    }
    // Off the control, the stop shows as gone: releasing it there deletes it. The last
    // stop left is never taken off.
    const bool off = (y < -kDragOff || y > Height() + kDragOff) && points->Count() > 1;
    if (off != m_draggedOff) {
        m_draggedOff = off;
        Repaint();
    }
    Changed();
}

void TzuGradientEdit::MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    TzuObjectGuard guard(this);
    TzuControl::MouseDown(button, shift, x, y);
    if (!guard.Alive() || button != mbLeft || IsSceneDesigning()) return;
    if (const int stop = StopAt(x, y); stop >= 0) {
        m_dragging = true;
        m_draggedOff = false;
        SetSelected(stop);
        return;
    }
    if (y <= 0 || y >= Height() - kMarkerSize) return;
    const int added = AddStopAt(x);
    if (added < 0) return;
    SetSelected(added);
    if (guard.Alive()) Changed();
}

void TzuGradientEdit::MouseMove(TzuShiftState shift, float x, float y, float dx, float dy) {
    TzuObjectGuard guard(this);
    TzuControl::MouseMove(shift, x, y, dx, dy);
    if (guard.Alive() && m_dragging) DragTo(x, y);
}

void TzuGradientEdit::MouseUp(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    TzuObjectGuard guard(this);
    const bool dropped = m_dragging && button == mbLeft;
    const bool off = dropped && m_draggedOff;
    if (button == mbLeft) m_dragging = m_draggedOff = false;
    TzuControl::MouseUp(button, shift, x, y);
    if (!guard.Alive() || !off || m_gradient->Points()->Count() < 2) return;
    const int deleted = m_selected;
    m_gradient->Points()->Delete(deleted);
    // The stop before the deleted one is selected, or the first when the first went.
    m_selected = -2;  // so that SetSelected announces the selection
    SetSelected(std::max(0, deleted - 1));
    if (guard.Alive()) Changed();
}

void TzuGradientEdit::Paint() {
    TzuControl::Paint();
    TzuCanvas* cv = Canvas();
    if (!cv) return;
    const float opacity = AbsoluteOpacity();
    const float w = Width(), h = Height();
    const TzuRect bar{kMargin, 0, w - kMargin, h - kMarkerSize};
    if (bar.Right > bar.Left && bar.Bottom > bar.Top) {
        PaintCheckerboard(*cv, bar, opacity);
        const int bw = std::max(1, static_cast<int>(bar.Right - bar.Left));
        const int bh = std::max(1, static_cast<int>(bar.Bottom - bar.Top));
        if (!m_bar || m_bar->Width() != bw || m_bar->Height() != bh) {
            m_bar = std::make_unique<TzuBitmap>(bw, bh);
            m_barValid = false;
        }
        if (!m_barValid) {
            // One column per pixel of the bar; the rows repeat the first.
            uint32_t* first = m_bar->ScanLine(0);
            for (int x = 0; x < bw; ++x)
                first[x] = PremultiplyColor(m_gradient->ColorAt(float(x) / float(bw)));
            for (int y = 1; y < bh; ++y) MovePixels(first, m_bar->ScanLine(y), bw);
            m_bar->Changed();
            m_barValid = true;
        }
        cv->DrawBitmap(*m_bar, {0, 0, float(bw), float(bh)}, bar, opacity, true);
    }
    const TzuGradientPoints* points = m_gradient->Points();
    cv->SetStrokeThickness(1);
    cv->Fill()->SetStyle(zuBrushSolid);
    cv->Stroke()->SetStyle(zuBrushSolid);
    const auto marker = [&](int i) {
        if (i == m_selected && m_draggedOff) return;
        const float cx = StopX(i);
        const TzuRect r{cx - kMarkerSize / 2 + 1, h - kMarkerSize + 1, cx + kMarkerSize / 2 - 1, h - 1};
        cv->Fill()->SetColor(points->Points(i)->Color());
        cv->FillRect(r, 0, 0, kAllCorners, opacity, zuCornerRound);
        cv->Stroke()->SetColor(kMarkerOutline);
        cv->DrawRect(r, 0, 0, kAllCorners, opacity, zuCornerRound);
        if (i != m_selected) return;
        cv->Stroke()->SetColor(0xFFFFFFFF);
        cv->DrawRect({r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1}, 0, 0, kAllCorners, opacity,
                     zuCornerRound);
    };
    for (int i = 0; i < points->Count(); ++i)
        if (i != m_selected) marker(i);
    if (m_selected >= 0 && m_selected < points->Count()) marker(m_selected);
}

}  // namespace zu
