// What a person may drop on the window that it must survive: pictures that are no pictures,
// files that block, odd paths, and many drops in a row.
#include "tests/window/qt/open_form.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

#include <memory>

#include <malloc.h>
#include <sys/resource.h>
#include <sys/stat.h>

#if defined(__SANITIZE_ADDRESS__)
// From the sanitizer runtime's interface; GCC ships the runtime but not its header.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

using namespace Qt::StringLiterals;

namespace {

// A JPEG whose frame header claims `width` by `height` pixels over a tiny picture's data.
QByteArray JpegClaiming(quint16 width, quint16 height) {
    QByteArray jpeg = Picture(Qt::green);
    const qsizetype frame = jpeg.indexOf("\xFF\xC0");  // baseline start-of-frame
    jpeg[frame + 5] = static_cast<char>(height >> 8);
    jpeg[frame + 6] = static_cast<char>(height & 0xFF);
    jpeg[frame + 7] = static_cast<char>(width >> 8);
    jpeg[frame + 8] = static_cast<char>(width & 0xFF);
    return jpeg;
}

long PeakResidentKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Bytes the program holds on the heap now; the sanitizer's own count, where it replaces malloc.
std::size_t LiveHeapBytes() {
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

}  // namespace

class HostileInputTest final : public QObject {
    Q_OBJECT

private slots:
    void init() { m_open = std::make_unique<OpenForm>(); }
    void cleanup() { m_open.reset(); }

    void badPictureBesideAModel_data();
    void badPictureBesideAModel();
    void oddPathReachesTheLineExactly_data();
    void oddPathReachesTheLineExactly();
    void thousandDropsKeepTheHeapFlat();

private:
    std::unique_ptr<OpenForm> m_open;
};

void HostileInputTest::badPictureBesideAModel_data() {
    QTest::addColumn<QString>("kind");
    for (const char* kind : {"none", "text", "huge", "directory", "fifo"}) {
        QTest::newRow(kind) << QString::fromLatin1(kind);
    }
}

// The earlier preview stays, the drop itself is taken, and nothing blocks or decodes at full
// size.
void HostileInputTest::badPictureBesideAModel() {
    QFETCH(QString, kind);
    WriteFile(m_open->path(u"first.jpg"_s), Picture(Qt::red));
    QVERIFY(m_open->dropFile(m_open->path(u"first.model"_s)));
    const qint64 firstPicture = m_open->control<QLabel>(u"Image1"_s)->pixmap().cacheKey();

    const QString picture = m_open->path(u"second.jpg"_s);
    if (kind == u"text") {
        WriteFile(picture, "not a picture\n");
    } else if (kind == u"huge") {
        WriteFile(picture, JpegClaiming(60000, 60000));
    } else if (kind == u"directory") {
        QVERIFY(QDir(m_open->path({})).mkdir(u"second.jpg"_s));
    } else if (kind == u"fifo") {
        QVERIFY(::mkfifo(QFile::encodeName(picture).constData(), 0600) == 0);
    }

    const long peakBefore = PeakResidentKilobytes();
    const QString model = m_open->path(u"second.model"_s);
    QVERIFY(m_open->dropFile(model));  // a blocking open would stop here: the test times out
    QVERIFY2(PeakResidentKilobytes() - peakBefore < 64 * 1024, "the preview decoded at full size");
    QCOMPARE(m_open->control<QLabel>(u"Label1"_s)->text(), u"second"_s);
    QCOMPARE(m_open->copy(), uR"(Vandrelix.exe "%1" -xi -xa -ws[400,600] -cc[0,11,0])"_s.arg(
                                 QDir::toNativeSeparators(model)));
    QCOMPARE(m_open->control<QLabel>(u"Image1"_s)->pixmap().cacheKey(), firstPicture);
}

void HostileInputTest::oddPathReachesTheLineExactly_data() {
    // A path is copied exactly, or refused with a message naming the character at fault.
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("refusedFor");
    QTest::newRow("blanks, cjk, outside the bmp")
        << u"/home/用户/a b/\U0001F916 %20#x?&.model"_s << QString();
    QTest::newRow("backslash in a name") << u"/m/a\\b.model"_s << QString();
    QTest::newRow("double quote") << u"/m/a\"&calc&\".model"_s << u"\""_s;
    QTest::newRow("dollar, in a shell") << u"/m/$(reboot).model"_s << u"$"_s;
}

void HostileInputTest::oddPathReachesTheLineExactly() {
    QFETCH(QString, path);
    QFETCH(QString, refusedFor);
    QVERIFY(m_open->dropFile(path));
    QCOMPARE(m_open->control<QLineEdit>(u"Text1"_s)->text(), path);
    const QString clipboard = m_open->copy();
    auto* message = m_open->form().findChild<QMessageBox*>();
    if (refusedFor.isEmpty()) {
        QCOMPARE(clipboard, uR"(Vandrelix.exe "%1" -xi -xa -ws[400,600] -cc[0,11,0])"_s.arg(path));
        QVERIFY(message == nullptr);
    } else {
        QCOMPARE(clipboard, u"untouched"_s);
        QVERIFY(message != nullptr);
        QVERIFY2(message->text().contains(refusedFor), qPrintable(message->text()));
    }
}

void HostileInputTest::thousandDropsKeepTheHeapFlat() {
    const QStringList models{m_open->path(u"red.model"_s), m_open->path(u"blue.model"_s)};
    WriteFile(m_open->path(u"red.jpg"_s), Picture(Qt::red));
    WriteFile(m_open->path(u"blue.jpg"_s), Picture(Qt::blue));
    std::size_t settled = 0;
    for (int drop = 1; drop <= 1000; ++drop) {
        QVERIFY(m_open->dropFile(models[drop % 2]));
        if (drop == 100) {
            settled = LiveHeapBytes();
        }
    }
    const auto growth = static_cast<qint64>(LiveHeapBytes()) - static_cast<qint64>(settled);
    QVERIFY2(growth < 256 * 1024, qPrintable(u"the heap grew by %1 bytes"_s.arg(growth)));
    QCOMPARE(m_open->control<QLabel>(u"Label1"_s)->text(), u"red"_s);
}

QTEST_MAIN(HostileInputTest)
#include "hostile_input_test.moc"
