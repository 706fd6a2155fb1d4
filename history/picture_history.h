#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

// What a step records beside the pixels: the picture's settings that a command may change
// together with them.
struct PictureState {
    std::uint8_t format = 1; // a PictureFormat: 1 Multicolor, 2 FLI

    bool operator==(const PictureState&) const = default;
};

// The undo history of the picture. Each step keeps what one user action changed, as the runs of
// bytes that differ, each byte the old value XOR the new: applying a step once undoes it and
// applying it again redoes it. A one-pixel stroke costs a few bytes, not a copy of the picture.
//
// The history keeps the picture as it stands after the last step (its base); whatever differs
// from it when a step is recorded is that step. Undo and redo expect the picture to equal the
// base, that is, every change made since the last step to have been recorded.
class PictureHistory {
public:
    struct Limits {
        std::size_t steps = 1000;
        std::size_t bytes = std::size_t(64) << 20;
    };

    // `picture` is the starting picture of `size` bytes, with the default state.
    PictureHistory(const std::uint8_t* picture, std::size_t size, Limits limits);
    PictureHistory(const std::uint8_t* picture, std::size_t size)
        : PictureHistory(picture, size, Limits{}) {}

    // Records what changed since the last step, pixels and state, as a step called `label`,
    // dropping the steps that could have been redone and, past the limits, the oldest. False
    // when nothing changed.
    bool record(const std::string& label, const std::uint8_t* picture,
                const PictureState& state = {});

    bool can_undo() const { return done_ > 0; }
    bool can_redo() const { return done_ < steps_.size(); }
    // The names of the steps that undo and redo would take back or bring back; empty if none.
    std::string undo_label() const;
    std::string redo_label() const;

    // Takes the last step back, or brings the last undone one back; false if there is none.
    // `state`, when given, takes the state that the picture has again.
    bool undo(std::uint8_t* picture, PictureState* state = nullptr);
    bool redo(std::uint8_t* picture, PictureState* state = nullptr);

    std::size_t steps() const { return steps_.size(); }
    // What the steps take in memory, the base picture left out.
    std::size_t bytes() const { return bytes_; }

private:
    struct Step {
        std::string label;
        std::vector<std::uint8_t> runs; // (gap, length) as varints, then `length` XOR bytes
        PictureState before, after;
        std::size_t bytes() const;
    };

    static std::vector<std::uint8_t> differences(const std::uint8_t* from, const std::uint8_t* to,
                                                 std::size_t size);
    static void apply(const Step& step, std::uint8_t* picture);
    void keep_within_limits();

    std::vector<std::uint8_t> base_;
    PictureState base_state_;
    std::deque<Step> steps_;
    std::size_t done_ = 0; // steps_[0 .. done_) are done, the rest undone
    std::size_t bytes_ = 0;
    Limits limits_;
};
