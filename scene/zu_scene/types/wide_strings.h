#pragma once
// Ordered lists of UTF-16 strings, each line carrying an optional object pointer that the
// list never owns. TzuWideStrings is the abstract interface (text editors keep their lines
// behind it); TzuWideStringList the array-backed implementation with sorting and change
// events. Lists stream as the defined property "strings".

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/event.h"
#include "platform/core/persistent.h"
#include "platform/core/variant.h"

namespace zu {

class TzuWideStrings : public TzuPersistent {
    ZU_CLASS(TzuWideStrings)

public:
    virtual int Count() const = 0;
    // Index errors raise EzuError("list index error").
    virtual std::u16string Get(int index) const = 0;
    virtual void Put(int index, const std::u16string& s);
    virtual TzuPersistent* GetObject(int index) const;
    virtual void PutObject(int index, TzuPersistent* obj);
    virtual void Clear() = 0;
    virtual void Delete(int index) = 0;
    virtual void Insert(int index, const std::u16string& s) = 0;
    void InsertObject(int index, const std::u16string& s, TzuPersistent* obj);
    // Returns the index the string landed at (sorted lists place it in order).
    virtual int Add(const std::u16string& s);
    virtual int AddObject(const std::u16string& s, TzuPersistent* obj);
    void AddStrings(const TzuWideStrings& other);
    virtual void Exchange(int index1, int index2);
    virtual void Move(int curIndex, int newIndex);

    virtual int IndexOf(std::u16string_view s) const;
    int IndexOfObject(const TzuPersistent* obj) const;

    // Lines of the form name=value.
    std::u16string Name(int index) const;
    std::u16string ValueFromIndex(int index) const;
    int IndexOfName(std::u16string_view name) const;
    std::u16string Value(std::u16string_view name) const;
    // Sets the value of name, adding the line when missing; an empty value removes it.
    void SetValue(std::u16string_view name, const std::u16string& value);

    // Lines joined with "\n"; SetText splits at "\r\n", "\n" or "\r".
    std::u16string Text() const;
    void SetText(std::u16string_view text);
    std::vector<std::u16string> ToVector() const;

    bool CaseSensitive() const { return m_caseSensitive; }
    virtual void SetCaseSensitive(bool value) { m_caseSensitive = value; }
    // Ordinal comparison, after simple case folding unless CaseSensitive.
    virtual int CompareStrings(std::u16string_view a, std::u16string_view b) const;

    // Change notification is deferred while the update count is positive.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return m_updateCount; }

    bool Equals(const TzuWideStrings& other) const;
    void Assign(const TzuPersistent& source) override;

    // The "strings" stream property.
    void ReadStrings(const TzuStreamValue& value);
    TzuStreamValue WriteStrings() const;
    bool StringsStored() const { return Count() > 0; }

protected:
    // Called when the update count leaves or returns to zero.
    virtual void SetUpdateState(bool /*updating*/) {}
    [[noreturn]] static void IndexError();

private:
    int m_updateCount = 0;
    bool m_caseSensitive = false;
};

enum TzuDuplicates { zuDupIgnore, zuDupAccept, zuDupError };

class TzuWideStringList : public TzuWideStrings {
    ZU_CLASS(TzuWideStringList)

public:
    TzuWideStringList() = default;

    int Count() const override { return static_cast<int>(m_items.size()); }
    std::u16string Get(int index) const override;
    // Raises "sorted list error" on a sorted list: the line would lose its place.
    void Put(int index, const std::u16string& s) override;
    TzuPersistent* GetObject(int index) const override;
    void PutObject(int index, TzuPersistent* obj) override;
    void Clear() override;
    void Delete(int index) override;
    // Raises "sorted list error" on a sorted list.
    void Insert(int index, const std::u16string& s) override;
    // On a sorted list a duplicate follows Duplicates: ignored (the existing index is
    // returned and its object kept), accepted, or refused with "Doublicate string".
    int Add(const std::u16string& s) override;
    int AddObject(const std::u16string& s, TzuPersistent* obj) override;
    // Raises "sorted list error" on a sorted list.
    void Exchange(int index1, int index2) override;
    // Raises "sorted list error" on a sorted list.
    void Move(int curIndex, int newIndex) override;
    int IndexOf(std::u16string_view s) const override;

    // Halving search of a sorted list: true when found; index is the first match or the
    // place where s would be inserted.
    bool Find(std::u16string_view s, int& index) const;
    void Sort();
    void CustomSort(const std::function<int(const TzuWideStringList&, int, int)>& compare);

    bool Sorted() const { return m_sorted; }
    void SetSorted(bool value);
    TzuDuplicates Duplicates() const { return m_duplicates; }
    void SetDuplicates(TzuDuplicates value) { m_duplicates = value; }
    void SetCaseSensitive(bool value) override;

    // Outside BeginUpdate/EndUpdate each change is framed by OnChanging and OnChange.
    // Inside, OnChanging fires before the first change and OnChange once at the final
    // EndUpdate, and only when something changed.
    TzuNotifyEvent& OnChanging() { return m_onChanging; }
    TzuNotifyEvent& OnChange() { return m_onChange; }

protected:
    void SetUpdateState(bool updating) override;
    virtual void Changing();
    virtual void Changed();

private:
    struct Item {
        std::u16string text;
        TzuPersistent* object = nullptr;
    };
    void CheckIndex(int index, int limit) const;
    void SortItems(const std::function<int(const TzuWideStringList&, int, int)>& compare);
    void InsertItem(int index, const std::u16string& s, TzuPersistent* obj);

    std::vector<Item> m_items;
    bool m_sorted = false;
    TzuDuplicates m_duplicates = zuDupIgnore;
    bool m_changingSent = false;  // within an update
    bool m_changePending = false;
    TzuNotifyEvent m_onChanging;
    TzuNotifyEvent m_onChange;
};

}  // namespace zu
