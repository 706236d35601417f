#include "ToExcelUnit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "Dialogs.h"
#include "RegionalSettings.h"
#include "ReportUnit.h"
#include "Workbook.h"
#include "WorkbookOpener.h"

namespace {

[[noreturn]] void FailToMakeFolder(const QString& folder, const QString& reason)
{
    throw std::runtime_error(QStringLiteral("Не удалось создать папку «%1» для книги: %2")
                                 .arg(QDir::toNativeSeparators(folder), reason)
                                 .toStdString());
}

// Creates `folder` and any missing folder above it; the platform's own words say why not.
void MakeFolder(const QString& folder)
{
    if (folder.isEmpty())
        throw std::runtime_error("Не удалось определить папку документов пользователя");
    std::error_code error;
    std::filesystem::create_directories(QDir(folder).filesystemAbsolutePath(), error);
    if (error)
        FailToMakeFolder(folder, QString::fromLocal8Bit(error.message()));
    // create_directories is content with an existing path; a file of that name is no folder.
    if (!QFileInfo(folder).isDir())
        FailToMakeFolder(folder, QStringLiteral("по этому пути уже есть файл"));
}

}  // namespace

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
    MakeFolder(folder);
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
