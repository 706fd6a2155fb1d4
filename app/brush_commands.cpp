// The Brush menu: the pen's shape and size, and the brush lifted from the picture, its
// changes, and its PNG files.
#include "app/Main.h"
#include "app/editor_desk.h"
#include "edit/clipboard.h"
#include "exchange/picture_import.h"
#include "platform/beep.h"
#include "storage/file_access.h"
#include "zoom/zoom_window.h"
#include <QActionGroup>
#include <QBuffer>

void Tokno1::set_up_brush_menu() {
    // A brush unchecks both shapes.
    auto* shapes = new QActionGroup(this);
    shapes->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    shapes->addAction(BrushRoundItem);
    shapes->addAction(BrushSquareItem);
    const std::pair<QAction*, std::function<void(Pen&)>> changes[] = {
        {BrushRoundItem, [](Pen& pen) { pen.shape = PenShape::Round, pen.brush.reset(); }},
        {BrushSquareItem, [](Pen& pen) { pen.shape = PenShape::Square, pen.brush.reset(); }},
        {BrushSmallerItem, [](Pen& pen) { pen.resize(-1); }},
        {BrushLargerItem, [](Pen& pen) { pen.resize(+1); }},
        {BrushPlainItem, [](Pen& pen) { pen.make_plain(); }},
        {BrushOpaqueItem, [](Pen& pen) { pen.brush->opaque = !pen.brush->opaque; }},
        {BrushFlipLeftRightItem, [](Pen& pen) { pen.brush->flip_left_right(); }},
        {BrushFlipTopBottomItem, [](Pen& pen) { pen.brush->flip_top_bottom(); }},
        {BrushTurnItem, [](Pen& pen) { pen.brush->turn(); }},
        {BrushDoubleItem, [](Pen& pen) { pen.brush->double_size() || (MessageBeep(0), true); }},
        {BrushHalveItem, [](Pen& pen) { pen.brush->halve_size() || (MessageBeep(0), true); }},
    };
    for (const auto& [item, change] : changes)
        connect(item, &QAction::triggered, this, [change] { desk().change_pen(change); });
    connect(BrushFromSelectionItem, &QAction::triggered, this, [this] { brush_from_selection(); });
    connect(BrushSaveItem, &QAction::triggered, this, [this] { save_brush(); });
    connect(BrushLoadItem, &QAction::triggered, this, [this] { load_brush(); });
    BrushOpenDialog.Filter = BrushSaveDialog.Filter =
        QStringLiteral("PNG image|*.png|All Files|*.*");
    BrushSaveDialog.DefaultExt = QStringLiteral("png");
}

// The selection becomes the brush, and the pen tool takes it up: the brush shows under the
// pointer at once.
void Tokno1::brush_from_selection() {
    if (!desk().document().selection()) return MessageBeep(0);
    tool_pen->click();
    desk().brush_from_selection();
}

// An image pixel a brush pixel, in the displayed colours: loaded again (as Import reads an image
// no wider than the picture) it is the same brush.
void Tokno1::save_brush() {
    const std::optional<Brush>& brush = desk().painter().pen.brush;
    if (!brush || !BrushSaveDialog.Execute()) return;
    PictureShape pixel_for_pixel = desk().document().mode().shape;
    pixel_for_pixel.pixel_aspect = 1;
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    shown_image(brush->block(), pixel_for_pixel).save(&png, "PNG");
    const QString path = BrushSaveDialog.GetFileName();
    const QString reason = write_file_atomically(path, {png.data().cbegin(), png.data().cend()});
    if (!reason.isEmpty())
        ShowErrorMessage(
            QStringLiteral("Vexlor"),
            QStringLiteral("The brush could not be saved to \"%1\".\n\n%2").arg(path, reason));
}

// An image becomes the brush, matched to the palette; the pen tool takes it up. A refused file
// keeps the brush there was.
void Tokno1::load_brush() {
    if (!BrushOpenDialog.Execute()) return;
    if (auto block =
            read_brush_image(BrushOpenDialog.GetFileName(), desk().document().mode().shape))
        take_brush(std::move(*block));
}

void Tokno1::take_brush(PixelBlock block) {
    tool_pen->click();
    desk().take_brush(std::move(block));
}

static QString pen_text(const Painter& painter, bool spraying) {
    const Pen& pen = painter.pen;
    if (spraying) return QString::fromStdString(spray_text(pen.size, painter.spray_flow));
    if (const std::optional<Brush>& brush = pen.brush)
        return QStringLiteral("Brush, %1 × %2 pixels%3%4")
            .arg(brush->block().width)
            .arg(brush->block().height)
            .arg(brush->opaque ? ", opaque" : "")
            .arg(brush->transparent && !brush->opaque
                     ? QStringLiteral(", leaving out %1")
                           .arg(QLatin1String(colour_names[*brush->transparent]))
                     : QString());
    return QStringLiteral("%1 pen, %2 pixel%3")
        .arg(pen.shape == PenShape::Round ? "Round" : "Square")
        .arg(pen.size)
        .arg(pen.size == 1 ? "" : "s");
}

// The menu names what the tools paint with (the spray's reach and flow while it is chosen) and
// offers the brush's changes while there is one; the pen or brush under the pointer takes its
// new shape at once.
void Tokno1::show_pen() {
    const Pen& pen = desk().painter().pen;
    BrushCurrentItem->setText(pen_text(desk().painter(), desk().tool_mode == toolSpray));
    BrushRoundItem->setChecked(!pen.brush && pen.shape == PenShape::Round);
    BrushSquareItem->setChecked(!pen.brush && pen.shape == PenShape::Square);
    BrushOpaqueItem->setChecked(pen.brush && pen.brush->opaque);
    for (QAction* item : {BrushOpaqueItem, BrushFlipLeftRightItem, BrushFlipTopBottomItem,
                          BrushTurnItem, BrushDoubleItem, BrushHalveItem, BrushSaveItem})
        item->setEnabled(pen.brush.has_value());
    show_hand_items();
    okno2->follow_pen();
}
