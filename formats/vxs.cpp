// Vexlor's picture-with-sprites file: the codec and its row of the table.
#include "formats/vxs.h"
#include "c64/sprite_records.h"
#include "formats/rows.h"
#include "formats/vxr.h"
#include "modes/mode.h"
#include <algorithm>
#include <array>

namespace {

constexpr std::array<std::uint8_t, 4> kMagic = {'V', 'X', 'S', 0x1A};
constexpr std::uint8_t kVersion = 1;
constexpr std::size_t kHeaderBytes = 11;

void put16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(std::uint8_t(value));
    out.push_back(std::uint8_t(value >> 8));
}

// Reads the file front to back, never past its end.
class Bytes {
public:
    explicit Bytes(std::span<const std::uint8_t> file) : file_(file) {}
    bool has(std::size_t count) const { return file_.size() - at_ >= count; }
    std::size_t left() const { return file_.size() - at_; }
    std::uint8_t byte() { return file_[at_++]; }
    unsigned u16() {
        const unsigned low = byte();
        return low | unsigned(byte()) << 8;
    }
    std::span<const std::uint8_t> take(std::size_t count) {
        const std::span<const std::uint8_t> part = file_.subspan(at_, count);
        at_ += count;
        return part;
    }

private:
    std::span<const std::uint8_t> file_;
    std::size_t at_ = 0;
};

VxsRead refused(std::string why) { return {std::nullopt, "a Vexlor picture with sprites " + why}; }

} // namespace

std::vector<std::uint8_t> encode_vxs(ConstPixelGrid picture, PictureFormat format,
                                     std::uint8_t background, const SpriteSet& sprites) {
    const PictureShape& shape = mode_of(format).shape;
    require_size(picture, shape.width, shape.height, "the Vexlor file with sprites");
    const std::vector<std::uint8_t> pixels = encode_vxr(picture);
    std::vector<std::uint8_t> out(kMagic.begin(), kMagic.end());
    out.push_back(kVersion);
    out.push_back(format);
    out.push_back(background & 0x0F);
    put16(out, unsigned(pixels.size()));
    put16(out, unsigned(pixels.size() >> 16));
    out.insert(out.end(), pixels.begin(), pixels.end());
    put_sprite_set(out, sprites);
    return out;
}

VxsRead decode_vxs(std::span<const std::uint8_t> file) {
    Bytes in(file);
    if (!in.has(kHeaderBytes) || !std::equal(kMagic.begin(), kMagic.end(), file.begin()))
        return refused("starts with \"VXS\" and a header of 11 bytes");
    in.take(kMagic.size());
    if (const unsigned version = in.byte(); version != kVersion)
        return refused("of version " + std::to_string(version) + " is newer than this Vexlor");
    PictureWithSprites read;
    const Mode* mode = find_mode(in.byte());
    if (!mode) return refused("names no mode Vexlor has");
    read.format = mode->format;
    read.background = in.byte();
    const std::size_t length = in.u16() | std::size_t(in.u16()) << 16;
    if (read.background > 15) return refused("has a background that is no colour");
    if (!in.has(length)) return refused("ends inside its pixels");
    const std::span<const std::uint8_t> pixels = in.take(length);
    // Exactly the pixels of the mode's picture, each a colour, written as .vxr writes them.
    const PixelGrid grid = mode->grid_of(read.pixels.data());
    VxrReader reader(grid);
    reader.feed(pixels.data(), pixels.size());
    reader.finish();
    if (std::any_of(pixels.begin(), pixels.end(), [](std::uint8_t b) { return b > 15; }) ||
        encode_vxr(grid) != std::vector(pixels.begin(), pixels.end()))
        return refused("holds damaged pixels");
    if (!in.has(4)) return refused("ends before its sprites");
    const std::size_t at = file.size() - in.left();
    const std::size_t count = file[at + 2] | std::size_t(file[at + 3]) << 8;
    if (in.left() - 4 != count * kSpriteRecordBytes)
        return refused("of " + std::to_string(count) + " sprites has " +
                       std::to_string(in.left() - 4) + " bytes for them, not " +
                       std::to_string(count * kSpriteRecordBytes));
    std::size_t next = at;
    std::optional<SpriteSet> sprites = take_sprite_set(file, next);
    if (!sprites) return refused("holds a sprite colour or flag that no sprite has");
    read.sprites = std::move(*sprites);
    return {std::move(read), {}};
}

namespace {

class SpritesFormat : public FileFormat {
public:
    using FileFormat::FileFormat;
    std::vector<std::uint8_t> write(const PictureToWrite& picture) const override {
        return encode_vxs(picture.pixels, picture.mode, picture.background, picture.sprites);
    }
};

} // namespace

const FileFormat& vexlor_sprites_format() {
    static const SpritesFormat format({.name = "Vexlor with sprites",
                                       .extensions = {"vxs"},
                                       .offered = {Command::Open, Command::Save},
                                       .filter_name = "Vexlor pictures with sprites",
                                       .holds = Holds::PixelsAndSprites});
    return format;
}
