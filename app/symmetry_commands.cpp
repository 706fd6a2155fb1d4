// Edit > Symmetry: the mirror images painting adds, about the picture's middle or about the
// cursor, and the axes the zoom view and the preview show while it is on.
#include "app/Main.h"
#include "app/editor_desk.h"
#include "zoom/zoom_window.h"
#include <QActionGroup>
#include <QMenu>

namespace {

constexpr TColor kAxisColour = RGBColor(255, 0, 255);

} // namespace

void Tokno1::set_up_symmetry_menu() {
    // Before When a Cell Is Full, which stays the menu's last item.
    auto* menu = new QMenu(QStringLiteral("S&ymmetry"), EditMenu);
    EditMenu->insertMenu(EditFullCellMenu->menuAction(), menu);
    menu->setObjectName(QStringLiteral("EditSymmetryMenu"));
    auto* kinds = new QActionGroup(this);
    const char* const names[kSymmetryKinds] = {"&Off", "&Left to Right", "&Top to Bottom",
                                               "&Four-Way"};
    for (int kind = 0; kind < kSymmetryKinds; ++kind) {
        QAction* item = menu->addAction(QString::fromUtf8(names[kind]));
        item->setCheckable(true);
        kinds->addAction(item);
        connect(item, &QAction::triggered, this, [kind] {
            desk().change_symmetry(
                [kind](SymmetryChoice& s) { s.symmetry.kind = SymmetryKind(kind); });
        });
        symmetry_items_.push_back(item);
    }
    menu->addSeparator();
    auto* centres = new QActionGroup(this);
    symmetry_middle_item_ = menu->addAction(QStringLiteral("About the Picture's &Middle"));
    symmetry_cursor_item_ = menu->addAction(QStringLiteral("About the &Cursor"));
    symmetry_cursor_item_->setStatusTip(
        QStringLiteral("Mirror about the pixel painted or clicked last"));
    for (QAction* item : {symmetry_middle_item_, symmetry_cursor_item_}) {
        item->setCheckable(true);
        centres->addAction(item);
    }
    connect(symmetry_middle_item_, &QAction::triggered, this,
            [] { desk().change_symmetry([](SymmetryChoice& s) { s.about_middle = true; }); });
    connect(symmetry_cursor_item_, &QAction::triggered, this, [] {
        desk().change_symmetry([](SymmetryChoice& s) {
            s.about_middle = false;
            s.symmetry = Symmetry::about_pixel(s.symmetry.kind, {okno2->cursor_x, okno2->cursor_y});
        });
    });
    QAction* next = menu->addAction(QStringLiteral("&Next Symmetry"));
    next->setShortcut(QKeySequence(Qt::Key_M));
    connect(next, &QAction::triggered, this, [] {
        desk().change_symmetry([](SymmetryChoice& s) { s.symmetry.kind = s.symmetry.next_kind(); });
    });
    check_symmetry_items();
}

void Tokno1::check_symmetry_items() {
    const SymmetryChoice& chosen = desk().symmetry();
    symmetry_items_[std::size_t(chosen.symmetry.kind)]->setChecked(true);
    (chosen.about_middle ? symmetry_middle_item_ : symmetry_cursor_item_)->setChecked(true);
}

// Each axis runs along the middle of its column or row, or between two.
void draw_symmetry_axes(TCanvas& canvas, const Symmetry& symmetry, int left, int top,
                        int pixel_width, int pixel_height, const TRect& within) {
    canvas.Pen.Color = kAxisColour;
    canvas.Pen.Style = psSolid;
    const int x = left + pixel_width * (symmetry.twice_column + 1) / 2;
    if (symmetry.mirrors_columns() && within.Left <= x && x < within.Right) {
        canvas.MoveTo(x, within.Top);
        canvas.LineTo(x, within.Bottom);
    }
    const int y = top + pixel_height * (symmetry.twice_row + 1) / 2;
    if (symmetry.mirrors_rows() && within.Top <= y && y < within.Bottom) {
        canvas.MoveTo(within.Left, y);
        canvas.LineTo(within.Right, y);
    }
}
