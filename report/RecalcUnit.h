// The dialog "Пересчет точек": one upstream change taken from the main window, applied to the
// selected point or to every point with inputs; shows old -> new current and verdict before the
// user takes them.
#pragma once

#include "MainWindowLink.h"

#include <QDialog>

#include "PointRecalculation.h"

class QButtonGroup;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableWidget;

class TRecalcForm : public QDialog {
    Q_OBJECT
public:
    // The main window, as it lets this window reach it (set when the windows are created).
    MainWindowLink MainWindow;

    explicit TRecalcForm(QWidget* parent = nullptr);

    // Starts afresh for the report's selected row: nothing calculated yet, "Применить" disabled.
    void Prepare(int selectedRow);
    // The change chosen in the window, with the main window's texts now.
    UpstreamChange ChosenChange() const;
    // The outcome shown, which "Применить" hands to the report.
    const Recalculation& Outcome() const { return outcome_; }

    void CalculateButtonClick();

    QRadioButton* TransformerRadioButton = nullptr;
    QRadioButton* ArcRadioButton = nullptr;
    QRadioButton* LinesRadioButton = nullptr;
    QSpinBox* LineCountSpinBox = nullptr;
    QRadioButton* SelectedPointRadioButton = nullptr;
    QRadioButton* AllPointsRadioButton = nullptr;
    QPushButton* CalculateButton = nullptr;
    QTableWidget* ChangesGrid = nullptr;
    QLabel* SkippedLabel = nullptr;
    QPushButton* ApplyButton = nullptr;
    QPushButton* CancelBitBtn = nullptr;

private:
    int selectedRow_ = 0;
    Recalculation outcome_;
    PointRecordCache records_;
};

extern TRecalcForm* RecalcForm;
