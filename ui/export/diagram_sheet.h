#pragma once

// The triad diagram and the readout panel of one tuning, built as the window builds them but on
// a widget of their own that no user sees: drawn onto a page or a picture for a handout, in the
// window or without one (from the command line).
#include "ui/diagram/triad_diagram.h"
#include "ui/model/tuning_model.h"
#include "ui/panel/readout_panel.h"

#include <QWidget>

#include <memory>

class DiagramSheet : public QWidget {
    Q_OBJECT

public:
    // fifths: the columns round the fifths (C G D ...), else chromatic.
    DiagramSheet(const klangora::Tuning& tuning, bool fifths, QWidget* parent = nullptr);
    ~DiagramSheet() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TuningModel m_model;
    std::unique_ptr<TriadDiagram> m_diagram;
    std::unique_ptr<ReadoutPanel> m_panel;
};
