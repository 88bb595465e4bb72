#include "tests/zu_canvas_cairo/image_files.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <random>

#include <jpeglib.h>
#include <png.h>

namespace zu::test {

namespace {

void Put16(TzuBytes& out, uint32_t v) { out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8)}); }

void Put32(TzuBytes& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

}  // namespace

TzuBytes TiffRgba(int width, int height, const std::vector<uint8_t>& rgba, int extraSamples) {
    struct Tag {
        uint16_t tag, type;
        uint32_t value;
    };
    constexpr uint32_t kEntries = 10, kIfd = 8, kBits = kIfd + 2 + kEntries * 12 + 4, kPixels = kBits + 8;
    const Tag tags[kEntries] = {{256, 4, uint32_t(width)},
                                {257, 4, uint32_t(height)},
                                {258, 3, kBits},
                                {259, 3, 1},  // 8 bits each, uncompressed
                                {262, 3, 2},
                                {273, 4, kPixels},  // RGB
                                {277, 3, 4},
                                {278, 4, uint32_t(height)},
                                {279, 4, uint32_t(rgba.size())},
                                {338, 3, uint32_t(extraSamples)}};
    TzuBytes out{'I', 'I', 42, 0};
    Put32(out, kIfd);
    Put16(out, kEntries);
    for (const Tag& t : tags) {
        Put16(out, t.tag);
        Put16(out, t.type);
        const bool inline16 = t.type == 3 && t.tag != 258;  // the bits per sample are stored apart
        Put32(out, t.tag == 258 ? 4 : 1);
        Put16(out, inline16 ? t.value : t.value & 0xFFFF);
        Put16(out, inline16 ? 0 : t.value >> 16);
    }
    Put32(out, 0);  // no further directory
    for (int i = 0; i < 4; ++i) Put16(out, 8);
    out.insert(out.end(), rgba.begin(), rgba.end());
    return out;
}

TzuBytes Gif(int screenWidth, int screenHeight, const std::vector<GifFrame>& frames) {
    TzuBytes out{'G', 'I', 'F', '8', '9', 'a'};
    Put16(out, uint32_t(screenWidth));
    Put16(out, uint32_t(screenHeight));
    out.insert(out.end(), {0x81, 0, 0});  // a global table of 4 colours
    out.insert(out.end(), {0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255});
    for (const GifFrame& f : frames) {
        out.insert(out.end(), {0x21, 0xF9, 4, 1, 0, 0, 0, 0});  // index 0 is transparent
        out.push_back(0x2C);
        for (int v : {f.left, f.top, f.width, f.height}) Put16(out, uint32_t(v));
        out.push_back(0);
        out.push_back(2);  // minimum code size: codes of 3 bits, clear 4, end 5
        // Every index follows a clear code, so the code size never grows.
        std::vector<uint8_t> codes;
        for (uint8_t index : f.indices) codes.insert(codes.end(), {4, index});
        codes.push_back(5);
        TzuBytes packed;
        uint32_t bits = 0, count = 0;
        for (uint8_t code : codes) {
            bits |= uint32_t(code) << count;
            count += 3;
            for (; count >= 8; count -= 8, bits >>= 8) packed.push_back(uint8_t(bits));
        }
        if (count > 0) packed.push_back(uint8_t(bits));
        for (size_t at = 0; at < packed.size(); at += 255) {
            const size_t n = std::min<size_t>(255, packed.size() - at);
            out.push_back(uint8_t(n));
            out.insert(out.end(), packed.begin() + std::ptrdiff_t(at),
                       packed.begin() + std::ptrdiff_t(at + n));
        }
        out.push_back(0);
    }
    out.push_back(0x3B);
    return out;
}

TzuBytes Png(int width, int height, int colourType, int bitDepth, bool interlaced, bool withTransparent,
             uint32_t seed) {
    TzuBytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, png_size_t n) {
            auto* o = static_cast<TzuBytes*>(png_get_io_ptr(p));
            o->insert(o->end(), data, data + n);
        },
        nullptr);
    png_set_IHDR(png, info, uint32_t(width), uint32_t(height), bitDepth, colourType,
                 interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    std::mt19937 random(seed);
    const int entries = colourType == PNG_COLOR_TYPE_PALETTE ? 1 << bitDepth : 0;
    std::vector<png_color> palette(static_cast<size_t>(entries));
    std::vector<png_byte> alphas(static_cast<size_t>(entries));
    for (int i = 0; i < entries; ++i) {
        palette[size_t(i)] = {png_byte(random()), png_byte(random()), png_byte(random())};
        alphas[size_t(i)] = png_byte(random());
    }
    if (entries > 0) png_set_PLTE(png, info, palette.data(), entries);
    png_color_16 zero{};
    if (withTransparent) png_set_tRNS(png, info, alphas.data(), entries, &zero);
    png_write_info(png, info);
    const size_t rowBytes = png_get_rowbytes(png, info);
    std::vector<png_byte> rows(rowBytes * size_t(height));
    for (png_byte& b : rows) b = png_byte(0x55 * (random() % 4));
    std::vector<png_bytep> rowPointers;
    for (int y = 0; y < height; ++y) rowPointers.push_back(rows.data() + rowBytes * size_t(y));
    png_write_image(png, rowPointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

TzuBytes Jpeg(int width, int height, int channels, bool progressive, uint32_t seed) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = channels;
    info.in_color_space = channels == 1 ? JCS_GRAYSCALE : channels == 3 ? JCS_RGB : JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    if (channels == 4) {
        jpeg_set_colorspace(&info, JCS_YCCK);
        info.write_Adobe_marker = TRUE;
    }
    if (progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::mt19937 random(seed);
    std::vector<JSAMPLE> row(size_t(width * channels));
    while (info.next_scanline < info.image_height) {
        const int y = int(info.next_scanline);
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < channels; ++c) {
                row[size_t(x * channels + c)] =
                    JSAMPLE((x * 255 / width + y * 97 / height * c + random() % 16) & 255);
            }
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    TzuBytes out(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}

TzuBytes IconBitmap(int size, uint32_t colour) {
    TzuBytes out;
    for (uint32_t v : {40u, uint32_t(size), uint32_t(size * 2)}) Put32(out, v);
    Put16(out, 1);
    Put16(out, 32);
    out.resize(out.size() + 24, 0);
    for (int i = 0; i < size * size; ++i) Put32(out, colour);
    out.resize(out.size() + size_t((size + 31) / 32 * 4 * size), 0);  // the mask: all shown
    return out;
}

TzuBytes Icon(const std::vector<IconEntry>& entries) {
    TzuBytes out{0, 0, 1, 0};
    Put16(out, uint32_t(entries.size()));
    uint32_t at = uint32_t(6 + 16 * entries.size());
    for (const IconEntry& e : entries) {
        out.insert(out.end(), {uint8_t(e.size & 255), uint8_t(e.size & 255), 0, 0});
        Put16(out, 1);
        Put16(out, 32);
        Put32(out, uint32_t(e.bytes.size()));
        Put32(out, at);
        at += uint32_t(e.bytes.size());
    }
    for (const IconEntry& e : entries) out.insert(out.end(), e.bytes.begin(), e.bytes.end());
    return out;
}

}  // namespace zu::test
