#include "ReportUnit.h"

TReportForm* ReportForm = nullptr;
int SelectedRow = 0;
int SelectedCol = 0;

namespace {
ReportRows placeholderRows(ReportMinimumRows);
}

TReportForm::TReportForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ReportForm"));
    setWindowTitle(QStringLiteral("Отчет"));
}

const ReportRows& TReportForm::Rows() const { return placeholderRows; }
