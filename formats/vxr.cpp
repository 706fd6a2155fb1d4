// Vexlor's own picture file: the reader, the writer and its row of the table.
#include "formats/vxr.h"
#include "formats/regular_file.h"
#include "formats/rows.h"
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <unistd.h>

constexpr std::uint8_t kCR = 0x0D, kLF = 0x0A, kEnd = 0x1A;

std::vector<std::uint8_t> encode_vxr(ConstPixelGrid picture) {
    const std::size_t size = std::size_t(picture.width) * std::size_t(picture.height);
    std::vector<std::uint8_t> bytes;
    bytes.reserve(size * 2);
    for (std::size_t i = 0; i < size; ++i) {
        if (picture.pixels[i] == kLF) bytes.push_back(kCR);
        bytes.push_back(picture.pixels[i]);
    }
    return bytes;
}

void VxrReader::take(std::uint8_t byte) {
    out_[taken_++] = byte & 0x0F;
    if (taken_ == capacity_) done_ = true;
}

constexpr std::size_t kBlock = 32;

// A block without 0x0D and 0x1A goes across whole; written so that it compiles to vector steps.
static bool plain_block(const std::uint8_t* in) {
    unsigned special = 0;
    for (std::size_t k = 0; k < kBlock; ++k)
        special |= unsigned(in[k] == kCR) | unsigned(in[k] == kEnd);
    return special == 0;
}

static void copy_block(std::uint8_t* out, const std::uint8_t* in) {
    std::uint8_t block[kBlock];
    std::memcpy(block, in, kBlock);
    for (std::uint8_t& byte : block) byte &= 0x0F;
    std::memcpy(out, block, kBlock);
}

// Every byte is stored and the count moves on unless the byte is a 0x0D before a 0x0A: no
// branch on the data but the end marker. A 0x0D at the end of one read waits for the next.
bool VxrReader::feed(const std::uint8_t* data, std::size_t size) {
    if (done_ || size == 0) return !done_;
    if (pending_cr_) {
        pending_cr_ = false;
        if (data[0] != kLF) take(kCR);
        if (done_) return false;
    }
    std::uint8_t* const out = out_;
    std::size_t taken = taken_, i = 0;
    while (i + 1 < size && taken < capacity_ && !done_) {
        if (i + kBlock < size && capacity_ - taken >= kBlock && plain_block(data + i)) {
            copy_block(out + taken, data + i);
            taken += kBlock;
            i += kBlock;
            continue;
        }
        // A block with a special byte goes byte by byte; the last byte of the data waits.
        for (const std::size_t stop = std::min(size - 1, i + kBlock); i < stop && taken < capacity_;
             ++i) {
            const std::uint8_t byte = data[i];
            if (byte == kEnd) {
                done_ = true;
                break;
            }
            out[taken] = byte & 0x0F;
            taken += !(byte == kCR && data[i + 1] == kLF);
        }
    }
    taken_ = taken;
    if (!done_ && i + 1 == size && taken_ < capacity_) {
        const std::uint8_t last = data[i];
        if (last == kEnd)
            done_ = true;
        else if (last == kCR)
            pending_cr_ = true;
        else
            take(last);
    }
    if (taken_ == capacity_) done_ = true;
    return !done_;
}

void VxrReader::finish() {
    if (pending_cr_ && !done_) take(kCR);
    pending_cr_ = false;
    done_ = true;
    std::fill(out_ + taken_, out_ + capacity_, std::uint8_t(0));
}

bool load_vxr_file(const std::string& path, PixelGrid picture, std::size_t* taken) {
    const int fd = open_regular_file(path).fd;
    if (fd < 0) return false;
    VxrReader reader(picture);
    // One read takes a whole file of an ordinary size; larger ones are read no further than needed.
    constexpr std::size_t kChunk = 65536;
    const std::unique_ptr<std::uint8_t[]> chunk(new std::uint8_t[kChunk]);
    while (!reader.done()) {
        const ssize_t got = ::read(fd, chunk.get(), kChunk);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        reader.feed(chunk.get(), std::size_t(got));
    }
    reader.finish();
    ::close(fd);
    if (taken) *taken = reader.taken();
    return true;
}

namespace {

class VexlorFormat : public FileFormat {
public:
    using FileFormat::FileFormat;
    // The file holds a multicolour picture, 160 x 200.
    std::vector<std::uint8_t> write(const PictureToWrite& picture) const override {
        require_size(picture.pixels, kPictureColumns, kPictureRows, "the Vexlor file");
        return encode_vxr(picture.pixels);
    }
};

} // namespace

// The file dialogs' filter is the one the editor has always had: "Vexlor file|*.vxr|...".
const FileFormat& vexlor_format() {
    static const VexlorFormat format({.name = "Vexlor",
                                      .extensions = {"vxr"},
                                      .offered = {Command::Open, Command::Save},
                                      .filter_name = "Vexlor file",
                                      .holds = Holds::Pixels});
    return format;
}
