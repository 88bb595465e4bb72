#pragma once
// TzuPixelBuffer is a plain block of 32-bit premultiplied B,G,R,A pixels with packed rows
// (stride = width x 4), the layout scene bitmaps and drawing surfaces share. Platform
// windows that keep their own pixels (the headless ones) hold one. It owns its pixels.

#include <cstdint>
#include <memory>

namespace zu {

// The largest side and pixel count any pixel block may have; beyond them allocation fails
// with "Can't allocate the DIB handle".
inline constexpr int kMaxPixelSide = 32767;
inline constexpr int64_t kMaxPixelCount = int64_t(1) << 28;

class TzuPixelBuffer {
public:
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int64_t PixelCount() const { return int64_t(m_width) * m_height; }
    uint32_t* Bits() { return m_bits.get(); }
    const uint32_t* Bits() const { return m_bits.get(); }
    // Null outside the rows.
    uint32_t* ScanLine(int row);
    const uint32_t* ScanLine(int row) const;
    // Makes the block at least 1 x 1; a new size starts cleared to transparent black. Throws EzuError,
    // leaving the block as it was, when the size is past the limits or memory runs out.
    void SetSize(int width, int height);
    // Hands the pixels over; the block keeps its size but no pixels until sized again.
    std::unique_ptr<uint32_t[]> Release() { return std::move(m_bits); }

private:
    std::unique_ptr<uint32_t[]> m_bits;
    int m_width = 0;
    int m_height = 0;
};

// Allocates width x height cleared pixels under the limits above, or throws EzuError.
std::unique_ptr<uint32_t[]> AllocatePixels(int width, int height);

}  // namespace zu
