#include "platform/core/stream_reader.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "platform/core/class_registry.h"
#include "platform/core/event.h"
#include "platform/core/load_limits.h"
#include "platform/core/utf.h"

namespace zu {

struct TzuStreamReader::Value {
    uint8_t tag = vaNull;
    int64_t i = 0;
    double d = 0;
    // Short, long and UTF-8 strings, identifiers, binary bytes: a view into the stream,
    // which outlives the read.
    std::string_view s;
    std::u16string w;  // wide strings
    // A list stays in the stream, its items read again when it is applied: a long list
    // of small values would otherwise cost a full value per item.
    std::span<const uint8_t> list;
    std::vector<std::string_view> set;
    std::vector<Item> items;
};

struct TzuStreamReader::Item {
    std::vector<std::pair<std::string_view, Value>> props;
};

namespace {
using Value = TzuStreamReader::Value;
using Item = TzuStreamReader::Item;

// Counts what one stream builds (list items, collection items, objects) against its limit.
void CountBuilt(TzuByteReader& in, size_t& built) {
    if (++built > kMaxStreamItems)
        in.Fail("more than " + std::to_string(kMaxStreamItems) + " items in one stream");
}

// The whole value is read before it is applied: a property that turns out unknown or of
// the wrong kind has then already been stepped over.
Value ParseValue(TzuByteReader& in, int depth, size_t& built) {
    if (depth >= kMaxStreamDepth) in.Fail("values nested too deeply");
    Value v;
    v.tag = in.ReadByte();
    switch (v.tag) {
        case vaNull:
        case vaFalse:
        case vaTrue:
        case vaNil: break;
        case vaList: {
            const size_t start = in.Position();
            while (in.PeekByte() != 0) {
                CountBuilt(in, built);
                ParseValue(in, depth + 1, built);
            }
            v.list = in.Span(start, in.Position());
            in.ReadByte();
            break;
        }
        case vaInt8: v.i = static_cast<int8_t>(in.ReadByte()); break;
        case vaInt16: v.i = in.ReadInt16(); break;
        case vaInt32: v.i = in.ReadInt32(); break;
        case vaInt64: v.i = in.ReadInt64(); break;
        case vaCurrency: v.i = in.ReadInt64(); break;
        case vaExtended: v.d = in.ReadExtended(); break;
        case vaSingle: v.d = in.ReadSingle(); break;
        case vaDate: v.d = in.ReadDouble(); break;
        case vaString:
        case vaIdent: v.s = in.ReadShortStringView(); break;
        case vaBinary:
        case vaLString:
        case vaUTF8String: {
            auto bytes = in.Take(in.ReadLength(1));
            v.s = std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
            break;
        }
        case vaWString: v.w = in.ReadUtf16(in.ReadLength(2)); break;
        case vaSet:
            for (std::string_view name = in.ReadShortStringView(); !name.empty();
                 name = in.ReadShortStringView()) {
                v.set.push_back(name);
            }
            break;
        case vaCollection:
            while (in.PeekByte() != 0) {
                const uint8_t t = in.PeekByte();
                if (t == vaInt8 || t == vaInt16 || t == vaInt32) in.ReadIntegerValue();  // item index
                if (in.ReadByte() != vaList) in.Fail("collection item expected");
                CountBuilt(in, built);
                Item item;
                while (in.PeekByte() != 0) {
                    const std::string_view name = in.ReadShortStringView();
                    item.props.emplace_back(name, ParseValue(in, depth + 1, built));
                }
                in.ReadByte();
                v.items.push_back(std::move(item));
            }
            in.ReadByte();
            break;
        default: in.Fail("invalid value tag " + std::to_string(v.tag));
    }
    return v;
}

unsigned ReadPrefix(TzuByteReader& in) {
    if ((in.PeekByte() & 0xF0) != 0xF0) return 0;
    const unsigned flags = in.ReadByte() & 0x0F;
    if (flags & ffChildPos) in.ReadIntegerValue();
    return flags;
}

bool IntOf(const Value& v, int64_t& out) {
    switch (v.tag) {
        case vaInt8:
        case vaInt16:
        case vaInt32:
        case vaInt64: out = v.i; return true;
        default: return false;
    }
}

bool FloatOf(const Value& v, double& out) {
    switch (v.tag) {
        case vaInt8:
        case vaInt16:
        case vaInt32:
        case vaInt64: out = static_cast<double>(v.i); return true;
        case vaCurrency: out = static_cast<double>(v.i) / 10000.0; return true;
        case vaExtended:
        case vaSingle:
        case vaDate: out = v.d; return true;
        default: return false;
    }
}

const char* const kInvalidValue = "invalid property value";

// Text of any string tag as UTF-8; an error text when the value is no string or its
// encoding is broken.
std::string TextOf(const Value& v, std::string& out) {
    switch (v.tag) {
        case vaString:
        case vaLString: out = AnsiToUtf8(v.s); return {};
        case vaUTF8String:
            if (!IsValidUtf8(v.s)) return "invalid UTF-8 text";
            out.assign(v.s);
            return {};
        case vaWString:
            if (!IsValidUtf16(v.w)) return "invalid UTF-16 text";
            out = Utf16ToUtf8(v.w);
            return {};
        default: return kInvalidValue;
    }
}

// Identifier text of tags 7, 8 and 9, for enumerations.
bool IdentOf(const Value& v, std::string_view& out) {
    switch (v.tag) {
        case vaIdent: out = v.s; return true;
        case vaFalse: out = "False"; return true;
        case vaTrue: out = "True"; return true;
        default: return false;
    }
}

std::string ContextName(const TzuPersistent* obj) {
    auto* c = As<TzuComponent>(obj);
    return c && !c->Name().empty() ? c->Name() : std::string(obj->ClassName());
}
}  // namespace

TzuStreamReader::TzuStreamReader(std::span<const uint8_t> data, TzuReadOptions options)
    : m_in(data), m_options(std::move(options)) {
    // A style is a handful of objects: room for them up front spares regrowing the lists.
    m_created.reserve(16);
    m_loaded.reserve(16);
}

TzuStreamReader::~TzuStreamReader() = default;

TzuStreamHeader TzuStreamReader::ReadHeader(std::span<const uint8_t> data) {
    TzuByteReader in(data);
    in.ReadSignature();
    TzuStreamHeader h;
    h.flags = ReadPrefix(in);
    h.className = in.ReadShortString();
    h.name = in.ReadShortString();
    return h;
}

void TzuStreamReader::ReadRootInto(TzuComponent* root) {
    m_root = root;
    const TzuLoadScope load;
    try {
        m_in.ReadSignature();
        ReadPrefix(m_in);
        m_in.ReadShortString();  // the root's class is the caller's choice
        StartRoot(m_in.ReadShortString());
        ReadProperties(root, 0);
        ReadChildren(root, 1);
        Finish();
    } catch (...) {
        Rollback();
        throw;
    }
}

void TzuStreamReader::StartRoot(std::string name) {
    m_root->SetLoading(true);
    m_loaded.push_back(m_root);
    if (!name.empty()) m_streamNames.emplace_back(name, m_root);
    // A root being designed keeps its name, so reading into it never renames it.
    if (!m_root->IsDesigning()) SetName(m_root, std::move(name));
}

TzuComponent* TzuStreamReader::NewChild(const TzuClass& cls, TzuComponent* parent, std::string_view name) {
    CountItem();
    TzuComponent* owner = parent->GetChildOwner();
    auto* child = static_cast<TzuComponent*>(cls.create(owner ? owner : m_root));
    m_created.push_back(child);
    child->SetLoading(true);
    if (!name.empty()) m_streamNames.emplace_back(name, child);
    SetName(child, std::string(name));
    return child;
}

void TzuStreamReader::AttachChild(TzuComponent* child, TzuComponent* parent) {
    child->SetParentComponent(parent);
    m_loaded.push_back(child);
}

void TzuStreamReader::Finish() {
    ResolveFixups();
    for (TzuComponent* c : m_loaded) {
        c->Loaded();
        c->SetLoading(false);
    }
}

void TzuStreamReader::Rollback() {
    // Newest first, so every object goes before the parent it was attached to; detaching
    // first keeps a parent from freeing it a second time.
    for (auto it = m_created.rbegin(); it != m_created.rend(); ++it) {
        (*it)->SetParentComponent(nullptr);
        delete *it;
    }
    m_created.clear();
    m_loaded.clear();
    m_fixups.clear();
    m_streamNames.clear();
    if (m_root) m_root->SetLoading(false);
}

void TzuStreamReader::SetName(TzuComponent* c, std::string name) {
    if (m_options.onSetName) m_options.onSetName(name);
    c->SetName(name);
}

void TzuStreamReader::PropertyError(const std::string& message) {
    if (m_options.onError && m_options.onError(message)) return;
    throw EzuError(message);
}

void TzuStreamReader::ReadChildren(TzuComponent* parent, int depth) {
    while (m_in.PeekByte() != 0) ReadChild(parent, depth);
    m_in.ReadByte();
}

void TzuStreamReader::ReadChild(TzuComponent* parent, int depth) {
    if (depth >= kMaxStreamDepth) m_in.Fail("objects nested too deeply");
    ReadPrefix(m_in);
    const std::string_view className = m_in.ReadShortStringView();
    const std::string_view name = m_in.ReadShortStringView();
    const TzuClass* cls = FindClass(className);
    if (!cls || !cls->create || !cls->InheritsFrom(TzuComponent::StaticClass())) {
        if (!cls && m_options.onUnknownClass && m_options.onUnknownClass(std::string(className))) {
            SkipRecord(depth);
            return;
        }
        throw EzuError("Class " + std::string(className) + " not found");
    }
    TzuComponent* child = NewChild(*cls, parent, name);
    ReadProperties(child, depth);
    ReadChildren(child, depth + 1);
    AttachChild(child, parent);
}

void TzuStreamReader::SkipRecord(int depth) {
    while (m_in.PeekByte() != 0) {
        m_in.ReadShortStringView();
        ParseValue(m_in, 0, m_built);
    }
    m_in.ReadByte();
    while (m_in.PeekByte() != 0) {
        if (depth + 1 >= kMaxStreamDepth) m_in.Fail("objects nested too deeply");
        CountBuilt(m_in, m_built);
        ReadPrefix(m_in);
        m_in.ReadShortStringView();
        m_in.ReadShortStringView();
        SkipRecord(depth + 1);
    }
    m_in.ReadByte();
}

void TzuStreamReader::ReadProperties(TzuPersistent* obj, int /*depth*/) {
    while (m_in.PeekByte() != 0) {
        const std::string_view name = m_in.ReadShortStringView();
        const Value value = ParseValue(m_in, 0, m_built);
        ApplyProperty(obj, name, value);
    }
    m_in.ReadByte();
}

void TzuStreamReader::ApplyProperty(TzuPersistent* obj, std::string_view path, const Value& value) {
    std::string error;
    TzuPersistent* target = obj;
    std::string_view rest = path;
    const TzuPropInfo* prop = nullptr;
    for (;;) {
        const size_t dot = rest.find('.');
        prop = target->ClassType().FindProperty(rest.substr(0, dot));
        if (!prop) {
            error = "property does not exist";
            break;
        }
        if (dot == std::string_view::npos) break;
        // Only owned objects are written into through a path; a reference would let a
        // stream change some other component.
        if (prop->kind != TzuPropKind::Object || !(target = prop->getObj(target))) {
            error = "property does not exist";
            break;
        }
        rest.remove_prefix(dot + 1);
    }
    if (error.empty()) {
        try {
            error = ApplyValue(target, *prop, value);
        } catch (const std::bad_alloc&) {
            throw;
        } catch (const EzuLimitError&) {
            throw;
        } catch (const std::exception& e) {
            // A setter refusing the value is a reading error like any other.
            error = e.what();
        }
    }
    if (!error.empty()) ValueError(obj, path, error);
}

void TzuStreamReader::ValueError(const TzuPersistent* obj, std::string_view path, const std::string& error) {
    PropertyError("Error reading " + ContextName(obj) + "." + std::string(path) + ": " + error);
}

void TzuStreamReader::CountItem() { CountBuilt(m_in, m_built); }

std::string TzuStreamReader::ApplyValue(TzuPersistent* obj, const TzuPropInfo& p, const Value& v) {
    if (p.ReadOnly()) return "property is read-only";
    switch (p.kind) {
        case TzuPropKind::Integer: {
            int64_t i;
            if (!IntOf(v, i)) return kInvalidValue;
            p.setOrd(obj, i);
            return {};
        }
        case TzuPropKind::Float: {
            double d;
            if (!FloatOf(v, d)) return kInvalidValue;
            if (!p.FloatFits(d)) return "invalid floating point value";
            p.setFloat(obj, d);
            return {};
        }
        case TzuPropKind::Enum: {
            int64_t i;
            std::string_view ident;
            if (IntOf(v, i)) {
                if (i < 0 || i >= p.enumInfo->count) return "value out of range";
            } else if (IdentOf(v, ident)) {
                i = p.enumInfo->ValueOf(ident);
                if (i < 0) return "invalid value " + std::string(ident);
            } else {
                return kInvalidValue;
            }
            p.setOrd(obj, i);
            return {};
        }
        case TzuPropKind::Set: {
            if (v.tag != vaSet) return kInvalidValue;
            int64_t bits = 0;
            for (const auto& name : v.set) {
                const int n = p.enumInfo->ValueOf(name);
                if (n < 0 || n >= 64) return "invalid set element " + std::string(name);
                bits |= int64_t{1} << n;
            }
            p.setOrd(obj, bits);
            return {};
        }
        case TzuPropKind::String: {
            std::string text;
            if (auto err = TextOf(v, text); !err.empty()) return err;
            p.setStr(obj, text);
            return {};
        }
        case TzuPropKind::WString: {
            if (v.tag == vaWString) {
                if (!IsValidUtf16(v.w)) return "invalid UTF-16 text";
                p.setWStr(obj, v.w);
                return {};
            }
            std::string text;
            if (auto err = TextOf(v, text); !err.empty()) return err;
            p.setWStr(obj, Utf8ToUtf16(text));
            return {};
        }
        case TzuPropKind::Object:
        case TzuPropKind::Reference:
            if (!p.setObj) return "property is read-only";
            if (v.tag == vaNil) {
                p.setObj(obj, nullptr);
                return {};
            }
            if (v.tag != vaIdent || v.s.empty()) return kInvalidValue;
            AddFixup(obj, p, v.s);
            return {};
        case TzuPropKind::Event: {
            TzuEventBase* event = p.getEvent(obj);
            if (v.tag == vaNil) {
                event->Bind(nullptr, nullptr);
                return {};
            }
            if (v.tag != vaIdent) return kInvalidValue;
            return BindEvent(*event, v.s);
        }
        case TzuPropKind::Defined: {
            TzuStreamValue sv;
            std::string text;
            if (v.tag == vaFalse || v.tag == vaTrue) {
                sv = v.tag == vaTrue;
            } else if (v.tag == vaBinary) {
                sv = TzuBytes(v.s.begin(), v.s.end());
            } else if (v.tag == vaList) {
                std::vector<std::u16string> lines;
                // The items were counted and checked when the list was stepped over.
                TzuByteReader items(v.list);
                size_t uncounted = 0;
                while (!items.AtEnd()) {
                    const Value item = ParseValue(items, 1, uncounted);
                    if (auto err = TextOf(item, text); !err.empty()) return err;
                    lines.push_back(item.tag == vaWString ? item.w : Utf8ToUtf16(text));
                }
                sv = std::move(lines);
            } else if (auto err = TextOf(v, text); err.empty()) {
                sv = std::move(text);
            } else {
                return err;
            }
            p.readValue(obj, sv);
            return {};
        }
        case TzuPropKind::Collection:
            if (v.tag != vaCollection) return kInvalidValue;
            return ApplyCollection(p.getCollection(obj), v);
    }
    return kInvalidValue;
}

std::string TzuStreamReader::ApplyCollection(TzuCollection* coll, const Value& v) {
    FillCollection(coll, v.items.size(), [&](size_t i, TzuPersistent* target) {
        for (const auto& [name, value] : v.items[i].props) ApplyProperty(target, name, value);
    });
    return {};
}

void TzuStreamReader::AddFixup(TzuPersistent* obj, const TzuPropInfo& p, std::string_view name) {
    m_fixups.push_back(Fixup{obj, &p, std::string(name), ContextName(obj) + "." + p.name, m_scope});
}

std::string TzuStreamReader::BindEvent(TzuEventBase& event, std::string_view method) {
    // Handlers are published methods of the component that loads the stream.
    for (TzuComponent* target : {m_root->Owner(), m_root}) {
        if (!target) continue;
        if (const TzuMethodInfo* m = target->ClassType().FindMethod(method)) {
            if (!event.Bind(target, m)) return "method " + std::string(method) + " does not fit the event";
            return {};
        }
    }
    return "method " + std::string(method) + " not found";
}

TzuComponent* TzuStreamReader::FindReference(const std::string& name) const {
    for (const auto& [streamName, c] : m_streamNames) {
        if (SameText(streamName, name)) return c;
    }
    for (TzuComponent* c = m_root; c; c = c->Owner()) {
        if (SameText(c->Name(), name)) return c;
        if (TzuComponent* found = c->FindComponent(name)) return found;
    }
    return nullptr;
}

void TzuStreamReader::ResolveFixups() {
    // Setting a reference can run arbitrary setter code; work on a copy of the list.
    const std::vector<Fixup> fixups = std::move(m_fixups);
    m_fixups.clear();
    for (const Fixup& f : fixups) {
        TzuComponent* target = FindReference(f.name);
        std::string error;
        if (!target) {
            error = "component " + f.name + " not found";
        } else if (f.prop->objClass && !target->InheritsFrom(*f.prop->objClass())) {
            error = "component " + f.name + " is not a " + f.prop->objClass()->name;
        } else {
            try {
                f.prop->setObj(f.object, target);
            } catch (const std::bad_alloc&) {
                throw;
            } catch (const EzuLimitError&) {
                throw;
            } catch (const std::exception& e) {
                error = e.what();
            }
        }
        if (!error.empty()) PropertyError("Error reading " + f.context + ": " + error);
    }
}

}  // namespace zu
