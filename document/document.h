#pragma once
#include "c64/sprites.h"
#include "history/picture_history.h"
#include "modes/mode.h"
#include "picture/picture.h"
#include "reference/reference_image.h"
#include "selection/block.h"
#include "selection/pixel_selection.h"
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// What changed in a document, as it tells those who show it.
struct DocumentChange {
    enum What : unsigned {
        Pixels = 1,
        Background = 2,
        Mode = 4,
        Selection = 8,
        Floating = 16,
        File = 32,
        History = 64,
        Reference = 128,
        Sprites = 256,
    };
    explicit DocumentChange(unsigned what = 0, PixelArea pixels = {})
        : what(what), pixels(pixels) {}
    unsigned what;
    PixelArea pixels; // where pixels changed
    bool has(What kind) const { return (what & kind) != 0; }
};

class DocumentObserver {
public:
    virtual ~DocumentObserver() = default;
    virtual void document_changed(const DocumentChange& change) = 0;
};

// A programming error: the picture changed with no edit open, or an edit was opened while
// another was.
class EditError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// Everything a picture is and carries: its pixels and background (the picture model, with the
// current colours and the analysis), its mode, the sprites over it, its file and whether it changed
// since it was opened or saved, the selection and the floating block, and its history. The pixels,
// the background, the mode and the sprites change only inside an edit, which becomes one step of
// the history; the selection and the floating block are not part of the history. Every change is
// told to the observers once it is made, and what changes while an edit is open once the edit ends.
// Pixels that plots write are for whoever plots to show (the painter collects them, and the
// views draw them once a pointer event); the document tells of the pixels an edit writes
// through its grid, and of everything an undo, a redo or a rollback puts back. No Qt.
class Document : public PictureModel {
public:
    class Edit;

    // A blank picture in the mode with that picture_format value (the first mode's, unless
    // given).
    explicit Document(std::uint8_t format = fmtMulticolor, PictureHistory::Limits limits = {});
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;
    ~Document();

    const Mode& mode() const { return mode_of(mode_); }
    std::uint8_t format() const { return mode_; }
    // The mode's picture_format value, which the frame's picture_format names. Only an edit
    // changes it (Edit::set_mode), but for the frame's start value, which is the first mode's.
    std::uint8_t& format_value() { return mode_; }
    PixelGrid grid() { return {picture.data(), mode().shape.width, mode().shape.height}; }
    ConstPixelGrid grid() const {
        return {picture.data(), mode().shape.width, mode().shape.height};
    }
    PixelArea whole() const { return mode().whole(); }
    // The sprites over the picture, in Vexlor's colour indices; a change of mode keeps them.
    const SpriteSet& sprites() const { return sprites_; }
    // The sprites, to be changed within the open edit (which keeps them as they were); throws
    // EditError when none is open.
    SpriteSet& edited_sprites();
    // All the storage, as rows of the widest mode.
    PixelGrid storage() { return {picture.data(), kWidestColumns, kPictureRows}; }

    // The file the picture belongs to (UTF-8), empty when none; whether it changed since it
    // was last opened or saved.
    const std::string& file() const { return file_; }
    bool changed() const { return changed_; }
    void set_file(std::string file);
    void mark_saved();
    void mark_changed();

    // The rectangle round the selected pixels; none when nothing is selected.
    const std::optional<PixelArea>& selection() const { return selection_; }
    // The selected pixels, of any shape.
    const PixelSelection& selected_pixels() const { return selected_; }
    // An empty area selects nothing.
    void select(std::optional<PixelArea> area);
    void select(PixelSelection pixels);

    // A block floating over the picture, its top-left pixel at floating_at(), until it is put
    // down or dropped.
    const std::optional<PixelBlock>& floating() const { return floating_; }
    PixelPos floating_at() const { return floating_at_; }
    void float_block(PixelBlock block, PixelPos at);
    void move_floating(PixelPos at);
    // The block is gone (dropped, or taken to be put down); nothing when none floated.
    std::optional<PixelBlock> take_floating();

    // The image traced over the picture: kept with it for the run, in no step and no file.
    const std::optional<ReferenceImage>& reference() const { return reference_; }
    void set_reference(std::optional<ReferenceImage> reference);

    const PictureHistory& history() const { return history_; }
    // False when there is no step to take back or bring back.
    bool undo();
    bool redo();
    bool editing() const { return editing_; }

    void watch(DocumentObserver& observer);
    void unwatch(DocumentObserver& observer);

    // A new start: the picture model's start values, the first mode, no sprites, no file,
    // nothing selected or floating, no reference image, no history.
    void reset();

    // A whole picture kept aside, with all that is its own: pixels, background, mode, sprites,
    // file, whether it changed since it was opened or saved, its reference image and history.
    // The selection, the floating block and the current colours belong to the desk and stay
    // when pages swap.
    struct Page {
        StoredPicture picture{};
        std::uint8_t background = 0;
        std::uint8_t mode = 0;
        SpriteSet sprites{};
        std::string file;
        bool changed = false;
        std::optional<ReferenceImage> reference;
        PictureHistory history;
    };
    // An empty page: the picture model's start values, the first mode, no sprites, no history.
    Page blank_page() const;
    // The picture as it stands, its sprites and reference image with it, as a page of its own with
    // no history.
    Page copy_page() const;
    // Shows `page` and keeps the picture shown until now in it.
    void swap_page(Page& page);

private:
    class Watch : public PixelWatch {
    public:
        explicit Watch(Document& document) : document_(document) {}
        void writing(std::int32_t column, std::int32_t row) override;

    private:
        Document& document_;
    };

    void note(const PixelArea& area);
    // The picture model's shape and rules follow the mode.
    void follow_mode();
    void open_edit();
    void close_edit();
    void restore();
    void restore_rows();
    DocumentChange pending_change() const;
    const Step* move_through_history(const Step* (PictureHistory::*move)(PictureState&));
    void notify(const DocumentChange& change);

    std::uint8_t mode_ = fmtMulticolor;
    SpriteSet sprites_;
    std::string file_;
    bool changed_ = false;
    std::optional<PixelArea> selection_; // selected_'s bounds, kept with it
    PixelSelection selected_;
    std::optional<PixelBlock> floating_;
    PixelPos floating_at_;
    std::optional<ReferenceImage> reference_;
    PictureHistory history_;
    std::vector<DocumentObserver*> observers_;
    Watch watch_{*this};

    // The open edit: the rows of pixels it has noted, as they were, and what else it changed.
    bool editing_ = false;
    std::vector<std::uint8_t> before_;
    std::vector<bool> saved_rows_;
    PixelArea noted_;
    PixelArea written_; // what the edit wrote through its grid, which the document tells
    std::optional<std::uint8_t> background_before_;
    std::optional<std::uint8_t> mode_before_;
    std::optional<SpriteSet> sprites_before_;
    // All the storage as it was, once the edit changed the picture's shape.
    std::vector<std::uint8_t> storage_before_;
    unsigned deferred_ = 0; // what else changed meanwhile, told at the end
};

// One change to a document, named by what the user did ("Paint", "Clear"): what it changes
// is kept as one step when it is committed, and put back as it was when it is rolled back or
// dropped uncommitted. Only one edit is open at a time.
class Document::Edit {
public:
    Edit(Document& document, std::string label);
    Edit(Edit&& other) noexcept;
    Edit& operator=(Edit&&) = delete;
    ~Edit();

    bool open() const { return document_ != nullptr; }
    // The document it changes.
    Document& document() const;
    // The pixels of `area` are about to change: they may then be written in the grid returned.
    PixelGrid pixels(const PixelArea& area);
    void set_background(std::uint8_t color);
    // The picture's pixels stay as they are stored; a mode of another shape lays them out
    // anew (modes/mode.h: convert_shape converts them).
    void set_mode(std::uint8_t format);
    // The sprites, to be changed as the edit goes on; the step keeps them as they were.
    SpriteSet& sprites();
    // The step, if anything changed: true then.
    bool commit();
    void rollback();

private:
    Document* document_;
    std::string label_;
};
