#include "document/document.h"
#include <algorithm>
#include <array>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

using Picture = std::array<std::uint8_t, kStorageBytes>;

// What a user action does to the picture, kept so that any state can be replayed from the start.
using Action = std::function<void(Picture&)>;

struct Replay {
    Picture start{};
    std::vector<Action> line; // the actions that made the picture, the oldest first
    std::size_t dropped = 0;  // the oldest of them, too old to be undone
    std::size_t done = 0;     // of the rest, how many are in effect

    std::size_t kept() const { return line.size() - dropped; }
    void recorded(Action action, std::size_t steps_kept) {
        line.resize(dropped + done); // what could have been redone is gone
        line.push_back(std::move(action));
        done = kept();
        while (kept() > steps_kept) ++dropped, --done;
    }
    Picture state() const {
        Picture picture = start;
        for (std::size_t i = 0; i < dropped + done; ++i) line[i](picture);
        return picture;
    }
};

Action stroke(std::mt19937& random) {
    std::vector<std::pair<int, std::uint8_t>> plots(1 + random() % 40);
    const int around = int(random() % 32000);
    for (auto& [at, color] : plots) {
        at = (around + int(random() % 500)) % 32000;
        color = std::uint8_t(random() % 16);
    }
    return [plots](Picture& p) {
        for (auto [at, color] : plots) p[at] = color;
    };
}

// The multicolour picture's pixels: the storage past them belongs to no pixel of its mode.
Action clear(std::uint8_t color) {
    return [color](Picture& p) { std::fill_n(p.begin(), kPictureBytes, color); };
}

Action open(std::mt19937& random) {
    Picture loaded;
    for (auto& byte : loaded) byte = std::uint8_t(random() % 16);
    const std::size_t length = random() % 2 ? 32000 : random() % 32000; // a short file too
    return [loaded, length](Picture& p) { std::copy_n(loaded.begin(), length, p.begin()); };
}

// `action` as one edit of the document: true when it made a step.
bool edit(Document& document, const Action& action, const char* label = "step") {
    Document::Edit edit(document, label);
    edit.pixels(document.whole());
    action(document.picture);
    return edit.commit();
}

} // namespace

// Whatever users do, the picture is always what replaying the steps still in effect gives.
TEST(History, AlwaysEqualsAReplayOfTheSurvivingSteps) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        Replay replay;
        Document document(fmtMulticolor, {40, std::size_t(1) << 20});
        const Picture& picture = document.picture;
        const PictureHistory& history = document.history();
        for (int event = 0; event < 600; ++event) {
            const unsigned kind = random() % 100;
            if (kind < 55) {
                Action action = kind < 40   ? stroke(random)
                                : kind < 48 ? clear(std::uint8_t(random() % 3))
                                            : open(random);
                if (edit(document, action)) {
                    replay.recorded(std::move(action), history.steps());
                } else {
                    // It changed nothing: it leaves no trace, and redo survives it.
                    EXPECT_EQ(picture, replay.state());
                    continue;
                }
            } else if (kind < 80) {
                EXPECT_EQ(document.undo(), replay.done > 0);
                if (replay.done > 0) --replay.done;
            } else {
                EXPECT_EQ(document.redo(), replay.done < replay.kept());
                if (replay.done < replay.kept()) ++replay.done;
            }
            ASSERT_EQ(picture, replay.state()) << "after event " << event;
            ASSERT_EQ(history.can_undo(), replay.done > 0);
            ASSERT_EQ(history.can_redo(), replay.done < replay.kept());
        }
    }
}

TEST(History, AStepIsNamedAndOnlyChangesMakeOne) {
    Document document;
    const PictureHistory& history = document.history();
    EXPECT_FALSE(edit(
        document, [](Picture&) {}, "Clear"));
    EXPECT_FALSE(history.can_undo());
    EXPECT_EQ(history.undo_label(), "");
    EXPECT_TRUE(edit(
        document, [](Picture& p) { p[5] = 2; }, "Paint"));
    EXPECT_TRUE(edit(document, clear(7), "Open"));
    EXPECT_EQ(history.undo_label(), "Open");
    EXPECT_TRUE(document.undo());
    EXPECT_EQ(history.undo_label(), "Paint");
    EXPECT_EQ(history.redo_label(), "Open");
    EXPECT_EQ(document.picture[5], 2);
    EXPECT_EQ(document.picture[6], 0);
    EXPECT_FALSE(edit(
        document, [](Picture&) {}, "Paint")); // no change since: redo stays
    EXPECT_TRUE(history.can_redo());
}

TEST(History, ANewStepDropsWhatCouldHaveBeenRedone) {
    Document document;
    edit(
        document, [](Picture& p) { p[1] = 1; }, "Paint");
    edit(
        document, [](Picture& p) { p[2] = 2; }, "Paint");
    document.undo();
    edit(
        document, [](Picture& p) { p[3] = 3; }, "Fill");
    EXPECT_FALSE(document.history().can_redo());
    EXPECT_FALSE(document.redo());
    EXPECT_EQ(document.history().steps(), 2u);
    document.undo();
    document.undo();
    EXPECT_EQ(document.picture, Picture{});
}

// The oldest steps go first, by count and by bytes; the rest still undo to the right picture.
TEST(History, StaysWithinItsBounds) {
    Document by_count(fmtMulticolor, {5, std::size_t(1) << 30});
    for (std::uint8_t i = 1; i <= 8; ++i) edit(by_count, clear(i), "Clear");
    EXPECT_EQ(by_count.history().steps(), 5u);
    while (by_count.undo()) {
    }
    EXPECT_EQ(by_count.picture[0], 3);

    Document by_bytes(fmtMulticolor, {1000, 100'000});
    for (std::uint8_t i = 1; i <= 10; ++i) {
        edit(by_bytes, clear(i), "Clear");
        EXPECT_LE(by_bytes.history().bytes(), 100'000u);
    }
    EXPECT_EQ(by_bytes.history().steps(), 3u); // each Clear keeps its 32000 bytes
    while (by_bytes.undo()) {
    }
    EXPECT_EQ(by_bytes.picture[31999], 7);
}

// What the README promises: the last 1000 steps, within 64 MiB.
TEST(History, KeepsAThousandStepsWithinSixtyFourMebibytesUnlessToldOtherwise) {
    Document strokes;
    for (int i = 1; i <= 1001; ++i)
        edit(
            strokes, [i](Picture& p) { p[std::size_t(i)] = 1; }, "Paint");
    EXPECT_EQ(strokes.history().steps(), 1000u);

    // Each step below changes 1 MiB.
    std::vector<std::uint8_t> was(std::size_t(1) << 20), now(was.size());
    const PixelArea all{0, 0, 1024, 1024};
    const std::vector<bool> every_row(1024, true);
    PictureHistory clears;
    for (int i = 1; i <= 70; ++i) {
        std::fill(now.begin(), now.end(), std::uint8_t(i));
        Step step{"Clear", {}};
        step.changes.push_back(PixelsChange::between({was.data(), 1024, 1024},
                                                     {now.data(), 1024, 1024}, all, every_row));
        clears.push(std::move(step));
        was = now;
    }
    EXPECT_LE(clears.bytes(), std::size_t(64) << 20);
    EXPECT_GE(clears.steps(), 60u);
}

TEST(History, AOnePixelStepCostsAFewBytes) {
    Document document;
    edit(
        document, [](Picture& p) { p[31999] = 9; }, "Paint");
    EXPECT_LT(document.history().bytes(), 128u);
    // Scattered pixels keep only their runs; a full change keeps one byte per pixel.
    edit(document, clear(1), "Clear");
    EXPECT_LT(document.history().bytes(), 32000u + 256u);
}

// Everything that belongs to the picture goes back and forth together, as one step.
TEST(History, TakesEveryPartOfThePictureBackTogether) {
    Document document;
    {
        Document::Edit edit(document, "Background Colour");
        edit.set_background(6);
        EXPECT_TRUE(edit.commit()); // the part alone makes a step
    }
    {
        Document::Edit edit(document, "Import");
        edit.pixels(document.whole());
        std::fill_n(document.picture.begin(), kPictureBytes, std::uint8_t(6));
        edit.set_background(9);
        edit.set_mode(fmtFli);
        edit.commit();
    }
    EXPECT_TRUE(document.undo());
    EXPECT_EQ(document.back_color, 6);
    EXPECT_EQ(document.format(), fmtMulticolor);
    EXPECT_EQ(document.picture, Picture{});
    EXPECT_TRUE(document.undo());
    EXPECT_EQ(document.back_color, 0);
    EXPECT_TRUE(document.redo());
    EXPECT_TRUE(document.redo());
    EXPECT_EQ(document.back_color, 9);
    EXPECT_EQ(document.format(), fmtFli);
    EXPECT_EQ(document.picture[31999], 6);
    document.reset();
    EXPECT_FALSE(document.history().can_undo());
    EXPECT_EQ(document.format(), fmtMulticolor);
}
