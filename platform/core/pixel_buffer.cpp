#include "platform/core/pixel_buffer.h"

#include <algorithm>
#include <new>

#include "platform/core/persistent.h"

namespace zu {

std::unique_ptr<uint32_t[]> AllocatePixels(int width, int height) {
    if (width > kMaxPixelSide || height > kMaxPixelSide || int64_t(width) * height > kMaxPixelCount) {
        throw EzuError("Can't allocate the DIB handle");
    }
    try {
        return std::unique_ptr<uint32_t[]>(new uint32_t[size_t(width) * size_t(height)]());
    } catch (const std::bad_alloc&) {
        throw EzuError("Can't allocate the DIB handle");
    }
}

uint32_t* TzuPixelBuffer::ScanLine(int row) {
    if (row < 0 || row >= m_height || !m_bits) return nullptr;
    return m_bits.get() + int64_t(row) * m_width;
}

const uint32_t* TzuPixelBuffer::ScanLine(int row) const {
    return const_cast<TzuPixelBuffer*>(this)->ScanLine(row);
}

void TzuPixelBuffer::SetSize(int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (m_bits && width == m_width && height == m_height) return;
    m_bits = AllocatePixels(width, height);
    m_width = width;
    m_height = height;
}

}  // namespace zu
