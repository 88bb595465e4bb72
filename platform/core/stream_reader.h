#pragma once
// Applies a binary component stream to live objects: the root record's properties go into
// an existing root, nested records become new children created by registered class name.
// Objects created by a read are owned as their enclosing object designates; when the read
// fails, every object it created is detached and freed again before the error leaves.

#include <algorithm>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/component.h"
#include "platform/core/property.h"
#include "platform/core/stream_format.h"

namespace zu {

struct TzuReadOptions {
    // Given each name read (root and children) before it is set; may change it.
    std::function<void(std::string& name)> onSetName;
    // Offered each property-level error (unknown property, value of the wrong kind,
    // a setter's refusal, an unresolved reference). Returning true marks it handled and
    // the property is skipped; otherwise the read fails with that error.
    std::function<bool(const std::string& message)> onError;
    // Offered the class name of a nested record whose class is not registered. Returning
    // true skips that record with everything inside it; otherwise the read fails.
    std::function<bool(const std::string& className)> onUnknownClass;
};

struct TzuStreamHeader {
    unsigned flags = 0;
    std::string className;
    std::string name;
};

class TzuStreamReader {
public:
    explicit TzuStreamReader(std::span<const uint8_t> data, TzuReadOptions options = {});
    ~TzuStreamReader();

    // Reads one root record into root; the root's own class name is read and ignored.
    // Raises EzuError on a wrong signature, malformed data, an unknown child class and
    // every unhandled property error.
    void ReadRootInto(TzuComponent* root);

    // Gives root the stored state and stored children of source, as writing source to a
    // stream and reading that into root would, without the bytes in between (the reader's
    // data is not used). False, after freeing what it made, when source holds something
    // only the bytes carry faithfully (a name the stream would cut, an identifier that
    // reads back as another value, a class registered under another's name): the caller
    // then goes through a stream. Errors as ReadRootInto.
    bool CopyRootInto(TzuComponent* root, TzuComponent* source);

    // Signature, prefix and names of the root record, without reading further.
    static TzuStreamHeader ReadHeader(std::span<const uint8_t> data);

    struct Value;
    struct Item;

private:
    struct Fixup {
        TzuPersistent* object;
        const TzuPropInfo* prop;
        std::string name;
        std::string context;
        // Collections the object lives in: clearing one of them frees it.
        std::vector<TzuCollection*> scope;
    };

    struct Copier;

    // Steps shared by reading and copying.
    void StartRoot(std::string name);
    TzuComponent* NewChild(const TzuClass& cls, TzuComponent* parent, std::string_view name);
    void AttachChild(TzuComponent* child, TzuComponent* parent);
    void Finish();
    void ValueError(const TzuPersistent* obj, std::string_view path, const std::string& error);
    // Counts one more object or item against the stream's limit.
    void CountItem();
    void AddFixup(TzuPersistent* obj, const TzuPropInfo& p, std::string_view name);
    // Empty on success, else the error text.
    std::string BindEvent(TzuEventBase& event, std::string_view method);
    // Clears coll and adds count items, fill(index, item) giving each its values.
    template <class F>
    void FillCollection(TzuCollection* coll, size_t count, F&& fill);

    void CopyChild(TzuComponent* source, TzuComponent* parent, int depth);

    void ReadChildren(TzuComponent* parent, int depth);
    void ReadChild(TzuComponent* parent, int depth);
    // Reads past a nested record's properties and children without applying them.
    void SkipRecord(int depth);
    void ReadProperties(TzuPersistent* obj, int depth);
    void ApplyProperty(TzuPersistent* obj, std::string_view path, const Value& value);
    // Empty on success, else the error text.
    std::string ApplyValue(TzuPersistent* obj, const TzuPropInfo& prop, const Value& value);
    std::string ApplyCollection(TzuCollection* coll, const Value& value);
    void PropertyError(const std::string& message);
    void SetName(TzuComponent* c, std::string name);
    void ResolveFixups();
    TzuComponent* FindReference(const std::string& name) const;
    void Rollback();

    TzuByteReader m_in;
    TzuReadOptions m_options;
    TzuComponent* m_root = nullptr;
    TzuComponent* m_source = nullptr;  // what a copy is made from
    // The owned objects a copy has entered, outermost first, with the source's class at
    // each: the copy's object for a value is found again along them.
    struct CopyStep {
        const TzuPropInfo* prop;
        const TzuClass* cls;
    };
    std::vector<CopyStep> m_copyPath;
    std::vector<TzuComponent*> m_created;  // children made by this read, in creation order
    std::vector<TzuComponent*> m_loaded;   // root first, then children as read
    std::vector<std::pair<std::string, TzuComponent*>> m_streamNames;
    std::vector<Fixup> m_fixups;
    std::vector<TzuCollection*> m_scope;  // collections being filled, outermost first
    size_t m_built = 0;                   // items built so far, against kMaxStreamItems
};

template <class F>
void TzuStreamReader::FillCollection(TzuCollection* coll, size_t count, F&& fill) {
    // Clearing frees the items; references waiting to be set on them must go too.
    std::erase_if(m_fixups, [&](const Fixup& f) {
        return std::find(f.scope.begin(), f.scope.end(), coll) != f.scope.end();
    });
    coll->Clear();
    m_scope.push_back(coll);
    try {
        for (size_t i = 0; i < count; ++i) fill(i, coll->Add());
    } catch (...) {
        m_scope.pop_back();
        throw;
    }
    m_scope.pop_back();
}

}  // namespace zu
