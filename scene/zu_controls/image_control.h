#pragma once
// TzuImageControl shows a picture the user picks: a click opens the platform's file-open
// dialog, and an image file or a TzuImage dropped on it loads too. It owns its Bitmap and
// shows a copy fitted into its style's "image" part (a TzuImage), to which it keeps a
// weak reference. Its data value is the bitmap; setting a file name as data loads it.

#include "scene/zu_scene/graphics/bitmap.h"
#include "scene/zu_scene/tree/bitmap_holder.h"
#include "scene/zu_scene/tree/control.h"

namespace zu {

class TzuImage;

class TzuImageControl : public TzuControl, public IzuBitmapHolder {
    ZU_CLASS(TzuImageControl)
public:
    explicit TzuImageControl(TzuComponent* owner);
    ~TzuImageControl() override;

    TzuBitmap* Bitmap() const { return const_cast<TzuBitmap*>(&m_bitmap); }
    void SetBitmap(const TzuBitmap& value) { m_bitmap.Assign(value); }
    TzuBitmap* HeldBitmap() override { return &m_bitmap; }
    TzuNotifyEvent& OnChange() { return m_onChange; }
    TzuImage* ImagePart() const { return m_imagePart; }
    // Loads the picture from a file; false (and the picture unchanged) when it cannot.
    bool LoadFromFile(const std::string& fileName);
    // Whether a file name names an image the codecs read, by its extension.
    static bool IsImageFile(const std::string& fileName);

    TzuVariant GetData() override;
    void SetData(const TzuVariant& value) override;

    void Click() override;
    void DragOver(const TzuDragObject& data, const TzuPoint& point, bool& accept) override;
    void DragDrop(const TzuDragObject& data, const TzuPoint& point) override;
    void Notification(TzuComponent* component, TzuOperation operation) override;

protected:
    void ApplyStyle() override;
    void FreeStyle() override;

private:
    void BitmapChanged();

    TzuBitmap m_bitmap;
    TzuImage* m_imagePart = nullptr;
    TzuNotifyEvent m_onChange;
};

}  // namespace zu
