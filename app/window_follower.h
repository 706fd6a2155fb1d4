#pragma once
#include "document/document.h"

// How the windows follow the document, in one place: a plot attempt's swatches and preview band
// as it happens, and every other change once it is made. The drawing itself is the windows'
// own operations.
class WindowFollower : public PlotRefresh, public DocumentObserver {
public:
    void show_color1(unsigned index) override;
    void show_color2(unsigned index) override;
    void show_color3(unsigned index) override;
    void show_back() override;
    void redraw_preview_band(std::uint32_t column, std::uint32_t row) override;

    void document_changed(const DocumentChange& change) override;
};

// Makes the windows follow `document`, from now on.
void follow_document(Document& document);
