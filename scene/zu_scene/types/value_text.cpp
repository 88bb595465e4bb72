#include "scene/zu_scene/types/value_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>

#include "platform/core/persistent.h"

namespace zu {
namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Checks the grammar ourselves: from_chars alone would accept "inf", "nan" and hex floats.
bool IsDecimalNumber(std::string_view s) {
    size_t i = 0, n = s.size();
    size_t digits = 0;
    while (i < n && IsDigit(s[i])) ++i, ++digits;
    if (i < n && s[i] == '.') {
        ++i;
        while (i < n && IsDigit(s[i])) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
        size_t expDigits = 0;
        while (i < n && IsDigit(s[i])) ++i, ++expDigits;
        if (expDigits == 0) return false;
    }
    return i == n;
}

// For a number from_chars found out of range: whether it is below 1 in magnitude
// (underflow) rather than above (overflow). s is a valid IsDecimalNumber text.
bool IsTiny(std::string_view s) {
    size_t e = s.find_first_of("eE");
    std::string_view mantissa = s.substr(0, e);
    int64_t exponent = 0;
    if (e != std::string_view::npos) {
        std::string_view digits = s.substr(e + 1);
        bool negative = !digits.empty() && digits[0] == '-';
        if (!digits.empty() && (digits[0] == '-' || digits[0] == '+')) digits.remove_prefix(1);
        for (char c : digits) exponent = std::min<int64_t>(exponent * 10 + (c - '0'), 1'000'000'000);
        if (negative) exponent = -exponent;
    }
    // Decimal position of the first significant digit.
    size_t point = mantissa.find('.');
    if (point == std::string_view::npos) point = mantissa.size();
    size_t first = mantissa.find_first_not_of("0.");
    if (first == std::string_view::npos) return true;
    int64_t magnitude = first < point ? int64_t(point - first) - 1 : -int64_t(first - point);
    return magnitude + exponent < 0;
}

bool ToSingle(std::string_view text, float& out) {
    double v;
    if (!TryTextToFloat(text, v) || std::fabs(v) > std::numeric_limits<float>::max()) return false;
    out = float(v);
    return true;
}

// NextToken without stops, on a view: points and rectangles are read for every object a
// stream loads, and their pieces need no copies.
std::string_view TakeToken(std::string_view& text, std::string_view delimiters) {
    size_t i = 0;
    size_t tokenEnd = text.size();
    for (; i < text.size(); ++i) {
        if (delimiters.find(text[i]) != std::string_view::npos) {
            tokenEnd = i++;
            break;
        }
    }
    const std::string_view token = Trimmed(text.substr(0, tokenEnd));
    text = Trimmed(text.substr(i));
    return token;
}

// Reads count numbers after the opening delimiter; false when any is unreadable.
bool ReadNumbers(std::string_view text, float* values, int count) {
    std::string_view rest = text;
    TakeToken(rest, ",()");
    for (int i = 0; i < count; ++i) {
        if (!ToSingle(TakeToken(rest, ",()"), values[i])) return false;
    }
    return true;
}

}  // namespace

std::string FloatToText(double x) {
    if (!std::isfinite(x)) return "0";
    char buf[400];  // the longest fixed form of a double is a little over 310 characters
    std::to_chars_result r;
    if (x != std::trunc(x)) {
        r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, 3);
    } else if (std::fabs(x) < 9.2e18) {
        r = std::to_chars(buf, buf + sizeof buf, static_cast<int64_t>(x));
    } else {
        r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, 0);
    }
    return std::string(buf, r.ptr);
}

bool TryTextToFloat(std::string_view text, double& value) {
    std::string_view s = Trimmed(text);
    bool negative = false;
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    if (!IsDecimalNumber(s)) return false;
    double v = 0;
    auto r = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range) {
        // Only underflow is harmless: a value too small to hold is zero.
        if (!IsTiny(s)) return false;
        v = 0;
    } else if (r.ec != std::errc() || r.ptr != s.data() + s.size() || !std::isfinite(v)) {
        return false;
    }
    value = negative ? -v : v;
    return true;
}

double TextToFloat(std::string_view text) {
    double v;
    if (!TryTextToFloat(text, v))
        throw EzuError("'" + std::string(text) + "' is not a valid floating point value");
    return v;
}

namespace {

// Built by appending to one string: GCC 12 at -O3 reports a false overlap inside
// "(" + std::string.
std::string ValueListText(std::initializer_list<float> values) {
    std::string out = "(";
    for (float v : values) {
        if (out.size() > 1) out += ',';
        out += FloatToText(v);
    }
    out += ')';
    return out;
}

}  // namespace

bool IsExactInText(float x) {
    return x == std::trunc(x) && std::fabs(x) <= 16777216.0f && !(x == 0 && std::signbit(x));
}

std::string PointToText(const TzuPoint& p) { return ValueListText({p.X, p.Y}); }

std::string RectToText(const TzuRect& r) { return ValueListText({r.Left, r.Top, r.Right, r.Bottom}); }

TzuPoint TextToPoint(std::string_view text) {
    float v[2];
    if (!ReadNumbers(text, v, 2)) return {};
    return TzuPoint{v[0], v[1]};
}

TzuRect TextToRect(std::string_view text) {
    float v[4];
    if (!ReadNumbers(text, v, 4)) return {};
    return TzuRect{v[0], v[1], v[2], v[3]};
}

std::string NextToken(std::string& text, std::string_view delimiters, std::string_view stops) {
    size_t i = 0;
    size_t tokenEnd = text.size();
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (stops.find(c) != std::string_view::npos) {
            tokenEnd = i;
            break;
        }
        if (delimiters.find(c) != std::string_view::npos) {
            tokenEnd = i++;
            break;
        }
    }
    std::string token(Trimmed(std::string_view(text).substr(0, tokenEnd)));
    text = std::string(Trimmed(std::string_view(text).substr(i)));
    return token;
}

}  // namespace zu
