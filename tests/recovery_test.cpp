// The recovery copy: what a start does with each kind of copy it finds, and the keeper's round.
#include "modes/mode.h"
#include "platform/common_dialogs.h"
#include "recovery/recovery_keeper.h"
#include "tests/gui_support.h"
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

namespace {

// The page shown and its reference image, with no spare page.
RecoveryCopy one_page() {
    RecoveryCopy copy;
    for (std::size_t i = 0; i < std::size_t(kPictureBytes); ++i)
        copy.pixels[i] = std::uint8_t(i % 7);
    copy.background = 6;
    copy.mode = fmtFli;
    copy.changed = true;
    copy.kept_at = 1'700'000'000;
    copy.file = "/home/user/wizard.vxr";
    return copy;
}

// Page 2 shown, page 1 spare, each with a reference image and sprites of its own.
RecoveryCopy some_copy() {
    RecoveryCopy copy = one_page();
    copy.page_shown = 2;
    copy.sprites = {.sprites = {Sprite{.x = -7, .y = 180, .colour = 9, .multicolour = true},
                                Sprite{.x = 300, .y = 3, .expand_x = true, .behind = true}},
                    .shared_colour0 = 4,
                    .shared_colour1 = 15};
    copy.sprites.sprites[0].data.fill(0xC3);
    RgbImage rgb{kPictureColumns, kPictureRows, std::vector<std::uint8_t>(kPictureBytes * 3)};
    for (std::size_t i = 0; i < rgb.rgb.size(); ++i) rgb.rgb[i] = std::uint8_t(i * 7);
    copy.reference = ReferenceImage{rgb, {0, 0, kPictureColumns, kPictureRows}};
    KeptPage spare;
    std::fill_n(spare.pixels.begin(), kPictureBytes, std::uint8_t(3));
    spare.file = "spare.vxr";
    spare.reference = reference_from_image({2, 1, {255, 0, 0, 0, 0, 255}});
    spare.sprites.sprites.push_back({.x = 10, .y = 10, .colour = 2});
    copy.spare = spare;
    return copy;
}

// A copy as the first version wrote it: one page, no reference image.
std::vector<std::uint8_t> first_version(const RecoveryCopy& copy) {
    std::vector<std::uint8_t> bytes = {
        'V', 'X', 'R', 'C', 1, 0, copy.background, copy.mode, std::uint8_t(copy.changed), 0};
    for (int i = 0; i < 8; ++i) bytes.push_back(std::uint8_t(copy.kept_at >> (8 * i)));
    bytes.insert(bytes.end(), {std::uint8_t(copy.file.size()), 0});
    bytes.insert(bytes.end(), copy.file.begin(), copy.file.end());
    bytes.insert(bytes.end(), copy.pixels.begin(), copy.pixels.begin() + kPictureBytes);
    const auto crc = std::uint32_t(::crc32(0, bytes.data(), unsigned(bytes.size())));
    for (int i = 0; i < 4; ++i) bytes.push_back(std::uint8_t(crc >> (8 * i)));
    return bytes;
}

// A copy of one page without a reference image as the second version wrote it: as now, but
// without the page's sprites.
std::vector<std::uint8_t> second_version(const RecoveryCopy& copy) {
    std::vector<std::uint8_t> bytes = encode_recovery_copy(copy);
    bytes[4] = 2;
    bytes.resize(bytes.size() - 8); // the empty set of sprites and the checksum
    const auto crc = std::uint32_t(::crc32(0, bytes.data(), unsigned(bytes.size())));
    for (int i = 0; i < 4; ++i) bytes.push_back(std::uint8_t(crc >> (8 * i)));
    return bytes;
}

void write(const QString& path, const std::vector<std::uint8_t>& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
}

// What the call wrote on stderr.
QString stderr_of(const std::function<void()>& call) {
    QTemporaryDir dir;
    const QByteArray name = QFile::encodeName(dir.filePath("stderr"));
    std::fflush(stderr);
    const int saved = ::dup(2);
    std::freopen(name.constData(), "w", stderr);
    call();
    std::fflush(stderr);
    ::dup2(saved, 2);
    ::close(saved);
    QFile file(dir.filePath("stderr"));
    file.open(QIODevice::ReadOnly);
    return QString::fromLocal8Bit(file.readAll());
}

} // namespace

TEST(Recovery, AStartTakesBackASoundCopyAndSetsAsideEveryOtherWithOneLine) {
    const std::vector<std::uint8_t> sound = encode_recovery_copy(some_copy());
    auto changed = [&](std::size_t at, std::uint8_t value) {
        std::vector<std::uint8_t> bytes = sound;
        bytes[at] = value;
        return bytes;
    };
    const struct {
        const char* name;
        std::function<void(const QString&)> make;
        const char* problem; // nullptr: taken back, as `taken`
        bool needs_permissions = false;
        RecoveryCopy taken = some_copy();
    } rows[] = {
        {"sound", [&](const QString& p) { write(p, sound); }, nullptr},
        {"of the first version", [](const QString& p) { write(p, first_version(one_page())); },
         nullptr, false, one_page()},
        {"of the second version", [](const QString& p) { write(p, second_version(one_page())); },
         nullptr, false, one_page()},
        {"a sprite's flag never written under a sound checksum",
         [](const QString& p) {
             RecoveryCopy copy = some_copy();
             std::vector<std::uint8_t> bytes = encode_recovery_copy(copy);
             // The spare page's one sprite ends its copy, its flags just before the checksum.
             bytes[bytes.size() - 5] = 0x40;
             bytes.resize(bytes.size() - 4);
             const auto crc = std::uint32_t(::crc32(0, bytes.data(), unsigned(bytes.size())));
             for (int i = 0; i < 4; ++i) bytes.push_back(std::uint8_t(crc >> (8 * i)));
             write(p, bytes);
         },
         "it is damaged"},
        {"cut short",
         [&](const QString& p) {
             write(p, {sound.begin(), sound.begin() + 20000});
         },
         "it is cut short"},
        {"a pixel changed", [&](const QString& p) { write(p, changed(2000, 3)); }, "it is damaged"},
        {"a byte after its checksum",
         [&](const QString& p) {
             std::vector<std::uint8_t> bytes = sound;
             bytes.push_back(0);
             write(p, bytes);
         },
         "it is damaged"},
        {"a pixel of 16 under a sound checksum",
         [](const QString& p) {
             RecoveryCopy copy = some_copy();
             copy.pixels[2000] = 16;
             write(p, encode_recovery_copy(copy));
         },
         "it is damaged"},
        {"a spare page's background of 16 under a sound checksum",
         [](const QString& p) {
             RecoveryCopy copy = some_copy();
             copy.spare->background = 16;
             write(p, encode_recovery_copy(copy));
         },
         "it is damaged"},
        {"a reference image past the picture's edge under a sound checksum",
         [](const QString& p) {
             RecoveryCopy copy = some_copy();
             copy.reference->area = {150, 0, 20, 10};
             write(p, encode_recovery_copy(copy));
         },
         "it is damaged"},
        {"another version", [&](const QString& p) { write(p, changed(4, 9)); },
         "it was kept by another version of Vexlor"},
        {"a pipe", [](const QString& p) { ::mkfifo(QFile::encodeName(p).constData(), 0600); },
         "it is not a regular file"},
        {"a link",
         [&](const QString& p) {
             write(p + ".target", sound);
             QFile::link(p + ".target", p);
         },
         "it is not a regular file"},
        {"unreadable",
         [&](const QString& p) {
             write(p, sound);
             QFile::setPermissions(p, QFileDevice::WriteOwner);
         },
         "Permission denied", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir folder;
        const QString path = folder.filePath("123-abc.vxrc");
        row.make(path);
        std::optional<AbandonedCopy> found;
        QString errors;
        const auto scan = [&] {
            errors = stderr_of([&] { found = find_abandoned_copy(folder.path()); });
        };
        if (row.needs_permissions)
            ASSERT_TRUE(without_file_permission_override(scan));
        else
            scan();
        if (!row.problem) {
            ASSERT_TRUE(found);
            EXPECT_EQ(found->copy, row.taken);
            EXPECT_EQ(found->path, path);
            EXPECT_TRUE(errors.isEmpty());
            continue;
        }
        EXPECT_FALSE(found);
        EXPECT_EQ(errors.count('\n'), 1) << errors.toStdString();
        EXPECT_TRUE(errors.contains(row.problem)) << errors.toStdString();
        EXPECT_FALSE(QFileInfo::exists(path));
        EXPECT_TRUE(QFileInfo(path + ".set-aside").exists() ||
                    QFileInfo(path + ".set-aside").isSymLink());
    }
}

// A copy holds every pixel of its mode's shape, a hires picture's 64000 as a multicolour one's
// 32000, and gives them back as they were.
TEST(Recovery, ACopyHoldsEveryPixelOfEachMode) {
    for (const Mode& mode : all_modes()) {
        SCOPED_TRACE(mode.name);
        RecoveryCopy copy = some_copy();
        copy.mode = mode.format;
        const std::size_t pixels = std::size_t(mode.shape.width * mode.shape.height);
        for (std::size_t i = 0; i < pixels; ++i) copy.pixels[i] = std::uint8_t(i * 7 / 11 % 16);
        const std::vector<std::uint8_t> bytes = encode_recovery_copy(copy);
        const DecodedRecovery decoded = decode_recovery_copy(bytes);
        ASSERT_EQ(decoded.fault, RecoveryFault::None);
        EXPECT_EQ(decoded.copy, copy);
        EXPECT_EQ(decode_recovery_copy({bytes.begin(), bytes.end() - 5}).fault,
                  RecoveryFault::Truncated);
    }
}

// Of the copies no running editor holds, the newest is offered, and held while the user decides:
// an editor starting beside this one is offered the older, never the same; none is left over.
TEST(Recovery, TheNewestCopyIsOfferedAndHeldFromAnotherEditor) {
    RecoveryCopy older = some_copy(), newer = some_copy();
    newer.kept_at += 60;
    newer.pixels[0] = 9;
    for (const bool newest_first : {true, false}) {
        SCOPED_TRACE(newest_first ? "the newest named first" : "the newest named last");
        QTemporaryDir folder;
        const QString first = folder.filePath("100-a.vxrc"), last = folder.filePath("200-b.vxrc");
        write(first, encode_recovery_copy(newest_first ? newer : older));
        write(last, encode_recovery_copy(newest_first ? older : newer));
        const std::optional<AbandonedCopy> offered = find_abandoned_copy(folder.path());
        ASSERT_TRUE(offered);
        EXPECT_EQ(offered->copy, newer);
        EXPECT_EQ(offered->path, newest_first ? first : last);
        const std::optional<AbandonedCopy> beside = find_abandoned_copy(folder.path());
        ASSERT_TRUE(beside);
        EXPECT_EQ(beside->copy, older);
        EXPECT_FALSE(find_abandoned_copy(folder.path()));
    }
}

// Nothing is made until the picture changes; the copy follows each change and goes at a clean
// end, lock and all.
TEST(Recovery, TheKeeperWritesAfterAChangeMarksASaveAndRemovesAllAtTheEnd) {
    QTemporaryDir home;
    const QString folder = home.filePath("recovery");
    bool changed = true; // since the picture was opened or saved
    RecoveryKeeper keeper(folder, [&] {
        RecoveryCopy copy = some_copy();
        copy.changed = changed;
        return copy;
    });
    EXPECT_FALSE(QFileInfo::exists(folder));
    const auto kept = [&] {
        QFile file(keeper.copy_path());
        if (!file.open(QIODevice::ReadOnly)) return DecodedRecovery{RecoveryFault::Truncated, {}};
        const QByteArray bytes = file.readAll();
        return decode_recovery_copy(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                              std::size_t(bytes.size())));
    };
    keeper.picture_changed();
    ASSERT_TRUE(SettleUntil([&] { return kept().fault == RecoveryFault::None; }, 10000));
    EXPECT_TRUE(kept().copy.changed);
    EXPECT_EQ(kept().copy.pixels, some_copy().pixels);
    changed = false;
    keeper.picture_changed();
    ASSERT_TRUE(SettleUntil([&] { return !kept().copy.changed; }, 10000));
    // A running editor's copy is never offered.
    EXPECT_FALSE(find_abandoned_copy(folder));
    keeper.finish();
    EXPECT_TRUE(QDir(folder).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

// Steady painting, a change every 0.4 s, is kept about a second after its first change: a change
// while the copy waits leaves the wait as it was.
TEST(Recovery, ChangesWhileTheCopyWaitsDoNotPutItOff) {
    QTemporaryDir home;
    RecoveryKeeper keeper(home.filePath("recovery"), some_copy);
    EXPECT_EQ(keeper.ms_until_write(), -1);
    keeper.picture_changed();
    QTest::qSleep(400);
    keeper.picture_changed();
    // At least 0.4 s of the second has gone, however slow the machine; a coarse timer may be set
    // up to 5 % late.
    EXPECT_LE(keeper.ms_until_write(), 1050 - 400);
}

// A full disk or a read-only home: said once, with the reason; the editor keeps trying.
TEST(Recovery, ACopyThatCannotBeWrittenIsReportedOncePerRun) {
    QTemporaryDir home;
    write(home.filePath("blocker"), {1});
    const QString folder = home.filePath("blocker/recovery");
    QStringList messages;
    SetErrorMessageDisplay([&](const QString&, const QString& text) { messages << text; });
    RecoveryKeeper keeper(folder, some_copy);
    EXPECT_FALSE(keeper.write_now());
    EXPECT_FALSE(keeper.write_now());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(folder)) << messages[0].toStdString();
    EXPECT_TRUE(messages[0].contains("Not a directory")) << messages[0].toStdString();
    QFile::remove(home.filePath("blocker"));
    EXPECT_TRUE(keeper.write_now());
    keeper.finish();
    SetErrorMessageDisplay(nullptr);
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    const PrivateHome home;
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
