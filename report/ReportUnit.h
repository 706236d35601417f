// The report window "Отчет": the table of named fault points, its documents and export.
#pragma once

#include "MainWindowLink.h"

#include <QDialog>
#include <QString>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "ProjectDocument.h"
#include "ReportRow.h"
#include "ReportState.h"

class QAction;
class QLabel;
class QMenu;
class QPoint;
class QPushButton;
class QStatusBar;
class QTableView;
class QToolButton;
class ReportTableModel;
class SinglePress;

class TReportForm : public QDialog {
    Q_OBJECT
public:
    // The main window, as it lets this window reach it (set when the windows are created).
    MainWindowLink MainWindow;

    explicit TReportForm(QWidget* parent = nullptr);

    // The grid's rows, as the export and the point-name dialog read them.
    const ReportRows& Rows() const;

    // Puts a new point's row, with its record (PointRecord.h text; empty: none), after the last
    // named row; returns the row used.
    int AddPoint(const ReportRow& row, std::string record = std::string());
    // The record text of row `row`'s point, or nothing (a row from a ".okz" document, an empty row).
    const std::string* RecordOf(int row) const;
    // Every row's record text, in row order (empty where none).
    std::vector<std::string> RecordsOfRows() const;
    // Puts `row` and its record in place of row `row`.
    void ReplacePoint(int row, const ReportRow& replacement, std::string record);
    // Shows a project in place of the report.
    void ShowProject(Project project);

    // The project's own fields, written into the project document.
    ProjectFields Fields;
    // True when named rows were added, moved, deleted, replaced or loaded since the last save.
    bool HoldsUnsavedPoints() const;
    // Asked when the program closes, and before opening a project, loading a ".okz" document or
    // deleting every row: offers to save such a report as a project; true when the program may
    // close (the command may go on).
    bool MayClose();
    // Back to 14 empty rows (the delete-all dialog's confirmation).
    void DeleteAllRows();
    // Shows `rows` (at least 14) in place of the report, as loading a document does.
    void ReplaceRows(ReportRows rows);
    // Each of the three changes above, and deleting or moving a row, keeps the state before it:
    // "Отменить" and Ctrl+Z put back the newest kept state (see ReportUndoHistory for how many).
    bool CanUndo() const { return !history_.IsEmpty(); }

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
    void UndoButtonClick();
    void CalculationNoteButtonClick();
    void OpenProjectButtonClick();
    bool SaveProjectButtonClick();
    void ProjectButtonClick();
    void RecalculateButtonClick();
    void ReopenPointActionClick();
    void ReplacePointActionClick();

    // The captions and units over the columns, in CaptionStrip; they follow the column widths.
    QWidget* CaptionStrip = nullptr;
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
    QPushButton* UndoButton = nullptr;
    QPushButton* OpenProjectButton = nullptr;
    QPushButton* SaveProjectButton = nullptr;
    QPushButton* ProjectButton = nullptr;
    QPushButton* RecalculateButton = nullptr;
    // The grid's context menu (also the menu key and Shift+F10); Ctrl+Enter reopens the point.
    QMenu* PointMenu = nullptr;
    QAction* ReopenPointAction = nullptr;
    QAction* ReplacePointAction = nullptr;
    QStatusBar* StatusBar1 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Called after every change of the rows: the selection never points below the last row, and
    // the current row stays highlighted.
    void KeepSelectionInside();
    void MakeCurrentRow(int row);
    // Puts each caption and unit over its column, as the columns are now sized and scrolled.
    void PlaceCaptions();
    // Keeps `before` for undo, unless the report still holds it (the command changed nothing).
    void KeepForUndo(ReportState before);
    // The point of the selected row with a record, or nothing after telling the user why not.
    std::optional<int> SelectedPointWithRecord();

    ReportTableModel* model_ = nullptr;
    SinglePress* exportPress_ = nullptr;
    ReportUndoHistory history_;
    // The names last chosen in the save and in the open dialog, offered again next time.
    QString saveDialogName_;
    QString openDialogName_;
    QString projectDialogName_;
    bool modified_ = false;
};

extern TReportForm* ReportForm;

// The remembered selection: the row that delete and move act on, and the column under the
// last mouse release (-1 when it was over no cell).
extern int SelectedRow;
extern int SelectedCol;
