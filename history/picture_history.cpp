#include "history/picture_history.h"
#include <cstring>

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

} // namespace

PictureHistory::PictureHistory(Parts parts, Limits limits)
    : parts_(std::move(parts)), limits_(limits) {
    restart();
}

void PictureHistory::restart() {
    steps_.clear();
    done_ = bytes_ = 0;
    gather();
    base_ = current_;
}

void PictureHistory::gather() {
    current_.clear();
    for (const auto& part : parts_) current_.insert(current_.end(), part.begin(), part.end());
}

void PictureHistory::scatter() {
    const std::uint8_t* from = current_.data();
    for (const auto& part : parts_) {
        std::memcpy(part.data(), from, part.size());
        from += part.size();
    }
}

std::size_t PictureHistory::Step::bytes() const {
    return sizeof(Step) + label.capacity() + runs.capacity();
}

std::vector<std::uint8_t> PictureHistory::differences(const std::uint8_t* from,
                                                      const std::uint8_t* to, std::size_t size) {
    std::vector<std::uint8_t> runs;
    std::size_t end_of_last = 0, i = 0;
    while (i < size) {
        if (from[i] == to[i]) {
            ++i;
            continue;
        }
        const std::size_t start = i;
        std::size_t end = i + 1, quiet = 0;
        for (i = end; i < size && quiet < kJoinGap; ++i) {
            if (from[i] == to[i]) {
                ++quiet;
            } else {
                quiet = 0;
                end = i + 1;
            }
        }
        i = end;
        put_varint(runs, start - end_of_last);
        put_varint(runs, end - start);
        for (std::size_t k = start; k < end; ++k) runs.push_back(from[k] ^ to[k]);
        end_of_last = end;
    }
    runs.shrink_to_fit();
    return runs;
}

void PictureHistory::apply(const Step& step, std::uint8_t* picture) {
    const std::uint8_t* in = step.runs.data();
    const std::uint8_t* const stop = in + step.runs.size();
    std::uint8_t* at = picture;
    while (in < stop) {
        at += get_varint(in);
        for (std::size_t n = get_varint(in); n > 0; --n) *at++ ^= *in++;
    }
}

bool PictureHistory::record(const std::string& label) {
    gather();
    std::vector<std::uint8_t> runs = differences(base_.data(), current_.data(), base_.size());
    if (runs.empty()) return false;
    while (steps_.size() > done_) {
        bytes_ -= steps_.back().bytes();
        steps_.pop_back();
    }
    steps_.push_back({label, std::move(runs)});
    bytes_ += steps_.back().bytes();
    done_ = steps_.size();
    base_.swap(current_);
    keep_within_limits();
    return true;
}

void PictureHistory::keep_within_limits() {
    while (!steps_.empty() && (steps_.size() > limits_.steps || bytes_ > limits_.bytes)) {
        bytes_ -= steps_.front().bytes();
        steps_.pop_front();
        --done_;
    }
}

std::string PictureHistory::undo_label() const {
    return can_undo() ? steps_[done_ - 1].label : std::string();
}

std::string PictureHistory::redo_label() const {
    return can_redo() ? steps_[done_].label : std::string();
}

// The picture equals the base, so the base moved by the step is the picture to show.
void PictureHistory::move(const Step& step) {
    apply(step, base_.data());
    current_ = base_;
    scatter();
}

bool PictureHistory::undo() {
    if (!can_undo()) return false;
    move(steps_[--done_]);
    return true;
}

bool PictureHistory::redo() {
    if (!can_redo()) return false;
    move(steps_[done_++]);
    return true;
}
