// Koala Painter, plain and packed: the reader, the writer and the two rows of the table.
#include "formats/koala.h"
#include "formats/rows.h"
#include <algorithm>

namespace {

constexpr std::size_t kDataBytes = kKoalaFileBytes - 2;
constexpr std::size_t kScreenAt = kBitmapBytes;
constexpr std::size_t kColorAt = kScreenAt + kCells;
constexpr std::size_t kBackgroundAt = kColorAt + kCells;
constexpr std::uint8_t kRunMarker = 0xFE;

bool plausible_load_address(unsigned address) {
    return (address & 0xFF) == 0 && address + kDataBytes <= 0x10000;
}

MulticolorImage image_from_data(std::span<const std::uint8_t> data) {
    MulticolorImage image;
    std::copy_n(data.begin(), kBitmapBytes, image.bitmap.begin());
    std::copy_n(data.begin() + kScreenAt, kCells, image.screen.begin());
    std::copy_n(data.begin() + kColorAt, kCells, image.color.begin());
    image.background = data[kBackgroundAt];
    return image;
}

struct Unpacked {
    std::vector<std::uint8_t> data;
    std::string error;
};

Unpacked unpack(std::span<const std::uint8_t> packed) {
    Unpacked result;
    std::vector<std::uint8_t>& data = result.data;
    data.reserve(kDataBytes);
    std::size_t at = 0;
    while (at < packed.size() && data.size() < kDataBytes) {
        if (packed[at] != kRunMarker) {
            data.push_back(packed[at++]);
            continue;
        }
        if (at + 2 >= packed.size()) {
            result.error = "the packed data end inside a run";
            return result;
        }
        const std::uint8_t value = packed[at + 1];
        const std::size_t count = packed[at + 2] == 0 ? 256 : packed[at + 2];
        if (data.size() + count > kDataBytes) {
            result.error =
                format_text("a run of %zu bytes goes past the end of the picture", count);
            return result;
        }
        data.insert(data.end(), count, value);
        at += 3;
    }
    if (data.size() < kDataBytes)
        result.error = format_text("the packed data end after %zu of the picture's %zu bytes",
                                   data.size(), kDataBytes);
    else if (packed.size() - at > kKoalaMaxTrailingBytes)
        result.error = format_text("%zu bytes follow the packed picture", packed.size() - at);
    return result;
}

} // namespace

std::vector<std::uint8_t> write_koala(const MulticolorImage& image) {
    std::vector<std::uint8_t> file = {kKoalaLoadAddress & 0xFF, kKoalaLoadAddress >> 8};
    file.reserve(kKoalaFileBytes);
    file.insert(file.end(), image.bitmap.begin(), image.bitmap.end());
    file.insert(file.end(), image.screen.begin(), image.screen.end());
    file.insert(file.end(), image.color.begin(), image.color.end());
    file.push_back(image.background);
    return file;
}

KoalaRead read_koala(std::span<const std::uint8_t> file, KoalaPacking packing) {
    if (file.size() < 2)
        return {{},
                format_text("it holds %zu bytes, where a Koala picture takes %zu", file.size(),
                            kKoalaFileBytes)};
    const unsigned address = file[0] | file[1] << 8;
    if (!plausible_load_address(address))
        return {
            {},
            format_text("it starts with $%04X, which is no load address of a picture", address)};
    const std::span<const std::uint8_t> data = file.subspan(2);
    if (file.size() > kKoalaMaxFileBytes)
        return {
            {},
            format_text("it holds more than %zu bytes, the most a Koala picture takes with padding",
                        kKoalaMaxFileBytes)};
    if (packing == KoalaPacking::RunLength) {
        // A packed picture of noise can be longer than a plain one: only data that do not
        // unpack to a picture are taken as plain.
        const Unpacked unpacked = unpack(data);
        if (unpacked.error.empty()) return {image_from_data(unpacked.data), {}};
        if (data.size() < kDataBytes) return {{}, unpacked.error};
    }
    if (data.size() >= kDataBytes) return {image_from_data(data), {}};
    return {{},
            format_text("it holds %zu bytes, fewer than a Koala picture's %zu", file.size(),
                        kKoalaFileBytes)};
}

bool looks_like_koala(std::span<const std::uint8_t> file) {
    return file.size() >= 2 && (file[0] | file[1] << 8) == kKoalaLoadAddress &&
           read_koala(file, KoalaPacking::Plain).image.has_value();
}

namespace {

constexpr C64File kKoalaFile{kKoalaLoadAddress, kKoalaFileBytes, kKoalaMaxFileBytes};

// Koala files at other load addresses ($4400) are Koala's own layout all the same; a packed one
// has no signature, and nearly any short run of bytes unpacks to something.
class KoalaFormat : public CodecFormat<KoalaPacking, KoalaRead, MulticolorImage> {
public:
    KoalaFormat(FormatFacts facts, KoalaPacking packing)
        : CodecFormat(std::move(facts), packing, read_koala, write_koala) {}
    Fit fit(std::span<const std::uint8_t> file) const override {
        if (variant() == KoalaPacking::RunLength) return Fit::ByNameOnly;
        return load_address_of(file) == kKoalaLoadAddress ? Fit::Own : Fit::Variant;
    }
};

} // namespace

const FileFormat& koala_format() {
    static const KoalaFormat format({.name = "Koala Painter",
                                     .extensions = {"koa", "kla"},
                                     .offered = {Command::Import, Command::ExportKoala},
                                     .filter_name = "Koala pictures",
                                     .file = kKoalaFile},
                                    KoalaPacking::Plain);
    return format;
}

const FileFormat& packed_koala_format() {
    static const KoalaFormat format({.name = "packed Koala Painter",
                                     .extensions = {"gg"},
                                     .offered = {Command::Import},
                                     .file = kKoalaFile},
                                    KoalaPacking::RunLength);
    return format;
}
