// What the tools paint into (Edit › Paint into Sprites, I), the status bar's word for it, the
// words for a sprite change refused, and Edit › Delete while the sprite tool is chosen.
#include "app/Main.h"
#include "app/editor_desk.h"
#include <QLabel>

void Tokno1::set_up_sprite_items() {
    paint_into_sprites_item_ = new QAction(QStringLiteral("Paint into &Sprites"), this);
    paint_into_sprites_item_->setObjectName(QStringLiteral("EditPaintIntoSpritesItem"));
    paint_into_sprites_item_->setCheckable(true);
    paint_into_sprites_item_->setShortcut(QKeySequence(Qt::Key_I));
    paint_into_sprites_item_->setStatusTip(QStringLiteral(
        "Paint the sprites' pixels over the picture, at screen resolution, instead of the "
        "picture's (the right button clears them)"));
    EditMenu->insertAction(EditReplaceColourItem, paint_into_sprites_item_);
    connect(paint_into_sprites_item_, &QAction::triggered, this, [](bool sprites) {
        desk().choose_paint_target(sprites ? PaintTarget::Sprites : PaintTarget::Bitmap);
    });
}

void Tokno1::show_paint_target() {
    const bool sprites = desk().paint_target() == PaintTarget::Sprites;
    paint_into_sprites_item_->setChecked(sprites);
    paint_target_->setText(sprites ? QStringLiteral("Painting into sprites")
                                   : QStringLiteral("Painting into the bitmap"));
}

void Tokno1::show_sprite_refusal(const std::string& words) {
    show_status(QString::fromStdString(words));
}

bool Tokno1::deletes_sprite() const {
    return desk().tool_mode == toolSprite && desk().chosen_sprite().has_value();
}
