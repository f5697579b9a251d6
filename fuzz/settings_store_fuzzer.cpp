// The settings store file, which the user (or anything running as the user)
// can write: the program loads it at start, through the store's own load path,
// and must come out with sixteen preferences within what user_settings.h
// promises whatever the file holds:
//   - the theme is 0 to 2 and the days before 0 to 7;
//   - the coordinates are finite, the latitude within 90 degrees and the
//     longitude within 180;
//   - the notification time is a real date of the years 1 to 9999 with a real
//     clock time, and names the instant New York's clocks show it at;
//   - reading changes nothing: a notification time written as a wall time
//     ("2026-03-08T02:30:00.000") loads as those very fields, and saving what
//     was loaded, as the window's first showing does, and loading again gives
//     the same sixteen values.
//
// The program's zone is New York, whose clocks skip and repeat an hour each
// year; TZ names a FIFO, as a hostile environment may: loading must never ask
// the C library for local time, which would open it and wait for a writer for
// ever. A thread of the target waits as that writer, so whoever opens the FIFO
// stops the target at once (the fuzzer's timer would only cut the wait short).
//
// The store lives under XDG_CONFIG_HOME, pointed here at a folder of this run's
// own before Qt first asks for it.

#include "app/settings_store.h"
#include "app/user_settings.h"
#include "fuzz_check.h"
#include "platform/core/time_zone.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QTime>

#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <tuple>

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::filesystem::path configFolder;

void clearFolder(const std::filesystem::path& folder) {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored))
        std::filesystem::remove_all(entry.path(), ignored);
}

void checkPromisedRanges(const app::UserSettings& settings) {
    FUZZ_CHECK(settings.theme() >= 0 && settings.theme() <= 2);
    FUZZ_CHECK(settings.notifyDaysBefore() >= 0 && settings.notifyDaysBefore() <= 7);
    FUZZ_CHECK(std::isfinite(settings.coordsLat()) && std::fabs(settings.coordsLat()) <= 90.0);
    FUZZ_CHECK(std::isfinite(settings.coordsLon()) && std::fabs(settings.coordsLon()) <= 180.0);
    const app::WallTime& time = settings.notifyWallTime();
    FUZZ_CHECK(time.year >= 1 && time.year <= 9999 && QDate(time.year, time.month, time.day).isValid());
    FUZZ_CHECK(QTime(time.hour, time.minute, time.second, time.millisecond).isValid());
    // New York's clocks are four or five hours behind UTC (a skipped time is
    // read with the offset before the gap). Qt's calendar is the program's
    // from 1600 on.
    if (time.year >= 1600) {
        const QDateTime sameFieldsInUtc(QDate(time.year, time.month, time.day),
                                        QTime(time.hour, time.minute, time.second, time.millisecond), Qt::UTC);
        const double behind = settings.notifyTimeOfDay().secondsSince1970() -
                              static_cast<double>(sameFieldsInUtc.toMSecsSinceEpoch()) / 1000.0;
        FUZZ_CHECK(behind >= 4 * 3600.0 && behind <= 5 * 3600.0);
    }
}

// A notification time in the file as the program writes a wall time, read
// here digit by digit; none for any other text, or no such date or time.
std::optional<app::WallTime> wallTimeIn(const std::uint8_t* data, std::size_t size) {
    const auto values = app::parseSettingsText(QByteArray(reinterpret_cast<const char*>(data),
                                                          static_cast<qsizetype>(size)));
    if (size > app::settingsStoreMaximumBytes || !values || !values->count(QStringLiteral("notifyTimeOfDay"))) {
        return std::nullopt;
    }
    const std::string text = values->at(QStringLiteral("notifyTimeOfDay")).trimmed().toStdString();
    const std::string_view shape = "0000-00-00T00:00:00.000";
    if (text.size() != shape.size()) return std::nullopt;
    for (std::size_t i = 0; i < shape.size(); ++i) {
        if (shape[i] == '0' ? (text[i] < '0' || text[i] > '9') : text[i] != shape[i]) return std::nullopt;
    }
    const auto number = [&](std::size_t at, std::size_t digits) { return std::stoi(text.substr(at, digits)); };
    const app::WallTime time{number(0, 4),  number(5, 2),  number(8, 2), number(11, 2),
                             number(14, 2), number(17, 2), number(20, 3)};
    if (!QDate(time.year, time.month, time.day).isValid() ||
        !QTime(time.hour, time.minute, time.second, time.millisecond).isValid()) {
        return std::nullopt;
    }
    return time;
}

auto valuesOf(const app::UserSettings& s) {
    return std::make_tuple(s.firstRun(), s.theme(), s.wantNotifications(), s.notifyFestivals(), s.notifySeasons(),
                           s.notifySolstice(), s.notifyEquinox(), s.showSiderealZodiac(), s.showChineseZodiac(),
                           s.notifyEaster(), s.notifyOnAstronomicalDates(), s.notifyDaysBefore(), s.notifyWallTime(),
                           s.specificCoords(), s.coordsLat(), s.coordsLon());
}

// The program's own zone reader is never asked for TZ here (its zone is set),
// so any reader of the FIFO is the C library reading local time.
void stopWhenTheZoneFileIsOpened(const std::filesystem::path& fifo) {
    std::thread([fifo] {
        sigset_t all;
        sigfillset(&all);
        pthread_sigmask(SIG_BLOCK, &all, nullptr);   // the fuzzer's timer is the main thread's
        int writer = -1;
        while ((writer = ::open(fifo.c_str(), O_WRONLY | O_CLOEXEC)) < 0 && errno == EINTR) {
        }
        if (writer < 0) return;
        std::fprintf(stderr, "the zone file TZ names was opened: something asked the C library for local time\n");
        std::abort();
    }).detach();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // In memory where it can be: every save syncs the file to the disk.
    const std::filesystem::path memory = "/dev/shm";
    const std::filesystem::path base = std::filesystem::is_directory(memory) ? memory
                                                                             : std::filesystem::temp_directory_path();
    configFolder = base / ("vadididod-settings-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(configFolder);
    ::setenv("XDG_CONFIG_HOME", configFolder.c_str(), 1);
    const std::filesystem::path zone = configFolder / "zone";
    if (::mkfifo(zone.c_str(), 0600) != 0) std::abort();
    ::setenv("TZ", (":" + zone.string()).c_str(), 1);
    stopWhenTheZoneFileIsOpened(zone);
    // As the program does first, ICU is handed the zone, so that it never
    // searches the host's zone itself.
    platform::TimeZone::setCurrentOverride(platform::TimeZone::withIdentifier("America/New_York"));
    platform::TimeZone::handCurrentToIcu();
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(configFolder, ignored);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path storeFile = app::settingsStorePath().toStdString();

    clearFolder(storeFile.parent_path());
    std::filesystem::create_directories(storeFile.parent_path());
    {
        std::ofstream file(storeFile, std::ios::binary);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }

    app::UserSettings loaded;
    checkPromisedRanges(loaded);
    if (const auto stored = wallTimeIn(data, size)) FUZZ_CHECK(loaded.notifyWallTime() == *stored);
    loaded.save();
    const app::UserSettings again;
    FUZZ_CHECK(valuesOf(again) == valuesOf(loaded));
    static_cast<void>(app::takeSetAsideStores());   // as the window takes them, or they pile up
    return 0;
}
