// Building the window control by control, in creation order: widgets created later lie above
// earlier ones, which is how the readout panel covers the sliders and the message panel covers
// the key heading.
#include "ui/layout/window_layout.h"

#include "core/historical_temperaments.h"
#include "core/presets.h"
#include "core/tone_table.h"

#include "ui/diagram/diagram_geometry.h"
#include "ui/model/descriptions.h"
#include "ui/model/musical_facts.h"
#include "ui/texts/control_names.h"
#include "ui/texts/fonts.h"
#include "ui/texts/palette.h"
#include "ui/texts/pictures.h"
#include "ui/texts/window_texts.h"
#include "ui/widgets/shape.h"
#include "ui/widgets/tone_slider.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

struct Point {
    int left;
    int top;
};

// Design positions of the 39 marks, by tone number and row. Only the root row's tops survive
// start-up; everything else is replaced by the diagram's placement.
constexpr std::array<std::array<Point, 3>, 13> kMarkDesign = {{
    {{{128, 264}, {128, 160}, {136, 56}}},
    {{{160, 264}, {152, 168}, {160, 57}}},
    {{{192, 264}, {176, 152}, {184, 57}}},
    {{{224, 264}, {192, 184}, {208, 57}}},
    {{{272, 264}, {224, 184}, {240, 57}}},
    {{{304, 264}, {288, 152}, {296, 57}}},
    {{{352, 264}, {336, 168}, {328, 57}}},
    {{{392, 264}, {368, 168}, {368, 57}}},
    {{{432, 264}, {416, 160}, {408, 57}}},
    {{{472, 264}, {448, 160}, {448, 57}}},
    {{{512, 264}, {488, 160}, {480, 57}}},
    {{{560, 265}, {552, 160}, {544, 57}}},
    {{{616, 265}, {616, 161}, {608, 57}}},
}};

// The bars in creation order (tone number, bar row).
constexpr std::array<std::pair<int, int>, 26> kBarOrder = {{
    {1, 1}, {1, 2}, {8, 1}, {2, 1}, {2, 2},  {3, 1},  {3, 2},  {4, 1},  {4, 2},
    {5, 2}, {6, 2}, {7, 2}, {8, 2}, {9, 2},  {10, 2}, {11, 2}, {12, 2}, {13, 2},
    {5, 1}, {6, 1}, {7, 1}, {9, 1}, {10, 1}, {11, 1}, {12, 1}, {13, 1},
}};

struct LabelEntry {
    const char* name;
    Point pos;
    const char* text;
    int pointSize;
    bool bold;
    bool red;
};

// The labels in creation order, after the temperament caption.
const std::array<LabelEntry, 21> kLabels = {{
    {"Label14", {688, 488}, QT_TRANSLATE_NOOP("klangora", "kromatisk opstillin."), 8, false, false},
    {"Label17", {680, 448}, "", 8, false, false},
    {"Label18", {47, 47}, QT_TRANSLATE_NOOP("klangora", "Den rene kvint"), 8, false, false},
    {"Label20", {48, 265}, QT_TRANSLATE_NOOP("klangora", "Grundtonen"), 8, false, false},
    {"Label19", {48, 176}, QT_TRANSLATE_NOOP("klangora", "Den rene terts"), 8, false, false},
    {"Label21",
     {312, 328},
     QT_TRANSLATE_NOOP("klangora", "Vælg TONEART / GRUNDTONE"),
     10,
     true,
     true},
    {"Label7", {664, 144}, QT_TRANSLATE_NOOP("klangora", "Hør en REN tre-"), 8, false, false},
    {"Label8", {656, 160}, QT_TRANSLATE_NOOP("klangora", "klang og treklangen"), 8, false, false},
    {"Label9", {656, 176}, QT_TRANSLATE_NOOP("klangora", "i DEN AKTUELLE"), 8, false, false},
    {"Label10", {672, 192}, QT_TRANSLATE_NOOP("klangora", "STEMNING"), 8, false, false},
    {"Label13",
     {686, 476},
     QT_TRANSLATE_NOOP("klangora", "Du kan få vist akkorderne i "),
     8,
     false,
     false},
    {"Label1", {680, 256}, QT_TRANSLATE_NOOP("klangora", "Hør en lille "), 8, false, false},
    {"Label4", {672, 272}, QT_TRANSLATE_NOOP("klangora", "4-stemmig sats"), 8, false, false},
    {"Label5", {680, 288}, QT_TRANSLATE_NOOP("klangora", "i den valgte"), 8, false, false},
    {"Label6",
     {672, 72},
     QT_TRANSLATE_NOOP("klangora", "Vælg TREKLANG eller SANG"),
     10,
     true,
     true},
    {"Label11", {24, 336}, QT_TRANSLATE_NOOP("klangora", "STEMNING"), 10, true, true},
    {"Label12", {44, 320}, QT_TRANSLATE_NOOP("klangora", "Vælg "), 10, true, true},
    {"Label15", {688, 304}, QT_TRANSLATE_NOOP("klangora", " toneart."), 8, false, false},
    {"Label16", {696, 384}, QT_TRANSLATE_NOOP("klangora", ".. og med "), 8, false, false},
    {"Label23", {680, 400}, QT_TRANSLATE_NOOP("klangora", "mere kromatik"), 8, false, false},
    {"Label3", {264, 424}, "g", 8, false, false},
}};

// The key buttons' design places; the key marking centres them under their note names.
constexpr std::array<int, 13> kKeyLefts = {136, 168, 208, 256, 304, 352, 416,
                                           456, 496, 536, 576, 616, 656};
constexpr int kKeyDesignTop = 304;
constexpr int kKeyHeight = 17;
constexpr std::array<int, 13> kKeyWidths = {33, 33, 33, 41, 41, 41, 41, 33, 41, 33, 33, 25, 17};
constexpr std::array<int, 13> kReadoutLefts = {32,  80,  120, 160, 200, 240, 296,
                                               336, 376, 408, 448, 480, 512};
constexpr std::array<int, 13> kNameLefts = {31,  71,  111, 159, 199, 247, 295,
                                            335, 383, 415, 463, 503, 519};
constexpr std::array<int, 11> kSliderLefts = {136, 216, 256, 296, 336, 376,
                                              416, 456, 496, 536, 576};

QLabel* makeLabel(QWidget* parent, const QString& name, Point pos, const QString& text,
                  int pointSize, bool bold) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(fonts::designFont(parent, pointSize, bold));
    label->move(pos.left, pos.top);
    label->adjustSize();
    return label;
}

// Tab enters an exclusive group at its checked button, and the arrow keys move on among the
// others, which is how desktop users expect such a group to behave. Only the checked button
// takes Tab; the toolkit would otherwise give Tab to every button until one had the focus.
void tabToCheckedOnly(QButtonGroup* group) {
    auto follow = [group] {
        for (QAbstractButton* button : group->buttons()) {
            button->setFocusPolicy(button->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
        }
    };
    QObject::connect(group, &QButtonGroup::buttonToggled, group, follow);
    follow();
}

// The fill colour of a mark depends only on the tone it stands for.
QColor markColour(int tone, const QPalette& palette) {
    switch (tone) {
    case 1:
    case 13:
        return Qt::white;
    case 3:
        return colours::desktop;
    case 5:
        return colours::green;
    case 6:
        return colours::yellow;
    case 8:
        return colours::red;
    case 10:
        return colours::fuchsia;
    case 12:
        return colours::purple;
    default:
        return palette.color(QPalette::Button);
    }
}

// Timer1 redraws the reference lines once more this long after a retuning; Timer2 turns the
// diagram to the fifths arrangement this long after start.
constexpr int kReferenceRedrawMs = 200;
constexpr int kArrangementDelayMs = 50;

QTimer* makeTimer(QWidget& window, const char* name, int intervalMs) {
    auto* timer = new QTimer(&window);
    timer->setObjectName(name);
    timer->setInterval(intervalMs);
    return timer;
}

} // namespace

TriadDiagram::Widgets buildDiagram(QWidget& window) {
    TriadDiagram::Widgets diagram;
    const QColor buttonFace = window.palette().color(QPalette::Button);
    for (const auto& [tone, row] : kBarOrder) {
        if (tone == 8 && row == 1) {
            makeLabel(&window, "Label3", {264, 424}, "g", 8, false);
        }
        auto* bar = new Shape(Shape::Kind::Rectangle, &window);
        diagram.bars[tone][row] = bar;
        bar->setObjectName(controls::barName(tone, row));
        bar->resize(4, 89);
        // The bars under the two marks that stand for c melt into the background.
        const bool hidden = (tone == 6 && row == 2) || (tone == 9 && row == 1);
        bar->setBrushColor(hidden ? buttonFace : Qt::white);
        bar->setPenColor(hidden ? buttonFace : window.palette().color(QPalette::Base));
    }
    for (int tone = 1; tone <= 13; ++tone) {
        for (int row = 0; row <= 2; ++row) {
            auto* mark = new Shape(Shape::Kind::Ellipse, &window);
            mark->setObjectName(controls::markName(tone, row));
            const Point design = kMarkDesign[tone - 1][row];
            mark->setGeometry(design.left, design.top, 25, 17);
            mark->setPenWidth(4);
            mark->setBrushColor(markColour(music::markTone(tone, row), window.palette()));
            diagram.marks[tone][row] = mark;
        }
    }
    // The third and fifth marks that stand for c; the roots of the c's say so only to a screen
    // reader.
    diagram.marks[6][2]->setToolTip(descriptions::fixedCText());
    diagram.marks[9][1]->setToolTip(descriptions::fixedCText());
    diagram.redrawTimer = makeTimer(window, "Timer1", kReferenceRedrawMs);
    return diagram;
}

namespace {

TemperamentCaption::Widgets buildLabels(QWidget& window) {
    QLabel* caption = makeLabel(&window, "lbStemning", {712, 24}, "lbStemning", 14, true);
    for (const LabelEntry& entry : kLabels) {
        if (QString(entry.name) == "Label3") {
            continue; // created among the bars
        }
        QLabel* label = makeLabel(&window, entry.name, entry.pos, QString::fromUtf8(entry.text),
                                  entry.pointSize, entry.bold);
        if (entry.red) {
            setTextColour(label, colours::red);
        }
    }
    auto* image = new QLabel(&window);
    image->setObjectName("Image1");
    image->setGeometry(48, 104, 49, 41);
    image->setPixmap(pictures::triad(QSize(49, 41)));
    image->setAccessibleName(QT_TRANSLATE_NOOP("klangora", "Billede af en treklang"));
    return {caption};
}

// The hidden sliders all stand behind the readout panel.
std::array<ToneSlider*, 13> buildSliders(QWidget& window) {
    std::array<ToneSlider*, 13> sliders{};
    for (int k = klangora::kFirstSlider; k <= klangora::kLastSlider; ++k) {
        auto* slider = new ToneSlider(&window);
        slider->setObjectName(controls::sliderName(k));
        slider->setGeometry(kSliderLefts[k - 2], diagram::kSliderTop, 17, 137);
        slider->setRange(klangora::kSliderMin, klangora::kSliderMax);
        sliders[k] = slider;
    }
    return sliders;
}

} // namespace

ReadoutPanel::Widgets buildPanel(QWidget& window) {
    ReadoutPanel::Widgets widgets;
    auto* panel = new QFrame(&window);
    widgets.frame = panel;
    panel->setObjectName("Panel1");
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(diagram::kPanelLeft, 360, diagram::kPanelWidth, 169);
    panel->setAutoFillBackground(true); // it hides the sliders behind it
    for (int n = 1; n <= 13; ++n) {
        QLabel* label = makeLabel(panel, controls::readoutName(n), {kReadoutLefts[n - 1], 56},
                                  controls::readoutName(n), 8, false);
        label->resize(n >= 10 ? 20 : 14, 13);
        widgets.readouts[n] = label;
    }
    for (int n = 1; n <= 13; ++n) {
        QLabel* label = makeLabel(panel, controls::noteName(n), {kNameLefts[n - 1], 15},
                                  controls::readoutName(n), 12, true);
        label->resize(n >= 10 ? 35 : 25, 20);
        widgets.noteNames[n] = label;
    }
    makeLabel(panel, "Label2", {7, 132},
              QT_TRANSLATE_NOOP(
                  "klangora", "Her kan du få vist frekvenser, centværdier eller afvigelse fra den "
                              "rene kvint og den rene terts."),
              8, false);

    auto* readoutGroup = new QButtonGroup(&window);
    readoutGroup->setObjectName("readoutGroup");
    auto makeRadio = [panel, readoutGroup](const char* name, QRect geometry, const char* text) {
        auto* radio = new QRadioButton(QString::fromUtf8(text), panel);
        radio->setObjectName(name);
        radio->setGeometry(geometry);
        readoutGroup->addButton(radio);
        return radio;
    };
    widgets.thirds =
        makeRadio("rbterts", {296, 88, 209, 17},
                  QT_TRANSLATE_NOOP("klangora", "Vis afvigelsen fra den RENE terts i cent"));
    widgets.fifths =
        makeRadio("rbkvint", {296, 104, 225, 17},
                  QT_TRANSLATE_NOOP("klangora", "Vis afvigelsen fra den RENE kvint i cent"));
    widgets.cents = makeRadio("rbCent", {32, 104, 233, 17},
                              QT_TRANSLATE_NOOP("klangora", "Vis grundtonens CENT-værdi"));
    widgets.frequency = makeRadio("rbFre", {32, 88, 233, 17},
                                  QT_TRANSLATE_NOOP("klangora", "Vis grundtonens FREKVENS"));
    widgets.frequency->setChecked(true);
    widgets.modes = readoutGroup;
    tabToCheckedOnly(readoutGroup);
    return widgets;
}

namespace {

QPushButton* makeButton(QWidget& window, const QString& name, const QString& text, QRect geometry) {
    auto* button = new QPushButton(text, &window);
    button->setObjectName(name);
    button->setGeometry(geometry);
    return button;
}

QPushButton* makeSoundButton(QWidget& window, const char* name, int top, const QPixmap& glyph) {
    QPushButton* button = makeButton(window, name, {}, {752, top, 129, 97});
    button->setIcon(QIcon(glyph));
    button->setIconSize(glyph.size());
    return button;
}

void makePresetButton(WindowWidgets& widgets, QWidget& window, klangora::PresetId id, int top) {
    const klangora::PresetInfo& info = klangora::presetInfo(id);
    QPushButton* button = makeButton(window, QString::fromUtf8(info.id),
                                     QString::fromUtf8(info.caption), {16, top, 91, 17});
    button->setToolTip(QString::fromUtf8(klangora::presetFifthsDescription(id)));
    widgets.presetButtons[static_cast<std::size_t>(id)] = button;
}

void buildButtons(WindowWidgets& widgets, QWidget& window) {
    widgets.arrangement.button =
        makeButton(window, "kromkvint", texts::kToFifths, {688, 504, 195, 25});
    widgets.arrangement.button->setToolTip(
        QT_TRANSLATE_NOOP("klangora", "Det er lettest at se systemet i kvint-opstilling!"));

    auto* keyGroup = new QButtonGroup(&window);
    keyGroup->setObjectName("keyGroup");
    for (int n = 1; n <= 13; ++n) {
        auto* key = new QRadioButton(&window);
        key->setObjectName(controls::keyName(n));
        key->setGeometry(kKeyLefts[n - 1], kKeyDesignTop, kKeyWidths[n - 1], kKeyHeight);
        keyGroup->addButton(key);
        key->setChecked(n == 1);
        widgets.keys.keys[n] = key;
        widgets.keys.noteNames[n] = widgets.panel.noteNames[n];
    }

    using klangora::PresetId;
    auto& sound = widgets.soundButtons;
    sound[0] = makeSoundButton(window, "BitBtn1", 128, pictures::triad(QSize(107, 71)));
    makePresetButton(widgets, window, PresetId::pyt, 360);
    makePresetButton(widgets, window, PresetId::ren, 384);
    makePresetButton(widgets, window, PresetId::praet, 408);
    makePresetButton(widgets, window, PresetId::bach, 440);
    makePresetButton(widgets, window, PresetId::lige, 512);
    makePresetButton(widgets, window, PresetId::werck1, 464);
    makePresetButton(widgets, window, PresetId::werck3, 488);
    sound[1] = makeSoundButton(window, "BitBtn2", 248, pictures::chorale(QSize(104, 93)));
    sound[2] = makeSoundButton(window, "BitBtn3", 352, pictures::chromaticChorale(QSize(103, 93)));
}

} // namespace

// The message panel lies over the key heading, one line high above the readout panel, and grows
// no higher than to just below the key buttons.
MessagePanel::Widgets buildMessagePanel(QWidget& window) {
    auto* duHoer = new QLabel("DuHoer", &window);
    duHoer->setObjectName("DuHoer");
    duHoer->setFrameStyle(QFrame::Panel | QFrame::Raised);
    duHoer->setAlignment(Qt::AlignCenter);
    duHoer->setFont(fonts::designFont(&window, 10, true));
    duHoer->setAutoFillBackground(true);
    duHoer->setGeometry(diagram::kPanelLeft, 328, diagram::kPanelWidth, 25);
    duHoer->hide();
    return {duHoer, KeyMarking::kKeyButtonTop + kKeyHeight};
}

namespace {

void buildMessageAreas(WindowWidgets& widgets, QWidget& window) {
    widgets.messages = buildMessagePanel(window);

    auto* hint = new QLabel(texts::kClickHint, &window);
    hint->setObjectName("plFlytMedPil");
    hint->setAlignment(Qt::AlignCenter);
    hint->setAutoFillBackground(true);
    hint->setGeometry(128, 104, 537, 25);
    setTextColour(hint, colours::red);
    widgets.selection.hint = hint;

    // Which octave the computer keyboard plays; the live instrument writes it.
    widgets.octave = makeLabel(&window, "lbOktav", {8, 10}, {}, 8, false);
}

void setTabOrders(const WindowWidgets& widgets) {
    const auto& sliders = widgets.selection.sliders;
    const ReadoutPanel::Widgets& panel = widgets.panel;
    QList<QWidget*> chain(widgets.soundButtons.begin(), widgets.soundButtons.end());
    using klangora::PresetId;
    for (PresetId id : {PresetId::pyt, PresetId::ren, PresetId::praet, PresetId::bach,
                        PresetId::werck1, PresetId::werck3, PresetId::lige}) {
        chain << widgets.presetButtons[static_cast<std::size_t>(id)];
    }
    for (int n = 1; n <= 13; ++n) {
        chain << widgets.keys.keys[n];
    }
    chain << sliders[2] << panel.cents << panel.thirds << panel.fifths << panel.frequency
          << sliders[3] << sliders[4] << sliders[5] << widgets.arrangement.button;
    for (int k = 6; k <= klangora::kLastSlider; ++k) {
        chain << sliders[k];
    }
    for (qsizetype n = 1; n < chain.size(); ++n) {
        QWidget::setTabOrder(chain[n - 1], chain[n]);
    }
    // The window opens with the focus on the first control of the chain, the triad button;
    // left to itself it would take the first control created, a hidden slider.
    chain.constFirst()->setFocus();
}

// The names and descriptions assistive technology reads for the controls whose text does not
// change; the marks and readouts are described by their parts as the tuning changes.
} // namespace

void nameControls(const WindowWidgets& widgets) {
    // The sound buttons show only a picture; their names say what they play.
    widgets.soundButtons[0]->setAccessibleName(QCoreApplication::translate(
        "klangora", "Hør en ren treklang og treklangen i den aktuelle stemning"));
    widgets.soundButtons[1]->setAccessibleName(QCoreApplication::translate(
        "klangora", "Hør en lille 4-stemmig sats i den valgte toneart"));
    widgets.soundButtons[2]->setAccessibleName(QCoreApplication::translate(
        "klangora", "Hør en lille 4-stemmig sats med mere kromatik i den valgte toneart"));
    widgets.panel.frame->setAccessibleName(
        QCoreApplication::translate("klangora", "Tal for tonerne"));
    for (int tone = 1; tone <= 13; ++tone) {
        widgets.keys.keys[tone]->setAccessibleName(descriptions::keyButtonName(tone));
        for (int row = 0; row <= 2; ++row) {
            widgets.diagram.marks[tone][row]->setAccessibleName(descriptions::markName(tone, row));
        }
        for (int row = 1; row <= 2; ++row) {
            widgets.diagram.bars[tone][row]->setAccessibleName(descriptions::barName(tone, row));
        }
    }
    for (int k = klangora::kFirstSlider; k <= klangora::kLastSlider; ++k) {
        ToneSlider* slider = widgets.selection.sliders[k];
        slider->setAccessibleName(descriptions::sliderName(k));
        slider->setAccessibleDescription(QCoreApplication::translate(
            "klangora", "Pil-op hæver og pil-ned sænker tonen 1/20 cent, med Shift 1 cent; "
                        "Home sætter den 30 cent over den ligesvævende, End 30 "
                        "cent under."));
    }
}

WindowWidgets buildWindowLayout(QWidget& window) {
    window.setObjectName("Form1");
    window.setWindowTitle(
        QT_TRANSLATE_NOOP("klangora", "Klangora: Lyt til dur-treklange i forskellige stemninger!"));
    window.setWindowIcon(pictures::windowIcon());
    window.setFont(fonts::windowFont());
    window.setFixedSize(894, 541);
    window.move(118, 115);

    WindowWidgets widgets;
    widgets.diagram = buildDiagram(window);
    widgets.caption = buildLabels(window);
    widgets.selection.sliders = buildSliders(window);
    widgets.panel = buildPanel(window);
    buildButtons(widgets, window);
    buildMessageAreas(widgets, window);
    widgets.arrangement.startTimer = makeTimer(window, "Timer2", kArrangementDelayMs);
    setTabOrders(widgets);
    nameControls(widgets);
    return widgets;
}
