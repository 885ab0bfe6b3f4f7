#include "ui/music/music_session.h"

#include "core/music/tuning_name.h"
#include "core/presets.h"
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

void applyTuningName(TForm1& form, const QString& name) {
    const std::pair<const char*, void (TForm1::*)()> buttons[] = {
        {"pyt", &TForm1::pytClick},       {"ren", &TForm1::renClick},
        {"praet", &TForm1::praetClick},   {"bach", &TForm1::bachClick},
        {"werck1", &TForm1::werck1Click}, {"werck3", &TForm1::werck3Click},
        {"lige", &TForm1::ligeClick}};
    static_assert(std::size(buttons) == klangora::kAllPresets.size());
    for (const auto& [id, click] : buttons) {
        if (name == id) {
            (form.*click)();
            return;
        }
    }
    if (name.endsWith(".scl", Qt::CaseInsensitive)) {
        form.openTuning(name);
        return;
    }
    const auto tuning = klangora::resolveTuningName(name.toStdString());
    if (const auto* named = std::get_if<klangora::NamedTuning>(&tuning)) {
        form.applyNamedTuning(named->positions, QString::fromStdString(named->caption));
    }
}
