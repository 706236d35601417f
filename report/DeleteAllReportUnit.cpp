#include "DeleteAllReportUnit.h"

TDeleteAllReportForm* DeleteAllReportForm = nullptr;

TDeleteAllReportForm::TDeleteAllReportForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DeleteAllReportForm"));
    setWindowTitle(QStringLiteral("Удаление отчета"));
}
