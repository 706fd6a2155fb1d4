#include "sprites/sprite_limit.h"
#include "c64/sprite_multiplex.h"

std::string crowding_refusal(const SpriteSet& before, const SpriteSet& after) {
    for (const int row : crowded_rows(after)) {
        const std::size_t holds = sprites_on_row(after, row).size();
        if (holds > sprites_on_row(before, row).size())
            return "Row " + std::to_string(row) + " would hold " + std::to_string(holds) +
                   " sprites";
    }
    return {};
}
