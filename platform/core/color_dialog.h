#pragma once
// TzuColorDialog is a non-visual component that asks the user for a colour with the
// platform's modal colour chooser; its owner frees it. The colour is 0xAARRGGBB; the
// chooser offers no alpha, so a chosen colour is always opaque.
//
// Usage:
//   zu::TzuColorDialog dialog(form);
//   dialog.SetColor(0xFF336699);
//   if (dialog.Execute()) use(dialog.Color());      // false: cancelled, Color unchanged

#include <cstdint>
#include <string>

#include "platform/core/component.h"

namespace zu {

class IzuWindow;

class TzuColorDialog : public TzuComponent {
    ZU_CLASS(TzuColorDialog)
public:
    explicit TzuColorDialog(TzuComponent* owner);

    uint32_t Color() const { return m_color; }
    void SetColor(uint32_t value) { m_color = value; }
    // The chooser's title; the platform's own title when empty.
    const std::string& Title() const { return m_title; }
    void SetTitle(const std::string& value) { m_title = value; }
    // Shows the chooser over the window near (may be null) and waits for the user. True
    // and Color set to the choice when one was made; false (Color unchanged) on cancel or
    // without an application object.
    bool Execute(IzuWindow* near = nullptr);

private:
    uint32_t m_color = 0xFF000000;
    std::string m_title;
};

}  // namespace zu
