// Frame painting of the scene host: background, top-level objects, presentation.

#include <cstring>
#include <functional>
#include <vector>

#include "platform/core/clock.h"
#include "platform/core/form.h"
#include "scene/zu_scene/graphics/brush.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/frame_paint.h"
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

}  // namespace

void TzuCustomScene::PaintScene() {
    if (!PaintQueued() || !m_onFramePresented) return;
    // The frame is done with the scene's state; a copy of the handler runs, so one that
    // frees the scene (or rewires the event) does not pull the code from under itself.
    const TzuFrameEvent handler = m_onFramePresented;
    handler(this, TickCount());
}

bool TzuCustomScene::PaintQueued() {
    if ((!m_designing && m_frameLink) || m_painting || m_updateRects.empty()) return false;
    m_painting = true;
    FrameGuard guard{m_painting, m_updateRects};
    TzuCanvas* cv = m_canvas.get();
    if (!cv || !cv->BufferBits()) return false;

    if (m_updateRects.size() > kMaxUpdateRects) m_updateRects = {RectsUnion(m_updateRects)};
    const float w = float(ClientWidth()), h = float(ClientHeight());

    // Painting may queue more rectangles (and grow the queue under the frame's feet): the
    // frame paints the ones it started with.
    const std::vector<TzuRect> rects = m_updateRects;
    // While designing, the selection, its handles and the drag's guides go over everything.
    std::function<void(TzuCanvas&)> design;
    if (m_designing) design = [this](TzuCanvas& c) { PaintDesign(c); };
    const auto background = [&](TzuCanvas& c) {
        const bool clearOnly = m_fill->Style() == zuBrushNone ||
                               (m_fill->Style() == zuBrushSolid && (m_fill->SolidColor() >> 24) == 0);
        if (IsTransparentChild()) {
            if (m_fill->Style() != zuBrushNone) {
                c.Fill()->Assign(*m_fill);
                c.FillRect({-1, -1, w + 1, h + 1}, 0, 0, kAllCorners, 1, zuCornerRound);
            } else {
                PaintParentBackground();
            }
        } else if (clearOnly) {
            // The alpha byte is dropped so an opaque window shows the fill's colour; a
            // transparent one is cleared to nothing.
            const TzuColor value = m_transparency ? 0 : (m_fill->SolidColor() & 0x00FFFFFF);
            for (const TzuRect& r : rects) c.ClearRect(r, value);
        } else {
            c.Fill()->Assign(*m_fill);
            c.FillRect({-1, -1, w + 1, h + 1}, 0, 0, kAllCorners, 1, zuCornerRound);
        }
    };
    PaintFrame(*cv, rects, m_objects, background, design);

    if (!m_transparency || IsTransparentChild() || m_designing) {
        for (const TzuRect& r : rects) cv->FlushBufferRect(0, 0, *m_target, r);
    }
    if (IsLayered()) UpdateLayered();
    return true;
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
