#pragma once
// The display program's positional parameters, fetched one at a time when needed, and the
// runtime's integer conversion they go through. TzuParameters holds a copy of the command
// line; parameter 1 is the first one after the program's own path.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zu {

class TzuParameters {
public:
    TzuParameters() = default;
    // values[0] is parameter 1.
    explicit TzuParameters(std::vector<std::string> values) : m_values(std::move(values)) {}

    int Count() const { return static_cast<int>(m_values.size()); }
    // The text of parameter index (1-based); raises EzuError 'Parameter N"<index>" not
    // found!' when fewer parameters were given.
    const std::string& Fetch(int index) const;
    // The same, converted by StrToInt.
    int32_t FetchInt(int index) const;

private:
    std::vector<std::string> m_values;
};

// Optional leading blanks, an optional sign, then decimal digits, or hexadecimal digits
// after "$", "x" or "0x". Decimal must fit a signed 32-bit integer; hexadecimal may use
// all 32 bits (so "$FFFFFFFF" is -1). Nothing may follow the digits.
bool TryStrToInt(std::string_view text, int32_t& value);
// Raises EzuError "'<text>' is not a valid integer value" when TryStrToInt fails.
int32_t StrToInt(std::string_view text);

}  // namespace zu
