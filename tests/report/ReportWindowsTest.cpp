#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <memory>

#include "AskNumberUnit.h"
#include "CheckUnit.h"
#include "DeleteAllReportUnit.h"
#include "DeviceSettings.h"
#include "FormsFixture.h"
#include "MainUnit.h"
#include "OkzDocument.h"
#include "PointRecord.h"
#include "ReportUnit.h"
#include "ResultUnit.h"
#include "SelectionUnit.h"

namespace {

ReportRow Point(const std::string& name) { return ReportRow{name, "1,00", "2,00", "3,00"}; }

std::vector<std::string> Names(const ReportRows& rows)
{
    std::vector<std::string> names;
    for (const ReportRow& row : rows)
        names.push_back(row[0]);
    return names;
}

std::vector<std::string> Padded(std::vector<std::string> names)
{
    names.resize(std::max<std::size_t>(names.size(), 14));
    return names;
}

// The recording fake for everything but the questions, which are the program's real boxes, so
// that a test can press keys in them.
class RealQuestions final : public Dialogs {
public:
    explicit RealQuestions(FakeDialogs& fake) : fake_(fake)
    {
        SetDialogs(nullptr);
        real_ = &CurrentDialogs();
        SetDialogs(this);
    }
    ~RealQuestions() override { SetDialogs(&fake_); }

    void Message(const QString& text) override { fake_.Message(text); }
    bool Question(const QString& text) override
    {
        fake_.questions << text;
        return real_->Question(text);
    }
    void Error(const QString& text) override { fake_.Error(text); }
    std::optional<QString> SaveFileName(QWidget* parent, const QString& initial) override
    {
        return fake_.SaveFileName(parent, initial);
    }
    std::optional<QString> OpenFileName(QWidget* parent, const QString& initial) override
    {
        return fake_.OpenFileName(parent, initial);
    }
    std::optional<QString> SaveProjectFileName(QWidget* parent, const QString& initial) override
    {
        return fake_.SaveProjectFileName(parent, initial);
    }
    std::optional<QString> OpenProjectFileName(QWidget* parent, const QString& initial) override
    {
        return fake_.OpenProjectFileName(parent, initial);
    }
    Answer YesNoCancel(const QString& text) override { return fake_.YesNoCancel(text); }
    void ShowHelp(const QString& fileName, int context) override { fake_.ShowHelp(fileName, context); }

private:
    FakeDialogs& fake_;
    Dialogs* real_ = nullptr;
};

class ReportWindowsTest : public FormsTest {
protected:
    void SetUp() override
    {
        FormsTest::SetUp();
        grid = ReportForm->ReportStringGrid;
    }

    void ShowReport()
    {
        ReportForm->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(ReportForm));
    }

    void AddPoints(std::initializer_list<const char*> names)
    {
        for (const char* name : names)
            ReportForm->AddPoint(Point(name));
    }

    void ClickCell(int row, int column)
    {
        const QRect cell = grid->visualRect(grid->model()->index(row, column));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }

    int CurrentRow() const { return grid->currentIndex().row(); }


    // In the modal window, Tab `tabs` times and then Enter, each key to the widget that has the
    // focus; `pressed` gets the text of the button that took the Enter.
    std::function<void(QWidget*)> TabsThenEnter(int tabs, QString& pressed)
    {
        return [tabs, &pressed](QWidget* modal) {
            QApplication::setActiveWindow(modal);
            for (int i = 0; i < tabs; ++i)
                QTest::keyClick(modal->focusWidget() != nullptr ? modal->focusWidget() : modal, Qt::Key_Tab);
            QWidget* focused = modal->focusWidget();
            const auto* button = qobject_cast<QPushButton*>(focused);
            pressed = button != nullptr ? button->text() : QStringLiteral("<no button has the focus>");
            QTest::keyClick(focused != nullptr ? focused : modal, Qt::Key_Return);
        };
    }

    // A mouse event on the caption strip, sent to the caption under the point, as a real one is.
    void MouseOnCaptions(QEvent::Type type, const QPoint& point)
    {
        QWidget* strip = ReportForm->CaptionStrip;
        QWidget* under = strip->childAt(point);
        QWidget* target = under != nullptr ? under : strip;
        const QPoint local = target->mapFrom(strip, point);
        if (type == QEvent::MouseButtonPress)
            QTest::mousePress(target, Qt::LeftButton, {}, local);
        else if (type == QEvent::MouseMove)
            QTest::mouseMove(target, local);
        else if (type == QEvent::MouseButtonRelease)
            QTest::mouseRelease(target, Qt::LeftButton, {}, local);
        else
            QTest::mouseDClick(target, Qt::LeftButton, {}, local);
    }

    QTableView* grid = nullptr;
};

}  // namespace

TEST_F(ReportWindowsTest, PointNameDialogAddsTheCurrentResult)
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    SharedResult.Rt = 15.6;
    SharedResult.Xt = 45.6;
    SharedResult.RLineSum = 30.15;
    SharedResult.XLineSum = 1.6;
    SharedResult.Rother = 15;
    SharedResult.Rsum = 1234.567;
    SharedResult.Xsum = 16.8;
    SharedResult.Zsum = 53.08;
    SharedResult.Iokz = 4352.4;
    DeviceSettings.TokSR = 62.5;
    ResultForm->TimeSRLabel->setText(QStringLiteral("Тср < 5 с"));

    AskNumberForm->NumberEdit->setText(QStringLiteral("К-1"));
    QTest::mouseClick(AskNumberForm->OKButton, Qt::LeftButton);
    QLocale::setDefault(QLocale::c());

    EXPECT_EQ(AskNumberForm->result(), QDialog::Accepted);
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(ReportForm->Rows()[0], (ReportRow{"К-1", "5,20", "15,20", "30,15", "1,60", "15", "1\u00A0234,57", "16,80",
                                                "53,08", "4352", "62,5", "Тср < 5 с"}));
    EXPECT_EQ(grid->model()->data(grid->model()->index(0, 11)).toString(), QStringLiteral("Тср < 5 с"));
    EXPECT_EQ(AskNumberForm->NumberEdit->text(), QStringLiteral("К-1"));  // kept for the next opening
}

// The point added keeps its minimum current as the window "Проверка" finds it now, with the
// session's parameters of that window.
TEST_F(ReportWindowsTest, PointAddedKeepsItsMinimumCurrentWithTheSessionsParameters)
{
    NetworkDescription network = InitialNetworkDescription();
    network.Lines[0] = {"Кабель с ПВХ изоляцией", "Медь", "16", "16", "60", "нет"};
    const CalculationOutcome outcome = CalculateShortCircuit(network);
    ASSERT_EQ(outcome.status, CalculationStatus::Success) << outcome.message;
    SelectionForm->CalculatedNetwork = network;
    SharedResult = outcome.result;
    DeviceSettings = ProtectiveDeviceSettings{};
    DeviceSettings.TypeDD = 2;
    DeviceSettings.TimePP = 1;
    DeviceSettings.TokSR = 300;
    CheckForm->Parameters.cMin = 1.0;
    CheckForm->Parameters.networkPower = 150;

    AskNumberForm->NumberEdit->setText(QStringLiteral("К-1"));
    QTest::mouseClick(AskNumberForm->OKButton, Qt::LeftButton);
    ASSERT_NE(ReportForm->RecordOf(0), nullptr);
    const PointRecordReading reading = ReadPointRecord(*ReportForm->RecordOf(0));
    ASSERT_TRUE(reading.record && reading.record->minimum);
    const PointMinimumCurrent& kept = *reading.record->minimum;
    const CheckDevice device = CheckDeviceFrom(DeviceSettings);
    const CheckAnswers window = CheckMinimumCurrent(network, outcome.result, MinimumParameters(device), device);
    ASSERT_TRUE(window.calculated && window.result.ok);
    EXPECT_EQ(kept.current, window.result.minimumCurrent);
    EXPECT_EQ(kept.time, 5);
    EXPECT_EQ(kept.tripCurrent, 300);
    EXPECT_EQ(kept.trips, window.result.trips);
    EXPECT_EQ(kept.margin, window.result.margin);
    EXPECT_EQ(kept.parameters.cMin, 1.0);
    EXPECT_EQ(kept.parameters.networkPower, 150);
    EXPECT_EQ(kept.parameters.uteFactor, 1.5);
}

TEST_F(ReportWindowsTest, RefusedNameKeepsTheDialogOpenWithItsText)
{
    AddPoints({"К-1"});
    AskNumberForm->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(AskNumberForm));
    AskNumberForm->NumberEdit->setText(QStringLiteral("К-1"));
    QTest::mouseClick(AskNumberForm->OKButton, Qt::LeftButton);
    EXPECT_EQ(dialogs.messages, QStringList({QStringLiteral("Такое название уже есть. Введите другое.")}));
    EXPECT_TRUE(AskNumberForm->isVisible());
    EXPECT_EQ(AskNumberForm->NumberEdit->text(), QStringLiteral("К-1"));
    EXPECT_EQ(Names(ReportForm->Rows()), Padded({"К-1"}));

    // Enter in the name field confirms nothing; Esc cancels.
    AskNumberForm->NumberEdit->setText(QStringLiteral("К-2"));
    AskNumberForm->NumberEdit->setFocus();
    QTest::keyClick(AskNumberForm->NumberEdit, Qt::Key_Return);
    EXPECT_TRUE(AskNumberForm->isVisible());
    EXPECT_EQ(Names(ReportForm->Rows()), Padded({"К-1"}));
    QTest::keyClick(AskNumberForm->NumberEdit, Qt::Key_Escape);
    EXPECT_FALSE(AskNumberForm->isVisible());
    EXPECT_EQ(AskNumberForm->result(), QDialog::Rejected);
    EXPECT_EQ(Names(ReportForm->Rows()), Padded({"К-1"}));
}

TEST_F(ReportWindowsTest, DeleteActsOnTheRowClicked)
{
    ShowReport();
    AddPoints({"a", "b", "c", "d", "e"});
    ClickCell(2, 3);
    EXPECT_EQ(SelectedRow, 2);
    EXPECT_EQ(SelectedCol, 3);
    QTest::mouseClick(ReportForm->DeleteReportButton, Qt::LeftButton);
    EXPECT_EQ(Names(ReportForm->Rows()), Padded({"a", "b", "d", "e"}));
    EXPECT_EQ(SelectedRow, 2);  // now the row that moved into place

    // Before any click the first row is the selected one.
    QTest::mouseClick(ReportForm->DeleteReportButton, Qt::LeftButton);
    EXPECT_EQ(Names(ReportForm->Rows()), Padded({"a", "b", "e"}));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(ReportWindowsTest, DeleteWithoutARowUnderThePointerAsksForOne)
{
    ShowReport();
    AddPoints({"a", "b"});
    // Pressed on a cell, released beside the grid.
    const QPoint cell = grid->visualRect(grid->model()->index(1, 0)).center();
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, QPoint(-5, cell.y()));
    EXPECT_EQ(SelectedRow, -1);
    EXPECT_EQ(SelectedCol, -1);
    ReportForm->DeleteReportButtonClick();
    EXPECT_EQ(dialogs.messages, QStringList({QStringLiteral("Укажите строку, которую необходимо удалить.")}));
    EXPECT_EQ(Names(ReportForm->Rows()), Padded({"a", "b"}));
}

TEST_F(ReportWindowsTest, ArrowsMoveTheSelectedRowAndKeepItSelected)
{
    ShowReport();
    AddPoints({"a", "b", "c"});
    ClickCell(2, 0);
    QTest::mouseClick(ReportForm->UpSpeedButton, Qt::LeftButton);
    EXPECT_EQ(Names(ReportForm->Rows()), Padded({"a", "c", "b"}));
    EXPECT_EQ(SelectedRow, 1);
    EXPECT_EQ(CurrentRow(), 1);
    QTest::mouseClick(ReportForm->UpSpeedButton, Qt::LeftButton);
    QTest::mouseClick(ReportForm->UpSpeedButton, Qt::LeftButton);  // already at the top
    EXPECT_EQ(Names(ReportForm->Rows()), Padded({"c", "a", "b"}));
    EXPECT_EQ(SelectedRow, 0);
    EXPECT_TRUE(grid->selectionModel()->isRowSelected(0, {}));

    QTest::mouseClick(ReportForm->DownSpeedButton, Qt::LeftButton);
    QTest::mouseClick(ReportForm->DownSpeedButton, Qt::LeftButton);
    QTest::mouseClick(ReportForm->DownSpeedButton, Qt::LeftButton);  // the last named row stays
    EXPECT_EQ(Names(ReportForm->Rows()), Padded({"a", "b", "c"}));
    EXPECT_EQ(SelectedRow, 2);
    EXPECT_EQ(CurrentRow(), 2);

    ClickCell(5, 0);  // an empty row never moves
    QTest::mouseClick(ReportForm->UpSpeedButton, Qt::LeftButton);
    EXPECT_EQ(Names(ReportForm->Rows()), Padded({"a", "b", "c"}));
    EXPECT_EQ(SelectedRow, 5);
}

TEST_F(ReportWindowsTest, DeleteAllAsksAndClearsOnlyAfterYes)
{
    ShowReport();
    ReportRows forty(40);
    for (int r = 0; r < 40; ++r)
        forty[r] = Point("n" + std::to_string(r));
    ReportForm->ReplaceRows(forty);
    ClickCell(3, 2);
    AskNumberForm->NumberEdit->setText(QStringLiteral("К-7"));
    dialogs.threeWayAnswers = {Dialogs::Answer::No, Dialogs::Answer::No};

    WhenModalShows([](QWidget* modal) {
        EXPECT_EQ(modal, DeleteAllReportForm);
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    QTest::mouseClick(ReportForm->DeleteAllButton, Qt::LeftButton);
    EXPECT_EQ(ReportForm->Rows(), forty);

    WhenModalShows([](QWidget* modal) {
        EXPECT_EQ(modal->windowTitle(), QStringLiteral("Удаление отчета"));
        QTest::keyClick(modal, Qt::Key_Return);  // "Да" is the default button
    });
    QTest::mouseClick(ReportForm->DeleteAllButton, Qt::LeftButton);
    EXPECT_EQ(ReportForm->Rows(), ReportRows(14));
    EXPECT_EQ(grid->model()->rowCount(), 14);
    EXPECT_EQ(DeleteAllReportForm->result(), QDialog::Accepted);
    EXPECT_EQ(SelectedRow, 3);
    EXPECT_EQ(SelectedCol, 2);
    EXPECT_EQ(AskNumberForm->NumberEdit->text(), QStringLiteral("К-7"));
}

TEST_F(ReportWindowsTest, ShrinkingGridKeepsTheSelectionInside)
{
    ShowReport();
    QTemporaryDir dir;
    ReportRows thirty(30);
    for (int r = 0; r < 30; ++r)
        thirty[r] = Point("n" + std::to_string(r));
    const QString longName = dir.filePath(QStringLiteral("long.okz"));
    const QString shortName = dir.filePath(QStringLiteral("short.okz"));
    for (const auto& [name, rows] : {std::pair{longName, thirty}, std::pair{shortName, ReportRows(thirty.begin(), thirty.begin() + 3)}}) {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(WriteOkzDocument(rows)));
    }

    dialogs.openNames = {longName};
    QTest::mouseClick(ReportForm->LoadFileButton, Qt::LeftButton);
    EXPECT_EQ(grid->model()->rowCount(), 30);
    grid->scrollTo(grid->model()->index(25, 0));
    ClickCell(25, 4);
    EXPECT_EQ(SelectedRow, 25);

    dialogs.openNames = {shortName};
    dialogs.threeWayAnswers = {Dialogs::Answer::No};   // rows of a document are no saved project
    QTest::mouseClick(ReportForm->LoadFileButton, Qt::LeftButton);
    EXPECT_EQ(grid->model()->rowCount(), 14);
    EXPECT_EQ(Names(ReportForm->Rows()), Padded({"n0", "n1", "n2"}));
    EXPECT_EQ(SelectedRow, 13);
    EXPECT_EQ(CurrentRow(), 13);
    EXPECT_TRUE(grid->selectionModel()->isRowSelected(13, {}));
    EXPECT_EQ(dialogs.openInitials, QStringList({QString(), longName}));

    // A point added now goes after the loaded rows, and the row count stays.
    ReportForm->AddPoint(Point("new"));
    EXPECT_EQ(Names(ReportForm->Rows()), Padded({"n0", "n1", "n2", "new"}));
}

TEST_F(ReportWindowsTest, WriteButtonSavesTheGridAsADocument)
{
    QTemporaryDir dir;
    AddPoints({"К-1", "К-2"});
    dialogs.saveNames = {dir.filePath(QStringLiteral("report"))};
    QTest::mouseClick(ReportForm->WriteFileButton, Qt::LeftButton);
    QFile file(dir.filePath(QStringLiteral("report.okz")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), WriteOkzDocument(ReportForm->Rows()));
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(ReportWindowsTest, HundredThousandLinesLoadIntoTheWindowQuickly)
{
    ShowReport();
    QTemporaryDir dir;
    ReportRows rows(100000);
    for (std::size_t r = 0; r < rows.size(); ++r)
        rows[r] = ReportRow{"T" + std::to_string(r), "1,00", "2,00", "3,00", "4,00", "40", "50,35", "16,80", "53,08",
                            "4352", "750", "Тср < 5 с"};
    const QString name = dir.filePath(QStringLiteral("big.okz"));
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromStdString(WriteOkzDocument(rows)));
    file.close();

    dialogs.openNames = {name};
    QElapsedTimer clock;
    clock.start();
    ReportForm->LoadFileButtonClick();
    grid->scrollToBottom();
    QApplication::processEvents();
    [[maybe_unused]] const qint64 elapsed = clock.elapsed();  // not timed under AddressSanitizer
    EXPECT_EQ(grid->model()->rowCount(), 100000);
    EXPECT_EQ(grid->model()->data(grid->model()->index(99999, 0)).toString(), QStringLiteral("T99999"));
#if !defined(__SANITIZE_ADDRESS__)
    // About 0.2 s on its own; the margin is for a machine busy with other tests, while a load that
    // grew with the square of the rows would take minutes.
    EXPECT_LT(elapsed, 3000) << "milliseconds";
#endif
}

// The model keeps Qt's rules for views through every operation (the tester aborts on a breach).
TEST_F(ReportWindowsTest, GridModelKeepsTheViewContract)
{
    QAbstractItemModelTester tester(grid->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    for (int i = 0; i < 16; ++i)
        ReportForm->AddPoint(Point("p" + std::to_string(i)));
    SelectedRow = 15;
    SelectedCol = 0;
    ReportForm->DeleteReportButtonClick();
    ReportForm->UpSpeedButtonClick();
    ReportForm->ReplaceRows(ReportRows(3, Point("x")));
    ReportForm->ReplaceRows(ReportRows(50, Point("y")));
    DeleteAllReportForm->OKBitBtnClick();
    EXPECT_EQ(grid->model()->rowCount(), 14);
}

TEST_F(ReportWindowsTest, GridShowsFourteenRowsOfTwelveColumnsAndTakesNoEdits)
{
    ShowReport();
    EXPECT_EQ(grid->viewport()->width(), 12 * 50);
    EXPECT_EQ(grid->viewport()->height(), 14 * 18);
    EXPECT_EQ(grid->columnWidth(0), 50);
    EXPECT_EQ(grid->rowHeight(0), 18);
    EXPECT_EQ(grid->rowAt(grid->viewport()->height() - 1), 13);
    EXPECT_EQ(grid->columnAt(grid->viewport()->width() - 1), 11);
    EXPECT_TRUE(grid->verticalScrollBar()->isVisible());
    EXPECT_FALSE(grid->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(grid->horizontalHeader()->isVisible());
    EXPECT_FALSE(grid->verticalHeader()->isVisible());
    EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(grid->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_FALSE(grid->dragEnabled());
    EXPECT_FALSE(grid->focusPolicy() & Qt::TabFocus);
    EXPECT_EQ(CurrentRow(), 0);
    EXPECT_TRUE(grid->selectionModel()->isRowSelected(0, {}));

    // Enter on the grid closes the window through its default button, with the OK result.
    ClickCell(1, 1);
    ASSERT_TRUE(grid->hasFocus());
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_FALSE(ReportForm->isVisible());
    EXPECT_EQ(ReportForm->result(), QDialog::Accepted);
}

// Enter closes the report through "Закрыть" with every row intact, wherever the focus is: the
// focus starts on "Удалить", which must not take it.
TEST_F(ReportWindowsTest, EnterClosesTheWindowWithEveryRowWhicheverButtonHasTheFocus)
{
    AddPoints({"К-1", "К-2"});
    const ReportRows before = ReportForm->Rows();
    const char* focused[] = {nullptr, "DeleteReportButton", "WriteFileButton", "LoadFileButton",
                             "CloseReportBitBtn"};
    for (const char* name : focused) {
        SCOPED_TRACE(name != nullptr ? name : "focus as the window opens");
        ShowReport();
        QApplication::setActiveWindow(ReportForm);
        if (name != nullptr)
            ReportForm->findChild<QPushButton*>(QString::fromLatin1(name))->setFocus();
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, Qt::Key_Return);
        EXPECT_FALSE(ReportForm->isVisible());
        EXPECT_EQ(ReportForm->result(), QDialog::Accepted);
        EXPECT_EQ(ReportForm->Rows(), before);
    }
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_TRUE(dialogs.saveInitials.isEmpty());
    EXPECT_TRUE(dialogs.openInitials.isEmpty());
}

TEST_F(ReportWindowsTest, WindowsHaveTheirFixedFramesButtonsAndNoPopUpTips)
{
    EXPECT_EQ(ReportForm->CaptionLabels[8]->text(), QStringLiteral("| Zф-н |"));
    EXPECT_EQ(ReportForm->UnitLabels[0], nullptr);
    EXPECT_TRUE(ReportForm->UpSpeedButton->toolTip().isEmpty());
    EXPECT_FALSE(ReportForm->UpSpeedButton->accessibleDescription().isEmpty());
    EXPECT_EQ(DeleteAllReportForm->CancelBitBtn->text(), QStringLiteral("Cancel"));
    EXPECT_TRUE(DeleteAllReportForm->OKBitBtn->isDefault());
    EXPECT_FALSE(AskNumberForm->OKButton->isDefault() || AskNumberForm->OKButton->autoDefault());
    for (QWidget* window : std::initializer_list<QWidget*>{ReportForm, AskNumberForm, DeleteAllReportForm})
        EXPECT_EQ(window->minimumSize(), window->maximumSize()) << window->objectName().toStdString();
    for (const char* name : {"ReportStringGrid", "UpSpeedButton", "DownSpeedButton", "DeleteReportButton",
                             "DeleteAllButton", "WriteFileButton", "LoadFileButton", "ToExcelButton",
                             "CloseReportBitBtn", "StatusBar1"})
        EXPECT_NE(ReportForm->findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
    // A button of a bare picture must still say what it is.
    for (const QAbstractButton* button : ReportForm->findChildren<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly))
        EXPECT_FALSE(button->text().isEmpty() && button->accessibleName().isEmpty()) << button->objectName().toStdString();
}

// An empty document over points clears them only after a question; a project is not read as a
// document.
TEST_F(ReportWindowsTest, EmptyDocumentAsksAndAProjectIsNotLoadedAsOne)
{
    ShowReport();
    QTemporaryDir dir;
    const QString empty = dir.filePath(QStringLiteral("empty.okz")), project = dir.filePath(QStringLiteral("p.okz"));
    for (const auto& [name, bytes] : {std::pair{empty, QByteArray()},
                                      std::pair{project, QByteArray("Зорант проект 1.1\nточка=К-1|5,2\nконец\n")}}) {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    ReportForm->ReplaceRows(ReportRows(16, Point("n")));
    const ReportRows sixteen = ReportForm->Rows();
    dialogs.threeWayAnswers.assign(3, Dialogs::Answer::No);   // not saved as a project first
    dialogs.openNames = {project, empty, empty, empty};
    dialogs.answers = {false, true};
    for (int click = 0; click < 2; ++click)   // the project; the empty document, Cancel
        QTest::mouseClick(ReportForm->LoadFileButton, Qt::LeftButton);
    EXPECT_EQ(ReportForm->Rows(), sixteen);
    for (int click = 0; click < 2; ++click)   // OK; then into the empty report without a word
        QTest::mouseClick(ReportForm->LoadFileButton, Qt::LeftButton);
    EXPECT_EQ(ReportForm->Rows(), ReportRows(14));
    EXPECT_EQ(dialogs.messages,
              QStringList({QStringLiteral("Это файл проекта Зорант: откройте его кнопкой \"Открыть проект...\"")}));
    EXPECT_EQ(dialogs.questions, QStringList(2, QStringLiteral("Документ не содержит ни одной точки. Очистить отчет?")));
}

// Every caption and button text fits its place in the fonts the program maps the window fonts to.
TEST_F(ReportWindowsTest, NoTextIsClipped)
{
    for (QWidget* window : std::initializer_list<QWidget*>{ReportForm, AskNumberForm, DeleteAllReportForm}) {
        window->ensurePolished();
        for (const QLabel* label : window->findChildren<QLabel*>()) {
            const QRect needed = label->fontMetrics().boundingRect(label->text());
            EXPECT_LE(needed.width(), label->contentsRect().width()) << label->objectName().toStdString();
            EXPECT_LE(label->fontMetrics().height(), label->contentsRect().height()) << label->objectName().toStdString();
            EXPECT_TRUE(window->rect().contains(label->geometry())) << label->objectName().toStdString();
        }
        for (const QPushButton* button : window->findChildren<QPushButton*>()) {
            EXPECT_LE(button->sizeHint().width(), button->width() + 12) << button->objectName().toStdString();
            EXPECT_TRUE(window->rect().contains(button->geometry())) << button->objectName().toStdString();
        }
    }

    // Pictures for a look by eye: ZORANT_PICTURES=<folder>.
    const QByteArray folder = qgetenv("ZORANT_PICTURES");
    if (folder.isEmpty())
        return;
    for (int i = 1; i <= 16; ++i)
        ReportForm->AddPoint(ReportRow{"К-" + std::to_string(i), "5,20", "15,20", "30,15", "1,60", "15", "50,35",
                                       "16,80", "1\u00A0234,57", "4352", "750", "Тср < 5 с"});
    ReportForm->show();
    ReportForm->ReportStringGrid->setCurrentIndex(ReportForm->ReportStringGrid->model()->index(2, 0));
    ReportForm->StatusBar1->showMessage(QStringLiteral("Перемещение строки в списке на одну позицию вверх"));
    AskNumberForm->NumberEdit->setText(QStringLiteral("К-17"));
    AskNumberForm->show();
    DeleteAllReportForm->show();
    QApplication::processEvents();
    ReportForm->grab().save(QString::fromLocal8Bit(folder) + QStringLiteral("/ReportForm.png"));
    AskNumberForm->grab().save(QString::fromLocal8Bit(folder) + QStringLiteral("/AskNumberForm.png"));
    DeleteAllReportForm->grab().save(QString::fromLocal8Bit(folder) + QStringLiteral("/DeleteAllReportForm.png"));
}

// In every question whose OK destroys or overwrites data, Enter presses the button that has the
// focus: Tab to "Cancel" and Enter cancels, while Enter on the default button still confirms.
TEST_F(ReportWindowsTest, EnterInQuestionsThatDestroyDataPressesTheFocusedButton)
{
    ShowReport();
    RealQuestions questions(dialogs);
    QTemporaryDir dir;
    const QString existing = dir.filePath(QStringLiteral("existing.okz"));
    const QString damaged = dir.filePath(QStringLiteral("damaged.okz"));
    for (const int tabs : {1, 0}) {
        const bool cancel = tabs == 1;
        SCOPED_TRACE(cancel ? "Tab, then Enter" : "Enter");
        QString pressed;
        dialogs.threeWayAnswers.assign(2, Dialogs::Answer::No);   // not saved as a project first

        ReportForm->ReplaceRows(ReportRows{Point("a"), Point("b")});
        const ReportRows report = ReportForm->Rows();
        WhenModalShows(TabsThenEnter(tabs, pressed));
        QTest::mouseClick(ReportForm->DeleteAllButton, Qt::LeftButton);
        EXPECT_EQ(pressed, cancel ? QStringLiteral("Cancel") : QStringLiteral("Да"));
        EXPECT_EQ(ReportForm->Rows(), cancel ? report : ReportRows(14));

        {
            QFile file(existing);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("old");
        }
        ReportForm->ReplaceRows(ReportRows{Point("a"), Point("b")});
        dialogs.saveNames = {existing};
        WhenModalShows(TabsThenEnter(tabs, pressed));
        QTest::mouseClick(ReportForm->WriteFileButton, Qt::LeftButton);
        EXPECT_EQ(pressed, cancel ? QStringLiteral("Cancel") : QStringLiteral("OK"));
        QFile written(existing);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_EQ(written.readAll().toStdString(), cancel ? "old" : WriteOkzDocument(ReportForm->Rows()));

        {
            QFile file(damaged);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("|x|y|\r\n");
        }
        dialogs.openNames = {damaged};
        WhenModalShows(TabsThenEnter(tabs, pressed));
        QTest::mouseClick(ReportForm->LoadFileButton, Qt::LeftButton);
        EXPECT_EQ(pressed, cancel ? QStringLiteral("Cancel") : QStringLiteral("OK"));
        EXPECT_EQ(Names(ReportForm->Rows()), cancel ? Padded({"a", "b"}) : Padded({"x"}));
    }
    EXPECT_EQ(dialogs.questions.size(), 4);
}

// "Отменить" and Ctrl+Z put back the report as it was before each change, step by step.
TEST_F(ReportWindowsTest, UndoPutsBackTheReportBeforeEachChange)
{
    ShowReport();
    QApplication::setActiveWindow(ReportForm);
    QPushButton* undo = ReportForm->UndoButton;
    EXPECT_FALSE(undo->isEnabled());
    QTest::keyClick(ReportForm, Qt::Key_Z, Qt::ControlModifier);  // nothing to undo: nothing happens
    EXPECT_EQ(ReportForm->Rows(), ReportRows(14));

    AddPoints({"a", "b", "c"});
    EXPECT_TRUE(undo->isEnabled());
    const ReportRows three = ReportForm->Rows();

    ClickCell(1, 0);
    QTest::mouseClick(ReportForm->DeleteReportButton, Qt::LeftButton);
    EXPECT_EQ(Names(ReportForm->Rows()), Padded({"a", "c"}));
    QTest::mouseClick(undo, Qt::LeftButton);
    EXPECT_EQ(ReportForm->Rows(), three);

    DeleteAllReportForm->OKBitBtnClick();
    EXPECT_EQ(ReportForm->Rows(), ReportRows(14));
    QTest::keyClick(ReportForm, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(ReportForm->Rows(), three);

    QTemporaryDir dir;
    ReportRows forty(40, Point("y"));
    forty[0][0] = "x";
    const QString name = dir.filePath(QStringLiteral("other.okz"));
    {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(WriteOkzDocument(forty)));
    }
    grid->setFocus();
    dialogs.openNames = {name};
    dialogs.threeWayAnswers = {Dialogs::Answer::No};   // not saved as a project first
    QTest::mouseClick(ReportForm->LoadFileButton, Qt::LeftButton);
    EXPECT_EQ(ReportForm->Rows(), forty);
    QTest::keyClick(grid, Qt::Key_Z, Qt::ControlModifier);  // from the grid too
    EXPECT_EQ(ReportForm->Rows(), three);
    EXPECT_EQ(grid->model()->rowCount(), 14);

    // Several steps back, moves and added points included.
    ClickCell(2, 0);
    QTest::mouseClick(ReportForm->UpSpeedButton, Qt::LeftButton);
    ClickCell(0, 0);
    QTest::mouseClick(ReportForm->DeleteReportButton, Qt::LeftButton);
    EXPECT_EQ(Names(ReportForm->Rows()), Padded({"c", "b"}));
    QTest::mouseClick(undo, Qt::LeftButton);
    EXPECT_EQ(Names(ReportForm->Rows()), Padded({"a", "c", "b"}));
    QTest::mouseClick(undo, Qt::LeftButton);
    EXPECT_EQ(ReportForm->Rows(), three);
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(undo, Qt::LeftButton);
    EXPECT_EQ(ReportForm->Rows(), ReportRows(14));
    EXPECT_FALSE(undo->isEnabled());

    // A command that changes nothing leaves nothing to undo.
    DeleteAllReportForm->OKBitBtnClick();
    EXPECT_FALSE(undo->isEnabled());
}

TEST_F(ReportWindowsTest, UndoButtonStandsBelowTheOtherControls)
{
    QPushButton* undo = ReportForm->UndoButton;
    EXPECT_EQ(undo->objectName(), QStringLiteral("UndoButton"));
    EXPECT_EQ(undo->text(), QStringLiteral("Отменить"));
    EXPECT_EQ(undo->accessibleDescription(), QStringLiteral("Отмена последнего изменения отчета (Ctrl+Z)"));
    EXPECT_TRUE(undo->toolTip().isEmpty());
    EXPECT_FALSE(undo->autoDefault());
    EXPECT_EQ(undo->x(), ReportForm->DeleteReportButton->x());
    EXPECT_GT(undo->y(), ReportForm->DeleteReportButton->geometry().bottom());
    EXPECT_LT(undo->geometry().bottom(), ReportForm->StatusBar1->y());
    for (const QWidget* other : ReportForm->findChildren<QWidget*>()) {
        if (other != undo && other->parentWidget() == ReportForm && other->isVisibleTo(ReportForm)) {
            EXPECT_FALSE(other->geometry().intersects(undo->geometry())) << other->objectName().toStdString();
        }
    }
}

// The columns keep their 50 pixels until the user drags a border between two captions; the
// captions follow the columns, and a cell's tip shows its whole text.
TEST_F(ReportWindowsTest, ColumnsWidenByDraggingACaptionBorder)
{
    ShowReport();
    ReportForm->AddPoint(ReportRow{"К-1234567", "5,20", "15,20", "30,15", "1,60", "15", "50,35", "16,80", "53,08",
                                   "4352", "750", "Тср < 0,4 с"});
    QWidget* strip = ReportForm->CaptionStrip;
    EXPECT_EQ(strip->width(), grid->viewport()->width());
    for (int c = 0; c < ReportColumnCount; ++c) {
        EXPECT_EQ(grid->columnWidth(c), 50);
        EXPECT_EQ(ReportForm->CaptionLabels[c]->geometry(), QRect(c * 50, 0, 50, 14));
    }

    // The border between "№ точки" and "Rт/3" to the right by 60 pixels.
    MouseOnCaptions(QEvent::MouseMove, QPoint(49, 5));
    EXPECT_EQ(strip->cursor().shape(), Qt::SplitHCursor);
    MouseOnCaptions(QEvent::MouseButtonPress, QPoint(49, 5));
    MouseOnCaptions(QEvent::MouseMove, QPoint(79, 5));
    MouseOnCaptions(QEvent::MouseMove, QPoint(109, 5));
    MouseOnCaptions(QEvent::MouseButtonRelease, QPoint(109, 5));
    EXPECT_EQ(grid->columnWidth(0), 110);
    EXPECT_EQ(grid->columnWidth(1), 50);
    EXPECT_EQ(ReportForm->CaptionLabels[0]->geometry(), QRect(0, 0, 110, 14));
    EXPECT_EQ(ReportForm->CaptionLabels[1]->geometry(), QRect(110, 0, 50, 14));
    EXPECT_EQ(ReportForm->UnitLabels[1]->geometry(), QRect(110, 14, 50, 14));
    if (const QByteArray folder = qgetenv("ZORANT_PICTURES"); !folder.isEmpty()) {
        QApplication::processEvents();
        ReportForm->grab().save(QString::fromLocal8Bit(folder) + QStringLiteral("/ReportFormWideColumn.png"));
    }
    MouseOnCaptions(QEvent::MouseMove, QPoint(140, 5));  // far from a border: no drag follows
    EXPECT_EQ(grid->columnWidth(0), 110);
    EXPECT_NE(strip->cursor().shape(), Qt::SplitHCursor);

    // Wider than the grid: it scrolls sideways, and the captions scroll with it.
    QApplication::processEvents();
    EXPECT_TRUE(grid->horizontalScrollBar()->isVisible());
    grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
    const int shift = grid->horizontalScrollBar()->maximum();
    EXPECT_GT(shift, 0);
    EXPECT_EQ(ReportForm->CaptionLabels[1]->x(), 110 - shift);

    // A double click on the last column's border fits it to its texts.
    grid->horizontalScrollBar()->setValue(0);
    const QHeaderView* header = grid->horizontalHeader();
    MouseOnCaptions(QEvent::MouseButtonDblClick,
                    QPoint(header->sectionViewportPosition(10) + header->sectionSize(10), 5));
    EXPECT_GT(grid->columnWidth(10), 0);
    EXPECT_GE(grid->columnWidth(10), grid->fontMetrics().horizontalAdvance(QStringLiteral("750")));

    const QAbstractItemModel* model = grid->model();
    EXPECT_EQ(model->data(model->index(0, 11), Qt::ToolTipRole).toString(), QStringLiteral("Тср < 0,4 с"));
    EXPECT_EQ(model->data(model->index(0, 0), Qt::ToolTipRole).toString(), QStringLiteral("К-1234567"));
    EXPECT_FALSE(model->data(model->index(1, 0), Qt::ToolTipRole).isValid());
}
