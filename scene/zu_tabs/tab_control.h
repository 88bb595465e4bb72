#pragma once
// TzuTabControl lays its TzuTabItem children out as a strip of tabs along its top edge and
// shows, below the strip, the page of the current tab only. The tabs and their pages are
// ordinary stored children of the control (a tab names its page); the control places both
// and its applied style, which frames the page area below the strip. The current tab is
// kept as a tab, its index counted among the visible tabs when asked; hiding or removing
// tabs keeps the same tab current where it can and otherwise moves to a neighbour. Focused, the control moves
// between its tabs with Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PageDown and Ctrl+PageUp.

#include <vector>

#include "platform/core/event.h"
#include "scene/zu_scene/tree/control.h"

namespace zu {

class TzuTabItem;

class TzuTabControl : public TzuControl {
    ZU_CLASS(TzuTabControl)
public:
    explicit TzuTabControl(TzuComponent* owner);

    // The current tab's index among the visible tabs; -1 for none. An index outside the
    // visible tabs selects none.
    int ItemIndex() const;
    void SetItemIndex(int value);
    // The strip height; 0 takes the tallest visible tab with its padding.
    float ItemHeight() const { return m_itemHeight; }
    void SetItemHeight(float value);
    // Shares the strip width out evenly among the visible tabs.
    bool FullSize() const { return m_fullSize; }
    void SetFullSize(bool value);
    TzuNotifyEvent& OnChange() { return m_onChange; }

    // The visible tabs in child order.
    std::vector<TzuTabItem*> VisibleTabs() const;
    int TabCount() const { return static_cast<int>(VisibleTabs().size()); }
    // The visible tab at the index, or null.
    TzuTabItem* Tab(int index) const;
    TzuTabItem* CurrentTab() const { return m_current; }
    // Index of the tab among the visible tabs; -1 when it is hidden or not one of them.
    int IndexOfTab(const TzuTabItem* tab) const;
    // The height the last layout gave the strip.
    float StripHeight() const { return m_stripHeight; }
    // Moves to the next (or previous) visible tab, wrapping around.
    void SelectNextTab(bool forward);
    // True for the keys a focused tab control takes before focus traversal.
    static bool IsTabKey(uint16_t key, TzuShiftState shift);

    std::string ItemClass() const override { return "TzuTabItem"; }
    void Realign() override;
    bool RealignsOnChildResize() const override { return true; }
    void PaintChildren() override;
    void KeyDown(uint16_t& key, char16_t& keyChar, TzuShiftState shift) override;
    void Loaded() override;

protected:
    void ApplyStyle() override;
    void FreeStyle() override;
    void AfterAddObject(TzuObject* child) override;
    void BeforeRemoveObject(TzuObject* child) override;

private:
    friend class TzuTabItem;
    // A tab was shown, hidden or is leaving; oldIndex is the current index before.
    void TabsChanged(int oldIndex);
    // Makes the tab (or none) current, announcing the change.
    void Select(TzuTabItem* tab);

    TzuNotifyEvent m_onChange;
    TzuVisualObject* m_background = nullptr;
    float m_itemHeight = 0;
    float m_stripHeight = 0;
    // The current tab; a child and visible whenever set.
    TzuTabItem* m_current = nullptr;
    int m_loadIndex = -1;  // ItemIndex as read, until the tabs are all loaded
    bool m_fullSize = false;
    bool m_inRealign = false;
};

// A tab control wearing "hudtabcontrolstyle", whose new tabs are hud tabs.
class TzuHudTabControl : public TzuTabControl {
    ZU_CLASS(TzuHudTabControl)
public:
    using TzuTabControl::TzuTabControl;
    std::string ItemClass() const override { return "TzuHudTabItem"; }
};

}  // namespace zu
