// The design-time drawing of the scene, over the objects and in scene pixels: the
// selection's dashed frame with its rotation handle and grips (a hot one red), the snap
// lines of a drag, the place-into target with its hint, and the snap grid when shown.

#include <algorithm>
#include <cmath>

#include "scene/zu_scene/graphics/brush.h"
#include "scene/zu_scene/graphics/font.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/visual_object.h"

namespace zu {

namespace {

constexpr TzuColor kFrameColor = 0xFF1072C5;
constexpr TzuColor kTargetColor = 0xFF5B91DE;
constexpr TzuColor kHotColor = 0xFFFF0000;
constexpr TzuColor kGridColor = 0x30808080;
constexpr float kLabelWidth = 160;
constexpr float kLabelHeight = 19;
// Grid lines are drawn every this many grid steps: a line on every step of 1 would only
// grey the scene.
constexpr float kGridLineSteps = 10;

TzuVisualObject* Visual(TzuObject* o) {
    return o && o->IsVisual() ? static_cast<TzuVisualObject*>(o) : nullptr;
}

TzuRect Grow(TzuRect r, float by) {
    RectInflate(r, by, by);
    return r;
}

// The selection's frame and handles in scene pixels.
TzuRect SelectionArea(TzuVisualObject& sel) {
    const float w = sel.Width(), h = sel.Height();
    const TzuPoint pts[5] = {sel.LocalToAbsolute({0, 0}), sel.LocalToAbsolute({w, 0}),
                             sel.LocalToAbsolute({w, h}), sel.LocalToAbsolute({0, h}),
                             sel.LocalToAbsolute({w / 2, -10})};
    return Grow(PointsBounds(pts, 5), kDesignHandleHalf + 2);
}

TzuRect TargetArea(TzuVisualObject& target) {
    TzuRect r = Grow(target.AbsoluteRect(), 1);
    r.Top -= kLabelHeight + 1;
    r.Right = std::max(r.Right, r.Left + kLabelWidth + 1);
    return r;
}

}  // namespace

void TzuCustomScene::RepaintDesignOverlay() {
    if (!m_designing) return;
    const TzuRect r = DesignOverlayArea();
    if (r.Right > r.Left && r.Bottom > r.Top) AddUpdateRect(r);
}

TzuRect TzuCustomScene::DesignOverlayArea() {
    TzuRect area{};
    bool any = false;
    auto add = [&](const TzuRect& r) {
        area = any ? RectUnion(area, r) : r;
        any = true;
    };
    TzuVisualObject* sel = Visual(m_designSelection);
    if (sel) add(SelectionArea(*sel));
    if (TzuVisualObject* target = Visual(m_designPlaceTarget)) add(TargetArea(*target));
    if (sel && !m_designSnapSiblings.empty()) {
        for (TzuVisualObject* s : m_designSnapSiblings) add(Grow(s->AbsoluteRect(), 2));
    }
    return area;
}

void TzuCustomScene::PaintDesign(TzuCanvas& cv) {
    cv.SetMatrix(IdentityMatrix);
    cv.SetStrokeThickness(1);
    cv.SetStrokeCap(zuCapFlat);
    cv.SetStrokeJoin(zuJoinMiter);
    cv.SetStrokeDash(zuDashSolid);
    cv.Stroke()->SetStyle(zuBrushSolid);
    cv.Fill()->SetStyle(zuBrushSolid);

    if (m_designSnapGridShow && m_gridStep > 0) {
        const float step = m_gridStep * kGridLineSteps;
        const float w = float(ClientWidth()), h = float(ClientHeight());
        cv.Stroke()->SetColor(kGridColor);
        for (float x = step; x < w; x += step) cv.DrawLine({x + 0.5f, 0}, {x + 0.5f, h}, 1);
        for (float y = step; y < h; y += step) cv.DrawLine({0, y + 0.5f}, {w, y + 0.5f}, 1);
    }

    TzuVisualObject* sel = Visual(m_designSelection);
    if (TzuVisualObject* target = Visual(m_designPlaceTarget)) {
        const TzuRect r = target->AbsoluteRect();
        cv.Stroke()->SetColor(kTargetColor);
        cv.DrawRect(Grow(r, -0.5f), 0, 0, kAllCorners, 1, zuCornerRound);
        const TzuRect label{r.Left, r.Top - kLabelHeight, r.Left + kLabelWidth, r.Top};
        cv.Fill()->SetColor(kTargetColor);
        cv.FillRect(label, 0, 0, kAllCorners, 1, zuCornerRound);
        TzuFont font;
        font.SetFamily("Tahoma");
        font.SetSize(9);
        cv.Font()->Assign(font);
        cv.Fill()->SetColor(0xFFFFFFFF);
        cv.FillText({label.Left + 3, label.Top, label.Right - 2, label.Bottom}, DesignPlaceHint(), false, 1,
                    zuTextAlignNear, zuTextAlignCenter);
    }

    if (sel && (m_designHasSnapX || m_designHasSnapY)) {
        if (auto* parent = Visual(sel->Parent())) {
            // Each line runs across the selection and the siblings it was aligned with.
            const TzuPoint p = sel->Position()->GetPoint();
            TzuRect span{p.X, p.Y, p.X + sel->Width(), p.Y + sel->Height()};
            for (TzuVisualObject* s : m_designSnapSiblings) {
                const TzuPoint q = s->Position()->GetPoint();
                span = RectUnion(span, {q.X, q.Y, q.X + s->Width(), q.Y + s->Height()});
            }
            cv.Stroke()->SetColor(kTargetColor);
            auto line = [&](TzuPoint a, TzuPoint b) {
                a = parent->LocalToAbsolute(a);
                b = parent->LocalToAbsolute(b);
                // On the pixel centre of an axis-aligned line, so it shows one pixel wide.
                if (std::fabs(a.X - b.X) < 0.01f) a.X = b.X = std::floor(a.X) + 0.5f;
                if (std::fabs(a.Y - b.Y) < 0.01f) a.Y = b.Y = std::floor(a.Y) + 0.5f;
                cv.DrawLine(a, b, 1);
            };
            if (m_designHasSnapX) line({m_designSnapX, span.Top}, {m_designSnapX, span.Bottom});
            if (m_designHasSnapY) line({span.Left, m_designSnapY}, {span.Right, m_designSnapY});
        }
    }

    if (!sel || !sel->HasDesignFrame() || (sel->DesignHide())) return;
    const float w = sel->Width(), h = sel->Height();
    // The frame, half a pixel inside the box so the dashes cover whole pixels.
    const TzuPoint corners[4] = {sel->LocalToAbsolute({0, 0}), sel->LocalToAbsolute({w, 0}),
                                 sel->LocalToAbsolute({w, h}), sel->LocalToAbsolute({0, h})};
    cv.Stroke()->SetColor(kFrameColor);
    cv.SetStrokeDash(zuDashDash);
    const bool upright =
        std::fabs(corners[0].Y - corners[1].Y) < 0.01f && std::fabs(corners[0].X - corners[3].X) < 0.01f;
    if (upright) {
        cv.DrawRect(Grow(PointsBounds(corners, 4), -0.5f), 0, 0, kAllCorners, 1, zuCornerRound);
    } else {
        for (int i = 0; i < 4; ++i) cv.DrawLine(corners[i], corners[(i + 1) % 4], 1);
    }
    cv.SetStrokeDash(zuDashSolid);
    for (TzuDesignGrip g : kDesignHandleOrder) {
        TzuPoint c;
        if (!DesignHandleCentre(g, w, h, c)) continue;
        c = sel->LocalToAbsolute(c);
        c = {std::round(c.X), std::round(c.Y)};
        const TzuRect box{c.X - kDesignHandleHalf + 0.5f, c.Y - kDesignHandleHalf + 0.5f,
                          c.X + kDesignHandleHalf - 0.5f, c.Y + kDesignHandleHalf - 0.5f};
        cv.Fill()->SetColor(g == m_designHot ? kHotColor : 0xFFFFFFFF);
        cv.Stroke()->SetColor(kFrameColor);
        if (g == TzuDesignGrip::Rotate) {
            TzuPoint top = sel->LocalToAbsolute({w / 2, 0});
            cv.DrawLine({std::round(top.X) + 0.5f, top.Y}, {c.X + 0.5f, c.Y}, 1);
            cv.FillEllipse(box, 1);
            cv.DrawEllipse(box, 1);
        } else if (g == TzuDesignGrip::TopLeft || g == TzuDesignGrip::TopRight ||
                   g == TzuDesignGrip::BottomLeft || g == TzuDesignGrip::BottomRight) {
            cv.FillEllipse(box, 1);
            cv.DrawEllipse(box, 1);
        } else {
            cv.FillRect(box, 0, 0, kAllCorners, 1, zuCornerRound);
            cv.DrawRect(box, 0, 0, kAllCorners, 1, zuCornerRound);
        }
    }
}

}  // namespace zu
