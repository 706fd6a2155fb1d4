#pragma once
#include "colour/rgb_image.h"
#include "conversion/fit.h"
#include "geometry/geometry.h"
#include <array>
#include <cstdint>
#include <optional>

// What the artist makes of an image before it becomes a picture: its tones, the part of it
// taken, and where it lands on the picture and how large. The tones are ImageMagick's, applied
// in this order, so that an image adjusted there first converts alike:
//   convert in.png -brightness-contrast BxC -modulate 100,S -gamma G -crop WxH+X+Y +repage
// No Qt.
struct ImageAdjustments {
    int brightness = 0;   // percent, -100 to 100
    int contrast = 0;     // percent, -100 to 100
    int saturation = 100; // percent of each colour's HSL saturation, 0 (grey) to 300
    double gamma = 1.0;   // 0.1 to 10; above 1 lightens the middle tones
    // The part of the image taken, in its pixels (cut at its edges); none: all of it.
    std::optional<PixelArea> crop = std::nullopt;
    // Where the image (as cropped) lands on the C64's 320 x 200 screen and how large, in
    // screen pixels; it may reach past the screen's edges. None: fitted whole and centred,
    // keeping its shape. The picture outside it is the background.
    std::optional<PixelArea> place = std::nullopt;

    bool changes_tones() const {
        return brightness != 0 || contrast != 0 || saturation != 100 || gamma != 1.0;
    }
    bool operator==(const ImageAdjustments&) const = default;
};

// The ranges each setting takes; the converter refuses a value outside them.
constexpr int kMostBrightness = 100; // and as far below 0, as contrast
constexpr int kMostSaturation = 300;
constexpr double kLeastGamma = 0.1, kMostGamma = 10.0;
constexpr int kMostPlaced = 4; // a placed image reaches at most this many screens across or down

// Whether each value lies in its range, a crop and a place have a size, and a place reaches
// no further than kMostPlaced screens either way; else what is wrong, in the converter's
// words ("--gamma must be 0.1 to 10").
std::optional<const char*> adjustments_error(const ImageAdjustments& adjustments);

// The tones of ImageAdjustments as one change of an image's pixels. ImageMagick works in 16
// bits a channel and rounds after each step; so does this, so that the two agree to the level.
class ToneChange {
public:
    explicit ToneChange(const ImageAdjustments& adjustments);
    // Changes `pixels` RGB triples in place.
    void apply(std::uint8_t* rgb, int pixels) const;

private:
    std::array<std::uint16_t, 256> level_{}; // brightness and contrast, 8 bits in, 16 out
    std::vector<std::uint16_t> gamma_;       // 16 bits in and out; empty when gamma is 1
    double saturation_ = 1;
};

// The part of a `width` x `height` image that `crop` takes, cut at its edges: all of it without
// one, and nothing where the crop lies wholly outside.
PixelArea cropped_area(int width, int height, const std::optional<PixelArea>& crop);

// The working copy of an image read row by row (see reduce_for_picture) as the adjustments make
// it: the crop taken and the tones changed, each row as it is read; an image drawn in a known
// palette (after the changes) keeps its colours. The copy is reduced to twice the size the image
// takes on the screen where it is placed, so that a small crop placed large stays sharp.
RgbImage adjusted_working_copy(int width, int height, const RowReader& row,
                               const ImageAdjustments& adjustments);
