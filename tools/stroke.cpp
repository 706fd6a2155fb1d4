#include "tools/tool.h"

void Stroke::paint_into(const char* label) {
    if (!edit_) edit_.emplace(document_, label);
}

void Stroke::drop() { edit_.reset(); }

void Stroke::end() {
    if (!edit_) return;
    std::optional<Document::Edit> edit = std::move(edit_);
    edit_.reset();
    edit->commit();
}
