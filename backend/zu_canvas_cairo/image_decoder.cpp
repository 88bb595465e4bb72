#include "backend/zu_canvas_cairo/image_decoder.h"

#include <algorithm>
#include <optional>
#include <vector>

#include <gdk-pixbuf/gdk-pixbuf.h>

#include "backend/zu_canvas_cairo/image_sniff.h"
#include "backend/zu_canvas_cairo/jpeg_reader.h"
#include "backend/zu_canvas_cairo/pixbuf_ref.h"
#include "backend/zu_canvas_cairo/png_reader.h"
#include "platform/core/load_limits.h"
#include "platform/core/variant.h"
#include "scene/zu_scene/graphics/bitmap.h"
#include "scene/zu_scene/graphics/filter.h"

namespace zu {

namespace {

// A size the bitmap can take and within the image pixel budget.
bool SizeAcceptable(int64_t w, int64_t h) {
    return w >= 0 && h >= 0 && w <= kMaxBitmapSide && h <= kMaxBitmapSide && w * h <= ImagePixelBudget();
}

struct SizeGuard {
    bool refused = false;
    // Rows the decoder reported as done: a truncated image leaves some out and fails.
    std::vector<bool> rowsDone;
    // How many of them, from the top, a complete image reports; -1: all of them.
    int64_t reportedRows = -1;
};

// The decoder asks before it allocates; a size the bitmap could not take is refused and
// shrunk to nothing for the decoders that honour a requested size.
void OnSizePrepared(GdkPixbufLoader* loader, int width, int height, gpointer user) {
    if (!SizeAcceptable(width, height) || width <= 0 || height <= 0) {
        static_cast<SizeGuard*>(user)->refused = true;
        gdk_pixbuf_loader_set_size(loader, 1, 1);
    }
}

void OnAreaUpdated(GdkPixbufLoader*, int, int y, int, int height, gpointer user) {
    std::vector<bool>& rows = static_cast<SizeGuard*>(user)->rowsDone;
    const int from = std::max(y, 0), to = std::min<int64_t>(int64_t(y) + height, int64_t(rows.size()));
    for (int row = from; row < to; ++row) rows[size_t(row)] = true;
}

void OnAreaPrepared(GdkPixbufLoader* loader, gpointer user) {
    if (GdkPixbuf* p = gdk_pixbuf_loader_get_pixbuf(loader)) {
        static_cast<SizeGuard*>(user)->rowsDone.assign(size_t(gdk_pixbuf_get_height(p)), false);
    }
}

bool AllRowsDone(const SizeGuard& guard) {
    const int64_t all = int64_t(guard.rowsDone.size());
    const int64_t expected = guard.reportedRows < 0 ? all : std::min(guard.reportedRows, all);
    return expected > 0 && std::find(guard.rowsDone.begin(), guard.rowsDone.begin() + expected, false) ==
                               guard.rowsDone.begin() + expected;
}

PixbufRef DecodeWith(const char* type, std::span<const uint8_t> data, int64_t reportedRows) {
    GError* error = nullptr;
    GdkPixbufLoader* loader = gdk_pixbuf_loader_new_with_type(type, &error);
    if (!loader) {
        g_clear_error(&error);
        return {};
    }
    SizeGuard guard;
    guard.reportedRows = reportedRows;
    g_signal_connect(loader, "size-prepared", G_CALLBACK(OnSizePrepared), &guard);
    g_signal_connect(loader, "area-prepared", G_CALLBACK(OnAreaPrepared), &guard);
    g_signal_connect(loader, "area-updated", G_CALLBACK(OnAreaUpdated), &guard);
    const bool written = gdk_pixbuf_loader_write(loader, data.data(), data.size(), &error);
    g_clear_error(&error);
    // A loader must be closed whatever happened; a truncated image fails here.
    const bool closed = gdk_pixbuf_loader_close(loader, &error);
    g_clear_error(&error);
    PixbufRef result;
    if (written && closed && !guard.refused && AllRowsDone(guard)) {
        if (GdkPixbuf* p = gdk_pixbuf_loader_get_pixbuf(loader))
            result = PixbufRef(GDK_PIXBUF(g_object_ref(p)));
    }
    g_object_unref(loader);
    return result;
}

// The TIFF decoder hands back premultiplied colour although its pixbufs promise straight
// alpha. Asked once of the decoder at hand: one translucent pixel through its own encoder.
bool TiffDecoderPremultiplies() {
    static const bool premultiplies = [] {
        PixbufRef pixel(gdk_pixbuf_new(GDK_COLORSPACE_RGB, true, 8, 1, 1));
        if (!pixel) return true;
        uint8_t* p = gdk_pixbuf_get_pixels(pixel.p);
        p[0] = 225, p[1] = 50, p[2] = 50, p[3] = 147;
        gchar* buffer = nullptr;
        gsize size = 0;
        GError* error = nullptr;
        const bool saved = gdk_pixbuf_save_to_buffer(pixel.p, &buffer, &size, "tiff", &error, nullptr);
        g_clear_error(&error);
        PixbufRef back;
        if (saved) back = DecodeWith("tiff", {reinterpret_cast<const uint8_t*>(buffer), size}, -1);
        g_free(buffer);
        if (!back || gdk_pixbuf_get_n_channels(back.p) != 4) return true;
        return gdk_pixbuf_read_pixels(back.p)[0] < 180;  // 130 premultiplied, 225 straight
    }();
    return premultiplies;
}

// Turns premultiplied colour in a pixbuf of four channels into the straight colour it
// promises, so that scaling, turning and converting treat every decoder's output alike.
void StraightenAlpha(GdkPixbuf* pixbuf) {
    if (gdk_pixbuf_get_n_channels(pixbuf) != 4 || gdk_pixbuf_get_bits_per_sample(pixbuf) != 8) return;
    const int w = gdk_pixbuf_get_width(pixbuf), h = gdk_pixbuf_get_height(pixbuf);
    const int stride = gdk_pixbuf_get_rowstride(pixbuf);
    uint8_t* pixels = gdk_pixbuf_get_pixels(pixbuf);
    for (int y = 0; y < h; ++y) {
        uint8_t* s = pixels + size_t(y) * stride;
        for (int x = 0; x < w; ++x, s += 4) {
            const uint32_t a = s[3];
            for (int c = 0; c < 3; ++c) {
                s[c] =
                    a == 0
                        ? 0
                        : uint8_t(std::min<uint32_t>((std::min<uint32_t>(s[c], a) * 255 + a / 2) / a, 255));
            }
        }
    }
}

// Replaces the bitmap by the pixbuf's pixels, premultiplied. Fails, leaving the bitmap as
// it was, for a layout it cannot take.
bool PixbufToBitmap(GdkPixbuf* pixbuf, TzuBitmap& bitmap) {
    const int w = gdk_pixbuf_get_width(pixbuf), h = gdk_pixbuf_get_height(pixbuf);
    const int channels = gdk_pixbuf_get_n_channels(pixbuf);
    if (gdk_pixbuf_get_colorspace(pixbuf) != GDK_COLORSPACE_RGB ||
        gdk_pixbuf_get_bits_per_sample(pixbuf) != 8 || (channels != 3 && channels != 4) || w <= 0 || h <= 0 ||
        !SizeAcceptable(w, h)) {
        return false;
    }
    try {
        bitmap.SetSize(w, h);
    } catch (const EzuError&) {
        return false;
    }
    const uint8_t* pixels = gdk_pixbuf_read_pixels(pixbuf);
    const int stride = gdk_pixbuf_get_rowstride(pixbuf);
    for (int y = 0; y < h; ++y) {
        const uint8_t* s = pixels + size_t(y) * stride;
        uint32_t* d = bitmap.ScanLine(y);
        for (int x = 0; x < w; ++x, s += channels) {
            const uint32_t a = channels == 4 ? s[3] : 255;
            const uint32_t r = (s[0] * a + 127) / 255, g = (s[1] * a + 127) / 255, b = (s[2] * a + 127) / 255;
            d[x] = a << 24 | r << 16 | g << 8 | b;
        }
    }
    bitmap.Changed();
    return true;
}

// An icon shows its largest entry, decoded from that entry's bytes alone: a compressed
// (PNG) entry by the PNG decoder, any other as an icon file of that one entry, so the
// decoder neither skips to another entry nor reads past this one.
bool DecodeIcon(std::span<const uint8_t> data, TzuBitmap& bitmap) {
    const std::optional<TzuIconEntry> entry = LargestIconEntry(data);
    if (!entry || !SizeAcceptable(entry->width, entry->height)) return false;
    ChargeLoadPixels(int64_t(entry->width) * entry->height, ImagePixelBudget());
    const std::span<const uint8_t> bytes = data.subspan(entry->offset, entry->size);
    if (entry->png) return ReadPng(bytes, ImagePixelBudget(), bitmap);
    constexpr size_t kHead = 6 + 16;
    TzuBytes single(kHead + bytes.size());
    std::copy_n(data.begin(), 4, single.begin());  // reserved word and icon or cursor type
    single[4] = 1;                                 // one entry
    std::copy_n(data.begin() + ptrdiff_t(entry->directory), 8, single.begin() + 6);
    for (int i = 0; i < 4; ++i) {
        single[14 + i] = uint8_t(bytes.size() >> (8 * i));
        single[18 + i] = uint8_t(kHead >> (8 * i));
    }
    std::copy(bytes.begin(), bytes.end(), single.begin() + kHead);
    PixbufRef pixbuf = DecodeWith("ico", single, -1);
    return pixbuf && PixbufToBitmap(pixbuf.p, bitmap);
}

}  // namespace

bool DecodeImage(std::span<const uint8_t> data, TzuBitmap& bitmap) {
    const TzuImageHeader header = SniffImage(data);
    if (header.kind == TzuImageKind::Ico) return DecodeIcon(data, bitmap);
    const char* type = LoaderName(header.kind);
    if (!type || !SizeAcceptable(header.width, header.height) || header.largestPart > ImagePixelBudget()) {
        return false;
    }
    // These headers always give the size: none is an image of no pixels.
    const bool sizeStated = header.kind == TzuImageKind::Gif || header.kind == TzuImageKind::Bmp;
    if ((sizeStated && (header.width <= 0 || header.height <= 0)) || header.emptyPart) return false;
    // Every image one load decodes counts against one budget, as its items do: a stream of
    // many images each within the budget could otherwise hold any number of pixels.
    ChargeLoadPixels(std::max(int64_t(header.width) * header.height, header.largestPart), ImagePixelBudget());
    if (header.kind == TzuImageKind::Png) return ReadPng(data, ImagePixelBudget(), bitmap);
    if (header.kind == TzuImageKind::Jpeg) return ReadJpeg(data, ImagePixelBudget(), bitmap);
    PixbufRef pixbuf = DecodeWith(type, data, header.reportedRows);
    if (!pixbuf) return false;
    if (header.kind == TzuImageKind::Tiff && TiffDecoderPremultiplies()) StraightenAlpha(pixbuf.p);
    return PixbufToBitmap(pixbuf.p, bitmap);
}

}  // namespace zu
