#include "ui/music/music_window.h"

#include "core/file_check.h"
#include "core/music/midi_file_reader.h"
#include "ui/music/midi_file_reason_text.h"
#include "ui/music/piece_saver.h"
#include "ui/session/piece_transport.h"
#include "ui/widgets/message_box.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>

#include <cmath>

namespace {

QString playText() {
    return QCoreApplication::translate("MusicWindow", "Spil");
}
QString pauseText() {
    return QCoreApplication::translate("MusicWindow", "Pause");
}
// The position is shown and moved in tenths of a second.
constexpr double kSliderStepsPerSecond = 10;
// How often the window looks where the audio thread has got to.
constexpr int kClockViewMs = 50;

QString minutesAndSeconds(double seconds) {
    const int whole = static_cast<int>(std::floor(std::max(0.0, seconds)));
    return QString("%1:%2").arg(whole / 60).arg(whole % 60, 2, 10, QChar('0'));
}

QPushButton* button(QWidget* parent, const QString& name, const QString& text,
                    const QString& accessible) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAccessibleName(accessible);
    return b;
}

} // namespace

MusicWindow::MusicWindow(const Sound& sound, QWidget* parent)
    : QWidget(parent, Qt::Tool), m_sound(sound),
      m_transport(sound.transport != nullptr ? sound.transport
                                             : new PieceTransport(sound.player, sound.wake, this)) {
    setObjectName("musicWindow");
    setWindowTitle(tr("Musik"));
    build();
    connect(m_transport, &PieceTransport::opened, this, &MusicWindow::showOpened);
    connect(m_transport, &PieceTransport::playingChanged, this, &MusicWindow::showPlaying);
}

MusicWindow::~MusicWindow() = default;

QString MusicWindow::timeText(double positionSeconds, double lengthSeconds) {
    return minutesAndSeconds(positionSeconds) + " / " + minutesAndSeconds(lengthSeconds);
}

void MusicWindow::build() {
    m_name = new QLabel(tr("Intet stykke åbnet"), this);
    m_name->setObjectName("musicPieceName");
    m_tuning = new QLabel(this);
    m_tuning->setObjectName("musicTuning");
    m_play = button(this, "musicPlay", playText(), tr("Spil eller hold pause (P)"));
    m_rewind = button(this, "musicRewind", tr("Til start"), tr("Tilbage til begyndelsen"));
    m_save = button(this, "musicSave", tr("Gem som lyd …"), tr("Gem stykket som lyd"));
    m_position = new QSlider(Qt::Horizontal, this);
    m_position->setObjectName("musicPosition");
    m_position->setAccessibleName(tr("Position i stykket"));
    m_time = new QLabel(timeText(0, 0), this);
    m_time->setObjectName("musicTime");
    m_tempo = new QSpinBox(this);
    m_tempo->setObjectName("musicTempo");
    m_tempo->setAccessibleName(tr("Tempo i procent"));
    m_tempo->setRange(klangora::PieceCursor::kMinTempoPercent,
                      klangora::PieceCursor::kMaxTempoPercent);
    m_tempo->setSingleStep(5);
    m_tempo->setValue(100);
    m_tempo->setSuffix(" %");
    auto* tempoLabel = new QLabel(tr("&Tempo:"), this);
    tempoLabel->setBuddy(m_tempo);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_name, 0, 0, 1, 4);
    layout->addWidget(m_tuning, 1, 0, 1, 4);
    layout->addWidget(m_position, 2, 0, 1, 3);
    layout->addWidget(m_time, 2, 3);
    layout->addWidget(m_play, 3, 0);
    layout->addWidget(m_rewind, 3, 1);
    layout->addWidget(tempoLabel, 3, 2, Qt::AlignRight);
    layout->addWidget(m_tempo, 3, 3);
    layout->addWidget(m_save, 4, 0, 1, 4);
    setTabOrder(m_play, m_rewind);
    setTabOrder(m_rewind, m_position);
    setTabOrder(m_position, m_tempo);
    setTabOrder(m_tempo, m_save);

    connect(m_play, &QPushButton::clicked, this, &MusicWindow::playOrPause);
    connect(m_rewind, &QPushButton::clicked, this, &MusicWindow::backToStart);
    connect(m_save, &QPushButton::clicked, this, &MusicWindow::askToSaveAsSound);
    connect(m_tempo, &QSpinBox::valueChanged, this, &MusicWindow::setTempoPercent);
    // A drag moves the piece when the handle is let go; a click or a key at once.
    connect(m_position, &QSlider::sliderReleased, this,
            [this] { seekTo(m_position->value() / kSliderStepsPerSecond); });
    connect(m_position, &QSlider::actionTriggered, this, [this](int action) {
        if (action != QSlider::SliderMove) {
            QTimer::singleShot(0, this,
                               [this] { seekTo(m_position->value() / kSliderStepsPerSecond); });
        }
    });

    m_clockView = new QTimer(this);
    m_clockView->setObjectName("musicClock");
    m_clockView->setInterval(kClockViewMs);
    connect(m_clockView, &QTimer::timeout, this, &MusicWindow::showPosition);
    m_clockView->start();
    m_saver = new PieceSaver(this);
    for (QWidget* control : {static_cast<QWidget*>(m_play), static_cast<QWidget*>(m_rewind),
                             static_cast<QWidget*>(m_position), static_cast<QWidget*>(m_tempo),
                             static_cast<QWidget*>(m_save)}) {
        control->setEnabled(false);
    }
}

bool MusicWindow::openPiece(const QString& path) {
    if (const auto problem = m_transport->open(path)) {
        showMessage(*problem);
        return false;
    }
    m_piecePath = path;
    show();
    raise();
    return true;
}

void MusicWindow::showOpened(const QString& name) {
    const klangora::Piece* opened = piece();
    m_sound.player.setTempoPercent(m_tempo->value());
    m_name->setText(name);
    m_name->setAccessibleName(tr("Stykke: %1").arg(name));
    setWindowTitle(tr("Musik: %1").arg(name));
    m_position->setRange(
        0, static_cast<int>(std::ceil(opened->lengthSeconds * kSliderStepsPerSecond)));
    m_position->setValue(0);
    m_soughtSeconds = 0;
    m_time->setText(timeText(0, opened->lengthSeconds));
    for (QWidget* control : findChildren<QWidget*>()) {
        control->setEnabled(true);
    }
    m_play->setText(playText());
    emit pieceOpened(name);
}

const klangora::Piece* MusicWindow::piece() const {
    return m_transport->piece();
}

std::shared_ptr<const klangora::Piece> MusicWindow::sharedPiece() const {
    return m_transport->sharedPiece();
}

void MusicWindow::addSoundRow(QWidget* row) {
    auto* grid = static_cast<QGridLayout*>(layout());
    grid->addWidget(row, grid->rowCount(), 0, 1, 4);
    setTabOrder(m_save, row);
}

void MusicWindow::showTuning(const QString& playing, const QString& other) {
    QString text = tr("Stemning: %1").arg(playing);
    if (!other.isEmpty()) {
        text += "\n" + tr("B skifter til: %1").arg(other);
    }
    m_tuning->setText(text);
    m_tuning->setAccessibleName(text);
}

void MusicWindow::closeEvent(QCloseEvent* event) {
    // A piece left playing would have no window to stop it.
    if (playing()) {
        playOrPause();
    }
    QWidget::closeEvent(event);
}

bool MusicWindow::playing() const {
    return m_transport->playing();
}

void MusicWindow::playOrPause() {
    m_transport->playOrPause();
}

void MusicWindow::showPlaying(bool playing) {
    m_play->setText(playing ? pauseText() : playText());
}

void MusicWindow::backToStart() {
    seekTo(0);
    m_position->setValue(0);
}

void MusicWindow::seekTo(double seconds) {
    m_soughtSeconds = seconds;
    m_sound.player.seek(seconds);
}

void MusicWindow::setTempoPercent(int percent) {
    m_tempo->setValue(percent);
    m_sound.player.setTempoPercent(m_tempo->value());
}

void MusicWindow::showPosition() {
    m_sound.player.flush();
    const klangora::Piece* const opened = piece();
    if (opened == nullptr) {
        return;
    }
    const double seconds =
        m_sound.player.seekPending() ? m_soughtSeconds : m_sound.player.positionSeconds();
    if (!m_position->isSliderDown()) {
        m_position->setValue(static_cast<int>(std::lround(seconds * kSliderStepsPerSecond)));
    }
    const double shown =
        m_position->isSliderDown() ? m_position->value() / kSliderStepsPerSecond : seconds;
    m_time->setText(timeText(shown, opened->lengthSeconds));
    // The piece ended on the audio thread: the button offers to play again.
    m_transport->endIfFinished();
}

void MusicWindow::askToSaveAsSound() {
    if (piece() == nullptr) {
        return;
    }
    const QString suggested =
        QFileInfo(m_soundFolder, QString::fromStdString(piece()->name) + ".wav").filePath();
    const QString path =
        QFileDialog::getSaveFileName(this, tr("Gem som lyd"), suggested, tr("WAV-lyd (*.wav)"));
    if (!path.isEmpty()) {
        m_soundFolder = QFileInfo(path).absolutePath();
        saveAsSound(path);
    }
}

void MusicWindow::saveAsSound(const QString& path) {
    if (piece() == nullptr) {
        return;
    }
    // The sound would replace the very file the piece came from, whatever name leads to it.
    if (klangora::isSameFile(QFile::encodeName(m_piecePath).toStdString(),
                             QFile::encodeName(path).toStdString())) {
        showMessage(tr("Lyden kan ikke gemmes som »%1«: det er selve stykket. Vælg et andet navn.")
                        .arg(QFileInfo(path).fileName()));
        emit saveFinished(false);
        return;
    }
    if (!m_saver->start(sharedPiece(), m_sound.tuning(), path,
                        m_soundToSave ? m_soundToSave() : klangora::SoundToRender{})) {
        return;
    }
    auto* progress = new QProgressDialog(
        tr("Gemmer »%1« som lyd …").arg(QFileInfo(path).fileName()), tr("Annuller"), 0, 1000, this);
    progress->setObjectName("musicSaveProgress");
    progress->setWindowTitle(kApplicationTitle);
    progress->setWindowModality(Qt::WindowModal);
    progress->setMinimumDuration(300);
    progress->setAutoClose(false);
    progress->setAutoReset(false);
    connect(m_saver, &PieceSaver::progressed, progress, &QProgressDialog::setValue);
    connect(progress, &QProgressDialog::canceled, m_saver, &PieceSaver::cancel);
    connect(m_saver, &PieceSaver::finished, progress,
            [this, progress](klangora::SaveOutcome outcome, const QString& reason) {
                progress->deleteLater();
                if (outcome == klangora::SaveOutcome::failed) {
                    showMessage(reason);
                }
                emit saveFinished(outcome == klangora::SaveOutcome::saved);
            });
}
