#pragma once

// Zoom for a projector: the whole window, text, pictures and outlines alike, is drawn larger by
// Qt's device-pixel scaling, so it stays sharp at every step, and everything a program reads of
// it (geometry, pen widths, mouse positions in its own coordinates) keeps its 100 % values.
// Full screen shows the window at the largest step that fits the screen, centred on a stage of
// the window's own background colour.
#include <QObject>

#include <array>
#include <memory>

class QWidget;
class ReducedPainting;

class WindowZoom : public QObject {
    Q_OBJECT

public:
    // Below 100 % for a small screen or a window beside another program's.
    static constexpr std::array<int, 7> kStepsPercent = {75, 90, 100, 125, 150, 175, 200};
    static constexpr int kFullSizePercent = 100;

    explicit WindowZoom(QWidget& window);
    ~WindowZoom() override;

    static bool isStep(int percent);

    int percent() const { return m_percent; }
    // Shows the window at this step (one of kStepsPercent), or at the largest step that fits
    // its screen where this one would not; false, and nothing changes, for any other number.
    bool setPercent(int percent);
    // The largest step the window is shown at: the largest that fits its screen, as full
    // screen chooses it, but at least 100 %.
    int largestStep() const;

    // The keys: one step larger or smaller, back to 100 %, full screen on and off. Each tells
    // percentChosen when the user's chosen zoom changed.
    void zoomIn();
    void zoomOut();
    void reset();
    void toggleFullScreen();
    bool isFullScreen() const;

    // The largest step at which a window of this size in pixels at 100 % fits a screen of this
    // size in device pixels.
    static int largestFittingStep(QSize windowSize, QSize screenSize);

signals:
    void percentChosen(int percent);

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void step(int direction);
    void apply(int percent);
    void enterFullScreen();
    void leaveFullScreen();
    void centreOnStage();
    void setScreensPercent(int percent);

    QWidget& m_window;
    int m_percent = kFullSizePercent;
    // While full screen: the stage the window sits on, and the zoom to go back to.
    std::unique_ptr<QWidget> m_stage;
    int m_windowedPercent = kFullSizePercent;
    // While the screens' ratio is below 1.
    std::unique_ptr<ReducedPainting> m_reducedPainting;
};
