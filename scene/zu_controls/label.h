#pragma once
// TzuLabel shows a text through its style's "text" part and lets the mouse pass through.
// With AutoSize it takes the size of its text on one line after every change of text.
// The value label shows a value as it is (no wrapping, no translation); the HUD label
// differs only by its style.

#include <string_view>

#include "platform/core/utf.h"
#include "scene/zu_controls/text_control.h"

namespace zu {

class TzuLabel : public TzuTextControl {
    ZU_CLASS(TzuLabel)
public:
    explicit TzuLabel(TzuComponent* owner);

    void SetText(const std::u16string& value) override;
    // The same from UTF-8 (a string literal, a std::string); broken sequences show as U+FFFD.
    void SetText(std::string_view utf8) { SetText(Utf8ToUtf16(utf8)); }
    // The label's own wrap flag; the style's text part follows it.
    bool LabelWordWrap() const { return WordWrap(); }
    void SetLabelWordWrap(bool value);
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value);

protected:
    void ApplyStyle() override;

private:
    void FitToText();

    bool m_autoSize = false;
};

class TzuValueLabel : public TzuLabel {
    ZU_CLASS(TzuValueLabel)
public:
    explicit TzuValueLabel(TzuComponent* owner);
};

class TzuHudLabel : public TzuLabel {
    ZU_CLASS(TzuHudLabel)
public:
    explicit TzuHudLabel(TzuComponent* owner) : TzuLabel(owner) {}
};

}  // namespace zu
