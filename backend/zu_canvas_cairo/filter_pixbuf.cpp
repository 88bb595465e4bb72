#include "backend/zu_canvas_cairo/filter_pixbuf.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <optional>
#include <vector>

#include <cairo.h>
#include <gdk-pixbuf/gdk-pixbuf.h>

#include "backend/zu_canvas_cairo/bitmap_surface.h"
#include "backend/zu_canvas_cairo/gif_writer.h"
#include "backend/zu_canvas_cairo/image_decoder.h"
#include "backend/zu_canvas_cairo/image_sniff.h"
#include "backend/zu_canvas_cairo/pixbuf_ref.h"
#include "platform/core/property.h"
#include "scene/zu_scene/graphics/bitmap.h"
#include "scene/zu_scene/types/value_text.h"

namespace zu {

namespace {

// Image files beyond this are not read at all.
constexpr std::streamoff kMaxFileBytes = std::streamoff(1) << 30;

bool ReadFile(const std::string& fileName, TzuBytes& data) {
    std::ifstream in(fileName, std::ios::binary | std::ios::ate);
    if (!in) return false;
    const std::streamoff size = in.tellg();
    if (size < 0 || size > kMaxFileBytes) return false;
    data.resize(size_t(size));
    in.seekg(0);
    return bool(in.read(reinterpret_cast<char*>(data.data()), size));
}

bool DecodeFile(const std::string& fileName, TzuBitmap& bitmap) {
    TzuBytes data;
    return ReadFile(fileName, data) && DecodeImage(data, bitmap);
}

uint8_t Unpremultiply(uint32_t channel, uint32_t alpha) {
    if (alpha == 0) return 0;
    const uint32_t v = (channel * 255 + alpha / 2) / alpha;
    return uint8_t(v > 255 ? 255 : v);
}

PixbufRef BitmapToPixbuf(const TzuBitmap& bitmap, bool withAlpha) {
    const int w = bitmap.Width(), h = bitmap.Height();
    GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, withAlpha, 8, w, h);
    if (!pixbuf) return {};
    uint8_t* pixels = gdk_pixbuf_get_pixels(pixbuf);
    const int stride = gdk_pixbuf_get_rowstride(pixbuf);
    const int channels = withAlpha ? 4 : 3;
    for (int y = 0; y < h; ++y) {
        const uint32_t* s = bitmap.ScanLine(y);
        uint8_t* d = pixels + size_t(y) * stride;
        for (int x = 0; x < w; ++x, d += channels) {
            const uint32_t p = s[x], a = p >> 24;
            d[0] = Unpremultiply((p >> 16) & 255, a);
            d[1] = Unpremultiply((p >> 8) & 255, a);
            d[2] = Unpremultiply(p & 255, a);
            if (withAlpha) d[3] = uint8_t(a);
        }
    }
    return PixbufRef(pixbuf);
}

std::string Lower(std::string s) {
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    }
    return s;
}

// Draws source into a bitmap of the given size through matrix m; false when the size is
// refused.
bool DrawInto(TzuBitmap& source, const TzuMatrix& m, int width, int height, TzuBitmap& bitmap) {
    TzuBitmap target;
    try {
        target.SetSize(std::max(1, width), std::max(1, height));
    } catch (const EzuError&) {
        return false;
    }
    cairo_surface_t* surface = CreateSurfaceOver(target);
    cairo_t* cr = cairo_create(surface);
    cairo_matrix_t cm;
    cairo_matrix_init(&cm, m.m11, m.m12, m.m21, m.m22, m.m31, m.m32);
    cairo_set_matrix(cr, &cm);
    cairo_set_source_surface(cr, BitmapSurface(source), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_rectangle(cr, 0, 0, source.Width(), source.Height());
    cairo_fill(cr);
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    cairo_surface_destroy(surface);
    bitmap.TakePixels(target);
    bitmap.Changed();
    return true;
}

// Draws the image turned by any angle into a bitmap just large enough to hold it.
bool RotateFree(TzuBitmap& source, float degrees, TzuBitmap& bitmap) {
    const float w = float(source.Width()), h = float(source.Height());
    TzuMatrix m = IdentityMatrix;
    m.m31 = -w / 2;
    m.m32 = -h / 2;
    m = MatrixMultiply(m, RotationMatrix(DegreesToRadians(degrees)));
    TzuPoint corners[4] = {{0, 0}, {w, 0}, {w, h}, {0, h}};
    for (TzuPoint& c : corners) c = PointFromVector(VectorTransform(VectorFromPoint(c, 1), m));
    const TzuRect bounds = PointsBounds(corners, 4);
    TzuMatrix centre = IdentityMatrix;
    centre.m31 = RectWidth(bounds) / 2;
    centre.m32 = RectHeight(bounds) / 2;
    return DrawInto(source, MatrixMultiply(m, centre), int(RectWidth(bounds)), int(RectHeight(bounds)),
                    bitmap);
}

// Turns the image by 90 (clockwise), 180 or 270 degrees, pixel for pixel.
bool RotateRightAngle(const TzuBitmap& source, int turn, TzuBitmap& bitmap) {
    const int w = source.Width(), h = source.Height();
    TzuBitmap target;
    try {
        target.SetSize(turn == 180 ? w : h, turn == 180 ? h : w);
    } catch (const EzuError&) {
        return false;
    }
    for (int y = 0; y < h; ++y) {
        const uint32_t* s = source.ScanLine(y);
        for (int x = 0; x < w; ++x) {
            if (turn == 90) {
                target.ScanLine(x)[h - 1 - y] = s[x];
            } else if (turn == 180) {
                target.ScanLine(h - 1 - y)[w - 1 - x] = s[x];
            } else {
                target.ScanLine(w - 1 - x)[y] = s[x];
            }
        }
    }
    bitmap.TakePixels(target);
    bitmap.Changed();
    return true;
}

}  // namespace

const TzuClass& TzuFilterPixbuf::StaticClass() {
    static const TzuClass cls = ZuClass<TzuFilterPixbuf, TzuFilter>("TzuFilterPixbuf");
    return cls;
}

std::string TzuFilterPixbuf::GetFileTypes() { return "*.bmp;*.jpg;*.jpeg;*.png;*.tif;*.tiff;*.gif;*.ico"; }

TzuPoint TzuFilterPixbuf::GetImageSize(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) return {};
    TzuBytes head(65536);
    in.read(reinterpret_cast<char*>(head.data()), std::streamsize(head.size()));
    head.resize(size_t(in.gcount()));
    TzuImageHeader header = SniffImage(head);
    if (header.kind == TzuImageKind::Unknown) return {};
    if (header.kind == TzuImageKind::Ico) {
        // Entries may lie anywhere in the file; the system decoder is never asked, as it
        // would choose another entry than the one shown.
        TzuBytes data;
        if (!ReadFile(fileName, data)) return {};
        header = SniffImage(data);
        if (header.width <= 0 || header.height <= 0) return {};
    }
    if (header.width > 0 && header.height > 0) return TzuPoint{float(header.width), float(header.height)};
    int w = 0, h = 0;
    if (!gdk_pixbuf_get_file_info(fileName.c_str(), &w, &h)) return {};
    return TzuPoint{float(w), float(h)};
}

bool TzuFilterPixbuf::LoadFromStream(std::span<const uint8_t> data, TzuBitmap& bitmap) {
    return DecodeImage(data, bitmap);
}

bool TzuFilterPixbuf::LoadFromFile(const std::string& fileName, float rotation, TzuBitmap& bitmap) {
    if (!std::isfinite(rotation) || rotation == 0) return DecodeFile(fileName, bitmap);
    TzuBitmap image;
    if (!DecodeFile(fileName, image)) return false;
    if (rotation == std::trunc(rotation) && std::fabs(rotation) < 1e9f && int(rotation) % 90 == 0) {
        // Negative right angles turn the other way round (-90 is 270).
        const int turn = ((int(rotation) % 360) + 360) % 360;
        if (turn != 0) return RotateRightAngle(image, turn, bitmap);
        bitmap.TakePixels(image);
        bitmap.Changed();
        return true;
    }
    return RotateFree(image, rotation, bitmap);
}

bool TzuFilterPixbuf::LoadThumbnailFromFile(const std::string& fileName, float fitWidth, float fitHeight,
                                            bool /*useEmbedded*/, TzuBitmap& bitmap) {
    TzuBitmap image;
    if (!DecodeFile(fileName, image)) return false;
    const int w = image.Width(), h = image.Height();
    // The fitted size; an image is never enlarged. The decoders keep no separate
    // thumbnail, so both ways scale the image itself.
    TzuRect r{0, 0, float(w), float(h)};
    RectFitInto(r, TzuRect{0, 0, fitWidth, fitHeight});
    float tw = std::trunc(RectWidth(r)), th = std::trunc(RectHeight(r));
    if (!(tw >= 1)) tw = 1;
    if (!(th >= 1)) th = 1;
    if (tw >= w && th >= h) {
        bitmap.TakePixels(image);
        bitmap.Changed();
        return true;
    }
    TzuMatrix m = IdentityMatrix;
    m.m11 = tw / float(w);
    m.m22 = th / float(h);
    return DrawInto(image, m, int(tw), int(th), bitmap);
}

bool TzuFilterPixbuf::SaveToStream(TzuBytes& data, const TzuBitmap& bitmap, const std::string& format,
                                   const std::string& params) {
    const std::string encoder = EncoderForFormat(format);
    const int quality = QualityParameter(params);
    if (encoder == "gif") return WriteGif(data, bitmap);
    // JPEG and BMP carry no transparency.
    const bool alpha = encoder == "png" || encoder == "tiff";
    PixbufRef pixbuf = BitmapToPixbuf(bitmap, alpha);
    if (!pixbuf) return false;
    const std::string qualityText = std::to_string(std::clamp(quality, 0, 100));
    char* keys[] = {const_cast<char*>("quality"), nullptr};
    char* values[] = {const_cast<char*>(qualityText.c_str()), nullptr};
    const bool withQuality = encoder == "jpeg" && quality >= 0;
    gchar* buffer = nullptr;
    gsize size = 0;
    GError* error = nullptr;
    const bool ok =
        gdk_pixbuf_save_to_bufferv(pixbuf.p, &buffer, &size, encoder.c_str(), withQuality ? keys : nullptr,
                                   withQuality ? values : nullptr, &error);
    g_clear_error(&error);
    if (ok)
        data.insert(data.end(), reinterpret_cast<uint8_t*>(buffer),
                    reinterpret_cast<uint8_t*>(buffer) + size);
    g_free(buffer);
    return ok;
}

bool TzuFilterPixbuf::SaveToFile(const std::string& fileName, const TzuBitmap& bitmap,
                                 const std::string& params) {
    const std::string encoder = EncoderForFileName(fileName);
    if (encoder.empty()) return false;
    TzuBytes data;
    if (!SaveToStream(data, bitmap, encoder, params)) return false;
    std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
    return out && out.write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size())) &&
           out.flush();
}

std::string EncoderForFormat(const std::string& format) {
    const std::string f = Lower(format);
    if (f == "jpeg" || f == "jpg") return "jpeg";
    if (f == "bmp") return "bmp";
    if (f == "tif" || f == "tiff") return "tiff";
    if (f == "gif") return "gif";
    return "png";
}

std::string EncoderForFileName(const std::string& fileName) {
    const size_t dot = fileName.find_last_of('.');
    const size_t slash = fileName.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    const std::string ext = Lower(fileName.substr(dot));
    if (ext == ".jpg" || ext == ".jpeg") return "jpeg";
    if (ext == ".bmp") return "bmp";
    if (ext == ".png") return "png";
    if (ext == ".tif" || ext == ".tiff") return "tiff";
    if (ext == ".gif") return "gif";
    return {};
}

int QualityParameter(const std::string& params) {
    std::string rest = params;
    int quality = -1;
    while (!rest.empty()) {
        std::string item = NextToken(rest, " ");
        const size_t eq = item.find('=');
        if (eq == std::string::npos || Lower(item.substr(0, eq)) != "quality") continue;
        const std::string value = item.substr(eq + 1);
        int parsed = 0;
        const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), parsed);
        if (ec != std::errc() || end != value.data() + value.size() || value.empty()) {
            throw EzuError("'" + value + "' is not a valid integer value");
        }
        quality = parsed;
    }
    return quality;
}

}  // namespace zu
