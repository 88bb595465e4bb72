#pragma once
// TzuComboBox shows its chosen item in place (painted into the style's "Content" part) and
// opens a TzuComboListBox in a TzuPopup below itself to choose another: by pointer (a
// release over an item chooses it), wheel or keys. The combo box owns the popup and the
// list inside it; items given to the combo box move into that list, and are streamed as the
// combo box's own children. TzuHudComboBox differs by its styles.

#include <cstdint>

#include "scene/zu_lists/list_box.h"
#include "scene/zu_scene/host/popup.h"
#include "scene/zu_scene/tree/content.h"

namespace zu {

class TzuComboBox;

// The list inside a combo box's popup: it never takes the focus (the combo box keeps it)
// and always shows its selection.
class TzuComboListBox : public TzuListBox {
    ZU_CLASS(TzuComboListBox)
public:
    explicit TzuComboListBox(TzuComponent* owner);
    TzuComboBox* ComboBox() const { return m_combo; }
    void SetComboBox(TzuComboBox* combo) { m_combo = combo; }
    void MouseUp(TzuMouseButton button, TzuShiftState shift, float x, float y) override;

protected:
    bool ShowsSelectionUnfocused() const override { return true; }

private:
    TzuComboBox* m_combo = nullptr;
};

class TzuComboBox : public TzuControl, public IzuContentPainter {
    ZU_CLASS(TzuComboBox)
public:
    explicit TzuComboBox(TzuComponent* owner);
    ~TzuComboBox() override;

    // ---- Published ----
    // The list's current item; -1 when the list is empty.
    int ItemIndex() const;
    virtual void SetItemIndex(int value);
    int DropDownCount() const { return m_dropDownCount; }
    void SetDropDownCount(int value) { m_dropDownCount = value < 1 ? 1 : value; }
    TzuPlacement Placement() const { return m_placement; }
    void SetPlacement(TzuPlacement value) { m_placement = value; }
    TzuNotifyEvent& OnChange() { return m_onChange; }
    // Fired when the list has opened, and when it has closed (chosen or dismissed).
    TzuNotifyEvent& OnDropDown() { return m_onDropDown; }
    TzuNotifyEvent& OnCloseUp() { return m_onCloseUp; }
    bool CanFocused() const { return CanFocus(); }
    void SetCanFocused(bool value) { SetCanFocus(value); }
    // Whether the list is open (the style's "IsOpen" trigger).
    bool IsOpen() const;

    TzuComboListBox* ListBox() const { return m_list; }
    TzuPopup* Popup() const { return m_popup; }
    int Count() const { return m_list ? m_list->Count() : 0; }
    // Opens the list, or closes it when open. An empty list opens nothing.
    void DropDown();
    void CloseUp();
    // Chooses an item of the open list (the list's release over it).
    void ChooseFromList(int index);
    std::string ItemClass() const override { return "TzuListBoxItem"; }

    void AddObject(TzuObject* child) override;
    void GetChildren(const std::function<void(TzuComponent*)>& proc, TzuComponent* root) override;
    void PaintContent(TzuContent& content) override;
    void MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) override;
    void MouseUp(TzuMouseButton button, TzuShiftState shift, float x, float y) override;
    void MouseWheel(TzuShiftState shift, int wheelDelta, bool& handled) override;
    void KeyDown(uint16_t& key, char16_t& keyChar, TzuShiftState shift) override;
    void Loaded() override;
    void SetWidth(float value) override;
    void Notification(TzuComponent* component, TzuOperation operation) override;
    TzuVariant GetData() override;
    void SetData(const TzuVariant& value) override;

protected:
    void ApplyStyle() override;
    void FreeStyle() override;
    // Sets the list's index and, when it changed the choice, tells the binding and OnChange.
    void Choose(int index);

private:
    void PopupStateChanged();

    TzuPopup* m_popup = nullptr;
    TzuComboListBox* m_list = nullptr;
    TzuContent* m_contentPart = nullptr;
    TzuNotifyEvent m_onChange, m_onDropDown, m_onCloseUp;
    int m_dropDownCount = 8;
    int m_chosen = -1;
    TzuPlacement m_placement = zuPlacementBottom;
    int64_t m_closedAt = -1000000;
    bool m_closingSelf = false;
};

class TzuHudComboBox : public TzuComboBox {
    ZU_CLASS(TzuHudComboBox)
public:
    explicit TzuHudComboBox(TzuComponent* owner);
};

}  // namespace zu
