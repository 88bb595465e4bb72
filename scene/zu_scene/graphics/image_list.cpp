#include "scene/zu_scene/graphics/image_list.h"

#include <algorithm>
#include <cstdint>
#include <span>

#include "platform/core/property.h"
#include "scene/zu_scene/graphics/bitmap.h"

namespace zu {

namespace {

// The image set: "ZUIL", width, height, count, then per image its byte length and PNG
// bytes; every number 32-bit little-endian.
constexpr uint8_t kMagic[4] = {'Z', 'U', 'I', 'L'};

void PutU32(TzuBytes& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// Reads a number at pos, moving past it; false when the data ends first.
bool GetU32(std::span<const uint8_t> data, size_t& pos, uint32_t& v) {
    if (data.size() - pos < 4) return false;
    v = 0;
    for (int i = 0; i < 4; ++i) v |= uint32_t(data[pos + i]) << (8 * i);
    pos += 4;
    return true;
}

}  // namespace

const TzuClass& TzuImageList::StaticClass() {
    using P = ZuProps<TzuImageList>;
    using L = TzuImageList;
    static const TzuPropInfo props[] = {
        P::Defined<&L::ReadImages, &L::WriteImages, &L::ImagesStored>("Bitmap"),
    };
    static const TzuClass cls = ZuClass<TzuImageList, TzuCustomImageList>("TzuImageList", props);
    return cls;
}

TzuImageList::TzuImageList(TzuComponent* owner) : TzuCustomImageList(owner) {}

TzuImageList::~TzuImageList() = default;

int TzuImageList::Add(const TzuBitmap& image) {
    if (image.Width() != Width() || image.Height() != Height())
        throw EzuError("The image does not have the image list's size");
    auto copy = std::make_unique<TzuBitmap>(Width(), Height());
    copy->Assign(image);
    m_images.push_back(std::move(copy));
    return Count() - 1;
}

const TzuBitmap* TzuImageList::Image(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return m_images[static_cast<size_t>(index)].get();
}

void TzuImageList::Delete(int index) {
    if (index < 0 || index >= Count()) throw EzuError("Image index out of range");
    m_images.erase(m_images.begin() + index);
}

void TzuImageList::Clear() { m_images.clear(); }

void TzuImageList::ReadImages(const TzuStreamValue& value) {
    const auto* bytes = std::get_if<TzuBytes>(&value);
    if (!bytes) throw EzuError("Image list data expected");
    const std::span<const uint8_t> data(*bytes);
    if (data.size() < 4 || !std::equal(kMagic, kMagic + 4, data.begin()))
        throw EzuError("Image list data is not an image set");
    size_t pos = 4;
    uint32_t width = 0, height = 0, count = 0;
    if (!GetU32(data, pos, width) || !GetU32(data, pos, height) || !GetU32(data, pos, count))
        throw EzuError("Image list data is cut short");
    if (width < 1 || height < 1 || width > uint32_t(kMaxBitmapSide) || height > uint32_t(kMaxBitmapSide))
        throw EzuError("Image list size is out of range");
    // Each image takes at least its length, so a count beyond that is a lie of the header.
    if (count > (data.size() - pos) / 4) throw EzuError("Image list data is cut short");
    std::vector<std::unique_ptr<TzuBitmap>> images;
    images.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t length = 0;
        if (!GetU32(data, pos, length) || data.size() - pos < length)
            throw EzuError("Image list data is cut short");
        auto image = std::make_unique<TzuBitmap>();
        if (!image->LoadFromStream(data.subspan(pos, length)))
            throw EzuError("Image list image is not readable");
        if (image->Width() != int(width) || image->Height() != int(height))
            throw EzuError("Image list image does not have the list's size");
        pos += length;
        images.push_back(std::move(image));
    }
    if (pos != data.size()) throw EzuError("Image list data has bytes past its images");
    m_images = std::move(images);
    StoreSize(int(width), int(height));
}

TzuStreamValue TzuImageList::WriteImages() const {
    TzuBytes out(kMagic, kMagic + 4);
    PutU32(out, uint32_t(Width()));
    PutU32(out, uint32_t(Height()));
    PutU32(out, uint32_t(Count()));
    for (const auto& image : m_images) {
        const TzuBytes png = image->SaveToStream();
        PutU32(out, uint32_t(png.size()));
        out.insert(out.end(), png.begin(), png.end());
    }
    return out;
}

}  // namespace zu
