#pragma once
// TzuColorButton shows a colour in its style's "fill" part and lets the user pick another
// with the platform's colour chooser when clicked. The colour is kept as colour text
// ("#AARRGGBB"); a chosen colour is always opaque.

#include <string>

#include "scene/zu_controls/custom_button.h"

namespace zu {

class TzuShape;

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
