// FLI Graph and FLI Designer: the reader and writer in c64/fli_file, behind the codec.
#include "formats/codecs.h"
#include "formats/fli_file.h"

namespace {

class FliCodec : public PictureCodec {
public:
    FliCodec(CodecFacts facts, FliFormat format)
        : PictureCodec(std::move(facts)), format_(format) {}

    FormatRead read(std::span<const std::uint8_t> file) const override {
        FliRead read = read_fli(file, format_);
        if (!read.image) return {{}, std::move(read.error)};
        return {*read.image, {}};
    }
    bool writes() const override { return format_ == FliFormat::Graph; }
    std::vector<std::uint8_t> write(const C64Image& image) const override {
        return write_fli_graph(std::get<FliImage>(image));
    }

private:
    FliFormat format_;
};

} // namespace

const PictureCodec& fli_graph_codec() {
    static const FliCodec codec({"FLI Graph",
                                 {"bml", "fli"},
                                 kFliGraphLoadAddress,
                                 kFliGraphFileBytes,
                                 kFliMaxFileBytes,
                                 PictureKind::Fli},
                                FliFormat::Graph);
    return codec;
}

const PictureCodec& fli_designer_codec() {
    static const FliCodec codec({"FLI Designer",
                                 {"fd2"},
                                 kFliDesignerLoadAddress,
                                 kFliDesignerFileBytes,
                                 kFliMaxFileBytes,
                                 PictureKind::Fli},
                                FliFormat::Designer);
    return codec;
}
