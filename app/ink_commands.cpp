// Brush › Pattern, and the second colour: the right button on a palette button chooses it, and
// it shows beside the palette.
#include "app/Main.h"
#include "app/editor_desk.h"
#include <QActionGroup>
#include <QMenu>
#include <QToolButton>

void Tokno1::set_up_ink_menu() {
    QMenu* menu = BrushMenu->addMenu(QStringLiteral("Patt&ern"));
    menu->setObjectName(QStringLiteral("BrushPatternMenu"));
    auto* patterns = new QActionGroup(this);
    for (int index = 0; index < kPatterns; ++index) {
        QAction* item = menu->addAction(QString::fromStdString(Pattern{index}.name()));
        item->setCheckable(true);
        patterns->addAction(item);
        connect(item, &QAction::triggered, this,
                [index] { desk().change_ink([index](Ink& ink) { ink.pattern = {index}; }); });
        pattern_items_.push_back(item);
        if (index == 0 || index == kDitherLevels) menu->addSeparator();
    }
    menu->addSeparator();
    pattern_transparent_item_ = menu->addAction(QStringLiteral("T&ransparent Pattern"));
    pattern_transparent_item_->setCheckable(true);
    pattern_transparent_item_->setStatusTip(
        QStringLiteral("The second colour's places of a pattern keep what is there"));
    connect(pattern_transparent_item_, &QAction::triggered, this,
            [](bool on) { desk().change_ink([on](Ink& ink) { ink.transparent = on; }); });
    const std::pair<const char*, QKeySequence> steps[] = {
        {"&Next Pattern", QKeySequence(Qt::Key_N)},
        {"&Previous Pattern", QKeySequence(Qt::SHIFT | Qt::Key_N)}};
    for (const auto& [text, key] : steps) {
        QAction* item = menu->addAction(QString::fromLatin1(text));
        item->setShortcut(key);
        const int step = key == QKeySequence(Qt::Key_N) ? 1 : -1;
        connect(item, &QAction::triggered, this, [step] {
            desk().change_ink([step](Ink& ink) { ink.pattern = ink.pattern.stepped(step); });
        });
    }
    for (std::uint8_t index = 0; index < 16; ++index) {
        QAbstractButton* button = palette_button(index);
        button->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(button, &QWidget::customContextMenuRequested, this,
                [index] { desk().change_ink([index](Ink& ink) { ink.second_color = index; }); });
    }
    second_color_swatch_ = new QToolButton(Panel1);
    second_color_swatch_->setObjectName(QStringLiteral("second_color"));
    second_color_swatch_->setGeometry(584, 4, 32, 30);
    second_color_swatch_->setIconSize({22, 22});
    second_color_swatch_->setFocusPolicy(Qt::NoFocus);
    show_ink(desk().painter().ink);
}

void Tokno1::show_ink(const Ink& ink) {
    pattern_items_[std::size_t(ink.pattern.index)]->setChecked(true);
    pattern_transparent_item_->setChecked(ink.transparent);
    second_color_swatch_->setIcon(palette_button(ink.second_color)->icon());
    second_color_swatch_->setToolTip(
        QStringLiteral("Second colour %1, for patterns (the right button on a palette button "
                       "chooses it); pattern: %2")
            .arg(ink.second_color)
            .arg(QString::fromStdString(ink.pattern.name())));
}
