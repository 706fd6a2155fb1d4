#include "c64/fli_prg.h"
#include "c64/prg.h"
#include "fli_viewer_program.h"
#include <algorithm>
#include <iterator>

namespace {

constexpr std::size_t kScreenStride = 0x400;

constexpr std::size_t file_offset(std::uint16_t address) { return address - kPrgLoadAddress + 2; }

static_assert(fli_viewer::program[0] == (kPrgLoadAddress & 0xFF) &&
              fli_viewer::program[1] == kPrgLoadAddress >> 8);
static_assert(file_offset(fli_viewer::background) == std::size(fli_viewer::program),
              "the picture follows the viewer's code");

std::vector<std::uint8_t> program_for(const FliImage& image, std::uint8_t control2) {
    std::vector<std::uint8_t> file(file_offset(fli_viewer::bitmap) + kBitmapBytes);
    std::copy(std::begin(fli_viewer::program), std::end(fli_viewer::program), file.begin());
    file[file_offset(fli_viewer::background)] = image.backgrounds[0] & 0x0F;
    file[file_offset(fli_viewer::control2)] = control2;
    std::copy(image.color.begin(), image.color.end(),
              file.begin() + file_offset(fli_viewer::colour_data));
    for (std::size_t n = 0; n < image.screens.size(); ++n)
        std::copy(image.screens[n].begin(), image.screens[n].end(),
                  file.begin() + file_offset(fli_viewer::screens) + n * kScreenStride);
    std::copy(image.bitmap.begin(), image.bitmap.end(),
              file.begin() + file_offset(fli_viewer::bitmap));
    return file;
}

} // namespace

std::vector<std::uint8_t> write_fli_prg(const FliImage& image) {
    return program_for(image, kMulticolourControl2);
}

// Colour RAM and the background play no part in hires: the border is black.
std::vector<std::uint8_t> write_afli_prg(const AfliImage& image) {
    return program_for({.bitmap = image.bitmap, .screens = image.screens}, kHiresControl2);
}
