#include "platform/core/stream_writer.h"

#include <algorithm>

#include "platform/core/property.h"
#include "platform/core/stored_values.h"
#include "platform/core/utf.h"

namespace zu {

namespace {
bool IsAscii(std::string_view s) {
    for (char c : s) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

// Lone surrogates and broken sequences would make the stream unreadable; they are
// written as U+FFFD instead.
std::string CleanUtf8(std::string_view s) {
    return IsValidUtf8(s) ? std::string(s) : Utf16ToUtf8(Utf8ToUtf16(s));
}

void WriteValue(TzuByteWriter& out, const TzuStreamValue& value) {
    if (auto* b = std::get_if<bool>(&value)) {
        out.WriteByte(*b ? vaTrue : vaFalse);
    } else if (auto* s = std::get_if<std::string>(&value)) {
        WriteStringValue(out, *s);
    } else if (auto* bytes = std::get_if<TzuBytes>(&value)) {
        out.WriteByte(vaBinary);
        out.WriteLength(bytes->size());
        out.WriteBytes(bytes->data(), bytes->size());
    } else if (auto* lines = std::get_if<std::vector<std::u16string>>(&value)) {
        out.WriteByte(vaList);
        for (const auto& line : *lines) WriteWideStringValue(out, line);
        out.WriteByte(0);
    }
}
}  // namespace

void WriteStringValue(TzuByteWriter& out, std::string_view utf8) {
    if (!IsAscii(utf8)) {
        // Non-ASCII text keeps every character as UTF-8 instead of passing through a
        // single-byte code page.
        const std::string clean = CleanUtf8(utf8);
        out.WriteByte(vaUTF8String);
        out.WriteLength(clean.size());
        out.WriteBytes(clean.data(), clean.size());
    } else if (utf8.size() < 256) {
        out.WriteByte(vaString);
        out.WriteShortString(utf8);
    } else {
        out.WriteByte(vaLString);
        out.WriteLength(utf8.size());
        out.WriteBytes(utf8.data(), utf8.size());
    }
}

void WriteWideStringValue(TzuByteWriter& out, std::u16string_view text) {
    const std::string utf8 = Utf16ToUtf8(text);
    if (utf8.size() < 2 * text.size() || text.empty()) {
        WriteStringValue(out, utf8);
        return;
    }
    out.WriteByte(vaWString);
    if (IsValidUtf16(text)) {
        out.WriteLength(text.size());
        out.WriteUtf16(text);
    } else {
        const std::u16string clean = Utf8ToUtf16(utf8);
        out.WriteLength(clean.size());
        out.WriteUtf16(clean);
    }
}

void WriteIdentValue(TzuByteWriter& out, std::string_view ident) {
    if (SameText(ident, "False"))
        out.WriteByte(vaFalse);
    else if (SameText(ident, "True"))
        out.WriteByte(vaTrue);
    else if (SameText(ident, "Null"))
        out.WriteByte(vaNull);
    else if (SameText(ident, "nil"))
        out.WriteByte(vaNil);
    else {
        out.WriteByte(vaIdent);
        out.WriteShortString(ident);
    }
}

void TzuStreamWriter::WriteRoot(TzuComponent* root) {
    m_root = root;
    m_out.WriteSignature();
    WriteComponent(root, 0);
}

void TzuStreamWriter::WriteComponent(TzuComponent* component, int depth) {
    if (depth >= kMaxStreamDepth) throw EzuError("Stream write error: objects nested too deeply");
    m_out.WriteClassName(component->ClassName());
    m_out.WriteShortString(component->Name());
    std::string prefix;
    WriteProperties(component, prefix, depth);
    m_out.WriteByte(0);
    component->GetChildren([&](TzuComponent* child) { WriteComponent(child, depth + 1); }, m_root);
    m_out.WriteByte(0);
}

void TzuStreamWriter::WriteName(std::string_view prefix, std::string_view name) {
    if (prefix.empty()) {
        m_out.WriteShortString(name);  // cut to 255 bytes
        return;
    }
    const size_t len = std::min<size_t>(prefix.size() + name.size(), 255);
    m_out.WriteByte(static_cast<uint8_t>(len));
    const size_t head = std::min(prefix.size(), len);
    m_out.WriteBytes(prefix.data(), head);
    m_out.WriteBytes(name.data(), len - head);
}

// Encodes what ForEachStoredValue finds; owned objects and collection items are walked in
// turn, one prefix buffer serving the whole descent.
struct TzuStreamWriter::Encoder {
    TzuStreamWriter& w;
    std::string& prefix;
    int depth;

    void Name(std::string_view name) { w.WriteName(prefix, name); }
    bool CopyValue(TzuPersistent*, const TzuStoredProp&) { return false; }
    void Ordinal(TzuPersistent*, const TzuStoredProp& s, int64_t v) {
        const TzuPropInfo& p = *s.prop;
        Name(s.name);
        if (p.kind == TzuPropKind::Integer) {
            w.m_out.WriteIntegerValue(v);
        } else if (p.kind == TzuPropKind::Enum) {
            // A value without a name still reads back as its ordinal.
            if (v >= 0 && v < p.enumInfo->count)
                WriteIdentValue(w.m_out, p.enumInfo->names[v]);
            else
                w.m_out.WriteIntegerValue(v);
        } else {
            std::vector<std::string> names;
            for (int i = 0; i < p.enumInfo->count && i < 64; ++i) {
                if (v & (int64_t{1} << i)) names.emplace_back(p.enumInfo->names[i]);
            }
            w.m_out.WriteSetValue(names);
        }
    }
    void Float(TzuPersistent*, const TzuStoredProp& s, double v) {
        Name(s.name);
        w.m_out.WriteByte(vaExtended);
        w.m_out.WriteExtended(v);
    }
    void String(TzuPersistent*, const TzuStoredProp& s, const std::string& text) {
        Name(s.name);
        WriteStringValue(w.m_out, text);
    }
    void WString(TzuPersistent*, const TzuStoredProp& s, const std::u16string& text) {
        Name(s.name);
        WriteWideStringValue(w.m_out, text);
    }
    void Object(TzuPersistent*, const TzuStoredProp& s, TzuPersistent* sub) {
        const size_t length = prefix.size();
        prefix.append(s.name);
        prefix.push_back('.');
        w.WriteProperties(sub, prefix, depth + 1);
        prefix.resize(length);
    }
    void Reference(TzuPersistent*, const TzuStoredProp& s, const TzuComponent& ref) {
        Name(s.name);
        WriteIdentValue(w.m_out, ref.Name());
    }
    void Event(TzuPersistent*, const TzuStoredProp& s, const TzuEventBase& event) {
        Name(s.name);
        WriteIdentValue(w.m_out, event.MethodName());
    }
    void Defined(TzuPersistent*, const TzuStoredProp& s, const TzuStreamValue& v) {
        Name(s.name);
        WriteValue(w.m_out, v);
    }
    void Collection(TzuPersistent*, const TzuStoredProp& s, TzuCollection& coll) {
        Name(s.name);
        w.m_out.WriteByte(vaCollection);
        for (int i = 0; i < coll.Count(); ++i) {
            w.m_out.WriteByte(vaList);
            std::string itemPrefix;
            if (TzuPersistent* item = coll.Item(i)) w.WriteProperties(item, itemPrefix, depth + 1);
            w.m_out.WriteByte(0);
        }
        w.m_out.WriteByte(0);
    }
};

void TzuStreamWriter::WriteProperties(TzuPersistent* obj, std::string& prefix, int depth) {
    if (depth >= kMaxStreamDepth) throw EzuError("Stream write error: properties nested too deeply");
    Encoder encoder{*this, prefix, depth};
    ForEachStoredValue(obj, encoder);
}

}  // namespace zu
