#pragma once
// TForm2 is the display program's main form: one borderless window whose scene (read from
// the "TFORM2" form resource) shows two lines of text on a blurred, rounded panel. The
// create handler restyles it from the twelve positional parameters; copy-data messages
// replace the two lines and append them to the line log. The form owns every component of
// its resource; the published fields below only point at them.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "app/quillorn_display/display_protocol.h"
#include "app/quillorn_display/parameters.h"
#include "platform/core/form.h"

namespace zu {

class TzuScene;
class TzuBackground;
class TzuRectangle;
class TzuText;
class TzuBlurEffect;

inline constexpr const char* kDisplayLogFileName = "tst.txt";

// The form's own font, read from the resource and kept only so the resource loads whole;
// nothing on the form draws with it.
class TzuFormFont : public TzuPersistent {
    ZU_CLASS(TzuFormFont)
public:
    int Height() const { return m_height; }
    void SetHeight(int value) { m_height = value; }
    const std::string& Name() const { return m_name; }
    void SetName(const std::string& value) { m_name = value; }

private:
    int m_height = -11;
    std::string m_name = "MS Sans Serif";
};

class TForm2 : public TzuForm {
    ZU_CLASS(TForm2)
public:
    explicit TForm2(TzuComponent* owner);

    // Makes the form from the embedded resource, then runs its create handler with params.
    // Raises EzuError when the resource cannot be read; errors of the create handler are
    // shown with the error box and the form is made anyway.
    static TForm2* Create(TzuComponent* owner, TzuParameters params);
    // The same from another resource text. onError sees each property the stream could
    // not apply; returning true skips it, false fails the load.
    static TForm2* Create(TzuComponent* owner, TzuParameters params, std::string_view resourceText,
                          const std::function<bool(const std::string&)>& onError);

    // Published fields, set after the resource is read.
    TzuScene* zuScene1 = nullptr;
    TzuBackground* Root1 = nullptr;
    TzuRectangle* Rectangle1 = nullptr;
    TzuText* Text1 = nullptr;
    TzuBlurEffect* BlurEffect1 = nullptr;

    // Published event handler (OnCreate = FormCreate).
    void FormCreate(TzuPersistent* sender);

    // The copy-data message; the result is always 1.
    long CopyData(uint32_t tag, std::span<const uint8_t> bytes);

    // Properties of the form resource that have no effect here.
    int ColorIndex() const { return m_colorIndex; }
    void SetColorIndex(int value);
    TzuFormFont* Font() const { return const_cast<TzuFormFont*>(&m_font); }
    bool OldCreateOrder() const { return m_oldCreateOrder; }
    void SetOldCreateOrder(bool value) { m_oldCreateOrder = value; }
    int PixelsPerInch() const { return m_pixelsPerInch; }
    void SetPixelsPerInch(int value) { m_pixelsPerInch = value; }
    int TextHeight() const { return m_textHeight; }
    void SetTextHeight(int value) { m_textHeight = value; }

    void Loaded() override;

private:
    void ResolveFields();

    TzuParameters m_params;
    TzuFormFont m_font;
    int m_colorIndex = 0;
    bool m_oldCreateOrder = false;
    int m_pixelsPerInch = 96;
    int m_textHeight = 13;
};

// Registers TForm2 and the classes its resource names (scene, shapes, effects).
void RegisterDisplayClasses();

}  // namespace zu
