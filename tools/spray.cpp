#include "tools/painter.h"
#include <random>

namespace {

constexpr int kSprayRadius = 8;   // rows from the middle; as far across on screen
constexpr int kDotsPerTick = 6;   // pixels each press, move and tick sprinkles
constexpr unsigned kSeed = 38383; // each stroke's sequence starts here

// Spray: while a button is held, pixels land at random in a round area under the pointer, the
// left button's in the draw colour, the right's in the background; each move and each tick of
// the held button sprinkles more, so the spray grows denser the longer it is held. Every
// stroke's sequence starts the same. A press to its release is one step.
class Spray : public Tool {
public:
    void press(ToolContext& context, const PointerEvent& event) override {
        if (event.button != MouseButton::Left && event.button != MouseButton::Right) return;
        const Document& document = context.document;
        button_ = event.button;
        color_ = button_ == MouseButton::Left ? document.draw_color : document.back_color;
        spraying_ = true;
        random_.seed(kSeed);
        at_ = event.at;
        context.stroke.paint_into();
        tick(context);
    }

    void move(ToolContext& context, const PointerEvent& event) override {
        if (!spraying_) return;
        if (!(button_ == MouseButton::Left ? event.left : event.right)) return end(context);
        at_ = event.kept;
        tick(context);
    }

    void release(ToolContext& context, const PointerEvent& event) override {
        if (spraying_ && event.button == button_) end(context);
    }

    bool busy() const override { return spraying_; }

    void tick(ToolContext& context) override {
        if (!spraying_) return;
        const int aspect = context.document.mode().shape.pixel_aspect;
        const int across = kSprayRadius / aspect;
        for (int dot = 0; dot < kDotsPerTick; ++dot) {
            int column = 0, row = 0;
            do {
                column = int(random_() % unsigned(2 * across + 1)) - across;
                row = int(random_() % unsigned(2 * kSprayRadius + 1)) - kSprayRadius;
            } while (column * column * aspect * aspect + row * row > kSprayRadius * kSprayRadius);
            context.painter.paint({at_.column + column, at_.row + row}, color_);
        }
        context.view.set_cursor(at_);
    }

private:
    void end(ToolContext& context) {
        spraying_ = false;
        context.stroke.end();
    }

    bool spraying_ = false;
    MouseButton button_ = MouseButton::Left;
    std::uint8_t color_ = 0;
    PixelPos at_;
    std::minstd_rand random_;
};

} // namespace

std::unique_ptr<Tool> spray_tool() { return std::make_unique<Spray>(); }
