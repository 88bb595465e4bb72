#pragma once
// TzuColorButton shows a colour in its style's "fill" part and lets the user pick another
// when clicked: with the platform's colour chooser (UseStandardDialog, the colour chosen is
// opaque) or with the library's own colour editor, which keeps alpha. The colour is kept as
// colour text ("#AARRGGBB").

#include <optional>
#include <string>

#include "scene/zu_controls/custom_button.h"

namespace zu {

class TzuShape;
class TzuColorButton;

// The library's own colour editor lives in a unit above the controls, which installs it
// here: it shows current and answers the colour chosen, or nothing when cancelled.
using TzuColorEditor = std::optional<uint32_t> (*)(TzuColorButton& button, uint32_t current);
void SetColorButtonEditor(TzuColorEditor editor);
TzuColorEditor ColorButtonEditor();

class TzuColorButton : public TzuCustomButton {
    ZU_CLASS(TzuColorButton)
public:
    explicit TzuColorButton(TzuComponent* owner);
    ~TzuColorButton() override;

    const std::string& Color() const { return m_color; }
    void SetColor(const std::string& value);
    bool UseStandardDialog() const { return m_useStandardDialog; }
    void SetUseStandardDialog(bool value) { m_useStandardDialog = value; }
    TzuNotifyEvent& OnChange() { return m_onChange; }
    TzuShape* FillPart() const { return m_fillPart; }

    void Click() override;

protected:
    void ApplyStyle() override;
    void FreeStyle() override;
    void Notification(TzuComponent* component, TzuOperation operation) override;

private:
    void ShowColor();

    std::string m_color = "#FF000000";
    TzuNotifyEvent m_onChange;
    TzuShape* m_fillPart = nullptr;
    bool m_useStandardDialog = true;
};

}  // namespace zu
