#include "desk/desk.h"
#include <string>

void Desk::choose_paint_target(PaintTarget target) {
    end_stroke();
    painter_.target = target;
    painter_.symmetry = symmetry_.in(painter_.area()); // about the middle of what is painted
    notify({DeskChange::Target});
}

std::optional<std::size_t> Desk::chosen_sprite() const {
    if (chosen_sprite_ && *chosen_sprite_ < document_.sprites().sprites.size())
        return chosen_sprite_;
    return std::nullopt;
}

void Desk::choose_sprite(std::optional<std::size_t> index) {
    chosen_sprite_ = index;
    notify({DeskChange::Sprite});
}

SpriteOutcome Desk::change_sprites(const char* label,
                                   const std::function<void(SpriteSet&)>& change) {
    SpriteOutcome outcome;
    Document::Edit edit = open_edit(label);
    const SpriteSet before = document_.sprites();
    change(edit.sprites());
    if (painter_.full_cell != FullCell::PaintFreely)
        outcome.refusal = crowding_refusal(before, document_.sprites());
    if (outcome) edit.commit(); // dropped uncommitted, the edit puts the sprites back
    return outcome;
}

namespace {
SpriteOutcome no_sprite(std::size_t index) {
    return {"There is no sprite " + std::to_string(index)};
}
} // namespace

SpriteOutcome Desk::add_sprite(const Sprite& sprite) {
    const SpriteOutcome outcome =
        change_sprites("Add Sprite", [&](SpriteSet& set) { set.sprites.push_back(sprite); });
    if (outcome) choose_sprite(document_.sprites().sprites.size() - 1);
    return outcome;
}

SpriteOutcome Desk::add_sprites(const std::vector<Sprite>& sprites) {
    return change_sprites("Import Sprites", [&](SpriteSet& set) {
        set.sprites.insert(set.sprites.end(), sprites.begin(), sprites.end());
    });
}

SpriteOutcome Desk::move_sprite(std::size_t index, PixelPos to) {
    return change_sprite(
        index,
        [to](Sprite& sprite) {
            sprite.x = to.column;
            sprite.y = to.row;
        },
        "Move Sprite");
}

SpriteOutcome Desk::remove_sprite(std::size_t index) {
    if (index >= document_.sprites().sprites.size()) return no_sprite(index);
    const std::optional<std::size_t> chosen = chosen_sprite();
    change_sprites("Remove Sprite", [&](SpriteSet& set) {
        set.sprites.erase(set.sprites.begin() + std::ptrdiff_t(index));
    });
    if (chosen == index)
        choose_sprite(std::nullopt);
    else if (chosen && *chosen > index)
        choose_sprite(*chosen - 1);
    return {};
}

SpriteOutcome Desk::change_sprite(std::size_t index, const std::function<void(Sprite&)>& change,
                                  const char* label) {
    if (index >= document_.sprites().sprites.size()) return no_sprite(index);
    return change_sprites(label, [&](SpriteSet& set) { change(set.sprites[index]); });
}

SpriteOutcome Desk::set_sprite_shared_colours(std::uint8_t colour0, std::uint8_t colour1) {
    return change_sprites("Shared Sprite Colours", [=](SpriteSet& set) {
        set.shared_colour0 = colour0;
        set.shared_colour1 = colour1;
    });
}
