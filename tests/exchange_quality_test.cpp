// Conversion of real photographs and drawings that nobody here made: ImageMagick's built-in
// images, written out at build time.
#include "conversion/convert.h"
#include "formats/image_file.h"
#include <QFile>
#include <gtest/gtest.h>

// Where the limit per cell costs the simple method anything, the search does better; where it
// costs nothing (granite: no cell holds more than four nearest colours), both reach the floor.
TEST(Quality, RealImagesObeyTheLimitAndComeCloserThanTheSimpleMethod) {
    for (const char* name : {"rose", "logo", "wizard", "granite"}) {
        const QString file = QStringLiteral(VEXLOR_SAMPLE_IMAGES "/%1.png").arg(name);
        if (!QFile::exists(file)) GTEST_SKIP() << "ImageMagick's convert was not found";
        const ImageRead read = read_image_file(file);
        ASSERT_TRUE(read.error.isEmpty()) << read.error.toStdString();
        for (BackgroundChoice background : {BackgroundChoice::Black, BackgroundChoice::Best}) {
            const Conversion conversion = convert_image(read.image, {.background = background});
            EXPECT_TRUE(
                inexact_cells(multicolor_grid(conversion.picture), conversion.background).none())
                << name;
        }
        const ConversionError error =
            measure_conversion(read.image, {.background = BackgroundChoice::Best});
        EXPECT_GE(error.searched, error.floor - 1e-9) << name;
        if (error.simple > error.floor + 1e-6)
            EXPECT_LT(error.searched, error.simple) << name;
        else
            EXPECT_NEAR(error.searched, error.simple, 1e-6) << name;
    }
}
