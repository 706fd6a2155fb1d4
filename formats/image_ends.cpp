#include "formats/image_ends.h"
#include <array>

namespace {

// The file a byte at a time, read a block at a time; -1 once it has ended.
class Bytes {
public:
    explicit Bytes(const ReadBytes& read) : read_(read) {}

    int next() {
        if (at_ == size_) {
            size_ = read_(block_.data(), block_.size());
            at_ = 0;
            if (size_ == 0) return -1;
        }
        return block_[at_++];
    }
    // False when the file ends first.
    bool skip(std::size_t count) {
        for (; count > 0; --count)
            if (next() < 0) return false;
        return true;
    }
    int next_word() { // big-endian, as JPEG stores its lengths
        const int high = next(), low = next();
        return high < 0 || low < 0 ? -1 : high << 8 | low;
    }

private:
    const ReadBytes& read_;
    std::array<std::uint8_t, 65536> block_{};
    std::size_t at_ = 0, size_ = 0;
};

// A GIF's data sub-blocks: each a length byte and that many bytes, up to a length of 0.
bool gif_sub_blocks(Bytes& bytes) {
    for (;;) {
        const int length = bytes.next();
        if (length <= 0) return length == 0;
        if (!bytes.skip(std::size_t(length))) return false;
    }
}

// The size of a colour table that the flags byte announces, in bytes.
std::size_t gif_table_bytes(int flags) { return flags & 0x80 ? 3u << ((flags & 0x07) + 1) : 0; }

bool whole_gif(Bytes& bytes) {
    std::array<int, 13> head{}; // the signature and the logical screen
    for (int& byte : head)
        if ((byte = bytes.next()) < 0) return false;
    if (!bytes.skip(gif_table_bytes(head[10]))) return false;
    for (;;) {
        switch (bytes.next()) {
        case 0x21: // an extension: its label, then its sub-blocks
            if (bytes.next() < 0 || !gif_sub_blocks(bytes)) return false;
            break;
        case 0x2C: { // an image: position and size, flags, colour table, code size, data
            if (!bytes.skip(8)) return false;
            const int flags = bytes.next();
            if (flags < 0 || !bytes.skip(gif_table_bytes(flags) + 1)) return false;
            return gif_sub_blocks(bytes);
        }
        default: // the trailer before any image, an unknown block or the end of the file
            return false;
        }
    }
}

// The next marker's code, past any bytes before it (which libjpeg skips too); -1 at the end.
int next_marker(Bytes& bytes) {
    int byte = 0;
    while (byte >= 0 && byte != 0xFF) byte = bytes.next();
    while (byte == 0xFF) byte = bytes.next();
    return byte;
}

// Past a start-of-scan segment's entropy-coded data, where 0xFF is followed by 0x00 (a stuffed
// byte) or a restart marker, to the marker that ends it: its code, or -1 at the end.
int marker_after_scan(Bytes& bytes) {
    for (;;) {
        const int marker = next_marker(bytes);
        if (marker != 0x00 && (marker < 0xD0 || marker > 0xD7)) return marker;
    }
}

bool whole_jpeg(Bytes& bytes) {
    if (bytes.next() != 0xFF || bytes.next() != 0xD8) return false;
    for (int marker = next_marker(bytes); marker >= 0;) {
        if (marker == 0xD9) return true; // the end of the image
        const bool standalone = marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
        if (!standalone) {
            const int length = bytes.next_word();
            if (length < 2 || !bytes.skip(std::size_t(length - 2))) return false;
        }
        marker = marker == 0xDA ? marker_after_scan(bytes) : next_marker(bytes);
    }
    return false;
}

} // namespace

bool holds_whole_image(ImageKind kind, const ReadBytes& read) {
    Bytes bytes(read);
    return kind == ImageKind::Gif ? whole_gif(bytes) : whole_jpeg(bytes);
}
