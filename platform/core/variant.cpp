#include "platform/core/variant.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "platform/core/utf.h"

namespace zu {

namespace {
std::string NumberText(double d) {
    if (std::isfinite(d) && d == std::trunc(d) && std::fabs(d) < 9.2e18) {
        return std::to_string(static_cast<int64_t>(d));
    }
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, d);
    return std::string(buf, res.ptr);
}

bool ParseNumber(std::string_view s, double& out) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    if (s.empty()) return false;
    auto res = std::from_chars(s.data(), s.data() + s.size(), out);
    return res.ec == std::errc() && res.ptr == s.data() + s.size();
}
}  // namespace

std::string VariantToString(const TzuVariant& v) {
    switch (v.index()) {
        case 1: return std::get<bool>(v) ? "True" : "False";
        case 2: return std::to_string(std::get<int64_t>(v));
        case 3: return NumberText(std::get<double>(v));
        case 4: return std::get<std::string>(v);
        case 5: return Utf16ToUtf8(std::get<std::u16string>(v));
        default: return {};
    }
}

std::u16string VariantToWide(const TzuVariant& v) {
    if (auto* w = std::get_if<std::u16string>(&v)) return *w;
    return Utf8ToUtf16(VariantToString(v));
}

double VariantToDouble(const TzuVariant& v) {
    switch (v.index()) {
        case 1: return std::get<bool>(v) ? 1 : 0;
        case 2: return static_cast<double>(std::get<int64_t>(v));
        case 3: return std::get<double>(v);
        case 4:
        case 5: {
            double d = 0;
            return ParseNumber(VariantToString(v), d) ? d : 0;
        }
        default: return 0;
    }
}

int64_t VariantToInt(const TzuVariant& v) {
    double d = VariantToDouble(v);
    if (!std::isfinite(d)) return 0;
    if (d >= 9.2e18) return INT64_MAX;
    if (d <= -9.2e18) return INT64_MIN;
    return static_cast<int64_t>(std::llround(d));
}

bool VariantToBool(const TzuVariant& v) {
    switch (v.index()) {
        case 1: return std::get<bool>(v);
        case 4:
        case 5: {
            std::string s = VariantToString(v);
            if (s.size() == 4 && (s[0] | 32) == 't' && (s[1] | 32) == 'r' && (s[2] | 32) == 'u' &&
                (s[3] | 32) == 'e')
                return true;
            return VariantToDouble(v) != 0;
        }
        default: return VariantToDouble(v) != 0;
    }
}

}  // namespace zu
