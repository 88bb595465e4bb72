#pragma once
// Writes components in the binary component stream form: the class name, the name, the
// stored published properties (dotted paths into owned objects, class-defined properties
// after the published ones of the object that defines them) and the children the
// component enumerates, recursively. The writer owns nothing; it appends to a byte vector.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/component.h"
#include "platform/core/stream_format.h"

namespace zu {

class TzuStreamWriter {
public:
    explicit TzuStreamWriter(std::vector<uint8_t>& out) : m_out(out) {}

    // Appends the signature and root's record with all its children. Raises EzuError
    // when the tree is nested deeper than a reader would accept.
    void WriteRoot(TzuComponent* root);

private:
    void WriteComponent(TzuComponent* component, int depth);
    // prefix is the dotted path of owned objects above obj; it is restored on return.
    void WriteProperties(TzuPersistent* obj, std::string& prefix, int depth);
    struct Encoder;
    void WriteName(std::string_view prefix, std::string_view name);

    TzuByteWriter m_out;
    TzuComponent* m_root = nullptr;
};

// The encoding rules for text values, shared with other writers of stream values.
// Narrow (UTF-8 in memory) text: tag 6 or 12 when plain ASCII, else tag 20.
void WriteStringValue(TzuByteWriter& out, std::string_view utf8);
// Wide text: the narrow rule when its UTF-8 form is shorter than twice its length,
// else tag 18.
void WriteWideStringValue(TzuByteWriter& out, std::u16string_view text);
// Identifiers: False, True, Null and nil become their own tags, anything else tag 7.
void WriteIdentValue(TzuByteWriter& out, std::string_view ident);

}  // namespace zu
