#pragma once
// Pieces shared by the component stream's writer, reader and text conversion: the value
// tags, bounds-checked little-endian reading and writing of the binary form, and the
// 10-byte extended float, converted bit by bit so nothing depends on long double.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/utf.h"

namespace zu {

enum TzuValueTag : uint8_t {
    vaNull = 0,
    vaList = 1,
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaExtended = 5,
    vaString = 6,
    vaIdent = 7,
    vaFalse = 8,
    vaTrue = 9,
    vaBinary = 10,
    vaSet = 11,
    vaLString = 12,
    vaNil = 13,
    vaCollection = 14,
    vaSingle = 15,
    vaCurrency = 16,
    vaDate = 17,
    vaWString = 18,
    vaInt64 = 19,
    vaUTF8String = 20,
};
constexpr uint8_t kMaxValueTag = vaUTF8String;

// Object records, lists and collections nested deeper than this are refused, so hostile
// input cannot exhaust the call stack.
constexpr int kMaxStreamDepth = 256;

// One stream builds at most this many items (list items, collection items and objects
// together); a stream claiming more is refused, so what a read builds stays bounded.
constexpr size_t kMaxStreamItems = size_t{1} << 20;

// Flags of the optional prefix byte (0xF0 | flags) of an object record.
enum TzuFilerFlag : uint8_t { ffInherited = 1, ffChildPos = 2, ffInline = 4 };

// True when data starts with the binary signature "TPF0".
bool HasStreamSignature(std::span<const uint8_t> data);

void DoubleToExtended(double value, uint8_t out[10]);
// Rounds to the nearest double (ties to even); values beyond the double range give
// infinities, tiny values denormals or zero.
double ExtendedToDouble(const uint8_t in[10]);

// Strict validity check: the stream refuses text that the lenient converters of utf.h
// would silently repair (IsValidUtf8 is in utf.h).
bool IsValidUtf16(std::u16string_view s);

// Reads the binary form; every read checks that the bytes are there first and raises
// EzuError ("Stream read error") otherwise.
class TzuByteReader {
public:
    explicit TzuByteReader(std::span<const uint8_t> data) : m_data(data) {}

    size_t Position() const { return m_pos; }
    size_t Remaining() const { return m_data.size() - m_pos; }
    bool AtEnd() const { return m_pos >= m_data.size(); }

    uint8_t ReadByte();
    uint8_t PeekByte() const;
    std::span<const uint8_t> Take(size_t count);
    // The bytes from begin to end, positions already read.
    std::span<const uint8_t> Span(size_t begin, size_t end) const {
        return m_data.subspan(begin, end - begin);
    }
    int16_t ReadInt16();
    int32_t ReadInt32();
    int64_t ReadInt64();
    float ReadSingle();
    double ReadDouble();
    double ReadExtended();
    // One length byte, then the bytes.
    std::string ReadShortString();
    // The same, as a view into the data being read.
    std::string_view ReadShortStringView();
    // A 4-byte length that must be non-negative and, times unitSize, fit in the rest.
    size_t ReadLength(size_t unitSize);
    std::u16string ReadUtf16(size_t count);
    // Reads the 4-byte signature and raises "Invalid stream format" on a mismatch.
    void ReadSignature();
    // Integer value with its tag (2, 3, 4 or 19); raises on any other tag.
    int64_t ReadIntegerValue();

    [[noreturn]] void Fail(std::string_view what) const;

private:
    std::span<const uint8_t> m_data;
    size_t m_pos = 0;
};

// Appends the binary form to a byte vector.
// The longest class name a binary stream can carry.
inline constexpr size_t kMaxClassNameLength = 239;

class TzuByteWriter {
public:
    explicit TzuByteWriter(std::vector<uint8_t>& out) : m_out(out) {}

    void WriteByte(uint8_t b) { m_out.push_back(b); }
    void WriteBytes(const void* data, size_t count);
    void WriteInt16(int16_t v);
    void WriteInt32(int32_t v);
    void WriteInt64(int64_t v);
    void WriteSingle(float v);
    void WriteDouble(double v);
    void WriteExtended(double v);
    // Writes at most 255 bytes: longer text is cut, as names are.
    void WriteShortString(std::string_view s);
    // A record's class name. Raises EzuError for names of kMaxClassNameLength bytes and
    // more: their length byte would read back as the record's flag prefix.
    void WriteClassName(std::string_view s);
    // Raises when the count does not fit the 4-byte length.
    void WriteLength(size_t count);
    void WriteSignature();
    // The smallest integer tag that holds v (2, 3, 4, or 19 outside 32 bits).
    void WriteIntegerValue(int64_t v);
    // Tag 11 with each name, then the empty name.
    void WriteSetValue(const std::vector<std::string>& names);
    void WriteUtf16(std::u16string_view s);

private:
    std::vector<uint8_t>& m_out;
};

}  // namespace zu
