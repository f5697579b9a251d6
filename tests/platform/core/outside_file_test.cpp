// Files from outside read whole: what is no regular file, what is missing, the
// cap to the byte, and a file that grows between its open and its read.

#include "platform/core/outside_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;
using platform::OutsideFile;
using platform::OutsideFileError;
using platform::readOutsideFile;
using Kind = OutsideFileError::Kind;

constexpr std::size_t cap = 64;

class OutsideFileTest : public testing::Test {
protected:
    OutsideFileTest() : folder_(fs::temp_directory_path() / ("vadididod-outside-" + std::to_string(::getpid()))) {
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    ~OutsideFileTest() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    std::string write(const char* name, const std::string& text, std::ios::openmode mode = std::ios::trunc) {
        const std::string path = (folder_ / name).string();
        std::ofstream(path, std::ios::binary | mode) << text;
        return path;
    }
    fs::path folder_;
};

TEST_F(OutsideFileTest, RefusesWhatIsNoRegularFileAndSaysWhyItCannotOpen) {
    // With no writer, a FIFO opened for reading would wait here for ever.
    const std::string fifo = (folder_ / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto fromFifo = readOutsideFile(fifo, cap);
    ASSERT_FALSE(fromFifo);
    EXPECT_EQ(fromFifo.error().kind, Kind::notRegularFile);

    const auto fromFolder = readOutsideFile(folder_.string(), cap);
    ASSERT_FALSE(fromFolder);
    EXPECT_EQ(fromFolder.error().kind, Kind::notRegularFile);

    const auto missing = readOutsideFile((folder_ / "missing").string(), cap);
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().kind, Kind::cannotOpen);
    EXPECT_EQ(missing.error().systemError, ENOENT);
}

TEST_F(OutsideFileTest, ReadsAFileOfAtMostTheCap) {
    const auto empty = readOutsideFile(write("empty", ""), cap);
    ASSERT_TRUE(empty);
    EXPECT_EQ(*empty, "");

    const std::string full(cap, 'x');
    const auto atCap = readOutsideFile(write("at-cap", full), cap);
    ASSERT_TRUE(atCap);
    EXPECT_EQ(*atCap, full);

    const auto over = readOutsideFile(write("over", full + "y"), cap);
    ASSERT_FALSE(over);
    EXPECT_EQ(over.error().kind, Kind::tooLarge);
}

// Read to its end, not to the size it had when opened.
TEST_F(OutsideFileTest, AFileThatGrowsAfterItsOpenIsReadWholeWithinTheCap) {
    const std::string path = write("growing", "abc");
    auto file = OutsideFile::open(path);
    ASSERT_TRUE(file);
    write("growing", std::string(cap - 3, 'd'), std::ios::app);
    const auto grown = file->readAll(cap);
    ASSERT_TRUE(grown);
    EXPECT_EQ(*grown, "abc" + std::string(cap - 3, 'd'));
    EXPECT_EQ(file->status().st_size, 3);   // as it was before the read

    auto again = OutsideFile::open(path);
    ASSERT_TRUE(again);
    write("growing", "e", std::ios::app);
    const auto past = again->readAll(cap);
    ASSERT_FALSE(past);
    EXPECT_EQ(past.error().kind, Kind::tooLarge);
}

} // namespace
