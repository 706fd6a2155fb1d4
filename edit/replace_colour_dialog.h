#pragma once
#include "ui_replace_colour.h"
#include <QButtonGroup>
#include <QDialog>
#include <cstdint>

// Asks which colour is to become which: a row of the sixteen colours for each.
class ReplaceColourDialog : public QDialog, public Ui::ReplaceColourDialog {
    Q_OBJECT
public:
    ReplaceColourDialog(std::uint8_t from, std::uint8_t to, QWidget* parent = nullptr);

    std::uint8_t from() const { return std::uint8_t(from_group_.checkedId()); }
    std::uint8_t to() const { return std::uint8_t(to_group_.checkedId()); }
    QAbstractButton* from_button(std::uint8_t index) const { return from_group_.button(index); }
    QAbstractButton* to_button(std::uint8_t index) const { return to_group_.button(index); }

private:
    void fill_row(QWidget* row, QButtonGroup& group, std::uint8_t chosen);

    QButtonGroup from_group_;
    QButtonGroup to_group_;
};

// Shows the dialog over the frame with `from` and `to` chosen; true, with the user's choice in
// them, when it is confirmed.
bool ask_replace_colour(std::uint8_t& from, std::uint8_t& to);
