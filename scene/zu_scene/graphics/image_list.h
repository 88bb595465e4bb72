#pragma once
// TzuImageList holds numbered images of one Width x Height for actions and the buttons that
// show them. The list owns its bitmaps and frees them with itself; its owner frees the list.
// A scene file carries the images in the binary "Bitmap" property: each image as PNG.
//
// Usage:
//   auto* images = new zu::TzuImageList(form);
//   images->SetSize(24, 24);
//   images->Add(openIcon);             // index 0; the bitmap must be 24 x 24
//   action->SetImageList(images);
//   action->SetImageIndex(0);

#include <memory>
#include <vector>

#include "platform/core/custom_image_list.h"
#include "platform/core/variant.h"

namespace zu {

class TzuBitmap;

class TzuImageList : public TzuCustomImageList {
    ZU_CLASS(TzuImageList)
public:
    explicit TzuImageList(TzuComponent* owner);
    ~TzuImageList() override;

    int Count() const override { return static_cast<int>(m_images.size()); }
    // Appends a copy of image and returns its index. An image of another size raises and
    // leaves the list as it was.
    int Add(const TzuBitmap& image);
    // The image at index; null outside 0..Count-1.
    const TzuBitmap* Image(int index) const;
    void Delete(int index);
    void Clear() override;

    // The "Bitmap" stream property. Reading data that is not a whole, readable image set
    // of one size raises and leaves the list as it was.
    void ReadImages(const TzuStreamValue& value);
    TzuStreamValue WriteImages() const;
    bool ImagesStored() const { return !m_images.empty(); }

private:
    std::vector<std::unique_ptr<TzuBitmap>> m_images;
};

}  // namespace zu
