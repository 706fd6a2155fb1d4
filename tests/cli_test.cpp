// The converter run as a build script runs it: a process with no display.
#include "c64/fli_prg.h"
#include "c64/prg.h"
#include "cli/command_line.h"
#include "formats/file_reading.h"
#include "formats/fli_file.h"
#include "formats/koala.h"
#include "formats/png.h"
#include "formats/rows.h"
#include "formats/vxr.h"
#include "formats/vxs.h"
#include "modes/mode.h"
#include "sprites/shown_screen.h"
#include "tests/file_support.h"
#include "tests/run_vexlor.h"
#include "vexlor_version.h"
#include <QDir>
#include <QProcess>
#include <cmath>

namespace {

using Converter = FileTest;

TEST_F(Converter, EachOutputHoldsThePictureAsTheExportsWriteItAndSaysSoInOneLine) {
    const PictureBytes drawn = some_picture(5);
    const QString in = write_png(
        "drawn.png", render_picture(multicolor_grid(drawn), {.palette = PaletteId::Pepto}));
    const MulticolorImage c64 = encode_multicolor(multicolor_grid(drawn), 0).image;
    const struct {
        const char* name;
        std::vector<std::uint8_t> bytes;
        const char* counted = "cells";
    } outputs[] = {
        {"out.kla", write_koala(c64)},
        {"out.KOA", write_koala(c64)},
        {"out.prg", write_prg(c64)},
        {"out.vxr", encode_vxr(multicolor_grid(drawn))},
        {"out.fli", write_fli_graph(encode_fli(multicolor_grid(drawn), 0).image), "rows"},
        {"out.ocp", advanced_art_studio_format().write({.encoded = c64})},
        {"out.drz", drazpaint_packed_format().write({.encoded = c64})},
    };
    for (const auto& output : outputs) {
        SCOPED_TRACE(output.name);
        const Finished run = run_vexlor({"--convert", in, path(output.name)});
        EXPECT_EQ(run.exit_code, 0);
        EXPECT_EQ(run.err, QString("vexlor: %1 -> %2: palette Pepto (drawn in it), background 0 "
                                   "(black), 0 inexact %3\n")
                               .arg(in, path(output.name), output.counted));
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(read(path(output.name)), output.bytes);
    }
    // The PNG is the rendering, in the palette the image was drawn in.
    EXPECT_EQ(run_vexlor({"--convert", in, path("out.png")}).exit_code, 0);
    EXPECT_EQ(QImage(path("out.png")).convertToFormat(QImage::Format_RGB888),
              to_qimage(render_picture(multicolor_grid(drawn), {.palette = PaletteId::Pepto})));
    // With --pal, as a PAL television shows it.
    EXPECT_EQ(run_vexlor({"--convert", in, path("pal.png"), "--pal"}).exit_code, 0);
    const RenderOptions pal{.palette = PaletteId::Pepto, .pal = true};
    EXPECT_EQ(QImage(path("pal.png")).convertToFormat(QImage::Format_RGB888),
              to_qimage(render_picture(multicolor_grid(drawn), pal)));
    EXPECT_NE(render_picture(multicolor_grid(drawn), pal).rgb,
              render_picture(multicolor_grid(drawn), {.palette = PaletteId::Pepto}).rgb);
}

// A picture with sprites keeps its mode, background and sprites through to another such file,
// and gives its bitmap alone to any other.
TEST_F(Converter, AFileWithSpritesKeepsThemThroughToOne) {
    SpriteSet sprites{.sprites = {Sprite{.x = -3, .y = 150, .colour = 7, .behind = true}},
                      .shared_colour0 = 2};
    sprites.sprites[0].data.fill(0x5A);
    const StoredPicture hires = hires_stripes(8);
    const std::vector<std::uint8_t> file =
        encode_vxs(mode_of(fmtHires).grid_of(hires.data()), fmtHires, 9, sprites);
    const QString in = write("in.vxs", file);
    EXPECT_EQ(run_vexlor({"--convert", in, path("out.vxs")}).exit_code, 0);
    EXPECT_EQ(read(path("out.vxs")), file);
    EXPECT_EQ(run_vexlor({"--convert", in, path("out.art")}).exit_code, 0);
    EXPECT_EQ(read(path("out.art")),
              art_studio_format().write({.encoded = encode_hires(hires_grid(hires)).image}));
    // An image shows what the screen shows, the sprites over the picture.
    EXPECT_EQ(run_vexlor({"--convert", in, path("out.png")}).exit_code, 0);
    const std::vector<std::uint8_t> shown =
        shown_screen(mode_of(fmtHires).grid_of(hires.data()), mode_of(fmtHires), 9, sprites);
    EXPECT_EQ(read(path("out.png")),
              encode_png(render_picture(hires_grid(shown), {.hires = true})));
}

// The mode is FLI for an FLI file in or an FLI format out, a hires format's for one out, unless
// --mode says otherwise; in FLI
// an image is converted for FLI, .png shows the FLI picture and .prg is the FLI viewer.
TEST_F(Converter, TheModeFollowsTheFilesUnlessOneIsAsked) {
    const RgbImage image = photograph();
    const QString png = write_png("photo.png", image);
    const auto in_mode = [&](PictureFormat mode) {
        return encode_fli(multicolor_grid(convert_image(image, {.format = mode}).picture), 0).image;
    };
    const FliImage fli = in_mode(fmtFli);
    PictureBytes fli_picture;
    decode_fli(fli, multicolor_grid(fli_picture));
    const QString fli_file = write("photo.bml", write_fli_graph(fli));
    const MulticolorImage multicolor =
        encode_multicolor(multicolor_grid(convert_image(image, {}).picture), 0).image;
    const HiresImage hires =
        encode_hires(hires_grid(convert_image(image, {.format = fmtHires}).picture)).image;
    const AfliImage afli =
        encode_afli(hires_grid(convert_image(image, {.format = fmtAfli}).picture)).image;
    const std::vector<std::uint8_t> fli_png = encode_png(render_picture(
        multicolor_grid(fli_picture), {.palette = convert_image(image, {}).palette.palette}));
    const struct {
        QString in;
        QStringList options;
        const char* out;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {png, {}, "out.bml", write_fli_graph(fli)},
        {png, {}, "out.prg", write_prg(multicolor)},
        {png, {"--mode", "fli"}, "out.prg", write_fli_prg(fli)},
        {png, {"--mode", "multicolour"}, "out.bml", write_fli_graph(in_mode(fmtMulticolor))},
        {fli_file, {}, "out.prg", write_fli_prg(fli)},
        {fli_file,
         {},
         "out.kla",
         write_koala(encode_multicolor(multicolor_grid(fli_picture), 0).image)},
        {fli_file, {"--mode", "multicolour"}, "out.vxr", encode_vxr(multicolor_grid(fli_picture))},
        {png, {"--mode", "hires"}, "out.art", art_studio_format().write({.encoded = hires})},
        {png, {"--mode", "afli"}, "out.afl", afli_format().write({.encoded = afli})},
        {png, {}, "default.afl", afli_format().write({.encoded = afli})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.in + ' ' + c.out + ' ' + c.options.join(' ')).toStdString());
        const Finished run = run_vexlor(QStringList{"--convert", c.in, path(c.out)} + c.options);
        EXPECT_EQ(run.exit_code, 0) << run.err.toStdString();
        EXPECT_EQ(read(path(c.out)), c.bytes);
    }
    // A hires mode's file reads back in its mode.
    EXPECT_EQ(read_import_source(path("out.art")).format, fmtHires);
    EXPECT_EQ(read_import_source(path("out.afl")).format, fmtAfli);
    EXPECT_EQ(run_vexlor({"--convert", png, path("out.png"), "--mode=fli"}).exit_code, 0);
    EXPECT_EQ(
        QImage(path("out.png")).convertToFormat(QImage::Format_RGB888),
        to_qimage(render_picture(multicolor_grid(fli_picture), {.palette = PaletteId::Colodore})));
    // --strict checks the limit of the mode.
    PictureBytes stripes{};
    for (int row = 0; row < 8; ++row)
        for (int column = 0; column < 4; ++column)
            stripes[row * 160 + column] = std::uint8_t(row + 1);
    const QString vexlor = write("stripes.vxr", encode_vxr(multicolor_grid(stripes)));
    EXPECT_EQ(
        run_vexlor({"--convert", vexlor, path("s.png"), "--strict", "--mode", "fli"}).exit_code, 0);
    const Finished strict = run_vexlor({"--convert", vexlor, path("s.png"), "--strict"});
    EXPECT_EQ(strict.exit_code, 3);
    EXPECT_TRUE(strict.err.contains("1 inexact cell;")) << strict.err.toStdString();
}

// How many of the screen's 320 x 200 pixels show another colour in `b` than in `a`, each
// picture `width` pixels wide (160: each pixel two on the screen).
int screen_differences(const std::uint8_t* a, int a_width, const std::uint8_t* b, int b_width) {
    int differences = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 320; ++x)
            differences += a[y * a_width + x * a_width / 320] != b[y * b_width + x * b_width / 320];
    return differences;
}

// A picture taken to a mode of another shape is widened or narrowed as Picture > Mode does it:
// a multicolour pixel is two hires pixels, a pair of hires pixels one, and then what the mode
// cannot show is fixed. The line says how many of the screen's pixels that changed, and
// --strict writes nothing when any did.
TEST_F(Converter, AChangeOfShapeWidensOrNarrowsAsPictureModeDoesAndCountsTheChange) {
    // Two colours in each cell, and a third in one row of the cell at column 5, row 15.
    PictureBytes wide{};
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 160; ++x) {
            const int a = (x / 4 + y / 8) % 15 + 1, b = a % 15 + 1;
            wide[std::size_t(y * 160 + x)] = std::uint8_t((x + y) % 3 ? a : b);
        }
    wide[120 * 160 + 23] = 0;
    const QString vexlor = write("wide.vxr", encode_vxr(multicolor_grid(wide)));
    // Two colours in each hires cell, which every other pair of pixels holds both of.
    StoredPicture narrow{};
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 320; ++x) {
            const int a = (x / 8 + y / 8) % 15 + 1;
            narrow[std::size_t(y * 320 + x)] = std::uint8_t(x % 4 == 1 ? a % 15 + 1 : a);
        }
    const QString art =
        write("narrow.art",
              art_studio_format().write({.encoded = encode_hires(hires_grid(narrow)).image}));
    const struct {
        QString in;
        QStringList options;
        const char* out;
        int exit_code;
        const char* said; // how the line ends, before what --strict adds when it writes nothing
        int changed;      // -1: no C64 picture file to read back
    } cases[] = {
        {vexlor, {}, "out.art", 0, "0 inexact cells, 2 of 64000 pixels changed for Hires", 2},
        {vexlor, {"--mode", "hires"}, "out.iph", 0, "2 of 64000 pixels changed for Hires", 2},
        {vexlor, {"--mode", "hires"}, "out.dd", 0, "2 of 64000 pixels changed for Hires", 2},
        {vexlor, {"--mode", "hires"}, "out.jj", 0, "2 of 64000 pixels changed for Hires", 2},
        {vexlor, {}, "out.afl", 0, "0 inexact rows, 2 of 64000 pixels changed for AFLI", 2},
        {vexlor, {"--mode", "hires"}, "out.png", 0, "2 of 64000 pixels changed for Hires", -1},
        {vexlor, {"--mode", "afli"}, "out.prg", 0, "2 of 64000 pixels changed for AFLI", -1},
        {vexlor, {"--strict"}, "strict.art", 3, "2 of 64000 pixels changed for Hires", -1},
        {art,
         {},
         "out.kla",
         0,
         "0 inexact cells, 16000 of 64000 pixels changed for Multicolor",
         16000},
        {art,
         {"--mode", "multicolour"},
         "out.ocp",
         0,
         "16000 of 64000 pixels changed for Multicolor",
         16000},
        {art, {}, "out.vxr", 0, "16000 of 64000 pixels changed for Multicolor", 16000},
        {art, {"--strict"}, "strict.kla", 3, "16000 of 64000 pixels changed for Multicolor", -1},
        {art, {"--strict"}, "same.iph", 0, "background 0 (black), 0 inexact cells", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.in + ' ' + c.out + ' ' + c.options.join(' ')).toStdString());
        const Finished run = run_vexlor(QStringList{"--convert", c.in, path(c.out)} + c.options);
        EXPECT_EQ(run.exit_code, c.exit_code) << run.err.toStdString();
        const QString refused = c.exit_code == 3 ? "; nothing written (--strict)" : "";
        EXPECT_TRUE(run.err.endsWith(c.said + refused + '\n')) << run.err.toStdString();
        EXPECT_EQ(QFileInfo::exists(path(c.out)), c.exit_code == 0);
        if (c.changed < 0) continue;
        const bool from_hires = c.in == art;
        const std::uint8_t* before = from_hires ? narrow.data() : wide.data();
        StoredPicture after{};
        int after_width = 160;
        if (QString(c.out).endsWith(".vxr")) {
            ASSERT_TRUE(load_vxr_file(path(c.out).toStdString(), multicolor_grid(after)));
        } else {
            const ImportSource read = read_import_source(path(c.out));
            ASSERT_TRUE(read.picture) << read.error.toStdString();
            after = *read.picture;
            after_width = mode_of(read.format).shape.width;
        }
        EXPECT_EQ(screen_differences(before, from_hires ? 320 : 160, after.data(), after_width),
                  c.changed);
    }
    // A PNG of a hires mode shows what its C64 file holds.
    const ImportSource art_out = read_import_source(path("out.art"));
    ASSERT_TRUE(art_out.picture);
    EXPECT_EQ(QImage(path("out.png")).convertToFormat(QImage::Format_RGB888),
              to_qimage(render_picture(hires_grid(*art_out.picture), {.hires = true})));
}

TEST_F(Converter, APictureKeepsItsOwnBackgroundUnlessAnotherIsAsked) {
    const PictureBytes drawn = some_picture(6, 6); // drawn on blue
    const QString koala =
        write("blue.kla", write_koala(encode_multicolor(multicolor_grid(drawn), 6).image));
    const QString vexlor = write("blue.vxr", encode_vxr(multicolor_grid(drawn)));
    const struct {
        QString in;
        QStringList options;
        std::uint8_t background; // the C64 number written
        const char* said;
    } cases[] = {
        {koala, {}, 6, "palette none (a C64 picture), background 6 (blue), 0 inexact cells"},
        {vexlor, {}, 6, "background 6 (blue), 0 inexact cells"},
        {vexlor, {"--background", "best"}, 6, "background 6 (blue)"},
        {koala, {"--background", "5"}, 5, "background 5 (green)"},
        {koala, {"--background", "15"}, 15, "background 15 (light grey)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.in + ' ' + c.options.join(' ')).toStdString());
        const Finished run =
            run_vexlor(QStringList{"--convert", c.in, path("out.kla")} + c.options);
        EXPECT_EQ(run.exit_code, 0);
        EXPECT_TRUE(run.err.contains(c.said)) << run.err.toStdString();
        const std::vector<std::uint8_t> bytes = read(path("out.kla"));
        ASSERT_EQ(bytes.size(), kKoalaFileBytes);
        EXPECT_EQ(bytes.back(), c.background);
    }
}

TEST_F(Converter, ExitCodesSayWhatWentWrongAndNoFileIsLeftBehind) {
    PictureBytes clashing = some_picture(8);
    for (int cell : {3, 700})
        for (int pixel = 0; pixel < kCellPixels; ++pixel)
            clashing[cell_pixel_offset(cell, pixel)] = std::uint8_t(pixel % 5 + 1);
    const QString vexlor = write("clash.vxr", encode_vxr(multicolor_grid(clashing)));
    const QString png =
        write_png("small.png", render_picture(multicolor_grid(some_picture(9)), {}));
    const QString out = path("out.kla");
    std::vector<std::uint8_t> cut_png = read(png);
    cut_png.resize(cut_png.size() / 2);
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe.kla")).constData(), 0600), 0);
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe.vxr")).constData(), 0600), 0);
    QFile::link(path("pipe.kla"), path("link.kla"));
    const struct {
        QStringList arguments;
        int exit_code;
        const char* said;
    } cases[] = {
        {{"--convert", path("missing.vxr"), out}, 1, "cannot be read: No such file or directory"},
        {{"--convert", path("missing.png"), out}, 1, "cannot be read: it cannot be opened"},
        {{"--convert", path("pipe.vxr"), out}, 1, "cannot be read: it is not a regular file"},
        {{"--convert", path("link.kla"), out},
         1,
         "cannot be read: it cannot be opened (it is not a regular file)"},
        {{"--convert", write("noise.gif", std::vector<std::uint8_t>(99, 1)), out},
         1,
         "not an image"},
        {{"--convert", write("cut.png", cut_png), out}, 1, "cannot be read: it cannot be decoded"},
        {{"--convert", write_cut_image("cut.gif"), out}, 1, "cannot be read: it ends before"},
        {{"--convert", write_cut_image("cut.jpg"), out}, 1, "cannot be read: it ends before"},
        {{"--convert", png, path("no/such/folder/out.kla")}, 1, "cannot be written"},
        {{"--convert", png, path("pipe.kla")}, 1, "cannot be written: it is not a regular file"},
        {{"--convert", png, path("link.kla")}, 1, "cannot be written: it is not a regular file"},
        {{"--convert", png, out, "--palette", "rainbow"}, 2, "unknown palette \"rainbow\""},
        {{"--convert", png, out, "--background", "16"}, 2, "unknown background \"16\""},
        {{"--convert", png, out, "--dither", "noise"}, 2, "unknown dithering \"noise\""},
        {{"--convert", png, out, "--mode", "ham"}, 2, "unknown mode \"ham\""},
        {{"--convert", png, path("out.bmp")}, 2, "no extension of a format"},
        {{"--convert", png, out, "--pal"}, 2, "--pal goes with a .png OUT"},
        {{"--convert", png}, 2, "takes two files"},
        {{"--convert", png, out, "--colours"}, 2, "Unknown option 'colours'"},
        {{png, "--palette", "pepto"}, 2, "--palette goes with --convert"},
        {{png, path("other.png")}, 2, "one file at a time"},
        {{"--convert", vexlor, out, "--strict"}, 3, "2 inexact cells; nothing written (--strict)"},
        {{"--convert", png, out, "--brightness", "x"}, 2, "--brightness takes a whole number"},
        {{"--convert", png, out, "--contrast", "-101"}, 2, "--contrast must be -100 to 100"},
        {{"--convert", png, out, "--saturation", "301"}, 2, "--saturation must be 0 to 300"},
        {{"--convert", png, out, "--gamma", "0"}, 2, "--gamma must be 0.1 to 10"},
        {{"--convert", png, out, "--gamma", "two"}, 2, "--gamma takes a number"},
        {{"--convert", png, out, "--crop", "1,2,3"}, 2, "--crop takes X,Y,W,H"},
        {{"--convert", png, out, "--crop", "0,0,0,9"}, 2, "--crop must have a width"},
        {{"--convert", png, out, "--place", "0,0,2000,10"}, 2, "--place must have a width"},
        {{"--convert", png, out, "--crop", "400,0,10,10"}, 1, "the crop lies outside the image"},
        {{"--convert", vexlor, out, "--gamma", "2"}, 1, "cannot be adjusted: it is a picture"},
        {{png, "--gamma", "2"}, 2, "--gamma goes with --convert"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const Finished run = run_vexlor(c.arguments);
        EXPECT_EQ(run.exit_code, c.exit_code);
        EXPECT_TRUE(run.err.contains(c.said)) << run.err.toStdString();
        EXPECT_EQ(run.err.contains("Usage: vexlor"), c.exit_code == 2) << run.err.toStdString();
        if (c.exit_code != 2) {
            EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
        }
        EXPECT_FALSE(QFile::exists(out));
        EXPECT_FALSE(QFile::exists(path("out.bmp")));
    }
    const QFileInfo pipe(path("pipe.kla"));
    EXPECT_TRUE(pipe.exists() && !pipe.isFile());
    // A name that is not UTF-8, in which Qt names every file, is refused, never taken for the
    // file that its text would name.
    write(QString::fromUtf8("bad\uFFFDname.png"), read(png));
    const auto files = [&] {
        return QDir(dir.path()).entryList(QDir::Files).join(' ').toStdString();
    };
    const std::string before = files();
    const struct {
        QString in, out;
        QString said;
    } names[] = {
        {png, path("bad\\0377name.koa"), path("bad\\xFFname.koa\" cannot be written")},
        {path("bad\\0377name.png"), out, path("bad\\xFFname.png\" cannot be read")},
    };
    for (const auto& name : names) {
        const Finished run = run_vexlor({"--convert", name.in, name.out}, true);
        EXPECT_EQ(run.exit_code, 1);
        EXPECT_TRUE(run.err.contains(name.said)) << run.err.toStdString();
        EXPECT_EQ(files(), before);
    }
    // Without --strict the cells keep their most used colours, as Export anyway does.
    const Finished run = run_vexlor({"--convert", vexlor, out});
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_TRUE(run.err.endsWith("2 inexact cells\n")) << run.err.toStdString();
    EXPECT_EQ(read(out), write_koala(encode_multicolor(multicolor_grid(clashing)).image));
}

// An image adjusted by the converter's options converts as the image adjusted in ImageMagick
// first; placed, it lies where asked on the background.
TEST_F(Converter, TheAdjustmentsMatchTheImageAdjustedInImageMagickFirst) {
    const QString photo = write_png("photo.png", photograph());
    const struct {
        QStringList options;
        QStringList magick;
    } cases[] = {
        {{"--brightness", "20", "--crop", "30,20,200,150"},
         {"-brightness-contrast", "20x0", "-crop", "200x150+30+20", "+repage"}},
        {{"--contrast", "-30", "--saturation", "160", "--gamma", "1.4"},
         {"-brightness-contrast", "0x-30", "-modulate", "100,160", "-gamma", "1.4"}},
    };
    const auto picture_in = [&](const QString& name) {
        PictureBytes picture{};
        EXPECT_TRUE(
            load_vxr_file(QFile::encodeName(path(name)).toStdString(), multicolor_grid(picture)));
        return picture;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options.join(' ').toStdString());
        QProcess magick;
        magick.start("convert", QStringList{photo} + c.magick + QStringList{path("adjusted.png")});
        ASSERT_TRUE(magick.waitForFinished(60000));
        ASSERT_EQ(magick.exitCode(), 0);
        ASSERT_EQ(run_vexlor({"--convert", path("adjusted.png"), path("first.vxr")}).exit_code, 0);
        ASSERT_EQ(
            run_vexlor(QStringList{"--convert", photo, path("options.vxr")} + c.options).exit_code,
            0);
        EXPECT_EQ(picture_in("options.vxr"), picture_in("first.vxr"));
    }
    // Placed in the corner at half the screen's size, on a blue background.
    ASSERT_EQ(run_vexlor({"--convert", photo, path("placed.vxr"), "--place", "0,0,160,100",
                          "--background", "6"})
                  .exit_code,
              0);
    const PictureBytes placed = picture_in("placed.vxr");
    for (int row = 0; row < kPictureRows; ++row)
        for (int column = 0; column < kPictureColumns; ++column) {
            if (column >= 80 || row >= 100) {
                ASSERT_EQ(placed[std::size_t(row * kPictureColumns + column)], 6)
                    << column << "," << row;
            }
        }
}

TEST_F(Converter, HelpAndVersionNeedNoDisplay) {
    const Finished help = run_vexlor({"--help"});
    EXPECT_EQ(help.exit_code, 0);
    for (const char* option :
         {"--convert", "--palette", "--background", "--dither", "--mode", "--strict",
          "--brightness", "--contrast", "--saturation", "--gamma", "--crop", "--place"})
        EXPECT_TRUE(help.out.contains(option)) << option;
    const Finished version = run_vexlor({"--version"});
    EXPECT_EQ(version.exit_code, 0);
    EXPECT_EQ(version.out, QString("vexlor %1\n").arg(VEXLOR_VERSION));
}

// A build script's run is not an editor's: it neither takes up nor leaves a recovery copy.
TEST_F(Converter, NoRunWithoutWindowsTouchesTheRecoveryCopies) {
    const QString data = dir.filePath("data");
    qputenv("XDG_DATA_HOME", QFile::encodeName(data));
    const QString copies = data + "/Vexlor/Vexlor/recovery";
    ASSERT_TRUE(QDir().mkpath(copies));
    QFile faulty(copies + "/1-earlier.vxrc"); // a start would set it aside
    ASSERT_TRUE(faulty.open(QIODevice::WriteOnly));
    faulty.write("VXRC");
    faulty.close();
    const QString in = write_png("drawn.png", render_picture(multicolor_grid(some_picture(2)), {}));
    for (const QStringList& arguments : {QStringList{"--help"}, QStringList{"--version"},
                                         QStringList{"--convert", in, dir.filePath("out.kla")}}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        EXPECT_EQ(run_vexlor(arguments).exit_code, 0);
        EXPECT_EQ(QDir(copies).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList{"1-earlier.vxrc"});
    }
    qunsetenv("XDG_DATA_HOME");
}

TEST(CommandLine, QtsOwnOptionsAreLeftToTheApplicationObject) {
    const struct {
        QStringList arguments;
        CommandLine::Mode mode;
        QString file;
    } calls[] = {
        {{"-platform", "offscreen", "pic.kla"}, CommandLine::Mode::Edit, "pic.kla"},
        {{"-style=fusion", "-session", "1a2b", "-reverse"}, CommandLine::Mode::Edit, ""},
        {{"--help-all"}, CommandLine::Mode::Help, ""},
        {{"-p", "pic.kla"}, CommandLine::Mode::Usage, ""},
    };
    for (const auto& call : calls) {
        SCOPED_TRACE(call.arguments.join(' ').toStdString());
        const CommandLine line = parse_command_line(QStringList{"vexlor"} + call.arguments);
        EXPECT_EQ(line.mode, call.mode);
        EXPECT_EQ(line.file, call.file);
    }
}

} // namespace
