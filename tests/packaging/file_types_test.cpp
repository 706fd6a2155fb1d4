// The file types the package declares, as a file manager sees them: the declaration is compiled
// with update-mime-database, as the package's installation does, and read back through Qt's
// shared-mime-info reader.
#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The package's declaration compiled into a database of its own, beside the system's, once for
// all the tests. Empty when that worked, else what went wrong.
QString prepareDatabase(QTemporaryDir& data) {
    if (!data.isValid()) return "no temporary folder";
    const QString packages = data.filePath("share/mime/packages");
    if (!QDir().mkpath(packages) || !QDir().mkpath(data.filePath("home")))
        return "cannot create " + packages;
    if (!QFile::copy(VEXLOR_MIME_XML, packages + "/org.vexlor.Vexlor.xml"))
        return "cannot copy " VEXLOR_MIME_XML;
    // Only this database and the system's: nothing from the user's own folder.
    qputenv("XDG_DATA_HOME", data.filePath("home").toUtf8());
    qputenv("XDG_DATA_DIRS", (data.filePath("share") + ":/usr/share").toUtf8());

    QProcess update;
    update.start("update-mime-database", {data.filePath("share/mime")});
    if (!update.waitForFinished(30000)) return "update-mime-database did not run";
    // It reports a declaration it cannot read on stderr and still exits with 0.
    const QString errors = update.readAllStandardError();
    if (update.exitCode() != 0 || !errors.isEmpty())
        return "update-mime-database failed: " + errors;
    return {};
}

class FileTypes : public ::testing::Test {
protected:
    void SetUp() override {
        static QTemporaryDir data;
        static const QString failure = prepareDatabase(data);
        ASSERT_TRUE(failure.isEmpty()) << failure.toStdString();
    }

    static QMimeType byName(const QString& fileName) {
        return QMimeDatabase().mimeTypeForFile(fileName, QMimeDatabase::MatchExtension);
    }

    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = files_.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QTemporaryDir files_;
};

TEST_F(FileTypes, VexlorPicturesAreNamedAndShownAsPictures) {
    const QMimeType type = byName("harbour.vxr");
    EXPECT_EQ(type.name(), "image/x-vexlor");
    EXPECT_EQ(type.comment(), "Vexlor picture");
    EXPECT_EQ(type.genericIconName(), "image-x-generic");
}

TEST_F(FileTypes, KoalaPicturesAreRecognisedByEitherExtensionInAnyCase) {
    // C64 file names come off disk images in capitals as often as not.
    for (const char* name : {"logo.koa", "logo.kla", "LOGO.KOA", "Logo.Kla"}) {
        SCOPED_TRACE(name);
        const QMimeType type = byName(name);
        EXPECT_EQ(type.name(), "image/x-koala");
        EXPECT_EQ(type.comment(), "Koala Painter picture");
        EXPECT_EQ(type.genericIconName(), "image-x-generic");
    }
}

TEST_F(FileTypes, RealFilesAreRecognisedByTheirNameNotTheirContent) {
    // A Koala file starts with its load address $6000; plenty of other data does too.
    QByteArray koala(10003, '\0');
    koala[1] = 0x60;
    QMimeDatabase database;
    EXPECT_EQ(database.mimeTypeForFile(write("scene.kla", koala)).name(), "image/x-koala");
    EXPECT_EQ(database.mimeTypeForFile(write("scene.vxr", QByteArray(32000, 3))).name(),
              "image/x-vexlor");
    EXPECT_EQ(database.mimeTypeForFile(write("dump", koala)).name(), "application/octet-stream");
}

} // namespace
