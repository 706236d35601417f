#include "ToExcelUnit.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <stdexcept>

#include "Dialogs.h"
#include "ExportFiles.h"
#include "RegionalSettings.h"
#include "ReportUnit.h"
#include "Workbook.h"
#include "WorkbookOpener.h"

QString ExportFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        return {};
    return QDir(documents).filePath(QStringLiteral("Зорант"));
}

void ExportReportToExcel() { ExportRowsToWorkbook(ReportForm->Rows(), ExportFolder(), RegionalSeparators()); }

QString ExportRowsToWorkbook(const ReportRows& rows, const QString& folder, const NumberSeparators& separators)
{
    WorkbookOpener& opener = CurrentWorkbookOpener();
    if (!opener.CanOpen()) {
        CurrentDialogs().Message(QStringLiteral("Требуется установить MS Excel на компьютер"));
        return {};
    }
    MakeExportFolder(folder, QStringLiteral("книги"));
    const TransferBlock block = BuildTransferBlock(rows);
    const QString path = WriteWorkbook(block, folder, SheetNumbers(separators, block));
    try {
        opener.Open(path);
    } catch (...) {
        // Nobody will see a workbook that did not open; it is not left lying in the folder.
        QFile::remove(path);
        throw;
    }
    return path;
}
