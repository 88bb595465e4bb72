#pragma once
// The display program's line log: plain text in the process locale's multibyte encoding,
// each line ended by CR LF. The file is opened, written and closed once per call, so
// nothing is held open between messages.

#include <span>
#include <string>
#include <string_view>

namespace zu {

// Appends each line and a CR LF to fileName, creating the file when it is missing. Only a
// regular file (or a symbolic link to one) is written; anything else raises EzuError
// "<fileName> is not a regular file" without blocking.
// Raises EzuError with the runtime's input/output text when opening, writing or closing
// fails; what was written before the failure stays.
void AppendLogLines(const std::string& fileName, std::span<const std::u16string> lines);

// UTF-16 text in the locale's multibyte encoding (LC_CTYPE). Characters the encoding
// cannot express, and unpaired surrogates, become "?". NUL characters are kept.
std::string WideToLocale(std::u16string_view text);

// The runtime's input/output error text for an errno value.
std::string IoErrorText(int error);

}  // namespace zu
