// An image's tones, crop and place before conversion, against ImageMagick's own output.
#include "conversion/adjust.h"
#include "conversion/convert.h"
#include "modes/mode.h"
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>

namespace {

std::string temp_path(const std::string& name) {
    return (std::filesystem::path(::testing::TempDir()) / ("vexlor-adjust-" + name)).string();
}

// ImageMagick's `convert` with these arguments, within a minute; false where it failed.
bool run_convert(const std::string& arguments) {
    return std::system(("timeout 60 " VEXLOR_CONVERT " " + arguments).c_str()) == 0;
}

// A binary PPM, as ImageMagick writes it: "P6", the size, 255, then the RGB triples.
RgbImage read_ppm(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::string magic;
    int width = 0, height = 0, top = 0;
    file >> magic >> width >> height >> top;
    file.get();
    RgbImage image{width, height, std::vector<std::uint8_t>(std::size_t(width) * height * 3)};
    file.read(reinterpret_cast<char*>(image.rgb.data()), std::streamsize(image.rgb.size()));
    return magic == "P6" && top == 255 && file ? image : RgbImage{};
}

// ImageMagick's built-in picture, changed by `operations`.
RgbImage magick(const std::string& picture, const std::string& operations) {
    const std::string path =
        temp_path(picture + std::to_string(std::hash<std::string>{}(operations)) + ".ppm");
    if (!run_convert(picture + ": " + operations + " -depth 8 " + path)) return {};
    RgbImage image = read_ppm(path);
    std::filesystem::remove(path);
    return image;
}

int largest_difference(const RgbImage& a, const RgbImage& b) {
    int largest = 0;
    for (std::size_t i = 0; i < a.rgb.size(); ++i)
        largest = std::max(largest, std::abs(int(a.rgb[i]) - int(b.rgb[i])));
    return largest;
}

} // namespace

// Brightness and contrast, saturation and gamma change every pixel as ImageMagick's
// -brightness-contrast, -modulate 100,S and -gamma do, in that order: to the level.
TEST(ImageAdjustments, TonesMatchImageMagick) {
    const struct {
        const char* operations;
        ImageAdjustments adjustments;
    } cases[] = {
        {"-brightness-contrast 20x0", {.brightness = 20}},
        {"-brightness-contrast -35x0", {.brightness = -35}},
        {"-brightness-contrast 0x40", {.contrast = 40}},
        {"-brightness-contrast 10x-60", {.brightness = 10, .contrast = -60}},
        {"-brightness-contrast -100x100", {.brightness = -100, .contrast = 100}},
        {"-modulate 100,0", {.saturation = 0}},
        {"-modulate 100,180", {.saturation = 180}},
        {"-gamma 2.2", {.gamma = 2.2}},
        {"-gamma 0.45", {.gamma = 0.45}},
        {"-brightness-contrast 15x25 -modulate 100,140 -gamma 0.8",
         {.brightness = 15, .contrast = 25, .saturation = 140, .gamma = 0.8}},
    };
    for (const char* picture : {"rose", "logo"}) {
        const RgbImage original = magick(picture, "");
        ASSERT_GT(original.width, 0) << "ImageMagick did not run";
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(picture) + " " + c.operations);
            const RgbImage expected = magick(picture, c.operations);
            ASSERT_EQ(expected.rgb.size(), original.rgb.size());
            RgbImage changed = original;
            ToneChange(c.adjustments).apply(changed.rgb.data(), changed.width * changed.height);
            EXPECT_EQ(largest_difference(changed, expected), 0);
        }
    }
}

// The crop takes the part asked for, as -crop WxH+X+Y +repage does, cut at the image's edges;
// one wholly outside takes nothing. The working copy is of the part, adjusted.
TEST(ImageAdjustments, TheCropTakesThePartAsImageMagickDoes) {
    const RgbImage rose = magick("rose", "");
    ASSERT_GT(rose.width, 0) << "ImageMagick did not run";
    const struct {
        PixelArea crop;
        const char* operations; // "" where nothing is left
    } cases[] = {
        {{10, 5, 30, 20}, "-crop 30x20+10+5 +repage"},
        {{50, 30, 40, 40}, "-crop 40x40+50+30 +repage"}, // past the right and bottom edges
        {{-5, -5, 20, 10}, "-crop 15x5+0+0 +repage"},    // past the top left corner
        {{100, 0, 10, 10}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.operations);
        const ImageAdjustments adjustments{.gamma = 1.5, .crop = c.crop};
        const RgbImage copy =
            adjusted_working_copy(rose.width, rose.height, rows_of(rose), adjustments);
        if (!*c.operations) {
            EXPECT_EQ(copy.width * copy.height, 0);
            continue;
        }
        const RgbImage expected = magick("rose", std::string("-gamma 1.5 ") + c.operations);
        ASSERT_EQ(copy.width, expected.width);
        ASSERT_EQ(copy.height, expected.height);
        EXPECT_EQ(largest_difference(copy, expected), 0);
    }
}

// Placed, the image covers the picture's pixels that its place on the screen reaches into, the
// part within the picture is converted, and in a mode with a background the rest of the
// picture is the background; placed where the fit puts it, it converts as unplaced.
TEST(ImageAdjustments, APlacedImageLiesWhereAndAsLargeAsAsked) {
    RgbImage orange{40, 30, {}};
    for (int i = 0; i < 40 * 30; ++i) orange.rgb.insert(orange.rgb.end(), {200, 110, 40});
    const struct {
        PictureFormat format;
        PixelArea place; // on the screen
        PixelArea lies;  // in the picture's pixels
    } cases[] = {
        {fmtMulticolor, {20, 10, 100, 50}, {10, 10, 50, 50}},
        {fmtMulticolor, {21, 10, 100, 50}, {10, 10, 51, 50}}, // half a pixel further: one more
        {fmtHires, {21, 10, 100, 50}, {21, 10, 100, 50}},
        {fmtMulticolor, {-40, 180, 100, 50}, {0, 180, 30, 20}}, // past the corner
        {fmtMulticolor, {400, 0, 10, 10}, {}},                  // wholly off the screen
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.place.left << "," << c.place.top << " " << int(c.format));
        ConversionOptions options{
            .background = BackgroundChoice::Given, .given_background = 6, .format = c.format};
        options.place = c.place;
        const PictureTarget target = fit_to_picture(orange, nullptr, c.format, c.place);
        EXPECT_EQ((PixelArea{target.left, target.top, target.width, target.height}), c.lies);
        const Conversion conversion = convert_image(orange, options);
        const PictureShape& shape = mode_of(c.format).shape;
        int image_pixels = 0;
        const std::uint8_t first_pixel =
            conversion.picture[std::size_t(c.lies.top * shape.width + c.lies.left)];
        for (int row = 0; row < shape.height; ++row)
            for (int column = 0; column < shape.width; ++column) {
                const std::uint8_t pixel =
                    conversion.picture[std::size_t(row * shape.width + column)];
                if (c.lies.contains({column, row})) {
                    image_pixels += pixel == first_pixel;
                } else if (c.format != fmtHires) { // hires has no background
                    ASSERT_EQ(pixel, conversion.background) << column << "," << row;
                }
            }
        EXPECT_EQ(image_pixels, c.lies.width * c.lies.height); // a flat image, one colour
    }
    for (PictureFormat format : {fmtMulticolor, fmtHires}) {
        const RgbImage wide{300, 100, std::vector<std::uint8_t>(300 * 100 * 3, 90)};
        ConversionOptions placed{.format = format};
        placed.place = fitted_place(wide.width, wide.height, mode_of(format).shape);
        EXPECT_EQ(convert_image(wide, placed).picture,
                  convert_image(wide, {.format = format}).picture);
    }
}

// A part of a large image, placed large, keeps its detail: the working copy is reduced only to
// twice the size the image takes where it is placed.
TEST(ImageAdjustments, ACropPlacedLargeKeepsItsDetail) {
    RgbImage checks{1600, 1200, {}};
    for (int y = 0; y < checks.height; ++y)
        for (int x = 0; x < checks.width; ++x) {
            const std::uint8_t v = (x + y) % 2 ? 255 : 0;
            checks.rgb.insert(checks.rgb.end(), {v, v, v});
        }
    const ImageAdjustments adjustments{.crop = PixelArea{400, 300, 800, 600},
                                       .place = PixelArea{0, 0, 1280, 800}};
    const RgbImage copy =
        adjusted_working_copy(checks.width, checks.height, rows_of(checks), adjustments);
    EXPECT_EQ(copy.width, 800);
    EXPECT_EQ(copy.height, 600);
    EXPECT_EQ(copy.pixel(0, 0)[0], 0);
    EXPECT_EQ(copy.pixel(1, 0)[0], 255);
}
