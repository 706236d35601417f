// The report window "Отчет": the table of named fault points, its documents and export.
#pragma once

#include <QDialog>
#include <QString>
#include <array>

#include "ReportRow.h"

class QLabel;
class QPoint;
class QPushButton;
class QStatusBar;
class QTableView;
class QToolButton;
class ReportTableModel;

class TReportForm : public QDialog {
    Q_OBJECT
public:
    explicit TReportForm(QWidget* parent = nullptr);

    // The grid's rows, as the export and the point-name dialog read them.
    const ReportRows& Rows() const;

    // Puts a new point's row after the last named row; returns the row used.
    int AddPoint(const ReportRow& row);
    // Back to 14 empty rows (the delete-all dialog's confirmation).
    void DeleteAllRows();
    // Shows `rows` (at least 14) in place of the report, as loading a document does.
    void ReplaceRows(ReportRows rows);

    // Handlers, named after their controls.
    void ReportStringGridSelectCell(int col, int row);
    void ReportStringGridMouseUp(const QPoint& position);
    void DeleteReportButtonClick();
    void DeleteAllButtonClick();
    void UpSpeedButtonClick();
    void DownSpeedButtonClick();
    void WriteFileButtonClick();
    void LoadFileButtonClick();
    void ToExcelButtonClick();
    void CalculationNoteButtonClick();

    std::array<QLabel*, ReportColumnCount> CaptionLabels{};
    std::array<QLabel*, ReportColumnCount> UnitLabels{};  // none for column 0
    QTableView* ReportStringGrid = nullptr;
    QToolButton* UpSpeedButton = nullptr;
    QToolButton* DownSpeedButton = nullptr;
    QPushButton* DeleteReportButton = nullptr;
    QPushButton* DeleteAllButton = nullptr;
    QPushButton* WriteFileButton = nullptr;
    QPushButton* LoadFileButton = nullptr;
    QPushButton* ToExcelButton = nullptr;
    QPushButton* CalculationNoteButton = nullptr;
    QPushButton* CloseReportBitBtn = nullptr;
    QStatusBar* StatusBar1 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Called after every change of the rows: the selection never points below the last row, and
    // the current row stays highlighted.
    void KeepSelectionInside();
    void MakeCurrentRow(int row);

    ReportTableModel* model_ = nullptr;
    // The names last chosen in the save and in the open dialog, offered again next time.
    QString saveDialogName_;
    QString openDialogName_;
};

extern TReportForm* ReportForm;

// The remembered selection: the row that delete and move act on, and the column under the
// last mouse release (-1 when it was over no cell).
extern int SelectedRow;
extern int SelectedCol;
