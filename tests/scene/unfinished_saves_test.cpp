// A save names its new file beside the store as no person would and renames
// it over the store once whole: one killed in between leaves that file, which
// the next start of the program removes. Nothing else beside the store
// goes, however old: the user's own files, whatever their names, the leftovers
// of older versions, and files under the save's name that the program cannot
// tell it wrote. The program itself is run.

#include "program_run.h"

#include "app/file_replacement.h"
#include "app/settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Makes the file's times `age` seconds ago.
void age(const QString& path, std::time_t age) {
    const timespec stamps[2] = {{std::time(nullptr) - age, 0}, {std::time(nullptr) - age, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), stamps, AT_SYMLINK_NOFOLLOW), 0);
}

// A file of the user's alone, `seconds` old.
void make(const QString& path, std::time_t seconds) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[General]\nhavePrefs=100\n");
    file.close();
    ASSERT_TRUE(file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    age(path, seconds);
}

// A save of the store in a process of its own, killed once its new file is
// written and named, before it is renamed over the store.
void killASaveMidway(const QString& configFolder) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::setenv("XDG_CONFIG_HOME", QFile::encodeName(configFolder).constData(), 1);
        app::DiskCalls killed;
        killed.rename = [](int, const char*, int, const char*) { return ::raise(SIGKILL); };
        app::useDiskCalls(killed);
        if (auto store = app::SettingsStore::open()) {
            store->setValue(QStringLiteral("theme"), QStringLiteral("1"));   // the file does not hold it yet
            store->save();
        }
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
}

TEST(UnfinishedSaves, TheNextStartRemovesWhatAKilledSaveLeftAndNothingElse) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QString config = home.filePath(QStringLiteral("config"));
    const QDir store(config + QStringLiteral("/Tarnwick"));
    ASSERT_TRUE(QDir().mkpath(store.path()));
    const QString base = store.filePath(QStringLiteral("Vadididod.conf"));
    make(base, 0);

    killASaveMidway(config);
    const QStringList left = store.entryList({QStringLiteral("Vadididod.conf.unfinished-save-*")});
    ASSERT_EQ(left.size(), 1);
    age(store.filePath(left.front()), 600);

    // The user's own, ten minutes old; the temporary form of older versions;
    // a save in flight; under the save's name, what is a link, a second link
    // of another file, or open to others.
    const QString outside = home.filePath(QStringLiteral("outside"));
    make(outside, 600);
    const QStringList kept{QStringLiteral(".backup"),
                           QStringLiteral(".before"),
                           QStringLiteral(".240315"),
                           QStringLiteral(".notes1"),
                           QStringLiteral(".kQdfhg"),
                           QStringLiteral(".unfinished-save-0000000000000001"),
                           QStringLiteral(".unfinished-save-0000000000000002"),
                           QStringLiteral(".unfinished-save-0000000000000003"),
                           QStringLiteral(".unfinished-save-0000000000000004")};
    for (int i = 0; i < 5; ++i) make(base + kept[i], 600);
    make(base + kept[5], 0);
    ASSERT_TRUE(QFile::link(outside, base + kept[6]));
    ASSERT_EQ(::link(QFile::encodeName(outside).constData(), QFile::encodeName(base + kept[7]).constData()), 0);
    make(base + kept[8], 600);
    ASSERT_EQ(::chmod(QFile::encodeName(base + kept[8]).constData(), 0644), 0);

    const auto run = testsupport::runProgram(
        {{QStringLiteral("XDG_CONFIG_HOME"), config}, {QStringLiteral("VADIDIDOD_QUIT_AFTER_FIRST_SHOW"), QStringLiteral("1")}},
        {});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("removed 1 unfinished save "))) << run.out.toStdString();
    EXPECT_FALSE(QFileInfo::exists(store.filePath(left.front())));
    for (const QString& suffix : kept) {
        EXPECT_TRUE(QFileInfo(base + suffix).isSymLink() || QFileInfo::exists(base + suffix)) << suffix.toStdString();
    }
    EXPECT_TRUE(QFileInfo::exists(outside));
    EXPECT_TRUE(QFileInfo(base).isFile());
}

} // namespace
