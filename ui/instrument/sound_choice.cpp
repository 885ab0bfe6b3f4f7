#include "ui/instrument/sound_choice.h"

#include "sound/fluid/fluid_renderer.h"
#include "sound/fluid/output_volume.h"
#include "ui/session/session.h"
#include "ui/texts/language_follower.h"
#include "ui/widgets/message_box.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QSignalBlocker>
#include <QSlider>
#include <QStandardItemModel>
#include <QTimer>
#include <QWidgetAction>

#include <algorithm>
#include <array>
#include <string>

using klangora::InstrumentSound;

namespace {

// How often the window looks for a finished load, a message, and an output at another rate than
// the synth's: soon enough to answer at once, rare enough to cost nothing.
constexpr int kPollMs = 100;

// The sounds' Danish captions, which the sound layer keeps beside their programs, listed here so
// that the translation knows them.
[[maybe_unused]] constexpr std::array kCaptions = {
    QT_TRANSLATE_NOOP("klangora", "Eget klangbillede"),
    QT_TRANSLATE_NOOP("klangora", "Cembalo"),
    QT_TRANSLATE_NOOP("klangora", "Kirkeorgel"),
    QT_TRANSLATE_NOOP("klangora", "Klaver"),
    QT_TRANSLATE_NOOP("klangora", "Stykkets egne instrumenter"),
};

QString say(const char* danish) {
    return QCoreApplication::translate("klangora", danish);
}

QString caption(InstrumentSound sound) {
    return say(std::string(klangora::instrumentSoundInfo(sound).caption).c_str());
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
        connect(action, &QAction::triggered, this, [this, sound] { chooseByUser(sound); });
    }
    m_poll->setInterval(kPollMs);
    connect(m_poll, &QTimer::timeout, this, &SoundChoice::poll);
    followLanguage(window, *this, [this] { retell(); });
}

// The sounds' captions, the volume's name and the music window's labels in the language the
// interface has now (the context menu is built anew each time it opens).
void SoundChoice::retell() {
    for (QAction* action : m_group->actions()) {
        action->setText(caption(static_cast<InstrumentSound>(action->data().toInt())));
    }
    for (const QPointer<QComboBox>& box : m_boxes) {
        if (box == nullptr) {
            continue;
        }
        box->setAccessibleName(say(QT_TRANSLATE_NOOP("klangora", "Klang")));
        for (int i = 0; i < box->count(); ++i) {
            box->setItemText(i, caption(static_cast<InstrumentSound>(box->itemData(i).toInt())));
        }
    }
    for (const QPointer<QSlider>& slider : m_sliders) {
        if (slider != nullptr) {
            slider->setAccessibleName(say(QT_TRANSLATE_NOOP("klangora", "Lydstyrke")));
        }
    }
    for (const auto& [label, danish] : m_labels) {
        if (label != nullptr) {
            label->setText(say(danish));
        }
    }
}

void SoundChoice::addToMenu(QMenu& menu) {
    QMenu* sounds = menu.addMenu(say(QT_TRANSLATE_NOOP("klangora", "&Klang")));
    sounds->setObjectName("soundMenu");
    sounds->addActions(m_group->actions());
    sounds->addSeparator();
    sounds->addAction(say(QT_TRANSLATE_NOOP("klangora", "Vælg &lydfont …")), this,
                      &SoundChoice::askForSoundFont);
    sounds->addSeparator();
    auto* volume = new QWidgetAction(sounds);
    auto* row = new QWidget(sounds);
    auto* layout = new QHBoxLayout(row);
    auto* label = new QLabel(say(QT_TRANSLATE_NOOP("klangora", "Lydstyrke")), row);
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
    slider->setAccessibleName(say(QT_TRANSLATE_NOOP("klangora", "Lydstyrke")));
    slider->setRange(0, 100);
    slider->setSingleStep(5);
    slider->setPageStep(20);
    slider->setValue(m_volumePercent);
    slider->setFocusPolicy(Qt::StrongFocus); // Tab reaches it, the arrow keys move it
    connect(slider, &QSlider::valueChanged, this, [this](int percent) {
        setVolumePercent(percent);
        emit volumeSetByUser(percent);
    });
    m_sliders.append(slider);
    return slider;
}

QWidget* SoundChoice::createSoundRow(QWidget* parent) {
    auto* row = new QWidget(parent);
    row->setObjectName("soundRow");
    auto* box = new QComboBox(row);
    box->setObjectName("soundBox");
    box->setAccessibleName(say(QT_TRANSLATE_NOOP("klangora", "Klang")));
    for (InstrumentSound sound : klangora::kAllInstrumentSounds) {
        box->addItem(caption(sound), static_cast<int>(sound));
    }
    connect(box, &QComboBox::activated, this, [this, box](int index) {
        chooseByUser(static_cast<InstrumentSound>(box->itemData(index).toInt()));
    });
    m_boxes.append(box);
    auto* boxLabel = new QLabel(say(QT_TRANSLATE_NOOP("klangora", "&Klang:")), row);
    m_labels.emplace_back(boxLabel, QT_TRANSLATE_NOOP("klangora", "&Klang:"));
    boxLabel->setBuddy(box);
    QSlider* slider = createVolumeSlider(row);
    auto* sliderLabel = new QLabel(say(QT_TRANSLATE_NOOP("klangora", "&Lydstyrke:")), row);
    m_labels.emplace_back(sliderLabel, QT_TRANSLATE_NOOP("klangora", "&Lydstyrke:"));
    sliderLabel->setBuddy(slider);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(boxLabel);
    layout->addWidget(box, 1);
    layout->addWidget(sliderLabel);
    layout->addWidget(slider, 1);
    QWidget::setTabOrder(box, slider);
    showChoice();
    return row;
}

void SoundChoice::follow(Session& session) {
    connect(&session, &Session::soundChosen, this, [this](InstrumentSound sound) {
        if (sound != m_chosen) {
            choose(sound);
        }
    });
    connect(this, &SoundChoice::chosenChanged, &session,
            qOverload<InstrumentSound>(&Session::chooseSound));
    if (session.sound() != m_chosen) {
        choose(session.sound());
    }
}

void SoundChoice::setTuning(const klangora::Tuning& tuning) {
    m_renderer.setTuning(tuning);
}

void SoundChoice::setVolumePercent(int percent) {
    m_volumePercent = std::clamp(percent, 0, 100);
    m_volume.set(m_volumePercent / 100.0);
    for (const QPointer<QSlider>& slider : m_sliders) {
        if (slider != nullptr && slider->value() != m_volumePercent) {
            const QSignalBlocker quiet(slider.data());
            slider->setValue(m_volumePercent);
        }
    }
}

// The menu's check mark and every list box show the sound chosen, and which sounds may be.
void SoundChoice::showChoice() {
    for (QAction* action : m_group->actions()) {
        action->setChecked(action->data().toInt() == static_cast<int>(m_chosen));
    }
    for (const QPointer<QComboBox>& box : m_boxes) {
        if (box == nullptr) {
            continue;
        }
        const QSignalBlocker quiet(box.data());
        box->setCurrentIndex(box->findData(static_cast<int>(m_chosen)));
        if (auto* items = qobject_cast<QStandardItemModel*>(box->model())) {
            items->item(box->findData(static_cast<int>(InstrumentSound::pieceOwn)))
                ->setEnabled(!m_piecePrograms.empty());
        }
    }
}

void SoundChoice::chooseByUser(InstrumentSound sound) {
    choose(sound);
    emit chosenByUser(sound);
}

void SoundChoice::choose(InstrumentSound sound) {
    m_chosen = sound;
    showChoice();
    m_renderer.choose(sound,
                      sound == InstrumentSound::pieceOwn ? m_piecePrograms : std::vector<int>{});
    if (klangora::usesSoundFont(sound)) {
        if (m_wakeOutput) {
            m_wakeOutput();
        }
        m_poll->start();
    }
    tellLoading();
    emit chosenChanged(sound);
}

klangora::SoundToRender SoundChoice::soundToRender() {
    const bool pieceOwn = m_chosen == InstrumentSound::pieceOwn;
    return {m_chosen, m_renderer.fontsToTry(), pieceOwn ? m_piecePrograms : std::vector<int>{}};
}

void SoundChoice::setPiecePrograms(std::vector<int> programs) {
    m_piecePrograms = std::move(programs);
    for (QAction* action : m_group->actions()) {
        if (action->data().toInt() == static_cast<int>(InstrumentSound::pieceOwn)) {
            action->setEnabled(!m_piecePrograms.empty());
        }
    }
    showChoice();
    if (m_chosen == InstrumentSound::pieceOwn) {
        choose(m_piecePrograms.empty() ? InstrumentSound::own : InstrumentSound::pieceOwn);
    }
}

void SoundChoice::askForSoundFont() {
    QFileDialog dialog(&m_window, say(QT_TRANSLATE_NOOP("klangora", "Vælg lydfont")));
    dialog.setOption(QFileDialog::DontUseNativeDialog); // every text in the interface's language
    dialog.setNameFilter(say(QT_TRANSLATE_NOOP("klangora", "Lydfonte (*.sf2 *.sf3 *.SF2 *.SF3)")));
    dialog.setLabelText(QFileDialog::LookIn, say(QT_TRANSLATE_NOOP("klangora", "Kig i:")));
    dialog.setLabelText(QFileDialog::FileName, say(QT_TRANSLATE_NOOP("klangora", "Filnavn:")));
    dialog.setLabelText(QFileDialog::FileType, say(QT_TRANSLATE_NOOP("klangora", "Filtype:")));
    dialog.setLabelText(QFileDialog::Accept, say(QT_TRANSLATE_NOOP("klangora", "Vælg")));
    dialog.setLabelText(QFileDialog::Reject, say(QT_TRANSLATE_NOOP("klangora", "Annuller")));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDirectory(QDir::homePath());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    m_renderer.chooseSoundFont(dialog.selectedFiles().constFirst().toStdString());
    if (!klangora::usesSoundFont(m_chosen)) {
        chooseByUser(InstrumentSound::harpsichord); // a font is chosen to be heard
    } else {
        m_poll->start();
    }
}

void SoundChoice::poll() {
    m_renderer.maintain();
    if (const auto message = m_renderer.takeMessage()) {
        m_poll->stop();
        choose(m_renderer.sound()); // the own tone again
        tellLoading();
        showMessage(QString::fromStdString(*message));
        return;
    }
    tellLoading();
}

// "Indlæser cembalo …" from the choice until the instrument plays.
void SoundChoice::tellLoading() {
    QString note;
    if (klangora::usesSoundFont(m_chosen) && m_renderer.loading()) {
        note = say(QT_TRANSLATE_NOOP("klangora", "Indlæser %1 …")).arg(caption(m_chosen).toLower());
    }
    if (note != m_loadingNote) {
        m_loadingNote = note;
        emit loadingNoteChanged(note);
    }
}
