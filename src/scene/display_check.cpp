#include "scene/display_check.h"

#include <QByteArray>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace scene {
namespace {

[[noreturn]] void endForLackOfDisplay() {
    std::fputs(noDisplayLine, stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
    std::_Exit(noDisplayStatus);
}

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

std::vector<HeldMessage>& heldMessages() {
    static std::vector<HeldMessage> held;
    return held;
}

QtMessageHandler& previousHandler() {
    static QtMessageHandler previous = nullptr;
    return previous;
}

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        // The platform plugin's failure: Qt found no display it could open.
        if (text.contains(QLatin1String("platform plugin"))) endForLackOfDisplay();
        previousHandler()(type, context, text);
        return;
    }
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
