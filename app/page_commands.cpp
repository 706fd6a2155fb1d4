// The spare page: a second whole picture at hand, swapped with the one shown.
#include "app/Main.h"
#include "zoom/zoom_window.h"

Document::Page& Tokno1::spare_page() {
    if (!spare_page_) spare_page_ = okno2->blank_page();
    return *spare_page_;
}

// A stroke under way ends as a step of the page it was painted on. The caption follows the
// document's notice, so it learns the page first.
void Tokno1::swap_pages() {
    okno2->end_stroke();
    page_shown_ = 3 - page_shown_;
    okno2->swap_page(spare_page());
}

// A spare page changed since it was opened or saved is replaced only when the user says so.
void Tokno1::copy_to_spare_page() {
    if (spare_page_ && spare_page_->changed &&
        !AskQuestion(QStringLiteral("Vexlor"),
                     QStringLiteral("The spare page has changes that are not saved. Replace it "
                                    "with a copy of the picture?"),
                     QStringLiteral("&Replace"), QStringLiteral("Cancel")))
        return;
    spare_page_ = okno2->copy_page();
}

void Tokno1::set_spare_page(std::optional<Document::Page> page, int shown) {
    spare_page_ = std::move(page);
    page_shown_ = shown;
    show_file();
}
