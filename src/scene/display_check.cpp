#include "scene/display_check.h"

#include <QByteArray>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace scene {
namespace {

[[noreturn]] void endWith(const std::string& line) {
    std::fputs(line.c_str(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
    std::_Exit(noDisplayStatus);
}

[[noreturn]] void endForLackOfDisplay() { endWith(noDisplayLine); }

bool isSet(const char* variable) { return !qEnvironmentVariableIsEmpty(variable); }

bool platformChosenOnCommandLine(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "-platform" || argument == "--platform" || argument.startsWith("-platform=")) return true;
    }
    return false;
}

// Qt's own choice, when nothing else names the platform, is X11 or Wayland;
// both need their display named.
bool environmentNamesNoDisplay(int argc, char* argv[]) {
    if (isSet("QT_QPA_PLATFORM") || platformChosenOnCommandLine(argc, argv)) return false;
    return !isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY");
}

struct HeldMessage {
    QtMsgType type;
    std::string file;
    int line;
    std::string function;
    std::string category;
    QString text;
};

// Qt says a few lines while it starts; a flood beyond this is not kept.
constexpr std::size_t heldMessagesLimit = 256;

std::vector<HeldMessage>& heldMessages() {
    static std::vector<HeldMessage> held;
    return held;
}

QtMessageHandler& previousHandler() {
    static QtMessageHandler previous = nullptr;
    return previous;
}

// A name from the environment or Qt as the console shows it: short, and
// nothing a terminal would take as a command.
std::string shown(QStringView name, qsizetype longest = 64) {
    QString text = name.left(longest).toString();
    for (QChar& c : text) {
        if (!c.isPrint()) c = QLatin1Char('?');
    }
    return text.toStdString();
}

// The text of Qt's message after `lead`, up to the end of its line; none when
// the message does not begin so (`anywhere`: does not hold it).
std::optional<QStringView> after(const QString& text, QLatin1String lead, bool anywhere = false) {
    const qsizetype at = anywhere ? text.indexOf(lead) : (text.startsWith(lead) ? 0 : -1);
    if (at < 0) return std::nullopt;
    QStringView rest = QStringView(text).sliced(at + lead.size());
    const qsizetype end = rest.indexOf(u'\n');
    return (end < 0 ? rest : rest.first(end)).trimmed();
}

// Why Qt could start no platform, from what it said while it tried: each
// platform it does not know (then also those it offers, as its fatal message
// lists them) and each X display it could not open. Without either, nothing
// named a display to open.
std::string failureLine(const QString& fatalText) {
    std::vector<std::string> causes;
    std::vector<std::string> displays;
    for (const HeldMessage& message : heldMessages()) {
        if (auto display = after(message.text, QLatin1String("could not connect to display"))) {
            if (!display->isEmpty()) displays.push_back("cannot open display " + shown(*display));
        } else if (auto plugin = after(message.text, QLatin1String("Could not find the Qt platform plugin \""))) {
            const qsizetype quote = plugin->indexOf(u'"');
            causes.push_back("unknown platform \"" + shown(quote < 0 ? *plugin : plugin->first(quote)) + "\"");
        }
    }
    if (causes.empty() && displays.empty()) return noDisplayLine;
    if (!causes.empty()) {
        auto available = after(fatalText, QLatin1String("Available platform plugins are:"), true);
        if (available && available->endsWith(u'.')) available->chop(1);
        if (available && !available->isEmpty()) {
            causes.push_back("available platforms: " + shown(*available, 400));
        }
    }
    if (!displays.empty()) {
        causes.insert(causes.end(), displays.begin(), displays.end());
        causes.push_back("check DISPLAY, or set QT_QPA_PLATFORM=offscreen to run headless");
    }
    std::string line = "Vadididod: ";
    for (std::size_t i = 0; i < causes.size(); ++i) line += (i == 0 ? "" : "; ") + causes[i];
    return line + ".";
}

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        // The platform plugin's failure: Qt could start no platform.
        if (text.contains(QLatin1String("platform plugin"))) endWith(failureLine(text));
        previousHandler()(type, context, text);
        return;
    }
    if (heldMessages().size() >= heldMessagesLimit) return;
    heldMessages().push_back({type, context.file ? context.file : "", context.line,
                              context.function ? context.function : "", context.category ? context.category : "",
                              text});
}

} // namespace

void makeApplicationWithDisplay(std::optional<QApplication>& application, int& argc, char* argv[]) {
    if (environmentNamesNoDisplay(argc, argv)) endForLackOfDisplay();

    previousHandler() = qInstallMessageHandler(holdMessage);
    application.emplace(argc, argv);
    qInstallMessageHandler(previousHandler());
    for (const HeldMessage& message : heldMessages()) {
        const QMessageLogContext context(message.file.c_str(), message.line, message.function.c_str(),
                                         message.category.c_str());
        qt_message_output(message.type, context, message.text);
    }
    heldMessages().clear();
}

} // namespace scene
