#pragma once
// A canvas double that records the figure calls a shape makes, with the brushes and
// stroke settings in force at that moment, and a scene double that hands it out.

#include <string>
#include <vector>

#include "scene/zu_scene/graphics/canvas.h"
#include "scene/zu_scene/tree/object.h"
#include "scene/zu_scene/tree/scene_intf.h"

namespace zu::test {

struct CanvasCall {
    std::string op;
    TzuRect rect{};
    float rx = 0, ry = 0, opacity = 0, thickness = 0;
    TzuCorners corners = 0;
    TzuCornerType cornerType = zuCornerRound;
    TzuSides sides = 0;
    TzuColor fill = 0, stroke = 0;
    TzuMatrix matrix{};
    std::u16string text;
    TzuPoint p1{}, p2{};
    TzuRect source{};
    bool highSpeed = false;
};

class RecordingCanvas : public TzuCanvas {
public:
    RecordingCanvas() : TzuCanvas(false) {}
    std::vector<CanvasCall> calls;
    // What MeasureText reports: the text's box at the rectangle's origin.
    float measureWidth = 400, measureHeight = 110;

    void SetClipRects(std::span<const TzuRect>) override {}
    void IntersectClipRect(const TzuRect&) override {}
    void ExcludeClipRect(const TzuRect&) override {}
    void ResetClipRect() override {}
    void DrawLine(const TzuPoint& a, const TzuPoint& b, float opacity) override {
        CanvasCall c = Make("DrawLine", {}, opacity);
        c.p1 = a;
        c.p2 = b;
        calls.push_back(c);
    }
    void FillRect(const TzuRect& r, float rx, float ry, TzuCorners corners, float opacity,
                  TzuCornerType t) override {
        calls.push_back(Rect("FillRect", r, rx, ry, corners, opacity, t));
    }
    void DrawRect(const TzuRect& r, float rx, float ry, TzuCorners corners, float opacity,
                  TzuCornerType t) override {
        calls.push_back(Rect("DrawRect", r, rx, ry, corners, opacity, t));
    }
    void FillEllipse(const TzuRect& r, float o) override { calls.push_back(Make("FillEllipse", r, o)); }
    void DrawEllipse(const TzuRect& r, float o) override { calls.push_back(Make("DrawEllipse", r, o)); }
    bool PtInPath(const TzuPoint&, const TzuRect&, const TzuPathData&) override { return false; }
    void FillPath(const TzuPathData&, const TzuRect& r, float o) override {
        calls.push_back(Make("FillPath", r, o));
    }
    void DrawPath(const TzuPathData&, const TzuRect& r, float o) override {
        calls.push_back(Make("DrawPath", r, o));
    }
    void DrawBitmap(TzuBitmap&, const TzuRect& src, const TzuRect& dst, float o, bool fast) override {
        CanvasCall c = Make("DrawBitmap", dst, o);
        c.source = src;
        c.highSpeed = fast;
        calls.push_back(c);
    }
    void DrawThumbnail(TzuBitmap&, float, float) override {}
    void FillText(const TzuRect& r, const std::u16string& text, bool, float o, TzuTextAlign,
                  TzuTextAlign) override {
        CanvasCall c = Make("FillText", r, o);
        c.text = text;
        calls.push_back(c);
    }
    void MeasureText(TzuRect& r, const std::u16string& text, bool, TzuTextAlign, TzuTextAlign) override {
        if (text.empty()) {
            r = TzuRect{};
            return;
        }
        r = TzuRect{r.Left, r.Top, r.Left + measureWidth, r.Top + measureHeight};
    }
    bool TextToPath(TzuPathData&, const TzuRect&, const std::u16string&, bool, TzuTextAlign,
                    TzuTextAlign) override {
        return false;
    }
    int Count(const std::string& op) const {
        int n = 0;
        for (auto& c : calls) n += c.op == op;
        return n;
    }
    const CanvasCall* Find(const std::string& op) const {
        for (auto& c : calls) {
            if (c.op == op) return &c;
        }
        return nullptr;
    }

protected:
    int SaveBackendState() override { return -1; }
    void RestoreBackendState(int) override {}

private:
    CanvasCall Make(const char* op, const TzuRect& r, float opacity) {
        CanvasCall c;
        c.op = op;
        c.rect = r;
        c.opacity = opacity;
        c.thickness = StrokeThickness();
        c.fill = Fill()->Color();
        c.stroke = Stroke()->Color();
        c.matrix = Matrix();
        return c;
    }
    CanvasCall Rect(const char* op, const TzuRect& r, float rx, float ry, TzuCorners corners, float opacity,
                    TzuCornerType t) {
        CanvasCall c = Make(op, r, opacity);
        c.rx = rx;
        c.ry = ry;
        c.corners = corners;
        c.cornerType = t;
        return c;
    }
};

// The smallest scene that hands out a canvas: objects below its root paint into it.
class CanvasScene : public IzuScene, public TzuComponent {
public:
    explicit CanvasScene(TzuCanvas* canvas) : TzuComponent(nullptr), m_canvas(canvas) {}
    void AddObject(TzuObject* o) override {
        m_root = o;
        o->SetScene(this);
    }
    void RemoveObject(TzuObject* o) override {
        if (o == m_root) m_root = nullptr;
        o->SetScene(nullptr);
    }
    void BeginUpdate() override {}
    void EndUpdate() override {}
    void EndUpdateSilently() override {}
    void AddUpdateRect(const TzuRect& r) override { rects.push_back(r); }
    bool IsUpdating() const override { return false; }
    void SetUpdating(bool) override {}
    TzuCanvas* Canvas() const override { return m_canvas; }
    TzuObject* Root() const override { return m_root; }
    TzuComponent* SceneControl() override { return this; }
    void Notification(TzuComponent*, TzuOperation) override {}
    int UpdateRectCount() const override { return static_cast<int>(rects.size()); }
    TzuRect UpdateRect(int i) const override { return rects.at(static_cast<size_t>(i)); }
    std::vector<TzuRect> rects;

private:
    TzuCanvas* m_canvas;
    TzuObject* m_root = nullptr;
};

}  // namespace zu::test
