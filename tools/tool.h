#pragma once
#include "document/document.h"
#include "geometry/geometry.h"
#include "sprites/sprite_limit.h"
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class Painter;

enum class MouseButton : std::uint8_t { None, Left, Right, Middle };

// A pointer event over the zoom view, in the pixels the tool works in: the picture's, or the
// screen's (320 x 200) for a tool that paints while the tools paint into the sprites.
struct PointerEvent {
    PixelPos at;   // the pixel under the pointer; far outside the picture left of or above it
    PixelPos kept; // the same, kept within the view when the pointer has left it
    MouseButton button = MouseButton::None; // the one pressed or let go
    bool left = false;                      // the buttons held
    bool right = false;
    bool shift = false;
    bool in_area = false; // over the drawing area, where painting happens
    bool ctrl = false;
    PixelPos screen{}; // the screen pixel under the pointer, whatever the tool works in
};

// A pixel to paint and its colour.
struct InkedPixel {
    PixelPos at;
    std::uint8_t color = 0;
    bool operator==(const InkedPixel&) const = default;
};

// What tools draw in the zoom view, and the little else they ask of the windows.
class ToolView {
public:
    virtual ~ToolView() = default;
    // A pixel in `color`, with the grid-coloured outline, until the view is redrawn: a shape
    // still being dragged, not yet in the picture.
    virtual void draw_pixel(PixelPos at, std::uint8_t color) = 0;
    // The whole view drawn again from the picture.
    virtual void redraw() = 0;
    // The picture position painted last (the zoom window's cursor_x and cursor_y).
    virtual void set_cursor(PixelPos at) = 0;
    // The pen or brush under the pointer, drawn over the picture (`outline`: only the outline
    // round the pixels) until it is shown elsewhere; no pixels hide it.
    virtual void show_tip(std::vector<InkedPixel> pixels, bool outline) = 0;
    // As if the colour's palette button had been pressed.
    virtual void choose_colour(std::uint8_t color) = 0;
};

// The edit a stroke paints into: opened when it first paints, committed when it ends (at the
// release of a button, or when a command needs an edit of its own).
class Stroke {
public:
    explicit Stroke(Document& document) : document_(document) {}
    void paint_into(const char* label = "Paint");
    void end();
    // The stroke is taken back whole, its edit rolled back.
    void drop();

private:
    Document& document_;
    std::optional<Document::Edit> edit_;
};

// What the selection tool's drag takes: the rectangle between its corners, or the pixels
// within the outline the pointer draws.
enum class SelectShape : std::uint8_t { Rectangle, Lasso };

// The sprite commands the sprite tool gives, each one step: the desk's.
class SpriteCommands {
public:
    virtual ~SpriteCommands() = default;
    virtual SpriteOutcome add_sprite(const Sprite& sprite) = 0;
    virtual void choose_sprite(std::optional<std::size_t> index) = 0;
};

// What a tool works with.
struct ToolContext {
    Document& document;
    ToolView& view;
    Painter& painter;
    Stroke& stroke;
    const SelectShape& select_shape;
    SpriteCommands& sprites;
    // An edit of the tool's own: a stroke still under way is a step of its own first.
    Document::Edit open_edit(std::string label) {
        stroke.end();
        return {document, std::move(label)};
    }
};

// A tool over the document: a button's press, the moves that follow, its release, and a
// gesture dropped half way.
class Tool {
public:
    virtual ~Tool() = default;
    virtual void press(ToolContext& context, const PointerEvent& event) = 0;
    virtual void move(ToolContext&, const PointerEvent&) {}
    virtual void release(ToolContext&, const PointerEvent&) {}
    // A gesture under way has every move and the release, whatever tool is chosen meanwhile.
    virtual bool busy() const { return false; }
    // Time passing with the gesture under way and the pointer still (the spray's).
    virtual void tick(ToolContext&) {}
    // A gesture that may span the picture: the view follows the pointer past its edge.
    virtual bool follows_past_edge() const { return false; }
    // Whether it paints, into what the painter paints into, and so takes the pointer in its
    // pixels; a tool that does not works in the picture's pixels.
    virtual bool paints() const { return true; }
};
