#include "history/picture_history.h"
#include <algorithm>

namespace {

// Runs closer than this are kept as one: a run's header costs about as much as the gap.
constexpr std::size_t kJoinGap = 4;

void put_varint(std::vector<std::uint8_t>& out, std::size_t value) {
    while (value >= 0x80) {
        out.push_back(std::uint8_t(value | 0x80));
        value >>= 7;
    }
    out.push_back(std::uint8_t(value));
}

std::size_t get_varint(const std::uint8_t*& in) {
    std::size_t value = 0;
    for (int shift = 0;; shift += 7) {
        const std::uint8_t byte = *in++;
        value |= std::size_t(byte & 0x7F) << shift;
        if (!(byte & 0x80)) return value;
    }
}

// The pixels of an area are taken in reading order, as one line, and the runs count along it;
// `visit` is given each row's piece of the `length` pixels from `at`, in turn.
template <class Grid, class Visit>
void each_piece(Grid grid, const PixelArea& area, std::size_t at, std::size_t length, Visit visit) {
    const std::size_t width = std::size_t(area.width);
    while (length > 0) {
        const std::size_t column = at % width;
        const std::size_t piece = std::min(length, width - column);
        visit(grid.row(area.top + int(at / width)) + area.left + int(column), piece);
        at += piece;
        length -= piece;
    }
}

} // namespace

std::unique_ptr<PixelsChange> PixelsChange::between(ConstPixelGrid before, ConstPixelGrid after,
                                                    const PixelArea& area,
                                                    const std::vector<bool>& compared) {
    auto change = std::make_unique<PixelsChange>();
    change->area_ = area;
    std::vector<std::uint8_t>& runs = change->runs_;
    std::size_t end_of_last = 0, start = 0, end = 0;
    bool open = false;
    const auto close = [&] {
        put_varint(runs, start - end_of_last);
        put_varint(runs, end - start);
        each_piece(before, area, start, end - start, [&](const std::uint8_t* was, std::size_t n) {
            runs.insert(runs.end(), was, was + n);
        });
        end_of_last = end;
        open = false;
    };
    for (int r = 0; r < area.height; ++r) {
        // A run never reaches into a row that was not compared.
        if (!compared[std::size_t(area.top + r)]) {
            if (open) close();
            continue;
        }
        const std::uint8_t* was = before.row(area.top + r) + area.left;
        const std::uint8_t* now = after.row(area.top + r) + area.left;
        for (int c = 0; c < area.width; ++c) {
            if (was[c] == now[c]) continue;
            const std::size_t i = std::size_t(r) * std::size_t(area.width) + std::size_t(c);
            if (open && i - end > kJoinGap) close();
            if (!open) start = i, open = true;
            end = i + 1;
        }
    }
    if (open) close();
    if (runs.empty()) return nullptr;
    runs.shrink_to_fit();
    return change;
}

void PixelsChange::swap(PictureState& picture) {
    std::uint8_t* in = runs_.data();
    const std::uint8_t* const stop = in + runs_.size();
    std::size_t at = 0;
    while (in < stop) {
        const std::uint8_t* header = in;
        at += get_varint(header);
        const std::size_t length = get_varint(header);
        in += header - in;
        each_piece(of_storage_ ? picture.storage : picture.pixels, area_, at, length,
                   [&](std::uint8_t* pixels, std::size_t n) {
                       std::swap_ranges(pixels, pixels + n, in);
                       in += n;
                   });
        at += length;
    }
}

std::size_t PixelsChange::bytes() const { return sizeof(*this) + runs_.capacity(); }

void ByteChange::swap(PictureState& picture) {
    std::swap(which_ == Which::Background ? picture.background : picture.mode, other_);
}

void ByteChange::touch(Touched& touched) const {
    (which_ == Which::Background ? touched.background : touched.mode) = true;
}

// A short label lives inside the string itself.
std::size_t Step::bytes() const {
    const std::size_t label_bytes =
        label.capacity() > std::string().capacity() ? label.capacity() + 1 : 0;
    std::size_t total = sizeof(Step) + label_bytes + changes.capacity() * sizeof(changes[0]);
    for (const auto& change : changes) total += change->bytes();
    return total;
}

Touched Step::touched() const {
    Touched touched;
    for (const auto& change : changes) change->touch(touched);
    return touched;
}

void PictureHistory::push(Step step) {
    while (steps_.size() > done_) {
        bytes_ -= steps_.back().bytes();
        steps_.pop_back();
    }
    bytes_ += step.bytes();
    steps_.push_back(std::move(step));
    done_ = steps_.size();
    while (!steps_.empty() && (steps_.size() > limits_.steps || bytes_ > limits_.bytes)) {
        bytes_ -= steps_.front().bytes();
        steps_.pop_front();
        --done_;
    }
}

void PictureHistory::clear() {
    steps_.clear();
    done_ = bytes_ = 0;
}

std::string PictureHistory::undo_label() const {
    return can_undo() ? steps_[done_ - 1].label : std::string();
}

std::string PictureHistory::redo_label() const {
    return can_redo() ? steps_[done_].label : std::string();
}

// A step's changes are taken back in the opposite order to that in which they were made.
const Step* PictureHistory::undo(PictureState& picture) {
    if (!can_undo()) return nullptr;
    Step& step = steps_[--done_];
    for (auto change = step.changes.rbegin(); change != step.changes.rend(); ++change)
        (*change)->swap(picture);
    return &step;
}

const Step* PictureHistory::redo(PictureState& picture) {
    if (!can_redo()) return nullptr;
    Step& step = steps_[done_++];
    for (auto& change : step.changes) change->swap(picture);
    return &step;
}
