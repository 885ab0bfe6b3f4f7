#include "ui/progress/progress_window.h"

#include "ui/exercises/exercises_window.h"
#include "ui/progress/csv_table.h"
#include "ui/progress/progress_models.h"
#include "ui/progress/progress_plot.h"
#include "ui/progress/progress_store.h"
#include "ui/texts/language_follower.h"
#include "ui/widgets/message_box.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSaveFile>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace {

using klangora::ExerciseKind;
constexpr std::array kKinds{ExerciseKind::pureOrTempered, ExerciseKind::tunePure,
                            ExerciseKind::whichTemperament};
constexpr int kLessonsTab = 3;
constexpr int kResultsTab = 4;

} // namespace

ProgressWindow::ProgressWindow(ProgressStore& store, QWidget* parent)
    : QWidget(parent, Qt::Window), m_store(store), m_models(new ProgressModels(this)),
      m_tabs(new QTabWidget(this)), m_export(new QPushButton(this)), m_clear(new QPushButton(this)),
      m_close(new QPushButton(this)) {
    setObjectName("progressWindow");
    for (const ExerciseKind kind : kKinds) {
        auto* plot = new ProgressPlot(m_tabs);
        plot->setModel(&m_models->series(kind));
        m_plots[static_cast<std::size_t>(kind)] = plot;
        m_tabs->addTab(plot, {});
    }
    m_tabs->addTab(table(m_models->lessons(), "progressLessons"), {});
    m_tabs->addTab(table(m_models->results(), "progressResults"), {});
    m_export->setObjectName("progressExport");
    m_clear->setObjectName("progressClear");
    m_close->setObjectName("progressClose");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_export);
    buttons->addWidget(m_clear);
    buttons->addStretch();
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addLayout(buttons);
    connect(m_export, &QPushButton::clicked, this, &ProgressWindow::chooseCsvFile);
    connect(m_clear, &QPushButton::clicked, this, &ProgressWindow::askToClear);
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);
    connect(&m_store, &ProgressStore::changed, this, &ProgressWindow::showRecords);
    nameControls();
    followLanguage(*this, *this, [this] {
        nameControls();
        showRecords();
    });
    resize(620, 420);
}

ProgressWindow::~ProgressWindow() = default;

QTableView* ProgressWindow::table(QAbstractItemModel& model, const char* name) {
    auto* view = new QTableView(m_tabs);
    view->setObjectName(name);
    view->setModel(&model);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->horizontalHeader()->setStretchLastSection(true);
    view->verticalHeader()->hide();
    return view;
}

void ProgressWindow::nameControls() {
    setWindowTitle(tr("Fremskridt"));
    for (const ExerciseKind kind : kKinds) {
        const int tab = static_cast<int>(kind);
        m_tabs->setTabText(tab, ExercisesWindow::exerciseName(kind));
        m_plots[static_cast<std::size_t>(tab)]->setMeasure(
            ProgressModels::measureName(kind),
            kind == ExerciseKind::whichTemperament ? std::optional(100.0) : std::nullopt);
    }
    m_tabs->setTabText(kLessonsTab, tr("Lektioner"));
    m_tabs->setTabText(kResultsTab, tr("Alle resultater"));
    m_export->setText(tr("Eksporter CSV …"));
    m_clear->setText(tr("Ryd"));
    m_close->setText(tr("Luk"));
}

ProgressPlot& ProgressWindow::plot(ExerciseKind kind) const {
    return *m_plots[static_cast<std::size_t>(kind)];
}

// Read anew each time the window is shown: another window of the program may have added to it.
void ProgressWindow::showEvent(QShowEvent* event) {
    m_models->show(m_store.reread());
    fitColumns();
    QWidget::showEvent(event);
}

void ProgressWindow::showRecords() {
    m_models->show(m_store.records());
    fitColumns();
}

void ProgressWindow::fitColumns() {
    for (QTableView* view : findChildren<QTableView*>()) {
        view->resizeColumnsToContents();
    }
}

bool ProgressWindow::exportCsv(const QString& fileName) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(csvText(m_models->results()).toUtf8()) < 0 ||
        !file.commit()) {
        showMessage(tr("%1 kan ikke skrives: %2").arg(fileName, file.errorString()));
        return false;
    }
    return true;
}

void ProgressWindow::chooseCsvFile() {
    const QString fileName = QFileDialog::getSaveFileName(this, tr("Eksporter resultaterne"),
                                                          tr("fremskridt.csv"), tr("CSV (*.csv)"));
    if (!fileName.isEmpty()) {
        exportCsv(fileName);
    }
}

void ProgressWindow::askToClear() {
    if (askQuestion(tr("Skal alle gemte resultater slettes? Det kan ikke fortrydes."), tr("Ryd"),
                    tr("Behold"))) {
        m_store.clear();
    }
}
