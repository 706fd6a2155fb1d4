#pragma once
#include "formats/file_format.h"

// Where a multicolour picture's parts lie in a file's data (offsets from the first byte after
// the load address). Bytes between and after the parts are padding.
struct PartsLayout {
    using Image = MulticolorImage;
    std::size_t bitmap = 0, screen = 0, color = 0;
    // Where the background byte lies; none: the file stores none, and the picture is read on
    // black. (Every cell fits whichever colour the 00 pixels are given, so the reopen rule's
    // first choice, black, is the one taken.)
    std::optional<std::size_t> background{};
    // A second place the writer puts the background, where some readers look for it.
    std::optional<std::size_t> background_copy{};
    // A file with one colour-RAM byte for every cell, at `color`.
    bool one_color = false;
};

// Where a hires picture's bitmap and screen lie in a file's data.
struct HiresLayout {
    using Image = HiresImage;
    std::size_t bitmap = 0, screen = 0;
};

// The parts taken from `data`, which holds at least the layout's bytes.
MulticolorImage take_parts(const PartsLayout& layout, std::span<const std::uint8_t> data);
HiresImage take_parts(const HiresLayout& layout, std::span<const std::uint8_t> data);
// The parts put into `data` (padding left as it is).
void put_parts(const PartsLayout& layout, const MulticolorImage& image,
               std::span<std::uint8_t> data);
void put_parts(const HiresLayout& layout, const HiresImage& image, std::span<std::uint8_t> data);
// The parts in `size` bytes, with zero padding: what a packed format packs.
template <class Layout>
std::vector<std::uint8_t> laid_out(const Layout& layout, const C64Image& image, std::size_t size) {
    std::vector<std::uint8_t> data(size);
    put_parts(layout, std::get<typename Layout::Image>(image), data);
    return data;
}

// Why a file of another load address or length than `format`'s is refused; empty when it has
// the format's own (a length from `length()` to `longest()`).
std::string wrong_address_or_length(const FileFormat& format, std::span<const std::uint8_t> file);

// The first two bytes of a file that loads at `address`.
std::vector<std::uint8_t> load_address_bytes(std::uint16_t address);

// A file that is the load address and the parts at fixed places: Koala's kin, and hires
// pictures laid out as they are.
template <class Layout> class PartsCodec : public C64PictureFormat {
public:
    // A file has `facts.length` bytes, or any number up to `facts.longest` (padding some
    // programs add).
    PartsCodec(FormatFacts facts, Layout layout)
        : C64PictureFormat(std::move(facts)), layout_(layout) {}
    FormatRead read(std::span<const std::uint8_t> file) const override {
        if (std::string why = wrong_address_or_length(*this, file); !why.empty())
            return {{}, std::move(why)};
        return {take_parts(layout_, file.subspan(2)), {}};
    }
    std::vector<std::uint8_t> write(const PictureToWrite& picture) const override {
        std::vector<std::uint8_t> file = load_address_bytes(load_address());
        file.resize(length());
        put_parts(layout_, std::get<typename Layout::Image>(picture.encoded),
                  std::span(file).subspan(2));
        return file;
    }

private:
    Layout layout_;
};
using LayoutCodec = PartsCodec<PartsLayout>;
using HiresLayoutCodec = PartsCodec<HiresLayout>;

// Why a packed file of another load address, or longer than any of `format`'s, is refused;
// empty when it is neither.
std::string wrong_address_or_size(const FileFormat& format, std::span<const std::uint8_t> file);
