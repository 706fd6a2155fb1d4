// The start-up question about an abandoned recovery copy, answered as a user would.
#include "app/Main.h"
#include "app/startup.h"
#include "formats/vxr.h"
#include "recovery/recovery_keeper.h"
#include "recovery/recovery_offer.h"
#include "tests/gui_support.h"
#include "zoom/zoom_window.h"
#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QScreen>
#include <gtest/gtest.h>
#include <limits>

namespace {

RecoveryCopy abandoned(const QString& file) {
    RecoveryCopy copy;
    for (std::size_t i = 0; i < std::size_t(kPictureBytes); ++i)
        copy.pixels[i] = std::uint8_t(i % 5);
    copy.background = 6;
    copy.changed = true;
    copy.kept_at = QDateTime::currentSecsSinceEpoch();
    copy.file = file.toStdString();
    return copy;
}

QString write_vxr(const QString& path, std::uint8_t colour) {
    const std::vector<std::uint8_t> picture(32000, colour);
    return write_file(path, encode_vxr(multicolor_grid(picture)));
}

void click(const QString& button) {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_TRUE(box);
    for (QAbstractButton* each : box->buttons())
        if (each->text() == button) each->click();
}

} // namespace

// Recover brings the copy back as one step and leaves a file named at start unopened; Discard
// drops the copy and goes on to open the file. Either way the abandoned copy is gone.
TEST(RecoveryAtStart, TheAnswerChoosesBetweenTheCopyAndTheFileNamed) {
    const struct {
        const char* button;
        bool file_named;
        bool spare = false; // the copy holds page 2, and page 1 as the spare page
    } rows[] = {{"&Recover", false},
                {"&Recover", true},
                {"&Recover", false, true},
                {"&Discard", false},
                {"&Discard", true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.button) + (row.file_named ? " with a file named" : "") +
                     (row.spare ? " with a spare page" : ""));
        ResetEditor();
        QTemporaryDir dir;
        RecoveryKeeper keeper(dir.filePath("recovery"),
                              [] { return picture_as_it_stands(desk()); });
        ASSERT_TRUE(QDir().mkpath(keeper.folder()));
        RecoveryCopy copy = abandoned(dir.filePath("wizard.vxr"));
        if (row.spare) {
            copy.reference = reference_from_image({1, 1, {0, 255, 0}});
            copy.page_shown = 2;
            copy.spare = KeptPage{};
            std::fill_n(copy.spare->pixels.begin(), kPictureBytes, std::uint8_t(9));
            copy.spare->file = "first.vxr";
        }
        const QString old_copy = keeper.folder() + "/1-earlier.vxrc";
        ASSERT_TRUE(write_recovery_copy(old_copy, copy).isEmpty());
        const QString named = write_vxr(dir.filePath("named.vxr"), 3);
        const bool recover = row.button == std::string("&Recover");
        std::array<std::uint8_t, kStorageBytes> expected{};
        if (recover)
            expected = copy.pixels;
        else if (row.file_named)
            std::fill_n(expected.begin(), kPictureBytes, std::uint8_t(3));

        QString asked;
        WhenModal([&] {
            asked = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())->text();
            click(row.button);
        });
        open_at_start(row.file_named ? named : QString());
        ASSERT_TRUE(SettleUntil(
            [&] {
                return !asked.isEmpty() && !QApplication::activeModalWidget() &&
                       okno2->picture == expected &&
                       (recover || !row.file_named || okno1->picture_path() == named);
            },
            20000));
        EXPECT_TRUE(asked.endsWith(row.spare ? "(wizard.vxr, changed since it was saved) and "
                                               "its spare page?"
                                             : "(wizard.vxr, changed since it was saved)?"))
            << asked.toStdString();
        EXPECT_FALSE(QFileInfo::exists(old_copy));
        if (recover) {
            EXPECT_EQ(okno1->picture_path(), QString::fromStdString(copy.file));
            EXPECT_EQ(okno2->back_color, copy.background);
            EXPECT_EQ(okno1->EditUndoItem->text(), "&Undo Recover");
            EXPECT_EQ(desk().document().reference(), copy.reference);
            EXPECT_EQ(desk().page_shown(), row.spare ? 2 : 1);
            EXPECT_EQ(desk().spare_page().has_value(), row.spare);
            // This editor's copy keeps both pages in turn, and the spare page comes back whole.
            const RecoveryCopy kept = picture_as_it_stands(desk());
            EXPECT_EQ(kept.spare.has_value(), row.spare);
            if (row.spare) {
                EXPECT_EQ(kept.spare->pixels, copy.spare->pixels);
                okno1->PictureSwapPagesItem->trigger();
                EXPECT_EQ(okno2->picture, copy.spare->pixels);
                EXPECT_EQ(okno1->picture_path(), "first.vxr");
                EXPECT_TRUE(desk().document().changed());
                EXPECT_FALSE(desk().document().reference());
            }
        }
        keeper.finish();
    }
}

// The question names when the copy was kept and the picture's file in a line a screen holds: a
// kept time that cannot be right (past the calendar, before 1970, after its file was written)
// gives way to the time the copy's file was written, and a name of any length is cut short.
TEST(RecoveryAtStart, TheQuestionShowsABelievableTimeAndANameThatFits) {
    const QDateTime written(QDate(2024, 3, 5), QTime(10, 20));
    const qint64 earlier = written.toSecsSinceEpoch() - 120;
    // As long as a copy keeps a name: 65535 bytes.
    const QString long_name = "/" + QString(65530, QLatin1Char('n')) + ".vxr";
    const struct {
        std::int64_t kept_at;
        QString file;
        const char* held; // how the question goes on
    } copies[] = {
        {earlier, "wizard.vxr", "held at 10:18 on 2024-03-05 (wizard.vxr, "},
        {std::numeric_limits<std::int64_t>::max(), "wizard.vxr", "held at 10:20 on 2024-03-05 ("},
        {std::numeric_limits<std::int64_t>::min(), "wizard.vxr", "held at 10:20 on 2024-03-05 ("},
        {-1, "wizard.vxr", "held at 10:20 on 2024-03-05 ("},
        {written.addDays(2).toSecsSinceEpoch(), "wizard.vxr", "held at 10:20 on 2024-03-05 ("},
        {earlier, long_name, "held at 10:18 on 2024-03-05 (nnnnnnnnnn"},
    };
    for (const auto& row : copies) {
        SCOPED_TRACE(std::to_string(row.kept_at) + " " + std::to_string(row.file.size()));
        ResetEditor();
        QTemporaryDir dir;
        RecoveryKeeper keeper(dir.filePath("recovery"),
                              [] { return picture_as_it_stands(desk()); });
        ASSERT_TRUE(QDir().mkpath(keeper.folder()));
        RecoveryCopy copy = abandoned(row.file.startsWith('/') ? row.file : dir.filePath(row.file));
        copy.kept_at = row.kept_at;
        const QString path = keeper.folder() + "/1-earlier.vxrc";
        ASSERT_TRUE(write_recovery_copy(path, copy).isEmpty());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite | QIODevice::Append));
        ASSERT_TRUE(file.setFileTime(written, QFileDevice::FileModificationTime));
        file.close();

        QString asked;
        int width = 0, screen_width = 0;
        WhenModal([&] {
            QWidget* box = QApplication::activeModalWidget();
            asked = qobject_cast<QMessageBox*>(box)->text();
            width = box->frameGeometry().width();
            screen_width = box->screen()->availableGeometry().width();
            click("&Discard");
        });
        open_at_start(QString());
        ASSERT_TRUE(SettleUntil(
            [&] { return !asked.isEmpty() && !QApplication::activeModalWidget(); }, 20000));
        EXPECT_TRUE(asked.contains(row.held)) << asked.toStdString();
        EXPECT_TRUE(asked.endsWith(", changed since it was saved)?")) << asked.toStdString();
        EXPECT_LT(asked.size(), 200);
        EXPECT_LE(width, screen_width);
        if (row.file.size() > 100) { // cut in its middle, keeping its end
            EXPECT_TRUE(asked.contains("nnn…nnn") && asked.contains("nnn.vxr, changed"))
                << asked.toStdString();
        }
        keeper.finish();
    }
}
