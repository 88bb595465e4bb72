#pragma once
// TzuTabItem is one tab of a tab control: a text control whose style shows its caption and,
// through its "IsSelected" trigger, whether it is the current tab. It names its page, a
// visual object (as a rule a TzuLayout child of the tab control) that the control shows
// while this tab is current; the reference is dropped when the page is freed. The tab
// control owns the tab's place and size; the tab keeps the size it asked for so the strip
// can shrink again.

#include "scene/zu_controls/text_control.h"

namespace zu {

class TzuTabControl;

class TzuTabItem : public TzuTextControl {
    ZU_CLASS(TzuTabItem)
public:
    explicit TzuTabItem(TzuComponent* owner);
    ~TzuTabItem() override;

    bool IsSelected() const { return m_isSelected; }
    // Selecting a tab makes it the current tab of its control; deselecting the current tab
    // leaves the control with none.
    void SetIsSelected(bool value);
    TzuVisualObject* Layout() const { return m_layout; }
    void SetLayout(TzuVisualObject* page);
    // The tab control this tab is a child of, or null.
    TzuTabControl* TabControl() const;
    // Position among the visible tabs of the control; -1 when hidden or without one.
    int TabIndex() const;
    // The size the tab asks for: the control stretches tabs to the strip (and, with
    // FullSize, to their share of it) without taking that as the tab's own size.
    float OwnWidth() const { return Width() != m_givenWidth ? Width() : m_ownWidth; }
    float OwnHeight() const { return Height() != m_givenHeight ? Height() : m_ownHeight; }

    void SetVisible(bool value) override;
    void MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) override;
    void MouseUp(TzuMouseButton button, TzuShiftState shift, float x, float y) override;
    void Notification(TzuComponent* component, TzuOperation operation) override;

protected:
    void ApplyStyle() override;

private:
    friend class TzuTabControl;
    // The control's own change of the selected state: fires the triggers only.
    void SetSelectedState(bool value);
    // Places the tab as the control lays out its strip, remembering the size it asked for.
    void PlaceInStrip(float x, float y, float width, float height);

    TzuVisualObject* m_layout = nullptr;
    float m_ownWidth = 80;
    float m_ownHeight = 20;
    float m_givenWidth = -1;
    float m_givenHeight = -1;
    bool m_isSelected = false;
};

// A tab item wearing "hudtabitemstyle".
class TzuHudTabItem : public TzuTabItem {
    ZU_CLASS(TzuHudTabItem)
public:
    using TzuTabItem::TzuTabItem;
};

}  // namespace zu
