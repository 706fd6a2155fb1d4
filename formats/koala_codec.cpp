// Koala Painter, plain and packed: the reader and writer in c64/koala, behind the codec.
#include "formats/codecs.h"
#include "formats/koala.h"

namespace {

class KoalaCodec : public PictureCodec {
public:
    KoalaCodec(CodecFacts facts, KoalaPacking packing)
        : PictureCodec(std::move(facts)), packing_(packing) {}

    FormatRead read(std::span<const std::uint8_t> file) const override {
        KoalaRead read = read_koala(file, packing_);
        if (!read.image) return {{}, std::move(read.error)};
        return {*read.image, {}};
    }
    // Koala files at other load addresses ($4400) are Koala's own layout all the same; a
    // packed one has no signature, and nearly any short run of bytes unpacks to something.
    Fit fit(std::span<const std::uint8_t> file) const override {
        if (packing_ == KoalaPacking::RunLength) return Fit::ByNameOnly;
        return load_address_of(file) == kKoalaLoadAddress ? Fit::Own : Fit::Variant;
    }
    bool writes() const override { return packing_ == KoalaPacking::Plain; }
    std::vector<std::uint8_t> write(const C64Image& image) const override {
        return write_koala(std::get<MulticolorImage>(image));
    }

private:
    KoalaPacking packing_;
};

} // namespace

const PictureCodec& koala_codec() {
    static const KoalaCodec codec(
        {"Koala Painter", {"koa", "kla"}, kKoalaLoadAddress, kKoalaFileBytes, kKoalaMaxFileBytes},
        KoalaPacking::Plain);
    return codec;
}

const PictureCodec& packed_koala_codec() {
    static const KoalaCodec codec(
        {"packed Koala Painter", {"gg"}, kKoalaLoadAddress, kKoalaFileBytes, kKoalaMaxFileBytes},
        KoalaPacking::RunLength);
    return codec;
}
