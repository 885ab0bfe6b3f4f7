#pragma once

#include "core/presets.h"
#include "core/tone_table.h"
#include "ui/descriptions.h"

#include <QWidget>

#include <array>
#include <functional>
#include <utility>

class QButtonGroup;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
class QTimer;
class Shape;
class SoundPlayer;
class ToneSlider;

// The one window of the program: the triad diagram with its marks and reference lines, the
// readout panel, the temperament, key and sound buttons. The tuning it shows lives here too.
//
// The named steps (nodetykkelse, opdaterLabel, ...) each recompute one part of the window and
// are run synchronously, in the orders the handlers below give them.
class TForm1 : public QWidget {
    Q_OBJECT

public:
    explicit TForm1(SoundPlayer& player, QWidget* parent = nullptr);
    ~TForm1() override;

    // Named steps.
    void nodetykkelse();
    void opdaterLabel();
    void tegnRenStreg();
    void centTILnode();
    void scrolTILcent();
    void restenCent();
    void BTnavngivning();
    void BTplacering();
    void IndlaesFrek();
    void focus();
    void tonemark();

    // Handlers.
    void FormCreate();
    void pytClick();
    void renClick();
    void praetClick();
    void bachClick();
    void werck1Click();
    void werck3Click();
    void ligeClick();
    void kromkvintClick();
    void rbFreClick();
    void rbCentClick();
    void rbtertsClick();
    void rbkvintClick();
    void Timer1Timer();
    void Timer2Timer();
    void Timer3Timer();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    // sb2Change .. sb12Change: slider number 2..12.
    void sbChange(int sliderNumber);
    // knap10MouseDown .. knap132MouseDown: column (tone number) 1..13, row 0 root, 1 third, 2
    // fifth.
    void knapMouseDown(int column, int row);
    void knap12ContextPopup();
    // sp1Click .. sp13Click: the key button of tone number 1..13 has become checked.
    void spClick(int toneNumber);

    // A Scala scale file (.scl) onto the sliders, or the current tuning into one. On failure
    // they say why in a message box, change nothing else and return false.
    bool openTuning(const QString& path);
    bool saveTuning(const QString& path);

    // The tuning and the window's state.
    klangora::ToneTable tones;
    std::array<double, 61> savedFreqTable{};
    int selectedTone = 0;      // column of the selected mark, 14 = none
    int selectedRow = 0;       // its row
    int selectedPenWidth = 0;  // outline of the selected mark
    int normalPenWidth = 0;    // outline of every other mark
    int stemningLabelLeft = 0; // where "Din Egen Stemning!" stands
    int selectedKey = 0;       // tone number of the checked key button
    int sequenceStep = 0;      // the sound step the next Timer3 tick performs

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The controls, by tone number (index 0 unused) as the rest of the program addresses them.
    std::array<std::array<Shape*, 3>, 14> toneShapes{};
    std::array<std::array<Shape*, 3>, 14> barShapes{}; // rows 1 (third bar) and 2 (fifth bar)
    std::array<ToneSlider*, 13> toneSliders{};         // slider number 2..12
    std::array<QRadioButton*, 14> keyButtons{};
    std::array<QLabel*, 14> readoutLabels{};
    std::array<QLabel*, 14> noteNameLabels{};

    QString clickHintText;
    QString arrowHintText;

    void buildLayout();
    void buildDiagram();
    void buildLabels();
    void buildSliders();
    void buildPanel();
    void buildButtons();
    void buildMessageAreas();
    void buildTimers();
    void setTabOrders();
    void nameControls();
    void buildKeyboardSelection();

    // The texts that say what every mark and readout is, brought up to date after a retuning;
    // only those whose text changed are touched, so only they announce a change.
    void describeMarks();
    void nameReadouts();
    // What the readouts' names were last written from; a readout's number is never empty, so
    // the first refresh names them all.
    descriptions::ReadoutMode namedReadoutMode = descriptions::ReadoutMode::frequency;
    std::array<QString, 14> namedReadoutNumbers;
    // The cents of the two tones each mark's text was last written from (a root's twice): a
    // text depends on nothing else, so a mark whose tones did not move keeps its text unread.
    std::array<std::array<std::pair<double, double>, 3>, 14> describedCents{};
    // Ctrl + arrow keys: select the mark beside, above or below the selected one on screen.
    void moveKeyboardSelection(int columnStep, int rowStep);
    void markSelected(int column, int row);
    bool inFifthsArrangement() const;

    void buildTuningFileActions();
    void askToOpenTuning();
    void askToSaveTuning();
    void showTuningName(const QString& name);
    QString stemningCaption() const;
    QString m_tuningFolder; // where the last tuning file was opened or saved

    void applyRatioPreset(klangora::PresetId id);
    void setSliders(const klangora::SliderPositions& positions);
    void nameTemperament(klangora::PresetId id);
    void setStemning(const QString& text, int left);
    void placeInColumn(int tone, int column);
    void highlightTone(int tone);
    // Whether a mark is selected and stands for this tone number.
    bool isSelectedTone(int tone) const;
    void showReadoutMode();
    void showFixedCMessage();
    int scanKeyButtons() const;

    void startSequence(int firstStep);
    void endSequence();
    void showDuHoer(const QString& text, const QColor& colour);
    QString withTuningName(const QString& lead) const;
    void playTriad(int root);
    void playChorale(bool jazz, int root);
    // Runs a sound; while it plays, Timer3's ticks are ignored.
    void playSound(const std::function<void()>& sound);

    SoundPlayer& m_player;
    bool m_soundPlaying = false;
    QFrame* Panel1 = nullptr;
    QLabel* lbStemning = nullptr;
    QLabel* plFlytMedPil = nullptr;
    QLabel* DuHoer = nullptr;
    QPushButton* kromkvint = nullptr;
    QRadioButton* rbFre = nullptr;
    QRadioButton* rbCent = nullptr;
    QRadioButton* rbterts = nullptr;
    QRadioButton* rbkvint = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    QTimer* Timer3 = nullptr;
    QButtonGroup* keyGroup = nullptr;
    QButtonGroup* readoutGroup = nullptr;
};
