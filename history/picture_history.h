#pragma once
#include "geometry/geometry.h"
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

// The undo history of a picture: a line of steps, each a named list of typed changes (the
// pixels of a rectangle, the background, the mode, the sprites). A change keeps the other side of
// what it changed: applying it swaps that with what the picture holds, so applying it once takes
// the change back and applying it again brings it back. No raw memory of any object is watched.

// The sprites over a picture (c64/sprites.h). The history sits below the C64's code and only
// carries them: the change that swaps them is the document's.
struct SpriteSet;

// What the changes apply to: the picture as its document holds it.
struct PictureState {
    PixelGrid pixels;
    std::uint8_t& background;
    std::uint8_t& mode;
    // All the storage, one row of the widest mode after another: what a change of the picture's
    // shape changes.
    PixelGrid storage = {};
    SpriteSet* sprites = nullptr;
};

// What a step changed, for those who show the picture to follow.
struct Touched {
    PixelArea pixels; // empty when no pixel changed
    bool background = false;
    bool mode = false;
    bool sprites = false;
};

class Change {
public:
    virtual ~Change() = default;
    virtual void swap(PictureState& picture) = 0;
    virtual void touch(Touched& touched) const = 0;
    // What the change keeps in memory.
    virtual std::size_t bytes() const = 0;
};

// The pixels of a rectangle: the runs of pixels that differ, each with the colours of the other
// side. A one-pixel stroke costs a few bytes, a Clear about a byte a pixel.
class PixelsChange : public Change {
public:
    // What differs in `area` between `before` and `after`, which are laid out alike; only the
    // rows for which `compared` holds are compared. None when nothing differs.
    static std::unique_ptr<PixelsChange> between(ConstPixelGrid before, ConstPixelGrid after,
                                                 const PixelArea& area,
                                                 const std::vector<bool>& compared);
    void swap(PictureState& picture) override;
    void touch(Touched& touched) const override { touched.pixels = area_; }
    std::size_t bytes() const override;
    // The change is of the picture's storage (what `between` compared were storage grids),
    // not of the pixels as the picture's mode lays them out.
    void of_storage() { of_storage_ = true; }

private:
    PixelArea area_;
    bool of_storage_ = false;
    std::vector<std::uint8_t> runs_; // (gap, length) as varints, then `length` colours
};

// A value of the picture that is one byte: the background, or the mode.
class ByteChange : public Change {
public:
    enum class Which : std::uint8_t { Background, Mode };
    ByteChange(Which which, std::uint8_t other) : which_(which), other_(other) {}
    void swap(PictureState& picture) override;
    void touch(Touched& touched) const override;
    std::size_t bytes() const override { return sizeof(*this); }

private:
    Which which_;
    std::uint8_t other_;
};

struct Step {
    std::string label;
    std::vector<std::unique_ptr<Change>> changes;
    std::size_t bytes() const;
    Touched touched() const;
};

// How much a history keeps: the last steps up to a count and a size in memory.
struct HistoryLimits {
    std::size_t steps = 1000;
    std::size_t bytes = std::size_t(64) << 20;
};

class PictureHistory {
public:
    using Limits = HistoryLimits;
    explicit PictureHistory(Limits limits = {}) : limits_(limits) {}

    // Keeps `step` as the last one done, dropping the steps that could have been redone and,
    // past the limits, the oldest.
    void push(Step step);
    // Forgets every step.
    void clear();

    bool can_undo() const { return done_ > 0; }
    bool can_redo() const { return done_ < steps_.size(); }
    // The names of the steps that undo and redo would take back or bring back; empty if none.
    std::string undo_label() const;
    std::string redo_label() const;

    // Takes the last step back, or brings the last undone one back, in `picture`; what it
    // changed, or nothing when there was no step.
    const Step* undo(PictureState& picture);
    const Step* redo(PictureState& picture);

    std::size_t steps() const { return steps_.size(); }
    const Limits& limits() const { return limits_; }
    // What the steps take in memory.
    std::size_t bytes() const { return bytes_; }

private:
    std::deque<Step> steps_;
    std::size_t done_ = 0; // steps_[0 .. done_) are done, the rest undone
    std::size_t bytes_ = 0;
    Limits limits_;
};
