#include "formats/vxr.h"
#include "tests/fifo_deadline.h"
#include <array>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Picture = std::array<std::uint8_t, 32000>;
namespace fs = std::filesystem;

struct Files : ::testing::Test {
    fs::path dir;
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("vexlor-codec-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const fs::path path = dir / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path.string();
    }
    static Picture load(const std::vector<std::uint8_t>& bytes, std::uint8_t previous = 9) {
        Picture picture;
        picture.fill(previous);
        VxrReader reader(grid_over(picture, 160, 200));
        reader.feed(bytes.data(), bytes.size());
        reader.finish();
        return picture;
    }
};

} // namespace

TEST_F(Files, AnAllZeroPictureIsExactly32000ZeroBytes) {
    Picture picture{};
    EXPECT_EQ(encode_vxr(grid_over(picture, 160, 200)), std::vector<std::uint8_t>(32000, 0));
}

TEST_F(Files, EveryTenIsStoredAsCarriageReturnLineFeed) {
    Picture picture;
    picture.fill(10);
    const auto bytes = encode_vxr(grid_over(picture, 160, 200));
    ASSERT_EQ(bytes.size(), 64000u);
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        ASSERT_EQ(bytes[i], 0x0D);
        ASSERT_EQ(bytes[i + 1], 0x0A);
    }
    EXPECT_EQ(load(bytes), picture);
}

TEST_F(Files, ThirteenBeforeTenIsStoredAsThreeBytesAndComesBack) {
    Picture picture{};
    picture[0] = 13, picture[1] = 10, picture[2] = 13, picture[31999] = 13;
    const auto bytes = encode_vxr(grid_over(picture, 160, 200));
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 4),
              (std::vector<std::uint8_t>{0x0D, 0x0D, 0x0A, 0x0D}));
    EXPECT_EQ(load(bytes), picture);
}

TEST_F(Files, EveryPictureOfColourIndicesComesBackFromItsFile) {
    std::mt19937 random(20261207);
    for (int round = 0; round < 200; ++round) {
        Picture picture;
        // Mostly 10 and 13 in some rounds, to meet their pairs often.
        const bool newlines = round % 2 == 0;
        for (auto& byte : picture)
            byte = newlines ? std::uint8_t(random() % 3 == 0 ? 13
                                           : random() % 2    ? 10
                                                             : random() % 16)
                            : std::uint8_t(random() % 16);
        const std::string path = write("random.vxr", encode_vxr(grid_over(picture, 160, 200)));
        Picture loaded{};
        ASSERT_TRUE(load_vxr_file(path, grid_over(loaded, 160, 200)));
        ASSERT_EQ(loaded, picture) << "round " << round;
    }
}

TEST_F(Files, ALongerFileFillsThePictureWithItsFirstBytes) {
    std::vector<std::uint8_t> bytes(40000);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = std::uint8_t(i % 7 == 3 ? 11 : i % 9);
    const Picture picture = load(bytes);
    for (std::size_t i = 0; i < picture.size(); ++i) ASSERT_EQ(picture[i], bytes[i]);
}

// What a short file does not hold becomes colour 0: no part of the picture before stays.
TEST_F(Files, AShortFileFillsTheRestWithColourZero) {
    std::vector<std::uint8_t> bytes(100, 4);
    Picture picture;
    picture.fill(9);
    std::size_t taken = 0;
    ASSERT_TRUE(load_vxr_file(write("short.vxr", bytes), grid_over(picture, 160, 200), &taken));
    EXPECT_EQ(taken, 100u);
    for (int i = 0; i < 100; ++i) ASSERT_EQ(picture[i], 4);
    for (int i = 100; i < 32000; ++i) ASSERT_EQ(picture[i], 0);
}

TEST_F(Files, SubstituteByteEndsTheData) {
    std::vector<std::uint8_t> bytes(200, 3);
    bytes[50] = 0x1A;
    const Picture picture = load(bytes);
    EXPECT_EQ(picture[49], 3);
    EXPECT_EQ(picture[50], 0);
    EXPECT_EQ(picture[150], 0);
}

TEST_F(Files, ALoneCarriageReturnPasses) {
    const Picture picture = load({0x0D, 5, 0x0D, 0x0D, 0x0A, 0x0D, 0x1A, 7});
    EXPECT_EQ(std::vector<std::uint8_t>(picture.begin(), picture.begin() + 6),
              (std::vector<std::uint8_t>{13, 5, 13, 10, 13, 0}));
    EXPECT_EQ(load({1, 0x0D})[1], 13); // at the very end of the file
}

TEST_F(Files, CarriageReturnSplitAcrossReadsIsStillPaired) {
    Picture picture;
    picture.fill(9);
    VxrReader reader(grid_over(picture, 160, 200));
    const std::uint8_t first[] = {2, 0x0D}, second[] = {0x0A, 3};
    reader.feed(first, 2);
    reader.feed(second, 2);
    reader.finish();
    EXPECT_EQ(reader.taken(), 3u);
    EXPECT_EQ(picture[1], 10);
    EXPECT_EQ(picture[2], 3);
}

TEST_F(Files, BytesAboveFifteenKeepTheirLowFourBits) {
    const Picture picture = load({0x10, 0x2F, 0xFF, 0x1B, 0x8A});
    EXPECT_EQ(std::vector<std::uint8_t>(picture.begin(), picture.begin() + 5),
              (std::vector<std::uint8_t>{0, 15, 15, 11, 10}));
}

// Once the picture is full the reader says so, whatever the data still holds: that is what
// ends the reading of an endless file.
TEST_F(Files, TheReaderReportsItselfFullAtThePicturesEnd) {
    Picture picture{};
    VxrReader reader(grid_over(picture, 160, 200));
    const std::vector<std::uint8_t> data(20000, 3);
    EXPECT_TRUE(reader.feed(data.data(), data.size()));
    EXPECT_FALSE(reader.done());
    EXPECT_FALSE(reader.feed(data.data(), data.size()));
    EXPECT_TRUE(reader.done());
    EXPECT_EQ(reader.taken(), picture.size());
    EXPECT_FALSE(reader.feed(data.data(), data.size()));

    VxrReader exact(grid_over(picture, 160, 200));
    const std::vector<std::uint8_t> whole(32000, 4);
    EXPECT_FALSE(exact.feed(whole.data(), whole.size()));
    EXPECT_TRUE(exact.done());
}

TEST_F(Files, AnEmptyFileGivesAnEmptyPicture) {
    Picture picture;
    picture.fill(6);
    ASSERT_TRUE(load_vxr_file(write("empty.vxr", {}), grid_over(picture, 160, 200)));
    for (auto byte : picture) ASSERT_EQ(byte, 0);
}

TEST_F(Files, WhatCannotBeOpenedLeavesThePictureAlone) {
    Picture picture;
    picture.fill(6);
    EXPECT_FALSE(load_vxr_file(dir.string(), grid_over(picture, 160, 200)));
    EXPECT_FALSE(load_vxr_file((dir / "missing.vxr").string(), grid_over(picture, 160, 200)));
    for (auto byte : picture) ASSERT_EQ(byte, 6);
}

TEST_F(Files, AHugeFileIsReadOnlyAsFarAsThePictureReaches) {
    std::vector<std::uint8_t> bytes(5'000'000, 0x0D); // each a lone 0x0D
    const std::string path = write("huge.vxr", bytes);
    Picture picture{};
    ASSERT_TRUE(load_vxr_file(path, grid_over(picture, 160, 200)));
    for (auto byte : picture) ASSERT_EQ(byte, 13);
}

TEST_F(Files, AVastFileCostsNoMoreThanANormalOne) {
    const std::string path = write("vast.vxr", {});
    fs::resize_file(path, std::uintmax_t(1) << 40); // a terabyte of zeros, sparse on disk
    Picture picture;
    picture.fill(6);
    ASSERT_TRUE(load_vxr_file(path, grid_over(picture, 160, 200)));
    for (auto byte : picture) ASSERT_EQ(byte, 0);
}

// A pipe or a device would block the editor on open or read; it is refused at once.
TEST_F(Files, WhatIsNotARegularFileIsRefusedWithoutWaiting) {
    const std::string fifo = (dir / "pipe.vxr").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    Picture picture;
    picture.fill(6);
    auto load_without_waiting = [&] {
        FifoDeadline deadline(fifo);
        EXPECT_FALSE(load_vxr_file(fifo, grid_over(picture, 160, 200)));
        EXPECT_FALSE(deadline.had_to_step_in()) << "the load waited on the pipe";
    };
    load_without_waiting();                                       // no writer
    const int writer = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK); // a writer that never writes
    ASSERT_GE(writer, 0);
    load_without_waiting();
    ::close(writer);
    EXPECT_FALSE(load_vxr_file("/dev/zero", grid_over(picture, 160, 200)));
    EXPECT_FALSE(load_vxr_file("/dev/null", grid_over(picture, 160, 200)));
    for (auto byte : picture) ASSERT_EQ(byte, 6);
}
