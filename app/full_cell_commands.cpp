// Edit > When a Cell Is Full, and Picture > Fix Colour Clashes.
#include "app/Main.h"
#include "app/editor_desk.h"
#include "clashes/clash_fix.h"
#include "display/displayed_palette.h"
#include "settings/full_cell_setting.h"
#include "zoom/zoom_window.h"
#include <QActionGroup>

QAction* Tokno1::full_cell_item(FullCell choice) const {
    QAction* const items[kFullCellChoices] = {EditFullKeepItem, EditFullRefuseItem,
                                              EditFullReplaceItem, EditFullNearestItem,
                                              EditFullFreelyItem};
    return items[std::size_t(choice)];
}

void Tokno1::set_up_full_cell_menu() {
    auto* choices = new QActionGroup(this);
    for (int i = 0; i < kFullCellChoices; ++i) {
        QAction* item = full_cell_item(FullCell(i));
        choices->addAction(item);
        connect(item, &QAction::triggered, this, [i] { desk().choose_full_cell(FullCell(i)); });
    }
    full_cell_item(desk().painter().full_cell)->setChecked(true);

    auto* with_sprites = new QAction(QStringLiteral("Fix Colour Clashes wi&th Sprites"), this);
    with_sprites->setObjectName(QStringLiteral("PictureFixClashesWithSpritesItem"));
    with_sprites->setStatusTip(QStringLiteral(
        "Fix the colour clashes, and show the pixels the fix changes as they were by new hires "
        "sprites where the rows leave room"));
    const QList<QAction*> items = PictureMenu->actions();
    PictureMenu->insertAction(items.value(items.indexOf(PictureFixClashesItem) + 1), with_sprites);
    connect(with_sprites, &QAction::triggered, this, [this] { fix_clashes_with_sprites(); });
}

// One step, with the selection or the whole picture; a line on the status bar says what it did.
void Tokno1::PictureFixClashesClick(TObject*) {
    const Mode& mode = desk().document().mode();
    const ClashFix fix = desk().fix_clashes(lab_palette(shown_palette()));
    const QString message = fix.pixels == 0
                                ? QStringLiteral("No colour clashes to fix")
                                : QStringLiteral("Fixed %1: %2 changed")
                                      .arg(counted(fix.areas, mode.area_one, mode.area_many),
                                           counted(fix.pixels, "pixel", "pixels"));
    show_status(message);
}

// One step, as Fix Colour Clashes; the status bar says how many pixels sprites took over and how
// many show another colour.
void Tokno1::fix_clashes_with_sprites() {
    const SpriteFix fix = desk().fix_clashes_with_sprites(lab_palette(shown_palette()));
    show_status(fix.to_sprites + fix.changed == 0
                    ? QStringLiteral("No colour clashes to fix")
                    : QStringLiteral("Fixed with sprites: %1 went to sprites, %2 changed")
                          .arg(counted(fix.to_sprites, "pixel", "pixels"),
                               counted(fix.changed, "pixel", "pixels")));
}
