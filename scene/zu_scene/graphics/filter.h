#pragma once
// TzuFilter is the image codec interface. The process holds one filter class, the default
// filter class, installed by the rendering backend at start-up; every bitmap operation that
// reads or writes an encoded image creates an instance of it, uses it and frees it.
// The base class answers "nothing known" to the queries and raises "Abstract Error" for
// the codec operations a filter does not implement.

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "platform/core/persistent.h"
#include "platform/core/variant.h"
#include "scene/zu_scene/types/geometry.h"

namespace zu {

class TzuBitmap;

class TzuFilter : public TzuPersistent {
    ZU_CLASS(TzuFilter)
public:
    TzuFilter() = default;

    // File masks separated by ";" ("*.png;*.jpg").
    virtual std::string GetFileTypes();
    // (width, height) of the image in the file; (0, 0) when unknown.
    virtual TzuPoint GetImageSize(const std::string& fileName);
    // Decoders resize bitmap to the image. rotation is in degrees.
    virtual bool LoadFromFile(const std::string& fileName, float rotation, TzuBitmap& bitmap);
    virtual bool LoadThumbnailFromFile(const std::string& fileName, float fitWidth, float fitHeight,
                                       bool useEmbedded, TzuBitmap& bitmap);
    // params is the filter's parameter text ("quality=90").
    virtual bool SaveToFile(const std::string& fileName, const TzuBitmap& bitmap, const std::string& params);
    // Decodes the whole of data; the filter recognises the format by content.
    virtual bool LoadFromStream(std::span<const uint8_t> data, TzuBitmap& bitmap);
    // Appends the encoded image to data. format: "png", "jpeg", ...
    virtual bool SaveToStream(TzuBytes& data, const TzuBitmap& bitmap, const std::string& format,
                              const std::string& params);
};

// Image loading refuses an image of more pixels than the budget (one frame of it, or one
// entry of an icon file), checked from the file's headers before anything is decoded, and
// fails as for any unreadable image: a few hostile bytes may claim a picture of gigabytes.
// The budget is process-wide, clamped to 1 .. kMaxBitmapPixels (bitmap.h).
inline constexpr int64_t kDefaultImagePixelBudget = int64_t(1) << 26;  // 64 Mpixel, 256 MB
void SetImagePixelBudget(int64_t pixels);
int64_t ImagePixelBudget();

// The class must derive from TzuFilter and be creatable; null uninstalls.
void SetDefaultFilterClass(const TzuClass* cls);
const TzuClass* DefaultFilterClass();
// A new instance of the default filter class; null when none is installed.
std::unique_ptr<TzuFilter> CreateDefaultFilter();

}  // namespace zu
