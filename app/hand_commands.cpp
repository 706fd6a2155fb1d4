// The artist's hand: the lasso and the wand's selections, the brush's transparent colour, its
// free turn and scale, the spray's flow, and the words for a plot the colour limit refused.
#include "app/Main.h"
#include "app/editor_desk.h"
#include "dialogs/live_numbers_dialog.h"
#include "platform/beep.h"
#include "zoom/zoom_window.h"
#include <QActionGroup>
#include <QMenu>
#include <array>

namespace {

// The flows Brush › Spray Flow offers, in dots a second.
constexpr std::array kSprayFlows = {50, kSprayFlow, 500, 1500};

} // namespace

void Tokno1::set_up_hand_menus() {
    lasso_item_ = new QAction(QStringLiteral("&Lasso Selection"), this);
    lasso_item_->setObjectName(QStringLiteral("EditLassoItem"));
    lasso_item_->setCheckable(true);
    lasso_item_->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_S));
    lasso_item_->setStatusTip(QStringLiteral(
        "Select the pixels within an outline drawn with the selection tool (Ctrl-click: the "
        "area of one colour; Shift+Ctrl-click: all of that colour)"));
    // After the selection's commands.
    const QList<QAction*> edits = EditMenu->actions();
    const qsizetype flips = edits.indexOf(EditFlipVerticallyItem);
    EditMenu->insertAction(edits.value(flips + 1), lasso_item_);
    connect(lasso_item_, &QAction::triggered, this, [this](bool lasso) {
        desk().choose_select_shape(lasso ? SelectShape::Lasso : SelectShape::Rectangle);
        if (lasso) tool_b1->click();
    });

    QMenu* transparent = new QMenu(QStringLiteral("Tra&nsparent Colour"), BrushMenu);
    transparent->setObjectName(QStringLiteral("BrushTransparentMenu"));
    BrushMenu->insertMenu(BrushFlipLeftRightItem, transparent);
    transparent_background_item_ = transparent->addAction(QStringLiteral("The &Background"));
    transparent_background_item_->setCheckable(true);
    transparent_background_item_->setStatusTip(
        QStringLiteral("The brush leaves out the picture's background colour"));
    connect(transparent_background_item_, &QAction::triggered, this,
            [] { desk().choose_brush_transparent(std::nullopt); });
    QAction* second = transparent->addAction(QStringLiteral("The &Second Colour"));
    second->setStatusTip(QStringLiteral("The brush leaves out the second colour"));
    connect(second, &QAction::triggered, this,
            [] { desk().choose_brush_transparent(desk().painter().ink.second_color); });
    QAction* under = transparent->addAction(QStringLiteral("The Colour under the &Pointer"));
    under->setObjectName(QStringLiteral("BrushTransparentUnderPointerItem"));
    under->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_K));
    under->setStatusTip(
        QStringLiteral("The brush leaves out the colour of the pixel under the pointer"));
    connect(under, &QAction::triggered, this, [this] {
        if (!pointer_at_) return MessageBeep(0);
        desk().choose_brush_transparent(
            desk().document().read_pixel(pointer_at_->column, pointer_at_->row) & 0x0F);
    });

    brush_rotate_item_ = new QAction(QStringLiteral("Rotate..."), this);
    brush_rotate_item_->setStatusTip(
        QStringLiteral("Turn the brush by any angle, from the pixels it was made of"));
    brush_scale_item_ = new QAction(QStringLiteral("S&cale..."), this);
    brush_scale_item_->setStatusTip(QStringLiteral(
        "Scale the brush across and down by any factor, from the pixels it was made of"));
    BrushMenu->insertActions(BrushDoubleItem, {brush_rotate_item_, brush_scale_item_});
    connect(brush_rotate_item_, &QAction::triggered, this, [this] { rotate_brush(); });
    connect(brush_scale_item_, &QAction::triggered, this, [this] { scale_brush(); });

    QMenu* flows = new QMenu(QStringLiteral("Spray &Flow"), BrushMenu);
    flows->setObjectName(QStringLiteral("BrushSprayFlowMenu"));
    BrushMenu->insertMenu(BrushFromSelectionItem, flows);
    auto* group = new QActionGroup(this);
    for (const int flow : kSprayFlows) {
        QAction* item = flows->addAction(QStringLiteral("%1 Dots a Second").arg(flow));
        item->setCheckable(true);
        group->addAction(item);
        connect(item, &QAction::triggered, this, [flow] { desk().set_spray_flow(flow); });
        spray_flow_items_.push_back(item);
    }
    PictureClashesItem->setChecked(desk().view().clashes);
}

// The brush turns under the pointer as the angle changes; Cancel turns it back.
void Tokno1::rotate_brush() {
    const std::optional<Brush>& brush = desk().painter().pen.brush;
    if (!brush) return MessageBeep(0);
    ask_live_numbers(QStringLiteral("Rotate Brush"),
                     {{QStringLiteral("&Angle, clockwise:"), brush->rotation(), -360, 360, 15, 1,
                       QStringLiteral("°")}},
                     [](const std::vector<double>& angle) {
                         if (!desk().rotate_brush(angle[0])) MessageBeep(0);
                     });
}

void Tokno1::scale_brush() {
    const std::optional<Brush>& brush = desk().painter().pen.brush;
    if (!brush) return MessageBeep(0);
    ask_live_numbers(
        QStringLiteral("Scale Brush"),
        {{QStringLiteral("&Across:"), brush->scale_across(), 0.1, 16, 0.25, 2, QStringLiteral("×")},
         {QStringLiteral("&Down:"), brush->scale_down(), 0.1, 16, 0.25, 2, QStringLiteral("×")}},
        [](const std::vector<double>& factors) {
            if (!desk().scale_brush(factors[0], factors[1])) MessageBeep(0);
        });
}

// The items follow the desk: the selection's shape, the transparent colour, the spray's flow.
void Tokno1::show_hand_items() {
    const Painter& painter = desk().painter();
    lasso_item_->setChecked(desk().select_shape() == SelectShape::Lasso);
    transparent_background_item_->setChecked(!painter.brush_transparent);
    for (std::size_t i = 0; i < kSprayFlows.size(); ++i)
        spray_flow_items_[i]->setChecked(kSprayFlows[i] == painter.spray_flow);
    brush_rotate_item_->setEnabled(painter.pen.brush.has_value());
    brush_scale_item_->setEnabled(painter.pen.brush.has_value());
}

// The status bar names the full area and its colours, and the zoom view flashes its outline.
void Tokno1::show_refused(PixelPos at) {
    const std::optional<FullArea> full = desk().full_area(at);
    if (!full) return;
    show_status(QString::fromStdString(full_area_text(*full)));
    okno2->flash_area(full->area);
}
