// The preferences kept between runs: what "Save" stores, what a start reads back, and what it
// ignores.
#include "app/Main.h"
#include "platform/common_dialogs.h"
#include "prefs/prefswin.h"
#include "settings/desk_settings.h"
#include "settings/full_cell_setting.h"
#include "settings/palette_setting.h"
#include "settings/stored_preferences.h"
#include "tests/fifo_deadline.h"
#include "tests/gui_support.h"
#include "zoom/zoom_window.h"
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTest>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

// The settings a first start has.
const StoredPreferences kStart{false, true, 0x555555, true, 0x11E0FF, true};

struct Settings : ::testing::Test {
    QTemporaryDir dir;
    void SetUp() override { ResetEditor(); }
    QString write(const QString& name, const QByteArray& bytes) const {
        QFile file(dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return file.fileName();
    }
};

} // namespace

TEST_F(Settings, SaveInThePreferencesStoresEverySettingAndClosesTheDialog) {
    bool closed_by_save = false;
    WhenModal([&] {
        QTest::mouseClick(prefs->zom2, Qt::LeftButton);
        QTest::mouseClick(prefs->vexlor_grid1, Qt::LeftButton);
        TColorDialog::QueueAnswer(RGBColor(0x12, 0x34, 0x56));
        QTest::mouseClick(prefs->gridcol2, Qt::LeftButton);
        QTest::mouseClick(prefs->prvdouble, Qt::LeftButton);
        QTest::mouseClick(prefs->Button2, Qt::LeftButton);
        closed_by_save = prefs->ModalResult == mrCancel;
        if (!closed_by_save) prefs->ModalResult = mrCancel;
    });
    okno1->Preferences1Click();
    EXPECT_TRUE(closed_by_save);
    const StoredPreferences stored = read_preferences(QSettings("Vexlor", "Vexlor"), kStart);
    EXPECT_EQ(stored, (StoredPreferences{true, false, 0x555555, true, 0x563412, false}));
}

// Each value that does not read is ignored on its own; the others still count. A list of
// recent files stored with one file reads back as a single string.
TEST_F(Settings, ValuesThatDoNotReadAreIgnoredOneByOne) {
    const struct {
        const char* text;
        StoredPreferences expected;
        QStringList recent = {};
    } cases[] = {
        {"", kStart},
        {"[General]\nzoom=8x6\n[grid]\npixels=false\npixels_color=#102030\nchars=false\n"
         "chars_color=#ABCDEF\n[preview]\ndouble_size=false\n",
         {true, false, 0x302010, false, 0xEFCDAB, false}},
        {"[General]\nzoom=16x12\n[grid]\npixels=maybe\npixels_color=#12345\nchars=1\n"
         "chars_color=red\n[preview]\ndouble_size=\n",
         kStart},
        {"[General]\nzoom=8x6, 4x3\n[grid]\npixels_color=#1020304\nchars_color=#GGGGGG\n"
         "[preview]\ndouble_size=false\n",
         {false, true, 0x555555, true, 0x11E0FF, false}},
        {"[recent]\nfiles=/p/one.vxr\n", kStart, {"/p/one.vxr"}},
        {"[recent]\nfiles=/p/a.vxr, , /p/b.vxr, /p/a.vxr\n", kStart, {"/p/a.vxr", "/p/b.vxr"}},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const QSettings settings(write(QString("case%1.conf").arg(n++), c.text),
                                 QSettings::IniFormat);
        EXPECT_EQ(read_preferences(settings, kStart), c.expected);
        EXPECT_EQ(read_recent_files(settings), c.recent);
    }
}

// A start applies what is stored, and is the specified start where nothing is, where it does not
// read, or where the settings are not a regular file (a pipe would hang the start). Nor does a
// pipe that Qt would read on the way hang a read or a write of any setting: the lock file, or
// the organisation's settings beside the editor's folder.
TEST_F(Settings, AStartAppliesWhatIsStoredAndIgnoresWhatDoesNotRead) {
    const QString file = QSettings("Vexlor", "Vexlor").fileName();
    const QString lock = file + ".lock", organisation = QFileInfo(file).path() + ".conf";
    // Every test begins with the settings cleared, which would wait on a pipe left behind.
    const auto remove_all = [&] {
        for (const QString& made : {file, lock, organisation}) QFile::remove(made);
    };
    QDir().mkpath(QFileInfo(file).path());
    StoredPreferences single = kStart;
    single.double_preview = false;
    const struct {
        QByteArray stored;
        QString pipe;
        StoredPreferences expected;
    } cases[] = {
        {{}, {}, kStart},
        {QByteArray("\xff\xfe[[zoom\n=8x6\n\x1a[grid]]]\npixels==\n") + QByteArray(3, '\0'),
         {},
         kStart},
        {QByteArray(100000, '['), {}, kStart},
        {"[preview]\ndouble_size=false\n", {}, single},
        {{}, file, kStart},
        {"[preview]\ndouble_size=false\n", lock, kStart},
        {"[preview]\ndouble_size=false\n", organisation, single},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pipe.isEmpty() ? c.stored.left(40).toStdString()
                                      : "a named pipe at " + c.pipe.toStdString());
        ResetEditor();
        remove_all();
        if (!c.pipe.isEmpty()) {
            ASSERT_EQ(::mkfifo(QFile::encodeName(c.pipe).constData(), 0600), 0);
        }
        if (!c.stored.isEmpty()) QFile::copy(write("stored.conf", c.stored), file);
        FifoDeadline deadline(QFile::encodeName(c.pipe.isEmpty() ? file : c.pipe).toStdString());
        restore_preferences();
        EXPECT_EQ(stored_palette(), PaletteId::Vexlor);
        EXPECT_EQ(stored_full_cell(), FullCell::KeepColours);
        store_full_cell(FullCell::KeepColours);
        EXPECT_FALSE(deadline.had_to_step_in()) << "the settings waited on the pipe";
        EXPECT_EQ(preferences_in_force(), c.expected);
        EXPECT_EQ(okno2->zoom_factor, 4u);
        EXPECT_EQ(okno2->view_cols, 16u);
        EXPECT_TRUE(okno1->tool_zoom2->isChecked());
        EXPECT_EQ(okno1->preview_size, c.expected.double_preview ? 2 : 1);
        remove_all();
    }
}
