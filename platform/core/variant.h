#pragma once
// TzuVariant is the generic data value exchanged by GetData/SetData and bindings, and
// TzuStreamValue the value of a class-defined stream property ("Rect", "PNG", "strings").

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace zu {

using TzuVariant = std::variant<std::monostate, bool, int64_t, double, std::string, std::u16string>;

// Conversions used wherever a data value is read as a particular kind; a value of
// another kind is converted the way the text and number forms allow, never raising.
std::string VariantToString(const TzuVariant& v);
std::u16string VariantToWide(const TzuVariant& v);
double VariantToDouble(const TzuVariant& v);
int64_t VariantToInt(const TzuVariant& v);
bool VariantToBool(const TzuVariant& v);
inline bool VariantIsEmpty(const TzuVariant& v) { return std::holds_alternative<std::monostate>(v); }

using TzuBytes = std::vector<uint8_t>;
using TzuStreamValue = std::variant<std::monostate, bool, std::string, TzuBytes, std::vector<std::u16string>>;

}  // namespace zu
