// Frame painting of the scene host: background, top-level objects, presentation.

#include <cstring>
#include <vector>

#include "platform/core/form.h"
#include "scene/zu_scene/graphics/brush.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/visual_object.h"

namespace zu {

namespace {

// Clears the painting state and the queue whichever way a frame ends: rectangles queued
// while painting are part of the frame that just ran.
struct FrameGuard {
    bool& painting;
    std::vector<TzuRect>& rects;
    ~FrameGuard() {
        rects.clear();
        painting = false;
    }
};

TzuRect UnionOf(const std::vector<TzuRect>& rects) {
    TzuRect u = rects.front();
    for (const TzuRect& r : rects) u = RectUnion(u, r);
    return u;
}

}  // namespace

void TzuCustomScene::PaintScene() {
    if ((!m_designing && m_frameLink) || m_painting || m_updateRects.empty()) return;
    m_painting = true;
    FrameGuard guard{m_painting, m_updateRects};
    TzuCanvas* cv = m_canvas.get();
    if (!cv || !cv->BufferBits()) return;

    if (m_updateRects.size() > 20) m_updateRects = {UnionOf(m_updateRects)};
    const float w = float(ClientWidth()), h = float(ClientHeight());

    if (cv->BeginScene()) {
        cv->ResetClipRect();
        cv->SetMatrix(IdentityMatrix);
        cv->SetClipRects(m_updateRects);

        const bool clearOnly = m_fill->Style() == zuBrushNone ||
                               (m_fill->Style() == zuBrushSolid && (m_fill->SolidColor() >> 24) == 0);
        if (IsTransparentChild()) {
            if (m_fill->Style() != zuBrushNone) {
                cv->Fill()->Assign(*m_fill);
                cv->FillRect({-1, -1, w + 1, h + 1}, 0, 0, kAllCorners, 1, zuCornerRound);
            } else {
                PaintParentBackground();
            }
        } else if (clearOnly) {
            // The alpha byte is dropped so an opaque window shows the fill's colour; a
            // transparent one is cleared to nothing.
            const TzuColor value = m_transparency ? 0 : (m_fill->SolidColor() & 0x00FFFFFF);
            for (const TzuRect& r : m_updateRects) cv->ClearRect(r, value);
        } else {
            cv->Fill()->Assign(*m_fill);
            cv->FillRect({-1, -1, w + 1, h + 1}, 0, 0, kAllCorners, 1, zuCornerRound);
        }

        cv->SetStrokeThickness(1);
        cv->SetStrokeCap(zuCapFlat);
        cv->SetStrokeJoin(zuJoinMiter);
        cv->SetStrokeDash(zuDashSolid);
        cv->Stroke()->SetStyle(zuBrushSolid);
        cv->Fill()->SetStyle(zuBrushSolid);

        // Painting may add or remove top-level objects; walk a copy and skip the ones
        // that went meanwhile.
        const std::vector<TzuObject*> objects = m_objects;
        for (TzuObject* o : objects) {
            if (std::find(m_objects.begin(), m_objects.end(), o) == m_objects.end()) continue;
            auto* v = As<TzuVisualObject>(o);
            if (!v || !v->Visible()) continue;
            const TzuRect bounds = v->UpdateRect();
            bool hit = false;
            for (const TzuRect& r : m_updateRects) {
                TzuRect common;
                if (RectIntersection(r, bounds, common)) {
                    hit = true;
                    break;
                }
            }
            if (!hit) continue;
            cv->SetMatrix(v->AbsoluteMatrix());
            v->BeforePaint();
            v->Paint();
            v->AfterPaint();
            v->PaintChildren();
            if (v->HasExtra() && v->OnPaint()) {
                cv->SetMatrix(v->AbsoluteMatrix());
                v->OnPaint()(v, cv, v->LocalRect());
            }
        }
        cv->EndScene();
    }

    if (!m_transparency || IsTransparentChild() || m_designing) {
        for (const TzuRect& r : m_updateRects) cv->FlushBufferRect(0, 0, *m_target, r);
    }
    if (IsLayered()) UpdateLayered();
}

void TzuCustomScene::UpdateLayered() {
    if (m_designing || !m_canvas || !m_canvas->BufferBits()) return;
    IzuWindow* window = Window();
    if (!window || !Parent() || !Parent()->Window()) return;
    // The scene accepts no child controls, so the frame is the canvas as it stands.
    window->PresentLayered(m_canvas->BufferBits(), m_canvas->Width(), m_canvas->Width(), m_canvas->Height());
}

void TzuCustomScene::PaintParentBackground() {
    // What the parent shows beneath the scene: its background colour. Sibling controls
    // paint their own windows and are not copied in.
    TzuColor color = 0xFF000000;
    for (TzuWinControl* p = Parent(); p; p = p->Parent()) {
        if (auto* form = As<TzuForm>(p)) {
            color = 0xFF000000u | form->Color();
            break;
        }
    }
    for (const TzuRect& r : m_updateRects) m_canvas->ClearRect(r, color);
}

}  // namespace zu
