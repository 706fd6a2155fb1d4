// View > Reference Image: an image laid over the picture to trace. The document keeps it with
// the page; the zoom window says whether it shows and at what opacity.
#include "app/Main.h"
#include "app/editor_desk.h"
#include "exchange/picture_import.h"
#include <QActionGroup>

void Tokno1::set_up_reference_menu() {
    auto* opacities = new QActionGroup(this);
    for (int opacity : kReferenceOpacities) {
        QAction* item = ViewReferenceOpacityMenu->addAction(QStringLiteral("&%1%").arg(opacity));
        item->setStatusTip(QStringLiteral("Show the reference image at %1% opacity").arg(opacity));
        item->setCheckable(true);
        item->setData(opacity);
        opacities->addAction(item);
        connect(item, &QAction::triggered, this, [opacity] {
            desk().change_view([opacity](ViewChoices& view) { view.reference_opacity = opacity; });
        });
    }
    connect(ViewReferenceItem, &QAction::triggered, this, [this] { load_reference_image(); });
    connect(ViewShowReferenceItem, &QAction::triggered, this, [](bool shown) {
        desk().change_view([shown](ViewChoices& view) { view.reference_shown = shown; });
    });
    connect(ViewRemoveReferenceItem, &QAction::triggered, this,
            [] { desk().document().set_reference(std::nullopt); });
}

// A newly loaded image shows, whatever Q last did; a cancelled one leaves the old in place.
void Tokno1::load_reference_image() {
    std::optional<ReferenceImage> reference =
        ask_reference_image(ReferenceFileDialog, picture_format);
    if (!reference) return;
    desk().change_view([](ViewChoices& view) { view.reference_shown = true; });
    desk().document().set_reference(std::move(reference));
}

void Tokno1::show_reference_items() {
    const bool loaded = desk().document().reference().has_value();
    ViewShowReferenceItem->setEnabled(loaded);
    ViewShowReferenceItem->setChecked(desk().view().reference_shown);
    ViewReferenceOpacityMenu->setEnabled(loaded);
    ViewRemoveReferenceItem->setEnabled(loaded);
    for (QAction* item : ViewReferenceOpacityMenu->actions())
        item->setChecked(item->data().toInt() == desk().view().reference_opacity);
}
