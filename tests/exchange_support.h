#pragma once
// The import and export tests' fixture: a temporary folder, messages and questions caught,
// file dialogs answered from the queue.
#include "c64/prg.h"
#include "c64/render.h"
#include "exchange/import_dialog.h"
#include "exchange/picture_export.h"
#include "exchange/picture_import.h"
#include "exchange/png_options_dialog.h"
#include "formats/image_file.h"
#include "formats/koala.h"
#include "formats/png.h"
#include "tests/c64_support.h"
#include "tests/gui_support.h"
#include <QApplication>
#include <QBuffer>
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

// A GIF in 128 greys whose codes take one byte each: a clear code before every 120 pixels keeps
// them at 8 bits (Qt writes no GIF).
inline std::vector<std::uint8_t> gif_of_greys(int width, int height) {
    std::vector<std::uint8_t> gif = {'G',
                                     'I',
                                     'F',
                                     '8',
                                     '9',
                                     'a',
                                     std::uint8_t(width),
                                     std::uint8_t(width >> 8),
                                     std::uint8_t(height),
                                     std::uint8_t(height >> 8),
                                     0x86,
                                     0,
                                     0};
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

struct Exchange : ::testing::Test {
    QTemporaryDir dir;
    QStringList errors, questions;
    bool answer_yes = true;
    PictureBytes picture;
    std::uint8_t background = 0;
    std::uint8_t format = fmtMulticolor; // the editor's mode, as an import finds and leaves it
    TOpenDialog open_dialog;
    TSaveDialog save_dialog;

    void SetUp() override {
        picture.fill(9);
        SetErrorMessageDisplay([this](const QString&, const QString& text) { errors << text; });
        SetQuestionDisplay([this](const QString&, const QString& text) {
            questions << text;
            return answer_yes;
        });
    }
    void TearDown() override {
        SetErrorMessageDisplay(nullptr);
        SetQuestionDisplay(nullptr);
        TFileDialog::DropAnswers();
    }

    QString path(const QString& name) const { return dir.filePath(name); }
    QString write(const QString& name, const std::vector<std::uint8_t>& bytes) const {
        QFile file(path(name));
        file.open(QIODevice::WriteOnly);
        file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
        return path(name);
    }
    QString write_png(const QString& name, const RgbImage& image) const {
        to_qimage(image).save(path(name), "PNG");
        return path(name);
    }
    // A GIF or a JPEG image (by the name's extension) of 160 x 100 pixels, cut off half-way
    // as a broken download leaves it.
    QString write_cut_image(const QString& name) const {
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
        return write(name, bytes);
    }
    static std::vector<std::uint8_t> read(const QString& name) {
        QFile file(name);
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        return {bytes.begin(), bytes.end()};
    }

    bool import(const QString& file) {
        TFileDialog::QueueAnswer(file);
        return import_picture(open_dialog, picture.data(), background, format);
    }
    // Imports, refused: the picture stays and the message names the file and the reason.
    void expect_refused(const QString& file, const QString& reason) {
        const PictureBytes before = picture;
        errors.clear();
        EXPECT_FALSE(import(file));
        EXPECT_EQ(picture, before);
        ASSERT_EQ(errors.size(), 1) << file.toStdString();
        EXPECT_TRUE(errors[0].contains(file)) << errors[0].toStdString();
        EXPECT_TRUE(errors[0].contains(reason)) << errors[0].toStdString();
    }
};

// A PNG of 16 bits a channel in one colour, written here since Qt would take seconds to.
inline std::vector<std::uint8_t> png_16bit(int width, int height, std::uint16_t red,
                                           std::uint16_t green, std::uint16_t blue) {
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
    header.insert(header.end(), {16, 2, 0, 0, 0}); // 16-bit RGB
    chunk("IHDR", header);
    std::vector<std::uint8_t> row = {0}; // no filter
    for (int x = 0; x < width; ++x)
        for (std::uint16_t channel : {red, green, blue})
            row.insert(row.end(), {std::uint8_t(channel >> 8), std::uint8_t(channel)});
    z_stream stream{};
    deflateInit(&stream, 1);
    std::vector<std::uint8_t> data(row.size() + 1024);
    std::vector<std::uint8_t> compressed;
    for (int y = 0; y < height; ++y) {
        stream.next_in = row.data();
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

// Runs `answer` on the conversion dialog once it is up.
inline void when_import_dialog(std::function<void(ImportDialog&)> answer) {
    WhenModal([answer] {
        auto* dialog = qobject_cast<ImportDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        answer(*dialog);
    });
}

inline void press(QDialogButtonBox* buttons, QDialogButtonBox::StandardButton which) {
    QTest::mouseClick(buttons->button(which), Qt::LeftButton);
}
