#include "backend/zu_canvas_cairo/jpeg_reader.h"

// jpeglib.h needs the standard C types declared first.
#include <algorithm>
#include <climits>
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <vector>

#include <jpeglib.h>
// jerror.h after jpeglib.h, which it builds on.
#include <jerror.h>

#include "scene/zu_scene/graphics/bitmap.h"

namespace zu {

namespace {

struct Errors {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    bool damaged = false;
};

// Errors end the read through the jump buffer set in ReadJpeg; nothing is printed.
[[noreturn]] void OnError(j_common_ptr info) { std::longjmp(reinterpret_cast<Errors*>(info->err)->jump, 1); }

// Data that ends early is made up by the decoder: the image fails. Other warnings (stray
// bytes between segments, as some cameras write) leave a whole image and are let pass.
void OnMessage(j_common_ptr info, int level) {
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF)
        reinterpret_cast<Errors*>(info->err)->damaged = true;
}

// Fills the bitmap row by row; runs under ReadJpeg's jump buffer. The CMYK row is the one
// scanline a four-channel file needs for its conversion.
bool ReadRows(jpeg_decompress_struct& info, int64_t maxPixels, TzuBitmap& decoded,
              std::vector<uint8_t>& cmyk) {
    jpeg_read_header(&info, TRUE);
    const int64_t w = info.image_width, h = info.image_height;
    if (w <= 0 || h <= 0 || w > kMaxBitmapSide || h > kMaxBitmapSide || w * h > maxPixels) return false;
    const bool fourChannels = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = fourChannels ? JCS_CMYK : JCS_EXT_BGRA;
    jpeg_start_decompress(&info);
    if (info.output_width != w || info.output_height != h) return false;
    try {
        decoded.SetSize(int(w), int(h));
        if (fourChannels) cmyk.resize(size_t(w) * 4);
    } catch (const std::exception&) {
        return false;
    }
    while (info.output_scanline < info.output_height) {
        uint32_t* row = decoded.ScanLine(int(info.output_scanline));
        JSAMPROW target = fourChannels ? cmyk.data() : reinterpret_cast<JSAMPROW>(row);
        if (jpeg_read_scanlines(&info, &target, 1) != 1) return false;
        for (int64_t x = 0; fourChannels && x < w; ++x) {
            const uint8_t* s = cmyk.data() + x * 4;
            const uint32_t k = s[3], r = k * s[0] / 255, g = k * s[1] / 255, b = k * s[2] / 255;
            row[x] = 0xFF000000u | r << 16 | g << 8 | b;
        }
    }
    jpeg_finish_decompress(&info);
    return true;
}

}  // namespace

bool ReadJpeg(std::span<const uint8_t> data, int64_t maxPixels, TzuBitmap& bitmap) {
    if (data.empty()) return false;
    jpeg_decompress_struct info{};
    Errors errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = OnError;
    errors.base.emit_message = OnMessage;
    // Rows go straight into a scratch bitmap, whose pixels this one takes when all is read.
    TzuBitmap decoded;
    std::vector<uint8_t> cmyk;
    bool done = false;
    if (setjmp(errors.jump) == 0) {
        jpeg_create_decompress(&info);
        // A progressive file keeps every coefficient until its last scan: bound that too.
        info.mem->max_memory_to_use = long(std::min<int64_t>(maxPixels * 8, LONG_MAX));
        jpeg_mem_src(&info, data.data(), static_cast<unsigned long>(data.size()));
        done = ReadRows(info, maxPixels, decoded, cmyk) && !errors.damaged;
    }
    jpeg_destroy_decompress(&info);
    if (!done) return false;
    bitmap.TakePixels(decoded);
    bitmap.Changed();
    return true;
}

}  // namespace zu
