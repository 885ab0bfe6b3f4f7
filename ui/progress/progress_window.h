#pragma once

// "Fremskridt": the learner's progress. A tab for each ear exercise plots its measure over
// time; "Lektioner" tells whether and when each lesson was passed; "Alle resultater" lists
// every result, as "Eksporter CSV …" writes it. "Ryd" clears the progress after asking.
#include "core/exercises/exercise_outcome.h"

#include <QWidget>

#include <array>

class ProgressModels;
class QAbstractItemModel;
class ProgressPlot;
class ProgressStore;
class QPushButton;
class QTabWidget;
class QTableView;

class ProgressWindow : public QWidget {
    Q_OBJECT

public:
    explicit ProgressWindow(ProgressStore& store, QWidget* parent = nullptr);
    ~ProgressWindow() override;

    ProgressModels& models() { return *m_models; }
    ProgressPlot& plot(klangora::ExerciseKind kind) const;
    // Every result as CSV into the file; false, said in a message box, when it cannot be written.
    bool exportCsv(const QString& fileName);
    void chooseCsvFile();
    void askToClear();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void nameControls();
    void showRecords();
    void fitColumns();
    QTableView* table(QAbstractItemModel& model, const char* name);

    ProgressStore& m_store;
    ProgressModels* m_models;
    QTabWidget* m_tabs;
    std::array<ProgressPlot*, 3> m_plots{};
    QPushButton* m_export;
    QPushButton* m_clear;
    QPushButton* m_close;
};
