#include "history/picture_history.h"
#include <algorithm>
#include <array>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

using Picture = std::array<std::uint8_t, 32000>;

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

Action clear(std::uint8_t color) {
    return [color](Picture& p) { p.fill(color); };
}

Action open(std::mt19937& random) {
    Picture loaded;
    for (auto& byte : loaded) byte = std::uint8_t(random() % 16);
    const std::size_t length = random() % 2 ? 32000 : random() % 32000; // a short file too
    return [loaded, length](Picture& p) { std::copy_n(loaded.begin(), length, p.begin()); };
}

} // namespace

// Whatever users do, the picture is always what replaying the steps still in effect gives.
TEST(History, AlwaysEqualsAReplayOfTheSurvivingSteps) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        Replay replay;
        Picture picture = replay.start;
        PictureHistory history({picture}, {40, std::size_t(1) << 20});
        for (int event = 0; event < 600; ++event) {
            const unsigned kind = random() % 100;
            if (kind < 55) {
                Action action = kind < 40   ? stroke(random)
                                : kind < 48 ? clear(std::uint8_t(random() % 3))
                                            : open(random);
                action(picture);
                if (history.record("step")) {
                    replay.recorded(std::move(action), history.steps());
                } else {
                    // It changed nothing: it leaves no trace, and redo survives it.
                    EXPECT_EQ(picture, replay.state());
                    continue;
                }
            } else if (kind < 80) {
                EXPECT_EQ(history.undo(), replay.done > 0);
                if (replay.done > 0) --replay.done;
            } else {
                EXPECT_EQ(history.redo(), replay.done < replay.kept());
                if (replay.done < replay.kept()) ++replay.done;
            }
            ASSERT_EQ(picture, replay.state()) << "after event " << event;
            ASSERT_EQ(history.can_undo(), replay.done > 0);
            ASSERT_EQ(history.can_redo(), replay.done < replay.kept());
        }
    }
}

TEST(History, AStepIsNamedAndOnlyChangesMakeOne) {
    Picture picture{};
    PictureHistory history({picture});
    EXPECT_FALSE(history.record("Clear"));
    EXPECT_FALSE(history.can_undo());
    EXPECT_EQ(history.undo_label(), "");
    picture[5] = 2;
    EXPECT_TRUE(history.record("Paint"));
    picture.fill(7);
    EXPECT_TRUE(history.record("Open"));
    EXPECT_EQ(history.undo_label(), "Open");
    EXPECT_TRUE(history.undo());
    EXPECT_EQ(history.undo_label(), "Paint");
    EXPECT_EQ(history.redo_label(), "Open");
    EXPECT_EQ(picture[5], 2);
    EXPECT_EQ(picture[6], 0);
    EXPECT_FALSE(history.record("Paint")); // no change since: redo stays
    EXPECT_TRUE(history.can_redo());
}

TEST(History, ANewStepDropsWhatCouldHaveBeenRedone) {
    Picture picture{};
    PictureHistory history({picture});
    picture[1] = 1;
    history.record("Paint");
    picture[2] = 2;
    history.record("Paint");
    history.undo();
    picture[3] = 3;
    history.record("Fill");
    EXPECT_FALSE(history.can_redo());
    EXPECT_FALSE(history.redo());
    EXPECT_EQ(history.steps(), 2u);
    history.undo();
    history.undo();
    EXPECT_EQ(picture, Picture{});
}

// The oldest steps go first, by count and by bytes; the rest still undo to the right picture.
TEST(History, StaysWithinItsBounds) {
    Picture picture{};
    PictureHistory by_count({picture}, {5, std::size_t(1) << 30});
    for (std::uint8_t i = 1; i <= 8; ++i) {
        picture.fill(i);
        by_count.record("Clear");
    }
    EXPECT_EQ(by_count.steps(), 5u);
    while (by_count.undo()) {
    }
    EXPECT_EQ(picture[0], 3);

    picture.fill(0);
    PictureHistory by_bytes({picture}, {1000, 100'000});
    for (std::uint8_t i = 1; i <= 10; ++i) {
        picture.fill(i);
        by_bytes.record("Clear");
        EXPECT_LE(by_bytes.bytes(), 100'000u);
    }
    EXPECT_EQ(by_bytes.steps(), 3u); // each Clear keeps its 32000 bytes
    while (by_bytes.undo()) {
    }
    EXPECT_EQ(picture[31999], 7);
}

// What the README promises: the last 1000 steps, within 64 MiB.
TEST(History, KeepsAThousandStepsWithinSixtyFourMebibytesUnlessToldOtherwise) {
    Picture picture{};
    PictureHistory strokes({picture});
    for (int i = 1; i <= 1001; ++i) {
        picture[std::size_t(i)] = 1;
        strokes.record("Paint");
    }
    EXPECT_EQ(strokes.steps(), 1000u);

    std::vector<std::uint8_t> large(std::size_t(1) << 20); // each step below changes 1 MiB
    PictureHistory clears({large});
    for (int i = 1; i <= 70; ++i) {
        std::fill(large.begin(), large.end(), std::uint8_t(i));
        clears.record("Clear");
    }
    EXPECT_LE(clears.bytes(), std::size_t(64) << 20);
    EXPECT_GE(clears.steps(), 60u);
}

TEST(History, AOnePixelStepCostsAFewBytes) {
    Picture picture{};
    PictureHistory history({picture});
    picture[31999] = 9;
    history.record("Paint");
    EXPECT_LT(history.bytes(), 128u);
    // Scattered pixels keep only their runs; a full change keeps one byte per pixel.
    picture.fill(1);
    history.record("Clear");
    EXPECT_LT(history.bytes(), 32000u + 256u);
}

// Everything that belongs to the picture goes back and forth together, as one step.
TEST(History, TakesEveryPartOfThePictureBackTogether) {
    Picture picture{};
    std::uint8_t background = 0;
    PictureHistory history({picture, std::span(&background, 1)});
    background = 6;
    EXPECT_TRUE(history.record("Background Colour")); // the part alone makes a step
    picture.fill(6);
    background = 9;
    history.record("Import");
    EXPECT_TRUE(history.undo());
    EXPECT_EQ(background, 6);
    EXPECT_EQ(picture, Picture{});
    EXPECT_TRUE(history.undo());
    EXPECT_EQ(background, 0);
    EXPECT_TRUE(history.redo());
    EXPECT_TRUE(history.redo());
    EXPECT_EQ(background, 9);
    EXPECT_EQ(picture[31999], 6);
    history.restart();
    EXPECT_FALSE(history.can_undo());
    EXPECT_FALSE(history.record("Paint"));
}
