// Copying a component tree through the reader's own steps, with the values taken straight
// from the source instead of from bytes: each value is given the form a stream would
// give it back in, so the copy is the one a write and a read would make.

#include <new>

#include "platform/core/class_registry.h"
#include "platform/core/stored_values.h"
#include "platform/core/stream_reader.h"
#include "platform/core/utf.h"

namespace zu {

namespace {

// Leaves a copy that meets something only the bytes carry faithfully.
struct NotDirect {};

// What reads back from a stream's identifier: these four are written as tags of their
// own and come back as other values.
bool IsTagIdent(std::string_view ident) {
    return SameText(ident, "False") || SameText(ident, "True") || SameText(ident, "Null") ||
           SameText(ident, "nil");
}

// Names longer than a short string are cut by the writer.
void CheckName(std::string_view name) {
    if (name.size() > 255) throw NotDirect{};
}

bool IsAscii(std::string_view s) {
    for (char c : s) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

// Text as it reads back: broken sequences become U+FFFD.
std::string StreamedText(std::string&& text) {
    if (IsAscii(text) || IsValidUtf8(text)) return std::move(text);
    return Utf16ToUtf8(Utf8ToUtf16(text));
}

std::u16string StreamedText(std::u16string&& text) {
    if (IsValidUtf16(text)) return std::move(text);
    return Utf8ToUtf16(Utf16ToUtf8(text));
}

}  // namespace

// Applies what ForEachStoredValue finds on one source object to its copy. Owned objects
// are followed by path from the copy's object for every value, as a reader resolves each
// dotted name: a setter may change what an owned object is.
struct TzuStreamReader::Copier {
    TzuStreamReader& r;
    TzuPersistent* base;  // the copy's component or collection item
    int depth;
    size_t from = r.m_copyPath.size();  // this copier's steps in the reader's path
    size_t prefixLength = 0;

    std::span<const CopyStep> Path() const { return std::span(r.m_copyPath).subspan(from); }

    // The copy's object the next value goes to; null when the path leads nowhere there.
    TzuPersistent* Target(const TzuPersistent* src, const TzuStoredProp& s) const {
        CheckName(std::string_view(s.name.data(), prefixLength + s.name.size()));
        TzuPersistent* t = base;
        for (const CopyStep& step : Path()) {
            // A reader finds names in the copy's classes; a copy holds while they agree.
            if (&t->ClassType() != step.cls) throw NotDirect{};
            if (!(t = step.prop->getObj(t))) return nullptr;
        }
        if (&t->ClassType() != &src->ClassType()) throw NotDirect{};
        return t;
    }

    std::string PathOf(const TzuStoredProp& s) const {
        std::string text;
        for (const CopyStep& step : Path()) text.append(step.prop->name).push_back('.');
        return text.append(s.name);
    }

    // Runs set(target) on the copy's object, reporting a refusal as a reader reports it.
    template <class F>
    void Set(const TzuPersistent* src, const TzuStoredProp& s, F&& set) {
        std::string error;
        try {
            if (TzuPersistent* t = Target(src, s))
                error = set(t);
            else
                error = "property does not exist";
        } catch (const std::bad_alloc&) {
            throw;
        } catch (const std::exception& e) {
            error = e.what();
        }
        if (!error.empty()) r.ValueError(base, PathOf(s), error);
    }

    bool CopyValue(TzuPersistent* src, const TzuStoredProp& s) {
        bool copied = true;  // a value that cannot be set is reported, not written again
        Set(src, s, [&](TzuPersistent* t) -> std::string {
            copied = s.prop->copyValue(src, t);
            return {};
        });
        return copied;
    }
    void Ordinal(TzuPersistent* src, const TzuStoredProp& s, int64_t v) {
        const TzuPropInfo& p = *s.prop;
        if (p.kind == TzuPropKind::Enum && v >= 0 && v < p.enumInfo->count) {
            const std::string_view name = p.enumInfo->names[v];
            if (p.enumInfo != &kBooleanEnum) {
                if (IsTagIdent(name)) throw NotDirect{};
                v = p.enumInfo->ValueOf(name);
            }
        } else if (p.kind == TzuPropKind::Set) {
            int64_t bits = 0;
            for (int i = 0; i < p.enumInfo->count && i < 64; ++i) {
                if (!(v & (int64_t{1} << i)) || !*p.enumInfo->names[i]) continue;
                const int n = p.enumInfo->ValueOf(p.enumInfo->names[i]);
                if (n < 0 || n >= 64) throw NotDirect{};
                bits |= int64_t{1} << n;
            }
            v = bits;
        }
        Set(src, s, [&](TzuPersistent* t) -> std::string {
            if (p.kind == TzuPropKind::Enum && (v < 0 || v >= p.enumInfo->count)) return "value out of range";
            p.setOrd(t, v);
            return {};
        });
    }
    void Float(TzuPersistent* src, const TzuStoredProp& s, double v) {
        Set(src, s, [&](TzuPersistent* t) -> std::string {
            if (!s.prop->FloatFits(v)) return "invalid floating point value";
            s.prop->setFloat(t, v);
            return {};
        });
    }
    void String(TzuPersistent* src, const TzuStoredProp& s, std::string&& text) {
        const std::string value = StreamedText(std::move(text));
        Set(src, s, [&](TzuPersistent* t) -> std::string {
            s.prop->setStr(t, value);
            return {};
        });
    }
    void WString(TzuPersistent* src, const TzuStoredProp& s, std::u16string&& text) {
        const std::u16string value = StreamedText(std::move(text));
        Set(src, s, [&](TzuPersistent* t) -> std::string {
            s.prop->setWStr(t, value);
            return {};
        });
    }
    void Object(TzuPersistent* src, const TzuStoredProp& s, TzuPersistent* sub) {
        if (depth + 1 >= kMaxStreamDepth) throw EzuError("Stream write error: properties nested too deeply");
        r.m_copyPath.push_back(CopyStep{s.prop, &src->ClassType()});
        prefixLength += s.name.size() + 1;
        ++depth;
        ForEachStoredValue(sub, *this);
        --depth;
        prefixLength -= s.name.size() + 1;
        r.m_copyPath.pop_back();
    }
    void Reference(TzuPersistent* src, const TzuStoredProp& s, const TzuComponent& ref) {
        const std::string& name = ref.Name();
        CheckName(name);
        if (IsTagIdent(name)) throw NotDirect{};
        Set(src, s, [&](TzuPersistent* t) -> std::string {
            r.AddFixup(t, *s.prop, name);
            return {};
        });
    }
    void Event(TzuPersistent* src, const TzuStoredProp& s, const TzuEventBase& event) {
        const std::string_view method = event.MethodName();
        CheckName(method);
        if (IsTagIdent(method)) throw NotDirect{};
        Set(src, s, [&](TzuPersistent* t) { return r.BindEvent(*s.prop->getEvent(t), method); });
    }
    void Defined(TzuPersistent* src, const TzuStoredProp& s, TzuStreamValue&& v) {
        if (auto* text = std::get_if<std::string>(&v)) {
            v = StreamedText(std::move(*text));
        } else if (auto* lines = std::get_if<std::vector<std::u16string>>(&v)) {
            for (std::u16string& line : *lines) {
                r.CountItem();
                line = StreamedText(std::move(line));
            }
        }
        Set(src, s, [&](TzuPersistent* t) -> std::string {
            s.prop->readValue(t, v);
            return {};
        });
    }
    void Collection(TzuPersistent* src, const TzuStoredProp& s, TzuCollection& source) {
        Set(src, s, [&](TzuPersistent* t) -> std::string {
            r.FillCollection(s.prop->getCollection(t), static_cast<size_t>(source.Count()),
                             [&](size_t i, TzuPersistent* item) {
                                 r.CountItem();
                                 TzuPersistent* from = source.Item(static_cast<int>(i));
                                 if (!from) return;
                                 if (depth + 1 >= kMaxStreamDepth)
                                     throw EzuError("Stream write error: properties nested too deeply");
                                 if (&item->ClassType() != &from->ClassType()) throw NotDirect{};
                                 Copier copier{r, item, depth + 1};
                                 ForEachStoredValue(from, copier);
                             });
            return {};
        });
    }
};

bool TzuStreamReader::CopyRootInto(TzuComponent* root, TzuComponent* source) {
    m_root = root;
    m_source = source;
    try {
        CheckName(source->Name());
        if (&root->ClassType() != &source->ClassType()) throw NotDirect{};
        m_copyPath.reserve(8);
        StartRoot(source->Name());
        Copier copier{*this, root, 0};
        ForEachStoredValue(source, copier);
        source->GetChildren([&](TzuComponent* child) { CopyChild(child, root, 1); }, source);
        Finish();
        return true;
    } catch (const NotDirect&) {
        Rollback();
        return false;
    } catch (...) {
        Rollback();
        throw;
    }
}

void TzuStreamReader::CopyChild(TzuComponent* source, TzuComponent* parent, int depth) {
    if (depth >= kMaxStreamDepth) throw EzuError("Stream write error: objects nested too deeply");
    // The class a reader would find by the source's class name.
    const TzuClass* cls = &source->ClassType();
    if (!IsRegisteredClass(*cls)) {
        cls = FindClass(source->ClassName());
        if (cls) throw NotDirect{};
    }
    if (!cls || !cls->create || !cls->InheritsFrom(TzuComponent::StaticClass())) {
        if (!cls && m_options.onUnknownClass && m_options.onUnknownClass(source->ClassName())) return;
        throw EzuError("Class " + std::string(source->ClassName()) + " not found");
    }
    CheckName(source->Name());
    TzuComponent* child = NewChild(*cls, parent, source->Name());
    Copier copier{*this, child, depth};
    ForEachStoredValue(source, copier);
    // One captured pointer keeps the callback within std::function's own storage.
    struct Next {
        TzuStreamReader* reader;
        TzuComponent* parent;
        int depth;
    } next{this, child, depth + 1};
    source->GetChildren([&next](TzuComponent* c) { next.reader->CopyChild(c, next.parent, next.depth); },
                        m_source);
    AttachChild(child, parent);
}

}  // namespace zu
