// Feeds arbitrary bytes through the import's image path: Qt's image readers behind the size
// check, then the conversion with options taken from the last byte. A result must keep to the
// limit per cell and hold colour indices only.
#include "conversion/convert.h"
#include "formats/image_file.h"
#include <QBuffer>
#include <QCoreApplication>
#include <cstdlib>

// Smaller than the editor's limit only so that each run stays short; the check is the same.
constexpr int kFuzzMaxSide = 1024;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication application(*argc, *argv); // finds Qt's image format plugins
    // Broken files make the decoders complain on every run; the complaints are expected.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    const ImageRead read = read_image(buffer, import_limit(kFuzzMaxSide));
    if (!read.error.isEmpty()) return 0;
    const RgbImage& image = read.image;
    if (image.width < 1 || image.height < 1 || image.width > kFuzzMaxSide ||
        image.height > kFuzzMaxSide ||
        image.rgb.size() != std::size_t(image.width) * std::size_t(image.height) * 3)
        std::abort();
    const std::uint8_t last = size ? data[size - 1] : 0;
    ConversionOptions options{std::nullopt, BackgroundChoice(last >> 7 & 1), Dither(last % 3)};
    if (last & 0x40) options.palette = kKnownPalettes[last >> 2 & 3];
    const Conversion conversion = convert_image(image, options);
    for (std::uint8_t index : conversion.picture)
        if (index > 15) std::abort();
    if (inexact_cells(multicolor_grid(conversion.picture), conversion.background).any())
        std::abort();
    return 0;
}
