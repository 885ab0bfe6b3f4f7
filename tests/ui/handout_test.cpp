// Handouts of a tuning: the PDF's words are text and its marks shapes, a PNG is drawn at its
// zoom, and the CSV's numbers are the tuning's cents and the readout panel's frequencies.
#include "support/window_test_support.h"

#include "core/presets.h"
#include "ui/export/handout.h"
#include "ui/layout/window_layout.h"
#include "ui/panel/readout_panel.h"
#include "ui/texts/control_names.h"

#include <QImage>
#include <QProcess>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

Handout handoutOf(klangora::PresetId preset, const QString& name) {
    return {name, klangora::Tuning::preset(preset), true, {}};
}

// What the readout panel shows for a tuning in one mode, as the window shows it.
QStringList panelReadouts(klangora::PresetId preset, const char* mode) {
    QWidget window;
    TuningModel model;
    model.setTuning(klangora::Tuning::preset(preset));
    ReadoutPanel panel(buildPanel(window), model, &window);
    panel.opdaterLabel();
    window.findChild<QRadioButton*>(mode)->click();
    QStringList shown;
    for (int tone = 1; tone <= 13; ++tone) {
        shown << window.findChild<QLabel*>(controls::readoutName(tone))->text();
    }
    return shown;
}

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Squared steps between horizontal neighbours: a sharp edge counts fully, one blurred over two
// pixels half.
double edgeEnergy(const QImage& image) {
    double energy = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 1; x < image.width(); ++x) {
            const int step = qGray(image.pixel(x, y)) - qGray(image.pixel(x - 1, y));
            energy += step * step;
        }
    }
    return energy;
}

// The share of 2x2 blocks, starting at odd pixels, that are not one colour: none in a picture
// enlarged by repeating its pixels.
double unevenBlocks(const QImage& image) {
    int uneven = 0;
    int blocks = 0;
    for (int y = 1; y + 1 < image.height(); y += 2) {
        for (int x = 1; x + 1 < image.width(); x += 2) {
            const QRgb p = image.pixel(x, y);
            ++blocks;
            uneven += p != image.pixel(x + 1, y) || p != image.pixel(x, y + 1) ? 1 : 0;
        }
    }
    return static_cast<double>(uneven) / blocks;
}

} // namespace

class HandoutTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void pdfHoldsTheNameAndEveryReadoutAsTextAndTheMarksAsShapes_data() {
        QTest::addColumn<int>("preset");
        QTest::addColumn<QString>("locale");
        QTest::newRow("Pythagorean") << int(klangora::PresetId::pyt) << "C";
        QTest::newRow("meantone, Danish numbers") << int(klangora::PresetId::praet) << "da_DK";
    }

    void pdfHoldsTheNameAndEveryReadoutAsTextAndTheMarksAsShapes() {
        QFETCH(int, preset);
        QFETCH(QString, locale);
        QLocale::setDefault(QLocale(locale));
        const auto id = static_cast<klangora::PresetId>(preset);
        const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
        QVERIFY2(!pdftotext.isEmpty(), "pdftotext (poppler-utils) is not installed");
        QTemporaryDir dir;
        const QString file = dir.filePath("handout.pdf");
        QCOMPARE(writeHandout(handoutOf(id, "Stemningen Æøå"), file), QString());
        const QString text = run(pdftotext, {"-raw", file, "-"});
        QVERIFY2(text.contains("Stemningen Æøå"), qPrintable(text));
        for (const char* mode : {"rbFre", "rbCent", "rbterts", "rbkvint"}) {
            const QStringList readouts = panelReadouts(id, mode);
            for (const QString& readout : readouts) {
                QVERIFY2(text.contains(readout), qPrintable(QString(mode) + ": " + readout));
            }
        }
        // No picture in the file: the marks and bars are drawn as paths.
        const QString images = run(QStandardPaths::findExecutable("pdfimages"), {"-list", file});
        QCOMPARE(images.count('\n'), 2); // the list's two heading lines and no image
    }

    void pngIsDrawnAtItsZoom() {
        QTemporaryDir dir;
        const Handout handout = handoutOf(klangora::PresetId::lige, "Ligesvævende");
        QCOMPARE(writeHandout(handout, dir.filePath("100.png"), 1.0), QString());
        QCOMPARE(writeHandout(handout, dir.filePath("200.png"), 2.0), QString());
        const QImage normal(dir.filePath("100.png"));
        const QImage large(dir.filePath("200.png"));
        QCOMPARE(large.size(), normal.size() * 2);
        // The same picture: brought down to 100 % it nearly matches the one drawn there.
        const QImage down =
            large.scaled(normal.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QVERIFY(edgeEnergy(down) > 0.6 * edgeEnergy(normal));
        // Not enlarged: sharper than a smooth enlargement, and not pixels repeated.
        const QImage enlarged =
            normal.scaled(large.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QVERIFY(edgeEnergy(large) > 1.4 * edgeEnergy(enlarged));
        QVERIFY(unevenBlocks(large) > 0.02);
    }

    void csvHasTheTuningsCentsAndThePanelsFrequencies() {
        QTemporaryDir dir;
        const QString file = dir.filePath("tones.csv");
        const auto id = klangora::PresetId::werck3;
        QCOMPARE(writeHandout(handoutOf(id, "Werckmeister III"), file), QString());
        QFile csv(file);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(csv.readAll()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 14);
        const QStringList frequencies = panelReadouts(id, "rbFre");
        const klangora::Tuning tuning = klangora::Tuning::preset(id);
        for (int i = 0; i <= 12; ++i) {
            const QStringList fields = lines[i + 1].split(',');
            QCOMPARE(fields.size(), 7);
            const double cents = i < 12 ? tuning.cents(i) : 1200.0;
            QVERIFY2(qAbs(fields[1].toDouble() - cents) <= 0.05, qPrintable(lines[i + 1]));
            QCOMPARE(fields[2].toDouble(), frequencies[i].toDouble());
        }
    }
};

QTEST_MAIN(HandoutTest)
#include "handout_test.moc"
