#pragma once
// The import and export tests' fixture: a temporary folder, messages and questions caught,
// file dialogs answered from the queue.
#include "c64/prg.h"
#include "exchange/import_dialog.h"
#include "exchange/picture_export.h"
#include "exchange/picture_import.h"
#include "exchange/png_options_dialog.h"
#include "formats/koala.h"
#include "formats/png.h"
#include "tests/file_support.h"
#include "tests/gui_support.h"
#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

struct Exchange : FileTest {
    QStringList errors, questions;
    bool answer_yes = true;
    PictureBytes picture;
    StoredPicture storage{}; // the picture in every mode's storage, as the last import left it
    std::uint8_t background = 0;
    std::uint8_t format = fmtMulticolor; // the editor's mode, as an import finds and leaves it
    TOpenDialog open_dialog;
    TSaveDialog save_dialog;

    void SetUp() override {
        picture.fill(9);
        SetErrorMessageDisplay([this](const QString&, const QString& text) { errors << text; });
        SetQuestionDisplay([this](const QString&, const QString& text) {
            questions << text;
            return answer_yes;
        });
    }
    void TearDown() override {
        SetErrorMessageDisplay(nullptr);
        SetQuestionDisplay(nullptr);
        TFileDialog::DropAnswers();
    }

    // The multicolour pictures these tests bring in, through the storage every mode shares.
    bool import(const QString& file) {
        TFileDialog::QueueAnswer(file);
        storage = stored(picture);
        const bool imported = import_picture(
            open_dialog, grid_over(storage, kWidestColumns, kPictureRows), background, format);
        picture = multicolour_part(storage);
        return imported;
    }
    // Imports, refused: the picture stays and the message names the file and the reason.
    void expect_refused(const QString& file, const QString& reason) {
        const PictureBytes before = picture;
        errors.clear();
        EXPECT_FALSE(import(file));
        EXPECT_EQ(picture, before);
        ASSERT_EQ(errors.size(), 1) << file.toStdString();
        EXPECT_TRUE(errors[0].contains(file)) << errors[0].toStdString();
        EXPECT_TRUE(errors[0].contains(reason)) << errors[0].toStdString();
    }
};

// Runs `answer` on the conversion dialog once it is up.
inline void when_import_dialog(std::function<void(ImportDialog&)> answer) {
    WhenModal([answer] {
        auto* dialog = qobject_cast<ImportDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        answer(*dialog);
    });
}

inline void press(QDialogButtonBox* buttons, QDialogButtonBox::StandardButton which) {
    QTest::mouseClick(buttons->button(which), Qt::LeftButton);
}
