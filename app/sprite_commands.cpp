// The Sprites menu: the chosen sprite's kind, colour, expansion and priority, the colours all
// multicolour sprites share, removing the chosen sprite, and the sprites as raw data. Each item
// is a line that calls the desk; a change the eight-a-line limit refuses is named in the status
// bar.
#include "app/Main.h"
#include "app/editor_desk.h"
#include "formats/raw_sprites.h"
#include "platform/beep.h"
#include "storage/file_access.h"
#include "storage/picture_file.h"
#include <QActionGroup>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace {

const QString kRawSpritesFilter = QStringLiteral("Raw sprite data|*.spr;*.raw|All Files|*.*");

QAction* checkable(QMenu* menu, const QString& text, const QString& tip) {
    QAction* item = menu->addAction(text);
    item->setCheckable(true);
    item->setStatusTip(tip);
    return item;
}

} // namespace

void Tokno1::set_up_sprite_menu() {
    sprites_menu_ = new QMenu(QStringLiteral("&Sprites"), MainMenu);
    sprites_menu_->setObjectName(QStringLiteral("SpritesMenu"));
    MainMenu->insertMenu(ViewMenu->menuAction(), sprites_menu_);

    auto* kinds = new QActionGroup(this);
    sprite_hires_item_ =
        checkable(sprites_menu_, QStringLiteral("&Hires"),
                  QStringLiteral("The chosen sprite: 24 x 21 pixels in its colour"));
    sprite_multicolour_item_ = checkable(
        sprites_menu_, QStringLiteral("&Multicolour"),
        QStringLiteral("The chosen sprite: 12 x 21 double-wide pixels in its colour and the two "
                       "shared colours"));
    kinds->addAction(sprite_hires_item_);
    kinds->addAction(sprite_multicolour_item_);
    connect(sprite_hires_item_, &QAction::triggered, this, [this] {
        change_chosen_sprite("Sprite Kind", [](Sprite& sprite) { sprite.multicolour = false; });
    });
    connect(sprite_multicolour_item_, &QAction::triggered, this, [this] {
        change_chosen_sprite("Sprite Kind", [](Sprite& sprite) { sprite.multicolour = true; });
    });

    sprite_colour_item_ = sprites_menu_->addAction(QStringLiteral("Take the Draw &Colour"));
    sprite_colour_item_->setStatusTip(QStringLiteral("The chosen sprite takes the draw colour"));
    connect(sprite_colour_item_, &QAction::triggered, this, [this] {
        const std::uint8_t colour = desk().document().draw_color;
        change_chosen_sprite("Sprite Colour", [colour](Sprite& sprite) { sprite.colour = colour; });
    });

    sprites_menu_->addSeparator();
    sprite_wide_item_ = checkable(sprites_menu_, QStringLiteral("Expand &Width"),
                                  QStringLiteral("Each pixel of the chosen sprite twice as wide"));
    connect(sprite_wide_item_, &QAction::triggered, this, [this](bool on) {
        change_chosen_sprite("Expand Sprite", [on](Sprite& sprite) { sprite.expand_x = on; });
    });
    sprite_tall_item_ = checkable(sprites_menu_, QStringLiteral("Expand H&eight"),
                                  QStringLiteral("Each row of the chosen sprite twice as high"));
    connect(sprite_tall_item_, &QAction::triggered, this, [this](bool on) {
        change_chosen_sprite("Expand Sprite", [on](Sprite& sprite) { sprite.expand_y = on; });
    });
    sprite_behind_item_ = checkable(
        sprites_menu_, QStringLiteral("&Behind the Picture"),
        QStringLiteral("The chosen sprite shows only where the picture shows its background"));
    connect(sprite_behind_item_, &QAction::triggered, this, [this](bool on) {
        change_chosen_sprite("Sprite Priority", [on](Sprite& sprite) { sprite.behind = on; });
    });

    sprites_menu_->addSeparator();
    QAction* shared1 = sprites_menu_->addAction(QStringLiteral("Shared Colour &1"));
    shared1->setStatusTip(
        QStringLiteral("The first colour all multicolour sprites share takes the draw colour"));
    connect(shared1, &QAction::triggered, this, [this] {
        const SpriteSet& set = desk().document().sprites();
        show_sprite_outcome(
            desk().set_sprite_shared_colours(desk().document().draw_color, set.shared_colour1));
    });
    QAction* shared2 = sprites_menu_->addAction(QStringLiteral("Shared Colour &2"));
    shared2->setStatusTip(
        QStringLiteral("The second colour all multicolour sprites share takes the draw colour"));
    connect(shared2, &QAction::triggered, this, [this] {
        const SpriteSet& set = desk().document().sprites();
        show_sprite_outcome(
            desk().set_sprite_shared_colours(set.shared_colour0, desk().document().draw_color));
    });

    sprites_menu_->addSeparator();
    sprite_delete_item_ = sprites_menu_->addAction(QStringLiteral("&Delete Sprite"));
    sprite_delete_item_->setStatusTip(QStringLiteral("Remove the chosen sprite"));
    connect(sprite_delete_item_, &QAction::triggered, this, [this] {
        if (const std::optional<std::size_t> chosen = desk().chosen_sprite())
            show_sprite_outcome(desk().remove_sprite(*chosen));
    });

    sprites_menu_->addSeparator();
    QAction* import = sprites_menu_->addAction(QStringLiteral("&Import Raw Sprites..."));
    import->setStatusTip(
        QStringLiteral("Add the sprites of a raw sprite file (64 bytes a sprite) to the picture"));
    connect(import, &QAction::triggered, this, [this] { import_raw_sprites(); });
    sprite_export_item_ = sprites_menu_->addAction(QStringLiteral("E&xport Raw Sprites..."));
    sprite_export_item_->setStatusTip(QStringLiteral(
        "Write the sprites as raw sprite data, with assembler source beside it that puts them "
        "in place"));
    connect(sprite_export_item_, &QAction::triggered, this, [this] { export_raw_sprites(); });
    SpriteOpenDialog.Filter = SpriteSaveDialog.Filter = kRawSpritesFilter;
    SpriteSaveDialog.DefaultExt = QStringLiteral("spr");
    show_sprite_items();
}

// The sprites of the file go under those of the picture as one step, within the eight-a-line
// limit unless painting freely; those that name no colour take the draw colour.
void Tokno1::import_raw_sprites() {
    if (!SpriteOpenDialog.Execute()) return;
    const QString path = SpriteOpenDialog.GetFileName();
    const RawSpritesFileRead read = load_raw_sprites_file(path, desk().document().draw_color);
    if (!read.sprites)
        return ShowErrorMessage(
            QStringLiteral("Vexlor"),
            QStringLiteral("\"%1\" cannot be imported: %2.").arg(path, read.error));
    const SpriteOutcome outcome = desk().add_sprites(read.sprites->sprites);
    if (!outcome) return show_sprite_outcome(outcome);
    show_status(QStringLiteral("Imported %1")
                    .arg(counted(int(read.sprites->sprites.size()), "sprite", "sprites")));
}

// The data and its source share a name: "logo.spr" and "logo.asm".
void Tokno1::export_raw_sprites() {
    const SpriteSet& sprites = desk().document().sprites();
    if (sprites.sprites.empty()) return MessageBeep(0);
    SpriteSaveDialog.FileName = QFileInfo(picture_name()).completeBaseName() + ".spr";
    if (!SpriteSaveDialog.Execute()) return;
    const QFileInfo data(SpriteSaveDialog.GetFileName());
    const QString source = data.dir().filePath(data.completeBaseName() + ".asm");
    if (source == data.filePath())
        return ShowErrorMessage(QStringLiteral("Vexlor"),
                                QStringLiteral("\"%1\" is the name the assembler source takes: "
                                               "give the sprite data another.")
                                    .arg(source));
    const std::string text = sprites_assembler(sprites, data.fileName().toStdString());
    if (save_file_atomically(data.filePath(), write_raw_sprites(sprites)) &&
        save_file_atomically(source, {text.begin(), text.end()}))
        show_status(
            QStringLiteral("Exported to %1 and %2")
                .arg(QDir::toNativeSeparators(data.filePath()), data.completeBaseName() + ".asm"));
}

void Tokno1::change_chosen_sprite(const char* label, const std::function<void(Sprite&)>& change) {
    const std::optional<std::size_t> chosen = desk().chosen_sprite();
    if (!chosen) return MessageBeep(0);
    show_sprite_outcome(desk().change_sprite(*chosen, change, label));
    show_sprite_items(); // a refused change leaves the item as the sprite is
}

void Tokno1::show_sprite_outcome(const SpriteOutcome& outcome) {
    if (outcome) return;
    MessageBeep(0);
    show_status(QString::fromStdString(outcome.refusal));
}

// The items show the chosen sprite's state, and are off while none is chosen.
void Tokno1::show_sprite_items() {
    const std::optional<std::size_t> chosen = desk().chosen_sprite();
    const Sprite sprite = chosen ? desk().document().sprites().sprites[*chosen] : Sprite{};
    for (QAction* item :
         {sprite_hires_item_, sprite_multicolour_item_, sprite_colour_item_, sprite_wide_item_,
          sprite_tall_item_, sprite_behind_item_, sprite_delete_item_})
        item->setEnabled(chosen.has_value());
    sprite_export_item_->setEnabled(!desk().document().sprites().sprites.empty());
    sprite_hires_item_->setChecked(chosen && !sprite.multicolour);
    sprite_multicolour_item_->setChecked(chosen && sprite.multicolour);
    sprite_wide_item_->setChecked(sprite.expand_x);
    sprite_tall_item_->setChecked(sprite.expand_y);
    sprite_behind_item_->setChecked(sprite.behind);
}
