#include "ui/instrument/sound_choice.h"

#include "sound/fluid/fluid_renderer.h"
#include "sound/fluid/output_volume.h"
#include "ui/widgets/message_box.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QSlider>
#include <QTimer>
#include <QWidgetAction>

using klangora::InstrumentSound;

namespace {

// How often the window looks for a finished load, a message, and an output at another rate than
// the synth's: soon enough to answer at once, rare enough to cost nothing.
constexpr int kPollMs = 100;

QString caption(InstrumentSound sound) {
    return QString::fromUtf8(
        klangora::instrumentSoundInfo(sound).caption.data(),
        static_cast<qsizetype>(klangora::instrumentSoundInfo(sound).caption.size()));
}

} // namespace

SoundChoice::SoundChoice(QWidget& window, klangora::FluidRenderer& renderer,
                         klangora::OutputVolume& volume)
    : QObject(&window), m_window(window), m_renderer(renderer), m_volume(volume),
      m_group(new QActionGroup(this)), m_poll(new QTimer(this)) {
    m_group->setExclusive(true);
    for (InstrumentSound sound : klangora::kAllInstrumentSounds) {
        auto* action = new QAction(caption(sound), m_group);
        action->setCheckable(true);
        action->setChecked(sound == InstrumentSound::own);
        action->setData(static_cast<int>(sound));
        action->setEnabled(sound != InstrumentSound::pieceOwn);
        connect(action, &QAction::triggered, this, [this, sound] { choose(sound); });
    }
    m_poll->setInterval(kPollMs);
    connect(m_poll, &QTimer::timeout, this, &SoundChoice::poll);
}

void SoundChoice::addToMenu(QMenu& menu) {
    QMenu* sounds = menu.addMenu("&Klang");
    sounds->setObjectName("soundMenu");
    sounds->addActions(m_group->actions());
    sounds->addSeparator();
    sounds->addAction("Vælg &lydfont …", this, &SoundChoice::askForSoundFont);
    sounds->addSeparator();
    auto* volume = new QWidgetAction(sounds);
    auto* row = new QWidget(sounds);
    auto* layout = new QHBoxLayout(row);
    auto* label = new QLabel("Lydstyrke", row);
    QSlider* slider = createVolumeSlider(row);
    label->setBuddy(slider);
    layout->addWidget(label);
    layout->addWidget(slider);
    volume->setDefaultWidget(row);
    sounds->addAction(volume);
}

QSlider* SoundChoice::createVolumeSlider(QWidget* parent) {
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setObjectName("volumeSlider");
    slider->setAccessibleName("Lydstyrke");
    slider->setRange(0, 100);
    slider->setSingleStep(5);
    slider->setPageStep(20);
    slider->setValue(m_volumePercent);
    slider->setFocusPolicy(Qt::StrongFocus); // Tab reaches it, the arrow keys move it
    connect(slider, &QSlider::valueChanged, this, &SoundChoice::setVolumePercent);
    return slider;
}

void SoundChoice::setVolumePercent(int percent) {
    m_volumePercent = percent;
    m_volume.set(percent / 100.0);
}

void SoundChoice::choose(InstrumentSound sound) {
    m_chosen = sound;
    for (QAction* action : m_group->actions()) {
        action->setChecked(action->data().toInt() == static_cast<int>(sound));
    }
    m_renderer.choose(sound,
                      sound == InstrumentSound::pieceOwn ? m_piecePrograms : std::vector<int>{});
    if (klangora::usesSoundFont(sound)) {
        if (m_wakeOutput) {
            m_wakeOutput();
        }
        m_poll->start();
    }
    emit chosenChanged(sound);
}

void SoundChoice::setPiecePrograms(std::vector<int> programs) {
    m_piecePrograms = std::move(programs);
    for (QAction* action : m_group->actions()) {
        if (action->data().toInt() == static_cast<int>(InstrumentSound::pieceOwn)) {
            action->setEnabled(!m_piecePrograms.empty());
        }
    }
    if (m_chosen == InstrumentSound::pieceOwn) {
        choose(m_piecePrograms.empty() ? InstrumentSound::own : InstrumentSound::pieceOwn);
    }
}

void SoundChoice::askForSoundFont() {
    QFileDialog dialog(&m_window, "Vælg lydfont");
    dialog.setOption(QFileDialog::DontUseNativeDialog); // every text Danish
    dialog.setNameFilter("Lydfonte (*.sf2 *.sf3 *.SF2 *.SF3)");
    dialog.setLabelText(QFileDialog::LookIn, "Kig i:");
    dialog.setLabelText(QFileDialog::FileName, "Filnavn:");
    dialog.setLabelText(QFileDialog::FileType, "Filtype:");
    dialog.setLabelText(QFileDialog::Accept, "Vælg");
    dialog.setLabelText(QFileDialog::Reject, "Annuller");
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDirectory(QDir::homePath());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    m_renderer.chooseSoundFont(dialog.selectedFiles().constFirst().toStdString());
    if (!klangora::usesSoundFont(m_chosen)) {
        choose(InstrumentSound::harpsichord); // a font is chosen to be heard
    } else {
        m_poll->start();
    }
}

void SoundChoice::poll() {
    m_renderer.maintain();
    if (const auto message = m_renderer.takeMessage()) {
        m_poll->stop();
        choose(m_renderer.sound()); // the own tone again
        showMessage(QString::fromStdString(*message));
        return;
    }
}
