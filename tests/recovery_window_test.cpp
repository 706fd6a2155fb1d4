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
#include <gtest/gtest.h>

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
    const std::vector<std::uint8_t> bytes = encode_vxr(picture.data(), picture.size());
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
    return path;
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
        RecoveryKeeper keeper(dir.filePath("recovery"), picture_as_it_stands);
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
            EXPECT_EQ(okno2->reference(), copy.reference);
            EXPECT_EQ(okno1->page_shown(), row.spare ? 2 : 1);
            EXPECT_EQ(okno1->kept_spare_page().has_value(), row.spare);
            // This editor's copy keeps both pages in turn, and the spare page comes back whole.
            const RecoveryCopy kept = picture_as_it_stands();
            EXPECT_EQ(kept.spare.has_value(), row.spare);
            if (row.spare) {
                EXPECT_EQ(kept.spare->pixels, copy.spare->pixels);
                okno1->PictureSwapPagesItem->trigger();
                EXPECT_EQ(okno2->picture, copy.spare->pixels);
                EXPECT_EQ(okno1->picture_path(), "first.vxr");
                EXPECT_TRUE(okno2->changed());
                EXPECT_FALSE(okno2->reference());
            }
        }
        keeper.finish();
    }
}
