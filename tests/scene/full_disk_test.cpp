// The program started with its preferences on a disk that is full: the save
// it makes when its window first shows fails, and the file stays as it was,
// with one console line that says why. The program itself is run, in a mount
// namespace of the test's own where the configuration folder is a 64 KiB tmpfs,
// filled up.

#include "full_disk.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr int cannotMount = 77;
constexpr int programFailed = 78;
constexpr int fileChanged = 79;

const std::string stored = "[General]\nfirstRun=false\nhavePrefs=100\ntheme=2\ncoordsLat=12.5\nspecificCoords=true\n";

// In the forked child: the tmpfs, the store on it, the disk filled, one start
// of the program with its standard output to `output`. Gives 0 when the store
// is as it was; only what is async-signal-safe or plain C++ runs here.
int startOnAFullDisk(const std::string& config, const std::string& output) {
    if (!testsupport::mountPrivateTmpfs(config, "64k")) return cannotMount;
    const std::string store = config + "/Tarnwick/Vadididod.conf";
    if (::mkdir((config + "/Tarnwick").c_str(), 0700) != 0 || !testsupport::writeWholeFile(store, stored) ||
        !testsupport::fillUp(config + "/filler")) {
        return programFailed;
    }

    std::vector<std::string> settings{"XDG_CONFIG_HOME=" + config, "VADIDIDOD_QUIT_AFTER_FIRST_SHOW=1"};
    std::vector<char*> environment;
    for (char** entry = environ; *entry; ++entry) {
        if (std::string(*entry).rfind("XDG_CONFIG_HOME=", 0) != 0) environment.push_back(*entry);
    }
    for (std::string& entry : settings) environment.push_back(entry.data());
    environment.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::string program = VADIDIDOD_PROGRAM;
    char* arguments[] = {program.data(), nullptr};
    pid_t child = 0;
    if (posix_spawn(&child, program.c_str(), &actions, nullptr, arguments, environment.data()) != 0) {
        return programFailed;
    }
    ::alarm(20);   // a program that never ends ends this process, and the test fails
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return programFailed;
    return testsupport::contentsOf(store) == stored ? 0 : fileChanged;
}

TEST(FullDisk, AStartLeavesThePreferencesAsTheyWereAndSaysWhy) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const std::string config = QFile::encodeName(home.filePath(QStringLiteral("config"))).toStdString();
    const std::string output = QFile::encodeName(home.filePath(QStringLiteral("output"))).toStdString();
    ASSERT_EQ(::mkdir(config.c_str(), 0700), 0);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) ::_exit(startOnAFullDisk(config, output));
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "the program did not end";
    if (WEXITSTATUS(status) == cannotMount) {
        GTEST_SKIP() << "a tmpfs cannot be mounted in a mount namespace of the test's own here (it needs root)";
    }
    EXPECT_NE(WEXITSTATUS(status), programFailed) << "the program did not start and end cleanly";
    EXPECT_NE(WEXITSTATUS(status), fileChanged) << "the preferences file was written over";
    const QByteArray said = QByteArray::fromStdString(testsupport::contentsOf(output));
    EXPECT_EQ(said.count('\n'), 1) << said.toStdString();
    EXPECT_TRUE(said.contains("could not be written")) << said.toStdString();
    EXPECT_TRUE(said.contains("No space left on device")) << said.toStdString();
}

} // namespace
