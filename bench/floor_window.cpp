// The floor for start-up: the least a Qt Widgets program shows, one label in a window. The
// label shows its first argument, so the floor can show text in the window's own language.
#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QLabel label(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("Karvosel"));
    label.show();
    return application.exec();
}
