#pragma once

// What the program remembers between runs: the interface language, the zoom, and (for the sound
// choice and the volume) a named sound and a volume. The tuning is not among them: it starts
// Pythagorean every time.
//
// The file lies in the user's configuration folder (XDG_CONFIG_HOME, else ~/.config) as
// klangora/klangora.conf. Nothing is written until the user changes one of the values (or the
// sound finds the latency this machine holds), and only that value is written. A value outside its
// range counts as not set; a file that is not a regular file of a sensible size is not read at all.
#include <QString>
#include <QVariant>

#include <memory>
#include <optional>

class QSettings;

enum class InterfaceLanguage { danish, english };

class Settings {
public:
    Settings();
    ~Settings();
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    // Danish unless English was chosen.
    InterfaceLanguage language() const;
    void setLanguage(InterfaceLanguage language);

    // The zoom in percent; 100 unless another was chosen.
    int zoomPercent() const;
    void setZoomPercent(int percent);

    // The chosen sound by name and the volume in percent, when chosen.
    std::optional<QString> soundName() const;
    void setSoundName(const QString& name);
    std::optional<int> volumePercent() const;
    void setVolumePercent(int percent);

    // The shortest PulseAudio latency this machine held, in ms, as the sound found it (not the
    // user): where the next run's stream begins.
    std::optional<int> pulseLatencyMs() const;
    void setPulseLatencyMs(int ms);

    // The file the values are kept in.
    QString fileName() const;

private:
    QVariant value(const char* key) const;
    void setValue(const char* key, const QVariant& value);

    QString m_fileName;
    std::unique_ptr<QSettings> m_store; // none when the file is not fit to read
};
