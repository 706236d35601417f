// The report window "Отчет": the table of named fault points, its documents and export.
#pragma once

#include <QDialog>

#include "ReportRow.h"

class TReportForm : public QDialog {
    Q_OBJECT
public:
    explicit TReportForm(QWidget* parent = nullptr);

    // The grid's rows, as the export and the point-name dialog read them.
    const ReportRows& Rows() const;
};

extern TReportForm* ReportForm;

// The remembered selection: the row that delete and move act on, and the column under the
// last mouse release (-1 when it was over no cell).
extern int SelectedRow;
extern int SelectedCol;
