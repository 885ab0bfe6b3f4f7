// Zoom, full screen and help, on the offscreen platform: what the screen shows is read from the
// window's backing store in device pixels, and input arrives in device pixels as the window
// system delivers it.
#include "support/window_test_support.h"

#include "ui/classroom/classroom.h"
#include "ui/classroom/help_window.h"
#include "ui/widgets/shape.h"

#include <qpa/qplatformbackingstore.h>
#include <qpa/qplatformscreen.h>
#include <qpa/qplatformwindow.h>
#include <qpa/qwindowsysteminterface.h>

#include <QBackingStore>
#include <QFile>
#include <QImage>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QWindow>

#include <cmath>
#include <cstdlib>

namespace {

// What the screen shows of the window, in device pixels.
QImage screenImage(QWidget& window) {
    QCoreApplication::processEvents();
    window.repaint();
    return window.backingStore()->handle()->toImage().convertToFormat(QImage::Format_RGB32);
}

int channelDistance(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
           std::abs(qBlue(a) - qBlue(b));
}

// How well the control's own picture matches the screen at this device-pixel offset: the mean
// colour distance over the pixels the control paints itself.
double mismatch(const QImage& screen, const QImage& control, QPoint at) {
    long long sum = 0;
    long long counted = 0;
    for (int y = 0; y < control.height(); ++y) {
        for (int x = 0; x < control.width(); ++x) {
            const QRgb own = control.pixel(x, y);
            const QPoint onScreen = at + QPoint(x, y);
            if (qAlpha(own) < 255 || !screen.rect().contains(onScreen)) {
                continue;
            }
            sum += channelDistance(own, screen.pixel(onScreen));
            ++counted;
        }
    }
    return counted == 0 ? 1e9 : static_cast<double>(sum) / static_cast<double>(counted);
}

// A control worth looking for: shown, not hidden behind another one, with a picture that is not
// one flat colour (which would match anywhere).
bool isFindable(const QWidget& control) {
    if (!control.isVisible() || control.width() < 3 || control.height() < 3) {
        return false;
    }
    const QRegion visible = control.visibleRegion();
    return visible.rectCount() == 1 && visible.boundingRect() == control.rect();
}

// The control as it should look at this zoom: Qt's own picture of it at the zoom's device pixel
// ratio; below 1, where Qt grabs at full size, the window's picture of it at 100 % made smaller.
QImage pictureAtZoom(QWidget& control, double zoom, const QImage& screenAtHundred) {
    if (zoom >= 1.0) {
        return control.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    }
    const QRect atHundred(control.mapTo(control.window(), QPoint(0, 0)), control.size());
    return screenAtHundred.copy(atHundred)
        .scaled((QSizeF(control.size()) * zoom).toSize(), Qt::IgnoreAspectRatio,
                Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32);
}

bool hasDetail(const QImage& picture) {
    const QRgb first = picture.pixel(0, 0);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (picture.pixel(x, y) != first) {
                return true;
            }
        }
    }
    return false;
}

// Where on the screen the control shows best, searched around where it is expected.
QPoint bestPlace(const QImage& screen, const QImage& control, QPoint expected) {
    constexpr int kSearch = 3;
    QPoint best = expected;
    double bestMismatch = 1e18;
    for (int dy = -kSearch; dy <= kSearch; ++dy) {
        for (int dx = -kSearch; dx <= kSearch; ++dx) {
            const double m = mismatch(screen, control, expected + QPoint(dx, dy));
            if (m < bestMismatch) {
                bestMismatch = m;
                best = expected + QPoint(dx, dy);
            }
        }
    }
    return best;
}

} // namespace

class ClassroomTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void keysStepThroughTheZoom_data();
    void keysStepThroughTheZoom();
    void controlsAppearWhereTheirGeometryTimesTheZoomPuts_data();
    void controlsAppearWhereTheirGeometryTimesTheZoomPuts();
    void hundredPercentAfterZoomingIsTheWindowAsBefore();
    void aClickAtOneHundredFiftyPercentSelectsTheMark();
    void fullScreenCentresTheWindowAtTheLargestFittingStep();
    void zoomGoesNoLargerThanTheScreenAllows();
    void largestFittingStep_data();
    void largestFittingStep();
    void f1OpensTheHelpWithItsPictures_data();
    void f1OpensTheHelpWithItsPictures();

private:
    WindowFixture m_window;
    QTemporaryDir m_configHome;
};

void ClassroomTest::initTestCase() {
    // The keys write the chosen zoom: into a folder of this test's own, set before the first
    // use of QSettings fixes the paths.
    QVERIFY(m_configHome.isValid());
    qputenv("XDG_CONFIG_HOME", m_configHome.path().toUtf8());
}

void ClassroomTest::init() {
    // Each test starts as if the user had never zoomed.
    Settings().setZoomPercent(100);
    m_window.emplace();
}

void ClassroomTest::cleanup() {
    // The screens' ratio is the application's: every test starts at 100 % again.
    m_window->form.classroom().zoom().setPercent(100);
    m_window.reset();
}

void ClassroomTest::keysStepThroughTheZoom_data() {
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QList<int>>("percents");
    const int in = Qt::Key_Plus;
    const int out = Qt::Key_Minus;
    const int back = Qt::Key_0;
    QTest::newRow("up to the top and no further")
        << QList<int>{in, in, in, in, in} << QList<int>{125, 150, 175, 200, 200};
    QTest::newRow("down to 75 % and no further")
        << QList<int>{in, out, out, out, out} << QList<int>{125, 100, 90, 75, 75};
    QTest::newRow("Ctrl+0 from anywhere")
        << QList<int>{in, in, back, in, back} << QList<int>{125, 150, 100, 125, 100};
    QTest::newRow("Ctrl+0 from below 100 %")
        << QList<int>{out, out, back, out, in} << QList<int>{90, 75, 100, 90, 100};
}

void ClassroomTest::keysStepThroughTheZoom() {
    QFETCH(QList<int>, keys);
    QFETCH(QList<int>, percents);
    auto& [player, form] = *m_window;
    QVERIFY(activate(form));
    for (qsizetype i = 0; i < keys.size(); ++i) {
        QTest::keyClick(form.windowHandle(), keys[i], Qt::ControlModifier);
        QCOMPARE(form.classroom().zoom().percent(), percents[i]);
        QVERIFY(std::abs(form.devicePixelRatioF() - percents[i] / 100.0) < 1e-3);
        // The window keeps its own size; the screen shows it larger.
        QCOMPARE(form.size(), QSize(894, 541));
        const QSize shown = form.windowHandle()->handle()->geometry().size();
        QVERIFY2(std::abs(shown.width() - 894 * percents[i] / 100.0) <= 1.0,
                 qPrintable(QString::number(shown.width())));
    }
    // The last choice is remembered for the next start.
    QCOMPARE(Settings().zoomPercent(), percents.last());
}

void ClassroomTest::controlsAppearWhereTheirGeometryTimesTheZoomPuts_data() {
    QTest::addColumn<int>("percent");
    for (const int percent : WindowZoom::kStepsPercent) {
        QTest::addRow("%d %%", percent) << percent;
    }
}

void ClassroomTest::controlsAppearWhereTheirGeometryTimesTheZoomPuts() {
    QFETCH(int, percent);
    auto& [player, form] = *m_window;
    // Both pictures are taken once the start-up timers have laid the diagram out in fifths.
    QVERIFY(settle(form));
    const QImage screenAtHundred = screenImage(form);
    form.classroom().zoom().setPercent(percent);
    const double zoom = percent / 100.0;
    const QImage screen = screenImage(form);
    int found = 0;
    for (QWidget* control : form.findChildren<QWidget*>()) {
        if (!isFindable(*control)) {
            continue;
        }
        const QImage picture = pictureAtZoom(*control, zoom, screenAtHundred);
        if (!hasDetail(picture)) {
            continue;
        }
        const QPoint atHundred = control->mapTo(&form, QPoint(0, 0));
        const QPoint expected(qRound(atHundred.x() * zoom), qRound(atHundred.y() * zoom));
        const QPoint best = bestPlace(screen, picture, expected);
        QVERIFY2((best - expected).manhattanLength() <= 2 && std::abs(best.x() - expected.x()) <= 1,
                 qPrintable(QString("%1 at %2,%3 instead of %4,%5")
                                .arg(control->objectName())
                                .arg(best.x())
                                .arg(best.y())
                                .arg(expected.x())
                                .arg(expected.y())));
        ++found;
    }
    // The marks, key buttons, preset and sound buttons and labels at least.
    QVERIFY2(found >= 60, qPrintable(QString::number(found)));
}

void ClassroomTest::hundredPercentAfterZoomingIsTheWindowAsBefore() {
    auto& [player, form] = *m_window;
    QVERIFY(settle(form));
    const QImage before = screenImage(form);
    QCOMPARE(before.size(), QSize(894, 541));
    form.classroom().zoom().setPercent(175);
    QCOMPARE(screenImage(form).size(), QSize(1565, 947));
    QTest::keyClick(form.windowHandle(), Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(screenImage(form), before);
}

void ClassroomTest::aClickAtOneHundredFiftyPercentSelectsTheMark() {
    auto& [player, form] = *m_window;
    QVERIFY(activate(form));
    form.classroom().zoom().setPercent(150);
    for (const auto& [column, row] : {std::pair{5, 1}, std::pair{8, 0}, std::pair{3, 2}}) {
        const Shape* target = mark(form, column, row);
        // The window system speaks in device pixels.
        const QPointF device = QPointF(target->mapTo(&form, target->rect().center())) * 1.5;
        QWindow* window = form.windowHandle();
        QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::SynchronousDelivery>(
            window, device, window->handle()->mapToGlobal(device.toPoint()), Qt::LeftButton,
            Qt::LeftButton, QEvent::MouseButtonPress);
        QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::SynchronousDelivery>(
            window, device, window->handle()->mapToGlobal(device.toPoint()), Qt::NoButton,
            Qt::LeftButton, QEvent::MouseButtonRelease);
        QCOMPARE(form.selection().selectedTone(), column);
        QCOMPARE(form.selection().selectedRow(), row);
    }
}

void ClassroomTest::fullScreenCentresTheWindowAtTheLargestFittingStep() {
    auto& [player, form] = *m_window;
    QVERIFY(activate(form));
    form.classroom().zoom().setPercent(125);
    const QSize screen = form.screen()->handle()->geometry().size();
    // The window shown again at the new ratio takes the keyboard back.
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(form.windowHandle(), Qt::Key_F11);
    WindowZoom& zoom = form.classroom().zoom();
    QVERIFY(zoom.isFullScreen());
    QCOMPARE(zoom.percent(), WindowZoom::largestFittingStep({894, 541}, screen));
    QWidget* stage = form.window();
    QVERIFY(stage != &form);
    QVERIFY(stage->isFullScreen());
    QCOMPARE(stage->palette().color(QPalette::Window), form.palette().color(QPalette::Window));
    QCOMPARE(form.pos(), QPoint(std::max(0, (stage->width() - 894) / 2),
                                std::max(0, (stage->height() - 541) / 2)));
    // However large the stage, the window stays in its middle.
    stage->resize(1200, 800);
    QCOMPARE(form.geometry().center(), QRect(0, 0, 1200, 800).center());
    // The keys still reach the window's parts, and F11 leaves at the zoom it came from.
    QTest::keyClick(stage->windowHandle(), Qt::Key_Right, Qt::ControlModifier);
    QVERIFY(form.selection().hasSelection());
    QTest::keyClick(stage->windowHandle(), Qt::Key_F11);
    QVERIFY(!zoom.isFullScreen());
    QCOMPARE(form.window(), &form);
    QCOMPARE(zoom.percent(), 125);
    QVERIFY(form.isVisible());
}

void ClassroomTest::zoomGoesNoLargerThanTheScreenAllows() {
    auto& [player, form] = *m_window;
    form.setScreen(QGuiApplication::screens().at(1)); // a projector of 1920 x 1080
    WindowZoom& zoom = form.classroom().zoom();
    QVERIFY(zoom.setPercent(200));
    zoom.zoomIn();
    QCOMPARE(zoom.percent(), 175);
}

void ClassroomTest::largestFittingStep_data() {
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<int>("percent");
    // A window with its title bar fits 1920 x 1080 at 175 %, not at 200 % (1082 rows).
    QTest::newRow("1920 x 1080") << QSize(1920, 1080) << 175;
    QTest::newRow("exactly 200 %") << QSize(1788, 1082) << 200;
    QTest::newRow("one row short of 200 %") << QSize(1788, 1081) << 175;
    QTest::newRow("1024 x 768") << QSize(1024, 768) << 100;
    QTest::newRow("800 x 600: 90 % is 805 wide") << QSize(800, 600) << 75;
    QTest::newRow("exactly 90 %") << QSize(805, 487) << 90;
    QTest::newRow("smaller than the smallest step") << QSize(320, 240) << 75;
    QTest::newRow("wide but low") << QSize(3840, 700) << 125;
}

void ClassroomTest::largestFittingStep() {
    QFETCH(QSize, screen);
    QFETCH(int, percent);
    QCOMPARE(WindowZoom::largestFittingStep({894, 541}, screen), percent);
}

void ClassroomTest::f1OpensTheHelpWithItsPictures_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QStringList>("headings");
    QTest::addRow("Danish") << static_cast<int>(InterfaceLanguage::danish) << "da"
                            << QStringList{"Tasterne", "Musik", "Klang", "Øvelserne", "Filer"};
    QTest::addRow("English") << static_cast<int>(InterfaceLanguage::english) << "en"
                             << QStringList{"The keys", "music window", "Sounds", "exercises",
                                            "Files"};
}

// The help tells of every part of the program in the interface's language, with pictures of
// the windows in that language, and all of it fits the help window's width.
void ClassroomTest::f1OpensTheHelpWithItsPictures() {
    QFETCH(int, language);
    QFETCH(QString, suffix);
    QFETCH(QStringList, headings);
    auto& [player, form] = *m_window;
    form.classroom().settings().setLanguage(static_cast<InterfaceLanguage>(language));
    QVERIFY(activate(form));
    QTest::keyClick(form.windowHandle(), Qt::Key_F1);
    HelpWindow* help = form.classroom().helpWindow();
    QVERIFY(help != nullptr && help->isVisible());
    const QString text = help->document()->toPlainText();
    for (const QString& heading : headings) {
        QVERIFY2(text.contains(heading), qPrintable(heading));
    }
    QFile source(HelpWindow::documentPath(static_cast<InterfaceLanguage>(language)));
    QVERIFY(source.open(QIODevice::ReadOnly));
    const QString markdown = QString::fromUtf8(source.readAll());
    QVERIFY(markdown.contains("\n| B |") && markdown.contains("\n| P |"));
    for (const char* part : {"window", "playing", "music", "exercises"}) {
        const QString name = QString("help-%1-%2.png").arg(part, suffix);
        QVERIFY2(markdown.contains("](" + name + ")"), qPrintable(name));
        const QImage picture(":/help/" + name);
        QVERIFY2(!picture.isNull(), qPrintable(name));
        QVERIFY2(picture.width() <= help->viewport()->width(), qPrintable(name));
    }
    QTRY_COMPARE(help->horizontalScrollBar()->maximum(), 0);
    form.classroom().settings().setLanguage(InterfaceLanguage::danish);
}

QTEST_MAIN(ClassroomTest)
#include "classroom_test.moc"
