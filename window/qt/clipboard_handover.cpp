#include "window/qt/clipboard_handover.h"

#include "window/qt/platform.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

// The program that keeps serving a text piped into it, and returns once it does.
QString Keeper() {
    if (OnX11()) {
        return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                               u"/" KARVOSEL_HELPER_FROM_BINDIR "/karvosel-clipboard"_s);
    }
    if (OnWayland()) {
        return QStandardPaths::findExecutable(u"wl-copy"_s);
    }
    return {};
}

}  // namespace

void KeepClipboardAfterExit() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QString keeper = Keeper();
    if (keeper.isEmpty() || !clipboard->ownsClipboard()) {
        return;
    }
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(keeper, {});
    if (!process.waitForStarted(1000)) {
        return;
    }
    process.write(clipboard->text().toUtf8());
    process.closeWriteChannel();
    process.waitForFinished(2000);
}
