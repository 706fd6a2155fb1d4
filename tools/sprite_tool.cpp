#include "sprites/sprite_pixels.h"
#include "tools/painter.h"

namespace {

// Sprite: a click on an empty place adds a hires sprite in the draw colour, its top-left at the
// screen pixel clicked; a press on a sprite chooses it, and a drag moves it, the sprite
// following the pointer, as one step whose place the release checks against the eight-a-line
// limit (unless the full-cell choice paints freely). It works in screen pixels whatever the
// tools paint into.
class SpriteTool : public Tool {
    void press(ToolContext& context, const PointerEvent& event) override {
        if (event.button != MouseButton::Left) return;
        const SpriteSet& set = context.document.sprites();
        const std::optional<std::size_t> under = sprite_under(set, event.screen);
        if (!under) {
            const Sprite added{.x = event.screen.column,
                               .y = event.screen.row,
                               .colour = context.document.draw_color};
            const SpriteOutcome outcome = context.sprites.add_sprite(added);
            if (!outcome) context.painter.refuse_sprite(outcome.refusal);
            return;
        }
        context.sprites.choose_sprite(*under);
        dragging_ = true;
        index_ = *under;
        before_ = set;
        const Sprite& sprite = set.sprites[index_];
        grip_ = {event.screen.column - sprite.x, event.screen.row - sprite.y};
    }

    // A move without the left button means its release went elsewhere: the move is dropped.
    void move(ToolContext& context, const PointerEvent& event) override {
        if (!dragging_) return;
        if (!event.left) {
            dragging_ = false;
            return context.stroke.drop();
        }
        const PixelPos to{event.screen.column - grip_.column, event.screen.row - grip_.row};
        const Sprite& sprite = context.document.sprites().sprites[index_];
        if (to == PixelPos{sprite.x, sprite.y}) return;
        context.stroke.paint_into("Move Sprite");
        Sprite& moved = context.document.edited_sprites().sprites[index_];
        moved.x = to.column;
        moved.y = to.row;
        context.view.redraw();
    }

    void release(ToolContext& context, const PointerEvent& event) override {
        if (!dragging_ || event.button != MouseButton::Left) return;
        dragging_ = false;
        const std::string refusal = context.painter.full_cell == FullCell::PaintFreely
                                        ? std::string()
                                        : crowding_refusal(before_, context.document.sprites());
        if (refusal.empty()) return context.stroke.end();
        context.stroke.drop();
        context.painter.refuse_sprite(refusal);
    }

    bool busy() const override { return dragging_; }
    bool paints() const override { return false; }

    bool dragging_ = false;
    std::size_t index_ = 0;
    SpriteSet before_; // as the press found it, against which the release checks the limit
    PixelPos grip_;    // the pointer's place within the sprite
};

} // namespace

std::unique_ptr<Tool> sprite_tool() { return std::make_unique<SpriteTool>(); }
