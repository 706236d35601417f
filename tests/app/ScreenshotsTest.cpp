// Renders every window of the program, filled as after real work, to PNG pictures so that
// anyone can look at them. The pictures go to $ZORANT_SCREENSHOT_DIR, else to
// "screenshots" in the working directory.
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QLocale>
#include <QPixmap>
#include <QTabWidget>

#include "AboutProgramUnit.h"
#include "AskNumberUnit.h"
#include "CheckUnit.h"
#include "DeleteAllReportUnit.h"
#include "DeviceDefenceUnit.h"
#include "FormsFixture.h"
#include "MainUnit.h"
#include "MaximumCheckUnit.h"
#include "QStringPrinter.h"
#include "RegionalSettings.h"
#include "ReportUnit.h"
#include "ResultUnit.h"
#include "SelectionUnit.h"

namespace {

QString ScreenshotDir()
{
    const QString fromEnvironment = qEnvironmentVariable("ZORANT_SCREENSHOT_DIR");
    return fromEnvironment.isEmpty() ? QDir::current().filePath(QStringLiteral("screenshots")) : fromEnvironment;
}

// Number of distinct colours in the picture: a window that rendered nothing has one or two.
int ColourCount(const QImage& image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            colours.insert(image.pixel(x, y));
    return colours.size();
}

void Save(QWidget* window, const QString& name)
{
    const QPixmap picture = window->grab();
    ASSERT_FALSE(picture.isNull()) << name.toStdString();
    EXPECT_GT(ColourCount(picture.toImage()), 8) << name.toStdString() << " looks empty";
    const QString path = QDir(ScreenshotDir()).filePath(name + QStringLiteral(".png"));
    EXPECT_TRUE(picture.save(path)) << path.toStdString();
}

void AddPoint(const QString& name)
{
    AskNumberForm->NumberEdit->setText(name);
    AskNumberForm->OKButtonClick();
}

// The pictures show the windows as the engineer sees them: under the Russian regional settings
// (decimal comma, no-break space between digit groups), whatever locale the test runs under.
class ScreenshotsTest : public FormsTest {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        FormsTest::SetUp();
    }
    void TearDown() override
    {
        FormsTest::TearDown();
        QLocale::setDefault(saved);
    }

private:
    const QLocale saved;
};

TEST_F(ScreenshotsTest, EveryWindowRendersToAPicture)
{
    ASSERT_TRUE(QDir().mkpath(ScreenshotDir()));

    // A breaker confirmed, then two calculations added to the report.
    DeviceDefenceForm->OKDDBitBtnClick();
    MainForm->StartButtonClick();
    AddPoint(QStringLiteral("К-1"));
    MainForm->FfLineComboBoxes[0]->setEditText(QStringLiteral("95"));
    MainForm->FnLineComboBoxes[0]->setEditText(QStringLiteral("50"));
    MainForm->LengthLineEdits[0]->setText(QStringLiteral("100"));
    MainForm->StartButtonClick();
    AddPoint(QStringLiteral("К-2"));
    ASSERT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join(u'\n').toStdString();

    Save(MainForm, QStringLiteral("main-window"));
    auto* pages = ResultForm->findChild<QTabWidget*>(QStringLiteral("ResultPageControl"));
    ASSERT_NE(pages, nullptr);
    const char* tabNames[] = {"result-transformer", "result-line", "result-device"};
    for (int tab = 0; tab < pages->count(); ++tab) {
        pages->setCurrentIndex(tab);
        Save(ResultForm, QString::fromLatin1(tabNames[tab]));
    }
    pages->setCurrentIndex(0);
    Save(DeviceDefenceForm, QStringLiteral("device"));
    Save(AskNumberForm, QStringLiteral("point-name"));
    Save(ReportForm, QStringLiteral("report"));
    Save(DeleteAllReportForm, QStringLiteral("delete-all"));
    Save(AboutProgramForm, QStringLiteral("about"));
    ASSERT_EQ(RegionalSeparators().decimal, ",");
    SelectionForm->Refresh();
    // The same picture is shown by the help (help/selection.png).
    Save(SelectionForm, QStringLiteral("selection"));

    // A copper 2.5 mm² PVC final circuit of 60 m behind the breaker: both currents side by side.
    MainForm->KindPerformLineComboBoxes[0]->setEditText(QStringLiteral("Кабель с ПВХ изоляцией"));
    MainForm->StuffLineComboBoxes[0]->setEditText(QStringLiteral("Медь"));
    MainForm->FfLineComboBoxes[0]->setEditText(QStringLiteral("2.5"));
    MainForm->FnLineComboBoxes[0]->setEditText(QStringLiteral("2.5"));
    MainForm->LengthLineEdits[0]->setText(QStringLiteral("60"));
    MainForm->StartButtonClick();
    ASSERT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join(u'\n').toStdString();
    CheckForm->Refresh();
    Save(CheckForm, QStringLiteral("check"));

    // The same final circuit: the device at its start, a 6 kA modular breaker.
    MaximumCheckForm->Settings.breakerCapacity = 6;
    MaximumCheckForm->show();  // shows the fields as they stand
    Save(MaximumCheckForm, QStringLiteral("maximum-check"));
    MaximumCheckForm->hide();
}

}  // namespace
