#include "backend/zu_canvas_cairo/image_sniff.h"

#include <cstring>

namespace zu {

namespace {

class Reader {
public:
    Reader(std::span<const uint8_t> data, bool bigEndian) : m_data(data), m_big(bigEndian) {}
    bool Has(size_t at, size_t n) const { return at <= m_data.size() && n <= m_data.size() - at; }
    uint32_t U16(size_t at) const {
        if (!Has(at, 2)) return 0;
        const uint8_t* p = &m_data[at];
        return m_big ? (p[0] << 8 | p[1]) : (p[1] << 8 | p[0]);
    }
    uint32_t U32(size_t at) const {
        if (!Has(at, 4)) return 0;
        const uint8_t* p = &m_data[at];
        return m_big ? (uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3])
                     : (uint32_t(p[3]) << 24 | p[2] << 16 | p[1] << 8 | p[0]);
    }

private:
    std::span<const uint8_t> m_data;
    bool m_big;
};

bool StartsWith(std::span<const uint8_t> data, const char* magic, size_t n) {
    return data.size() >= n && std::memcmp(data.data(), magic, n) == 0;
}

void JpegSize(std::span<const uint8_t> data, TzuImageHeader& h) {
    Reader r(data, true);
    size_t at = 2;
    while (r.Has(at, 4)) {
        if (data[at] != 0xFF) return;
        const uint8_t marker = data[at + 1];
        if (marker == 0xFF) {
            ++at;
            continue;
        }
        const uint32_t length = r.U16(at + 2);
        const bool sof = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (sof) {
            h.height = r.U16(at + 5);
            h.width = r.U16(at + 7);
            return;
        }
        if (length < 2) return;
        at += 2 + length;
    }
}

void TiffSize(std::span<const uint8_t> data, bool big, TzuImageHeader& h) {
    Reader r(data, big);
    const size_t ifd = r.U32(4);
    const uint32_t count = r.U16(ifd);
    for (uint32_t i = 0; i < count && r.Has(ifd + 2 + i * 12, 12); ++i) {
        const size_t entry = ifd + 2 + i * 12;
        const uint32_t tag = r.U16(entry), type = r.U16(entry + 2);
        const uint32_t value = type == 3 ? r.U16(entry + 8) : r.U32(entry + 8);
        if (tag == 256) h.width = value;
        if (tag == 257) h.height = value;
    }
}

}  // namespace

TzuImageHeader SniffImage(std::span<const uint8_t> data) {
    TzuImageHeader h;
    if (StartsWith(data, "\x89PNG\r\n\x1a\n", 8)) {
        h.kind = TzuImageKind::Png;
        Reader r(data, true);
        h.width = r.U32(16);
        h.height = r.U32(20);
    } else if (StartsWith(data, "\xFF\xD8\xFF", 3)) {
        h.kind = TzuImageKind::Jpeg;
        JpegSize(data, h);
    } else if (StartsWith(data, "GIF87a", 6) || StartsWith(data, "GIF89a", 6)) {
        h.kind = TzuImageKind::Gif;
        Reader r(data, false);
        h.width = r.U16(6);
        h.height = r.U16(8);
    } else if (StartsWith(data, "BM", 2)) {
        h.kind = TzuImageKind::Bmp;
        Reader r(data, false);
        // The decoder sizes buffers by the info header's declared length and by the offset
        // of the pixels: refuse a length no bitmap format uses and an offset past 16 MiB.
        const uint32_t infoSize = r.U32(14);
        const uint32_t pixelsAt = r.U32(10);
        if ((infoSize != 12 && infoSize != 16 && infoSize != 40 && infoSize != 52 && infoSize != 56 &&
             infoSize != 64 && infoSize != 108 && infoSize != 124) ||
            pixelsAt > (1u << 24)) {
            return TzuImageHeader{};
        }
        if (infoSize == 12) {
            h.width = r.U16(18);
            h.height = r.U16(20);
        } else {
            h.width = int32_t(r.U32(18));
            const int64_t height = int32_t(r.U32(22));
            h.height = height < 0 ? -height : height;  // negative: rows stored top-down
        }
    } else if (StartsWith(data, "\0\0\1\0", 4) || StartsWith(data, "\0\0\2\0", 4)) {
        h.kind = TzuImageKind::Ico;  // entries are at most 256 x 256
    } else if (StartsWith(data, "II*\0", 4) || StartsWith(data, "MM\0*", 4)) {
        h.kind = TzuImageKind::Tiff;
        TiffSize(data, data[0] == 'M', h);
    }
    return h;
}

const char* LoaderName(TzuImageKind kind) {
    switch (kind) {
        case TzuImageKind::Png: return "png";
        case TzuImageKind::Jpeg: return "jpeg";
        case TzuImageKind::Gif: return "gif";
        case TzuImageKind::Bmp: return "bmp";
        case TzuImageKind::Ico: return "ico";
        case TzuImageKind::Tiff: return "tiff";
        default: return nullptr;
    }
}

}  // namespace zu
