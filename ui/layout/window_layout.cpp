// Building the window control by control, in creation order: widgets created later lie above
// earlier ones, which is how the readout panel covers the sliders and the message panel covers
// the key heading.
#include "ui/layout/window_layout.h"

#include "core/historical_temperaments.h"
#include "core/presets.h"
#include "core/tone_table.h"

#include "ui/diagram/diagram_geometry.h"
#include "ui/sequence/sequencer_timing.h"
#include "ui/texts/control_names.h"
#include "ui/texts/descriptions.h"
#include "ui/texts/fonts.h"
#include "ui/texts/palette.h"
#include "ui/texts/pictures.h"
#include "ui/texts/window_texts.h"
#include "ui/widgets/shape.h"
#include "ui/widgets/tone_slider.h"

#include <QButtonGroup>
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
// start-up; everything else is replaced by the placement.
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
    {"Label14", {688, 488}, "kromatisk opstillin.", 8, false, false},
    {"Label17", {680, 448}, "", 8, false, false},
    {"Label18", {47, 47}, "Den rene kvint", 8, false, false},
    {"Label20", {48, 265}, "Grundtonen", 8, false, false},
    {"Label19", {48, 176}, "Den rene terts", 8, false, false},
    {"Label21", {312, 328}, "Vælg TONEART / GRUNDTONE", 10, true, true},
    {"Label7", {664, 144}, "Hør en REN tre-", 8, false, false},
    {"Label8", {656, 160}, "klang og treklangen", 8, false, false},
    {"Label9", {656, 176}, "i DEN AKTUELLE", 8, false, false},
    {"Label10", {672, 192}, "STEMNING", 8, false, false},
    {"Label13", {686, 476}, "Du kan få vist akkorderne i ", 8, false, false},
    {"Label1", {680, 256}, "Hør en lille ", 8, false, false},
    {"Label4", {672, 272}, "4-stemmig sats", 8, false, false},
    {"Label5", {680, 288}, "i den valgte", 8, false, false},
    {"Label6", {672, 72}, "Vælg TREKLANG eller SANG", 10, true, true},
    {"Label11", {24, 336}, "STEMNING", 10, true, true},
    {"Label12", {44, 320}, "Vælg ", 10, true, true},
    {"Label15", {688, 304}, " toneart.", 8, false, false},
    {"Label16", {696, 384}, ".. og med ", 8, false, false},
    {"Label23", {680, 400}, "mere kromatik", 8, false, false},
    {"Label3", {264, 424}, "g", 8, false, false},
}};

constexpr std::array<int, 13> kKeyLefts = {136, 168, 208, 256, 304, 352, 416,
                                           456, 496, 536, 576, 616, 656};
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

void buildDiagram(QWidget& window) {
    const QColor buttonFace = window.palette().color(QPalette::Button);
    for (const auto& [tone, row] : kBarOrder) {
        if (tone == 8 && row == 1) {
            makeLabel(&window, "Label3", {264, 424}, "g", 8, false);
        }
        auto* bar = new Shape(Shape::Kind::Rectangle, &window);
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
            mark->setBrushColor(markColour(diagram::shapeTone(tone, row), window.palette()));
        }
    }
    window.findChild<Shape*>(controls::markName(6, 2))->setToolTip(descriptions::fixedCText());
    window.findChild<Shape*>(controls::markName(9, 1))->setToolTip(descriptions::fixedCText());
}

void buildLabels(QWidget& window) {
    makeLabel(&window, "lbStemning", {712, 24}, "lbStemning", 14, true);
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
}

void buildSliders(QWidget& window) {
    for (int k = klangora::kFirstSlider; k <= klangora::kLastSlider; ++k) {
        auto* slider = new ToneSlider(&window);
        slider->setObjectName(controls::sliderName(k));
        slider->setGeometry(kSliderLefts[k - 2], k == 2 ? 365 : 349, 17, 137);
        slider->setRange(klangora::kSliderMin, klangora::kSliderMax);
    }
}

void buildPanel(QWidget& window) {
    auto* panel = new QFrame(&window);
    panel->setObjectName("Panel1");
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(diagram::kPanelLeft, 360, diagram::kPanelWidth, 169);
    panel->setAutoFillBackground(true); // it hides the sliders behind it
    for (int n = 1; n <= 13; ++n) {
        QLabel* label = makeLabel(panel, controls::readoutName(n), {kReadoutLefts[n - 1], 56},
                                  controls::readoutName(n), 8, false);
        label->resize(n >= 10 ? 20 : 14, 13);
    }
    for (int n = 1; n <= 13; ++n) {
        QLabel* label = makeLabel(panel, controls::noteName(n), {kNameLefts[n - 1], 15},
                                  controls::readoutName(n), 12, true);
        label->resize(n >= 10 ? 35 : 25, 20);
    }
    makeLabel(panel, "Label2", {7, 132},
              "Her kan du få vist frekvenser, centværdier eller afvigelse fra den rene kvint og "
              "den rene terts.",
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
    makeRadio("rbterts", {296, 88, 209, 17}, "Vis afvigelsen fra den RENE terts i cent");
    makeRadio("rbkvint", {296, 104, 225, 17}, "Vis afvigelsen fra den RENE kvint i cent");
    makeRadio("rbCent", {32, 104, 233, 17}, "Vis grundtonens CENT-værdi");
    makeRadio("rbFre", {32, 88, 233, 17}, "Vis grundtonens FREKVENS")->setChecked(true);
    tabToCheckedOnly(readoutGroup);
}

QPushButton* makeButton(QWidget& window, const QString& name, const QString& text, QRect geometry) {
    auto* button = new QPushButton(text, &window);
    button->setObjectName(name);
    button->setGeometry(geometry);
    return button;
}

void makeSoundButton(QWidget& window, const char* name, int top, const QPixmap& glyph) {
    QPushButton* button = makeButton(window, name, {}, {752, top, 129, 97});
    button->setIcon(QIcon(glyph));
    button->setIconSize(glyph.size());
}

void makePresetButton(QWidget& window, klangora::PresetId id, int top) {
    const klangora::PresetInfo& info = klangora::presetInfo(id);
    makeButton(window, QString::fromUtf8(info.id), QString::fromUtf8(info.caption),
               {16, top, 91, 17})
        ->setToolTip(QString::fromUtf8(klangora::presetFifthsDescription(id)));
}

void buildButtons(QWidget& window) {
    makeButton(window, "kromkvint", texts::kToFifths, {688, 504, 195, 25})
        ->setToolTip("Det er lettest at se systemet i kvint-opstilling!");

    auto* keyGroup = new QButtonGroup(&window);
    keyGroup->setObjectName("keyGroup");
    for (int n = 1; n <= 13; ++n) {
        auto* key = new QRadioButton(&window);
        key->setObjectName(controls::keyName(n));
        key->setGeometry(kKeyLefts[n - 1], 304, kKeyWidths[n - 1], 17);
        keyGroup->addButton(key);
        key->setChecked(n == 1);
    }

    using klangora::PresetId;
    makeSoundButton(window, "BitBtn1", 128, pictures::triad(QSize(107, 71)));
    makePresetButton(window, PresetId::pyt, 360);
    makePresetButton(window, PresetId::ren, 384);
    makePresetButton(window, PresetId::praet, 408);
    makePresetButton(window, PresetId::bach, 440);
    makePresetButton(window, PresetId::lige, 512);
    makePresetButton(window, PresetId::werck1, 464);
    makePresetButton(window, PresetId::werck3, 488);
    makeSoundButton(window, "BitBtn2", 248, pictures::chorale(QSize(104, 93)));
    makeSoundButton(window, "BitBtn3", 352, pictures::chromaticChorale(QSize(103, 93)));
}

void buildMessageAreas(QWidget& window) {
    auto* duHoer = new QLabel("DuHoer", &window);
    duHoer->setObjectName("DuHoer");
    duHoer->setFrameStyle(QFrame::Panel | QFrame::Raised);
    duHoer->setAlignment(Qt::AlignCenter);
    duHoer->setFont(fonts::designFont(&window, 10, true));
    duHoer->setAutoFillBackground(true);
    duHoer->setGeometry(diagram::kPanelLeft, 328, diagram::kPanelWidth, 25);
    duHoer->hide();

    auto* hint = new QLabel(texts::kClickHint, &window);
    hint->setObjectName("plFlytMedPil");
    hint->setAlignment(Qt::AlignCenter);
    hint->setAutoFillBackground(true);
    hint->setGeometry(128, 104, 537, 25);
    setTextColour(hint, colours::red);

    // Which octave the computer keyboard plays; the live instrument writes it.
    makeLabel(&window, "lbOktav", {8, 10}, {}, 8, false);
}

void buildTimers(QWidget& window) {
    auto makeTimer = [&window](const char* name, int intervalMs) {
        auto* timer = new QTimer(&window);
        timer->setObjectName(name);
        timer->setInterval(intervalMs);
    };
    makeTimer("Timer1", kReferenceRedrawMs);
    makeTimer("Timer2", kArrangementDelayMs);
    makeTimer("Timer3", sequencer::kStepIntervalMs);
}

void setTabOrders(QWidget& window) {
    const char* const chain[] = {
        "BitBtn1", "BitBtn2", "BitBtn3", "pyt",   "ren",  "praet", "bach", "werck1",
        "werck3",  "lige",    "sp1",     "sp2",   "sp3",  "sp4",   "sp5",  "sp6",
        "sp7",     "sp8",     "sp9",     "sp10",  "sp11", "sp12",  "sp13", "sb2",
        "rbCent",  "rbterts", "rbkvint", "rbFre", "sb3",  "sb4",   "sb5",  "kromkvint",
        "sb6",     "sb7",     "sb8",     "sb9",   "sb10", "sb11",  "sb12"};
    QWidget* previous = nullptr;
    for (const char* name : chain) {
        auto* widget = window.findChild<QWidget*>(name);
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, widget);
        }
        previous = widget;
    }
    // The window opens with the focus on the first control of the chain, the triad button;
    // left to itself it would take the first control created, a hidden slider.
    window.findChild<QWidget*>(chain[0])->setFocus();
}

// The names and descriptions assistive technology reads for the controls whose text does not
// change; the marks and readouts are described by their parts as the tuning changes.
void nameControls(QWidget& window) {
    const auto name = [&window](const QString& objectName, const QString& text) {
        window.findChild<QWidget*>(objectName)->setAccessibleName(text);
    };
    // The sound buttons show only a picture; their names say what they play.
    name("BitBtn1", "Hør en ren treklang og treklangen i den aktuelle stemning");
    name("BitBtn2", "Hør en lille 4-stemmig sats i den valgte toneart");
    name("BitBtn3", "Hør en lille 4-stemmig sats med mere kromatik i den valgte toneart");
    name("Image1", "Billede af en treklang");
    name("Panel1", "Tal for tonerne");
    for (int tone = 1; tone <= 13; ++tone) {
        name(controls::keyName(tone), descriptions::keyButtonName(tone));
        for (int row = 0; row <= 2; ++row) {
            name(controls::markName(tone, row), descriptions::markName(tone, row));
        }
        for (int row = 1; row <= 2; ++row) {
            name(controls::barName(tone, row), descriptions::barName(tone, row));
        }
    }
    for (int k = klangora::kFirstSlider; k <= klangora::kLastSlider; ++k) {
        auto* slider = window.findChild<QWidget*>(controls::sliderName(k));
        slider->setAccessibleName(descriptions::sliderName(k));
        slider->setAccessibleDescription(
            "Pil-op hæver og pil-ned sænker tonen 1/20 cent; Home sætter den 30 cent over den "
            "ligesvævende, End 30 cent under.");
    }
    auto* hint = window.findChild<QWidget*>("plFlytMedPil");
    hint->setToolTip(descriptions::hintText());
    hint->setAccessibleDescription(descriptions::hintText());
}

} // namespace

void buildWindowLayout(QWidget& window) {
    window.setObjectName("Form1");
    window.setWindowTitle("Klangora: Lyt til dur-treklange i forskellige stemninger!");
    window.setWindowIcon(pictures::windowIcon());
    window.setFont(fonts::windowFont());
    window.setFixedSize(894, 541);
    window.move(118, 115);

    buildDiagram(window);
    buildLabels(window);
    buildSliders(window);
    buildPanel(window);
    buildButtons(window);
    buildMessageAreas(window);
    buildTimers(window);
    setTabOrders(window);
    nameControls(window);
}
