#include "platform/core/stream_writer.h"

#include <algorithm>

#include "platform/core/property.h"
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

void TzuStreamWriter::WriteProperties(TzuPersistent* obj, std::string& prefix, int depth) {
    if (depth >= kMaxStreamDepth) throw EzuError("Stream write error: properties nested too deeply");
    // A derived class may publish a base property again with its own default; the list
    // holds only the entry a reader would find.
    for (const TzuStoredProp& p : obj->ClassType().StoredProperties()) WriteProperty(obj, p, prefix, depth);
}

void TzuStreamWriter::WriteProperty(TzuPersistent* obj, const TzuStoredProp& stored, std::string& prefix,
                                    int depth) {
    // IsPropStored's rule, with the value fetched once for both the default test and the
    // writing: most properties are visited only to find them at their defaults, and text
    // getters return copies.
    const TzuPropInfo& p = *stored.prop;
    const std::string_view name = stored.name;
    const TzuStoreRule rule = PropStoreRule(obj, p);
    if (rule == TzuStoreRule::Never) return;
    const bool always = rule == TzuStoreRule::Always;
    switch (p.kind) {
        case TzuPropKind::Integer: {
            const int64_t v = p.getOrd(obj);
            if (!always && p.hasDefault && v == p.defOrd) return;
            WriteName(prefix, name);
            m_out.WriteIntegerValue(v);
            break;
        }
        case TzuPropKind::Float: {
            const double v = p.getFloat(obj);
            if (!always && v == p.defFloat) return;
            WriteName(prefix, name);
            m_out.WriteByte(vaExtended);
            m_out.WriteExtended(v);
            break;
        }
        case TzuPropKind::Enum: {
            const int64_t v = p.getOrd(obj);
            if (!always && p.hasDefault && v == p.defOrd) return;
            WriteName(prefix, name);
            // A value without a name still reads back as its ordinal.
            if (v >= 0 && v < p.enumInfo->count)
                WriteIdentValue(m_out, p.enumInfo->names[v]);
            else
                m_out.WriteIntegerValue(v);
            break;
        }
        case TzuPropKind::Set: {
            const int64_t bits = p.getOrd(obj);
            if (!always && p.hasDefault && bits == p.defOrd) return;
            std::vector<std::string> names;
            for (int i = 0; i < p.enumInfo->count && i < 64; ++i) {
                if (bits & (int64_t{1} << i)) names.emplace_back(p.enumInfo->names[i]);
            }
            WriteName(prefix, name);
            m_out.WriteSetValue(names);
            break;
        }
        case TzuPropKind::String: {
            const std::string text = p.getStr(obj);
            if (!always && text.empty()) return;
            WriteName(prefix, name);
            WriteStringValue(m_out, text);
            break;
        }
        case TzuPropKind::WString: {
            const std::u16string text = p.getWStr(obj);
            if (!always && text.empty()) return;
            WriteName(prefix, name);
            WriteWideStringValue(m_out, text);
            break;
        }
        case TzuPropKind::Object:
            if (TzuPersistent* sub = p.getObj(obj)) {
                // One prefix buffer serves the whole descent into owned objects.
                const size_t length = prefix.size();
                prefix.append(name);
                prefix.push_back('.');
                WriteProperties(sub, prefix, depth + 1);
                prefix.resize(length);
            }
            break;
        case TzuPropKind::Reference: {
            // A component without a name cannot be found again by a reader.
            auto* ref = As<TzuComponent>(p.getObj(obj));
            if (!ref || ref->Name().empty()) break;
            WriteName(prefix, name);
            WriteIdentValue(m_out, ref->Name());
            break;
        }
        case TzuPropKind::Event: {
            const TzuEventBase* event = p.getEvent(obj);
            if (!always && !event->Method()) return;
            WriteName(prefix, name);
            WriteIdentValue(m_out, event->MethodName());
            break;
        }
        case TzuPropKind::Defined: {
            const TzuStreamValue v = p.writeValue(obj);
            if (std::holds_alternative<std::monostate>(v)) break;
            WriteName(prefix, name);
            WriteValue(m_out, v);
            break;
        }
        case TzuPropKind::Collection: {
            TzuCollection* coll = p.getCollection(obj);
            if (!always && coll->Count() <= 0) return;
            WriteName(prefix, name);
            m_out.WriteByte(vaCollection);
            for (int i = 0; i < coll->Count(); ++i) {
                m_out.WriteByte(vaList);
                std::string itemPrefix;
                if (TzuPersistent* item = coll->Item(i)) WriteProperties(item, itemPrefix, depth + 1);
                m_out.WriteByte(0);
            }
            m_out.WriteByte(0);
            break;
        }
    }
}

}  // namespace zu
