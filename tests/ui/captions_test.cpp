// Every caption the window shows is wholly readable: each pixel of its text lies inside the
// room its control draws text in, inside the control's parent, and under no control stacked
// above it, in every state a learner can bring the window to. The text is drawn with the font
// the control really resolves to, so the measure is the screen's, not a guessed width.
#include "support/window_test_support.h"

#include "core/historical_temperaments.h"

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

namespace {

using Action = std::function<void(TForm1&)>;
struct Step {
    QString state;
    Action act;
};
using Path = QList<Step>;

Action click(const QString& name) {
    return [name](TForm1& form) { child<QAbstractButton>(form, name)->click(); };
}

void twoSoundSteps(TForm1& form) {
    form.Timer3Timer();
    form.Timer3Timer();
}

// The sound sequences with their steps run at once instead of on Timer3: each shows its own
// message in DuHoer, the tempered triad's naming the temperament.
Path soundSteps() {
    return {{"pure triad", click("BitBtn1")},
            {"tempered triad", twoSoundSteps},
            {"chorale", click("BitBtn2")},
            {"jazz chorale", click("BitBtn3")},
            {"sounds ended", twoSoundSteps}};
}

Path readoutModes() {
    return {{"cent", click("rbCent")},
            {"third deviation", click("rbterts")},
            {"fifth deviation", click("rbkvint")},
            {"frequency", click("rbFre")}};
}

Path arrangements() {
    return {{"chromatic", click("kromkvint")}, {"fifths", click("kromkvint")}};
}

// The pixels a text covers when drawn into its room the way the control draws it, but
// unclipped, on a canvas with space around it for any overhang.
QRect inkRect(const QWidget& widget, const QString& text, const QRect& room, int alignment) {
    const QFontMetrics metrics = widget.fontMetrics();
    const int across = metrics.horizontalAdvance(text) + metrics.height();
    const QRect canvas = room.adjusted(-across, -metrics.height(), across, metrics.height());
    QImage image(canvas.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setFont(widget.font());
    painter.drawText(room.translated(-canvas.topLeft()),
                     alignment | Qt::TextShowMnemonic | Qt::TextDontClip, text);
    painter.end();
    int left = image.width();
    int right = -1;
    int top = image.height();
    int bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) != 0) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return QRect(QPoint(left, top), QPoint(right, bottom)).translated(canvas.topLeft());
}

struct Caption {
    QString text;
    QRect room; // where the control draws its text, in its own coordinates
    QRect ink;
};

// A label draws in its contents; a button beside its indicator or inside its bevel, in the
// room its style gives the text.
Caption captionOf(const QWidget& widget) {
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        const QRect room = label->contentsRect();
        return {label->text(), room,
                inkRect(widget, label->text(), room, static_cast<int>(label->alignment()))};
    }
    const auto* button = qobject_cast<const QAbstractButton*>(&widget);
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const bool radio = qobject_cast<const QRadioButton*>(button) != nullptr;
    const QRect room = button->style()->subElementRect(
        radio ? QStyle::SE_RadioButtonContents : QStyle::SE_PushButtonContents, &option, button);
    const Qt::Alignment alignment = radio ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter;
    return {button->text(), room,
            inkRect(widget, button->text(), room, static_cast<int>(alignment))};
}

QString textOf(const QWidget& widget) {
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        return label->text();
    }
    const auto* button = qobject_cast<const QAbstractButton*>(&widget);
    return button != nullptr ? button->text() : QString();
}

// The "g" always lies under the readout panel, and the key heading under the message panel
// while a message shows: both hidden on purpose.
bool hiddenOnPurpose(const QWidget& widget, const TForm1& form) {
    const QString name = widget.objectName();
    return name == "Label3" || (name == "Label21" && child<QLabel>(form, "DuHoer")->isVisible());
}

QString rectText(const QRect& r) {
    return QString("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// What each control paints over the controls below it: a plain label only its text, every
// other control all of its rectangle; in its parent's coordinates.
using Painted = QHash<const QWidget*, QRect>;

Painted paintedRects(const TForm1& form) {
    Painted painted;
    for (const QWidget* widget : form.findChildren<QWidget*>()) {
        const auto* label = qobject_cast<const QLabel*>(widget);
        const bool onlyText = label != nullptr && !label->autoFillBackground() &&
                              label->frameShape() == QFrame::NoFrame && !label->text().isEmpty();
        painted[widget] =
            onlyText ? captionOf(*widget).ink.translated(widget->pos()) : widget->geometry();
    }
    return painted;
}

QStringList faultsOf(const QWidget& widget, const TForm1& form, const Painted& painted) {
    const Caption caption = captionOf(widget);
    QStringList faults;
    for (QChar c : caption.text) {
        if (!c.isSpace() && !widget.fontMetrics().inFont(c)) {
            faults << QString("has no %1 in %2").arg(c).arg(widget.fontInfo().family());
        }
    }
    if (!caption.room.contains(caption.ink)) {
        faults << QString("ink %1 outside %2").arg(rectText(caption.ink), rectText(caption.room));
    }
    const QWidget* parent = widget.parentWidget();
    const QRect ink = caption.ink.translated(widget.pos());
    // Ink on the parent's outermost pixels runs into the window's frame or the panel's bevel.
    if (!parent->contentsRect().adjusted(1, 1, -1, -1).contains(ink)) {
        faults << "touches the edge of " + parent->objectName();
    }
    const QObjectList& siblings = parent->children();
    for (qsizetype n = siblings.indexOf(&widget) + 1; n < siblings.size(); ++n) {
        const auto* above = qobject_cast<const QWidget*>(siblings[n]);
        if (above != nullptr && above->isVisibleTo(&form) && painted[above].intersects(ink)) {
            faults << "lies under " + above->objectName();
        }
    }
    return faults;
}

QStringList captionFaults(const TForm1& form, const QString& state) {
    const Painted painted = paintedRects(form);
    QStringList faults;
    for (const QWidget* widget : form.findChildren<QWidget*>()) {
        const QString text = textOf(*widget);
        if (text.isEmpty() || !widget->isVisibleTo(&form) || hiddenOnPurpose(*widget, form)) {
            continue;
        }
        for (const QString& fault : faultsOf(*widget, form, painted)) {
            faults << QString("%1: %2 \"%3\" %4").arg(state, widget->objectName(), text, fault);
        }
    }
    return faults;
}

} // namespace

Q_DECLARE_METATYPE(Path)

class CaptionsTest : public QObject {
    Q_OBJECT

private slots:
    void everyCaptionIsWhollyVisible_data();
    void everyCaptionIsWhollyVisible();
};

void CaptionsTest::everyCaptionIsWhollyVisible_data() {
    QTest::addColumn<Path>("path");
    for (const char* preset : {"pyt", "ren", "praet", "bach", "werck1", "werck3", "lige"}) {
        QTest::newRow(preset) << (Path{{preset, click(preset)}} + readoutModes() + soundSteps() +
                                  arrangements());
    }
    const Path ownTuning = {
        {"mark selected", [](TForm1& form) { form.knapMouseDown(7, 2); }},
        {"own tuning",
         [](TForm1& form) { slider(form, 2)->setValue(slider(form, 2)->value() - 1); }},
    };
    QTest::newRow("own tuning") << (ownTuning + readoutModes() + soundSteps() + arrangements());
    // A tuning file's description too long for the room beside the diagram, read with the
    // window's own reader, is shown cut there and whole in the tempered triad's message.
    const Action openLongTuning = [](TForm1& form) {
        QTemporaryDir dir;
        QFile file(dir.filePath("lang.scl"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("! lang.scl\nRen stemning efter Zarlino, som læreren på kurset i Århus stemte "
                   "den\n12\n25/24\n9/8\n6/5\n5/4\n4/3\n45/32\n3/2\n25/16\n5/3\n9/5\n15/8\n"
                   "2/1\n");
        file.close();
        QVERIFY(form.openTuning(file.fileName()));
    };
    QTest::newRow("tuning file") << (Path{{"tuning file", openLongTuning}} + soundSteps() +
                                     arrangements());
    // The library's temperaments are named whole, however long the name.
    for (const klangora::HistoricalTemperament& temperament : klangora::kHistoricalTemperaments) {
        const QString id = QString::fromUtf8(temperament.id);
        const QString name = QString::fromUtf8(temperament.caption);
        const Action choose = [id, name](TForm1& form) {
            form.findChild<QAction*>("temperament_" + id)->trigger();
            QCOMPARE(labelText(form, "lbStemning").replace('\n', ' '), name);
        };
        QTest::newRow(qPrintable(id)) << (Path{{id, choose}} + soundSteps());
    }
    for (int tone = 1; tone <= 13; ++tone) {
        const QString key = keyName(tone);
        QTest::newRow(qPrintable(key)) << (Path{{key, click(key)}} + soundSteps() + arrangements());
    }
}

void CaptionsTest::everyCaptionIsWhollyVisible() {
    QFETCH(Path, path);
    TestWindow window;
    auto& [player, form] = window;
    QVERIFY(activate(form));
    QTRY_VERIFY_WITH_TIMEOUT(!child<QTimer>(form, "Timer2")->isActive(), 2000);
    QStringList faults = captionFaults(form, "at start");
    for (const Step& step : path) {
        step.act(form);
        faults << captionFaults(form, step.state);
    }
    for (const QString& fault : faults) {
        qWarning().noquote() << fault;
    }
    QVERIFY2(faults.isEmpty(),
             qPrintable(QString("%1 captions cut or covered").arg(faults.size())));
}

QTEST_MAIN(CaptionsTest)
#include "captions_test.moc"
