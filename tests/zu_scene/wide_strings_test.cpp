#include "scene/zu_scene/types/wide_strings.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/core/property.h"
#include "scene/zu_scene/types/translate.h"

namespace zu {
namespace {

using Lines = std::vector<std::u16string>;

std::string ErrorOf(const std::function<void()>& fn) {
    try {
        fn();
    } catch (const EzuError& e) {
        return e.what();
    }
    return "";
}

TEST(TzuWideStringList, UnsortedListKeepsOrderAndObjects) {
    TzuWideStringList list;
    TzuWideStringList marker;
    EXPECT_EQ(list.Add(u"b"), 0);
    EXPECT_EQ(list.AddObject(u"a", &marker), 1);
    list.Insert(0, u"c");
    list.InsertObject(3, u"d", nullptr);
    EXPECT_EQ(list.ToVector(), (Lines{u"c", u"b", u"a", u"d"}));
    EXPECT_EQ(list.GetObject(2), &marker);
    EXPECT_EQ(list.IndexOfObject(&marker), 2);
    list.Exchange(0, 2);
    EXPECT_EQ(list.ToVector(), (Lines{u"a", u"b", u"c", u"d"}));
    EXPECT_EQ(list.GetObject(0), &marker);
    list.Move(0, 3);
    EXPECT_EQ(list.ToVector(), (Lines{u"b", u"c", u"d", u"a"}));
    EXPECT_EQ(list.GetObject(3), &marker);
    list.Move(3, 1);
    EXPECT_EQ(list.ToVector(), (Lines{u"b", u"a", u"c", u"d"}));
    list.Put(1, u"x");
    EXPECT_EQ(list.GetObject(1), &marker);
    list.Delete(0);
    EXPECT_EQ(list.ToVector(), (Lines{u"x", u"c", u"d"}));
    EXPECT_EQ(list.IndexOf(u"X"), 0);  // case-insensitive by default
    list.SetCaseSensitive(true);
    EXPECT_EQ(list.IndexOf(u"X"), -1);
}

TEST(TzuWideStringList, IndexErrorsRaiseAndLeaveTheListIntact) {
    TzuWideStringList list;
    list.Add(u"one");
    for (auto fn : std::vector<std::function<void()>>{
             [&] { list.Get(1); }, [&] { list.Get(-1); }, [&] { list.Delete(1); },
             [&] { list.Insert(2, u"x"); }, [&] { list.Put(5, u"x"); }, [&] { list.GetObject(1); },
             [&] { list.PutObject(-1, nullptr); }, [&] { list.Exchange(0, 1); }, [&] { list.Move(0, 1); },
             [&] { list.Name(3); }})
        EXPECT_EQ(ErrorOf(fn), "list index error");
    EXPECT_EQ(list.ToVector(), (Lines{u"one"}));
}

TEST(TzuWideStringList, SortedListPlacesLinesAndRefusesPositionalEdits) {
    TzuWideStringList list;
    list.Add(u"pear");
    list.Add(u"Apple");
    list.SetSorted(true);
    EXPECT_EQ(list.ToVector(), (Lines{u"Apple", u"pear"}));
    EXPECT_EQ(list.Add(u"fig"), 1);
    EXPECT_EQ(list.Add(u"zucchini"), 3);
    EXPECT_EQ(list.ToVector(), (Lines{u"Apple", u"fig", u"pear", u"zucchini"}));
    int index = -1;
    EXPECT_TRUE(list.Find(u"PEAR", index));
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(list.Find(u"grape", index));
    EXPECT_EQ(index, 2);
    EXPECT_EQ(list.IndexOf(u"zucchini"), 3);
    EXPECT_EQ(list.IndexOf(u"kiwi"), -1);
    for (auto fn :
         std::vector<std::function<void()>>{[&] { list.Insert(0, u"a"); }, [&] { list.Put(0, u"a"); },
                                            [&] { list.Exchange(0, 1); }, [&] { list.Move(0, 1); }})
        EXPECT_EQ(ErrorOf(fn), "sorted list error");
    EXPECT_EQ(list.ToVector(), (Lines{u"Apple", u"fig", u"pear", u"zucchini"}));
}

TEST(TzuWideStringList, DuplicatesPolicy) {
    TzuWideStringList list;
    TzuWideStringList first, second;
    list.SetSorted(true);
    list.AddObject(u"a", &first);
    list.Add(u"b");
    EXPECT_EQ(list.AddObject(u"A", &second), 0);  // ignored: existing index, object kept
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.GetObject(0), &first);

    list.SetDuplicates(zuDupError);
    EXPECT_EQ(ErrorOf([&] { list.Add(u"b"); }), "Doublicate string");
    EXPECT_EQ(list.Count(), 2);

    list.SetDuplicates(zuDupAccept);
    list.Add(u"b");
    list.Add(u"B");
    EXPECT_EQ(list.Count(), 4);
    int index;
    EXPECT_TRUE(list.Find(u"b", index));
    EXPECT_EQ(index, 1);  // the first of the equal lines

    TzuWideStringList unsorted;
    unsorted.SetDuplicates(zuDupError);
    unsorted.Add(u"x");
    EXPECT_NO_THROW(unsorted.Add(u"x"));  // the policy concerns sorted lists only
}

TEST(TzuWideStringList, ChangingCaseSensitivityResortsASortedList) {
    TzuWideStringList list;
    list.SetSorted(true);
    list.SetDuplicates(zuDupAccept);
    for (auto s : {u"b", u"B", u"a", u"\u00C9t\u00E9", u"\u00E9T\u00C9"}) list.Add(s);
    EXPECT_EQ(list.IndexOf(u"\u00E9t\u00E9"), 3);  // Latin-1 letters fold too
    list.SetCaseSensitive(true);
    EXPECT_EQ(list.ToVector(), (Lines{u"B", u"a", u"b", u"\u00C9t\u00E9", u"\u00E9T\u00C9"}));
    int index;
    EXPECT_TRUE(list.Find(u"b", index));
    EXPECT_EQ(index, 2);
}

TEST(TzuWideStringList, CustomSortOrdersByTheGivenComparison) {
    TzuWideStringList list;
    list.SetText(u"ccc\na\nbb");
    list.CustomSort(
        [](const TzuWideStringList& l, int i, int j) { return int(l.Get(j).size()) - int(l.Get(i).size()); });
    EXPECT_EQ(list.ToVector(), (Lines{u"ccc", u"bb", u"a"}));
}

TEST(TzuWideStringList, EventsFrameEachChangeOutsideUpdates) {
    TzuWideStringList list;
    std::vector<std::string> log;
    list.OnChanging().Set([&](TzuPersistent* sender) {
        EXPECT_EQ(sender, &list);
        log.push_back("changing " + std::to_string(list.Count()));
    });
    list.OnChange().Set([&](TzuPersistent*) { log.push_back("change " + std::to_string(list.Count())); });
    list.Add(u"a");
    list.Delete(0);
    EXPECT_EQ(log, (std::vector<std::string>{"changing 0", "change 1", "changing 1", "change 0"}));
    log.clear();
    list.Clear();  // nothing to clear: no events
    EXPECT_TRUE(log.empty());
}

TEST(TzuWideStringList, UpdatesDeferTheChangeEventToTheLastEndUpdate) {
    TzuWideStringList list;
    int changing = 0, changed = 0;
    list.OnChanging().Set([&](TzuPersistent*) { ++changing; });
    list.OnChange().Set([&](TzuPersistent*) { ++changed; });
    list.BeginUpdate();
    list.BeginUpdate();
    list.Add(u"a");
    list.Add(u"b");
    list.EndUpdate();
    EXPECT_EQ(changed, 0);
    list.EndUpdate();
    EXPECT_EQ(changing, 1);
    EXPECT_EQ(changed, 1);

    list.BeginUpdate();
    list.EndUpdate();  // nothing changed
    EXPECT_EQ(changed, 1);

    list.EndUpdate();  // unmatched: must not silence later changes
    list.Add(u"c");
    EXPECT_EQ(changed, 2);
    EXPECT_EQ(list.UpdateCount(), 0);
}

TEST(TzuWideStrings, NameValueLines) {
    TzuWideStringList list;
    list.SetText(u"Open=\u00D6ffnen\r\nClose=Schlie\u00DFen\rplain\nx=a=b");
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Name(0), u"Open");
    EXPECT_EQ(list.ValueFromIndex(1), u"Schlie\u00DFen");
    EXPECT_EQ(list.Name(2), u"");
    EXPECT_EQ(list.ValueFromIndex(2), u"");
    EXPECT_EQ(list.Value(u"x"), u"a=b");
    EXPECT_EQ(list.Value(u"OPEN"), u"\u00D6ffnen");
    EXPECT_EQ(list.IndexOfName(u"plain"), -1);
    list.SetValue(u"close", u"Zu");
    EXPECT_EQ(list.Get(1), u"close=Zu");
    list.SetValue(u"New", u"Neu");
    EXPECT_EQ(list.Get(4), u"New=Neu");
    list.SetValue(u"Open", u"");
    EXPECT_EQ(list.IndexOfName(u"Open"), -1);
    EXPECT_EQ(list.Text(), u"close=Zu\nplain\nx=a=b\nNew=Neu\n");
}

TEST(TzuWideStrings, AssignAndAddStringsCopyLinesAndObjects) {
    TzuWideStringList a, b;
    a.AddObject(u"one", &b);
    a.Add(u"two");
    b.Add(u"old");
    b.Assign(a);
    EXPECT_TRUE(b.Equals(a));
    EXPECT_EQ(b.GetObject(0), &b);
    a.AddStrings(a);  // adding a list to itself doubles it once
    EXPECT_EQ(a.ToVector(), (Lines{u"one", u"two", u"one", u"two"}));
    a.Assign(a);
    EXPECT_EQ(a.Count(), 4);
}

TEST(TzuWideStrings, StringsStreamProperty) {
    TzuWideStringList list;
    const TzuPropInfo* prop = list.ClassType().FindProperty("strings");
    ASSERT_NE(prop, nullptr);
    EXPECT_EQ(prop->kind, TzuPropKind::Defined);
    EXPECT_FALSE(prop->isStored(&list));
    list.Add(u"x");
    list.Add(u"\u4E2D");
    EXPECT_TRUE(prop->isStored(&list));
    TzuStreamValue value = prop->writeValue(&list);

    TzuWideStringList copy;
    copy.Add(u"stale");
    int changed = 0;
    copy.OnChange().Set([&](TzuPersistent*) { ++changed; });
    prop->readValue(&copy, value);
    EXPECT_EQ(copy.ToVector(), (Lines{u"x", u"\u4E2D"}));
    EXPECT_EQ(changed, 1);

    EXPECT_THROW(prop->readValue(&copy, TzuStreamValue(std::string("x"))), EzuError);
    EXPECT_EQ(copy.Count(), 2);
    EXPECT_TRUE(TzuWideStringList::StaticClass().InheritsFrom(TzuWideStrings::StaticClass()));
    EXPECT_NE(TzuWideStringList::StaticClass().create, nullptr);
    EXPECT_EQ(TzuWideStrings::StaticClass().create, nullptr);
}

class TranslateTest : public ::testing::Test {
protected:
    void TearDown() override {
        SetTranslateCollector(nullptr);
        SetTranslateDictionary(nullptr);
        SetTranslateReverse(false);
    }
};

TEST_F(TranslateTest, WithoutDictionaryTextPassesThrough) {
    EXPECT_EQ(Translate(u"Open"), u"Open");
    EXPECT_EQ(Translate(u""), u"");
}

TEST_F(TranslateTest, DictionaryLooksUpForwardAndReverse) {
    auto dict = std::make_unique<TzuWideStringList>();
    dict->SetText(u"Open=\u00D6ffnen\nSave=Speichern\nEmpty=");
    SetTranslateDictionary(std::move(dict));
    EXPECT_EQ(Translate(u"Open"), u"\u00D6ffnen");
    EXPECT_EQ(Translate(u"save"), u"Speichern");
    EXPECT_EQ(Translate(u"Quit"), u"Quit");
    EXPECT_EQ(Translate(u"Empty"), u"Empty");
    SetTranslateReverse(true);
    EXPECT_EQ(Translate(u"Speichern"), u"Save");
    EXPECT_EQ(Translate(u"Open"), u"Open");
}

TEST_F(TranslateTest, CollectorGathersEveryNonEmptyText) {
    SetTranslateCollector(std::make_unique<TzuWideStringList>());
    Translate(u"One");
    Translate(u"");
    Translate(u"Two");
    EXPECT_EQ(TranslateCollector()->ToVector(), (Lines{u"One", u"Two"}));
}

}  // namespace
}  // namespace zu
