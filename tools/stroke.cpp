#include "tools/tool.h"

void Stroke::paint_into() {
    if (!edit_) edit_.emplace(document_, "Paint");
}

void Stroke::end() {
    if (!edit_) return;
    std::optional<Document::Edit> edit = std::move(edit_);
    edit_.reset();
    edit->commit();
}
