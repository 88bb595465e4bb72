#include "backend/zu_canvas_cairo/image_sniff.h"

#include <algorithm>
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
        const bool sof =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
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

void SkipColourTable(uint8_t flags, size_t& at) {
    if (flags & 0x80) at += size_t(3) << ((flags & 7) + 1);
}

// Walks the blocks of a GIF: every frame's size counts against the pixel budget, and the
// decoder reports the first frame's rows (placed at the top) when that frame is complete.
void GifParts(std::span<const uint8_t> data, TzuImageHeader& h) {
    Reader r(data, false);
    h.width = r.U16(6);
    h.height = r.U16(8);
    h.largestPart = h.width * h.height;
    size_t at = 13;
    if (data.size() > 10) SkipColourTable(data[10], at);
    bool first = true;
    while (at < data.size() && data[at] != 0x3B) {
        if (data[at] == 0x21) {
            at += 2;  // introducer and label; the data follows in sub-blocks
        } else if (data[at] == 0x2C) {
            if (!r.Has(at, 10)) return;
            const int64_t w = r.U16(at + 5), rows = r.U16(at + 7);
            h.largestPart = std::max(h.largestPart, w * rows);
            h.emptyPart = h.emptyPart || w == 0 || rows == 0;
            if (first) h.reportedRows = std::min(rows, h.height);
            first = false;
            SkipColourTable(data[at + 9], at);
            at += 10 + 1;  // the descriptor, then the code size byte
        } else {
            return;
        }
        while (at < data.size() && data[at] != 0) at += size_t(1) + data[at];
        ++at;
    }
}

constexpr char kPngMagic[] = "\x89PNG\r\n\x1a\n";

// Reads an icon entry's own header; false when it cannot be shown from its bytes.
bool ReadIconEntry(std::span<const uint8_t> bytes, TzuIconEntry& e) {
    if (StartsWith(bytes, kPngMagic, 8)) {
        if (bytes.size() < 24) return false;
        Reader png(bytes, true);
        e.png = true;
        e.width = png.U32(16);
        e.height = png.U32(20);
        e.bitCount = 32;
        return e.width > 0 && e.height > 0;
    }
    Reader dib(bytes, false);
    const uint64_t headerSize = dib.U32(0);
    const int64_t w = int32_t(dib.U32(4)), doubled = int32_t(dib.U32(8));
    const uint32_t bits = dib.U16(14), used = dib.U32(32);
    if (!dib.Has(0, 40) || headerSize < 40 || w <= 0 || doubled == 0) return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
    e.width = w;
    e.height = (doubled < 0 ? -doubled : doubled) / 2;  // the colour rows, then as many mask rows
    e.bitCount = int(bits);
    if (e.height <= 0) return false;
    // The colour rows must all be there: the decoder sizes its buffers by the header.
    const uint64_t colours = bits > 8 ? 0 : (used != 0 && used < (1u << bits) ? used : 1u << bits);
    const uint64_t rowBytes = (uint64_t(w) * bits + 31) / 32 * 4;
    const uint64_t before = headerSize + colours * 4;
    return before <= bytes.size() && uint64_t(e.height) <= (bytes.size() - before) / rowBytes;
}

}  // namespace

std::optional<TzuIconEntry> LargestIconEntry(std::span<const uint8_t> data) {
    Reader r(data, false);
    if (!r.Has(0, 6) || r.U16(0) != 0 || (r.U16(2) != 1 && r.U16(2) != 2)) return {};
    const uint32_t count = r.U16(4);
    std::optional<TzuIconEntry> best;
    for (uint32_t i = 0; i < count && r.Has(6 + size_t(i) * 16, 16); ++i) {
        TzuIconEntry e;
        e.directory = 6 + size_t(i) * 16;
        e.size = r.U32(e.directory + 8);
        e.offset = r.U32(e.directory + 12);
        if (e.size == 0 || !r.Has(e.offset, e.size) || !ReadIconEntry(data.subspan(e.offset, e.size), e))
            continue;
        const auto key = [](const TzuIconEntry& x) { return std::pair(x.width * x.height, x.bitCount); };
        if (!best || key(e) > key(*best)) best = e;
    }
    return best;
}

TzuImageHeader SniffImage(std::span<const uint8_t> data) {
    TzuImageHeader h;
    if (StartsWith(data, kPngMagic, 8)) {
        h.kind = TzuImageKind::Png;
        Reader r(data, true);
        h.width = r.U32(16);
        h.height = r.U32(20);
    } else if (StartsWith(data, "\xFF\xD8\xFF", 3)) {
        h.kind = TzuImageKind::Jpeg;
        JpegSize(data, h);
    } else if (StartsWith(data, "GIF87a", 6) || StartsWith(data, "GIF89a", 6)) {
        h.kind = TzuImageKind::Gif;
        GifParts(data, h);
    } else if (StartsWith(data, "BM", 2)) {
        h.kind = TzuImageKind::Bmp;
        Reader r(data, false);
        // The decoder sizes buffers by the info header's declared length, the offset of the
        // pixels, the bits per pixel and the colours of the palette: refuse a length no
        // bitmap format uses, an offset past 16 MiB, a depth no bitmap has and a palette of
        // more than 256 colours.
        const uint32_t infoSize = r.U32(14);
        const uint32_t pixelsAt = r.U32(10);
        const uint32_t bits = r.U16(infoSize == 12 ? 24 : 28);
        const uint32_t colours = infoSize >= 40 ? r.U32(46) : 0;
        if ((infoSize != 12 && infoSize != 16 && infoSize != 40 && infoSize != 52 && infoSize != 56 &&
             infoSize != 64 && infoSize != 108 && infoSize != 124) ||
            pixelsAt > (1u << 24) ||
            (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) ||
            colours > 256) {
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
        h.kind = TzuImageKind::Ico;
        if (const auto entry = LargestIconEntry(data)) {
            h.width = entry->width;
            h.height = entry->height;
        }
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
