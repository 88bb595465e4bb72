#include "scene/zu_scene/graphics/bitmap.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <new>
#include <utility>

#include "platform/core/component.h"
#include "platform/core/load_limits.h"
#include "platform/core/property.h"
#include "scene/zu_scene/graphics/filter.h"
#include "scene/zu_scene/graphics/shared_resource.h"
#include "scene/zu_scene/graphics/stack_blur.h"

namespace zu {

namespace {

TzuBitmap::CanvasFactory g_canvasFactory = nullptr;
TzuBitmap::CanvasDeleter g_canvasDeleter = nullptr;

std::unique_ptr<TzuFilter> RequireFilter() {
    auto filter = CreateDefaultFilter();
    if (!filter) throw EzuError("No image filter is installed");
    return filter;
}

}  // namespace

const TzuClass& TzuBitmap::StaticClass() {
    using P = ZuProps<TzuBitmap>;
    static const TzuPropInfo props[] = {
        P::Reference<&TzuBitmap::Resource, &TzuBitmap::SetResource>("Resource").NotStored(),
        P::String<&TzuBitmap::ResourceName, &TzuBitmap::SetResourceName>("ResourceName"),
        P::Defined<&TzuBitmap::ReadPNG, &TzuBitmap::WritePNG>("PNG"),
    };
    static const TzuClass cls = ZuClass<TzuBitmap, TzuPersistent>("TzuBitmap", props);
    return cls;
}

TzuBitmap::TzuBitmap(int width, int height) { Recreate(width, height); }

TzuBitmap::~TzuBitmap() {
    WatchSharedHolder(m_resource, this, false);
    FreeCanvas();
    m_onDestroyHandle(this);
    m_handle = nullptr;
}

void TzuBitmap::SetCanvasFactory(CanvasFactory create, CanvasDeleter destroy) {
    g_canvasFactory = create;
    g_canvasDeleter = destroy;
}

TzuCanvas* TzuBitmap::Canvas() {
    if (!m_canvas && g_canvasFactory) m_canvas = g_canvasFactory(*this);
    return m_canvas;
}

void TzuBitmap::FreeCanvas() {
    if (!m_canvas) return;
    TzuCanvas* canvas = std::exchange(m_canvas, nullptr);
    if (g_canvasDeleter) g_canvasDeleter(canvas);
}

void TzuBitmap::Recreate(int width, int height, std::unique_ptr<uint32_t[]> bits) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (!bits) {
        bits = AllocatePixels(width, height);
    }
    m_onSizeChanging(this);
    m_onDestroyHandle(this);
    m_handle = nullptr;
    FreeCanvas();
    m_bits = std::move(bits);
    m_width = width;
    m_height = height;
    m_needUpdate = true;
    m_onSizeChanged(this);
}

void TzuBitmap::SetSize(int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (width == m_width && height == m_height) return;
    Recreate(width, height);
}

void TzuBitmap::CopyFrom(const TzuPixelBuffer& pixels) {
    auto bits = AllocatePixels(std::max(pixels.Width(), 1), std::max(pixels.Height(), 1));
    if (pixels.Bits()) std::memcpy(bits.get(), pixels.Bits(), size_t(pixels.PixelCount()) * sizeof(uint32_t));
    Recreate(pixels.Width(), pixels.Height(), std::move(bits));
    Changed();
}

void TzuBitmap::TakeFrom(TzuPixelBuffer& pixels) {
    if (!pixels.Bits()) {
        CopyFrom(pixels);
        return;
    }
    TzuPixelBuffer taken;
    std::swap(taken, pixels);
    Recreate(taken.Width(), taken.Height(), taken.Release());
    Changed();
}

uint32_t* TzuBitmap::ScanLine(int row) {
    if (row < 0 || row >= m_height || !m_bits) return nullptr;
    return m_bits.get() + int64_t(row) * m_width;
}

const uint32_t* TzuBitmap::ScanLine(int row) const { return const_cast<TzuBitmap*>(this)->ScanLine(row); }

void TzuBitmap::Clear(TzuColor color) {
    FillPixels(m_bits.get(), PixelCount(), PremultiplyColor(color));
    m_needUpdate = true;
}

void TzuBitmap::Changed() {
    m_needUpdate = true;
    m_onChange(this);
}

void TzuBitmap::TakePixels(TzuBitmap& source) {
    source.FreeCanvas();
    source.m_onDestroyHandle(&source);
    source.m_handle = nullptr;
    Recreate(source.m_width, source.m_height, std::move(source.m_bits));
}

void TzuBitmap::Assign(const TzuPersistent& source) {
    const auto* src = As<TzuBitmap>(&source);
    if (!src) {
        TzuPersistent::Assign(source);
        return;
    }
    if (src == this) return;
    if (src->ResourceBitmap()) {
        SetResource(src->m_resource);
        m_resourceName = src->m_resourceName;
        Changed();
        return;
    }
    SetSize(src->m_width, src->m_height);
    MovePixels(src->Bits(), Bits(), PixelCount());
    // A copy of plain pixels is plain pixels: a shared bitmap shown before would hide them.
    WatchSharedHolder(m_resource, this, false);
    m_resource = nullptr;
    m_resourceName.clear();
    Changed();
}

void TzuBitmap::FlipVertical() {
    for (int top = 0, bottom = m_height - 1; top < bottom; ++top, --bottom) {
        std::swap_ranges(ScanLine(top), ScanLine(top) + m_width, ScanLine(bottom));
    }
    Changed();
}

void TzuBitmap::InvertAlpha() {
    uint32_t* p = m_bits.get();
    for (int64_t i = 0, n = PixelCount(); i < n; ++i) {
        const TzuColor straight = UnpremultiplyColor(p[i]);
        const TzuColor inverted = (straight & 0x00FFFFFF) | TzuColor(255 - ColorAlpha(straight)) << 24;
        p[i] = PremultiplyColor(inverted);
    }
    Changed();
}

void TzuBitmap::FillColor(TzuColor color) {
    // A pixel's result depends on its alpha alone: one table entry per coverage value.
    uint32_t table[256];
    table[0] = 0;
    for (int a = 1; a < 256; ++a) table[a] = PremultiplyColor(ColorWithOpacity(color, float(a) / 255.0f));
    uint32_t* p = m_bits.get();
    for (int64_t i = 0, n = PixelCount(); i < n; ++i) {
        const uint32_t a = p[i] >> 24;
        if (a > 0) p[i] = table[a];
    }
    Changed();
}

std::vector<uint8_t> TzuBitmap::CreateAlphaMask() const {
    std::vector<uint8_t> mask(static_cast<size_t>(PixelCount()));
    const uint32_t* p = m_bits.get();
    for (size_t i = 0; i < mask.size(); ++i) mask[i] = ColorAlpha(p[i]);
    return mask;
}

void TzuBitmap::ApplyAlphaMask(std::span<const uint8_t> mask, int dx, int dy) {
    // The mask covers the same x range as the bitmap, shifted: only columns and rows whose
    // mask position lies inside both are touched.
    const int x0 = std::max(0, dx), x1 = std::min(m_width, m_width + dx);
    const int y0 = std::max(0, dy), y1 = std::min(m_height, m_height + dy);
    for (int y = y0; y < y1; ++y) {
        uint32_t* row = ScanLine(y);
        for (int x = x0; x < x1; ++x) {
            const size_t index = size_t(x - dx) + size_t(y - dy) * size_t(m_width);
            const uint8_t m = index < mask.size() ? mask[index] : 0;
            // Nothing to fade, or faded to nothing: the general step gives the same.
            if (m == 0 || row[x] == 0) continue;
            if (m == 255) {
                row[x] = 0;
                continue;
            }
            row[x] = PremultiplyColor(ColorWithOpacity(UnpremultiplyColor(row[x]), (255 - m) / 255.0f));
        }
    }
    Changed();
}

// ---- Encoded images ---------------------------------------------------------------

bool TzuBitmap::LoadFromFile(const std::string& fileName, float rotate) {
    std::error_code ec;
    if (fileName.empty() || !std::filesystem::is_regular_file(fileName, ec)) return false;
    auto filter = CreateDefaultFilter();
    if (!filter) return false;
    // Decoding into a scratch bitmap keeps this one whole when the file is damaged.
    TzuBitmap decoded;
    try {
        if (!filter->LoadFromFile(fileName, rotate, decoded)) return false;
    } catch (const EzuLimitError&) {
        throw;  // the load as a whole has too many pixels: not one unreadable image
    } catch (const std::exception&) {
        return false;
    }
    TakePixels(decoded);
    Changed();
    return true;
}

bool TzuBitmap::SaveToFile(const std::string& fileName, const std::string& params) const {
    return RequireFilter()->SaveToFile(fileName, *this, params);
}

bool TzuBitmap::LoadFromStream(std::span<const uint8_t> data) {
    if (data.empty()) return false;
    auto filter = CreateDefaultFilter();
    if (!filter) return false;
    TzuBitmap decoded;
    try {
        if (!filter->LoadFromStream(data, decoded)) return false;
    } catch (const EzuLimitError&) {
        throw;  // the load as a whole has too many pixels: not one unreadable image
    } catch (const std::exception&) {
        return false;
    }
    TakePixels(decoded);
    Changed();
    return true;
}

TzuBytes TzuBitmap::SaveToStream() const {
    // PNG for every bitmap: the pixels must survive any number of save and load rounds.
    TzuBytes data;
    if (!RequireFilter()->SaveToStream(data, *this, "png", "")) throw EzuError("Can't encode the bitmap");
    return data;
}

void TzuBitmap::ReadPNG(const TzuStreamValue& value) {
    const auto* data = std::get_if<TzuBytes>(&value);
    if (!data) throw EzuError("Bitmap image data expected");
    if (!DefaultFilterClass()) throw EzuError("No image filter is installed");
    if (!LoadFromStream(*data)) throw EzuError("Bitmap image data is not readable");
}

TzuStreamValue TzuBitmap::WritePNG() const { return SaveToStream(); }

// ---- Shared bitmap ----------------------------------------------------------------

void TzuBitmap::Link(TzuComponent* holder) const {
    if (holder == m_resource) return;
    auto* self = const_cast<TzuBitmap*>(this);
    WatchSharedHolder(m_resource, self, false);
    // Only a holder that shares a bitmap and tells us when it goes may be linked.
    m_resource = SharedValue<TzuBitmap>(holder) && WatchSharedHolder(holder, self, true) ? holder : nullptr;
}

void TzuBitmap::SetResource(TzuComponent* value) {
    if (value == m_resource) return;
    Link(value);
    m_resourceName = m_resource ? SharedHolderName(m_resource) : std::string();
    m_onChange(this);
}

void TzuBitmap::SetResourceName(const std::string& value) {
    if (value == m_resourceName) return;
    m_resourceName = value;
    m_onChange(this);
}

TzuBitmap* TzuBitmap::ResourceBitmap() const {
    if (!m_resource && !m_resourceName.empty()) {
        TzuComponent* holder = FindSharedHolder(m_resourceName);
        TzuBitmap* shared = SharedValue<TzuBitmap>(holder);
        if (shared && shared != this) Link(holder);
    }
    TzuBitmap* shared = SharedValue<TzuBitmap>(m_resource);
    return shared == this ? nullptr : shared;
}

void TzuBitmap::FreeNotify(TzuPersistent* dying) {
    // The name stays: a later use may find another holder under it.
    if (dying && dying == m_resource) m_resource = nullptr;
}

// ---- Pixel blocks -----------------------------------------------------------------

void MovePixels(const uint32_t* src, uint32_t* dst, int64_t count) {
    if (count > 0) std::memmove(dst, src, size_t(count) * sizeof(uint32_t));
}

void FillPixels(uint32_t* dst, int64_t count, uint32_t value) {
    if (count <= 0) return;
    // Clearing to transparent is the common case (every effect picture, every frame): the
    // C library's byte fill beats the compiler's loop for it.
    if (value == 0)
        std::memset(dst, 0, size_t(count) * sizeof(uint32_t));
    else
        std::fill_n(dst, count, value);
}

void FillAlpha(uint32_t* dst, int64_t count, uint8_t alpha) {
    const uint32_t a = uint32_t(alpha) << 24;
    for (int64_t i = 0; i < count; ++i) dst[i] = (dst[i] & 0x00FFFFFF) | a;
}

void FillPixelRect(uint32_t* bits, int width, int height, uint32_t value, int left, int top, int right,
                   int bottom) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, width);
    bottom = std::min(bottom, height);
    if (!bits || left >= right || top >= bottom) return;
    for (int y = top; y < bottom; ++y) std::fill_n(bits + int64_t(y) * width + left, right - left, value);
}

void StackBlur(TzuBitmap& bmp, int radius) {
    StackBlur(bmp.Bits(), bmp.Width(), bmp.Height(), radius);
    bmp.Changed();
}

}  // namespace zu
