#include "picture/picture.h"
#include <gtest/gtest.h>

TEST(PictureModel, StartsEmptyWithTheStartColours) {
    PictureModel model;
    for (std::uint8_t byte : model.picture) ASSERT_EQ(byte, 0);
    EXPECT_EQ(model.draw_color, 1);
    EXPECT_EQ(model.back_color, 0);
    EXPECT_EQ(model.pixel_grid_color, 0x555555u);
    EXPECT_EQ(model.char_grid_color, 0x11E0FFu);
    EXPECT_EQ(model.picture.size(), std::size_t(kStorageBytes));
}

TEST(PictureModel, ColumnZeroAndRowZeroAreRealPixels) {
    PictureModel model;
    model.write_pixel(0, 50, 7);
    model.write_pixel(50, 0, 6);
    model.write_pixel(0, 0, 5);
    EXPECT_EQ(model.read_pixel(0, 50), 7);
    EXPECT_EQ(model.read_pixel(50, 0), 6);
    EXPECT_EQ(model.read_pixel(0, 0), 5);
    EXPECT_EQ(model.picture[50 * 160], 7);
    EXPECT_EQ(model.picture[50], 6);
    EXPECT_EQ(model.picture[0], 5);
}

TEST(PictureModel, CornersAreAddressedRowMajor) {
    PictureModel model;
    model.write_pixel(159, 199, 9);
    model.write_pixel(159, 0, 3);
    model.write_pixel(0, 199, 4);
    model.write_pixel(1, 1, 2);
    EXPECT_EQ(model.picture[31999], 9);
    EXPECT_EQ(model.picture[159], 3);
    EXPECT_EQ(model.picture[199 * 160], 4);
    EXPECT_EQ(model.picture[161], 2);
    EXPECT_EQ(model.read_pixel(159, 199), 9);
}

TEST(PictureModel, OutOfRangeReadsGiveZero) {
    PictureModel model;
    model.picture.fill(7);
    EXPECT_EQ(model.read_pixel(160, 10), 0);
    EXPECT_EQ(model.read_pixel(10, 200), 0);
    EXPECT_EQ(model.read_pixel(-1, 10), 0);
    EXPECT_EQ(model.read_pixel(10, -1), 0);
    EXPECT_EQ(model.read_pixel(INT32_MIN, INT32_MAX), 0);
    EXPECT_EQ(model.read_pixel(159, 199), 7);
}

TEST(PictureModel, OutOfRangeWritesAreDropped) {
    PictureModel model;
    const auto before = model.picture;
    model.write_pixel(std::uint32_t(-1), 10, 5);
    model.write_pixel(10, std::uint32_t(-1), 5);
    model.write_pixel(160, 10, 5);
    model.write_pixel(10, 200, 5);
    model.write_pixel(160, 199, 5); // would land on row 200's first byte if unchecked
    EXPECT_EQ(model.picture, before);
}
