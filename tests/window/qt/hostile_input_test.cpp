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
#include <unistd.h>

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

// A 1 by 1 GIF of one red pixel; Qt reads GIF but cannot write it.
QByteArray RedGif() {
    static const char gif[] =
        "GIF89a\x01\x00\x01\x00\x80\x00\x00\xFF\x00\x00\x00\x00\x00"
        ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;";
    return QByteArray(gif, sizeof gif - 1);
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

enum class Preview { Keeps, Shows, Either };

}  // namespace

Q_DECLARE_METATYPE(Preview)

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
    QTest::addColumn<Preview>("preview");
    QTest::newRow("no picture") << u"none"_s << Preview::Keeps;
    QTest::newRow("empty file") << u"empty"_s << Preview::Keeps;
    QTest::newRow("truncated header") << u"truncated header"_s << Preview::Keeps;
    QTest::newRow("truncated data") << u"truncated data"_s << Preview::Either;
    QTest::newRow("header claims 60000x60000") << u"huge"_s << Preview::Keeps;
    QTest::newRow("png named .jpg") << u"png"_s << Preview::Shows;
    QTest::newRow("gif named .jpg") << u"gif"_s << Preview::Shows;
    QTest::newRow("text named .jpg") << u"text"_s << Preview::Keeps;
    QTest::newRow("directory named .jpg") << u"directory"_s << Preview::Keeps;
    QTest::newRow("fifo named .jpg") << u"fifo"_s << Preview::Keeps;
    QTest::newRow("link to a device") << u"device"_s << Preview::Keeps;
    QTest::newRow("symlink loop") << u"loop"_s << Preview::Keeps;
    QTest::newRow("no read permission") << u"unreadable"_s << Preview::Keeps;
}

void HostileInputTest::badPictureBesideAModel() {
    QFETCH(QString, kind);
    QFETCH(Preview, preview);
    WriteFile(m_open->path(u"first.jpg"_s), Picture(Qt::red));
    QVERIFY(m_open->dropFile(m_open->path(u"first.model"_s)));
    const qint64 firstPicture = m_open->control<QLabel>(u"Image1"_s)->pixmap().cacheKey();

    const QString picture = m_open->path(u"second.jpg"_s);
    const QByteArray file = QFile::encodeName(picture);
    if (kind == u"empty") {
        WriteFile(picture, {});
    } else if (kind == u"truncated header") {
        WriteFile(picture, Picture(Qt::blue).left(40));
    } else if (kind == u"truncated data") {
        const QByteArray jpeg = Picture(Qt::blue);
        WriteFile(picture, jpeg.left(jpeg.size() * 9 / 10));
    } else if (kind == u"huge") {
        WriteFile(picture, JpegClaiming(60000, 60000));
    } else if (kind == u"png") {
        WriteFile(picture, Picture(Qt::blue, "PNG"));
    } else if (kind == u"gif") {
        WriteFile(picture, RedGif());
    } else if (kind == u"text") {
        WriteFile(picture, "not a picture\n");
    } else if (kind == u"directory") {
        QVERIFY(QDir(m_open->path({})).mkdir(u"second.jpg"_s));
    } else if (kind == u"fifo") {
        QVERIFY(::mkfifo(file.constData(), 0600) == 0);
    } else if (kind == u"device") {
        QVERIFY(::symlink("/dev/zero", file.constData()) == 0);
    } else if (kind == u"loop") {
        QVERIFY(::symlink(file.constData(), file.constData()) == 0);
    } else if (kind == u"unreadable") {
        if (::geteuid() == 0) {
            QSKIP("root reads any file, so a file without read permission cannot be made here");
        }
        WriteFile(picture, Picture(Qt::blue));
        QVERIFY(::chmod(file.constData(), 0) == 0);
    }

    const long peakBefore = PeakResidentKilobytes();
    const QString model = m_open->path(u"second.model"_s);
    QVERIFY(m_open->dropFile(model));  // a blocking open would stop here: the test times out

    QVERIFY2(PeakResidentKilobytes() - peakBefore < 64 * 1024, "the preview decoded at full size");
    QCOMPARE(m_open->control<QLabel>(u"Label1"_s)->text(), u"second"_s);
    QCOMPARE(m_open->control<QLineEdit>(u"Text1"_s)->text(), QDir::toNativeSeparators(model));
    QCOMPARE(m_open->copy(), uR"(Vandrelix.exe "%1" -xi -xa -ws[400,600] -cc[0,11,0])"_s.arg(
                                 QDir::toNativeSeparators(model)));
    const qint64 shown = m_open->control<QLabel>(u"Image1"_s)->pixmap().cacheKey();
    if (preview == Preview::Keeps) {
        QCOMPARE(shown, firstPicture);
    } else if (preview == Preview::Shows) {
        QVERIFY(shown != firstPicture);
        QCOMPARE(m_open->shownPicture().pixelColor(4, 4).red() > 200, kind == u"gif");
    }
}

void HostileInputTest::oddPathReachesTheLineExactly_data() {
    // A path is copied exactly, or refused with a message naming the character at fault.
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("refusedFor");
    QString deep = u"/"_s;
    while (deep.size() < 3990) {
        deep += QString(99, u'd') + u'/';
    }
    deep += u"m.model"_s;
    QTest::newRow("blanks") << u"/tmp/a b/  two  blanks .model"_s << QString();
    QTest::newRow("cjk") << u"/home/用户/模型/机器人.model"_s << QString();
    QTest::newRow("outside the bmp") << u"/home/\U0001F916/\U0001F600.model"_s << QString();
    QTest::newRow("4000 characters") << deep << QString();
    QTest::newRow("root") << u"/"_s << QString();
    QTest::newRow("several dots") << u"/m/a..b...model"_s << QString();
    QTest::newRow("url characters") << u"/m/%20 #x?y=1&z.model"_s << QString();
    QTest::newRow("backslash in a name") << u"/m/a\\b.model"_s << QString();
    QTest::newRow("double quote") << u"/m/a\"&calc&\".model"_s << u"\""_s;
    QTest::newRow("newline") << u"/m/a\nrm -rf x.model"_s << u"U+000A"_s;
    QTest::newRow("dollar") << u"/m/$(reboot).model"_s << u"$"_s;
    QTest::newRow("backtick") << u"/m/`id`.model"_s << u"`"_s;
    QTest::newRow("exclamation mark") << u"/m/wow!great.model"_s << u"!"_s;
    QTest::newRow("backslash at the end") << u"/m/models\\"_s << u"\\"_s;
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
