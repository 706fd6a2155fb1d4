#include "settings/paint_setting.h"
#include "desk/desk.h"
#include "settings/full_cell_setting.h"
#include "settings/user_settings.h"
#include <QSettings>

namespace {

const QString kPattern = QStringLiteral("paint/pattern");
const QString kTransparent = QStringLiteral("paint/pattern_transparent");
const QString kSecondColour = QStringLiteral("paint/second_colour");
const QString kSymmetry = QStringLiteral("paint/symmetry");
const QString kSymmetryMiddle = QStringLiteral("paint/symmetry_about_middle");
const QString kSymmetryColumn = QStringLiteral("paint/symmetry_twice_column");
const QString kSymmetryRow = QStringLiteral("paint/symmetry_twice_row");
const QString kBrushTransparent = QStringLiteral("paint/brush_transparent");
const QString kSprayFlowKey = QStringLiteral("paint/spray_flow");
const QString kClashMarks = QStringLiteral("view/clash_marks");

} // namespace

Ink stored_ink() {
    Ink ink;
    const std::unique_ptr<QSettings> settings = user_settings();
    if (!settings) return ink;
    const int pattern = settings->value(kPattern, 0).toInt();
    if (0 <= pattern && pattern < kPatterns) ink.pattern = {pattern};
    const int second = settings->value(kSecondColour, 0).toInt();
    if (0 <= second && second < 16) ink.second_color = std::uint8_t(second);
    ink.transparent = settings->value(kTransparent, false).toBool();
    return ink;
}

void store_ink(const Ink& ink) {
    if (const std::unique_ptr<QSettings> settings = user_settings()) {
        settings->setValue(kPattern, ink.pattern.index);
        settings->setValue(kTransparent, ink.transparent);
        settings->setValue(kSecondColour, int(ink.second_color));
    }
}

SymmetryChoice stored_symmetry() {
    SymmetryChoice stored;
    const std::unique_ptr<QSettings> settings = user_settings();
    if (!settings) return stored;
    const int kind = settings->value(kSymmetry, 0).toInt();
    if (0 <= kind && kind < kSymmetryKinds) stored.symmetry.kind = SymmetryKind(kind);
    stored.symmetry.twice_column = settings->value(kSymmetryColumn, 0).toInt();
    stored.symmetry.twice_row = settings->value(kSymmetryRow, 0).toInt();
    stored.about_middle = settings->value(kSymmetryMiddle, true).toBool();
    return stored;
}

void store_symmetry(const SymmetryChoice& stored) {
    if (const std::unique_ptr<QSettings> settings = user_settings()) {
        settings->setValue(kSymmetry, int(stored.symmetry.kind));
        settings->setValue(kSymmetryMiddle, stored.about_middle);
        settings->setValue(kSymmetryColumn, stored.symmetry.twice_column);
        settings->setValue(kSymmetryRow, stored.symmetry.twice_row);
    }
}

HandSettings stored_hand() {
    HandSettings stored;
    const std::unique_ptr<QSettings> settings = user_settings();
    if (!settings) return stored;
    const int transparent = settings->value(kBrushTransparent, -1).toInt();
    if (0 <= transparent && transparent < 16) stored.brush_transparent = std::uint8_t(transparent);
    const int flow = settings->value(kSprayFlowKey, kSprayFlow).toInt();
    if (kLeastSprayFlow <= flow && flow <= kMostSprayFlow) stored.spray_flow = flow;
    stored.clash_marks = settings->value(kClashMarks, true).toBool();
    return stored;
}

void store_hand(const HandSettings& hand) {
    if (const std::unique_ptr<QSettings> settings = user_settings()) {
        settings->setValue(kBrushTransparent,
                           hand.brush_transparent ? *hand.brush_transparent : -1);
        settings->setValue(kSprayFlowKey, hand.spray_flow);
        settings->setValue(kClashMarks, hand.clash_marks);
    }
}

namespace {

HandSettings hand_of(const Desk& desk) {
    return {desk.painter().brush_transparent, desk.painter().spray_flow, desk.view().clashes};
}

class PaintSettingsKeeper : public DeskObserver {
public:
    explicit PaintSettingsKeeper(const Desk& desk) : desk_(desk), stored_(hand_of(desk)) {}
    void desk_changed(const DeskChange& change) override {
        if (change.has(DeskChange::Ink)) store_ink(desk_.painter().ink);
        if (change.has(DeskChange::Symmetry)) store_symmetry(desk_.symmetry());
        if (change.has(DeskChange::FullCell)) store_full_cell(desk_.painter().full_cell);
        if (change.has(DeskChange::Pen) || change.has(DeskChange::View)) {
            const HandSettings hand = hand_of(desk_);
            if (hand != stored_) store_hand(stored_ = hand);
        }
    }

private:
    const Desk& desk_;
    HandSettings stored_; // as last stored, so a stroke's pen changes write nothing
};

} // namespace

std::unique_ptr<DeskObserver> keep_paint_settings(Desk& desk) {
    const Ink ink = stored_ink();
    desk.change_ink([&](Ink& now) { now = ink; });
    const SymmetryChoice symmetry = stored_symmetry();
    desk.change_symmetry([&](SymmetryChoice& now) { now = symmetry; });
    desk.choose_full_cell(stored_full_cell());
    const HandSettings hand = stored_hand();
    desk.choose_brush_transparent(hand.brush_transparent);
    desk.set_spray_flow(hand.spray_flow);
    desk.change_view([&](ViewChoices& view) { view.clashes = hand.clash_marks; });
    auto keeper = std::make_unique<PaintSettingsKeeper>(desk);
    desk.watch(*keeper);
    return keeper;
}
