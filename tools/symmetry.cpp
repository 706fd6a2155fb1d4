#include "tools/symmetry.h"
#include <algorithm>

Symmetry Symmetry::about_middle(SymmetryKind kind, const PixelArea& whole) {
    return {kind, 2 * whole.left + whole.width - 1, 2 * whole.top + whole.height - 1};
}

Symmetry Symmetry::about_pixel(SymmetryKind kind, PixelPos centre) {
    return {kind, 2 * centre.column, 2 * centre.row};
}

Symmetry Symmetry::within(const PixelArea& whole) const {
    return {kind, std::clamp(twice_column, 2 * whole.left, 2 * whole.right()),
            std::clamp(twice_row, 2 * whole.top, 2 * whole.bottom())};
}

bool Symmetry::mirrors_columns() const {
    return kind == SymmetryKind::LeftRight || kind == SymmetryKind::FourWay;
}

bool Symmetry::mirrors_rows() const {
    return kind == SymmetryKind::TopBottom || kind == SymmetryKind::FourWay;
}

SymmetryKind Symmetry::next_kind() const { return SymmetryKind((int(kind) + 1) % kSymmetryKinds); }
