// Moving the zoom view from the frame: the arrow keys and Page Up/Down, and View > Zoom.
#include "app/Main.h"
#include "app/editor_desk.h"
#include "dialogs/pal_blends_dialog.h"
#include "info/info_window.h"
#include "navigation/navigation.h"
#include "preview/preview_window.h"
#include "settings/palette_setting.h"
#include "zoom/zoom_window.h"
#include <QActionGroup>
#include <QLabel>
#include <QMainWindow>
#include <QShortcut>
#include <QStatusBar>

// The keys act from whichever window has the keyboard, as the colour keys do; a dialog in
// front has a window of its own, so they rest while it is open.
void Tokno1::set_up_navigation() {
    const struct {
        Qt::Key key;
        ViewStep step;
        const char* what;
    } keys[] = {
        {Qt::Key_Left, ViewStep::Left, "Move the zoom view one cell left"},
        {Qt::Key_Right, ViewStep::Right, "Move the zoom view one cell right"},
        {Qt::Key_Up, ViewStep::Up, "Move the zoom view one cell up"},
        {Qt::Key_Down, ViewStep::Down, "Move the zoom view one cell down"},
        {Qt::Key_PageUp, ViewStep::PageUp, "Move the zoom view up by its height"},
        {Qt::Key_PageDown, ViewStep::PageDown, "Move the zoom view down by its height"},
    };
    for (const auto& [key, step, what] : keys) {
        auto* shortcut = new QShortcut(key, this);
        shortcut->setWhatsThis(what);
        connect(shortcut, &QShortcut::activated, this, [step = step] {
            okno2->show_place(
                stepped(okno2->place(), step, okno2->frame(), desk().document().mode().shape));
        });
    }
    set_up_zoom_menu();
    ViewZoomInItem->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
}

// The cell levels have items of their own in the layout; the other pixel sizes join them in
// order, the largest first, and Fit the Picture follows the sizes.
void Tokno1::set_up_zoom_menu() {
    size_items_ = {{20, ViewZoom4x3Item},
                   {10, ViewZoom8x6Item},
                   {5, ViewZoom16x12Item},
                   {4, ViewZoom20x15Item}};
    auto* sizes = new QActionGroup(this);
    QAction* below = ViewZoom4x3Item;
    for (auto size = kPixelSizes.rbegin(); size != kPixelSizes.rend(); ++size) {
        auto [item, added] = size_items_.try_emplace(*size, nullptr);
        if (added) {
            item->second = new QAction(QStringLiteral("%1×").arg(*size), this);
            item->second->setCheckable(true);
            item->second->setStatusTip(
                QStringLiteral("Show each pixel %1 screen pixels high").arg(*size));
            connect(item->second, &QAction::triggered, this,
                    [this, size = *size] { zoom_to_size(size); });
            const QList<QAction*> items = ViewZoomMenu->actions();
            ViewZoomMenu->insertAction(items.value(items.indexOf(below) + 1), item->second);
        }
        below = item->second;
        sizes->addAction(below);
    }
    QAction* fit = new QAction(QStringLiteral("&Fit the Picture"), this);
    fit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    fit->setStatusTip(QStringLiteral("Show the whole picture as large as the window allows"));
    connect(fit, &QAction::triggered, this, [] { okno2->fit_picture(); });
    ViewZoomMenu->insertAction(ViewZoomInItem, fit);
    ViewZoomMenu->insertSeparator(ViewZoomInItem);
}

// The note stays at the bar's right, beside the messages that come and go. The bar keeps one
// height from the start, so that the frame's area never changes size under the pointer as the
// note comes and goes.
void Tokno1::set_up_status_bar() {
    pointer_place_ = new QLabel(this);
    pointer_place_->setMinimumHeight(pointer_place_->fontMetrics().height());
    static_cast<QMainWindow*>(Host())->statusBar()->addPermanentWidget(pointer_place_);
    paint_target_ = new QLabel(this);
    paint_target_->setObjectName(QStringLiteral("PaintTargetLabel"));
    static_cast<QMainWindow*>(Host())->statusBar()->addPermanentWidget(paint_target_);
    show_paint_target();
}

void Tokno1::show_pointer_place(std::optional<PixelPos> at) {
    if (!at) return pointer_place_->clear();
    pointer_at_ = at;
    const CellSize cell = desk().document().mode().shape.cell;
    pointer_place_->setText(QStringLiteral("Column %1, row %2 · Cell %3, %4")
                                .arg(at->column)
                                .arg(at->row)
                                .arg(at->column / cell.width)
                                .arg(at->row / cell.height));
}

QAction* Tokno1::size_item(int pixel_size) const {
    const auto item = size_items_.find(pixel_size);
    return item == size_items_.end() ? nullptr : item->second;
}

// The tool-bar buttons and the preferences change the level too; the menu shows the one in use.
void Tokno1::follow_zoom_view() {
    const int size = okno2->frame().pixel_size;
    if (QAction* item = size_item(size)) item->setChecked(true);
    ViewZoomInItem->setEnabled(size < kPixelSizes.back());
    ViewZoomOutItem->setEnabled(size > kPixelSizes.front());
    okno_prv->follow_view();
}

// The menu keeps the picture pixel at the view's middle there.
void Tokno1::zoom_to_size(int pixel_size) {
    const ViewFrame shown = okno2->frame();
    okno2->zoom_to_size(pixel_size, shown.width / 2, shown.height / 2);
}

void Tokno1::ViewZoom4x3Click(TObject*) { zoom_to_size(20); }
void Tokno1::ViewZoom8x6Click(TObject*) { zoom_to_size(10); }
void Tokno1::ViewZoom16x12Click(TObject*) { zoom_to_size(5); }
void Tokno1::ViewZoom20x15Click(TObject*) { zoom_to_size(4); }
void Tokno1::ViewZoomInClick(TObject*) {
    zoom_to_size(stepped_pixel_size(okno2->frame().pixel_size, 1));
}
void Tokno1::ViewZoomOutClick(TObject*) {
    zoom_to_size(stepped_pixel_size(okno2->frame().pixel_size, -1));
}

void Tokno1::set_up_pal_view() {
    show_pal_view(stored_pal_view());
    show_pal_items();
}

// The zoom view shows PAL only along with the preview.
void Tokno1::show_pal_items() {
    ViewPalDisplayItem->setChecked(shown_pal_view().preview);
    ViewPalZoomItem->setChecked(shown_pal_view().zoom_view);
    ViewPalZoomItem->setEnabled(shown_pal_view().preview);
}

void Tokno1::ViewPalDisplayClick(TObject*) {
    show_pal_view({ViewPalDisplayItem->isChecked(), shown_pal_view().zoom_view});
    store_pal_view(shown_pal_view());
    show_pal_items();
    redraw_picture();
}

void Tokno1::ViewPalZoomClick(TObject*) {
    show_pal_view({shown_pal_view().preview, ViewPalZoomItem->isChecked()});
    store_pal_view(shown_pal_view());
    okno2->FormPaint();
}

// The blend paints in place of its first colour, which becomes the draw colour; choosing any
// colour drops it.
void Tokno1::ViewPalBlendsClick(TObject*) {
    if (const std::optional<PalBlend> blend = ask_pal_blend()) desk().choose_blend(*blend);
}
