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
#include "backend/zu_canvas_cairo/image_sniff.h"
#include "platform/core/property.h"
#include "scene/zu_scene/graphics/bitmap.h"
#include "scene/zu_scene/types/value_text.h"

namespace zu {

namespace {

// Image files beyond this are not read at all.
constexpr std::streamoff kMaxFileBytes = std::streamoff(1) << 30;

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

struct PixbufRef {
    GdkPixbuf* p = nullptr;
    PixbufRef() = default;
    explicit PixbufRef(GdkPixbuf* pixbuf) : p(pixbuf) {}
    PixbufRef(const PixbufRef&) = delete;
    PixbufRef(PixbufRef&& o) noexcept : p(o.p) { o.p = nullptr; }
    PixbufRef& operator=(PixbufRef&& o) noexcept {
        std::swap(p, o.p);
        return *this;
    }
    ~PixbufRef() {
        if (p) g_object_unref(p);
    }
    explicit operator bool() const { return p != nullptr; }
};

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

PixbufRef Decode(std::span<const uint8_t> data);

// An icon shows its largest entry, decoded from that entry's bytes alone: a compressed
// (PNG) entry by the PNG decoder, any other as an icon file of that one entry, so the
// decoder neither skips to another entry nor reads past this one.
PixbufRef DecodeIcon(std::span<const uint8_t> data) {
    const std::optional<TzuIconEntry> entry = LargestIconEntry(data);
    if (!entry || !SizeAcceptable(entry->width, entry->height)) return {};
    const std::span<const uint8_t> bytes = data.subspan(entry->offset, entry->size);
    if (entry->png) return SniffImage(bytes).kind == TzuImageKind::Png ? Decode(bytes) : PixbufRef{};
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
    return DecodeWith("ico", single, -1);
}

PixbufRef Decode(std::span<const uint8_t> data) {
    const TzuImageHeader header = SniffImage(data);
    if (header.kind == TzuImageKind::Ico) return DecodeIcon(data);
    const char* type = LoaderName(header.kind);
    if (!type || !SizeAcceptable(header.width, header.height) || header.largestPart > ImagePixelBudget())
        return {};
    PixbufRef pixbuf = DecodeWith(type, data, header.reportedRows);
    if (pixbuf && header.kind == TzuImageKind::Tiff && TiffDecoderPremultiplies()) StraightenAlpha(pixbuf.p);
    return pixbuf;
}

bool ReadFile(const std::string& fileName, TzuBytes& data) {
    std::ifstream in(fileName, std::ios::binary | std::ios::ate);
    if (!in) return false;
    const std::streamoff size = in.tellg();
    if (size < 0 || size > kMaxFileBytes) return false;
    data.resize(size_t(size));
    in.seekg(0);
    return bool(in.read(reinterpret_cast<char*>(data.data()), size));
}

PixbufRef DecodeFile(const std::string& fileName) {
    TzuBytes data;
    if (!ReadFile(fileName, data)) return {};
    return Decode(data);
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

// Draws the image turned by any angle into a bitmap just large enough to hold it. The
// decoded pixbuf goes as soon as its pixels are in a bitmap.
bool RotateFree(PixbufRef pixbuf, float degrees, TzuBitmap& bitmap) {
    TzuBitmap source;
    if (!PixbufToBitmap(pixbuf.p, source)) return false;
    pixbuf = PixbufRef();
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
    m = MatrixMultiply(m, centre);
    TzuBitmap rotated;
    try {
        rotated.SetSize(std::max(1, int(RectWidth(bounds))), std::max(1, int(RectHeight(bounds))));
    } catch (const EzuError&) {
        return false;
    }
    cairo_surface_t* target = CreateSurfaceOver(rotated);
    cairo_t* cr = cairo_create(target);
    cairo_matrix_t cm;
    cairo_matrix_init(&cm, m.m11, m.m12, m.m21, m.m22, m.m31, m.m32);
    cairo_set_matrix(cr, &cm);
    cairo_set_source_surface(cr, BitmapSurface(source), 0, 0);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_fill(cr);
    cairo_destroy(cr);
    cairo_surface_finish(target);
    cairo_surface_destroy(target);
    bitmap.Assign(rotated);
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
    PixbufRef pixbuf = Decode(data);
    return pixbuf && PixbufToBitmap(pixbuf.p, bitmap);
}

bool TzuFilterPixbuf::LoadFromFile(const std::string& fileName, float rotation, TzuBitmap& bitmap) {
    PixbufRef pixbuf = DecodeFile(fileName);
    if (!pixbuf) return false;
    if (!std::isfinite(rotation) || rotation == 0) return PixbufToBitmap(pixbuf.p, bitmap);
    if (rotation == std::trunc(rotation) && std::fabs(rotation) < 1e9f && int(rotation) % 90 == 0) {
        // Negative right angles turn the other way round (-90 is 270).
        const int turn = ((int(rotation) % 360) + 360) % 360;
        if (turn == 0) return PixbufToBitmap(pixbuf.p, bitmap);
        const GdkPixbufRotation how = turn == 90    ? GDK_PIXBUF_ROTATE_CLOCKWISE
                                      : turn == 180 ? GDK_PIXBUF_ROTATE_UPSIDEDOWN
                                                    : GDK_PIXBUF_ROTATE_COUNTERCLOCKWISE;
        PixbufRef turned(gdk_pixbuf_rotate_simple(pixbuf.p, how));
        pixbuf = PixbufRef();
        return turned && PixbufToBitmap(turned.p, bitmap);
    }
    return RotateFree(std::move(pixbuf), rotation, bitmap);
}

bool TzuFilterPixbuf::LoadThumbnailFromFile(const std::string& fileName, float fitWidth, float fitHeight,
                                            bool /*useEmbedded*/, TzuBitmap& bitmap) {
    PixbufRef pixbuf = DecodeFile(fileName);
    if (!pixbuf) return false;
    const int w = gdk_pixbuf_get_width(pixbuf.p), h = gdk_pixbuf_get_height(pixbuf.p);
    // The fitted size; an image is never enlarged. The decoders keep no separate
    // thumbnail, so both ways scale the image itself.
    TzuRect r{0, 0, float(w), float(h)};
    RectFitInto(r, TzuRect{0, 0, fitWidth, fitHeight});
    float tw = std::trunc(RectWidth(r)), th = std::trunc(RectHeight(r));
    if (!(tw >= 1)) tw = 1;
    if (!(th >= 1)) th = 1;
    if (tw >= w && th >= h) return PixbufToBitmap(pixbuf.p, bitmap);
    PixbufRef scaled(gdk_pixbuf_scale_simple(pixbuf.p, int(tw), int(th), GDK_INTERP_BILINEAR));
    pixbuf = PixbufRef();
    return scaled && PixbufToBitmap(scaled.p, bitmap);
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
