#include "platform/core/stream_text.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "platform/core/persistent.h"
#include "platform/core/stream_format.h"
#include "platform/core/utf.h"

namespace zu {

namespace {
constexpr size_t kCharsPerLine = 64;
constexpr size_t kBytesPerLine = 32;

bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }

// An identifier, or with dotted set, identifiers joined by single dots.
bool IsIdent(std::string_view s, bool dotted) {
    if (s.empty()) return false;
    bool atStart = true;
    for (char c : s) {
        if (atStart) {
            if (!IsIdentStart(c)) return false;
            atStart = false;
        } else if (c == '.' && dotted) {
            atStart = true;
        } else if (!IsIdentChar(c)) {
            return false;
        }
    }
    return !atStart;
}

std::string TidyExponent(std::string s) {
    const size_t e = s.find('e');
    if (e == std::string::npos) return s;
    std::string mant = s.substr(0, e);
    std::string exp = s.substr(e + 1);
    bool neg = false;
    if (!exp.empty() && (exp[0] == '+' || exp[0] == '-')) {
        neg = exp[0] == '-';
        exp.erase(0, 1);
    }
    while (exp.size() > 1 && exp[0] == '0') exp.erase(0, 1);
    return mant + "E" + (neg ? "-" : "") + exp;
}

std::string CurrencyText(int64_t v) {
    const bool neg = v < 0;
    const uint64_t u = neg ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
    // Appended piece by piece: GCC 12 at -O3 sees a false overlap in "-" + std::string.
    std::string out = neg ? "-" : "";
    out += std::to_string(u / 10000);
    uint64_t frac = u % 10000;
    if (frac) {
        std::string f = std::to_string(frac);
        f.insert(0, 4 - f.size(), '0');
        while (f.back() == '0') f.pop_back();
        out += "." + f;
    }
    return out;
}

// ---- Binary to text -----------------------------------------------------------------

class BinaryToText {
public:
    explicit BinaryToText(std::span<const uint8_t> data) : m_in(data) {}

    std::string Run() {
        m_in.ReadSignature();
        Object(0);
        return std::move(m_out);
    }

private:
    void NewLine(int level) {
        m_out += "\r\n";
        m_out.append(static_cast<size_t>(level) * 2, ' ');
    }
    void Indent(int level) { m_out.append(static_cast<size_t>(level) * 2, ' '); }

    [[noreturn]] void Error(const std::string& what) const {
        throw EzuError("Error reading " + m_object + "." + m_property + ": " + what);
    }
    std::string Ident(const std::string& s, bool dotted) const {
        if (!IsIdent(s, dotted)) Error("invalid identifier '" + s + "'");
        return s;
    }

    void Object(int level) {
        if (level >= kMaxStreamDepth) m_in.Fail("objects nested too deeply");
        unsigned flags = 0;
        int64_t pos = 0;
        if ((m_in.PeekByte() & 0xF0) == 0xF0) {
            flags = m_in.ReadByte() & 0x0F;
            if (flags & ffChildPos) pos = m_in.ReadIntegerValue();
        }
        const std::string className = m_in.ReadShortString();
        const std::string name = m_in.ReadShortString();
        m_object = name.empty() ? className : name;
        m_property.clear();
        Indent(level);
        m_out += (flags & ffInherited) ? "inherited " : (flags & ffInline) ? "inline " : "object ";
        if (!name.empty()) m_out += Ident(name, false) + ": ";
        m_out += Ident(className, false);
        if (flags & ffChildPos) m_out += " [" + std::to_string(pos) + "]";
        m_out += "\r\n";
        while (m_in.PeekByte() != 0) Property(level + 1);
        m_in.ReadByte();
        while (m_in.PeekByte() != 0) Object(level + 1);
        m_in.ReadByte();
        Indent(level);
        m_out += "end\r\n";
    }

    void Property(int level) {
        m_property = m_in.ReadShortString();
        Indent(level);
        m_out += Ident(m_property, true) + " = ";
        Value(level, 0);
        m_out += "\r\n";
    }

    void Value(int level, int depth) {
        if (depth >= kMaxStreamDepth) m_in.Fail("values nested too deeply");
        const uint8_t tag = m_in.ReadByte();
        switch (tag) {
            case vaNull: m_out += "Null"; break;
            case vaNil: m_out += "nil"; break;
            case vaFalse: m_out += "False"; break;
            case vaTrue: m_out += "True"; break;
            case vaList:
                m_out += "(";
                while (m_in.PeekByte() != 0) {
                    NewLine(level + 1);
                    Value(level + 1, depth + 1);
                }
                m_in.ReadByte();
                m_out += ")";
                break;
            case vaInt8: m_out += std::to_string(static_cast<int8_t>(m_in.ReadByte())); break;
            case vaInt16: m_out += std::to_string(m_in.ReadInt16()); break;
            case vaInt32: m_out += std::to_string(m_in.ReadInt32()); break;
            case vaInt64: m_out += std::to_string(m_in.ReadInt64()); break;
            case vaExtended: m_out += Finite(m_in.ReadExtended()); break;
            case vaSingle: {
                const float f = m_in.ReadSingle();
                if (!std::isfinite(f)) Error("the text form has no non-finite numbers");
                char buf[64];
                auto res = std::to_chars(buf, buf + sizeof buf, f);
                m_out += TidyExponent(std::string(buf, res.ptr)) + "s";
                break;
            }
            case vaCurrency: m_out += CurrencyText(m_in.ReadInt64()) + "c"; break;
            case vaDate: m_out += Finite(m_in.ReadDouble()) + "d"; break;
            case vaIdent: m_out += Ident(m_in.ReadShortString(), true); break;
            case vaString: String(Utf8ToUtf16(AnsiToUtf8(m_in.ReadShortString())), level); break;
            case vaLString: {
                auto bytes = m_in.Take(m_in.ReadLength(1));
                String(Utf8ToUtf16(AnsiToUtf8(std::string(bytes.begin(), bytes.end()))), level);
                break;
            }
            case vaUTF8String: {
                auto bytes = m_in.Take(m_in.ReadLength(1));
                std::string s(bytes.begin(), bytes.end());
                if (!IsValidUtf8(s)) Error("invalid UTF-8 text");
                String(Utf8ToUtf16(s), level);
                break;
            }
            case vaWString: String(m_in.ReadUtf16(m_in.ReadLength(2)), level); break;
            case vaBinary: {
                static const char kHex[] = "0123456789ABCDEF";
                auto bytes = m_in.Take(m_in.ReadLength(1));
                m_out += "{";
                for (size_t i = 0; i < bytes.size(); ++i) {
                    if (i % kBytesPerLine == 0) NewLine(level + 1);
                    m_out += kHex[bytes[i] >> 4];
                    m_out += kHex[bytes[i] & 15];
                }
                m_out += "}";
                break;
            }
            case vaSet: {
                m_out += "[";
                bool first = true;
                for (std::string n = m_in.ReadShortString(); !n.empty(); n = m_in.ReadShortString()) {
                    if (!first) m_out += ", ";
                    m_out += Ident(n, false);
                    first = false;
                }
                m_out += "]";
                break;
            }
            case vaCollection:
                m_out += "<";
                while (m_in.PeekByte() != 0) {
                    NewLine(level + 1);
                    m_out += "item";
                    const uint8_t t = m_in.PeekByte();
                    if (t == vaInt8 || t == vaInt16 || t == vaInt32) {
                        m_out += " [" + std::to_string(m_in.ReadIntegerValue()) + "]";
                    }
                    if (m_in.ReadByte() != vaList) m_in.Fail("collection item expected");
                    m_out += "\r\n";
                    while (m_in.PeekByte() != 0) {
                        const std::string name = m_in.ReadShortString();
                        Indent(level + 2);
                        m_out += Ident(name, true) + " = ";
                        Value(level + 2, depth + 1);
                        m_out += "\r\n";
                    }
                    m_in.ReadByte();
                    Indent(level + 1);
                    m_out += "end";
                }
                m_in.ReadByte();
                m_out += ">";
                break;
            default: Error("invalid value tag " + std::to_string(tag));
        }
    }

    std::string Finite(double d) const {
        if (!std::isfinite(d)) Error("the text form has no non-finite numbers");
        return StreamFloatText(d);
    }

    // Printable ASCII goes in quotes; everything else as #code, so the text stays ASCII
    // whatever the string holds. Long strings run 64 characters to a line.
    void String(std::u16string_view s, int level) {
        if (s.empty()) {
            m_out += "''";
            return;
        }
        const bool multiLine = s.size() > kCharsPerLine;
        if (multiLine) NewLine(level + 1);
        bool quoted = false;
        for (size_t i = 0; i < s.size(); ++i) {
            if (i > 0 && i % kCharsPerLine == 0) {
                if (quoted) m_out += '\'';
                quoted = false;
                m_out += " +";
                NewLine(level + 1);
            }
            const char16_t c = s[i];
            if (c >= 32 && c < 127 && c != '\'') {
                if (!quoted) m_out += '\'';
                quoted = true;
                m_out += static_cast<char>(c);
            } else {
                if (quoted) m_out += '\'';
                quoted = false;
                m_out += '#' + std::to_string(static_cast<unsigned>(c));
            }
        }
        if (quoted) m_out += '\'';
    }

    TzuByteReader m_in;
    std::string m_out;
    std::string m_object;
    std::string m_property;
};

// ---- Text to binary -----------------------------------------------------------------

class TextToBinary {
public:
    TextToBinary(std::string_view text, std::vector<uint8_t>& out) : m_text(text), m_out(out) {}

    void Run() {
        if (m_text.substr(0, 3) == "\xEF\xBB\xBF") m_pos = 3;
        m_out.WriteSignature();
        SkipSpace();
        Object(0);
        SkipSpace();
        if (m_pos < m_text.size()) Error("text after the end of the root object");
    }

private:
    [[noreturn]] void Error(const std::string& what) const {
        size_t line = 1;
        for (size_t i = 0; i < m_pos && i < m_text.size(); ++i) {
            if (m_text[i] == '\n') ++line;
        }
        throw EzuError("Syntax error at line " + std::to_string(line) + ": " + what);
    }

    char Peek() const { return m_pos < m_text.size() ? m_text[m_pos] : '\0'; }
    bool AtEnd() const { return m_pos >= m_text.size(); }

    void SkipSpace() {
        while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t' ||
                                         m_text[m_pos] == '\r' || m_text[m_pos] == '\n')) {
            ++m_pos;
        }
    }

    void Expect(char c) {
        SkipSpace();
        if (Peek() != c) Error(std::string("'") + c + "' expected");
        ++m_pos;
    }

    std::string Ident(bool dotted) {
        SkipSpace();
        const size_t start = m_pos;
        if (!IsIdentStart(Peek())) Error("identifier expected");
        while (!AtEnd()) {
            if (IsIdentChar(m_text[m_pos])) {
                ++m_pos;
            } else if (dotted && m_text[m_pos] == '.' && m_pos + 1 < m_text.size() &&
                       IsIdentStart(m_text[m_pos + 1])) {
                ++m_pos;
            } else {
                break;
            }
        }
        std::string s(m_text.substr(start, m_pos - start));
        if (s.size() > 255) Error("name longer than 255 characters");
        return s;
    }

    void Object(int depth) {
        if (depth >= kMaxStreamDepth) Error("objects nested too deeply");
        const std::string head = Ident(false);
        unsigned flags = 0;
        if (SameText(head, "inherited"))
            flags = ffInherited;
        else if (SameText(head, "inline"))
            flags = ffInline;
        else if (!SameText(head, "object"))
            Error("'object' expected");
        std::string name;
        std::string className = Ident(false);
        size_t classEnd = m_pos;
        SkipSpace();
        if (Peek() == ':') {
            ++m_pos;
            name = std::move(className);
            className = Ident(false);
            classEnd = m_pos;
            SkipSpace();
        }
        if (className.size() > kMaxClassNameLength) {
            m_pos = classEnd;  // the error names the class name's line
            Error("class name longer than " + std::to_string(kMaxClassNameLength) + " characters");
        }
        int64_t pos = 0;
        if (Peek() == '[') {
            ++m_pos;
            SkipSpace();
            pos = Integer();
            if (pos < std::numeric_limits<int32_t>::min() || pos > std::numeric_limits<int32_t>::max()) {
                Error("child position out of range");
            }
            Expect(']');
            flags |= ffChildPos;
        }
        if (flags) m_out.WriteByte(static_cast<uint8_t>(0xF0 | flags));
        if (flags & ffChildPos) m_out.WriteIntegerValue(pos);
        m_out.WriteClassName(className);
        m_out.WriteShortString(name);
        bool inChildren = false;
        for (;;) {
            SkipSpace();
            if (AtEnd()) Error("'end' expected");
            const size_t start = m_pos;
            const std::string word = Ident(true);
            SkipSpace();
            if (Peek() == '=') {
                if (inChildren) Error("property after child objects");
                ++m_pos;
                m_out.WriteShortString(word);
                Value(depth, false);
            } else if (SameText(word, "end")) {
                break;
            } else if (SameText(word, "object") || SameText(word, "inherited") || SameText(word, "inline")) {
                if (!inChildren) m_out.WriteByte(0);
                inChildren = true;
                m_pos = start;
                Object(depth + 1);
            } else {
                Error("'=' expected after " + word);
            }
        }
        if (!inChildren) m_out.WriteByte(0);
        m_out.WriteByte(0);
    }

    int64_t Integer() {
        SkipSpace();
        const size_t start = m_pos;
        if (Peek() == '-' || Peek() == '+') ++m_pos;
        while (Peek() >= '0' && Peek() <= '9') ++m_pos;
        std::string_view digits = m_text.substr(start, m_pos - start);
        if (!digits.empty() && digits[0] == '+') digits.remove_prefix(1);
        int64_t v = 0;
        auto res = std::from_chars(digits.data(), digits.data() + digits.size(), v);
        if (res.ec != std::errc() || res.ptr != digits.data() + digits.size()) Error("integer expected");
        return v;
    }

    void Value(int depth, bool inList) {
        if (depth >= kMaxStreamDepth) Error("values nested too deeply");
        SkipSpace();
        const char c = Peek();
        if (IsIdentStart(c)) {
            const std::string id = Ident(true);
            if (SameText(id, "False"))
                m_out.WriteByte(vaFalse);
            else if (SameText(id, "True"))
                m_out.WriteByte(vaTrue);
            else if (SameText(id, "nil"))
                m_out.WriteByte(vaNil);
            else if (SameText(id, "Null")) {
                // A zero byte would end the list early.
                if (inList) Error("Null cannot stand in a list");
                m_out.WriteByte(vaNull);
            } else {
                m_out.WriteByte(vaIdent);
                m_out.WriteShortString(id);
            }
        } else if ((c >= '0' && c <= '9') || c == '-' || c == '+') {
            Number();
        } else if (c == '$') {
            HexInteger();
        } else if (c == '\'' || c == '#') {
            String();
        } else if (c == '{') {
            Binary();
        } else if (c == '[') {
            Set();
        } else if (c == '(') {
            ++m_pos;
            m_out.WriteByte(vaList);
            for (;;) {
                SkipSpace();
                if (Peek() == ')') break;
                if (AtEnd()) Error("')' expected");
                Value(depth + 1, true);
            }
            ++m_pos;
            m_out.WriteByte(0);
        } else if (c == '<') {
            Collection(depth);
        } else {
            Error("value expected");
        }
    }

    void Number() {
        const size_t start = m_pos;
        if (Peek() == '-' || Peek() == '+') ++m_pos;
        bool isFloat = false, digits = false;
        while (Peek() >= '0' && Peek() <= '9') {
            ++m_pos;
            digits = true;
        }
        if (Peek() == '.') {
            isFloat = true;
            ++m_pos;
            while (Peek() >= '0' && Peek() <= '9') {
                ++m_pos;
                digits = true;
            }
        }
        if (!digits) Error("number expected");
        if (Peek() == 'e' || Peek() == 'E') {
            isFloat = true;
            ++m_pos;
            if (Peek() == '-' || Peek() == '+') ++m_pos;
            if (!(Peek() >= '0' && Peek() <= '9')) Error("exponent expected");
            while (Peek() >= '0' && Peek() <= '9') ++m_pos;
        }
        std::string_view text = m_text.substr(start, m_pos - start);
        if (!text.empty() && text[0] == '+') text.remove_prefix(1);
        char suffix = 0;
        const char s = static_cast<char>(Peek() | 0x20);
        if ((s == 's' || s == 'c' || s == 'd') &&
            !(m_pos + 1 < m_text.size() && IsIdentChar(m_text[m_pos + 1]))) {
            suffix = s;
            ++m_pos;
        }
        if (IsIdentChar(Peek())) Error("invalid number");
        if (suffix == 'c') {
            m_out.WriteByte(vaCurrency);
            m_out.WriteInt64(Currency(text));
        } else if (suffix == 's') {
            float f = 0;
            auto res = std::from_chars(text.data(), text.data() + text.size(), f);
            if (res.ec != std::errc() || res.ptr != text.data() + text.size()) Error("number out of range");
            m_out.WriteByte(vaSingle);
            m_out.WriteSingle(f);
        } else if (suffix == 'd' || isFloat) {
            double d = 0;
            auto res = std::from_chars(text.data(), text.data() + text.size(), d);
            if (res.ec != std::errc() || res.ptr != text.data() + text.size()) Error("number out of range");
            m_out.WriteByte(suffix == 'd' ? vaDate : vaExtended);
            if (suffix == 'd')
                m_out.WriteDouble(d);
            else
                m_out.WriteExtended(d);
        } else {
            int64_t v = 0;
            auto res = std::from_chars(text.data(), text.data() + text.size(), v);
            if (res.ec != std::errc() || res.ptr != text.data() + text.size()) Error("integer out of range");
            m_out.WriteIntegerValue(v);
        }
    }

    // Exact: a currency is a count of ten-thousandths, never rounded through a double.
    int64_t Currency(std::string_view text) {
        bool neg = false;
        if (!text.empty() && text[0] == '-') {
            neg = true;
            text.remove_prefix(1);
        }
        uint64_t v = 0;
        int fracDigits = -1;
        for (char ch : text) {
            if (ch == '.') {
                fracDigits = 0;
                continue;
            }
            if (ch < '0' || ch > '9') Error("invalid currency value");
            if (fracDigits >= 0 && ++fracDigits > 4) Error("currency with more than four decimals");
            if (v > (std::numeric_limits<uint64_t>::max() - 9) / 10) Error("currency out of range");
            v = v * 10 + static_cast<uint64_t>(ch - '0');
        }
        for (int k = fracDigits < 0 ? 0 : fracDigits; k < 4; ++k) {
            if (v > std::numeric_limits<uint64_t>::max() / 10) Error("currency out of range");
            v *= 10;
        }
        const uint64_t limit = neg ? uint64_t{1} << 63 : (uint64_t{1} << 63) - 1;
        if (v > limit) Error("currency out of range");
        return neg ? static_cast<int64_t>(0 - v) : static_cast<int64_t>(v);
    }

    void HexInteger() {
        ++m_pos;
        const size_t start = m_pos;
        while (std::isxdigit(static_cast<unsigned char>(Peek()))) ++m_pos;
        uint64_t v = 0;
        auto res = std::from_chars(m_text.data() + start, m_text.data() + m_pos, v, 16);
        if (res.ec != std::errc() || m_pos - start > 16 || IsIdentChar(Peek()))
            Error("invalid hexadecimal number");
        m_out.WriteIntegerValue(static_cast<int64_t>(v));
    }

    // Quoted runs and #codes, joined directly or across lines with '+'.
    void String() {
        std::u16string units;
        for (;;) {
            const char c = Peek();
            if (c == '\'') {
                ++m_pos;
                std::string run;
                for (;;) {
                    if (AtEnd() || Peek() == '\r' || Peek() == '\n') Error("unterminated string");
                    if (Peek() == '\'') {
                        if (m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '\'') {
                            run += '\'';
                            m_pos += 2;
                            continue;
                        }
                        ++m_pos;
                        break;
                    }
                    run += m_text[m_pos++];
                }
                if (!IsValidUtf8(run)) Error("invalid UTF-8 text in a string");
                units += Utf8ToUtf16(run);
            } else if (c == '#') {
                ++m_pos;
                const bool hex = Peek() == '$';
                if (hex) ++m_pos;
                const size_t start = m_pos;
                while (hex ? std::isxdigit(static_cast<unsigned char>(Peek())) != 0
                           : (Peek() >= '0' && Peek() <= '9')) {
                    ++m_pos;
                }
                unsigned code = 0;
                auto res = std::from_chars(m_text.data() + start, m_text.data() + m_pos, code, hex ? 16 : 10);
                if (res.ec != std::errc() || m_pos == start || code > 0xFFFF) Error("invalid character code");
                units += static_cast<char16_t>(code);
            } else {
                const size_t save = m_pos;
                SkipSpace();
                if (Peek() == '+') {
                    ++m_pos;
                    SkipSpace();
                    if (Peek() != '\'' && Peek() != '#') Error("string expected after '+'");
                    continue;
                }
                m_pos = save;
                break;
            }
        }
        // Text that fits the single-byte code page stays narrow; anything else is wide.
        std::string ansi;
        if (Utf8ToAnsi(Utf16ToUtf8(units), ansi) && IsValidUtf16(units) && !HasC1(units)) {
            if (ansi.size() < 256) {
                m_out.WriteByte(vaString);
                m_out.WriteShortString(ansi);
            } else {
                m_out.WriteByte(vaLString);
                m_out.WriteLength(ansi.size());
                m_out.WriteBytes(ansi.data(), ansi.size());
            }
        } else {
            m_out.WriteByte(vaWString);
            m_out.WriteLength(units.size());
            m_out.WriteUtf16(units);
        }
    }

    static bool HasC1(std::u16string_view s) {
        for (char16_t c : s) {
            if (c >= 0x80 && c < 0xA0) return true;
        }
        return false;
    }

    void Binary() {
        ++m_pos;
        std::vector<uint8_t> bytes;
        int high = -1;
        for (;;) {
            SkipSpace();
            const char c = Peek();
            if (c == '}') break;
            int nibble;
            if (c >= '0' && c <= '9')
                nibble = c - '0';
            else if (c >= 'A' && c <= 'F')
                nibble = c - 'A' + 10;
            else if (c >= 'a' && c <= 'f')
                nibble = c - 'a' + 10;
            else
                Error("'}' expected");
            ++m_pos;
            if (high < 0) {
                high = nibble;
            } else {
                bytes.push_back(static_cast<uint8_t>(high << 4 | nibble));
                high = -1;
            }
        }
        if (high >= 0) Error("odd number of hexadecimal digits");
        ++m_pos;
        m_out.WriteByte(vaBinary);
        m_out.WriteLength(bytes.size());
        m_out.WriteBytes(bytes.data(), bytes.size());
    }

    void Set() {
        ++m_pos;
        m_out.WriteByte(vaSet);
        SkipSpace();
        if (Peek() != ']') {
            for (;;) {
                m_out.WriteShortString(Ident(false));
                SkipSpace();
                if (Peek() == ']') break;
                Expect(',');
            }
        }
        ++m_pos;
        m_out.WriteByte(0);
    }

    void Collection(int depth) {
        ++m_pos;
        m_out.WriteByte(vaCollection);
        for (;;) {
            SkipSpace();
            if (Peek() == '>') break;
            if (!SameText(Ident(false), "item")) Error("'item' expected");
            SkipSpace();
            if (Peek() == '[') {
                ++m_pos;
                const int64_t index = Integer();
                if (index < std::numeric_limits<int32_t>::min() ||
                    index > std::numeric_limits<int32_t>::max()) {
                    Error("item index out of range");
                }
                Expect(']');
                m_out.WriteIntegerValue(index);
            }
            m_out.WriteByte(vaList);
            for (;;) {
                const std::string word = Ident(true);
                SkipSpace();
                if (Peek() != '=') {
                    if (SameText(word, "end")) break;
                    Error("'=' expected after " + word);
                }
                ++m_pos;
                m_out.WriteShortString(word);
                Value(depth + 1, false);
            }
            m_out.WriteByte(0);
        }
        ++m_pos;
        m_out.WriteByte(0);
    }

    std::string_view m_text;
    size_t m_pos = 0;
    TzuByteWriter m_out;
};
}  // namespace

std::string StreamFloatText(double value) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value);
    std::string s = TidyExponent(std::string(buf, res.ptr));
    if (s.find_first_of(".E") == std::string::npos) s += ".0";
    return s;
}

std::string ObjectBinaryToText(std::span<const uint8_t> binary) { return BinaryToText(binary).Run(); }

std::vector<uint8_t> ObjectTextToBinary(std::string_view text) {
    std::vector<uint8_t> out;
    TextToBinary(text, out).Run();
    return out;
}

}  // namespace zu
