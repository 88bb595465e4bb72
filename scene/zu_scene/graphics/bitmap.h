#pragma once
// TzuBitmap is the library's raster image: Width x Height 32-bit pixels, premultiplied,
// B,G,R,A in memory (0xAARRGGBB little-endian), rows top-down with a stride of Width x 4.
// The bitmap owns its pixels; the backend wraps them without copying (Handle) and is told
// through OnDestroyHandle before they move. A bitmap may instead show a shared bitmap held
// by a TzuBitmapObject (Resource / ResourceName, a weak link). Encoded images go through
// the default filter (filter.h).

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/core/event.h"
#include "platform/core/persistent.h"
#include "platform/core/pixel_buffer.h"
#include "platform/core/variant.h"
#include "scene/zu_scene/types/colour.h"

namespace zu {

class TzuComponent;
class TzuCanvas;

// The largest side and pixel count a bitmap accepts; larger sizes raise
// "Can't allocate the DIB handle" and leave the bitmap as it was.
inline constexpr int kMaxBitmapSide = kMaxPixelSide;
inline constexpr int64_t kMaxBitmapPixels = kMaxPixelCount;

class TzuBitmap : public TzuPersistent {
    ZU_CLASS(TzuBitmap)
public:
    // Sizes below 1 become 1. The pixels start transparent (0).
    explicit TzuBitmap(int width = 1, int height = 1);
    ~TzuBitmap() override;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    uint32_t* Bits() { return m_bits.get(); }
    const uint32_t* Bits() const { return m_bits.get(); }
    int64_t PixelCount() const { return int64_t(m_width) * m_height; }
    // Address of the first pixel of row (0 is the top); null outside 0..Height-1.
    uint32_t* ScanLine(int row);
    const uint32_t* ScanLine(int row) const;

    // Same size: nothing. Otherwise reallocates; the content becomes transparent.
    void SetSize(int width, int height);
    // Copies a plain pixel block (a window's pixels) into this bitmap, resizing it.
    void CopyFrom(const TzuPixelBuffer& pixels);
    // Every pixel = PremultiplyColor(color). Marks NeedUpdate, no OnChange.
    void Clear(TzuColor color);

    void Assign(const TzuPersistent& source) override;
    void FlipVertical();
    // Inverts the coverage of every pixel, keeping its colour.
    void InvertAlpha();
    // Pixels keep their alpha and take color (a silhouette in that colour).
    void FillColor(TzuColor color);
    // One byte per pixel, the pixel's alpha, row by row.
    std::vector<uint8_t> CreateAlphaMask() const;
    // Fades each pixel by its mask byte m ((255 - m)/255), the mask shifted by (dx, dy).
    // mask is Width x Height bytes like CreateAlphaMask's; bytes beyond its end count as 0.
    void ApplyAlphaMask(std::span<const uint8_t> mask, int dx, int dy);

    // ---- Encoded images, through the default filter ----
    // A missing file or a failed decode leaves the bitmap unchanged and returns false.
    bool LoadFromFile(const std::string& fileName, float rotate = 0);
    bool SaveToFile(const std::string& fileName, const std::string& params = {}) const;
    // Decodes data (any format the filter reads, PNG and JPEG at least). On failure the
    // bitmap is unchanged and the result is false.
    bool LoadFromStream(std::span<const uint8_t> data);
    // Encodes as PNG, lossless whatever the pixels. Raises when no filter is installed.
    TzuBytes SaveToStream() const;

    // The "PNG" stream property. Reading data that does not decode raises and leaves the
    // bitmap as it was.
    void ReadPNG(const TzuStreamValue& value);
    TzuStreamValue WritePNG() const;

    // ---- Shared bitmap ----
    TzuComponent* Resource() const { return m_resource; }
    // Both notify; clearing the resource clears the name too.
    void SetResource(TzuComponent* value);
    const std::string& ResourceName() const { return m_resourceName; }
    void SetResourceName(const std::string& value);
    // The linked shared bitmap, looking ResourceName up on first use (the link is made
    // quietly); null when none, or when the name leads back to this bitmap.
    TzuBitmap* ResourceBitmap() const;
    void FreeNotify(TzuPersistent* dying) override;

    // ---- Backend wrapper and canvas ----
    void* Handle() const { return m_handle; }
    void SetHandle(void* handle) { m_handle = handle; }
    bool NeedUpdate() const { return m_needUpdate; }
    void SetNeedUpdate(bool value) { m_needUpdate = value; }
    // The bitmap's own canvas, made on first request by the installed factory; null when
    // no canvas unit has installed one. Freed when the pixels move and with the bitmap.
    TzuCanvas* Canvas();
    // The canvas unit sits above bitmaps, so it installs how a bitmap's canvas is made
    // (with an identity matrix) and freed.
    using CanvasFactory = TzuCanvas* (*)(TzuBitmap& bitmap);
    using CanvasDeleter = void (*)(TzuCanvas* canvas);
    static void SetCanvasFactory(CanvasFactory create, CanvasDeleter destroy);

    // Fired after content changes.
    TzuNotifyEvent& OnChange() { return m_onChange; }
    // Fired when the backend wrapper must let go of the pixels.
    TzuNotifyEvent& OnDestroyHandle() { return m_onDestroyHandle; }
    TzuNotifyEvent& OnSizeChanging() { return m_onSizeChanging; }
    TzuNotifyEvent& OnSizeChanged() { return m_onSizeChanged; }

    // Reports a content change made directly through Bits(): NeedUpdate and OnChange.
    void Changed();
    // Takes over the pixels of source without copying them; source keeps its size
    // but no pixels until it is sized again.
    void TakePixels(TzuBitmap& source);
    // Takes over a plain pixel block without copying it; pixels is left empty (0 x 0).
    void TakeFrom(TzuPixelBuffer& pixels);

private:
    // Replaces the pixels with a w x h block; allocates before releasing anything, so a
    // refused size leaves the bitmap whole.
    void Recreate(int width, int height, std::unique_ptr<uint32_t[]> bits = nullptr);
    void FreeCanvas();
    void Link(TzuComponent* holder) const;

    std::unique_ptr<uint32_t[]> m_bits;
    void* m_handle = nullptr;
    int m_height = 0;
    TzuNotifyEvent m_onChange;
    int m_width = 0;
    bool m_needUpdate = true;
    TzuNotifyEvent m_onDestroyHandle;
    TzuNotifyEvent m_onSizeChanged;
    TzuNotifyEvent m_onSizeChanging;
    mutable TzuComponent* m_resource = nullptr;  // linked lazily by ResourceBitmap
    std::string m_resourceName;
    TzuCanvas* m_canvas = nullptr;
};

// ---- Pixel block routines on raw 32-bit pixel arrays ----
void MovePixels(const uint32_t* src, uint32_t* dst, int64_t count);
void FillPixels(uint32_t* dst, int64_t count, uint32_t value);
// Sets byte 3 (alpha) of count pixels, leaving the colour bytes as they are.
void FillAlpha(uint32_t* dst, int64_t count, uint8_t alpha);
// Fills [left, right) x [top, bottom), clipped to the width x height array.
void FillPixelRect(uint32_t* bits, int width, int height, uint32_t value, int left, int top, int right,
                   int bottom);

// Blurs the bitmap in place (see stack_blur.h) and reports the change.
void StackBlur(TzuBitmap& bmp, int radius);

}  // namespace zu
