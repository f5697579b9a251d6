#pragma once
// A stand-in for the desktop's opener of web addresses: an xdg-open, alone on
// the PATH while the object lives, that writes each address it is given on a
// line of its own (or another shell word, such as a variable of the
// environment it was given) and ends with a chosen status (non-zero, as when it
// finds no browser).

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace testsupport {

class StandInOpener {
public:
    explicit StandInOpener(int status, const QByteArray& written = "\"$1\"") : path_(qgetenv("PATH")) {
        QFile script(dir_.filePath(QStringLiteral("xdg-open")));
        script.open(QIODevice::WriteOnly);
        script.write("#!/bin/sh\necho " + written + " >> '" + dir_.filePath(QStringLiteral("opened")).toLocal8Bit() +
                     "'\nexit " + QByteArray::number(status) + "\n");
        script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        script.close();
        qputenv("PATH", dir_.path().toLocal8Bit());
    }
    ~StandInOpener() { qputenv("PATH", path_); }
    StandInOpener(const StandInOpener&) = delete;
    StandInOpener& operator=(const StandInOpener&) = delete;

    // The addresses given so far, in order.
    QStringList opened() const {
        QFile file(dir_.filePath(QStringLiteral("opened")));
        if (!file.open(QIODevice::ReadOnly)) return {};
        return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private:
    QTemporaryDir dir_;
    QByteArray path_;
};

} // namespace testsupport
