// Image lists and the bitmap buttons that take their picture from an action's list: the
// empty-bitmap rule, indexes outside the list, a list freed under its action, and the
// images carried through a component stream (and refused when the data is bad).

#include "scene/zu_scene/graphics/image_list.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "hosted_scene.h"
#include "platform/core/action.h"
#include "platform/core/stream_reader.h"
#include "platform/core/stream_writer.h"
#include "scene/zu_controls/bitmap_button.h"
#include "scene/zu_scene/graphics/bitmap.h"

namespace zu::test {
namespace {

using ImageLists = HostedScene;

std::unique_ptr<TzuBitmap> Solid(int w, int h, TzuColor color) {
    auto b = std::make_unique<TzuBitmap>(w, h);
    b->Clear(color);
    return b;
}

TEST_F(ImageLists, EmptyButtonBitmapTakesTheActionsImageAndFollowsTheList) {
    auto* images = new TzuImageList(form);
    images->SetSize(20, 12);
    EXPECT_EQ(images->Add(*Solid(20, 12, 0xFFFF0000)), 0);
    EXPECT_EQ(images->Add(*Solid(20, 12, 0xFF0000FF)), 1);
    EXPECT_THROW(images->Add(*Solid(12, 20, 0xFF00FF00)), EzuError);
    ASSERT_EQ(images->Count(), 2);
    EXPECT_EQ(images->Image(2), nullptr);
    EXPECT_EQ(images->Image(-1), nullptr);

    auto* action = new TzuAction(form);
    action->SetImageList(images);
    action->SetImageIndex(1);

    // Empty bitmap: the list's height and the picture at the index, copied not shared.
    auto* b = Add<TzuBitmapButton>(10, 10);
    b->SetAction(action);
    EXPECT_EQ(b->BitmapSize(), 12.0f);
    ASSERT_EQ(b->Bitmap()->Width(), 20);
    EXPECT_EQ(b->Bitmap()->Height(), 12);
    EXPECT_EQ(b->Bitmap()->Bits()[0], images->Image(1)->Bits()[0]);
    EXPECT_NE(b->Bitmap()->Bits(), images->Image(1)->Bits());
    // Once it shows a picture the button keeps it; a later index does not replace it.
    action->SetImageIndex(0);
    EXPECT_EQ(b->Bitmap()->Bits()[0], images->Image(1)->Bits()[0]);

    // A bitmap of the button's own wins over the list.
    auto* own = Add<TzuBitmapButton>(80, 10);
    own->SetBitmap(*Solid(8, 8, 0xFF00FF00));
    own->SetAction(action);
    EXPECT_EQ(own->Bitmap()->Width(), 8);
    EXPECT_EQ(own->BitmapSize(), 32.0f);

    // Out of range: the size follows the list, the bitmap stays empty.
    auto* far = Add<TzuBitmapButton>(150, 10);
    action->SetImageIndex(7);
    far->SetAction(action);
    EXPECT_EQ(far->BitmapSize(), 12.0f);
    EXPECT_TRUE(far->BitmapEmpty());

    // Freeing the list clears the action's link; the buttons keep their copies.
    delete images;
    EXPECT_EQ(action->ImageList(), nullptr);
    EXPECT_EQ(b->Bitmap()->Width(), 20);
    action->SetImageIndex(0);
    EXPECT_TRUE(far->BitmapEmpty());
    // A new size drops images that no longer fit.
    TzuImageList other(nullptr);
    other.Add(*Solid(16, 16, 0xFF000000));
    other.SetSize(16, 16);
    EXPECT_EQ(other.Count(), 1);
    other.SetWidth(8);
    EXPECT_EQ(other.Count(), 0);
}

TEST_F(ImageLists, ImagesSurviveAStreamAndBadDataIsRefusedWhole) {
    TzuImageList images(nullptr);
    images.SetName("Images");
    images.SetSize(5, 3);
    auto first = Solid(5, 3, 0xFF102030);
    first->Bits()[4] = 0x80402010;  // a half-covered premultiplied pixel must come back exact
    images.Add(*first);
    images.Add(*Solid(5, 3, 0x00000000));
    std::vector<uint8_t> data;
    TzuStreamWriter(data).WriteRoot(&images);

    TzuImageList copy(nullptr);
    TzuStreamReader(data).ReadRootInto(&copy);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy.Width(), 5);
    EXPECT_EQ(copy.Height(), 3);
    for (int i = 0; i < 2; ++i) {
        const std::vector<uint32_t> want(images.Image(i)->Bits(), images.Image(i)->Bits() + 15);
        const std::vector<uint32_t> got(copy.Image(i)->Bits(), copy.Image(i)->Bits() + 15);
        EXPECT_EQ(got, want) << i;
    }
    // An action streams its list by name and finds it again among its owner's components.
    {
        TzuForm owner(nullptr);
        auto* list = new TzuImageList(&owner);
        list->SetName("Icons");
        auto* act = new TzuAction(&owner);
        act->SetImageList(list);
        std::vector<uint8_t> actionData;
        TzuStreamWriter(actionData).WriteRoot(act);
        auto* again = new TzuAction(&owner);
        TzuStreamReader(actionData).ReadRootInto(again);
        EXPECT_EQ(again->ImageList(), list);
        delete list;
        EXPECT_EQ(again->ImageList(), nullptr);
        EXPECT_EQ(act->ImageList(), nullptr);
    }
    // An empty list writes no images and reads back empty.
    TzuImageList empty(nullptr);
    EXPECT_FALSE(empty.ImagesStored());

    // Every cut of the image set, a lying count, trailing bytes, a wrong size and
    // undecodable pixels raise and leave the list as it was.
    const TzuBytes good = std::get<TzuBytes>(images.WriteImages());
    std::vector<TzuBytes> bad;
    for (size_t n : {size_t(0), size_t(3), size_t(10), size_t(16), good.size() / 2, good.size() - 1})
        bad.emplace_back(good.begin(), good.begin() + std::ptrdiff_t(n));
    TzuBytes lying = good;
    lying[12] = 0xFF;  // count
    bad.push_back(lying);
    TzuBytes trailing = good;
    trailing.push_back(0);
    bad.push_back(trailing);
    TzuBytes wide = good;
    wide[4] = 6;  // width no longer matches the images
    bad.push_back(wide);
    TzuBytes garbled = good;
    for (size_t i = 20; i < 40; ++i) garbled[i] = 0x5A;
    bad.push_back(garbled);
    for (size_t i = 0; i < bad.size(); ++i) {
        EXPECT_THROW(copy.ReadImages(bad[i]), EzuError) << i;
        EXPECT_EQ(copy.Count(), 2) << i;
        EXPECT_EQ(copy.Width(), 5) << i;
    }
    EXPECT_THROW(copy.ReadImages(TzuStreamValue(std::string("png"))), EzuError);
    copy.ReadImages(good);
    EXPECT_EQ(copy.Count(), 2);
}

}  // namespace
}  // namespace zu::test
