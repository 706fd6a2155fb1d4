#include "tools/spray.h"
#include "tools/painter.h"
#include <algorithm>
#include <random>

namespace {

constexpr unsigned kSeed = 38383; // each stroke's sequence starts here

// Spray: while a button is held, pixels land at random in a round area under the pointer, the
// left button's in the draw colour, the right's in the background; the press sprinkles and so
// does each tick of the held button, as many dots as the flow gives the time (a part of a dot
// is carried to the next tick), so the spray grows denser the longer it is held, and a move
// takes it along. Every stroke's sequence starts the same. A press to its release is one step.
class Spray : public Tool {
public:
    void press(ToolContext& context, const PointerEvent& event) override {
        if (event.button != MouseButton::Left && event.button != MouseButton::Right) return;
        const Document& document = context.document;
        button_ = event.button;
        color_ = button_ == MouseButton::Left ? document.draw_color : document.back_color;
        spraying_ = true;
        random_.seed(kSeed);
        owed_ = kDot / 2; // the dots round to the nearest
        at_ = event.at;
        context.stroke.paint_into();
        tick(context);
    }

    void move(ToolContext& context, const PointerEvent& event) override {
        if (!spraying_) return;
        if (!(button_ == MouseButton::Left ? event.left : event.right)) return end(context);
        at_ = event.kept;
        context.view.set_cursor(at_);
    }

    void release(ToolContext& context, const PointerEvent& event) override {
        if (spraying_ && event.button == button_) end(context);
    }

    bool busy() const override { return spraying_; }

    void tick(ToolContext& context) override {
        if (!spraying_) return;
        const int aspect = context.painter.pixel_aspect();
        const int radius = spray_radius(context.painter.pen.size);
        const int across = radius / aspect;
        owed_ +=
            std::clamp(context.painter.spray_flow, kLeastSprayFlow, kMostSprayFlow) * kSprayTick;
        for (; owed_ >= kDot; owed_ -= kDot) {
            int column = 0, row = 0;
            do {
                column = int(random_() % unsigned(2 * across + 1)) - across;
                row = int(random_() % unsigned(2 * radius + 1)) - radius;
            } while (column * column * aspect * aspect + row * row > radius * radius);
            context.painter.paint({at_.column + column, at_.row + row}, color_);
        }
        context.view.set_cursor(at_);
    }

private:
    static constexpr int kDot = 1000; // what a dot owes: a dot a second for a millisecond each

    void end(ToolContext& context) {
        spraying_ = false;
        context.stroke.end();
    }

    bool spraying_ = false;
    MouseButton button_ = MouseButton::Left;
    std::uint8_t color_ = 0;
    PixelPos at_;
    int owed_ = 0; // dot-milliseconds of flow not yet sprinkled
    std::minstd_rand random_;
};

} // namespace

std::unique_ptr<Tool> spray_tool() { return std::make_unique<Spray>(); }

int spray_radius(int pen_size) { return 4 + 4 * pen_size; }

std::string spray_text(int pen_size, int flow) {
    return "Spray, " + std::to_string(spray_radius(pen_size)) + " rows round, " +
           std::to_string(flow) + " dots a second";
}
