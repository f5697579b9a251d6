// A save killed between linking its new file in and renaming it over the store
// leaves that file under a temporary name; the program removes such leftovers
// when it starts, and nothing else. The program itself is run.

#include "program_run.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A file `age` seconds old.
void make(const QString& path, std::time_t age) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[General]\nhavePrefs=100\n");
    file.close();
    const timespec stamps[2] = {{std::time(nullptr) - age, 0}, {std::time(nullptr) - age, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), stamps, AT_SYMLINK_NOFOLLOW), 0);
}

TEST(UnfinishedSaves, StaleOnesAreRemovedAtStartAndNothingElse) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QDir store(home.filePath(QStringLiteral("config/Tarnwick")));
    ASSERT_TRUE(QDir().mkpath(store.path()));
    const QString base = store.filePath(QStringLiteral("Vadididod.conf"));
    make(base, 0);
    const QStringList stale{QStringLiteral(".kQdfhg"), QStringLiteral(".AbC123"), QStringLiteral(".zzzzzz")};
    for (const QString& suffix : stale) make(base + suffix, 120);
    // A save in flight, names that are not a save's, and what is not a file.
    const QString outside = home.filePath(QStringLiteral("outside"));
    make(outside, 120);
    const QStringList kept{QStringLiteral(".Fresh1"), QStringLiteral(".abcdefg"), QStringLiteral(".abcde"),
                           QStringLiteral(".ab-def"), QStringLiteral(".damaged-20260101-000000Z"),
                           QStringLiteral(".Linked"), QStringLiteral(".Folder")};
    make(base + kept[0], 0);
    for (int i = 1; i < 5; ++i) make(base + kept[i], 120);
    ASSERT_TRUE(QFile::link(outside, base + kept[5]));
    ASSERT_TRUE(QDir().mkdir(base + kept[6]));

    const auto run = testsupport::runProgram(
        {{QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config"))},
         {QStringLiteral("VADIDIDOD_QUIT_AFTER_FIRST_SHOW"), QStringLiteral("1")}},
        {});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    for (const QString& suffix : stale) EXPECT_FALSE(QFileInfo::exists(base + suffix)) << suffix.toStdString();
    for (const QString& suffix : kept) {
        EXPECT_TRUE(QFileInfo(base + suffix).isSymLink() || QFileInfo::exists(base + suffix)) << suffix.toStdString();
    }
    EXPECT_TRUE(QFileInfo::exists(outside));
    EXPECT_TRUE(QFileInfo(base).isFile());
}

} // namespace
