// The Sprites menu in the windows.
#include "app/Main.h"
#include "tests/gui_support.h"
#include <QMenu>
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
