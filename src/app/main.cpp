#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vadididod"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Vadididod"));
    window.resize(480, 640);
    window.show();
    return QApplication::exec();
}
