#include "ToExcelUnit.h"

#include <QDir>
#include <QFile>

#include "Dialogs.h"
#include "ReportUnit.h"
#include "Workbook.h"
#include "WorkbookOpener.h"

void ExportReportToExcel() { ExportRowsToWorkbook(ReportForm->Rows(), QDir::tempPath()); }

QString ExportRowsToWorkbook(const ReportRows& rows, const QString& folder)
{
    WorkbookOpener& opener = CurrentWorkbookOpener();
    if (!opener.CanOpen()) {
        CurrentDialogs().Message(QStringLiteral("Требуется установить MS Excel на компьютер"));
        return {};
    }
    const QString path = WriteWorkbook(BuildTransferBlock(rows), folder);
    try {
        opener.Open(path);
    } catch (...) {
        // Nobody will see a workbook that did not open; it is not left lying in the folder.
        QFile::remove(path);
        throw;
    }
    return path;
}
