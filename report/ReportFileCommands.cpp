// The report window's document commands: ".okz" documents, project documents, the spreadsheet
// export, and the question asked before unsaved points would be lost.
#include "ReportUnit.h"

#include "Dialogs.h"
#include "ReportFiles.h"
#include "ReportTable.h"
#include "ReportTableModel.h"
#include "SinglePress.h"
#include "ToExcelUnit.h"

void TReportForm::ShowProject(Project project)
{
    ReportState before = model_->Snapshot();
    model_->ClearRecords();
    for (std::size_t r = 0; r < project.rows.size(); ++r)
        if (!project.records[r].empty())
            model_->SetRecord(project.rows[r][0], std::move(project.records[r]));
    model_->Change([&project](ReportRows& shown) { shown = ReportFromLines(std::move(project.rows)); });
    Fields = std::move(project.fields);
    modified_ = true;
    KeepSelectionInside();
    KeepForUndo(std::move(before));
}

bool TReportForm::MayClose()
{
    if (!HoldsUnsavedPoints())
        return true;
    switch (CurrentDialogs().YesNoCancel(
        QStringLiteral("Отчет изменен после последнего сохранения. Сохранить его как проект?"))) {
    case Dialogs::Answer::Yes:
        return SaveProjectButtonClick();
    case Dialogs::Answer::No:
        return true;
    case Dialogs::Answer::Cancel:
        break;
    }
    return false;
}

void TReportForm::WriteFileButtonClick()
{
    if (SaveReportDocument(this, Rows(), saveDialogName_))
        modified_ = false;
}

void TReportForm::LoadFileButtonClick()
{
    if (!MayClose())
        return;
    if (auto rows = LoadReportDocument(this, openDialogName_, InsertionRow(Rows()) > 0))
        ReplaceRows(std::move(*rows));
}

void TReportForm::ToExcelButtonClick()
{
    exportPress_->Run([] { ExportReportToExcel(); });
}

void TReportForm::OpenProjectButtonClick()
{
    // Asked before the file is chosen, so that "Да" cannot save over the very file then opened.
    // A refused or cancelled opening keeps the report, and with it the question at exit.
    if (!MayClose())
        return;
    if (auto project = LoadProjectDocument(this, projectDialogName_)) {
        ShowProject(std::move(*project));
        modified_ = false;   // just as saved
    }
}

bool TReportForm::SaveProjectButtonClick()
{
    if (!SaveProjectDocument(this, Fields, Rows(), RecordsOfRows(), projectDialogName_))
        return false;
    modified_ = false;
    return true;
}
