#pragma once
// The string-backed lists: TzuStringListBox and TzuStringComboBox own a list of strings
// and make one item per string, again after every change of the strings or of how items
// look (font, alignment, height), keeping the current index and scroll position. The
// items are theirs: not streamed, locked, styled with the item style. The data value is
// the current string. The HUD kinds differ by styles.

#include <string>

#include "scene/zu_lists/combo_box.h"
#include "scene/zu_lists/list_box.h"
#include "scene/zu_scene/graphics/canvas.h"
#include "scene/zu_scene/graphics/font.h"
#include "scene/zu_scene/types/wide_strings.h"

namespace zu {

class TzuStringListBox : public TzuListBox {
    ZU_CLASS(TzuStringListBox)
public:
    explicit TzuStringListBox(TzuComponent* owner);
    ~TzuStringListBox() override;

    TzuWideStringList* Items() const { return const_cast<TzuWideStringList*>(&m_items); }
    void SetItems(const TzuWideStrings& value) { m_items.Assign(value); }
    TzuFont* Font() const { return const_cast<TzuFont*>(&m_font); }
    void SetFont(const TzuFont& value) { m_font.Assign(value); }
    TzuTextAlign TextAlign() const { return m_textAlign; }
    void SetTextAlign(TzuTextAlign value);
    // The style of the items made.
    const std::string& ItemStyle() const { return m_itemStyle; }
    void SetItemStyle(const std::string& value);
    // Makes the items again from the strings.
    void RebuildItems();

    void Loaded() override;
    TzuVariant GetData() override;
    void SetData(const TzuVariant& value) override;

private:
    TzuWideStringList m_items;
    TzuFont m_font;
    std::string m_itemStyle = "listboxitemstyle";
    TzuTextAlign m_textAlign = zuTextAlignNear;
};

class TzuStringComboBox : public TzuComboBox {
    ZU_CLASS(TzuStringComboBox)
public:
    explicit TzuStringComboBox(TzuComponent* owner);
    ~TzuStringComboBox() override;

    TzuWideStringList* Items() const { return const_cast<TzuWideStringList*>(&m_items); }
    void SetItems(const TzuWideStrings& value) { m_items.Assign(value); }
    float ItemHeight() const { return m_itemHeight; }
    void SetItemHeight(float value);
    TzuTextAlign TextAlign() const { return m_textAlign; }
    void SetTextAlign(TzuTextAlign value);
    const std::string& ItemStyle() const { return m_itemStyle; }
    void SetItemStyle(const std::string& value);
    void RebuildItems();

    void Loaded() override;
    TzuVariant GetData() override;
    void SetData(const TzuVariant& value) override;

private:
    TzuWideStringList m_items;
    std::string m_itemStyle = "listboxitemstyle";
    float m_itemHeight = 19;
    TzuTextAlign m_textAlign = zuTextAlignNear;
};

class TzuHudStringListBox : public TzuStringListBox {
    ZU_CLASS(TzuHudStringListBox)
public:
    explicit TzuHudStringListBox(TzuComponent* owner);
};

class TzuHudStringComboBox : public TzuStringComboBox {
    ZU_CLASS(TzuHudStringComboBox)
public:
    explicit TzuHudStringComboBox(TzuComponent* owner);
};

}  // namespace zu
