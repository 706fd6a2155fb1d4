// The Sprites menu in the windows, and saving and opening a picture with sprites.
#include "app/Main.h"
#include "display/displayed_palette.h"
#include "formats/raw_sprites.h"
#include "platform/common_dialogs.h"
#include "sprites/shown_screen.h"
#include "tests/gui_support.h"
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct SpriteWindow : EditorWindowTest {
    static QAction* item(const QString& text) {
        const auto* menu = okno1->Host()->findChild<QMenu*>("SpritesMenu");
        if (!menu) menu = okno1->findChild<QMenu*>("SpritesMenu");
        for (QAction* found : menu ? menu->actions() : QList<QAction*>())
            if (found->text() == text) return found;
        return nullptr;
    }
    static const Sprite& sprite(std::size_t index = 0) {
        return desk().document().sprites().sprites[index];
    }
};

} // namespace

// Each item changes the chosen sprite (or the shared colours) as one step that Undo takes back,
// and the checkable items show the sprite's state.
TEST_F(SpriteWindow, EachItemChangesTheChosenSpriteAsOneStep) {
    const struct {
        const char* text;
        bool (*done)(const SpriteSet&);
    } rows[] = {
        {"&Multicolour", [](const SpriteSet& set) { return set.sprites[0].multicolour; }},
        {"Take the Draw &Colour", [](const SpriteSet& set) { return set.sprites[0].colour == 7; }},
        {"Expand &Width", [](const SpriteSet& set) { return set.sprites[0].expand_x; }},
        {"Expand H&eight", [](const SpriteSet& set) { return set.sprites[0].expand_y; }},
        {"&Behind the Picture", [](const SpriteSet& set) { return set.sprites[0].behind; }},
        {"Shared Colour &1", [](const SpriteSet& set) { return set.shared_colour0 == 7; }},
        {"Shared Colour &2", [](const SpriteSet& set) { return set.shared_colour1 == 7; }},
        {"&Delete Sprite", [](const SpriteSet& set) { return set.sprites.empty(); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        ResetEditor();
        ASSERT_TRUE(desk().add_sprite({.x = 40, .y = 30, .colour = 2}));
        desk().choose_colour(7);
        EXPECT_TRUE(item("&Hires")->isChecked()); // the sprite just added is chosen
        const SpriteSet before = desk().document().sprites();
        QAction* found = item(row.text);
        ASSERT_TRUE(found);
        EXPECT_TRUE(found->isEnabled());
        found->trigger();
        EXPECT_TRUE(row.done(desk().document().sprites()));
        EXPECT_EQ(found->isChecked(), found->isCheckable());
        desk().undo();
        EXPECT_EQ(desk().document().sprites(), before);
        EXPECT_FALSE(found->isChecked());
    }
}

// With no sprite chosen the items that change one are off; a change that would put nine
// sprites on a line is refused with the reason in the status bar, and the item stays as the
// sprite is.
TEST_F(SpriteWindow, ItemsAreOffWithoutASpriteAndARefusalIsNamed) {
    for (const char* text : {"&Hires", "&Multicolour", "Take the Draw &Colour", "Expand &Width",
                             "Expand H&eight", "&Behind the Picture", "&Delete Sprite"})
        ASSERT_TRUE(item(text) && !item(text)->isEnabled()) << text;
    EXPECT_TRUE(item("Shared Colour &1")->isEnabled());

    for (int i = 0; i < 8; ++i) ASSERT_TRUE(desk().add_sprite({.x = i * 30, .y = 40}));
    ASSERT_TRUE(desk().add_sprite({.x = 100, .y = 19})); // rows 19..39, chosen
    const SpriteSet before = desk().document().sprites();
    item("Expand H&eight")->trigger(); // would reach rows 40..60, which hold 8
    EXPECT_EQ(desk().document().sprites(), before);
    EXPECT_FALSE(item("Expand H&eight")->isChecked());
    EXPECT_TRUE(status().contains("9 sprites")) << status().toStdString();
}

namespace {

struct SpriteFiles : SpriteWindow {
    QTemporaryDir dir;
    QStringList questions;
    bool answer_yes = true;
    void SetUp() override {
        SpriteWindow::SetUp();
        SetQuestionDisplay([this](const QString&, const QString& text) {
            questions << text;
            return answer_yes;
        });
    }
    void TearDown() override {
        SetQuestionDisplay(nullptr);
        TFileDialog::DropAnswers();
        SpriteWindow::TearDown();
    }
};

} // namespace

// Save As offers the file that keeps the sprites first, and a name typed without an extension
// gets it; Open brings them back. A file that keeps only the bitmap is written once the user
// says so, and opening it leaves no sprites.
TEST_F(SpriteFiles, SavedSpritesComeBackAndAFileWithoutThemAsksFirst) {
    const struct {
        const char* typed;
        bool answer;
        const char* saved; // empty: nothing written
        bool asked;
    } rows[] = {
        {"kept", true, "kept.vxs", false},
        {"named.vxs", true, "named.vxs", false},
        {"bitmap.vxr", true, "bitmap.vxr", true},
        {"declined.vxr", false, "", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        ResetEditor();
        questions.clear();
        answer_yes = row.answer;
        Document& document = desk().document();
        document.grid().row(10)[20] = 2;
        ASSERT_TRUE(desk().add_sprite({.x = -5, .y = 190, .colour = 4, .expand_x = true}));
        Sprite multicolour{.x = 100, .y = 50, .colour = 5, .multicolour = true, .behind = true};
        multicolour.data.fill(0x1B);
        ASSERT_TRUE(desk().add_sprite(multicolour));
        ASSERT_TRUE(desk().set_sprite_shared_colours(9, 12));
        const SpriteSet sprites = document.sprites();
        const StoredPicture pixels = document.picture;

        TFileDialog::QueueAnswer(dir.filePath(row.typed));
        okno1->FileSaveAs();
        EXPECT_TRUE(okno1->SaveDialog.Filter.startsWith(
            "Vexlor pictures with sprites|*.vxs|Vexlor file|*.vxr|"));
        EXPECT_EQ(questions.size(), row.asked ? 1 : 0);
        EXPECT_TRUE(!row.asked || questions.value(0).contains("the sprites are not saved"));
        if (*row.saved == 0) {
            EXPECT_FALSE(QFile::exists(dir.filePath(row.typed)));
            EXPECT_TRUE(okno1->picture_path().isEmpty());
            continue;
        }
        const QString saved = dir.filePath(row.saved);
        EXPECT_EQ(okno1->picture_path(), saved);
        document.grid().row(10)[20] = 0;
        desk().remove_sprite(0);
        okno1->open_picture(saved, OpenAs::ByKind);
        EXPECT_EQ(document.picture, pixels);
        EXPECT_EQ(document.sprites(), row.asked ? SpriteSet{} : sprites);
    }
}

namespace {

struct RawSprites : SpriteFiles {
    QStringList errors;
    void SetUp() override {
        SpriteFiles::SetUp();
        SetErrorMessageDisplay([this](const QString&, const QString& text) { errors << text; });
    }
    void TearDown() override {
        SetErrorMessageDisplay(nullptr);
        SpriteFiles::TearDown();
    }
    QString write(const QString& name, const QByteArray& bytes) const {
        QFile file(dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return file.fileName();
    }
    static QByteArray read(const QString& path) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }
};

} // namespace

// Import adds whole 64-byte blocks (a load address in front or not) as one step; anything else
// is refused with the reason, and the picture keeps its sprites.
TEST_F(RawSprites, ImportTakesWholeBlocksAsOneStepAndRefusesTheRest) {
    const struct {
        const char* name;
        QByteArray bytes;
        int sprites; // 0: refused
    } rows[] = {
        {"two.spr", QByteArray(128, '\x55'), 2},
        {"loaded.spr", QByteArray("\x00\x20", 2) + QByteArray(64, '\x0F'), 1},
        {"short.spr", QByteArray(100, '\x01'), 0},
        {"empty.raw", QByteArray(), 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ResetEditor();
        errors.clear();
        ASSERT_TRUE(desk().add_sprite({.x = 200, .y = 150}));
        const SpriteSet before = desk().document().sprites();
        TFileDialog::QueueAnswer(write(row.name, row.bytes));
        okno1->import_raw_sprites();
        const std::vector<Sprite>& now = desk().document().sprites().sprites;
        if (row.sprites == 0) {
            EXPECT_EQ(desk().document().sprites(), before);
            ASSERT_EQ(errors.size(), 1);
            EXPECT_TRUE(errors[0].contains(row.name) && errors[0].contains("64 bytes a sprite"))
                << errors[0].toStdString();
            continue;
        }
        EXPECT_TRUE(errors.isEmpty());
        ASSERT_EQ(now.size(), before.sprites.size() + std::size_t(row.sprites));
        EXPECT_EQ(now.front(), before.sprites.front()); // the new ones lie under it
        EXPECT_EQ(now.back().data[0], std::uint8_t(row.bytes.back()));
        desk().undo();
        EXPECT_EQ(desk().document().sprites(), before);
    }
}

// Export writes the raw data and the assembler source beside it, named alike.
TEST_F(RawSprites, ExportWritesTheDataAndItsSourceBesideIt) {
    EXPECT_FALSE(item("E&xport Raw Sprites...")->isEnabled());
    Sprite shape{.x = 30, .y = 60, .colour = 4, .multicolour = true};
    shape.data.fill(0x6C);
    ASSERT_TRUE(desk().add_sprite(shape));
    ASSERT_TRUE(desk().add_sprite({.x = 90, .y = 0, .colour = 7, .expand_y = true}));
    EXPECT_TRUE(item("E&xport Raw Sprites...")->isEnabled());
    const SpriteSet& sprites = desk().document().sprites();
    TFileDialog::QueueAnswer(dir.filePath("logo"));
    item("E&xport Raw Sprites...")->trigger();
    const std::vector<std::uint8_t> data = write_raw_sprites(sprites);
    EXPECT_EQ(read(dir.filePath("logo.spr")),
              QByteArray(reinterpret_cast<const char*>(data.data()), qsizetype(data.size())));
    EXPECT_EQ(read(dir.filePath("logo.asm")).toStdString(), sprites_assembler(sprites, "logo.spr"));
    EXPECT_TRUE(errors.isEmpty());
}

// A cell of five colours: the fix keeps four and new sprites show the fifth as it was, so what
// shows is the picture as painted; the status bar counts both, and Undo takes it back whole.
TEST_F(SpriteWindow, FixColourClashesWithSpritesShowsThePictureAsItWas) {
    Document& document = desk().document();
    for (int row = 0; row < 8; ++row)
        for (int column = 0; column < 4; ++column)
            document.grid().row(row)[column] = std::uint8_t(1 + (row * 4 + column) % 5);
    const StoredPicture painted = document.picture;
    const std::vector<std::uint8_t> as_painted = shown_screen(document);
    okno1->Host()->findChild<QAction*>("PictureFixClashesWithSpritesItem")->trigger();
    EXPECT_NE(document.picture, painted);
    EXPECT_FALSE(document.sprites().sprites.empty());
    EXPECT_EQ(shown_screen(document), as_painted);
    EXPECT_TRUE(status().contains("went to sprites, 0 pixels changed")) << status().toStdString();
    desk().undo();
    EXPECT_EQ(document.picture, painted);
    EXPECT_TRUE(document.sprites().sprites.empty());
}

// A picture opened from a file with sprites saves back to it with Save, with sprites or none.
TEST_F(SpriteFiles, SaveKeepsAFileWithSpritesWhenTheyAreGone) {
    ASSERT_TRUE(desk().add_sprite({.x = 3, .y = 4}));
    TFileDialog::QueueAnswer(dir.filePath("own.vxs"));
    okno1->FileSaveAs();
    ASSERT_TRUE(desk().remove_sprite(0));
    const int asked = TFileDialog::ExecuteCount();
    okno1->FileSave();
    EXPECT_EQ(TFileDialog::ExecuteCount(), asked);
    EXPECT_TRUE(questions.isEmpty());
    ASSERT_TRUE(desk().add_sprite({.x = 50, .y = 60}));
    okno1->open_picture(dir.filePath("own.vxs"), OpenAs::ByKind);
    EXPECT_TRUE(desk().document().sprites().sprites.empty());
}

// Export as PNG of a picture with sprites is the screen they show on, 320 x 200, a hires sprite
// pixel half a multicolour pixel wide.
TEST_F(SpriteFiles, PngExportShowsTheSprites) {
    Sprite dot{.x = 11, .y = 5, .colour = 1};
    dot.data[0] = 0x80; // its top-left pixel only
    ASSERT_TRUE(desk().add_sprite(dot));
    TFileDialog::QueueAnswer(dir.filePath("shown.png"));
    WhenModal([] { qobject_cast<QDialog*>(QApplication::activeModalWidget())->accept(); });
    okno1->PicturePngItem->trigger();
    const QImage shown(dir.filePath("shown.png"));
    ASSERT_EQ(shown.size(), QSize(320, 200));
    const auto rgb = [&](int x, int y) { return shown.pixel(x, y) & 0xFFFFFF; };
    EXPECT_EQ(rgb(11, 5), SurfaceWord(palette_color(1)) & 0xFFFFFF);
    EXPECT_EQ(rgb(10, 5), SurfaceWord(palette_color(0)) & 0xFFFFFF);
    EXPECT_EQ(rgb(12, 5), SurfaceWord(palette_color(0)) & 0xFFFFFF);
}
