#include "ui/music/music_session.h"

#include "core/music/tuning_name.h"
#include "sound/instrument/live_instrument.h"
#include "ui/form1.h"
#include "ui/model/tuning_model.h"
#include "ui/music/music_window.h"

namespace {

// The rate most sound servers run at; the player follows the output's own once it runs.
constexpr int kAssumedSampleRate = 48000;

} // namespace

MusicSession::MusicSession(TForm1& form, klangora::LiveInstrument& instrument)
    : m_instrument(instrument),
      m_player(std::make_unique<klangora::PiecePlayer>(kAssumedSampleRate)) {
    m_window = std::make_unique<MusicWindow>(
        MusicWindow::Sound{
            *m_player,
            [this] {
                if (m_instrument.output() != nullptr) {
                    m_instrument.output()->wake();
                }
            },
            [&form] { return klangora::centsFromPositions(form.model().positions()); }},
        &form);
}

MusicSession::~MusicSession() = default;

bool MusicSession::open(const QString& path, bool playAtOnce) {
    if (!m_window->openPiece(path)) {
        return false;
    }
    if (playAtOnce) {
        m_window->playOrPause();
    }
    return true;
}
