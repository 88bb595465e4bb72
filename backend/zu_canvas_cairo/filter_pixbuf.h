#pragma once
// TzuFilterPixbuf is the image filter of the Cairo backend: it decodes with gdk-pixbuf
// (only the formats the library lists, each header checked before decoding) and encodes
// PNG, JPEG, BMP and TIFF with gdk-pixbuf and GIF with giflib. Instances hold nothing and
// are made per operation.

#include "scene/zu_scene/graphics/filter.h"

namespace zu {

class TzuFilterPixbuf : public TzuFilter {
    ZU_CLASS(TzuFilterPixbuf)
public:
    TzuFilterPixbuf() = default;

    std::string GetFileTypes() override;
    TzuPoint GetImageSize(const std::string& fileName) override;
    bool LoadFromFile(const std::string& fileName, float rotation, TzuBitmap& bitmap) override;
    bool LoadThumbnailFromFile(const std::string& fileName, float fitWidth, float fitHeight, bool useEmbedded,
                               TzuBitmap& bitmap) override;
    bool SaveToFile(const std::string& fileName, const TzuBitmap& bitmap, const std::string& params) override;
    bool LoadFromStream(std::span<const uint8_t> data, TzuBitmap& bitmap) override;
    bool SaveToStream(TzuBytes& data, const TzuBitmap& bitmap, const std::string& format,
                      const std::string& params) override;
};

// The encoder for a format name ("jpg" -> "jpeg"; unknown names -> "png") and for a file
// name's extension (unknown -> empty: nothing is written).
std::string EncoderForFormat(const std::string& format);
std::string EncoderForFileName(const std::string& fileName);
// The quality given in a parameter text ("quality=80 foo=1"), -1 when none. Raises on a
// quality that is not an integer.
int QualityParameter(const std::string& params);

}  // namespace zu
