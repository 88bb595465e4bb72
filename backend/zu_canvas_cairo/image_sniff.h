#pragma once
// Recognises the image formats the filter reads from their first bytes, and reads the
// image size from the header where that is cheap, so a hostile header is refused before
// any decoder allocates for it.

#include <cstdint>
#include <span>

namespace zu {

enum class TzuImageKind { Unknown, Png, Jpeg, Gif, Bmp, Ico, Tiff };

struct TzuImageHeader {
    TzuImageKind kind = TzuImageKind::Unknown;
    // 0 when the header does not say (or could not be read); the decoder then reports it.
    int64_t width = 0;
    int64_t height = 0;
};

TzuImageHeader SniffImage(std::span<const uint8_t> data);
// The gdk-pixbuf loader name of a kind; null for Unknown.
const char* LoaderName(TzuImageKind kind);

}  // namespace zu
