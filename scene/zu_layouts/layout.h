#pragma once
// The invisible containers of the layout unit. TzuLayout arranges nothing beyond the
// general alignment of its children and draws only a dashed outline while designed; style
// roots are layouts. TzuSplitLayout is the same plain container for split views.
// TzuScaledLayout scales its children from the size it was designed at. Each owns its
// children like any visual object.

#include "scene/zu_scene/tree/visual_object.h"

namespace zu {

class TzuLayout : public TzuVisualObject {
    ZU_CLASS(TzuLayout)
public:
    explicit TzuLayout(TzuComponent* owner);

protected:
    void Paint() override;
};

class TzuSplitLayout : public TzuVisualObject {
    ZU_CLASS(TzuSplitLayout)
public:
    explicit TzuSplitLayout(TzuComponent* owner);
};

class TzuScaledLayout : public TzuVisualObject {
    ZU_CLASS(TzuScaledLayout)
public:
    explicit TzuScaledLayout(TzuComponent* owner);

    float OriginalWidth() const { return m_originalWidth; }
    void SetOriginalWidth(float value);
    float OriginalHeight() const { return m_originalHeight; }
    void SetOriginalHeight(float value);
    void SetWidth(float value) override;
    void SetHeight(float value) override;
    TzuMatrix ChildrenMatrix() override;
    void Realign() override;
    // A container above this unit (a scroll box while it is being updated) may hold the
    // realigns of the scaled layouts directly inside it; it installs the test here.
    using TzuRealignHoldHook = bool (*)(TzuObject* parent);
    static void SetRealignHoldHook(TzuRealignHoldHook hook);

protected:
    void Paint() override;

private:
    void ChildrenMatrixChanged();

    float m_originalWidth;
    float m_originalHeight;
};

// The dashed outline a layout shows while its scene is designed.
void PaintDesignOutline(TzuVisualObject* object);

}  // namespace zu
