#pragma once
#include "colour/pal_display.h"
#include "full_cell/full_cell.h"
#include "tools/ink.h"
#include "tools/pen.h"
#include "tools/spray.h"
#include "tools/symmetry.h"
#include "tools/tool.h"
#include <optional>
#include <string>
#include <vector>

// What a tool paints at each point it names.
enum class Tip : std::uint8_t {
    Pixel, // the one pixel
    Shape, // the pen, or the brush's shape, in the colour asked for
    Stamp, // the pen in the colour asked for, or the brush in its own colours
};

// What the tools paint into: the picture's pixels, or the sprites' pixels over it, in the
// screen pixels of the 320 x 200 display window.
enum class PaintTarget : std::uint8_t { Bitmap, Sprites };

// What painting has done since it was last asked: the pixels it wrote one by one (each shows
// as it was painted), the area it wrote all at once (the views draw it anew), and what the
// analysis of the last pixel painted one by one found there, before its write, for the
// swatches.
struct PaintReport {
    std::vector<PixelPos> pixels;
    PixelArea redrawn;
    std::optional<Analysis> found;
    // The pixel whose plot the colour limit refused last, if any.
    std::optional<PixelPos> refused;
    // Why a sprite pixel was refused last ("No sprite lies there"); empty when none was.
    std::string sprite_refusal;
    bool changed() const { return !pixels.empty() || !redrawn.empty(); }
};

// Every pixel a tool paints goes through here: the pen stamps the point, the symmetry mirrors
// each stamped pixel, the ink gives each its colour, and the pixel is plotted under the
// full-cell choice into the document's open edit, all in the same step. A brush stamped in its
// own colours keeps them; every pixel painted in one colour goes through the ink. A PAL blend
// then takes the place of its first colour, whichever way the pixel came by it. Nothing is
// drawn here: the painting is collected until the views take it, once a pointer event.
class Painter {
public:
    explicit Painter(Document& document);

    // What the tools paint into. Into the sprites, the positions painted at are screen pixels
    // and the background colour clears a sprite's pixel.
    PaintTarget target = PaintTarget::Bitmap;
    // The pixels the tools paint in: the picture's, or the screen's 320 x 200; how many times
    // as wide as high each is.
    PixelArea area() const;
    int pixel_aspect() const;
    // The colour that shows at a pixel of the area; the area of one colour round `seed` that a
    // fill takes, 4-connected.
    std::uint8_t shown_colour(PixelPos at) const;
    std::vector<PixelPos> area_of_one_colour(PixelPos seed) const;
    // Edit > When a Cell Is Full. The nearest colour is measured in the colours the views show.
    FullCell full_cell = FullCell::KeepColours;
    // A PAL blend chosen from View > PAL Blends: what the tools paint in its first colour goes
    // on alternating picture rows in its two colours, the first on the even rows, so that
    // areas painted apart meet without a seam.
    std::optional<PalBlend> blend;
    // The pen or brush that a Shape or Stamp tip paints with.
    Pen pen;
    // The pattern and the second colour that what is painted in one colour takes.
    Ink ink;
    // The mirror images every painted pixel has.
    Symmetry symmetry;
    // The colour a brush taken up leaves out; none: the picture's background colour.
    std::optional<std::uint8_t> brush_transparent;
    // How many dots a second the spray sprinkles (its reach follows the pen's size).
    int spray_flow = kSprayFlow;

    // Paints at `point`, each pixel to be shown as it was painted (with any of its area that
    // took the colour too).
    void paint(PixelPos point, std::uint8_t color, Tip tip = Tip::Pixel);
    // Paints at each point of the line from `from` to `to`, so a stroke has no gaps; a pixel
    // that several stamps cover is plotted once, in the colour the last one gives it.
    void paint_line(PixelPos from, PixelPos to, std::uint8_t color, Tip tip);
    // Paints at each point at once: the views draw the area anew.
    void paint_quietly(const std::vector<PixelPos>& points, std::uint8_t color,
                       Tip tip = Tip::Pixel);
    // Plots one pixel under the full-cell choice, for an edit that tells the views itself.
    Plotted plot(PixelPos at, std::uint8_t color);

    // The pixels within the picture that painting at the points would plot, each once.
    std::vector<InkedPixel> pixels_at(const std::vector<PixelPos>& points, std::uint8_t color,
                                      Tip tip);

    // A sprite change refused, in words for the status bar, told with the painting.
    void refuse_sprite(std::string why) { report_.sprite_refusal = std::move(why); }

    // What was painted since this was last asked.
    PaintReport take_report();

private:
    std::vector<StampPixel> stamp(Tip tip, std::uint8_t color) const;
    void paint_shown(PixelPos at, std::uint8_t color);
    Plotted plot_chosen(PixelPos at, std::uint8_t color);
    // Paints the sprite pixel under the screen pixel `at`; true when it was painted (or held
    // the colour already). The picture's pixels it shows over are reported painted.
    bool paint_sprite(PixelPos at, std::uint8_t color);
    // The colour of a pixel at `at` stamped in `color`; none where the pattern keeps what is
    // there.
    std::optional<std::uint8_t> inked(PixelPos at, std::uint8_t color, bool own_colours) const;

    Document& document_;
    PaintReport report_;
    std::vector<int> slot_; // of each picture pixel, its place in pixels_at's answer, or -1
};
