#include "backend/zu_canvas_cairo/png_reader.h"

#include <cstring>

#include <png.h>

#include "scene/zu_scene/graphics/bitmap.h"

namespace zu {

namespace {

struct Source {
    std::span<const uint8_t> data;
    size_t at = 0;
};

void ReadBytes(png_structp png, png_bytep out, png_size_t n) {
    Source& s = *static_cast<Source*>(png_get_io_ptr(png));
    if (n > s.data.size() - s.at) png_error(png, "truncated");
    std::memcpy(out, s.data.data() + s.at, n);
    s.at += n;
}

// Errors end the read through the jump buffer set in ReadPng; nothing is printed.
[[noreturn]] void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnWarning(png_structp, png_const_charp) {}

// Sets the transforms that make every PNG B,G,R,A of 8 bits; the width and height must be
// acceptable. Runs under ReadPng's jump buffer.
bool Prepare(png_structp png, png_infop info, int64_t maxPixels, int& passes) {
    png_read_info(png, info);
    const int64_t w = png_get_image_width(png, info), h = png_get_image_height(png, info);
    if (w <= 0 || h <= 0 || w > kMaxBitmapSide || h > kMaxBitmapSide || w * h > maxPixels) return false;
    const int colourType = png_get_color_type(png, info);
    if (png_get_bit_depth(png, info) == 16) png_set_strip_16(png);
    png_set_expand(png);  // palettes to colour, small greys to 8 bits, a transparent colour to alpha
    if (!(colourType & PNG_COLOR_MASK_COLOR)) png_set_gray_to_rgb(png);
    if (!(colourType & PNG_COLOR_MASK_ALPHA) && !png_get_valid(png, info, PNG_INFO_tRNS)) {
        png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    }
    png_set_bgr(png);
    passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    return png_get_rowbytes(png, info) == size_t(w) * 4;
}

void Premultiply(TzuBitmap& bitmap) {
    uint32_t* p = bitmap.Bits();
    for (int64_t i = 0, n = bitmap.PixelCount(); i < n; ++i) {
        const uint32_t v = p[i], a = v >> 24;
        if (a == 255) continue;
        const uint32_t r = (((v >> 16) & 255) * a + 127) / 255, g = (((v >> 8) & 255) * a + 127) / 255,
                       b = ((v & 255) * a + 127) / 255;
        p[i] = a << 24 | r << 16 | g << 8 | b;
    }
}

}  // namespace

bool ReadPng(std::span<const uint8_t> data, int64_t maxPixels, TzuBitmap& bitmap) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    Source source{data};
    // Rows go straight into a scratch bitmap, whose pixels this one takes when all is read.
    TzuBitmap decoded;
    bool done = false;
    if (info && setjmp(png_jmpbuf(png)) == 0) {
        png_set_read_fn(png, &source, ReadBytes);
        png_set_user_limits(png, kMaxBitmapSide, kMaxBitmapSide);
        int passes = 1;
        if (Prepare(png, info, maxPixels, passes)) {
            const int w = int(png_get_image_width(png, info)), h = int(png_get_image_height(png, info));
            bool sized = true;
            try {
                decoded.SetSize(w, h);
            } catch (const std::exception&) {
                sized = false;
            }
            if (sized) {
                for (int pass = 0; pass < passes; ++pass) {
                    for (int y = 0; y < h; ++y)
                        png_read_row(png, reinterpret_cast<png_bytep>(decoded.ScanLine(y)), nullptr);
                }
                done = true;
            }
        }
    }
    png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    if (!done) return false;
    Premultiply(decoded);
    bitmap.TakePixels(decoded);
    bitmap.Changed();
    return true;
}

}  // namespace zu
