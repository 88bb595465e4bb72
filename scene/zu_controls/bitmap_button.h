#pragma once
// TzuBitmapButton shows a picture beside its text: it owns the bitmap and copies it into
// its style's "image" part, which the glyph layout places. The tool variant never takes
// the focus and puts the picture above the text.

#include "scene/zu_controls/button_layout.h"
#include "scene/zu_controls/custom_button.h"
#include "scene/zu_scene/graphics/bitmap.h"

namespace zu {

class TzuImage;

class TzuBitmapButton : public TzuCustomButton {
    ZU_CLASS(TzuBitmapButton)
public:
    explicit TzuBitmapButton(TzuComponent* owner);
    ~TzuBitmapButton() override;

    TzuBitmap* Bitmap() const { return const_cast<TzuBitmap*>(&m_bitmap); }
    void SetBitmap(const TzuBitmap& value) { m_bitmap.Assign(value); }
    TzuButtonLayout BitmapLayout() const { return m_placement.layout; }
    void SetBitmapLayout(TzuButtonLayout value);
    float BitmapSpacing() const { return m_placement.spacing; }
    void SetBitmapSpacing(float value);
    float BitmapSize() const { return m_placement.size; }
    void SetBitmapSize(float value);
    float BitmapPadding() const { return m_placement.padding; }
    void SetBitmapPadding(float value);
    // A bitmap of at most one pixel on a side shows nothing and leaves the text the room.
    bool BitmapEmpty() const { return m_bitmap.Width() <= 1 || m_bitmap.Height() <= 1; }

    TzuImage* ImagePart() const { return m_imagePart; }

    // Places the glyph again for the new height before the parts are laid out.
    void Realign() override;

protected:
    void ApplyStyle() override;
    void FreeStyle() override;
    // An empty bitmap takes the action's image from its image list, sized to the list.
    void ActionChange(TzuAction* action, bool checkDefaults) override;
    void Notification(TzuComponent* component, TzuOperation operation) override;

private:
    void ShowGlyph();
    void GlyphChanged();

    TzuBitmap m_bitmap;
    TzuGlyphPlacement m_placement;
    TzuImage* m_imagePart = nullptr;
};

class TzuToolButton : public TzuBitmapButton {
    ZU_CLASS(TzuToolButton)
public:
    explicit TzuToolButton(TzuComponent* owner);
};

}  // namespace zu
