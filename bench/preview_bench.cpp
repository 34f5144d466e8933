// preview_bench: drop-to-preview time and memory for large JPEGs, against a full-size decode
// and against libjpeg-turbo's own scaled decode (djpeg -scale 1/8) of the same files.
// With `--peak MODEL` it drops one model and prints its peak resident memory in KiB.
#include "bench/bench_table.h"
#include "bench/median.h"
#include "bench/photo.h"
#include "bench/proc_status.h"
#include "tests/window/qt/open_form.h"

#include <QApplication>
#include <QImageReader>
#include <QProcess>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

void WriteJpeg(const QString& path, int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < width; ++x) {
            line[x] = 0xFF000000 | PhotoPixel(x, y, width, height);
        }
    }
    picture.save(path, "JPG", 90);
}

void DropModel(FormDriver& form, const QString& model) {
    if (!form.drop({model.toStdU16String()})) {
        qFatal("the form refused the drop");
    }
}

double PeakKiB(const QString& model) {
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {u"--peak"_s, model});
    child.waitForFinished(-1);
    return child.readAllStandardOutput().trimmed().toDouble();
}

int MeasurePeak(const QString& model) {
    const std::unique_ptr<FormDriver> form = OpenForm();
    DropModel(*form, model);
    // Not the driver's getrusage figure: Linux carries that over exec from the parent, which
    // held the whole photo while encoding it.
    std::printf("%ld\n", StatusKiB(getpid(), "VmHWM"));
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc == 3 && QString::fromLocal8Bit(argv[1]) == u"--peak") {
        return MeasurePeak(QString::fromLocal8Bit(argv[2]));
    }

    const std::unique_ptr<FormDriver> form = OpenForm();
    const auto scratch = [&form](const QString& name) {
        return QString::fromStdU16String(form->path(name.toStdU16String()));
    };
    const double baseline = PeakKiB(scratch(u"none.model"_s));
    for (const PhotoSize& size : kPhotoSizes) {
        const QString name = u"photo%1"_s.arg(size.megapixels);
        const QString jpeg = scratch(name + u".jpg"_s);
        const QString model = scratch(name + u".model"_s);
        WriteJpeg(jpeg, size.width, size.height);

        const double drop = MedianMilliseconds(9, [&] { DropModel(*form, model); });
        const double djpeg = MedianMilliseconds(9, [&] {
            QProcess::execute(u"djpeg"_s,
                              {u"-scale"_s, u"1/8"_s, u"-outfile"_s, u"/dev/null"_s, jpeg});
        });
        const std::string label = std::to_string(size.megapixels) + " MP";
        PrintRow("preview " + label + ": drop to preview, ms, vs djpeg -scale 1/8", drop,
                 Format(djpeg), Format(drop / djpeg), "<= 1.50 x", drop <= 1.5 * djpeg);
        if (size.megapixels == 24) {
            const double full = MedianMilliseconds(3, [&] {
                QImageReader reader(jpeg);
                reader.setAllocationLimit(0);
                reader.read();
            });
            // No target: scaled decoding still reads every Huffman-coded coefficient, so the
            // floor's own speed-up over the full decode bounds ours.
            PrintRow("preview " + label + ": drop to preview, ms, vs full-size decode", drop,
                     Format(full), Format(full / drop) + " x faster", "-", std::nullopt);
            PrintRow("preview " + label + ": djpeg -scale 1/8 vs full-size decode, ms", djpeg,
                     Format(full), Format(full / djpeg) + " x faster", "-", std::nullopt);
        }
        // Beyond a picture-free drop, memory may grow by the decoder's 1/8-scale output and a
        // fixed allowance for its working rows, never with the picture itself.
        const double growth = (PeakKiB(model) - baseline) / 1024.0;
        const double allowed = (size.width / 8.0) * (size.height / 8.0) * 4 / 1048576 + 2;
        PrintRow("preview " + label + ": peak RSS over a drop without picture, MiB", growth, "-",
                 "-", "<= " + Format(allowed) + " MiB", growth <= allowed);
    }
    return 0;
}
