#pragma once
#include "colour/palettes.h"
#include "colour/rgb_image.h"
#include "geometry/geometry.h"
#include "picture/picture.h"
#include <optional>

// An image to trace, shown over the picture and never part of it: the views blend it over
// the colours they show, while the pixels, the files, the exports, the prints, Pick colour and
// the cell rules see only the picture. No Qt.
struct ReferenceImage {
    RgbImage rgb;   // kPictureColumns x kPictureRows
    PixelArea area; // where the image lies: elsewhere the picture shows alone

    bool operator==(const ReferenceImage&) const = default;
};

// An image laid onto the picture as Import lays it: in the same place and shape, or `placed`
// where Import's dialog places it (on the 320 x 200 screen, in its pixels).
ReferenceImage reference_from_image(const RgbImage& image,
                                    const std::optional<PixelArea>& placed = std::nullopt);
// A C64 picture `columns` wide (160, or 320 in hires) as it shows in `colors`, over the whole
// picture; two hires pixels make one pixel of the image, their colours mixed.
ReferenceImage reference_from_picture(const StoredPicture& picture, int columns,
                                      const Palette& colors);

// The opacities the View menu offers, in percent.
constexpr int kReferenceOpacities[] = {0, 25, 50, 75, 100};

// A reference image as the views show it: at an opacity, in percent. Without an image (none
// loaded, or hidden) the views show the picture alone.
// The image is kept at 160 x 200 in every mode: in a picture 320 columns wide each of its
// pixels lies under two of the picture's.
struct ReferenceLayer {
    const ReferenceImage* image = nullptr;
    int opacity = 0;
    int picture_columns = kPictureColumns;

    // `shown` holds the colours of picture row `row` from column `first` on, `columns` of
    // them, each `repeat` entries wide: the reference is blended over those it covers.
    void blend_row(int row, int first, int columns, int repeat, TColor* shown) const;
};
