// Reading files as Import takes them, through the table of formats: C64 pictures by their
// content whatever their names, images by Qt's readers within their limits, and the reason for
// every file refused.
#include "conversion/convert.h"
#include "formats/file_reading.h"
#include "formats/fli_file.h"
#include "formats/koala.h"
#include "formats/png.h"
#include "formats/rows.h"
#include "tests/fifo_deadline.h"
#include "tests/file_support.h"
#include <QDir>
#include <QImageReader>
#include <algorithm>
#include <sys/stat.h>

namespace {

struct Import : FileTest {
    // The picture as Import brings it in: a C64 picture as it is, an image as the conversion
    // dialog first shows it.
    ImportSource read_file(const QString& file) {
        ImportSource source = read_import_source(file);
        EXPECT_TRUE(source.error.isEmpty())
            << file.toStdString() << ": " << source.error.toStdString();
        if (!source.picture && source.error.isEmpty()) {
            const Conversion conversion = convert_image(source.image, {});
            source.picture = conversion.picture;
            source.background = conversion.background;
        }
        return source;
    }
    static void expect_refused(const QString& file, const QString& reason) {
        const ImportSource source = read_import_source(file);
        EXPECT_FALSE(source.picture) << file.toStdString();
        EXPECT_TRUE(source.error.contains(reason))
            << file.toStdString() << ": " << source.error.toStdString();
    }
};

// One line down column 40, in colours of each row's own; the last rows share row 196's.
PictureBytes fli_lines() {
    PictureBytes drawn{};
    for (int row = 0; row < 200; ++row) drawn[row * 160 + 40] = std::uint8_t(row % 5 + 1);
    drawn[199 * 160 + 40] = drawn[196 * 160 + 40];
    drawn[198 * 160 + 40] = drawn[197 * 160 + 40] = 0;
    return drawn;
}

} // namespace

// A C64 picture is taken as it is, with its background and the mode it brings, by its content
// whatever its name; an image is an image whatever its name.
TEST_F(Import, EachFileIsTakenByItsContentWhateverItsName) {
    // On purple: Vexlor's 5, the C64's 4.
    const PictureBytes drawn = some_picture(1, 5);
    const std::vector<std::uint8_t> koala =
        write_koala(encode_multicolor(multicolor_grid(drawn), 5).image);
    ASSERT_EQ(koala[10002], 4);
    PictureBytes flat{};
    for (int cell = 0; cell < kCells; ++cell) fill_cell(flat, cell, std::uint8_t(cell % 7));
    std::vector<std::uint8_t> flat_koala =
        write_koala(encode_multicolor(multicolor_grid(flat)).image);
    std::vector<std::uint8_t> padded = flat_koala;
    padded.resize(padded.size() + 30, 0);
    // Packed noise is longer than a plain file, and still packed.
    const MulticolorImage noisy = noisy_image(7);
    PictureBytes noise;
    decode_multicolor(noisy, multicolor_grid(noise));
    const std::vector<std::uint8_t> packed_noise = pack(write_koala(noisy));
    ASSERT_GT(packed_noise.size(), kKoalaFileBytes);
    const PictureBytes on_blue = some_picture(3, 6);
    const MulticolorImage blue_image = encode_multicolor(multicolor_grid(on_blue), 6).image;
    const PictureBytes lines = fli_lines();
    const std::vector<std::uint8_t> graph =
        write_fli_graph(encode_fli(multicolor_grid(lines), 0).image);
    std::vector<std::uint8_t> designer(graph.begin() + 256, graph.end());
    designer[0] = 0x00, designer[1] = 0x3C;
    std::vector<std::uint8_t> first_line_red = graph; // most lines show black
    first_line_red[2] = 2;
    const PictureBytes image = some_picture(4);
    const struct {
        const char* name;
        std::vector<std::uint8_t> bytes;
        PictureBytes picture;
        std::uint8_t background;
        std::uint8_t format;
    } files[] = {
        {"a.koa", koala, drawn, 5, fmtMulticolor},
        {"b.KLA", koala, drawn, 5, fmtMulticolor},
        {"c.png", koala, drawn, 5, fmtMulticolor},
        {"d", koala, drawn, 5, fmtMulticolor},
        {"packed.gg", pack(flat_koala), flat, 0, fmtMulticolor},
        {"padded.koa", padded, flat, 0, fmtMulticolor},
        {"noisy.gg", packed_noise, noise, 6, fmtMulticolor},
        {"picture", artist64_format().write({.encoded = blue_image}), on_blue, 6, fmtMulticolor},
        {"picture", amica_paint_format().write({.encoded = blue_image}), on_blue, 6, fmtMulticolor},
        {"a.bml", graph, lines, 0, fmtFli},
        {"b.FLI", graph, lines, 0, fmtFli},
        {"c.fd2", designer, lines, 0, fmtFli},
        {"graph.fd2", graph, lines, 0, fmtFli},
        {"designer.fli", designer, lines, 0, fmtFli},
        {"drawn.kla", encode_png(render_picture(multicolor_grid(image), {})), image, 0,
         fmtMulticolor},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        const ImportSource source = read_file(write(file.name, file.bytes));
        ASSERT_TRUE(source.picture);
        EXPECT_TRUE(*source.picture == stored(file.picture));
        EXPECT_EQ(source.background, file.background);
        EXPECT_EQ(source.format, file.format);
    }
    EXPECT_EQ(read_file(write("red-top.bml", first_line_red)).background, 0);
}

// Every file refused says why, in the system's words where it has them; a pipe is never waited
// on.
TEST_F(Import, WhatCannotBeReadIsRefusedWithTheReason) {
    const std::vector<std::uint8_t> koala =
        write_koala(encode_multicolor(multicolor_grid(some_picture(2))).image);
    std::vector<std::uint8_t> oversized = koala;
    oversized.resize(200000);
    std::vector<std::uint8_t> art_studio = advanced_art_studio_format().write(
        {.encoded = encode_multicolor(multicolor_grid(some_picture(2))).image});
    art_studio.pop_back();
    std::vector<std::uint8_t> png =
        encode_png(render_picture(multicolor_grid(some_picture(2)), {}));
    png.resize(png.size() / 2);
    // Cut where a data sub-block's length byte belongs: after the header, 128 colours, the
    // image's descriptor and code size, ten whole sub-blocks.
    std::vector<std::uint8_t> gif = gif_of_greys(160, 100);
    gif.resize(13 + 3 * 128 + 10 + 1 + 10 * 256);
    const std::vector<std::uint8_t> graph =
        write_fli_graph(encode_fli(multicolor_grid(fli_lines()), 0).image);
    std::vector<std::uint8_t> long_graph = graph;
    long_graph.resize(100000);
    std::vector<std::uint8_t> elsewhere = graph;
    elsewhere[1] = 0x40;
    QImage wide(kMaxImageSide + 1, 2, QImage::Format_RGB888);
    wide.fill(Qt::white);
    wide.save(path("wide.png"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.koa"));
    const struct {
        QString file;
        const char* reason;
    } files[] = {
        {path("missing.png"), "it cannot be opened (No such file or directory)"},
        {path("folder.koa"), "Is a directory"},
        {write("short.koa", {koala.begin(), koala.begin() + 5000}), "5000 bytes"},
        {write("big.kla", oversized), "more than 10258 bytes"},
        {write("text.koa", std::vector<std::uint8_t>(10003, 'x')), "$7878"},
        {write("broken.gg", {0x00, 0x60, 0xFE, 0x01}), "inside a run"},
        {write("noise.png", std::vector<std::uint8_t>(3000, 0x55)),
         "3000 bytes loading at $5555: no C64 picture format loads there, and it is not an image"},
        {write("short-art.koa", art_studio),
         "10017 bytes loading at $2000: an Advanced Art Studio picture takes 10018"},
        {write("cut.png", png), "cannot be decoded"},
        {write_cut_image("cut.gif"), "it ends before its image does"},
        {write_cut_image("cut.jpg"), "it ends before its image does"},
        {write("cut-between-blocks.gif", gif), "it ends before its image does"},
        {write("short.bml", {graph.begin(), graph.end() - 1}), "17473 bytes"},
        {write("long.bml", long_graph), "it holds more than 17664 bytes"},
        {write("elsewhere.bml", elsewhere), "it loads at $4000"},
        {path("wide.png"), "8193 × 2 pixels"},
        // One pixel on a screen too wide, or far too large to decode at all: refused for its
        // size, not for a failed decoding.
        {write("wide.gif", white_dot_gif(9000, 1)), "9000 × 1 pixels"},
        {write("huge.gif", white_dot_gif(9000, 20000)), "9000 × 20000 pixels"},
    };
    for (const auto& file : files) expect_refused(file.file, file.reason);

    const QString fifo = path("pipe.koa");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    FifoDeadline deadline(QFile::encodeName(fifo).toStdString());
    expect_refused(fifo, "not a regular file");
    EXPECT_FALSE(deadline.had_to_step_in()) << "the import waited on the pipe";
    const QString locked = write("locked.koa", std::vector<std::uint8_t>(kKoalaFileBytes));
    QFile(locked).setPermissions({});
    ASSERT_TRUE(
        without_file_permission_override([&] { expect_refused(locked, "Permission denied"); }));
}

// Decoding may take an image at its own depth and size, up to the limit: the largest image, a
// 16-bit one (8 bytes a pixel), a GIF measured by its whole screen; transparent parts come in
// as the black background.
TEST_F(Import, AnImageWithinTheLimitsIsRead) {
    QImage largest(kMaxImageSide, 1, QImage::Format_RGB888);
    largest.fill(Qt::white);
    largest.save(path("largest.png"));
    EXPECT_TRUE(read_file(path("largest.png")).picture);

    const PictureBytes deep = multicolour_part(
        *read_file(write("deep.png", png_16bit(6000, 6000, 0xFFFF, 0, 0))).picture);
    // A square: 100 red pixels across the middle of each row, in the C64 colour nearest red.
    const std::uint8_t red = deep[100 * 160 + 80];
    EXPECT_NE(red, 0);
    EXPECT_EQ(std::count(deep.begin(), deep.end(), red), 100 * 200);

    EXPECT_EQ((*read_file(write("dot.gif", white_dot_gif(1, 1))).picture)[100 * 160 + 80], 1);

    QImage clear(160, 200, QImage::Format_ARGB32);
    clear.fill(QColor(255, 255, 255, 0)); // invisible white
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 4; ++x) clear.setPixelColor(x, y, QColor(255, 255, 255));
    clear.save(path("clear.png"));
    const PictureBytes cleared = multicolour_part(*read_file(path("clear.png")).picture);
    EXPECT_EQ(cleared[0], 1);
    EXPECT_EQ(cleared[4], 0);
    EXPECT_EQ(cleared[199 * 160 + 159], 0);
}

// A tiny file may describe a vast image. Decoding it takes what the image needs and no more:
// the working copy is small and nothing else of the image's size is made. The limit set for it
// is Qt's one for every image: afterwards it is as it was.
TEST_F(Import, AVastImageCostsItsDecodingAndNoMore) {
    const QString file = write("vast.gif", white_dot_gif(8000, 8000));
    ImageRead read;
#ifndef __SANITIZE_ADDRESS__ // the sanitizer keeps freed memory aside: the peak says nothing
    const long grew = peak_growth_mib([&] {
        QFile in(file);
        in.open(QIODevice::ReadOnly);
        read = read_image(in);
    });
    EXPECT_GE(grew, 0);
    EXPECT_LE(grew, (8000L * 8000 * 4 >> 20) + 64); // the decoding, 4 bytes a pixel
#endif
    QFile in(file);
    in.open(QIODevice::ReadOnly);
    const int limit = QImageReader::allocationLimit();
    read = read_image(in);
    EXPECT_EQ(QImageReader::allocationLimit(), limit);
    EXPECT_EQ(read.decoded_size, QSize(8000, 8000));
    EXPECT_LE(read.image.width, 640);
    EXPECT_LE(read.image.height, 400);
    // Laid onto the picture as the whole image would be: a square 200 rows high.
    EXPECT_EQ(fit_to_picture(read.image).width, 100);
    EXPECT_EQ(fit_to_picture(read.image).height, 200);
}
