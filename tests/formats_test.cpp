// The table of formats: where each is offered and under what names, every C64 picture format
// read as the notes lay it out, every format Vexlor writes round trip, and files that must be
// refused.
#include "conversion/convert.h"
#include "formats/format_table.h"
#include "formats/image_file.h"
#include "formats/rows.h"
#include "formats/vxr.h"
#include "modes/mode.h"
#include "tests/c64_support.h"
#include <QBuffer>
#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::string name_of(const FileFormat* format) {
    return format ? std::string(format->name()) : "nothing";
}

Bytes file_at(unsigned address, std::size_t length) {
    Bytes file(length);
    file[0] = std::uint8_t(address);
    file[1] = std::uint8_t(address >> 8);
    return file;
}

// A picture whose every byte says where it came from.
MulticolorImage marked_image() {
    MulticolorImage image;
    for (std::size_t i = 0; i < image.bitmap.size(); ++i) image.bitmap[i] = std::uint8_t(i * 7 + 1);
    for (std::size_t i = 0; i < image.screen.size(); ++i) image.screen[i] = std::uint8_t(i * 3 + 2);
    for (std::size_t i = 0; i < image.color.size(); ++i) image.color[i] = std::uint8_t(i % 13 + 1);
    image.background = 6;
    return image;
}

// Noise, as dithering leaves it, with Amica's escape byte in one bitmap byte of 40, a C64
// colour in each colour-RAM byte and the background, and the bitmap's last `plain` bytes 0: the
// more of them, the shorter a packed file.
MulticolorImage noisy_picture(unsigned seed, std::size_t plain) {
    std::mt19937 random(seed);
    MulticolorImage image;
    for (std::uint8_t& byte : image.bitmap) byte = std::uint8_t(random());
    for (std::uint8_t& screen : image.screen) screen = std::uint8_t(random());
    for (std::uint8_t& color : image.color) color = std::uint8_t(random() % 16);
    image.background = std::uint8_t(random() % 16);
    for (std::size_t i = 7; i < image.bitmap.size(); i += 40) image.bitmap[i] = 0xC2;
    std::fill(image.bitmap.end() - std::ptrdiff_t(plain), image.bitmap.end(), 0);
    return image;
}

// A noisy picture that `format` writes in exactly `length` bytes.
MulticolorImage picture_written_in(const FileFormat& format, std::size_t length) {
    for (unsigned seed = 0; seed < 10; ++seed)
        for (std::size_t plain = 0; plain < kBitmapBytes; ++plain) {
            const MulticolorImage image = noisy_picture(seed, plain);
            const std::size_t written = format.write({.encoded = image}).size();
            if (written == length) return image;
            if (written < length) break;
        }
    ADD_FAILURE() << "no picture makes " << length << " bytes of " << format.name();
    return {};
}

} // namespace

// Each plain layout as the format notes give it (offsets after the load address), read by
// content alone except where only the name tells two layouts apart; where Vexlor writes the
// format, it writes those very bytes.
TEST(PictureFormats, ReadEachLayoutWhereTheNotesPutIt) {
    constexpr int kNone = -1;
    const struct {
        const FileFormat& format;
        const char* extension;
        unsigned load;
        std::size_t length;
        std::size_t bitmap, screen, color;
        int background;
        int background_copy = kNone; // for readers that look there
    } rows[] = {
        {koala_format(), "", 0x6000, 10003, 0, 8000, 9000, 10000},
        {advanced_art_studio_format(), "", 0x2000, 10018, 0, 8000, 9016, 9001, 9000},
        {artist64_format(), "", 0x4000, 10242, 0, 8192, 9216, 10239},
        {blazing_paddles_format(), "", 0xA000, 10242, 0, 8192, 9216, 8064},
        {image_system_format(), "", 0x3C00, 10218, 1024, 9216, 0, 9215},
        {interpaint_lores_format(), "ipt", 0x4000, 10003, 0, 8000, 9000, 10000},
        {vidcom64_format(), "", 0x5800, 10050, 2048, 1024, 0, kNone},
        {twilight_format(), "TBE", 0x5800, 10050, 2048, 1024, 0, 1023},
        {drazpaint_format(), "", 0x5800, 10051, 2048, 1024, 0, 10048},
        {drazpaint_format(), "", 0x5800, 10052, 2048, 1024, 0, 10048}, // as GIMP writes it
        {saracen_paint_format(), "", 0x7800, 10219, 1024, 0, 9216, 1008},
    };
    const MulticolorImage image = marked_image();
    for (const auto& row : rows) {
        Bytes file = file_at(row.load, row.length);
        std::copy(image.bitmap.begin(), image.bitmap.end(), file.begin() + 2 + row.bitmap);
        std::copy(image.screen.begin(), image.screen.end(), file.begin() + 2 + row.screen);
        std::copy(image.color.begin(), image.color.end(), file.begin() + 2 + row.color);
        MulticolorImage expected = image;
        expected.background = 0; // none stored: black
        if (row.background != kNone) file[2 + row.background] = expected.background = 6;
        if (row.background_copy != kNone) file[2 + row.background_copy] = 6;
        const PictureFileRead read = read_picture_file(file, row.extension);
        EXPECT_EQ(name_of(read.format), row.format.name()) << read.error;
        ASSERT_TRUE(read.image) << row.format.name();
        EXPECT_TRUE(std::get<MulticolorImage>(*read.image) == expected) << row.format.name();
        if (row.format.writes()) {
            EXPECT_EQ(row.format.write({.encoded = expected}), file) << row.format.name();
        }
    }
}

// The packed layouts and Paint Magic's single colour, from bytes written by hand.
TEST(PictureFormats, ReadPackedFilesAndPaintMagicsOneColour) {
    // Amica: 40 runs of 255 and one of 57 make 10257 bytes of $55, then the end mark.
    Bytes amica = {0x00, 0x40};
    for (int run = 0; run < 40; ++run) amica.insert(amica.end(), {0xC2, 0xFF, 0x55});
    amica.insert(amica.end(), {0xC2, 57, 0x55, 0xC2, 0x00});
    // Drazpaint: its signature, the escape $AA, 39 runs of 256 (count 0) and one of 65.
    const std::string signature = "DRAZPAINT 1.4";
    Bytes drazpaint = {0x00, 0x58};
    for (char letter : signature) drazpaint.push_back(std::uint8_t(letter));
    drazpaint.push_back(0xAA);
    for (int run = 0; run < 39; ++run) drazpaint.insert(drazpaint.end(), {0xAA, 0x00, 0x55});
    drazpaint.insert(drazpaint.end(), {0xAA, 65, 0x55});
    MulticolorImage all_55;
    all_55.bitmap.fill(0x55);
    all_55.screen.fill(0x55);
    all_55.color.fill(0x55);
    all_55.background = 0x55;

    Bytes paint_magic = file_at(0x3F8E, 9332);
    const MulticolorImage image = marked_image();
    std::copy(image.bitmap.begin(), image.bitmap.end(), paint_magic.begin() + 2 + 114);
    std::copy(image.screen.begin(), image.screen.end(), paint_magic.begin() + 2 + 8306);
    paint_magic[2 + 8114] = 6;
    paint_magic[2 + 8117] = 9;
    MulticolorImage one_colour = image;
    one_colour.color.fill(9);

    const struct {
        const FileFormat& format;
        Bytes file;
        MulticolorImage expected;
    } rows[] = {
        {amica_paint_format(), amica, all_55},
        {drazpaint_packed_format(), drazpaint, all_55},
        {paint_magic_format(), paint_magic, one_colour},
        {paint_magic_format(), Bytes(paint_magic.begin(), paint_magic.begin() + 9308), one_colour},
    };
    for (const auto& row : rows) {
        const PictureFileRead read = read_picture_file(row.file, "");
        EXPECT_EQ(name_of(read.format), row.format.name()) << read.error;
        ASSERT_TRUE(read.image) << row.format.name();
        EXPECT_TRUE(std::get<MulticolorImage>(*read.image) == row.expected) << row.format.name();
    }
}

// Each menu finds its formats in the table, with the file dialog's entries and the extension a
// name typed without one gets; the converter finds the format a name says in each mode, and
// Open the names it reads as Vexlor's own.
TEST(FormatTable, EachCommandOffersItsFormatsUnderTheirNames) {
    const std::string c64 =
        "*.koa *.kla *.gg *.bml *.fli *.fd2 *.ocp *.mpic *.art *.ip64h *.iph *.dd *.ddl *.jj *.afl "
        "*.afli *.a64 *.pi *.bpi *.ism *.64i *.ip64l *.ipt *.vid *.vco *.tbe *.drz *.dp64 *.sar "
        "*.ami *.pmg";
    const std::string images = "*.png *.gif *.bmp *.jpg *.jpeg";
    const auto patterns = [](std::string shown) {
        std::replace(shown.begin(), shown.end(), ' ', ';');
        return shown;
    };
    const struct {
        Command command;
        std::optional<PictureFormat> kind;
        const FileFormat& first;
        std::string filter;
    } offers[] = {
        {Command::Open,
         {},
         vexlor_format(),
         "Vexlor and C64 pictures (*.vxr *.vxs " + c64 + ")|" + patterns("*.vxr *.vxs " + c64) +
             "|Vexlor file (*.vxr)|*.vxr|Vexlor pictures with sprites (*.vxs)|*.vxs|C64 pictures "
             "(" +
             c64 + ")|" + patterns(c64) + "|All Files (*.*)|*.*"},
        {Command::Save, fmtMulticolor, vexlor_format(), "Vexlor file|*.vxr|All Files|*.*"},
        {Command::Save, fmtHires, art_studio_format(),
         "Art Studio pictures|*.art;*.ocp|All Files|*.*"},
        {Command::Save, fmtAfli, afli_format(), "AFLI pictures|*.afl;*.afli|All Files|*.*"},
        {Command::ExportKoala, fmtMulticolor, koala_format(),
         "Koala pictures|*.koa;*.kla|All Files|*.*"},
        {Command::ExportFli, fmtFli, fli_graph_format(),
         "FLI Graph pictures|*.bml;*.fli|All Files|*.*"},
        {Command::ExportPrg, fmtMulticolor, prg_viewer_format(),
         "C64 programs|*.prg|All Files|*.*"},
        {Command::ExportPrg, fmtFli, fli_prg_viewer_format(), "C64 programs|*.prg|All Files|*.*"},
        {Command::ExportPng, {}, png_format(), "PNG images|*.png|All Files|*.*"},
        {Command::ExportOther, fmtMulticolor, advanced_art_studio_format(),
         "Advanced Art Studio (*.ocp *.mpic)|*.ocp;*.mpic|Artist 64 (*.a64)|*.a64|"
         "Blazing Paddles (*.pi *.bpi)|*.pi;*.bpi|Image System (*.ism *.64i)|*.ism;*.64i|"
         "Interpaint Lores (*.ip64l *.ipt)|*.ip64l;*.ipt|Vidcom 64 (*.vid *.vco)|*.vid;*.vco|"
         "Twilight (*.tbe)|*.tbe|Packed Drazpaint (*.drz)|*.drz|Amica Paint (*.ami)|*.ami"},
        {Command::Import,
         {},
         koala_format(),
         "C64 pictures and images (" + c64 + " " + images + ")|" + patterns(c64 + " " + images) +
             "|C64 pictures (" + c64 + ")|" + patterns(c64) + "|Images (" + images + ")|" +
             patterns(images) + "|All Files (*.*)|*.*"},
    };
    for (const auto& offer : offers) {
        SCOPED_TRACE(offer.filter);
        EXPECT_EQ(formats_offered(offer.command, offer.kind).front(), &offer.first);
        EXPECT_EQ(dialog_filter(offer.command, offer.kind), offer.filter);
    }
    const struct {
        const char* extension;
        PictureFormat mode;
        const FileFormat* written; // null: no format writes the name
    } names[] = {
        {"KLA", fmtFli, &koala_format()},
        {"bml", fmtMulticolor, &fli_graph_format()},
        {"prg", fmtMulticolor, &prg_viewer_format()},
        {"prg", fmtFli, &fli_prg_viewer_format()},
        {"prg", fmtAfli, &afli_prg_viewer_format()},
        {"png", fmtFli, &png_format()},
        {"vxr", fmtFli, &vexlor_format()},
        {"vxs", fmtHires, &vexlor_sprites_format()},
        {"drz", fmtMulticolor, &drazpaint_packed_format()},
        {"ocp", fmtMulticolor, &advanced_art_studio_format()},
        {"ocp", fmtHires, &art_studio_format()},
        {"gg", fmtMulticolor, nullptr},
        {"gif", fmtMulticolor, nullptr},
        {"", fmtMulticolor, nullptr},
    };
    for (const auto& name : names)
        EXPECT_EQ(writer_for(name.extension, name.mode), name.written) << name.extension;
    EXPECT_EQ(format_opened("VXR"), &vexlor_format());
    EXPECT_EQ(format_opened("kla"), nullptr);
    EXPECT_EQ(format_opened(""), nullptr);
}

// Every picture written in each format Vexlor writes reads back as itself: a C64 picture file
// by content alone where the content tells, else by the name written, and the same bytes are
// the same picture under any format's name (packed files come to the lengths of plain layouts
// at their load address: Drazpaint's 10050 to 10052, Interpaint's 10003, Artist 64's 10242);
// Vexlor's own file holds the pixels, and a PNG is taken back colour for colour.
TEST(PictureFormats, EveryWrittenPictureReadsBackAsItselfUnderAnyName) {
    const struct {
        const FileFormat& format;
        bool keeps_background;     // else the picture is read on black
        const FileFormat& unnamed; // what the bytes alone are taken for
    } rows[] = {
        {koala_format(), true, koala_format()},
        {fli_graph_format(), true, fli_graph_format()},
        {advanced_art_studio_format(), true, advanced_art_studio_format()},
        {artist64_format(), true, artist64_format()},
        {blazing_paddles_format(), true, blazing_paddles_format()},
        {image_system_format(), true, image_system_format()},
        {interpaint_lores_format(), true, interpaint_lores_format()},
        {vidcom64_format(), false, vidcom64_format()},
        {twilight_format(), true, vidcom64_format()}, // only its name tells it from Vidcom 64
        {drazpaint_packed_format(), true, drazpaint_packed_format()},
        {amica_paint_format(), true, amica_paint_format()},
    };
    // The viewer programs are for a C64 to run, not to read back (see the PRG tests); the hires
    // files and the file with sprites have tables of their own (formats_hires_test.cpp,
    // formats_vxs_test.cpp).
    std::set<const FileFormat*> covered = {
        &vexlor_format(),          &vexlor_sprites_format(), &png_format(),
        &prg_viewer_format(),      &fli_prg_viewer_format(), &hires_prg_viewer_format(),
        &afli_prg_viewer_format(), &art_studio_format(),     &interpaint_hires_format(),
        &doodle_format(),          &packed_doodle_format(),  &afli_format()};
    for (const auto& row : rows) covered.insert(&row.format);
    for (const FileFormat* format : file_formats())
        EXPECT_EQ(covered.count(format), std::size_t(format->writes())) << format->name();

    std::vector<MulticolorImage> pictures;
    for (unsigned seed = 0; seed < 16; ++seed) pictures.push_back(noisy_picture(seed, seed * 500));
    for (std::size_t length : {10050, 10051, 10052})
        pictures.push_back(picture_written_in(drazpaint_packed_format(), length));
    for (std::size_t length : {10003, 10242})
        pictures.push_back(picture_written_in(amica_paint_format(), length));
    std::mt19937 random(30);
    const PictureBytes fli_picture = random_encodable_picture(random, 6);
    const FliImage fli = encode_fli(multicolor_grid(fli_picture), 6).image;
    std::vector<std::string_view> names = {""};
    for (const FileFormat* format : c64_picture_formats())
        names.push_back(format->extensions().front());

    for (const auto& row : rows) {
        const bool is_fli = row.format.kind() == fmtFli;
        for (const MulticolorImage& picture : pictures) {
            C64Image image = picture;
            if (is_fli) image = fli;
            if (!row.keeps_background) std::get<MulticolorImage>(image).background = 0;
            const Bytes file = row.format.write({.encoded = image});
            SCOPED_TRACE(testing::Message()
                         << row.format.name() << ", " << file.size() << " bytes");
            EXPECT_EQ(name_of(read_picture_file(file, row.format.extensions().front()).format),
                      row.format.name());
            EXPECT_EQ(name_of(read_picture_file(file, "").format), row.unnamed.name());
            for (std::string_view name : names) {
                const PictureFileRead read = read_picture_file(file, name);
                if (read.format == &row.unnamed && &row.unnamed != &row.format) continue;
                EXPECT_TRUE(read.image && *read.image == image)
                    << name << ": " << name_of(read.format) << ' ' << read.error;
            }
            if (is_fli) break;
        }
    }
    // An FLI file is taken in FLI, its pixels as they were drawn.
    const DecodedPicture decoded = decode_picture(fli);
    EXPECT_TRUE(decoded.pixels == stored(fli_picture));
    EXPECT_EQ(decoded.background, 6);
    EXPECT_EQ(decoded.format, fmtFli);

    const PictureBytes drawn = random_encodable_picture(random, 0);
    const Bytes vexlor = vexlor_format().write({.pixels = multicolor_grid(drawn)});
    PictureBytes pixels{};
    VxrReader reader(multicolor_grid(pixels));
    reader.feed(vexlor.data(), vexlor.size());
    reader.finish();
    EXPECT_EQ(pixels, drawn);
    const Bytes png = png_format().write({.pixels = multicolor_grid(drawn)});
    QBuffer image;
    image.setData(reinterpret_cast<const char*>(png.data()), qsizetype(png.size()));
    image.open(QIODevice::ReadOnly);
    EXPECT_EQ(convert_image(read_image(image).image, {}).picture, stored(drawn));
}

// A whole copy of Koala's layout (10003 bytes, or with a border byte) loading where another
// format does reads as Koala when no picture of a format loading there could be it cut short;
// where one could, the refusal names both. Padding after it is no sound layout.
TEST(PictureFormats, AWholeKoalaLayoutAtAnotherFormatsAddressIsReadOrNamedWithIt) {
    const Bytes koala = koala_format().write({.encoded = marked_image()});
    const auto at = [&](unsigned address, std::size_t extra = 0) {
        Bytes file = koala;
        file[0] = std::uint8_t(address);
        file[1] = std::uint8_t(address >> 8);
        file.resize(file.size() + extra, 14);
        return file;
    };
    const struct {
        const char* what;
        Bytes file;
        const char* extension;
        const char* says; // null: read as Koala
    } rows[] = {
        {"at Doodle's address", at(0x5C00), "", nullptr},
        {"at Doodle's address, named Koala", at(0x5C00), "kla", nullptr},
        {"at Doodle's address, named Doodle", at(0x5C00), "dd", nullptr},
        {"at Doodle's address with a border byte", at(0x5C00, 1), "", nullptr},
        {"at Doodle's address, padded", at(0x5C00, 14), "kla",
         "10017 bytes loading at $5C00: a Doodle picture takes 9218"},
        {"at Advanced Art Studio's address", at(0x2000), "kla",
         "10003 bytes loading at $2000: an Advanced Art Studio picture takes 10018, or it is a "
         "Koala Painter picture, which loads at $6000"},
        {"at Vidcom 64's address", at(0x5800), "",
         "10003 bytes loading at $5800: a Vidcom 64 picture takes 10050, or it is a Koala "
         "Painter picture, which loads at $6000"},
        {"an Advanced Art Studio picture cut short", at(0x2000, 14), "koa",
         "10017 bytes loading at $2000: an Advanced Art Studio picture takes 10018"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const PictureFileRead read = read_picture_file(row.file, row.extension);
        if (!row.says) {
            EXPECT_EQ(name_of(read.format), "Koala Painter") << read.error;
            EXPECT_TRUE(read.image && *read.image == C64Image(marked_image()));
            continue;
        }
        EXPECT_FALSE(read.image) << name_of(read.format);
        EXPECT_EQ(read.error.find(row.says), 0u) << read.error;
        EXPECT_EQ(read.error.find("Koala") != std::string::npos,
                  std::string_view(row.says).find("Koala") != std::string_view::npos)
            << read.error;
    }
}

// Bad files: refused, named by their length and load address and what they were taken for.
TEST(PictureFormats, RefuseHostileLengthsAndAddressesAndSayWhy) {
    const Bytes art_studio = advanced_art_studio_format().write({.encoded = marked_image()});
    const Bytes koala = koala_format().write({.encoded = marked_image()});
    const Bytes amica = amica_paint_format().write({.encoded = marked_image()});
    const Bytes drazpaint = drazpaint_packed_format().write({.encoded = marked_image()});
    Bytes amica_no_end(amica.begin(), amica.end() - 2);
    // A plain byte after the picture's last run, before the end mark.
    Bytes amica_byte_past = {0x00, 0x40};
    for (int run = 0; run < 40; ++run)
        amica_byte_past.insert(amica_byte_past.end(), {0xC2, 0xFF, 0});
    amica_byte_past.insert(amica_byte_past.end(), {0xC2, 57, 0, 0x01, 0xC2, 0x00});
    Bytes amica_past_end = {0x00, 0x40};
    for (int run = 0; run < 41; ++run) amica_past_end.insert(amica_past_end.end(), {0xC2, 0xFF, 0});
    // One byte past the picture, in its last run.
    Bytes amica_one_past = {0x00, 0x40};
    for (int run = 0; run < 40; ++run) amica_one_past.insert(amica_one_past.end(), {0xC2, 0xFF, 0});
    amica_one_past.insert(amica_one_past.end(), {0xC2, 58, 0, 0xC2, 0x00});
    Bytes drazlace = drazpaint;
    std::copy_n("DRAZLACE! 1.0", 13, drazlace.begin() + 2);
    Bytes drazpaint_past_end(drazpaint.begin(), drazpaint.begin() + 16);
    for (int run = 0; run < 40; ++run)
        drazpaint_past_end.insert(drazpaint_past_end.end(), {drazpaint[15], 0, 1});
    Bytes padded_art_studio = art_studio;
    padded_art_studio.push_back(0);
    const struct {
        const char* what;
        Bytes file;
        const char* extension;
        const char* says;
    } rows[] = {
        {"one byte short", Bytes(art_studio.begin(), art_studio.end() - 1), "",
         "10017 bytes loading at $2000: an Advanced Art Studio picture takes 10018"},
        {"one byte long", padded_art_studio, "ocp",
         "10019 bytes loading at $2000: an Advanced Art Studio picture takes 10018"},
        {"Koala named, at Art Studio's address", Bytes(art_studio.begin(), art_studio.end() - 1),
         "koa", "10017 bytes loading at $2000: an Advanced Art Studio picture takes 10018"},
        {"named, at another address", file_at(0x1000, 9000), "ocp",
         "9000 bytes loading at $1000: an Advanced Art Studio picture loads at $2000"},
        {"nearest Artist 64's length of those at $4000", file_at(0x4000, 10241), "",
         "10241 bytes loading at $4000: an Artist 64 picture takes 10242"},
        {"no format's address", file_at(0x1234, 10018), "",
         "10018 bytes loading at $1234: no C64 picture format loads there"},
        {"empty", {}, "", "0 bytes: no C64 picture format"},
        {"one byte", {0x00}, "kla", "1 byte: "},
        {"Koala cut short", Bytes(koala.begin(), koala.begin() + 5000), "",
         "5000 bytes loading at $6000"},
        {"Koala packed, cut in a run", {0x00, 0x60, 0xFE, 0x01}, "gg", "inside a run"},
        {"Paint Magic without its screen", file_at(0x3F8E, 9307), "",
         "9307 bytes loading at $3F8E: a Paint Magic picture takes 9308 to 9332"},
        {"Drazpaint, one byte short", file_at(0x5800, 10050 - 1), "drz",
         "10049 bytes loading at $5800: a Drazpaint picture takes 10051 to 10052"},
        {"Amica without its end mark", amica_no_end, "", "bytes loading at $4000: "},
        {"Amica without its end mark, named", amica_no_end, "ami", "no end mark"},
        {"Amica unpacking too far", amica_past_end, "ami", "goes past the picture's 10257 bytes"},
        {"Amica unpacking a byte too far", amica_one_past, "ami", "a run of 58 bytes goes past"},
        {"Amica with a byte past its picture", amica_byte_past, "ami",
         "the packed data go on past the picture's 10257 bytes"},
        {"Amica ending at once", {0x00, 0x40, 0xC2, 0x00}, "ami", "end after 0 of"},
        {"Drazpaint unpacking too far", drazpaint_past_end, "", "goes past the picture's 10049"},
        {"Drazpaint cut short", Bytes(drazpaint.begin(), drazpaint.end() - 1), "",
         "a packed Drazpaint picture, but the packed data end after"},
        {"interlaced Drazlace", drazlace, "", "interlaced"},
    };
    for (const auto& row : rows) {
        const PictureFileRead read = read_picture_file(row.file, row.extension);
        EXPECT_FALSE(read.image) << row.what;
        EXPECT_NE(read.error.find(row.says), std::string::npos) << row.what << ": " << read.error;
    }
    // Every format's file cut by a byte is refused, never filled in.
    for (const C64PictureFormat* format : c64_picture_formats()) {
        const Bytes file =
            format->writes()
                ? format->write(
                      {.encoded =
                           format->kind() == fmtMulticolor
                               ? C64Image(marked_image())
                               : encode_picture(
                                     *format->kind(),
                                     mode_of(*format->kind()).grid_of(StoredPicture{}.data()), 0)
                                     .image})
                : file_at(format->load_address(), format->length());
        EXPECT_FALSE(format->read(Bytes(file.begin(), file.end() - 1)).image) << format->name();
    }
}
