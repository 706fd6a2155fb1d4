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

void Tokno1::copy_to_spare_page() { spare_page_ = okno2->copy_page(); }
