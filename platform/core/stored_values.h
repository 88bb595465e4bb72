#pragma once
// The values a stream holds for one object: every stored property that is not at its
// default, in stream order, each fetched once. The stream writer encodes what this walk
// finds; a copy applies it straight to another object. The sink decides what to do with
// owned objects and collections (usually to walk them in turn).

#include "platform/core/component.h"
#include "platform/core/property.h"

namespace zu {

// Sink needs: CopyValue(obj, stored) answering whether it took the value by the
// property's copyValue (else the value is fetched and given as usual);
// Ordinal(obj, stored, int64_t) for integers, enumerations and sets;
// Float(obj, stored, double); String(obj, stored, std::string&&);
// WString(obj, stored, std::u16string&&); Object(obj, stored, TzuPersistent* sub);
// Reference(obj, stored, TzuComponent&) for a named component; Event(obj, stored, const
// TzuEventBase&); Defined(obj, stored, TzuStreamValue&&); Collection(obj, stored,
// TzuCollection&).
template <class Sink>
void ForEachStoredValue(TzuPersistent* obj, Sink& sink) {
    // A derived class may publish a base property again with its own default; the list
    // holds only the entry a reader would find.
    for (const TzuStoredProp& stored : obj->ClassType().StoredProperties()) {
        // The list holds what PropStoreRule allows for every object; the object's own
        // test is what is left.
        if (stored.isStored && !stored.isStored(obj)) continue;
        const TzuPropInfo& p = *stored.prop;
        const bool always = stored.always;
        switch (p.kind) {
            case TzuPropKind::Integer:
            case TzuPropKind::Enum:
            case TzuPropKind::Set: {
                const int64_t v = p.getOrd(obj);
                if (!always && p.hasDefault && v == p.defOrd) continue;
                sink.Ordinal(obj, stored, v);
                break;
            }
            case TzuPropKind::Float: {
                const double v = p.getFloat(obj);
                if (!always && v == p.defFloat) continue;
                sink.Float(obj, stored, v);
                break;
            }
            case TzuPropKind::String: {
                if (p.copyValue && sink.CopyValue(obj, stored)) break;
                std::string text = p.getStr(obj);
                if (!always && text.empty()) continue;
                sink.String(obj, stored, std::move(text));
                break;
            }
            case TzuPropKind::WString: {
                std::u16string text = p.getWStr(obj);
                if (!always && text.empty()) continue;
                sink.WString(obj, stored, std::move(text));
                break;
            }
            case TzuPropKind::Object:
                if (TzuPersistent* sub = p.getObj(obj)) sink.Object(obj, stored, sub);
                break;
            case TzuPropKind::Reference: {
                // A component without a name cannot be found again by a reader.
                auto* ref = As<TzuComponent>(p.getObj(obj));
                if (ref && !ref->Name().empty()) sink.Reference(obj, stored, *ref);
                break;
            }
            case TzuPropKind::Event: {
                const TzuEventBase* event = p.getEvent(obj);
                if (!always && !event->Method()) continue;
                sink.Event(obj, stored, *event);
                break;
            }
            case TzuPropKind::Defined: {
                if (p.copyValue && sink.CopyValue(obj, stored)) break;
                TzuStreamValue v = p.writeValue(obj);
                if (!std::holds_alternative<std::monostate>(v)) sink.Defined(obj, stored, std::move(v));
                break;
            }
            case TzuPropKind::Collection: {
                TzuCollection* coll = p.getCollection(obj);
                if (!always && coll->Count() <= 0) continue;
                sink.Collection(obj, stored, *coll);
                break;
            }
        }
    }
}

}  // namespace zu
