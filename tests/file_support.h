#pragma once
// Tests of files that need no window: a temporary folder, files written into it and read back,
// images whole and cut short, a home of their own.
#include "c64/render.h"
#include "formats/image_file.h"
#include "tests/c64_support.h"
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <zlib.h>

// Gives the test program a home folder and settings of its own, in a temporary folder that
// goes with it: no test reads or writes a person's own files. Made before the application.
class PrivateHome {
public:
    PrivateHome() {
        QStandardPaths::setTestModeEnabled(true);
        qputenv("HOME", QFile::encodeName(dir_.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir_.filePath(".config")));
    }
    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};

// Root may read and write anywhere: `body` runs on a thread of its own that gives up that right
// (capabilities belong to a thread), as a user's editor would run. False where it cannot.
inline bool without_file_permission_override(const std::function<void()>& body) {
    bool dropped = false;
    std::thread worker([&] {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct data[2]{};
        if (syscall(SYS_capget, &header, data) != 0) return;
        data[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        if (syscall(SYS_capset, &header, data) != 0) return;
        dropped = true;
        body();
    });
    worker.join();
    return dropped;
}

// A GIF's signature and the size of its logical screen.
inline std::vector<std::uint8_t> gif_start(int width, int height) {
    std::vector<std::uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a'};
    for (int side : {width, height})
        gif.insert(gif.end(), {std::uint8_t(side), std::uint8_t(side >> 8)});
    return gif;
}

// One white pixel at the top left of a screen of the given size, which a GIF's image need not
// fill.
inline std::vector<std::uint8_t> white_dot_gif(int width, int height) {
    std::vector<std::uint8_t> gif = gif_start(width, height);
    gif.insert(gif.end(), {0x80, 0, 0, 0, 0, 0, 255, 255, 255,  0x2C, 0, 0,   0,
                           0,    1, 0, 1, 0, 0, 2,   2,   0x4C, 0x01, 0, 0x3B});
    return gif;
}

// A GIF in 128 greys whose codes take one byte each: a clear code before every 120 pixels keeps
// them at 8 bits (Qt writes no GIF).
inline std::vector<std::uint8_t> gif_of_greys(int width, int height) {
    std::vector<std::uint8_t> gif = gif_start(width, height);
    gif.insert(gif.end(), {0x86, 0, 0});
    for (int grey = 0; grey < 128; ++grey) gif.insert(gif.end(), 3, std::uint8_t(grey * 2));
    gif.insert(gif.end(), {0x2C, 0, 0, 0, 0, std::uint8_t(width), std::uint8_t(width >> 8),
                           std::uint8_t(height), std::uint8_t(height >> 8), 0, 7});
    std::vector<std::uint8_t> codes;
    for (int pixel = 0; pixel < width * height; ++pixel) {
        if (pixel % 120 == 0) codes.push_back(128); // clear
        codes.push_back(std::uint8_t((pixel % width + pixel / width) % 128));
    }
    codes.push_back(129); // the end of the data
    for (std::size_t at = 0; at < codes.size(); at += 255) {
        const std::size_t length = std::min<std::size_t>(255, codes.size() - at);
        gif.push_back(std::uint8_t(length));
        gif.insert(gif.end(), codes.begin() + std::ptrdiff_t(at),
                   codes.begin() + std::ptrdiff_t(at + length));
    }
    gif.insert(gif.end(), {0, 0x3B});
    return gif;
}

// A GIF or a JPEG image (by the name's extension) of 160 x 100 pixels, cut off half-way as a
// broken download leaves it.
inline std::vector<std::uint8_t> cut_image(const QString& name) {
    std::vector<std::uint8_t> bytes;
    if (name.endsWith(".gif")) {
        bytes = gif_of_greys(160, 100);
    } else {
        QImage image(160, 100, QImage::Format_RGB32);
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 160; ++x) image.setPixel(x, y, qRgb(x, y * 2, (x * y) % 256));
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "JPEG");
        bytes.assign(buffer.data().begin(), buffer.data().end());
    }
    bytes.resize(bytes.size() / 2);
    return bytes;
}

// Writes `bytes` to the file at `path`, and gives back its path.
inline QString write_file(const QString& path, const std::vector<std::uint8_t>& bytes) {
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
    return path;
}

// A temporary folder for the test's files.
struct FileTest : ::testing::Test {
    QTemporaryDir dir;

    QString path(const QString& name) const { return dir.filePath(name); }
    QString write(const QString& name, const std::vector<std::uint8_t>& bytes) const {
        return write_file(path(name), bytes);
    }
    QString write_png(const QString& name, const RgbImage& image) const {
        to_qimage(image).save(path(name), "PNG");
        return path(name);
    }
    QString write_cut_image(const QString& name) const { return write(name, cut_image(name)); }
    static std::vector<std::uint8_t> read(const QString& name) {
        QFile file(name);
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        return {bytes.begin(), bytes.end()};
    }
};

// A PNG whose every row is `row` (with its filter byte), written here since Qt would take
// seconds to write a large one.
inline std::vector<std::uint8_t> png_of_rows(int width, int height, std::uint8_t bit_depth,
                                             std::uint8_t colour_type,
                                             const std::vector<std::uint8_t>& row) {
    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    auto put32 = [](std::vector<std::uint8_t>& out, std::uint32_t value) {
        for (int shift = 24; shift >= 0; shift -= 8) out.push_back(std::uint8_t(value >> shift));
    };
    auto chunk = [&](const char* type, const std::vector<std::uint8_t>& data) {
        put32(png, std::uint32_t(data.size()));
        const std::size_t start = png.size();
        png.insert(png.end(), type, type + 4);
        png.insert(png.end(), data.begin(), data.end());
        put32(png, std::uint32_t(crc32(0, png.data() + start, uInt(png.size() - start))));
    };
    std::vector<std::uint8_t> header;
    put32(header, std::uint32_t(width));
    put32(header, std::uint32_t(height));
    header.insert(header.end(), {bit_depth, colour_type, 0, 0, 0});
    chunk("IHDR", header);
    z_stream stream{};
    deflateInit(&stream, 1);
    std::vector<std::uint8_t> data(row.size() + 1024);
    std::vector<std::uint8_t> compressed;
    for (int y = 0; y < height; ++y) {
        stream.next_in = const_cast<std::uint8_t*>(row.data());
        stream.avail_in = uInt(row.size());
        do {
            stream.next_out = data.data();
            stream.avail_out = uInt(data.size());
            deflate(&stream, y + 1 == height ? Z_FINISH : Z_NO_FLUSH);
            compressed.insert(compressed.end(), data.data(), stream.next_out);
        } while (stream.avail_out == 0);
    }
    deflateEnd(&stream);
    chunk("IDAT", compressed);
    chunk("IEND", {});
    return png;
}

// A PNG of 16 bits a channel in one colour.
inline std::vector<std::uint8_t> png_16bit(int width, int height, std::uint16_t red,
                                           std::uint16_t green, std::uint16_t blue) {
    std::vector<std::uint8_t> row = {0}; // no filter
    for (int x = 0; x < width; ++x)
        for (std::uint16_t channel : {red, green, blue})
            row.insert(row.end(), {std::uint8_t(channel >> 8), std::uint8_t(channel)});
    return png_of_rows(width, height, 16, 2, row); // 16-bit RGB
}

// A black PNG of one bit a pixel.
inline std::vector<std::uint8_t> black_png(int width, int height) {
    std::vector<std::uint8_t> row(std::size_t(1 + (width + 7) / 8), 0); // no filter, black
    return png_of_rows(width, height, 1, 0, row);                       // 1-bit grey
}

// How far, in MiB, the memory in use rose at its highest while `body` ran, measured in a child
// process of its own so that nothing else counts. -1 when the child failed or took over 20 s.
inline long peak_growth_mib(const std::function<void()>& body) {
    int result[2];
    if (::pipe(result) != 0) return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        rusage before{}, after{};
        ::getrusage(RUSAGE_SELF, &before);
        body();
        ::getrusage(RUSAGE_SELF, &after);
        const long grew = (after.ru_maxrss - before.ru_maxrss) >> 10;
        [[maybe_unused]] const ssize_t wrote = ::write(result[1], &grew, sizeof grew);
        ::_exit(0);
    }
    ::close(result[1]);
    long grew = -1;
    pollfd ready{result[0], POLLIN, 0};
    if (::poll(&ready, 1, 20000) == 1 && ::read(result[0], &grew, sizeof grew) != sizeof grew)
        grew = -1;
    ::close(result[0]);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    return grew;
}

inline PictureBytes some_picture(unsigned seed, std::uint8_t background = 0) {
    std::mt19937 random(seed);
    return random_encodable_picture(random, background);
}
