#pragma once
// Recognises the image formats the filter reads from their first bytes, and reads the
// image size from the header where that is cheap, so a hostile header is refused before
// any decoder allocates for it. Icon files are read entry by entry: the filter decodes only
// the entry shown, from its own bytes.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace zu {

enum class TzuImageKind { Unknown, Png, Jpeg, Gif, Bmp, Ico, Tiff };

struct TzuImageHeader {
    TzuImageKind kind = TzuImageKind::Unknown;
    // 0 when the header does not say (or could not be read); the decoder then reports it.
    // An icon file gives the size of its largest entry.
    int64_t width = 0;
    int64_t height = 0;
    // The most pixels any one part of the file claims: a GIF's frames may each be larger
    // than its screen, and the decoder sizes buffers by each.
    int64_t largestPart = 0;
    // Rows the decoder reports as done for a complete image, counted from the top; -1 when
    // it reports every row. The GIF decoder reports only its first frame's rows.
    int64_t reportedRows = -1;
    // A part of no pixels (a GIF frame 0 wide or high): the decoder refuses the whole file,
    // with a complaint on stderr, so it is refused before.
    bool emptyPart = false;
};

TzuImageHeader SniffImage(std::span<const uint8_t> data);
// The gdk-pixbuf loader name of a kind; null for Unknown.
const char* LoaderName(TzuImageKind kind);

// One image inside an icon or cursor file: where its bytes lie and its size as its own
// header (not the directory) gives it.
struct TzuIconEntry {
    size_t directory = 0;  // where its directory record starts
    size_t offset = 0;
    size_t size = 0;
    bool png = false;
    int64_t width = 0;
    int64_t height = 0;
    int bitCount = 0;
};

// The entry an icon file shows: the largest, then the deepest, then the first, among the
// entries whose bytes lie inside the file and whose own header can be read. Nothing when
// there is none.
std::optional<TzuIconEntry> LargestIconEntry(std::span<const uint8_t> data);

}  // namespace zu
