// The file and disk helpers, in a folder of the test's own (the trash is the
// test's own too: HOME is a sandbox).

#include "app/file_helpers.h"

#include "support/qt_test_application.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;
using testsupport::consoleOutputOf;

class Files : public testing::Test {
protected:
    fs::path path(const std::string& name) const { return fs::path(folder.path().toStdString()) / name; }
    fs::path write(const std::string& name, const std::string& contents) const {
        std::ofstream(path(name), std::ios::binary) << contents;
        return path(name);
    }
    QTemporaryDir folder{QDir::homePath() + QStringLiteral("/files-XXXXXX")};
};

TEST_F(Files, ExistenceAndFolders) {
    const fs::path file = write("notes.txt", "x");
    const fs::path sub = path("sub");
    fs::create_directory(sub);
    EXPECT_TRUE(app::fileExists(sub));
    EXPECT_TRUE(app::isFolder(sub));
    EXPECT_TRUE(app::fileExists(file));
    EXPECT_FALSE(app::isFolder(file));
    EXPECT_FALSE(app::fileExists(path("missing")));
    EXPECT_FALSE(app::isFolder(path("missing")));
}

TEST_F(Files, SizesAndDates) {
    const fs::path file = write("data.bin", std::string(1500, 'a'));
    EXPECT_EQ(app::fileSize(file), 1500u);
    EXPECT_EQ(app::fileSizeString(file), QStringLiteral("1.5 kB"));
    const auto modified = app::modifiedDate(file);
    ASSERT_TRUE(modified.has_value());
    EXPECT_NEAR(modified->secondsSince1970(), platform::Date::now().secondsSince1970(), 60.0);
    const auto attributes = app::attributes(file);
    ASSERT_TRUE(attributes.has_value());
    EXPECT_EQ(attributes->type, fs::file_type::regular);
}

// The C library's lstat is the reference: the item itself, not what a link names.
struct stat itself(const fs::path& path) {
    struct stat item {};
    EXPECT_EQ(::lstat(path.c_str(), &item), 0) << path;
    return item;
}

TEST_F(Files, ASymbolicLinkIsDescribedAsTheLinkItself) {
    const fs::path target = write("big.bin", std::string(5000, 'b'));
    const fs::path link = path("link");
    fs::create_symlink(target, link);
    const auto attributes = app::attributes(link);
    ASSERT_TRUE(attributes.has_value());
    EXPECT_EQ(attributes->type, fs::file_type::symlink);
    EXPECT_EQ(attributes->size, target.string().size()) << "a link's size is the length of the path it holds";
    EXPECT_EQ(app::fileSize(link), static_cast<std::uint64_t>(itself(link).st_size));

    // Its own modification time, not its target's.
    const timespec past[2] = {{1000000000, 0}, {1000000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, target.c_str(), past, 0), 0);
    EXPECT_NEAR(app::modifiedDate(target)->secondsSince1970(), 1e9, 1e-6);
    EXPECT_NEAR(app::modifiedDate(link)->secondsSince1970(), platform::Date::now().secondsSince1970(), 60.0);
}

TEST_F(Files, ALinkThatPointsNowhereStillHasAttributes) {
    const fs::path link = path("dangling");
    fs::create_symlink(path("gone"), link);
    std::optional<app::FileAttributes> attributes;
    EXPECT_EQ(consoleOutputOf([&] { attributes = app::attributes(link); }), "");
    ASSERT_TRUE(attributes.has_value());
    EXPECT_EQ(attributes->type, fs::file_type::symlink);
}

TEST_F(Files, AFolderHasASize) {
    const fs::path sub = path("sub");
    fs::create_directory(sub);
    write("sub/inside.txt", "x");
    const auto attributes = app::attributes(sub);
    ASSERT_TRUE(attributes.has_value());
    EXPECT_EQ(attributes->type, fs::file_type::directory);
    EXPECT_EQ(attributes->size, static_cast<std::uint64_t>(itself(sub).st_size));
    EXPECT_GT(app::fileSize(sub), 0u);
}

TEST_F(Files, AMissingFileHasSizeZeroAfterOneConsoleLine) {
    std::uint64_t size = 1;
    const std::string output = consoleOutputOf([&] { size = app::fileSize(path("missing.txt")); });
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(output.rfind("FileAttribute error: ", 0), 0u) << output;
    EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1);
    consoleOutputOf([&] {
        EXPECT_FALSE(app::creationDate(path("missing.txt")).has_value());
        EXPECT_FALSE(app::modifiedDate(path("missing.txt")).has_value());
        EXPECT_EQ(app::fileSizeString(path("missing.txt")), QStringLiteral("0 bytes"));
    });
}

TEST_F(Files, RemovingAMissingFileFailsAndSoDoesTrashingOne) {
    EXPECT_FALSE(app::deleteFile(path("missing.txt"), false));
    EXPECT_FALSE(app::deleteFile(path("missing.txt"), true));
}

TEST_F(Files, RemovingAndTrashingTakeTheItemAway) {
    const fs::path removed = write("a.txt", "a");
    EXPECT_TRUE(app::deleteFile(removed, false));
    EXPECT_FALSE(app::fileExists(removed));

    const fs::path sub = path("folder");
    fs::create_directories(sub / "inner");
    EXPECT_TRUE(app::deleteFile(sub, false));
    EXPECT_FALSE(app::fileExists(sub));

    const fs::path trashed = write("b.txt", "b");
    EXPECT_TRUE(app::deleteFile(trashed, true));
    EXPECT_FALSE(app::fileExists(trashed));
}

TEST_F(Files, RenamingMovesButNeverReplaces) {
    const fs::path source = write("old.txt", "old");
    const fs::path destination = path("new.txt");
    EXPECT_TRUE(app::renameFile(source, destination));
    EXPECT_FALSE(app::fileExists(source));
    EXPECT_TRUE(app::fileExists(destination));

    const fs::path other = write("other.txt", "other");
    bool renamed = true;
    const std::string output = consoleOutputOf([&] { renamed = app::renameFile(other, destination); });
    EXPECT_FALSE(renamed);
    EXPECT_EQ(output, "error: File exists\n");
    std::ifstream kept(destination);
    std::string contents;
    kept >> contents;
    EXPECT_EQ(contents, "old");

    consoleOutputOf([&] { EXPECT_FALSE(app::renameFile(path("missing"), path("elsewhere"))); });
}

TEST_F(Files, DiskSpaceOfTheVolume) {
    EXPECT_GT(app::totalDiskSpace(path("")), 0);
    EXPECT_GE(app::totalDiskSpace(path("")), app::freeDiskSpace(path("")));
    EXPECT_EQ(app::freeDiskSpace(path("missing/deeper")), 0);
    EXPECT_EQ(app::totalDiskSpace(path("missing/deeper")), 0);
}

TEST_F(Files, NamesWithoutTheirExtension) {
    EXPECT_EQ(app::removeFileExt("/home/someone/notes.backup.txt"), "notes.backup");
    EXPECT_EQ(app::removeFileExt("/home/someone/README"), "README");
    EXPECT_EQ(app::removeFileExt("/home/someone/archive.tar.gz"), "archive.tar");
    EXPECT_EQ(app::removeFileExt("/home/someone/folder.d/"), "folder");
}

TEST_F(Files, TheDocumentsFolderIsInTheUsersHome) {
    const fs::path documents = app::userDocumentsFolder();
    EXPECT_FALSE(documents.empty());
    EXPECT_EQ(documents.string().rfind(QDir::homePath().toStdString(), 0), 0u);
}

} // namespace
