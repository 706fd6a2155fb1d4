#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <utility>
#include <vector>

// The undo history of the picture. Each step keeps what one user action changed, as the runs of
// bytes that differ, each byte the old value XOR the new: applying a step once undoes it and
// applying it again redoes it. A one-pixel stroke costs a few bytes, not a copy of the picture.
//
// The history watches the picture's memory: its pixels and whatever else belongs to the picture
// (its background colour), each part a run of bytes, taken as one. It keeps the picture as it
// stands after the last step (its base); whatever differs from it when a step is recorded is
// that step. Undo and redo expect the picture to equal the base, that is, every change made
// since the last step to have been recorded.
class PictureHistory {
public:
    struct Limits {
        std::size_t steps = 1000;
        std::size_t bytes = std::size_t(64) << 20;
    };
    using Parts = std::vector<std::span<std::uint8_t>>;

    // `parts` hold the starting picture; they must outlive the history.
    PictureHistory(Parts parts, Limits limits);
    explicit PictureHistory(Parts parts) : PictureHistory(std::move(parts), Limits{}) {}

    // Records what changed since the last step as a step called `label`, dropping the steps
    // that could have been redone and, past the limits, the oldest. False when nothing changed.
    bool record(const std::string& label);
    // Forgets every step: the picture as it stands becomes the base.
    void restart();

    bool can_undo() const { return done_ > 0; }
    bool can_redo() const { return done_ < steps_.size(); }
    // The names of the steps that undo and redo would take back or bring back; empty if none.
    std::string undo_label() const;
    std::string redo_label() const;

    // Takes the last step back, or brings the last undone one back; false if there is none.
    bool undo();
    bool redo();

    std::size_t steps() const { return steps_.size(); }
    // What the steps take in memory, the base picture left out.
    std::size_t bytes() const { return bytes_; }

private:
    struct Step {
        std::string label;
        std::vector<std::uint8_t> runs; // (gap, length) as varints, then `length` XOR bytes
        std::size_t bytes() const;
    };

    static std::vector<std::uint8_t> differences(const std::uint8_t* from, const std::uint8_t* to,
                                                 std::size_t size);
    static void apply(const Step& step, std::uint8_t* picture);
    void keep_within_limits();
    // The parts as one run of bytes in `current_`, and back.
    void gather();
    void scatter();
    void move(const Step& step);

    Parts parts_;
    std::vector<std::uint8_t> current_;
    std::vector<std::uint8_t> base_;
    std::deque<Step> steps_;
    std::size_t done_ = 0; // steps_[0 .. done_) are done, the rest undone
    std::size_t bytes_ = 0;
    Limits limits_;
};
