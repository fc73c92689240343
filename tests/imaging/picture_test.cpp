#include "imaging/picture.h"

#include <gtest/gtest.h>

namespace zephyrin {
namespace {

TEST(Picture, StartsBlackAndKeepsPackedColours) {
    Picture picture(4, 3);
    EXPECT_EQ(picture.Width(), 4);
    EXPECT_EQ(picture.Height(), 3);
    EXPECT_EQ(picture.Pixel(3, 2), 0u);
    picture.SetPixel(3, 2, Picture::Pack(10, 20, 30));
    EXPECT_EQ(picture.Pixel(3, 2), 10u + 256u * 20u + 65536u * 30u);
    EXPECT_EQ(Picture::Red(picture.Pixel(3, 2)), 10);
    EXPECT_EQ(Picture::Green(picture.Pixel(3, 2)), 20);
    EXPECT_EQ(Picture::Blue(picture.Pixel(3, 2)), 30);
}

TEST(Picture, FillPaintsEveryPixel) {
    Picture picture(3, 2);
    picture.SetPixel(1, 1, 0x0000FF);
    picture.Fill(Picture::Pack(1, 2, 3));
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 3; ++column) EXPECT_EQ(picture.Pixel(column, row), 0x030201u);
}

TEST(Picture, IgnoresWritesOutside) {
    Picture picture(2, 2);
    picture.SetPixel(-1, 0, 0xFFFFFF);
    picture.SetPixel(2, 0, 0xFFFFFF);
    picture.SetPixel(0, 2, 0xFFFFFF);
    picture.SetPixel(0, -1, 0xFFFFFF);
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 2; ++column) EXPECT_EQ(picture.Pixel(column, row), 0u);
    Picture empty(0, 0);
    empty.SetPixel(0, 0, 1);
    EXPECT_TRUE(empty.Empty());
}

TEST(Picture, ChangedReachesEveryObserverUntilRemoved) {
    Picture picture(1, 1);
    int first = 0, second = 0;
    const int id = picture.AddObserver([&] { ++first; });
    picture.AddObserver([&] { ++second; });
    picture.Changed();
    picture.RemoveObserver(id);
    picture.Changed();
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 2);
}

TEST(Picture, CopiesTakeThePixelsButNotTheObservers) {
    Picture picture(2, 1);
    picture.SetPixel(1, 0, 0x123456);
    int notified = 0;
    picture.AddObserver([&] { ++notified; });
    Picture copy = picture;
    Picture moved = std::move(copy);
    moved.Changed();
    EXPECT_EQ(notified, 0);
    EXPECT_EQ(moved.Pixel(1, 0), 0x123456u);
    picture.Changed();
    EXPECT_EQ(notified, 1);
}

}  // namespace
}  // namespace zephyrin
