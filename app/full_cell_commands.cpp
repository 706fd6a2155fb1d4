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
