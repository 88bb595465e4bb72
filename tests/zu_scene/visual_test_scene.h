#pragma once
// A scene double for visual object tests: records update rectangles, holds top-level
// objects and an optional canvas, and lets a test switch design mode and suspension.

#include <vector>

#include "scene/zu_scene/tree/resources.h"
#include "scene/zu_scene/tree/scene_intf.h"
#include "scene/zu_scene/tree/visual_object.h"

namespace zu::test {

class TestScene : public IzuScene {
public:
    void AddObject(TzuObject* o) override {
        objects.push_back(o);
        o->SetScene(this);
    }
    void RemoveObject(TzuObject* o) override { std::erase(objects, o); }
    void BeginUpdate() override { updating = true; }
    void EndUpdate() override { updating = false; }
    void EndUpdateSilently() override { updating = false; }
    void AddUpdateRect(const TzuRect& r) override {
        if (!updating) rects.push_back(r);
    }
    bool IsUpdating() const override { return updating; }
    void SetUpdating(bool u) override { updating = u; }
    bool IsDesigning() const override { return designing; }
    TzuCanvas* Canvas() const override { return canvas; }
    TzuObject* Root() const override { return objects.empty() ? nullptr : objects.front(); }
    TzuComponent* SceneControl() override { return nullptr; }
    void Notification(TzuComponent* c, TzuOperation) override {
        if (focused == c) focused = nullptr;
    }
    int UpdateRectCount() const override { return static_cast<int>(rects.size()); }
    TzuRect UpdateRect(int i) const override { return rects[static_cast<size_t>(i)]; }
    void SetFocused(TzuObject* o) override { focused = o; }
    TzuObject* Focused() const override { return focused; }
    TzuObject* DesignSelection() const override { return selection; }
    void SetDesignSelection(TzuObject* o) override { selection = o; }
    TzuResources* Style() const override { return style; }
    TzuControl* ActiveControl() const override { return active; }
    // The style resource registers the scene; a restyle reaches the root.
    void SetStyle(TzuResources* s) override;
    void UpdateStyle() override {
        ++styleUpdates;
        for (TzuObject* o : objects) o->UpdateStyle();
    }

    // Union of the recorded rectangles; (0,0,0,0) when none.
    TzuRect Damage() const {
        if (rects.empty()) return {};
        TzuRect u = rects.front();
        for (const TzuRect& r : rects) u = RectUnion(u, r);
        return u;
    }
    bool Damaged(const TzuRect& area) const {
        for (const TzuRect& r : rects) {
            if (r.Left <= area.Left && r.Top <= area.Top && r.Right >= area.Right && r.Bottom >= area.Bottom)
                return true;
        }
        return false;
    }

    std::vector<TzuObject*> objects;
    std::vector<TzuRect> rects;
    TzuCanvas* canvas = nullptr;
    TzuObject* focused = nullptr;
    TzuObject* selection = nullptr;
    TzuResources* style = nullptr;
    TzuControl* active = nullptr;
    int styleUpdates = 0;
    bool updating = false;
    bool designing = false;
};

inline void TestScene::SetStyle(TzuResources* s) {
    if (style) style->UnregisterScene(this);
    style = s;
    if (style) style->RegisterScene(this);
    UpdateStyle();
}

// A visual object with a settable bounds rectangle, for building trees tersely.
inline TzuVisualObject* MakeVisual(TzuObject* parent, float x, float y, float w, float h) {
    auto* v = new TzuVisualObject(nullptr);
    v->SetBounds(x, y, w, h);
    if (parent) v->SetParent(parent);
    return v;
}

}  // namespace zu::test
