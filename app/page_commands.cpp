// The spare page: a second whole picture at hand, swapped with the one shown (Desk::swap_pages).
#include "app/Main.h"
#include "app/editor_desk.h"

void Tokno1::copy_to_spare_page() {
    if (desk().spare_page_changed() &&
        !AskQuestion(QStringLiteral("Vexlor"),
                     QStringLiteral("The spare page has changes that are not saved. Replace it "
                                    "with a copy of the picture?"),
                     QStringLiteral("&Replace"), QStringLiteral("Cancel")))
        return;
    desk().copy_to_spare_page();
}
