// Large packages, whose files two threads write: every file arrives whole,
// and a failure in either thread's share fails the extraction.
#include "client/model/wow/ZipTreeWriter.h"
#include "client/model/wow/ZippedWowAddonPackage.h"
#include "lib/util/Paths.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <map>
#include <zip.h>

namespace plenfox::client::wow {
namespace {

namespace fs = std::filesystem;
using test::TestEnvironment;

using Tree = std::map<QString, QByteArray>;

// Writes the files as a zip with stored (uncompressed) entries, in the
// map's order, without directory entries.
void writeZip(const fs::path& file, const Tree& files) {
    int error = 0;
    zip_t* archive = zip_open(file.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr);
    for (const auto& [name, bytes] : files) {
        zip_source_t* source = zip_source_buffer(archive, bytes.constData(),
                                                 static_cast<zip_uint64_t>(bytes.size()), 0);
        const zip_int64_t index =
            zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
        ASSERT_GE(index, 0);
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
    }
    ASSERT_EQ(zip_close(archive), 0);
}

// A package of several addons with many files: small ones, an empty one and
// one larger than a copy buffer, each with contents of its own.
Tree largePackage() {
    Tree files;
    for (int addon = 0; addon < 6; ++addon) {
        const QString folder = QStringLiteral("Addon%1").arg(addon);
        files[folder + QLatin1Char('/') + folder + QStringLiteral(".toc")] =
            "## Title: " + folder.toUtf8() + "\n";
        for (int file = 0; file < 40; ++file) {
            const QString name = folder +
                                 (file % 3 == 0 ? QStringLiteral("/Libs/") : QStringLiteral("/")) +
                                 QStringLiteral("file%1.lua").arg(file);
            files[name] =
                QByteArray(100 + addon * 997 + file * 31, static_cast<char>('a' + file % 26)) +
                name.toUtf8();
        }
    }
    files[QStringLiteral("Addon0/empty.lua")] = QByteArray();
    QByteArray big(static_cast<qsizetype>(ZipTreeWriter::BufferSize * 2 + 123), '\0');
    for (qsizetype i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>(i * 7 % 251);
    files[QStringLiteral("Addon5/Textures/big.blp")] = big;
    return files;
}

Tree filesBelow(const fs::path& folder) {
    Tree tree;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            tree[util::pathText(entry.path().lexically_relative(folder))] =
                test::readFile(entry.path());
    return tree;
}

TEST(ZipTreeWriterTest, LargePackageArrivesWholeAndReplacesOlderFiles) {
    TestEnvironment env;
    const Tree files = largePackage();
    ASSERT_GE(files.size(), 2 * ZipTreeWriter::ParallelMinimumFiles);
    const fs::path archive = env.scratch() / "large.zip";
    writeZip(archive, files);
    const fs::path target = env.scratch() / "AddOns";
    // Older, longer files in both halves of the package are replaced whole.
    test::writeFile(target / "Addon0" / "file1.lua", QByteArray(50000, 'x'));
    test::writeFile(target / "Addon5" / "file40.lua", QByteArray(50000, 'y'));
    test::writeFile(target / "Addon5" / "file1.lua", QByteArray(50000, 'z'));

    ZippedWowAddonPackage package(archive);
    ASSERT_TRUE(package.validate());
    ASSERT_TRUE(package.extractTo(target));
    Tree expected = files;
    expected[QStringLiteral("Addon5/file40.lua")] = QByteArray(50000, 'y'); // not in the package
    EXPECT_EQ(filesBelow(target), expected);
    EXPECT_EQ(env.app().getExceptionCount(), 0);
}

TEST(ZipTreeWriterTest, AFailureInEitherHalfFailsTheExtraction) {
    TestEnvironment env;
    Tree files = largePackage();
    const fs::path archive = env.scratch() / "large.zip";
    writeZip(archive, files);

    // A file entry whose place is taken by a folder, early and late in the
    // archive: in the first and in the second thread's share.
    int run = 0;
    for (const char* blocked : {"Addon0/file1.lua", "Addon5/file8.lua"}) {
        SCOPED_TRACE(blocked);
        const fs::path target = env.scratch() / ("blocked" + std::to_string(++run));
        fs::create_directories(target / blocked / "inside");
        ZippedWowAddonPackage package(archive);
        EXPECT_FALSE(package.extractTo(target));
        EXPECT_TRUE(env.logContains(
            QStringLiteral("Exception: [IOException: ") +
            QString::fromStdString(std::generic_category().message(EISDIR)) + QStringLiteral(" [") +
            util::pathText(target / blocked) + QLatin1Char(']')));
    }

    // A folder that cannot be made late in the archive: its name is taken by
    // a link to nowhere.
    const fs::path target = env.scratch() / "no-textures";
    fs::create_directories(target / "Addon5");
    fs::create_symlink(env.scratch() / "nowhere", target / "Addon5" / "Textures");
    ZippedWowAddonPackage package(archive);
    EXPECT_FALSE(package.extractTo(target));
    EXPECT_TRUE(env.logContains(
        QStringLiteral("class com.plenfox.kesh.client.wow.ZippedWowAddonPackage.extractTo: "
                       "Failed to mkdir parent [") +
        util::pathText(target / "Addon5" / "Textures") + QLatin1Char(']')));
    EXPECT_FALSE(fs::exists(env.scratch() / "nowhere"));

    // Broken data late in the archive: the stored bytes of one file.
    QByteArray bytes = test::readFile(archive);
    const qsizetype data = bytes.indexOf("hAddon5/file7.lua");
    ASSERT_GT(data, 0);
    bytes[data] = 'H';
    const fs::path broken = env.scratch() / "broken.zip";
    test::writeFile(broken, bytes);
    ZippedWowAddonPackage corrupt(broken);
    EXPECT_FALSE(corrupt.extractTo(env.scratch() / "corrupt"));
    EXPECT_TRUE(env.logContains(QStringLiteral("CRC error [Addon5/file7.lua]")));
}

} // namespace
} // namespace plenfox::client::wow
