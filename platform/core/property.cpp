#include "platform/core/property.h"

#include <charconv>
#include <cmath>

#include "platform/core/component.h"
#include "platform/core/utf.h"

namespace zu {

namespace {
const char* const kBooleanNames[] = {"False", "True"};

std::string_view Trim(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
    return s;
}

std::string FloatText(double d) {
    if (std::isfinite(d) && d == std::trunc(d) && std::fabs(d) < 9.2e18)
        return std::to_string(static_cast<int64_t>(d));
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, d);
    return std::string(buf, res.ptr);
}

bool ParseFloat(std::string_view s, double& out) {
    s = Trim(s);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    if (s.empty()) return false;
    auto res = std::from_chars(s.data(), s.data() + s.size(), out);
    return res.ec == std::errc() && res.ptr == s.data() + s.size() && std::isfinite(out);
}

std::string SetText(const TzuEnumInfo& info, int64_t bits) {
    std::string out = "[";
    for (int i = 0; i < info.count && i < 64; ++i) {
        if (bits & (int64_t{1} << i)) {
            if (out.size() > 1) out += ',';
            out += info.names[i];
        }
    }
    return out + "]";
}

bool ParseSet(const TzuEnumInfo& info, std::string_view text, int64_t& bits) {
    text = Trim(text);
    if (text.size() < 2 || text.front() != '[' || text.back() != ']') return false;
    text = text.substr(1, text.size() - 2);
    bits = 0;
    while (!Trim(text).empty()) {
        size_t comma = text.find(',');
        std::string_view item = Trim(text.substr(0, comma));
        int v = info.ValueOf(item);
        if (v < 0 || v >= 64) return false;
        bits |= int64_t{1} << v;
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    return true;
}
}  // namespace

const TzuEnumInfo kBooleanEnum{"Boolean", kBooleanNames, 2};

int TzuEnumInfo::ValueOf(std::string_view name) const {
    for (int i = 0; i < count; ++i) {
        if (SameText(names[i], name)) return i;
    }
    return -1;
}

TzuPropRef ResolveProperty(TzuPersistent* obj, std::string_view path) {
    while (obj) {
        size_t dot = path.find('.');
        std::string_view head = path.substr(0, dot);
        const TzuPropInfo* prop = obj->ClassType().FindProperty(head);
        if (!prop) return {};
        if (dot == std::string_view::npos) return {obj, prop};
        if (prop->kind != TzuPropKind::Object && prop->kind != TzuPropKind::Reference) return {};
        obj = prop->getObj(obj);
        path.remove_prefix(dot + 1);
    }
    return {};
}

TzuVariant GetPropValue(const TzuPropRef& ref) {
    if (!ref) return {};
    const TzuPropInfo& p = *ref.prop;
    switch (p.kind) {
        case TzuPropKind::Integer: return p.getOrd(ref.object);
        case TzuPropKind::Float: return p.getFloat(ref.object);
        case TzuPropKind::Enum:
            if (p.enumInfo == &kBooleanEnum) return p.getOrd(ref.object) != 0;
            return std::string(p.enumInfo->NameOf(p.getOrd(ref.object)));
        case TzuPropKind::Set: return SetText(*p.enumInfo, p.getOrd(ref.object));
        case TzuPropKind::String: return p.getStr(ref.object);
        case TzuPropKind::WString: return p.getWStr(ref.object);
        case TzuPropKind::Reference:
        case TzuPropKind::Object: {
            auto* c = As<TzuComponent>(p.getObj(ref.object));
            return c ? TzuVariant(c->Name()) : TzuVariant(std::string());
        }
        case TzuPropKind::Event: return std::string(p.getEvent(ref.object)->MethodName());
        case TzuPropKind::Collection: return {};
        case TzuPropKind::Defined: {
            TzuStreamValue v = p.writeValue(ref.object);
            if (auto* s = std::get_if<std::string>(&v)) return *s;
            if (auto* b = std::get_if<bool>(&v)) return *b;
            return {};
        }
    }
    return {};
}

std::string GetPropText(const TzuPropRef& ref) {
    if (!ref) return {};
    if (ref.prop->kind == TzuPropKind::Float) return FloatText(ref.prop->getFloat(ref.object));
    TzuVariant v = GetPropValue(ref);
    if (auto* b = std::get_if<bool>(&v)) return *b ? "True" : "False";
    return VariantToString(v);
}

bool SetPropValue(const TzuPropRef& ref, const TzuVariant& value) {
    if (!ref || ref.prop->ReadOnly()) return false;
    const TzuPropInfo& p = *ref.prop;
    switch (p.kind) {
        case TzuPropKind::Integer: {
            if (auto* s = std::get_if<std::string>(&value)) {
                double d;
                if (!ParseFloat(*s, d)) return false;
                p.setOrd(ref.object, static_cast<int64_t>(d));
                return true;
            }
            p.setOrd(ref.object, VariantToInt(value));
            return true;
        }
        case TzuPropKind::Float: {
            if (std::holds_alternative<std::string>(value) || std::holds_alternative<std::u16string>(value)) {
                double d;
                if (!ParseFloat(VariantToString(value), d) || !p.FloatFits(d)) return false;
                p.setFloat(ref.object, d);
                return true;
            }
            double d = VariantToDouble(value);
            if (!p.FloatFits(d)) return false;
            p.setFloat(ref.object, d);
            return true;
        }
        case TzuPropKind::Enum: {
            if (std::holds_alternative<std::string>(value) || std::holds_alternative<std::u16string>(value)) {
                int v = p.enumInfo->ValueOf(Trim(VariantToString(value)));
                if (v < 0) return false;
                p.setOrd(ref.object, v);
                return true;
            }
            int64_t v = VariantToInt(value);
            if (v < 0 || v >= p.enumInfo->count) return false;
            p.setOrd(ref.object, v);
            return true;
        }
        case TzuPropKind::Set: {
            int64_t bits;
            if (std::holds_alternative<int64_t>(value)) {
                bits = std::get<int64_t>(value);
            } else if (!ParseSet(*p.enumInfo, VariantToString(value), bits)) {
                return false;
            }
            p.setOrd(ref.object, bits);
            return true;
        }
        case TzuPropKind::String: p.setStr(ref.object, VariantToString(value)); return true;
        case TzuPropKind::WString: p.setWStr(ref.object, VariantToWide(value)); return true;
        case TzuPropKind::Reference:
            if (VariantIsEmpty(value)) {
                p.setObj(ref.object, nullptr);
                return true;
            }
            return false;
        case TzuPropKind::Object:
        case TzuPropKind::Event:
        case TzuPropKind::Collection: return false;
        case TzuPropKind::Defined:
            if (auto* s = std::get_if<std::string>(&value)) {
                p.readValue(ref.object, TzuStreamValue(*s));
                return true;
            }
            if (auto* b = std::get_if<bool>(&value)) {
                p.readValue(ref.object, TzuStreamValue(*b));
                return true;
            }
            return false;
    }
    return false;
}

bool SetPropText(const TzuPropRef& ref, std::string_view text) {
    return SetPropValue(ref, TzuVariant(std::string(text)));
}

bool IsPropStored(const TzuPersistent* obj, const TzuPropInfo& p) {
    const TzuStoreRule rule = PropStoreRule(obj, p);
    if (rule != TzuStoreRule::UnlessDefault) return rule == TzuStoreRule::Always;
    switch (p.kind) {
        case TzuPropKind::Integer:
        case TzuPropKind::Enum:
        case TzuPropKind::Set: return !p.hasDefault || p.getOrd(obj) != p.defOrd;
        case TzuPropKind::Float: return p.getFloat(obj) != p.defFloat;
        case TzuPropKind::String: return !p.getStr(obj).empty();
        case TzuPropKind::WString: return !p.getWStr(obj).empty();
        case TzuPropKind::Reference: return p.getObj(obj) != nullptr;
        case TzuPropKind::Object: return p.getObj(obj) != nullptr;
        case TzuPropKind::Event: return p.getEvent(const_cast<TzuPersistent*>(obj))->Method() != nullptr;
        case TzuPropKind::Defined: return true;
        case TzuPropKind::Collection: return p.getCollection(const_cast<TzuPersistent*>(obj))->Count() > 0;
    }
    return false;
}

}  // namespace zu
