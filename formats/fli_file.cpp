// FLI Graph and FLI Designer: the reader, the writer and the two rows of the table.
#include "formats/fli_file.h"
#include "formats/rows.h"
#include <algorithm>

namespace {

constexpr std::size_t kBlock = 1024; // colour RAM and each screen RAM take a whole kilobyte
constexpr std::size_t kBackgroundBytes = 256;

struct Layout {
    const char* name;
    std::uint16_t load_address;
    std::size_t file_bytes;
    bool has_backgrounds;
};

constexpr Layout kGraph{"an FLI Graph picture", kFliGraphLoadAddress, kFliGraphFileBytes, true};
constexpr Layout kDesigner{"an FLI Designer picture", kFliDesignerLoadAddress,
                           kFliDesignerFileBytes, false};

const Layout& layout_of(FliFormat format) {
    return format == FliFormat::Graph ? kGraph : kDesigner;
}

std::size_t padded(std::size_t bytes) { return (bytes + 255) / 256 * 256; }

} // namespace

std::vector<std::uint8_t> write_fli_graph(const FliImage& image) {
    std::vector<std::uint8_t> file(kFliGraphFileBytes);
    file[0] = kFliGraphLoadAddress & 0xFF;
    file[1] = kFliGraphLoadAddress >> 8;
    auto at = file.begin() + 2;
    std::copy(image.backgrounds.begin(), image.backgrounds.end(), at);
    at += kBackgroundBytes;
    std::copy(image.color.begin(), image.color.end(), at);
    at += kBlock;
    for (const auto& screen : image.screens) {
        std::copy(screen.begin(), screen.end(), at);
        at += kBlock;
    }
    std::copy(image.bitmap.begin(), image.bitmap.end(), at);
    return file;
}

FliRead read_fli(std::span<const std::uint8_t> file, FliFormat kind) {
    const Layout& layout = layout_of(kind);
    // A caller may read no more of a long file than one byte past the longest padding.
    if (file.size() > padded(layout.file_bytes))
        return {{},
                format_text("it holds more than %zu bytes, where %s takes %zu",
                            padded(layout.file_bytes), layout.name, layout.file_bytes)};
    if (file.size() < layout.file_bytes)
        return {{},
                format_text("it holds %zu bytes, where %s takes %zu", file.size(), layout.name,
                            layout.file_bytes)};
    const unsigned address = file[0] | file[1] << 8;
    if (address != layout.load_address)
        return {{},
                format_text("it loads at $%04X, where %s loads at $%04X", address, layout.name,
                            unsigned(layout.load_address))};
    FliImage image;
    auto at = file.begin() + 2;
    if (layout.has_backgrounds) {
        std::copy_n(at, kPictureRows, image.backgrounds.begin());
        at += kBackgroundBytes;
    }
    std::copy_n(at, kCells, image.color.begin());
    at += kBlock;
    for (auto& screen : image.screens) {
        std::copy_n(at, kCells, screen.begin());
        at += kBlock;
    }
    std::copy_n(at, kBitmapBytes, image.bitmap.begin());
    return {image, {}};
}

using FliFileFormat = CodecFormat<FliFormat, FliRead, FliImage>;

const FileFormat& fli_graph_format() {
    static const FliFileFormat format(
        {.name = "FLI Graph",
         .extensions = {"bml", "fli"},
         .offered = {Command::Import, Command::ExportFli},
         .filter_name = "FLI Graph pictures",
         .kind = fmtFli,
         .file = {kFliGraphLoadAddress, kFliGraphFileBytes, kFliMaxFileBytes}},
        FliFormat::Graph, read_fli, write_fli_graph);
    return format;
}

const FileFormat& fli_designer_format() {
    static const FliFileFormat format(
        {.name = "FLI Designer",
         .extensions = {"fd2"},
         .offered = {Command::Import},
         .kind = fmtFli,
         .file = {kFliDesignerLoadAddress, kFliDesignerFileBytes, kFliMaxFileBytes}},
        FliFormat::Designer, read_fli, write_fli_graph);
    return format;
}
