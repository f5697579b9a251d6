// The program run as a user runs it, in an X session, with its preferences on
// a disk that fills up: a save that fails is told in a message over the main
// window, with the file's path and the reason, once for a run of failures of
// that cause; once there is room again, the next change saves what the user
// chose meanwhile too, and the start after has it all.
//
// The test looks at the program as a user would: at the X display's windows
// (a message is a window of its own that stands over the main window), and at
// the message's text by selecting it and copying it (the text is selectable),
// then reading the clipboard. It changes preferences with the mouse and the
// keyboard, through the toolbar's Settings button and the preferences sheet.
// The program has no hook of its own for this.
//
// The configuration folder is a 64 KiB tmpfs filled up, in a mount namespace
// of the test's child process (full_disk.h); skipped where that needs more
// than the test has.

#include "full_disk.h"
#include "x_windows.h"

#include "support/child_process.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <string>

namespace {

using testsupport::XWindow;
using testsupport::XWindows;

constexpr std::uint32_t tabKey = 0xff09;
constexpr std::uint32_t escapeKey = 0xff1b;

// A store that lacks most keys: the save at the first show writes them all,
// so it needs room on the disk.
const std::string stored = "[General]\nfirstRun=false\nhavePrefs=100\ntheme=2\n";

bool waitFor(const std::function<bool()>& done, int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > milliseconds) return false;
        QCoreApplication::processEvents();
        QThread::msleep(25);
    }
    return true;
}

// Lets the program go on for a while, as a user would wait to see what comes.
void pause(int milliseconds) {
    waitFor([] { return false; }, milliseconds);
}

// The shown top-level window titled `title` that stands over `over`.
std::optional<XWindow> windowTitled(XWindows& display, const std::string& title, xcb_window_t over) {
    for (const XWindow& window : display.shown()) {
        if (window.title == title && window.over == over) return window;
    }
    return std::nullopt;
}

std::optional<XWindow> mainWindow(XWindows& display) { return windowTitled(display, "Vadididod", XCB_NONE); }

// What the child found, as text lines of `name=value` with line breaks in
// values written as "\n".
class Findings {
public:
    void note(const std::string& name, const std::string& value) {
        std::string escaped;
        for (const char c : value) escaped += c == '\n' ? std::string("\\n") : std::string(1, c);
        text_ += name + '=' + escaped + '\n';
    }
    const std::string& text() const { return text_; }

    static std::map<std::string, std::string> read(const std::string& text) {
        std::map<std::string, std::string> findings;
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line);) {
            const auto equals = line.find('=');
            if (equals == std::string::npos) continue;
            std::string value;
            for (std::size_t i = equals + 1; i < line.size(); ++i) {
                if (line[i] == '\\' && i + 1 < line.size() && line[i + 1] == 'n') {
                    value += '\n';
                    ++i;
                } else {
                    value += line[i];
                }
            }
            findings[line.substr(0, equals)] = value;
        }
        return findings;
    }

private:
    std::string text_;
};

// The user's hand on the running program.
class User {
public:
    explicit User(XWindows& display) : display_(display) {}

    // The text of the one message over the main window, as the user copies it:
    // a click into its text, select all, copy. Empty when no message comes.
    std::string copyMessage(const XWindow& main) {
        std::optional<XWindow> message;
        if (!waitFor([&] { return (message = windowTitled(display_, "Settings", main.id)).has_value(); }, 10000)) {
            return {};
        }
        QGuiApplication::clipboard()->clear();
        display_.focus(message->id);
        display_.click(message->id, message->width / 2, message->height / 4);
        display_.key(message->id, 'a', XCB_MOD_MASK_CONTROL);
        display_.key(message->id, 'c', XCB_MOD_MASK_CONTROL);
        QString copied;
        waitFor([&] { return !(copied = QGuiApplication::clipboard()->text()).isEmpty(); }, 5000);
        dismiss(*message, main);
        return copied.toStdString();
    }

    // Opens the preferences sheet with the toolbar's Settings button, which is
    // looked for along the toolbar as a user would; a click that opens the
    // calendar sheet instead closes it again. None when no click opens it.
    std::optional<XWindow> openPreferences(const XWindow& main) {
        if (button_) {
            bool calendar = false;
            if (auto sheet = clickButton(main, button_->first, button_->second, calendar)) return sheet;
        }
        // The toolbar's first button, Calendar, lies at its left end: down
        // that edge to the toolbar's row, then along the row.
        constexpr int left = 30;   // past the toolbar's handle
        std::optional<int> row;
        for (int y = 24; y <= 80 && !row; y += 4) {
            bool calendar = false;
            if (auto sheet = clickButton(main, left, y, calendar)) {
                button_.emplace(left, y);
                return sheet;
            }
            if (calendar) row = y;
        }
        for (int x = left + calendarStep; row && x < main.width / 2; x += 10) {
            bool calendar = false;
            if (auto sheet = clickButton(main, x, *row, calendar)) {
                button_.emplace(x, *row);
                return sheet;
            }
            if (calendar) x += calendarStep;   // still on the Calendar button
        }
        return std::nullopt;
    }

    // Closes a sheet with Escape; its changes are kept as they are with Done.
    bool close(const XWindow& sheet, const XWindow& main) {
        return dismiss(sheet, main);
    }

    void keys(const XWindow& window, std::initializer_list<std::uint32_t> keysyms) {
        display_.focus(window.id);
        for (const std::uint32_t keysym : keysyms) display_.key(window.id, keysym);
    }
    void type(const XWindow& window, const std::string& text) { display_.type(window.id, text); }

private:
    // The sheet a click at (x, y) opened; `calendar`: it opened the calendar
    // sheet, which is closed again.
    std::optional<XWindow> clickButton(const XWindow& main, int x, int y, bool& calendar) {
        display_.click(main.id, x, y);
        std::optional<XWindow> sheet;
        std::optional<XWindow> calendarSheet;
        // Long enough for a program slowed by a loaded machine or a sanitizer:
        // a sheet that opened after it would take the clicks that follow.
        waitFor([&] {
            sheet = windowTitled(display_, "Settings", main.id);
            calendarSheet = windowTitled(display_, "Calendar", main.id);
            return sheet || calendarSheet;
        }, 1500);
        calendar = calendarSheet.has_value();
        if (calendarSheet) dismiss(*calendarSheet, main);
        return sheet;
    }

    // How far a click past the one that opened the calendar sheet goes on
    // along its row, in pixels: about half the width of the button's word.
    static constexpr int calendarStep = 20;

    // Escape to `window` until it is gone: a window just shown may not take
    // keys yet on a loaded machine, and a key it misses is lost.
    bool dismiss(const XWindow& window, const XWindow& main) {
        for (int tries = 0; tries < 30; ++tries) {
            display_.focus(window.id);
            display_.key(window.id, escapeKey);
            if (waitFor([&] { return !windowTitled(display_, window.title, main.id); }, 1000)) return true;
        }
        return false;
    }

    XWindows& display_;
    std::optional<std::pair<int, int>> button_;
};

// In the child, in its mount namespace: the whole run of the program, and
// then a start after it. What it finds goes to the test as text.
std::string runOnAFillingDisk(const std::string& config) {
    Findings found;
    if (!testsupport::mountPrivateTmpfs(config, "64k")) {
        found.note("skip", "a tmpfs cannot be mounted in a mount namespace of the test's own here (it needs root)");
        return found.text();
    }
    const std::string store = config + "/Tarnwick/Vadididod.conf";
    const std::string filler = config + "/filler";
    if (::mkdir((config + "/Tarnwick").c_str(), 0700) != 0 || !testsupport::writeWholeFile(store, stored) ||
        !testsupport::fillUp(filler)) {
        found.note("failed", "the full disk could not be made");
        return found.text();
    }
    found.note("store", store);

    int argc = 1;
    char name[] = "full_disk_window_test";
    char* argv[] = {name, nullptr};
    QGuiApplication application(argc, argv);
    XWindows display;
    if (!display.connected()) {
        found.note("failed", "no X display");
        return found.text();
    }
    User user(display);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromStdString(config));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(VADIDIDOD_PROGRAM), {});
    std::optional<XWindow> main;
    if (!waitFor([&] { return (main = mainWindow(display)).has_value(); }, 10000)) {
        found.note("failed", "the main window did not show");
        program.kill();
        program.waitForFinished();
        return found.text();
    }

    // The save at the first show fails.
    found.note("toldAtStart", user.copyMessage(*main));

    // The user switches on specific coordinates: the save fails again, for the same cause.
    if (auto sheet = user.openPreferences(*main)) {
        user.keys(*sheet, {tabKey, tabKey, ' '});   // past Done and the form, to the first switch
        pause(300);
        found.note("closedFirstSheet", user.close(*sheet, *main) ? "yes" : "no");
        pause(500);
        found.note("toldAgain", windowTitled(display, "Settings", main->id) ? "yes" : "no");
    } else {
        found.note("failed", "the preferences sheet did not open");
    }

    // Room again: the user gives a latitude, which shows with the switch on.
    ::unlink(filler.c_str());
    if (auto sheet = user.openPreferences(*main)) {
        user.keys(*sheet, {tabKey, tabKey, tabKey});
        pause(300);   // the field selects its text once it has the focus
        user.type(*sheet, "48.25");
        pause(300);
        found.note("closedSecondSheet", user.close(*sheet, *main) ? "yes" : "no");
        pause(500);
        found.note("toldAfterRoom", windowTitled(display, "Settings", main->id) ? "yes" : "no");
    }

    program.terminate();
    program.waitForFinished(10000);
    found.note("ended", program.exitStatus() == QProcess::NormalExit && program.exitCode() == 0 ? "cleanly" : "not");
    found.note("console", program.readAllStandardOutput().toStdString());
    found.note("saved", testsupport::contentsOf(store));

    // The next start reads it all, says nothing, and leaves the file as it is.
    struct stat before {};
    ::stat(store.c_str(), &before);
    QProcess next;
    environment.insert(QStringLiteral("VADIDIDOD_QUIT_AFTER_FIRST_SHOW"), QStringLiteral("1"));
    next.setProcessEnvironment(environment);
    next.start(QStringLiteral(VADIDIDOD_PROGRAM), {});
    next.waitForFinished(20000);
    found.note("nextConsole", next.readAllStandardOutput().toStdString());
    struct stat after {};
    ::stat(store.c_str(), &after);
    found.note("nextLeftTheFile", after.st_ino == before.st_ino && after.st_mtim.tv_nsec == before.st_mtim.tv_nsec &&
                                          after.st_mtim.tv_sec == before.st_mtim.tv_sec
                                      ? "untouched"
                                      : "written");
    found.note("nextSaw", testsupport::contentsOf(store));
    return found.text();
}

TEST(FullDiskWindow, AFailedSaveIsToldOverTheWindowAndALaterOneWritesWhatTheUserChose) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const std::string config = QFile::encodeName(home.filePath(QStringLiteral("config"))).toStdString();
    ASSERT_EQ(::mkdir(config.c_str(), 0700), 0);

    const auto run = testsupport::runInChild([&] { return runOnAFillingDisk(config); });
    ASSERT_TRUE(WIFEXITED(run.status) && WEXITSTATUS(run.status) == 0) << "the test's child ended badly";
    auto found = Findings::read(run.output);
    if (found.count("skip")) GTEST_SKIP() << found["skip"];
    ASSERT_EQ(found.count("failed"), 0u) << found["failed"];

    const std::string store = found["store"];
    EXPECT_NE(found["toldAtStart"].find(store + " (write: No space left on device)"), std::string::npos)
        << "the message said: " << found["toldAtStart"];
    EXPECT_EQ(found["closedFirstSheet"], "yes");
    EXPECT_EQ(found["toldAgain"], "no") << "a second failure of the same cause is not told again";
    EXPECT_EQ(found["closedSecondSheet"], "yes");
    EXPECT_EQ(found["toldAfterRoom"], "no");
    EXPECT_EQ(found["ended"], "cleanly");
    const std::string& console = found["console"];
    std::size_t failures = 0;
    for (auto at = console.find("could not be written"); at != std::string::npos;
         at = console.find("could not be written", at + 1)) {
        ++failures;
    }
    EXPECT_GE(failures, 2u) << "each failure is said on the console:\n" << console;

    for (const char* line : {"\nspecificCoords=true\n", "\ncoordsLat=48.25\n", "\ntheme=2\n", "\nhavePrefs=100\n"}) {
        EXPECT_NE(found["saved"].find(line), std::string::npos) << line << " is not in\n" << found["saved"];
    }
    EXPECT_EQ(found["nextConsole"], "");
    EXPECT_EQ(found["nextLeftTheFile"], "untouched");
    EXPECT_EQ(found["nextSaw"], found["saved"]);
}

} // namespace
