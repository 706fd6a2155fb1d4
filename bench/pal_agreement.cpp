// How close Vexlor's PAL display comes to an emulator's: scripts/pal-vs-vice.sh runs it.
//
//   vexlor_pal_agreement line-pairs OUT.png PALETTE
//       writes a 320 x 200 image of every pair of C64 colours on alternating lines, in PALETTE
//       (vexlor, pepto, colodore, vice), for the converter to make a picture of
//   vexlor_pal_agreement compare VEXLOR.png EMULATOR_PAL.png EMULATOR_PLAIN.png
//       prints the mean CIEDE2000 difference between Vexlor's 320 x 200 PAL rendering and the
//       display window of the emulator's PAL frame, and between the emulator's PAL frame and its
//       plain one
#include "colour/color_difference.h"
#include "colour/palettes.h"
#include "picture/picture.h"
#include <QImage>
#include <QString>
#include <cstdio>
#include <map>

namespace {

// The emulator's 384 x 272 frame shows the picture from here.
constexpr int kWindowLeft = 32, kWindowTop = 35, kWidth = 320, kHeight = 200;

// Blocks of 2 x 2 cells, each holding one pair on alternating lines, 20 to a row of blocks.
int line_pairs(const QString& path, PaletteId palette) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    const Palette& colors = palette_colors(palette);
    int block = 0;
    for (std::uint8_t first = 0; first < 16; ++first)
        for (std::uint8_t second = first + 1; second < 16; ++second, ++block) {
            const int left = block % 20 * 16, top = block / 20 * 16;
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x) {
                    const TColor color = colors[vexlor_color_index(y % 2 ? second : first)];
                    image.setPixel(
                        left + x, top + y,
                        qRgb(int(RedOf(color)), int(GreenOf(color)), int(BlueOf(color))));
                }
        }
    return image.save(path) ? 0 : 1;
}

LabC lab_at(const QImage& image, int x, int y) {
    const QRgb rgb = image.pixel(x, y);
    return with_chroma(
        lab_from_rgb(unsigned(qRed(rgb)), unsigned(qGreen(rgb)), unsigned(qBlue(rgb))));
}

double mean_difference(const QImage& a, int ax, int ay, const QImage& b, int bx, int by) {
    double sum = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            sum += color_difference(lab_at(a, ax + x, ay + y), lab_at(b, bx + x, by + y));
    return sum / (kWidth * kHeight);
}

int compare(const QString& vexlor, const QString& pal, const QString& plain) {
    const QImage ours(vexlor), theirs(pal), unfiltered(plain);
    if (ours.width() < kWidth || ours.height() < kHeight || theirs.width() < kWindowLeft + kWidth ||
        theirs.height() < kWindowTop + kHeight || unfiltered.size() != theirs.size()) {
        std::fprintf(stderr, "pal_agreement: the images are not 320 x 200 and two frames\n");
        return 1;
    }
    std::printf(
        "vexlor-vs-pal %.2f  pal-vs-plain %.2f\n",
        mean_difference(ours, 0, 0, theirs, kWindowLeft, kWindowTop),
        mean_difference(theirs, kWindowLeft, kWindowTop, unfiltered, kWindowLeft, kWindowTop));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::map<QString, PaletteId> palettes = {{"vexlor", PaletteId::Vexlor},
                                                   {"pepto", PaletteId::Pepto},
                                                   {"colodore", PaletteId::Colodore},
                                                   {"vice", PaletteId::ViceColodore}};
    const QString command = argc > 1 ? argv[1] : "";
    if (command == "line-pairs" && argc == 4 && palettes.count(argv[3]))
        return line_pairs(argv[2], palettes.at(argv[3]));
    if (command == "compare" && argc == 5) return compare(argv[2], argv[3], argv[4]);
    std::fprintf(stderr, "usage: vexlor_pal_agreement line-pairs OUT.png PALETTE\n"
                         "       vexlor_pal_agreement compare VEXLOR.png PAL.png PLAIN.png\n");
    return 1;
}
