#include "ui/export/diagram_sheet.h"

#include "ui/diagram/diagram_geometry.h"
#include "ui/layout/window_layout.h"

#include <QPainter>

namespace {

// From the window's left edge to the readout panel's right, and from its top to the panel's
// bottom: the marks, their bars, the reference lines and the panel, nothing of the buttons.
constexpr QSize kSheetSize(diagram::kPanelLeft + diagram::kPanelWidth + 10, 535);

} // namespace

DiagramSheet::DiagramSheet(const klangora::Tuning& tuning, bool fifths, QWidget* parent)
    : QWidget(parent) {
    setObjectName("diagramSheet");
    setAttribute(Qt::WA_DontShowOnScreen);
    resize(kSheetSize);
    m_model.setTuning(tuning);
    m_diagram = std::make_unique<TriadDiagram>(buildDiagram(*this), m_model, nullptr);
    m_panel = std::make_unique<ReadoutPanel>(buildPanel(*this), m_model, nullptr);
    // Each readout under its tone's marks, as in the window.
    connect(m_diagram.get(), &TriadDiagram::toneMoved, m_panel.get(), &ReadoutPanel::centreTone);
    m_diagram->placeColumns();
    m_diagram->arrange(fifths);
}

DiagramSheet::~DiagramSheet() = default;

void DiagramSheet::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    m_diagram->paintReferenceLines(painter);
}
