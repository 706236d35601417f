// The report window's commands on points that keep their inputs: the project's fields, recalculating
// points, reopening a point in the main window, replacing it, and the calculation note.
#include "ReportUnit.h"


#include "AskNumberUnit.h"
#include "CalculationNoteUnit.h"
#include "DeviceDefenceUnit.h"
#include "Dialogs.h"
#include "PointRecalculation.h"
#include "PointRecord.h"
#include "ProjectUnit.h"
#include "RecalcUnit.h"
#include "ReportTable.h"
#include "ReportTableModel.h"

void TReportForm::ProjectButtonClick()
{
    ProjectForm->ShowFields(Fields);
    if (ProjectForm->exec() == QDialog::Accepted && !(ProjectForm->EnteredFields() == Fields)) {
        Fields = ProjectForm->EnteredFields();
        modified_ = true;
    }
}

void TReportForm::CalculationNoteButtonClick() { CalculationNoteForm->exec(); }

void TReportForm::RecalculateButtonClick()
{
    RecalcForm->Prepare(SelectedRow);
    if (RecalcForm->exec() != QDialog::Accepted)
        return;
    ReportRows rows = Rows();
    std::vector<std::string> records = RecordsOfRows();
    ReportState before = model_->Snapshot();
    ApplyRecalculation(rows, records, RecalcForm->Outcome());
    for (const PointChange& point : RecalcForm->Outcome().changes)
        if (point.calculation.ok)
            model_->SetRecord(rows[point.row][0], std::move(records[point.row]));
    model_->Change([&rows](ReportRows& shown) { shown = std::move(rows); });
    modified_ = true;
    KeepForUndo(std::move(before));
}

std::optional<int> TReportForm::SelectedPointWithRecord()
{
    const int row = SelectedRow;
    if (row < 0 || row >= static_cast<int>(Rows().size()) || !IsNamed(Rows()[row])) {
        CurrentDialogs().Message(QStringLiteral("Укажите строку точки, которую необходимо открыть."));
        return std::nullopt;
    }
    if (RecordOf(row) == nullptr) {
        CurrentDialogs().Message(QStringLiteral("У точки \"%1\" нет исходных данных: она загружена из документа "
                                                "отчета (.okz). Исходные данные хранят точки, добавленные в отчет "
                                                "этой версией программы или открытые из проекта.")
                                     .arg(QString::fromStdString(Rows()[row][0])));
        return std::nullopt;
    }
    return row;
}

void TReportForm::ReopenPointActionClick()
{
    const std::optional<int> row = SelectedPointWithRecord();
    if (!row)
        return;
    const PointRecordReading reading = ReadPointRecord(*RecordOf(*row));
    if (!reading.record) {
        CurrentDialogs().Error(QStringLiteral("Исходные данные точки повреждены: %1.")
                                   .arg(QString::fromStdString(reading.refusal)));
        return;
    }
    const PointRecord& record = *reading.record;
    MainWindow.showNetwork(record.network);
    DeviceDefenceForm->ShowTexts(record.deviceTexts);
    // The record whole, so that the fields the confirmation leaves alone (a breaker's fuse fields
    // and a fuse's breaker fields) are the point's own too.
    DeviceSettings = record.device;
    if (record.device.TokSR > 0) {
        // Confirmed again as the user confirmed it, so that the result window shows the device too.
        DeviceDefenceForm->OKDDBitBtnClick();
    } else {
        if (record.device.TypeDD != 0)
            DeviceDefenceForm->BitBtn3Click();
        DeviceSettings = record.device;
        DeviceDefenceForm->ConfirmedTexts = record.deviceTexts;
    }
    MainWindow.calculate();
    accept();
}

void TReportForm::ReplacePointActionClick()
{
    const int row = SelectedRow;
    if (row < 0 || row >= static_cast<int>(Rows().size()) || !IsNamed(Rows()[row])) {
        CurrentDialogs().Message(QStringLiteral("Укажите строку точки, которую необходимо заменить."));
        return;
    }
    if (!MainWindow.hasResult()) {
        CurrentDialogs().Message(QStringLiteral("Нет результатов расчета. Выполните расчет в главном окне."));
        return;
    }
    const std::string name = Rows()[row][0];
    if (!CurrentDialogs().Question(QStringLiteral("Заменить точку \"%1\" результатами текущего расчета?")
                                       .arg(QString::fromStdString(name))))
        return;
    ReplacePoint(row, CurrentPointRow(name), WritePointRecord(CurrentPointRecord()));
}
