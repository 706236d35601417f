// The window "Расчетная записка" and its button in the report window: which points it takes, where
// the PDF goes, when the viewer is started, and that every control fits its place.

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "CalculationNoteUnit.h"
#include "FormsFixture.h"
#include "NoteExport.h"
#include "NoteRenderer.h"
#include "PointRecord.h"
#include "ReportUnit.h"
#include "ScopedEnv.h"
#include "ToExcelUnit.h"

namespace {

class FakeNoteViewer final : public NoteViewer {
public:
    FakeNoteViewer() { SetNoteViewer(this); }
    ~FakeNoteViewer() override { SetNoteViewer(nullptr); }
    void Open(const QString& path) override { opened << path; }
    QStringList opened;
};

ReportRow Row(const std::string& name)
{
    return {name, "10,75", "26,72", "95,40", "12,27", "40", "146,15", "38,99", "151,26", "1527", "1000", "Тср < 0,4 с"};
}

class CalculationNoteWindowTest : public FormsTest {
protected:
    void SetUp() override
    {
        FormsTest::SetUp();
        ReportRows rows = {Row("К-1"), Row("К-2"), Row("К-3")};
        rows.resize(14);
        ReportForm->ReplaceRows(rows);
    }

    // The documents folder of a scratch home, as the export tests use it.
    QString SavedFolder() { return home.filePath(QStringLiteral("Documents/Зорант")); }

    QTemporaryDir home;
    FakeNoteViewer viewer;
};

QStringList FilesIn(const QString& folder) { return QDir(folder).entryList(QDir::Files, QDir::Name); }

QString PdfText(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

// The button ends the project's row under the report's buttons, and overlaps no other control.
TEST_F(CalculationNoteWindowTest, ReportWindowHasTheNoteButtonInTheProjectRow)
{
    QPushButton* button = ReportForm->CalculationNoteButton;
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(ReportForm->findChild<QPushButton*>(QStringLiteral("CalculationNoteButton")), button);
    EXPECT_EQ(button->text(), QStringLiteral("Расчетная записка..."));
    EXPECT_FALSE(button->autoDefault());
    EXPECT_FALSE(button->accessibleDescription().isEmpty());
    EXPECT_TRUE(button->toolTip().isEmpty());
    EXPECT_EQ(button->y(), ReportForm->RecalculateButton->y());
    EXPECT_GT(button->x(), ReportForm->RecalculateButton->geometry().right());
    for (const QPushButton* b : {button, ReportForm->RecalculateButton, ReportForm->ProjectButton})
        EXPECT_LE(b->sizeHint().width(), b->width() + 12) << b->objectName().toStdString();
    EXPECT_TRUE(ReportForm->rect().contains(button->geometry()));
    for (const QWidget* other : ReportForm->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (other != button && other->isVisibleTo(ReportForm)) {
            EXPECT_FALSE(other->geometry().intersects(button->geometry())) << other->objectName().toStdString();
        }
    }
}

TEST_F(CalculationNoteWindowTest, ButtonOpensTheNoteWindow)
{
    bool seen = false;
    QTimer closer;
    closer.setInterval(10);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (QApplication::activeModalWidget() == CalculationNoteForm) {
            seen = true;
            CalculationNoteForm->CloseButton->click();
        }
    });
    closer.start();
    QTimer::singleShot(5000, CalculationNoteForm, [] { CalculationNoteForm->reject(); });
    ReportForm->CalculationNoteButton->click();
    closer.stop();
    EXPECT_TRUE(seen);
    EXPECT_FALSE(CalculationNoteForm->isVisible());
}

// A point added with its record brings its inputs into the note, and the project's object and
// author fill the title block's fields; rows without a record stay points without inputs.
TEST_F(CalculationNoteWindowTest, PointsWithRecordsBringTheirInputsAndTheProjectItsFields)
{
    PointRecord record;
    record.network = InitialNetworkDescription();
    record.network.Lines[0] = {"Воздушная", "Алюминий", "70", "70", "250", "нет"};
    record.device.TypeDD = 1;
    record.device.TokSR = 500;
    record.deviceTexts.ratedCurrent = "50";
    record.deviceTexts.release = "10 (\"C\")";
    record.deviceTexts.breakerFactor = "1";
    record.verdict = "Срабатывание за нормативное время";
    record.tripTime = "Тср < 0,4 с";
    ReportForm->AddPoint(Row("ВЛ-4"), WritePointRecord(record));
    ReportForm->Fields = {"Поселок Лесной", "Кузнецова"};
    SelectedRow = 3;
    CalculationNoteForm->show();
    EXPECT_EQ(CalculationNoteForm->ObjectEdit->text(), QStringLiteral("Поселок Лесной"));
    EXPECT_EQ(CalculationNoteForm->AuthorEdit->text(), QStringLiteral("Кузнецова"));
    CalculationNoteForm->SelectedPointRadioButton->setChecked(true);
    const CalculationNote note = CalculationNoteForm->Note();
    CalculationNoteForm->hide();

    EXPECT_EQ(note.project.object, "Поселок Лесной");
    int figures = 0;
    bool lengthShown = false;
    for (const NoteBlock& block : note.blocks) {
        if (block.kind != NoteBlock::Kind::Figure)
            continue;
        ++figures;
        EXPECT_EQ(block.figure.faultPoint, "ВЛ-4");
        ASSERT_EQ(block.figure.links.size(), 1u);
        lengthShown = block.figure.links[0].lines[3] == "L = 250 м";
    }
    EXPECT_EQ(figures, 1);
    EXPECT_TRUE(lengthShown);
    CalculationNoteForm->AllPointsRadioButton->setChecked(true);
}

// "Все точки отчета" or only the point selected in the report; a selection below the points
// leaves only the whole report to choose.
TEST_F(CalculationNoteWindowTest, TakesAllPointsOrTheSelectedOne)
{
    SelectedRow = 1;
    CalculationNoteForm->show();
    EXPECT_TRUE(CalculationNoteForm->SelectedPointRadioButton->isEnabled());
    EXPECT_EQ(CalculationNoteForm->SelectedPointRadioButton->text(), QStringLiteral("Выбранная точка: К-2"));
    auto summaryNames = [] {
        std::vector<std::string> names;
        for (const NoteBlock& block : CalculationNoteForm->Note().blocks)
            if (block.kind == NoteBlock::Kind::Table && block.table.caption.rfind("Результаты расчета по точкам", 0) == 0)
                for (const auto& row : block.table.rows)
                    names.push_back(row[1]);
        return names;
    };
    EXPECT_EQ(summaryNames(), (std::vector<std::string>{"К-1", "К-2", "К-3"}));
    CalculationNoteForm->SelectedPointRadioButton->setChecked(true);
    EXPECT_EQ(summaryNames(), (std::vector<std::string>{"К-2"}));
    CalculationNoteForm->hide();

    SelectedRow = 5;
    CalculationNoteForm->show();
    EXPECT_FALSE(CalculationNoteForm->SelectedPointRadioButton->isEnabled());
    EXPECT_TRUE(CalculationNoteForm->AllPointsRadioButton->isChecked());
    EXPECT_EQ(summaryNames().size(), 3u);
    CalculationNoteForm->hide();
}

// "Просмотр..." shows the note's sheets in Qt's preview, as many as the PDF of the same note has.
TEST_F(CalculationNoteWindowTest, PreviewShowsEverySheetOfTheNote)
{
    QTemporaryDir scratch;
    const int sheets = WriteCalculationNotePdf(CalculationNoteForm->Note(), scratch.filePath(QStringLiteral("n.pdf")));
    int shown = -1;
    QTimer watcher;
    watcher.setInterval(10);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (preview == nullptr || shown >= 0)
            return;
        if (auto* pages = preview->findChild<QPrintPreviewWidget*>()) {
            pages->updatePreview();
            shown = pages->pageCount();
        }
        preview->reject();
    });
    watcher.start();
    QTimer::singleShot(20000, [] {
        if (auto* modal = QApplication::activeModalWidget(); modal && modal != CalculationNoteForm)
            qobject_cast<QDialog*>(modal)->reject();
    });
    CalculationNoteForm->PreviewButton->click();
    watcher.stop();
    EXPECT_GE(sheets, 3);
    EXPECT_EQ(shown, sheets);
}

// Each save makes a new PDF in "Зорант" of the documents folder; the viewer starts only when asked.
TEST_F(CalculationNoteWindowTest, SavesANewPdfEachTimeAndOpensItOnlyWhenAsked)
{
    const ScopedEnv homeVariable("HOME", home.path());
    QStandardPaths::setTestModeEnabled(true);
    CalculationNoteForm->ObjectEdit->setText(QStringLiteral("Школа №5"));
    CalculationNoteForm->AuthorEdit->setText(QStringLiteral("Сидоров"));

    CalculationNoteForm->SavePdfButton->click();
    CalculationNoteForm->OpenPdfCheckBox->setChecked(true);
    CalculationNoteForm->SavePdfButton->click();
    QStandardPaths::setTestModeEnabled(false);

    const QStringList files = FilesIn(SavedFolder());
    ASSERT_EQ(files.size(), 2) << files.join(QLatin1Char(',')).toStdString();
    for (const QString& name : files) {
        EXPECT_TRUE(name.startsWith(QStringLiteral("Расчетная записка "))) << name.toStdString();
        EXPECT_TRUE(name.endsWith(QStringLiteral(".pdf"))) << name.toStdString();
    }
    ASSERT_EQ(dialogs.messages.size(), 1);
    ASSERT_EQ(viewer.opened.size(), 1);
    // The message names the first file, the viewer got the other one.
    const QString second = viewer.opened[0];
    const QString first = QDir(SavedFolder()).filePath(files[0] == QFileInfo(second).fileName() ? files[1] : files[0]);
    EXPECT_NE(first, second);
    EXPECT_EQ(QFileInfo(second).absolutePath(), SavedFolder());
    EXPECT_EQ(dialogs.messages[0],
              QStringLiteral("Расчетная записка сохранена в файл «%1»").arg(QDir::toNativeSeparators(first)));
    const QString text = PdfText(second);
    for (const char* part : {"Школа №5", "Сидоров", "К-1", "К-2", "К-3"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part;
    CalculationNoteForm->OpenPdfCheckBox->setChecked(false);
}

// A file where the folder should be: the user is told why, and nothing is left behind.
TEST_F(CalculationNoteWindowTest, FolderThatCannotBeMadeIsReported)
{
    const ScopedEnv homeVariable("HOME", home.path());
    QStandardPaths::setTestModeEnabled(true);
    QDir(home.path()).mkpath(QStringLiteral("Documents"));
    QFile blocker(SavedFolder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    try {
        CalculationNoteForm->SavePdfButtonClick();
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_TRUE(QString::fromUtf8(error.what()).contains(QStringLiteral("для записки"))) << error.what();
    }
    QStandardPaths::setTestModeEnabled(false);
    EXPECT_TRUE(viewer.opened.isEmpty());
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(CalculationNoteWindowTest, NoTextIsClippedAndEveryControlIsNamed)
{
    QWidget* window = CalculationNoteForm;
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    window->ensurePolished();
    for (const QWidget* child : window->findChildren<QWidget*>()) {
        if (child->parentWidget() == window || child->parentWidget()->parentWidget() == window) {
            EXPECT_FALSE(child->objectName().isEmpty()) << child->metaObject()->className();
        }
    }
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        EXPECT_LE(label->fontMetrics().boundingRect(label->text()).width(), label->contentsRect().width())
            << label->objectName().toStdString();
        EXPECT_FALSE(label->accessibleDescription().isEmpty()) << label->objectName().toStdString();
    }
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        EXPECT_LE(button->sizeHint().width(), button->width() + 12) << button->objectName().toStdString();
        const QRect inWindow(button->mapTo(window, QPoint(0, 0)), button->size());
        EXPECT_TRUE(window->rect().contains(inWindow)) << button->objectName().toStdString();
    }
    for (const QPushButton* button : window->findChildren<QPushButton*>())
        EXPECT_EQ(button->autoDefault(), false) << button->objectName().toStdString();
    EXPECT_TRUE(CalculationNoteForm->CloseButton->isDefault());

    // Pictures for a look by eye: ZORANT_PICTURES=<folder>.
    const QByteArray folder = qgetenv("ZORANT_PICTURES");
    if (folder.isEmpty())
        return;
    SelectedRow = 1;
    CalculationNoteForm->ObjectEdit->setText(QStringLiteral("Жилой дом со встроенными помещениями, корпус 2"));
    CalculationNoteForm->AuthorEdit->setText(QStringLiteral("Иванов И. И."));
    CalculationNoteForm->show();
    ReportForm->show();
    QApplication::processEvents();
    CalculationNoteForm->grab().save(QString::fromLocal8Bit(folder) + QStringLiteral("/CalculationNoteForm.png"));
    ReportForm->grab().save(QString::fromLocal8Bit(folder) + QStringLiteral("/ReportFormWithNote.png"));
}
