#include "storage/vxr_codec.h"
#include <filesystem>
#include <fstream>

constexpr std::uint8_t kCR = 0x0D, kLF = 0x0A, kEnd = 0x1A;

std::vector<std::uint8_t> encode_vxr(const std::uint8_t* picture, std::size_t size) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(size * 2);
    for (std::size_t i = 0; i < size; ++i) {
        if (picture[i] == kLF) bytes.push_back(kCR);
        bytes.push_back(picture[i]);
    }
    return bytes;
}

void VxrReader::take(std::uint8_t byte) {
    out_[taken_++] = byte & 0x0F;
    if (taken_ == capacity_) done_ = true;
}

bool VxrReader::feed(const std::uint8_t* data, std::size_t size) {
    for (std::size_t i = 0; i < size && !done_; ++i) {
        const std::uint8_t byte = data[i];
        if (pending_cr_) {
            pending_cr_ = false;
            if (byte != kLF) {
                take(kCR);
                if (done_) break;
            }
        }
        if (byte == kEnd) {
            done_ = true;
        } else if (byte == kCR) {
            pending_cr_ = true;
        } else {
            take(byte);
        }
    }
    return !done_;
}

void VxrReader::finish() {
    if (pending_cr_ && !done_) take(kCR);
    pending_cr_ = false;
    done_ = true;
}

bool load_vxr_file(const std::string& path, std::uint8_t* picture, std::size_t capacity) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) return false;
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    VxrReader reader(picture, capacity);
    char chunk[8192];
    while (!reader.done() && file) {
        file.read(chunk, sizeof chunk);
        reader.feed(reinterpret_cast<const std::uint8_t*>(chunk), std::size_t(file.gcount()));
    }
    reader.finish();
    return true;
}
