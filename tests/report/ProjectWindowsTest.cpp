#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QDeadlineTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <sstream>

#include "AskNumberUnit.h"
#include "DeleteAllReportUnit.h"
#include "DeviceDefenceUnit.h"
#include "FormsFixture.h"
#include "MainUnit.h"
#include "PointRecord.h"
#include "ProjectUnit.h"
#include "RecalcUnit.h"
#include "ReportUnit.h"
#include "ResultUnit.h"

namespace {

class ProjectWindowsTest : public FormsTest {
protected:
    // Types a network into the main window, confirms a breaker in the device window, calculates
    // and adds the point through "Добавить в отчет...".
    void AddPointThroughTheWindows(const QString& name, const std::string& power, const std::string& length,
                                   const std::string& rated)
    {
        NetworkDescription network = InitialNetworkDescription();
        network.TransPower = power;
        network.Lines[0] = {"Кабель с бумажной изоляцией", "Алюминий", "95", "50", length, "нет"};
        network.RArc = "15";
        MainForm->ShowNetwork(network);
        DeviceWindowTexts device = DeviceDefenceForm->WindowTexts();
        device.ratedCurrent = rated;
        DeviceDefenceForm->ShowTexts(device);
        DeviceDefenceForm->OKDDBitBtnClick();
        MainForm->StartButtonClick();
        ASSERT_TRUE(MainForm->AddToReportButton->isEnabled()) << dialogs.messages.join("; ").toStdString();
        AskNumberForm->NumberEdit->setText(name);
        AskNumberForm->OKButtonClick();
    }

    PointRecord RecordOfRow(int row)
    {
        const std::string* text = ReportForm->RecordOf(row);
        EXPECT_NE(text, nullptr) << row;
        const PointRecordReading reading = ReadPointRecord(text ? *text : std::string());
        EXPECT_TRUE(reading.record) << reading.refusal;
        return reading.record.value_or(PointRecord{});
    }

    void SelectRow(int row)
    {
        SelectedRow = row;
        SelectedCol = 0;
    }


};

}  // namespace

TEST_F(ProjectWindowsTest, AddedPointKeepsItsInputsAndReopensToTheSameResult)
{
    AddPointThroughTheWindows("К-1", "400", "150.5", "25");
    const ReportRow added = ReportForm->Rows()[0];
    const QString iokz = MainForm->IokzLabel->text();
    const PointRecord record = RecordOfRow(0);
    EXPECT_EQ(record.network.TransPower, "400");
    EXPECT_EQ(record.network.Lines[0].Length, "150.5");
    EXPECT_EQ(record.deviceTexts.ratedCurrent, "25");
    EXPECT_EQ(record.device.TypeDD, 1);
    EXPECT_EQ(record.verdict, MainForm->StatusDDLabel->text().toStdString());
    EXPECT_EQ(record.iokz, SharedResult.Iokz);

    // The engineer moves on: another transformer, another breaker, typed but not calculated.
    AddPointThroughTheWindows("К-2", "1000", "20", "63");
    MainForm->TransPowerComboBox->setEditText(QStringLiteral("630"));
    MainForm->LengthLineEdits[0]->setText(QStringLiteral("7"));

    SelectRow(0);
    ReportForm->ReopenPointAction->trigger();
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("; ").toStdString();
    EXPECT_EQ(MainForm->TransPowerComboBox->currentText(), QStringLiteral("400"));
    EXPECT_EQ(MainForm->LengthLineEdits[0]->text(), QStringLiteral("150.5"));
    EXPECT_EQ(DeviceDefenceForm->TokAVnomComboBox->currentText(), QStringLiteral("25"));
    EXPECT_EQ(DeviceSettings, record.device);
    EXPECT_EQ(MainForm->IokzLabel->text(), iokz);
    EXPECT_EQ(SharedResult.Iokz, record.iokz);
    EXPECT_EQ(CurrentPointRow("К-1"), added);
    EXPECT_TRUE(SameRecord(CurrentPointRecord(), record));
}

namespace {

// One device as the engineer enters it in the device window.
struct DeviceEntry {
    const char* name;
    bool breaker;
    QString rated, release;
    bool releaseGiven;
    QString breakerFactor;
    QString fuseType, fuseRating, fuseFactor, fuseTime;
    double tripCurrent;   // Iср the window gives, A
    QString typeBefore;   // the fuse type the window holds when the point is reopened
};

// Types `text` over the whole text of `list`, one key at a time, with the focus in it.
void TypeInto(QComboBox* list, const QString& text)
{
    QApplication::setActiveWindow(list->window());
    list->setFocus();
    list->lineEdit()->selectAll();
    for (QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, list, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

// Near the left edge, where the indicator of a radio button or a check box is.
void ClickIndicator(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

// Every field of a device record, for a readable comparison.
std::string Described(const ProtectiveDeviceSettings& d)
{
    std::ostringstream text;
    text.precision(17);
    text << "TypeDD " << d.TypeDD << ", TokAVnom " << d.TokAVnom << ", KNR " << d.KNR << ", KZAV " << d.KZAV
         << ", TokNR " << d.TokNR << ", TypePP " << d.TypePP << ", TimePP " << d.TimePP << ", TokPP " << d.TokPP
         << ", TokSR " << d.TokSR;
    return text.str();
}

// Enters `device` into the open device window through its controls and presses "Да".
void EnterDevice(const DeviceEntry& device)
{
    TDeviceDefenceForm* window = DeviceDefenceForm;
    if (device.breaker) {
        ClickIndicator(window->AVRadioButton);
        TypeInto(window->TokAVnomComboBox, device.rated);
        if (window->TokNRCheckBox->isChecked() != device.releaseGiven)
            ClickIndicator(window->TokNRCheckBox);
        TypeInto(window->TokNRComboBox, device.release);
        TypeInto(window->KZAVComboBox, device.breakerFactor);
    } else {
        ClickIndicator(window->PPRadioButton);
        TypeInto(window->TypePPComboBox, device.fuseType);
        QTest::keyClick(window->TypePPComboBox, Qt::Key_Return);   // checked: the type's rating list
        TypeInto(window->TokPPComboBox, device.fuseRating);
        TypeInto(window->KZPPComboBox, device.fuseFactor);
        TypeInto(window->TimePPComboBox, device.fuseTime);
    }
    QTest::mouseClick(window->OKDDBitBtn, Qt::LeftButton);
}

}  // namespace

// A reopened point comes back with exactly the device it was stored with, every field of every
// kind: entered through the device window, kept in the project file, put back by "Открыть точку в
// главном окне" from the grid's context menu and confirmed again by a click on "Да". Before each
// reopening the window holds a fuse of another type, as it does after other work: the stored type
// must take its place as the checked one, or "Да" gives the rating list's default instead of the
// stored rating (НПН 16 A came back as НПН 63 A).
TEST_F(ProjectWindowsTest, ReopenedPointKeepsItsDeviceThroughTheProjectFileAndDa)
{
    const QString time5 = QStringLiteral("Тср < 5 с"), time04 = QStringLiteral("Тср < 0,4 с");
    const DeviceEntry entries[] = {
        {"fuse ППН 100 A, 5 s", false, "", "", false, "", "ППН", "100", "1.2", time5, 0, "НПН"},
        {"fuse ПН2 40 A, 0.4 s", false, "", "", false, "", "ПН2", "40", "1.0", time04, 0, "ППН"},
        {"fuse НПН 16 A, 5 s, the trial's point", false, "", "", false, "", "НПН", "16", "1.1", time5, 88, "ППН"},
        {"breaker B 25 A", true, "25", "5 (\"B\")", false, "1.15", "", "", "", "", 0, "ПН2"},
        {"breaker with a release current of 440 A", true, "40", "440", true, "1.05", "", "", "", "", 0, "НПН"},
    };
    MainForm->show();
    NetworkDescription network = InitialNetworkDescription();
    network.Lines[0] = {"Кабель с ПВХ изоляцией", "Медь", "4", "4", "60", "нет"};
    std::vector<PointRecord> stored;
    for (const DeviceEntry& entry : entries) {
        SCOPED_TRACE(entry.name);
        MainForm->ShowNetwork(network);
        WhenModalShows([&entry](QWidget*) { EnterDevice(entry); });
        QTest::mouseClick(MainForm->DDButton, Qt::LeftButton);
        ASSERT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("; ").toStdString();
        ASSERT_GT(DeviceSettings.TokSR, 0);
        if (entry.tripCurrent > 0) {
            EXPECT_EQ(DeviceSettings.TokSR, entry.tripCurrent);
        }
        MainForm->StartButtonClick();
        AskNumberForm->NumberEdit->setText(QStringLiteral("Т-%1").arg(stored.size() + 1));
        AskNumberForm->OKButtonClick();
        stored.push_back(RecordOfRow(static_cast<int>(stored.size())));
        const DeviceWindowTexts& texts = stored.back().deviceTexts;
        EXPECT_EQ(texts.breaker, entry.breaker);
        if (entry.breaker) {
            EXPECT_EQ(texts.ratedCurrent, entry.rated.toStdString());
            EXPECT_EQ(texts.release, entry.release.toStdString());
            EXPECT_EQ(texts.releaseCurrentGiven, entry.releaseGiven);
            EXPECT_EQ(texts.breakerFactor, entry.breakerFactor.toStdString());
        } else {
            EXPECT_EQ(texts.fuseType, entry.fuseType.toStdString());
            EXPECT_EQ(texts.fuseRating, entry.fuseRating.toStdString());
            EXPECT_EQ(texts.fuseFactor, entry.fuseFactor.toStdString());
            EXPECT_EQ(texts.fuseTime, entry.fuseTime.toStdString());
        }
    }

    // Through the project file: saved, the report emptied, the project opened again.
    const ReportRows rows = ReportForm->Rows();
    QTemporaryDir folder;
    dialogs.projectSaveNames = {folder.filePath(QStringLiteral("школа"))};
    ASSERT_TRUE(ReportForm->SaveProjectButtonClick());
    ReportForm->DeleteAllRows();
    dialogs.threeWayAnswers = {Dialogs::Answer::No};   // should opening ask about the emptied report
    dialogs.projectOpenNames = {folder.filePath(QStringLiteral("школа.zpr"))};
    ReportForm->OpenProjectButtonClick();
    ASSERT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join("; ").toStdString();
    ASSERT_EQ(ReportForm->Rows(), rows);

    QTableView* grid = ReportForm->ReportStringGrid;
    for (std::size_t row = 0; row < std::size(entries); ++row) {
        const DeviceEntry& entry = entries[row];
        SCOPED_TRACE(entry.name);
        const PointRecord& record = stored[row];
        EXPECT_TRUE(SameRecord(RecordOfRow(static_cast<int>(row)), record));

        // Other work first: a fuse of another type confirmed in the device window.
        const DeviceEntry before{"", false, "", "", false, "", entry.typeBefore, "63", "1.1", time5, 0, ""};
        WhenModalShows([&before](QWidget*) { EnterDevice(before); });
        QTest::mouseClick(MainForm->DDButton, Qt::LeftButton);
        ASSERT_EQ(DeviceDefenceForm->TypePPComboBox->currentText(), entry.typeBefore);

        // "Открыть точку в главном окне" from the context menu of the point's row.
        ReportForm->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(ReportForm));
        const QPoint cell = grid->visualRect(grid->model()->index(static_cast<int>(row), 0)).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell);
        QContextMenuEvent menuRequest(QContextMenuEvent::Mouse, cell, grid->viewport()->mapToGlobal(cell));
        QApplication::sendEvent(grid->viewport(), &menuRequest);
        ASSERT_TRUE(ReportForm->PointMenu->isVisible());
        QTest::mouseClick(ReportForm->PointMenu, Qt::LeftButton, {},
                          ReportForm->PointMenu->actionGeometry(ReportForm->ReopenPointAction).center());
        EXPECT_FALSE(ReportForm->isVisible());
        EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("; ").toStdString();

        const auto expectStored = [&](const char* when) {
            SCOPED_TRACE(when);
            const DeviceWindowTexts shown = DeviceDefenceForm->WindowTexts();
            EXPECT_EQ(shown.fuseType, record.deviceTexts.fuseType);
            EXPECT_EQ(shown.fuseRating, record.deviceTexts.fuseRating);
            EXPECT_TRUE(shown == record.deviceTexts);
            EXPECT_EQ(Described(DeviceSettings), Described(record.device));
            EXPECT_EQ(MainForm->StatusDDLabel->text().toStdString(), record.verdict);
            EXPECT_EQ(SharedResult.Iokz, record.iokz);
            EXPECT_TRUE(SameRecord(CurrentPointRecord(), record));
        };
        expectStored("reopened");

        // The device window opened and confirmed as it stands.
        WhenModalShows([](QWidget*) { QTest::mouseClick(DeviceDefenceForm->OKDDBitBtn, Qt::LeftButton); });
        QTest::mouseClick(MainForm->DDButton, Qt::LeftButton);
        EXPECT_EQ(DeviceDefenceForm->result(), QDialog::Accepted);
        expectStored("confirmed with Да");

        // "Заменить точку текущим расчетом..." stores the same point again.
        SelectRow(static_cast<int>(row));
        dialogs.answers = {true};
        ReportForm->ReplacePointAction->trigger();
        EXPECT_TRUE(SameRecord(RecordOfRow(static_cast<int>(row)), record));
    }
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("; ").toStdString();
}

TEST_F(ProjectWindowsTest, RecordsTravelWithTheirRowsAndOkzRowsHaveNone)
{
    AddPointThroughTheWindows("К-1", "250", "100", "16");
    AddPointThroughTheWindows("К-2", "250", "200", "16");
    SelectRow(0);
    ReportForm->DownSpeedButtonClick();
    ASSERT_EQ(ReportForm->Rows()[0][0], "К-2");
    EXPECT_EQ(RecordOfRow(0).network.Lines[0].Length, "200");
    EXPECT_EQ(RecordOfRow(1).network.Lines[0].Length, "100");

    SelectRow(0);
    ReportForm->DeleteReportButtonClick();
    EXPECT_EQ(RecordOfRow(0).network.Lines[0].Length, "100");
    EXPECT_EQ(ReportForm->RecordOf(1), nullptr);

    // A report loaded from ".okz" has no inputs, and reopening says so.
    ReportForm->ReplaceRows({ReportRow{"К-1", "1,00"}});
    EXPECT_EQ(ReportForm->RecordOf(0), nullptr);
    SelectRow(0);
    ReportForm->ReopenPointAction->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].contains(QStringLiteral("нет исходных данных"))) << dialogs.messages[0].toStdString();
    SelectRow(5);
    ReportForm->ReopenPointAction->trigger();
    EXPECT_EQ(dialogs.messages.last(), QStringLiteral("Укажите строку точки, которую необходимо открыть."));
}

TEST_F(ProjectWindowsTest, ReplaceAsksFirstAndKeepsTheNameAndPlace)
{
    AddPointThroughTheWindows("К-1", "250", "100", "16");
    AddPointThroughTheWindows("К-2", "250", "300", "16");
    const ReportRows before = ReportForm->Rows();
    SelectRow(0);
    dialogs.answers = {false};
    ReportForm->ReplacePointAction->trigger();
    EXPECT_EQ(dialogs.questions, QStringList({QStringLiteral("Заменить точку \"К-1\" результатами текущего расчета?")}));
    EXPECT_EQ(ReportForm->Rows(), before);

    dialogs.answers = {true};
    ReportForm->ReplacePointAction->trigger();
    EXPECT_EQ(ReportForm->Rows()[0][0], "К-1");
    EXPECT_EQ(ReportForm->Rows()[0][9], before[1][9]);   // the current of the last calculation (300 m)
    EXPECT_EQ(ReportForm->Rows()[1], before[1]);
    EXPECT_EQ(RecordOfRow(0).network.Lines[0].Length, "300");

    // Undo brings the row back with its own record; so it does after "Удалить все".
    ReportForm->UndoButtonClick();
    EXPECT_EQ(ReportForm->Rows(), before);
    EXPECT_EQ(RecordOfRow(0).network.Lines[0].Length, "100");
    ReportForm->DeleteAllRows();
    EXPECT_EQ(ReportForm->RecordOf(0), nullptr);
    ReportForm->UndoButtonClick();
    EXPECT_EQ(RecordOfRow(0).network.Lines[0].Length, "100");
    EXPECT_EQ(RecordOfRow(1).network.Lines[0].Length, "300");
}

TEST_F(ProjectWindowsTest, ProjectSavedAndOpenedBringsBackRowsRecordsAndFields)
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("объект"));
    AddPointThroughTheWindows("К-1", "250", "100", "16");
    ReportForm->AddPoint(ReportRow{"ОКЗ", "1,00"});
    AddPointThroughTheWindows("К-3", "630", "40", "32");
    ReportForm->Fields = {"Школа", "Петров"};
    const ReportRows rows = ReportForm->Rows();
    const std::vector<std::string> records = ReportForm->RecordsOfRows();

    dialogs.projectSaveNames = {file};
    EXPECT_TRUE(ReportForm->SaveProjectButtonClick());
    EXPECT_FALSE(ReportForm->HoldsUnsavedPoints());
    ASSERT_TRUE(QFile::exists(file + QStringLiteral(".zpr")));

    ReportForm->DeleteAllRows();
    ReportForm->Fields = {};
    dialogs.projectOpenNames = {file + QStringLiteral(".zpr")};
    ReportForm->OpenProjectButtonClick();
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join("; ").toStdString();
    EXPECT_EQ(ReportForm->Rows(), rows);
    EXPECT_EQ(ReportForm->RecordsOfRows(), records);
    EXPECT_EQ(ReportForm->Fields, (ProjectFields{"Школа", "Петров"}));
    EXPECT_FALSE(ReportForm->HoldsUnsavedPoints());

    // A damaged project changes nothing and says why.
    QFile damaged(folder.filePath(QStringLiteral("поврежден.zpr")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("Зорант проект 1.0\nточка=К-9\n");
    damaged.close();
    dialogs.projectOpenNames = {damaged.fileName()};
    ReportForm->OpenProjectButtonClick();
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith(QStringLiteral("Проект поврежден (строка 2)"))) << dialogs.errors[0].toStdString();
    EXPECT_EQ(ReportForm->Rows(), rows);
    EXPECT_EQ(ReportForm->Fields, (ProjectFields{"Школа", "Петров"}));
}

// Commands that replace points changed since the last save ask first, as closing does; one that
// does not happen keeps the question for exit.
TEST_F(ProjectWindowsTest, CommandsThatReplaceUnsavedPointsAskFirst)
{
    using enum Dialogs::Answer;
    QTemporaryDir folder;
    const QString other = folder.filePath(QStringLiteral("другой.zpr")), kept = folder.filePath(QStringLiteral("к.zpr"));
    ReportForm->show();
    ReportForm->AddPoint(ReportRow{"Д-1"});
    dialogs.projectSaveNames = {other};
    ASSERT_TRUE(ReportForm->SaveProjectButtonClick());
    AddPointThroughTheWindows("К-1", "250", "100", "16");
    const ReportRows unsaved = ReportForm->Rows();
    dialogs.threeWayAnswers = {Cancel, No, No};   // Отмена: no file dialog; Нет, then a missing file
    dialogs.projectOpenNames = {folder.filePath(QStringLiteral("нет.zpr")), other};
    for (int click = 0; click < 2; ++click)
        QTest::mouseClick(ReportForm->OpenProjectButton, Qt::LeftButton);
    EXPECT_EQ(dialogs.projectOpenInitials.size(), 1);
    EXPECT_TRUE(ReportForm->HoldsUnsavedPoints() && ReportForm->Rows() == unsaved);
    QTest::mouseClick(ReportForm->OpenProjectButton, Qt::LeftButton);   // Нет: the project, as saved
    EXPECT_FALSE(ReportForm->HoldsUnsavedPoints());
    QTest::mouseClick(ReportForm->UndoButton, Qt::LeftButton);   // the dropped point back, and the question
    EXPECT_TRUE(ReportForm->HoldsUnsavedPoints() && ReportForm->Rows() == unsaved);
    dialogs.threeWayAnswers = {Yes};   // saved first, then the deletion confirmed
    dialogs.projectSaveNames = {kept};
    WhenModalShows([](QWidget*) { QTest::mouseClick(DeleteAllReportForm->OKBitBtn, Qt::LeftButton); });
    QTest::mouseClick(ReportForm->DeleteAllButton, Qt::LeftButton);
    dialogs.projectOpenNames = {kept};
    ReportForm->OpenProjectButtonClick();
    EXPECT_EQ(ReportForm->Rows(), unsaved);
    EXPECT_EQ(dialogs.threeWayQuestions.size(), 4);
    ReportForm->hide();
}

TEST_F(ProjectWindowsTest, ProjectDialogEditsTheFields)
{
    WhenModalShows([](QWidget*) {
        ProjectForm->ObjectEdit->setText(QStringLiteral("Жилой дом"));
        ProjectForm->AuthorEdit->setText(QStringLiteral("Иванов"));
        ProjectForm->DesignationEdit->setText(QStringLiteral("12-2026-ЭМ.РР"));
        ProjectForm->StageEdit->setText(QStringLiteral("П"));
        ProjectForm->OrganisationEdit->setText(QStringLiteral("ООО «Проект»"));
        ProjectForm->CheckerEdit->setText(QStringLiteral("Петров"));
        ProjectForm->NormControllerEdit->setText(QStringLiteral("Сидоров"));
        ProjectForm->ApproverEdit->setText(QStringLiteral("Кузнецов"));
        ProjectForm->EarthingComboBox->setCurrentText(QStringLiteral("TN-S"));
        QTest::mouseClick(ProjectForm->OKButton, Qt::LeftButton);
    });
    ReportForm->ProjectButtonClick();
    EXPECT_EQ(ReportForm->Fields, (ProjectFields{"Жилой дом", "Иванов", "12-2026-ЭМ.РР", "П", "ООО «Проект»", "Петров",
                                                 "Сидоров", "Кузнецов", "TN-S"}));
    // Opened again, the dialog shows what was kept; Cancel changes nothing.
    WhenModalShows([](QWidget*) {
        EXPECT_EQ(ProjectForm->EarthingComboBox->currentText(), QStringLiteral("TN-S"));
        EXPECT_EQ(ProjectForm->ApproverEdit->text(), QStringLiteral("Кузнецов"));
        QTest::mouseClick(ProjectForm->CancelBitBtn, Qt::LeftButton);
    });
    ReportForm->ProjectButtonClick();
    EXPECT_EQ(ReportForm->Fields.designation, "12-2026-ЭМ.РР");
}

TEST_F(ProjectWindowsTest, RecalculationShowsOldAndNewBeforeItIsTaken)
{
    AddPointThroughTheWindows("К-1", "250", "100", "16");
    AddPointThroughTheWindows("К-2", "250", "300", "16");
    ReportForm->AddPoint(ReportRow{"ОКЗ", "1,00"});
    const ReportRows before = ReportForm->Rows();
    MainForm->TransPowerComboBox->setEditText(QStringLiteral("63"));

    // Cancelled after the preview: the report stays as it was.
    WhenModalShows([](QWidget*) {
        RecalcForm->TransformerRadioButton->setChecked(true);
        RecalcForm->AllPointsRadioButton->setChecked(true);
        QTest::mouseClick(RecalcForm->CalculateButton, Qt::LeftButton);
        QTest::mouseClick(RecalcForm->CancelBitBtn, Qt::LeftButton);
    });
    ReportForm->RecalculateButtonClick();
    ASSERT_EQ(RecalcForm->ChangesGrid->rowCount(), 2);
    EXPECT_EQ(RecalcForm->ChangesGrid->item(1, 1)->text().toStdString(), before[1][9]);
    EXPECT_NE(RecalcForm->ChangesGrid->item(1, 2)->text().toStdString(), before[1][9]);
    EXPECT_TRUE(RecalcForm->SkippedLabel->text().contains(QStringLiteral("без исходных данных: 1")));
    EXPECT_EQ(ReportForm->Rows(), before);

    WhenModalShows([](QWidget*) {
        QTest::mouseClick(RecalcForm->CalculateButton, Qt::LeftButton);
        QTest::mouseClick(RecalcForm->ApplyButton, Qt::LeftButton);
    });
    ReportForm->RecalculateButtonClick();
    const std::string newCurrent = RecalcForm->ChangesGrid->item(1, 2)->text().toStdString();
    EXPECT_EQ(ReportForm->Rows()[1][9], newCurrent);
    EXPECT_EQ(RecordOfRow(1).network.TransPower, "63");
    EXPECT_EQ(RecordOfRow(1).network.Lines[0].Length, "300");
    EXPECT_EQ(ReportForm->Rows()[2], before[2]);

    // The recalculated point reopens to the same row.
    SelectRow(1);
    const ReportRow recalculated = ReportForm->Rows()[1];
    ReportForm->ReopenPointAction->trigger();
    EXPECT_EQ(CurrentPointRow("К-2"), recalculated);
}

TEST_F(ProjectWindowsTest, ClosingAsksAboutUnsavedPoints)
{
    MainForm->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(MainForm));
    EXPECT_TRUE(MainForm->close());   // nothing added: no question
    EXPECT_TRUE(dialogs.threeWayQuestions.isEmpty());

    MainForm->show();
    AddPointThroughTheWindows("К-1", "250", "100", "16");
    dialogs.threeWayAnswers = {Dialogs::Answer::Cancel};
    EXPECT_FALSE(MainForm->close());
    EXPECT_TRUE(MainForm->isVisible());
    EXPECT_EQ(dialogs.threeWayQuestions,
              QStringList({QStringLiteral("Отчет изменен после последнего сохранения. Сохранить его как проект?")}));

    // "Да" with the save dialog cancelled keeps the program open too.
    dialogs.threeWayAnswers = {Dialogs::Answer::Yes};
    EXPECT_FALSE(MainForm->close());
    EXPECT_EQ(dialogs.projectSaveInitials.size(), 1);

    QTemporaryDir folder;
    dialogs.threeWayAnswers = {Dialogs::Answer::Yes};
    dialogs.projectSaveNames = {folder.filePath(QStringLiteral("на выходе.zpr"))};
    EXPECT_TRUE(MainForm->close());
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("на выходе.zpr"))));

    MainForm->show();
    ReportForm->AddPoint(ReportRow{"К-2"});
    dialogs.threeWayAnswers = {Dialogs::Answer::No};
    EXPECT_TRUE(MainForm->close());
}

// Pictures for a look by eye: ZORANT_PICTURES=<folder>.
TEST_F(ProjectWindowsTest, NewWindowsFitTheirTexts)
{
    for (QWidget* window : std::initializer_list<QWidget*>{ReportForm, ProjectForm, RecalcForm}) {
        window->ensurePolished();
        for (const QPushButton* button : window->findChildren<QPushButton*>()) {
            EXPECT_LE(button->sizeHint().width(), button->width() + 12) << button->objectName().toStdString();
            EXPECT_TRUE(window->rect().contains(button->geometry())) << button->objectName().toStdString();
        }
        for (const QRadioButton* radio : window->findChildren<QRadioButton*>())
            EXPECT_TRUE(radio->parentWidget()->rect().contains(radio->geometry())) << radio->objectName().toStdString();
    }
    const QByteArray folder = qgetenv("ZORANT_PICTURES");
    if (folder.isEmpty())
        return;
    AddPointThroughTheWindows("К-1", "250", "100", "16");
    AddPointThroughTheWindows("К-2", "250", "300", "16");
    ReportForm->AddPoint(ReportRow{"ОКЗ", "1,00"});
    MainForm->TransPowerComboBox->setEditText(QStringLiteral("63"));
    RecalcForm->Prepare(0);
    RecalcForm->CalculateButtonClick();
    ProjectForm->ShowFields({"Жилой дом, корпус 2", "Иванов И.И."});
    for (QWidget* window : std::initializer_list<QWidget*>{ReportForm, ProjectForm, RecalcForm}) {
        window->show();
        QApplication::processEvents();
        window->grab().save(QString::fromLocal8Bit(folder) + QLatin1Char('/') + window->objectName() +
                            QStringLiteral(".png"));
    }
    ReportForm->show();
    ReportForm->PointMenu->popup(ReportForm->mapToGlobal(QPoint(100, 100)));
    QApplication::processEvents();
    ReportForm->PointMenu->grab().save(QString::fromLocal8Bit(folder) + QStringLiteral("/PointMenu.png"));
    ReportForm->PointMenu->hide();
}

// The program's own three-way box: Russian captions, and Escape is "Отмена".
TEST_F(ProjectWindowsTest, ThreeWayQuestionHasRussianButtonsAndEscapeCancels)
{
    SetDialogs(nullptr);
    QStringList captions;
    WhenModalShows([&captions](QWidget* modal) {
        for (const QAbstractButton* button : modal->findChildren<QAbstractButton*>())
            captions << button->text();
        const QByteArray folder = qgetenv("ZORANT_PICTURES");
        if (!folder.isEmpty())
            modal->grab().save(QString::fromLocal8Bit(folder) + QStringLiteral("/CloseQuestion.png"));
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    const Dialogs::Answer answer =
        CurrentDialogs().YesNoCancel(QStringLiteral("Отчет изменен после последнего сохранения. Сохранить его как проект?"));
    SetDialogs(&dialogs);
    EXPECT_EQ(answer, Dialogs::Answer::Cancel);
    captions.sort();
    EXPECT_EQ(captions, QStringList({QStringLiteral("Да"), QStringLiteral("Нет"), QStringLiteral("Отмена")}));
}
