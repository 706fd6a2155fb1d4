#pragma once
// The import and export tests' fixture: a temporary folder, messages and questions caught,
// file dialogs answered from the queue.
#include "c64/koala.h"
#include "c64/prg.h"
#include "c64/render.h"
#include "exchange/image_file.h"
#include "exchange/import_dialog.h"
#include "exchange/picture_export.h"
#include "exchange/picture_import.h"
#include "exchange/png_options_dialog.h"
#include "tests/c64_support.h"
#include "tests/gui_support.h"
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <sys/stat.h>

// A dialog that nobody answers within three seconds fails the test and is closed, so that a
// fault shows as a failure rather than as a test that waits for ever.
class UnansweredDialogs {
public:
    UnansweredDialogs() {
        timer_.setInterval(100);
        QObject::connect(&timer_, &QTimer::timeout, [this] { check(); });
        timer_.start();
    }

private:
    void check() {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ticks_ = dialog && dialog == seen_ ? ticks_ + 1 : 0;
        seen_ = dialog;
        if (ticks_ < 30) return;
        ADD_FAILURE() << "nobody answered the dialog \"" << dialog->windowTitle().toStdString()
                      << "\"";
        dialog->reject();
    }

    QTimer timer_;
    QPointer<QDialog> seen_;
    int ticks_ = 0;
};

struct Exchange : ::testing::Test {
    UnansweredDialogs unanswered;
    QTemporaryDir dir;
    QStringList errors, questions;
    bool answer_yes = true;
    PictureBytes picture;
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

    QString path(const QString& name) const { return dir.filePath(name); }
    QString write(const QString& name, const std::vector<std::uint8_t>& bytes) const {
        QFile file(path(name));
        file.open(QIODevice::WriteOnly);
        file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
        return path(name);
    }
    QString write_png(const QString& name, const RgbImage& image) const {
        to_qimage(image).save(path(name), "PNG");
        return path(name);
    }
    static std::vector<std::uint8_t> read(const QString& name) {
        QFile file(name);
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        return {bytes.begin(), bytes.end()};
    }

    bool import(const QString& file) {
        TFileDialog::QueueAnswer(file);
        return import_picture(open_dialog, picture.data(), format);
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

inline PictureBytes some_picture(unsigned seed, std::uint8_t background = 0) {
    std::mt19937 random(seed);
    return random_encodable_picture(random, background);
}

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
