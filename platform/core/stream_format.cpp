#include "platform/core/stream_format.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

#include "platform/core/persistent.h"

namespace zu {

namespace {
constexpr uint8_t kSignature[4] = {'T', 'P', 'F', '0'};
constexpr uint64_t kTopBit = uint64_t{1} << 63;
}  // namespace

bool HasStreamSignature(std::span<const uint8_t> data) {
    return data.size() >= 4 && std::memcmp(data.data(), kSignature, 4) == 0;
}

void DoubleToExtended(double value, uint8_t out[10]) {
    uint64_t bits;
    std::memcpy(&bits, &value, 8);
    const unsigned sign = static_cast<unsigned>(bits >> 63);
    const unsigned exp = static_cast<unsigned>((bits >> 52) & 0x7FF);
    const uint64_t frac = bits & ((uint64_t{1} << 52) - 1);
    unsigned e80 = 0;
    uint64_t mant = 0;
    if (exp == 0x7FF) {
        e80 = 0x7FFF;
        mant = frac == 0 ? kTopBit : kTopBit | (uint64_t{1} << 62) | (frac << 11);
    } else if (exp == 0) {
        if (frac != 0) {
            // A denormal double is a normal extended: move its leading bit to the top.
            const int shift = std::countl_zero(frac);
            mant = frac << shift;
            e80 = static_cast<unsigned>(15372 - shift);
        }
    } else {
        e80 = exp - 1023 + 16383;
        mant = kTopBit | (frac << 11);
    }
    for (int i = 0; i < 8; ++i) out[i] = static_cast<uint8_t>(mant >> (8 * i));
    const unsigned se = (sign << 15) | e80;
    out[8] = static_cast<uint8_t>(se);
    out[9] = static_cast<uint8_t>(se >> 8);
}

double ExtendedToDouble(const uint8_t in[10]) {
    uint64_t mant = 0;
    for (int i = 0; i < 8; ++i) mant |= uint64_t{in[i]} << (8 * i);
    const unsigned se = in[8] | (unsigned{in[9]} << 8);
    const bool negative = se & 0x8000;
    const int e = static_cast<int>(se & 0x7FFF);
    const double sign = negative ? -1.0 : 1.0;
    if (e == 0x7FFF) {
        if ((mant << 1) == 0) return sign * std::numeric_limits<double>::infinity();
        return std::copysign(std::numeric_limits<double>::quiet_NaN(), sign);
    }
    if (mant == 0) return sign * 0.0;
    // value = mant * 2^exp2; exponent 0 (denormal) shares the smallest exponent.
    int exp2 = (e == 0 ? 1 : e) - 16383 - 63;
    const int lead = std::countl_zero(mant);
    mant <<= lead;
    exp2 -= lead;
    const int top = exp2 + 63;  // exponent of the leading bit
    if (top > 1023) return sign * std::numeric_limits<double>::infinity();
    // Keep 53 bits, fewer when the result is a double denormal, and round once.
    const int keep = top >= -1022 ? 53 : 53 - (-1022 - top);
    const int shift = 64 - keep;
    if (shift > 64) return sign * 0.0;
    uint64_t kept = shift == 64 ? 0 : mant >> shift;
    const uint64_t rest = shift == 64 ? mant : mant & ((uint64_t{1} << shift) - 1);
    const uint64_t half = uint64_t{1} << (shift - 1);
    if (rest > half || (rest == half && (kept & 1))) ++kept;
    return sign * std::ldexp(static_cast<double>(kept), exp2 + shift);
}

bool IsValidUtf16(std::u16string_view s) {
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] >= 0xD800 && s[i] <= 0xDBFF) {
            if (i + 1 >= s.size() || s[i + 1] < 0xDC00 || s[i + 1] > 0xDFFF) return false;
            ++i;
        } else if (s[i] >= 0xDC00 && s[i] <= 0xDFFF) {
            return false;
        }
    }
    return true;
}

// ---- TzuByteReader ------------------------------------------------------------------

void TzuByteReader::Fail(std::string_view what) const {
    throw EzuError("Stream read error: " + std::string(what) + " at offset " + std::to_string(m_pos));
}

uint8_t TzuByteReader::ReadByte() {
    if (AtEnd()) Fail("unexpected end of stream");
    return m_data[m_pos++];
}

uint8_t TzuByteReader::PeekByte() const {
    if (AtEnd()) Fail("unexpected end of stream");
    return m_data[m_pos];
}

std::span<const uint8_t> TzuByteReader::Take(size_t count) {
    if (count > Remaining()) Fail("unexpected end of stream");
    auto out = m_data.subspan(m_pos, count);
    m_pos += count;
    return out;
}

namespace {
template <class T>
T ReadLE(std::span<const uint8_t> b) {
    uint64_t v = 0;
    for (size_t i = 0; i < sizeof(T); ++i) v |= uint64_t{b[i]} << (8 * i);
    return static_cast<T>(v);
}
}  // namespace

int16_t TzuByteReader::ReadInt16() { return ReadLE<int16_t>(Take(2)); }
int32_t TzuByteReader::ReadInt32() { return ReadLE<int32_t>(Take(4)); }
int64_t TzuByteReader::ReadInt64() { return ReadLE<int64_t>(Take(8)); }

float TzuByteReader::ReadSingle() {
    const uint32_t bits = ReadLE<uint32_t>(Take(4));
    float f;
    std::memcpy(&f, &bits, 4);
    return f;
}

double TzuByteReader::ReadDouble() {
    const uint64_t bits = ReadLE<uint64_t>(Take(8));
    double d;
    std::memcpy(&d, &bits, 8);
    return d;
}

double TzuByteReader::ReadExtended() { return ExtendedToDouble(Take(10).data()); }

std::string TzuByteReader::ReadShortString() { return std::string(ReadShortStringView()); }

std::string_view TzuByteReader::ReadShortStringView() {
    const size_t len = ReadByte();
    auto bytes = Take(len);
    return std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

size_t TzuByteReader::ReadLength(size_t unitSize) {
    const int32_t len = ReadInt32();
    if (len < 0) Fail("negative length");
    if (static_cast<uint64_t>(len) * unitSize > Remaining()) Fail("length beyond the end of stream");
    return static_cast<size_t>(len);
}

std::u16string TzuByteReader::ReadUtf16(size_t count) {
    auto bytes = Take(count * 2);
    std::u16string out(count, u'\0');
    for (size_t i = 0; i < count; ++i) out[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    return out;
}

void TzuByteReader::ReadSignature() {
    if (Remaining() < 4 || !HasStreamSignature(m_data.subspan(m_pos)))
        throw EzuError("Invalid stream format");
    m_pos += 4;
}

int64_t TzuByteReader::ReadIntegerValue() {
    switch (ReadByte()) {
        case vaInt8: return static_cast<int8_t>(ReadByte());
        case vaInt16: return ReadInt16();
        case vaInt32: return ReadInt32();
        case vaInt64: return ReadInt64();
        default: Fail("integer expected");
    }
}

// ---- TzuByteWriter ------------------------------------------------------------------

void TzuByteWriter::WriteBytes(const void* data, size_t count) {
    if (count == 0) return;
    const size_t at = m_out.size();
    m_out.resize(at + count);
    std::memcpy(m_out.data() + at, data, count);
}

namespace {
template <class T>
void WriteLE(std::vector<uint8_t>& out, T value) {
    auto v = static_cast<uint64_t>(value);
    for (size_t i = 0; i < sizeof(T); ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
}  // namespace

void TzuByteWriter::WriteInt16(int16_t v) { WriteLE(m_out, static_cast<uint16_t>(v)); }
void TzuByteWriter::WriteInt32(int32_t v) { WriteLE(m_out, static_cast<uint32_t>(v)); }
void TzuByteWriter::WriteInt64(int64_t v) { WriteLE(m_out, static_cast<uint64_t>(v)); }

void TzuByteWriter::WriteSingle(float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    WriteLE(m_out, bits);
}

void TzuByteWriter::WriteDouble(double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, 8);
    WriteLE(m_out, bits);
}

void TzuByteWriter::WriteExtended(double v) {
    uint8_t buf[10];
    DoubleToExtended(v, buf);
    WriteBytes(buf, 10);
}

void TzuByteWriter::WriteShortString(std::string_view s) {
    const size_t len = s.size() > 255 ? 255 : s.size();
    WriteByte(static_cast<uint8_t>(len));
    WriteBytes(s.data(), len);
}

void TzuByteWriter::WriteClassName(std::string_view s) {
    if (s.size() > kMaxClassNameLength) {
        throw EzuError("Stream write error: class name of " + std::to_string(s.size()) + " bytes; at most " +
                       std::to_string(kMaxClassNameLength) + " fit a binary stream");
    }
    WriteShortString(s);
}

void TzuByteWriter::WriteLength(size_t count) {
    if (count > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
        throw EzuError("Stream write error: value too long");
    WriteInt32(static_cast<int32_t>(count));
}

void TzuByteWriter::WriteSignature() { WriteBytes(kSignature, 4); }

void TzuByteWriter::WriteIntegerValue(int64_t v) {
    if (v >= -128 && v <= 127) {
        WriteByte(vaInt8);
        WriteByte(static_cast<uint8_t>(static_cast<int8_t>(v)));
    } else if (v >= -32768 && v <= 32767) {
        WriteByte(vaInt16);
        WriteInt16(static_cast<int16_t>(v));
    } else if (v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max()) {
        WriteByte(vaInt32);
        WriteInt32(static_cast<int32_t>(v));
    } else {
        WriteByte(vaInt64);
        WriteInt64(v);
    }
}

void TzuByteWriter::WriteSetValue(const std::vector<std::string>& names) {
    WriteByte(vaSet);
    for (const auto& n : names) {
        if (!n.empty()) WriteShortString(n);
    }
    WriteByte(0);
}

void TzuByteWriter::WriteUtf16(std::u16string_view s) {
    for (char16_t c : s) WriteLE(m_out, static_cast<uint16_t>(c));
}

}  // namespace zu
