#include "backend/zu_canvas_cairo/gif_writer.h"

#include <vector>

#include <gif_lib.h>

#include "scene/zu_scene/graphics/bitmap.h"

namespace zu {

namespace {

constexpr int kTransparentIndex = 255;

int AppendBytes(GifFileType* gif, const GifByteType* bytes, int length) {
    auto* out = static_cast<TzuBytes*>(gif->UserData);
    out->insert(out->end(), bytes, bytes + length);
    return length;
}

uint8_t Unpremultiply(uint32_t channel, uint32_t alpha) {
    if (alpha == 0) return 0;
    const uint32_t v = (channel * 255 + alpha / 2) / alpha;
    return uint8_t(v > 255 ? 255 : v);
}

}  // namespace

bool WriteGif(TzuBytes& data, const TzuBitmap& bitmap) {
    const int w = bitmap.Width(), h = bitmap.Height();
    const size_t count = size_t(w) * h;
    std::vector<GifByteType> red(count), green(count), blue(count), indices(count);
    std::vector<bool> clear(count);
    const uint32_t* px = bitmap.Bits();
    for (size_t i = 0; i < count; ++i) {
        const uint32_t p = px[i], a = p >> 24;
        red[i] = Unpremultiply((p >> 16) & 255, a);
        green[i] = Unpremultiply((p >> 8) & 255, a);
        blue[i] = Unpremultiply(p & 255, a);
        clear[i] = a < 128;
    }
    GifColorType palette[256] = {};
    int paletteSize = 255;
    if (GifQuantizeBuffer(unsigned(w), unsigned(h), &paletteSize, red.data(), green.data(), blue.data(),
                          indices.data(), palette) != GIF_OK) {
        return false;
    }
    for (size_t i = 0; i < count; ++i) {
        if (clear[i]) indices[i] = kTransparentIndex;
    }
    ColorMapObject* map = GifMakeMapObject(256, palette);
    if (!map) return false;
    TzuBytes out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, AppendBytes, &error);
    if (!gif) {
        GifFreeMapObject(map);
        return false;
    }
    bool ok = EGifPutScreenDesc(gif, w, h, 8, 0, map) == GIF_OK;
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSAL_UNSPECIFIED;
    control.TransparentColor = kTransparentIndex;
    GifByteType extension[4];
    const size_t extLength = EGifGCBToExtension(&control, extension);
    ok = ok && EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(extLength), extension) == GIF_OK;
    ok = ok && EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < h; ++y) ok = EGifPutLine(gif, indices.data() + size_t(y) * w, w) == GIF_OK;
    ok = EGifCloseFile(gif, &error) == GIF_OK && ok;
    GifFreeMapObject(map);
    if (!ok) return false;
    data.insert(data.end(), out.begin(), out.end());
    return true;
}

}  // namespace zu
