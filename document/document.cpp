#include "document/document.h"
#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// The sprites as they were on the other side of a step; small enough to keep whole.
class SpritesChange : public Change {
public:
    explicit SpritesChange(SpriteSet other) : other_(std::move(other)) {}
    void swap(PictureState& picture) override { std::swap(*picture.sprites, other_); }
    void touch(Touched& touched) const override { touched.sprites = true; }
    std::size_t bytes() const override {
        return sizeof(*this) + other_.sprites.capacity() * sizeof(Sprite);
    }

private:
    SpriteSet other_;
};

} // namespace

Document::Document(std::uint8_t format, PictureHistory::Limits limits)
    : mode_(mode_of(format).format), history_(limits), before_(picture.size()),
      saved_rows_(kPictureRows) {
    write_watch = &watch_;
    follow_mode();
}

void Document::follow_mode() {
    if (const Mode* now = find_mode(mode_)) {
        shape = now->shape;
        shared_background = now->shared.background;
    }
}

Document::~Document() { write_watch = nullptr; }

void Document::Watch::writing(std::int32_t column, std::int32_t row) {
    if (!document_.editing_) throw EditError("a pixel was painted with no edit open");
    // A pixel of a row kept already, within what the edit has noted, adds nothing.
    if (!document_.saved_rows_[std::size_t(row)] || !document_.noted_.contains({column, row}))
        document_.note({column, row, 1, 1});
}

// Each row is kept as it was the first time the edit touches it.
void Document::note(const PixelArea& wanted) {
    const PixelGrid pixels = grid();
    const PixelArea area = clipped(wanted, pixels.whole());
    // Once the shape changed, all the storage is kept already.
    if (!storage_before_.empty()) {
        noted_ = united(noted_, area);
        return;
    }
    for (int row = area.top; row <= area.bottom(); ++row) {
        if (saved_rows_[std::size_t(row)]) continue;
        saved_rows_[std::size_t(row)] = true;
        std::memcpy(before_.data() + std::size_t(row * pixels.width), pixels.row(row),
                    std::size_t(pixels.width));
    }
    noted_ = united(noted_, area);
}

void Document::open_edit() {
    if (editing_) throw EditError("an edit was opened while another was open");
    editing_ = true;
}

void Document::close_edit() {
    editing_ = false;
    std::fill(saved_rows_.begin(), saved_rows_.end(), false);
    noted_ = {};
    written_ = {};
    background_before_.reset();
    mode_before_.reset();
    sprites_before_.reset();
    storage_before_.clear();
    deferred_ = 0;
}

DocumentChange Document::pending_change() const {
    DocumentChange change(deferred_);
    if (!written_.empty()) {
        change.what |= DocumentChange::Pixels;
        change.pixels = written_;
    }
    if (background_before_ && *background_before_ != back_color)
        change.what |= DocumentChange::Background;
    if (mode_before_ && *mode_before_ != mode_) change.what |= DocumentChange::Mode;
    if (sprites_before_ && *sprites_before_ != sprites_) change.what |= DocumentChange::Sprites;
    if (!storage_before_.empty()) {
        change.what |= DocumentChange::Pixels;
        change.pixels = whole();
    }
    return change;
}

// The edit's rows as they were, and its background, mode and sprites.
void Document::restore() {
    if (sprites_before_) sprites_ = std::move(*sprites_before_);
    if (!storage_before_.empty()) {
        std::copy(storage_before_.begin(), storage_before_.end(), picture.begin());
        if (background_before_) back_color = *background_before_;
        mode_ = *mode_before_;
        follow_mode();
        return;
    }
    restore_rows();
    if (background_before_) back_color = *background_before_;
    if (mode_before_) mode_ = *mode_before_;
}

void Document::restore_rows() {
    const PixelGrid pixels = grid();
    for (int row = noted_.top; row <= noted_.bottom(); ++row)
        if (saved_rows_[std::size_t(row)])
            std::memcpy(pixels.row(row), before_.data() + std::size_t(row * pixels.width),
                        std::size_t(pixels.width));
}

void Document::set_file(std::string file) {
    file_ = std::move(file);
    notify(DocumentChange{DocumentChange::File});
}

void Document::mark_saved() {
    changed_ = false;
    notify(DocumentChange{DocumentChange::File});
}

void Document::mark_changed() {
    changed_ = true;
    notify(DocumentChange{DocumentChange::File});
}

void Document::select(std::optional<PixelArea> area) {
    select(area ? PixelSelection(*area) : PixelSelection());
}

void Document::select(PixelSelection pixels) {
    selected_ = std::move(pixels);
    selection_ = selected_.empty() ? std::nullopt : std::optional(selected_.bounds());
    notify(DocumentChange{DocumentChange::Selection});
}

void Document::float_block(PixelBlock block, PixelPos at) {
    floating_ = std::move(block);
    floating_at_ = at;
    notify(DocumentChange{DocumentChange::Floating});
}

void Document::move_floating(PixelPos at) {
    floating_at_ = at;
    notify(DocumentChange{DocumentChange::Floating});
}

std::optional<PixelBlock> Document::take_floating() {
    std::optional<PixelBlock> block = std::move(floating_);
    floating_.reset();
    if (block) notify(DocumentChange{DocumentChange::Floating});
    return block;
}

void Document::set_reference(std::optional<ReferenceImage> reference) {
    reference_ = std::move(reference);
    notify(DocumentChange{DocumentChange::Reference});
}

const Step* Document::move_through_history(const Step* (PictureHistory::*move)(PictureState&)) {
    if (editing_) throw EditError("the history was moved through while an edit was open");
    PictureState state{grid(), back_color, mode_, storage(), &sprites_};
    const Step* step = (history_.*move)(state);
    if (!step) return nullptr;
    follow_mode();
    changed_ = true;
    const Touched touched = step->touched();
    DocumentChange change(DocumentChange::History);
    if (!touched.pixels.empty()) change.what |= DocumentChange::Pixels;
    if (touched.background) change.what |= DocumentChange::Background;
    if (touched.mode) change.what |= DocumentChange::Mode;
    if (touched.sprites) change.what |= DocumentChange::Sprites;
    change.pixels = clipped(touched.pixels, whole());
    notify(change);
    return step;
}

bool Document::undo() { return move_through_history(&PictureHistory::undo); }
bool Document::redo() { return move_through_history(&PictureHistory::redo); }

void Document::watch(DocumentObserver& observer) { observers_.push_back(&observer); }

void Document::unwatch(DocumentObserver& observer) { std::erase(observers_, &observer); }

// While an edit is open, what else changes is told with the edit's own change, once.
void Document::notify(const DocumentChange& change) {
    if (editing_) {
        deferred_ |= change.what;
        return;
    }
    for (DocumentObserver* observer : observers_) observer->document_changed(change);
}

void Document::reset() {
    if (editing_) throw EditError("the document was reset while an edit was open");
    static_cast<PictureModel&>(*this) = PictureModel{};
    write_watch = &watch_;
    mode_ = all_modes().front().format;
    follow_mode();
    sprites_ = {};
    file_.clear();
    changed_ = false;
    selection_.reset();
    selected_ = {};
    floating_.reset();
    reference_.reset();
    history_.clear();
    notify(DocumentChange{
        DocumentChange::Pixels | DocumentChange::Background | DocumentChange::Mode |
            DocumentChange::Selection | DocumentChange::Floating | DocumentChange::File |
            DocumentChange::History | DocumentChange::Reference | DocumentChange::Sprites,
        whole()});
}

Document::Page Document::blank_page() const {
    const PictureModel start;
    return {start.picture, start.back_color, all_modes().front().format,       {}, {},
            false,         std::nullopt,     PictureHistory(history_.limits())};
}

Document::Page Document::copy_page() const {
    return {picture, back_color, mode_,      sprites_,
            file_,   changed_,   reference_, PictureHistory(history_.limits())};
}

// A selection stays where it is, within the page shown.
void Document::swap_page(Page& page) {
    if (editing_) throw EditError("the pages were swapped while an edit was open");
    std::swap(picture, page.picture);
    std::swap(back_color, page.background);
    std::swap(mode_, page.mode);
    std::swap(sprites_, page.sprites);
    std::swap(file_, page.file);
    std::swap(changed_, page.changed);
    std::swap(reference_, page.reference);
    std::swap(history_, page.history);
    follow_mode();
    selected_ = clipped(selected_, whole());
    selection_ = selected_.empty() ? std::nullopt : std::optional(selected_.bounds());
    notify(DocumentChange{DocumentChange::Pixels | DocumentChange::Background |
                              DocumentChange::Mode | DocumentChange::Selection |
                              DocumentChange::File | DocumentChange::History |
                              DocumentChange::Reference | DocumentChange::Sprites,
                          whole()});
}

Document::Edit::Edit(Document& document, std::string label)
    : document_(&document), label_(std::move(label)) {
    document.open_edit();
}

Document::Edit::Edit(Edit&& other) noexcept
    : document_(std::exchange(other.document_, nullptr)), label_(std::move(other.label_)) {}

Document::Edit::~Edit() {
    if (document_) rollback();
}

Document& Document::Edit::document() const {
    if (!document_) throw EditError("an edit was used after it had ended");
    return *document_;
}

PixelGrid Document::Edit::pixels(const PixelArea& area) {
    Document& d = document();
    d.note(area);
    d.written_ = united(d.written_, clipped(area, d.whole()));
    return d.grid();
}

void Document::Edit::set_background(std::uint8_t color) {
    Document& d = document();
    if (!d.background_before_) d.background_before_ = d.back_color;
    d.back_color = color;
}

void Document::Edit::set_mode(std::uint8_t format) {
    Document& d = document();
    const Mode& to = mode_of(format); // a value no mode has is refused
    if (!d.mode_before_) d.mode_before_ = d.mode_;
    if (to.shape.width != d.shape.width && d.storage_before_.empty()) {
        // Rows noted so far are in the old shape: what they kept is taken back first, so that
        // the storage as it was is what the edit started from.
        const std::vector<std::uint8_t> now(d.picture.begin(), d.picture.end());
        d.restore_rows();
        d.storage_before_.assign(d.picture.begin(), d.picture.end());
        std::copy(now.begin(), now.end(), d.picture.begin());
    }
    d.mode_ = format;
    d.follow_mode();
}

SpriteSet& Document::edited_sprites() {
    if (!editing_) throw EditError("the sprites were changed with no edit open");
    if (!sprites_before_) sprites_before_ = sprites_;
    return sprites_;
}

SpriteSet& Document::Edit::sprites() { return document().edited_sprites(); }

bool Document::Edit::commit() {
    Document& d = document();
    DocumentChange change = d.pending_change();
    Step step{std::move(label_), {}};
    if (!d.storage_before_.empty()) {
        const PixelGrid now = d.storage();
        const ConstPixelGrid before{d.storage_before_.data(), now.width, now.height};
        if (auto pixels = PixelsChange::between(before, now, now.whole(),
                                                std::vector<bool>(std::size_t(now.height), true))) {
            pixels->of_storage();
            step.changes.push_back(std::move(pixels));
        }
    } else if (!d.noted_.empty()) {
        const PixelGrid now = d.grid();
        const ConstPixelGrid before{d.before_.data(), now.width, now.height};
        if (auto pixels = PixelsChange::between(before, {now.pixels, now.width, now.height},
                                                d.noted_, d.saved_rows_))
            step.changes.push_back(std::move(pixels));
        else
            change.what &= ~unsigned(DocumentChange::Pixels);
    }
    if (change.has(DocumentChange::Background))
        step.changes.push_back(
            std::make_unique<ByteChange>(ByteChange::Which::Background, *d.background_before_));
    if (change.has(DocumentChange::Mode))
        step.changes.push_back(
            std::make_unique<ByteChange>(ByteChange::Which::Mode, *d.mode_before_));
    if (change.has(DocumentChange::Sprites))
        step.changes.push_back(std::make_unique<SpritesChange>(std::move(*d.sprites_before_)));
    d.close_edit();
    document_ = nullptr;
    if (step.changes.empty()) return false;
    d.history_.push(std::move(step));
    d.changed_ = true;
    change.what |= DocumentChange::History;
    d.notify(change);
    return true;
}

// What the edit had changed is shown as it was again.
void Document::Edit::rollback() {
    Document& d = document();
    DocumentChange change = d.pending_change();
    // Whatever was painted is put back: the views draw all of it anew.
    if (!d.noted_.empty()) {
        change.what |= DocumentChange::Pixels;
        change.pixels = united(change.pixels, d.noted_);
    }
    d.restore();
    d.close_edit();
    document_ = nullptr;
    if (change.what) d.notify(change);
}
