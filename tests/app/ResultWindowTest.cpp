// The result window: its fields and their first texts, the tabs, closing, help and layout.
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest/QTest>

#include "ContextHelp.h"
#include "FormsFixture.h"
#include "ResultUnit.h"
#include "WindowLook.h"

namespace {

class ResultWindowTest : public FormsTest {
protected:
    void SetUp() override
    {
        MapWindowsFonts();
        FormsTest::SetUp();
        InstallContextHelp();
    }
    void TearDown() override
    {
        SetDefaultHelpFile(QString());
        FormsTest::TearDown();
    }

    QLabel* Label(const char* name) const { return ResultForm->findChild<QLabel*>(QString::fromLatin1(name)); }
};

struct InitialText {
    const char* field;
    QString text;
};

const QString Dashes = QStringLiteral("---");

const InitialText InitialTexts[] = {
    {"StLabel", QStringLiteral("Sном=___ кВ*А")},
    {"WindKindLabel", QStringLiteral("Y/Y-0")},
    {"RtLabel", QStringLiteral("Rт=___ мОм")},
    {"XtLabel", QStringLiteral("Xт=___ мОм")},
    {"ZtLabel", QStringLiteral("Zт=___ мОм")},
    {"RLine1Label", Dashes}, {"RLine2Label", Dashes}, {"RLine3Label", Dashes},
    {"RLine4Label", Dashes}, {"RLine5Label", Dashes}, {"RLine6Label", Dashes},
    {"XLine1Label", Dashes}, {"XLine2Label", Dashes}, {"XLine3Label", Dashes},
    {"XLine4Label", Dashes}, {"XLine5Label", Dashes}, {"XLine6Label", Dashes},
    {"ZLine1Label", Dashes}, {"ZLine2Label", Dashes}, {"ZLine3Label", Dashes},
    {"ZLine4Label", Dashes}, {"ZLine5Label", Dashes}, {"ZLine6Label", Dashes},
    {"RLineLabel", Dashes}, {"XLineLabel", Dashes}, {"ZLineLabel", Dashes},
    {"TypeDDLabel", Dashes}, {"ToknomLabel", Dashes}, {"KZLabel", Dashes},
    {"TokSRLabel", Dashes}, {"TimeSRLabel", Dashes},
    {"StatusDDLabel", QStringLiteral("в расчете не определен.")},
    {"RotherLabel", QStringLiteral("Rпр=")},
    {"RsumLabel", QStringLiteral("Rф-н=___ мОм")},
    {"XsumLabel", QStringLiteral("Xф-н=___ мОм")},
    {"ZsumLabel", QStringLiteral("Zф-н=___ мОм")},
    {"IokzrezLabel", QStringLiteral("Ток однофазного короткого замыкания равен --- А ")},
};

TEST_F(ResultWindowTest, FreshWindowHoldsTheInitialTexts)
{
    for (const auto& [field, text] : InitialTexts) {
        SCOPED_TRACE(field);
        const QLabel* label = Label(field);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), text);
    }
    EXPECT_TRUE(ResultForm->IokzrezLabel->text().endsWith(QLatin1Char(' ')));
}

// Other windows write through the members; they must be the labels the window shows.
TEST_F(ResultWindowTest, MembersAreTheNamedLabels)
{
    const std::pair<const char*, QLabel*> members[] = {
        {"StLabel", ResultForm->StLabel},         {"WindKindLabel", ResultForm->WindKindLabel},
        {"RtLabel", ResultForm->RtLabel},         {"XtLabel", ResultForm->XtLabel},
        {"ZtLabel", ResultForm->ZtLabel},         {"RLineLabel", ResultForm->RLineLabel},
        {"XLineLabel", ResultForm->XLineLabel},   {"ZLineLabel", ResultForm->ZLineLabel},
        {"TypeDDLabel", ResultForm->TypeDDLabel}, {"ToknomLabel", ResultForm->ToknomLabel},
        {"KZLabel", ResultForm->KZLabel},         {"TokSRLabel", ResultForm->TokSRLabel},
        {"TimeSRLabel", ResultForm->TimeSRLabel}, {"StatusDDLabel", ResultForm->StatusDDLabel},
        {"RotherLabel", ResultForm->RotherLabel}, {"RsumLabel", ResultForm->RsumLabel},
        {"XsumLabel", ResultForm->XsumLabel},     {"ZsumLabel", ResultForm->ZsumLabel},
        {"IokzrezLabel", ResultForm->IokzrezLabel},
    };
    for (const auto& [name, member] : members) {
        SCOPED_TRACE(name);
        EXPECT_EQ(member, Label(name));
    }
    for (int row = 0; row < 6; ++row) {
        SCOPED_TRACE(row + 1);
        EXPECT_EQ(ResultForm->RLineLabels[row], Label(QStringLiteral("RLine%1Label").arg(row + 1).toLatin1()));
        EXPECT_EQ(ResultForm->XLineLabels[row], Label(QStringLiteral("XLine%1Label").arg(row + 1).toLatin1()));
        EXPECT_EQ(ResultForm->ZLineLabels[row], Label(QStringLiteral("ZLine%1Label").arg(row + 1).toLatin1()));
    }
    // The device fields sit on the device tab, the line fields on the line tab.
    EXPECT_TRUE(ResultForm->DefenceTabSheet->isAncestorOf(ResultForm->TimeSRLabel));
    EXPECT_TRUE(ResultForm->DefenceTabSheet->isAncestorOf(ResultForm->StatusDDLabel));
    EXPECT_TRUE(ResultForm->LineTabSheet->isAncestorOf(ResultForm->ZLineLabels[5]));
    EXPECT_TRUE(ResultForm->TransTabSheet->isAncestorOf(ResultForm->WindKindLabel));
}

TEST_F(ResultWindowTest, FixedDialogWithThreeTabsInOrder)
{
    EXPECT_EQ(ResultForm->windowTitle(), QStringLiteral("Результаты расчета"));
    EXPECT_EQ(ResultForm->minimumSize(), QSize(474, 452));
    EXPECT_EQ(ResultForm->maximumSize(), QSize(474, 452));
    EXPECT_FALSE(ResultForm->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));

    QTabWidget* pages = ResultForm->ResultPageControl;
    EXPECT_EQ(pages->objectName(), QStringLiteral("ResultPageControl"));
    EXPECT_EQ(pages->geometry(), QRect(8, 8, 457, 257));
    const std::pair<const char*, QString> tabs[] = {{"TransTabSheet", QStringLiteral("Трансформатор")},
                                                    {"LineTabSheet", QStringLiteral("Линия")},
                                                    {"DefenceTabSheet", QStringLiteral("Аппарат защиты")}};
    ASSERT_EQ(pages->count(), 3);
    for (int index = 0; index < 3; ++index) {
        EXPECT_EQ(pages->widget(index)->objectName(), QString::fromLatin1(tabs[index].first));
        EXPECT_EQ(pages->tabText(index), tabs[index].second);
    }
    EXPECT_EQ(pages->currentWidget(), ResultForm->TransTabSheet);

    EXPECT_EQ(ResultForm->BitBtn1->text(), QStringLiteral("Закрыть"));
    EXPECT_EQ(ResultForm->BitBtn1->geometry(), QRect(184, 416, 89, 25));
    EXPECT_TRUE(ResultForm->BitBtn1->isDefault());
}

TEST_F(ResultWindowTest, ChosenTabStaysAfterClosingAndReopening)
{
    ResultForm->show();
    QTabBar* tabBar = ResultForm->ResultPageControl->tabBar();
    QTest::mouseClick(tabBar, Qt::LeftButton, {}, tabBar->tabRect(1).center());
    ASSERT_EQ(ResultForm->ResultPageControl->currentWidget(), ResultForm->LineTabSheet);

    QTest::mouseClick(ResultForm->BitBtn1, Qt::LeftButton);
    EXPECT_FALSE(ResultForm->isVisible());
    EXPECT_EQ(ResultForm->result(), QDialog::Accepted);

    ResultForm->show();
    EXPECT_EQ(ResultForm->ResultPageControl->currentWidget(), ResultForm->LineTabSheet);
    ResultForm->hide();
}

TEST_F(ResultWindowTest, EnterAnywhereClosesTheWindow)
{
    const std::pair<const char*, Qt::Key> keys[] = {{"Return", Qt::Key_Return}, {"keypad Enter", Qt::Key_Enter}};
    for (const auto& [name, key] : keys) {
        SCOPED_TRACE(name);
        ResultForm->setResult(QDialog::Rejected);
        ResultForm->show();
        // The tab bar does not use Enter itself; the window's default button takes it.
        QTest::keyClick(ResultForm->ResultPageControl->tabBar(), key,
                        key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        EXPECT_FALSE(ResultForm->isVisible());
        EXPECT_EQ(ResultForm->result(), QDialog::Accepted);
    }
}

TEST_F(ResultWindowTest, F1AnywhereInTheWindowAsksForTopic36)
{
    // The default file must not win over the window's own.
    SetDefaultHelpFile(QStringLiteral("help 2.1.hlp"));
    ResultForm->show();
    const std::pair<const char*, QWidget*> places[] = {
        {"close button", ResultForm->BitBtn1},
        {"tab bar", ResultForm->ResultPageControl->tabBar()},
        {"field on the line tab", ResultForm->ZLineLabels[2]},
        {"device tab", ResultForm->DefenceTabSheet},
        {"summary field", ResultForm->IokzrezLabel},
        {"window", ResultForm},
    };
    for (const auto& [name, widget] : places) {
        SCOPED_TRACE(name);
        dialogs.helpRequests.clear();
        QTest::keyClick(widget, Qt::Key_F1);
        ASSERT_EQ(dialogs.helpRequests.size(), 1);
        EXPECT_EQ(dialogs.helpRequests.front(), qMakePair(QStringLiteral("help 2.0.hlp"), 36));
    }
    ResultForm->hide();
}

// The fields must show the longest texts the other windows write, whole, inside their boxes.
// (The status "Выполните расчет..." needs no room here: it means that no calculation has
// succeeded, and until one has, this window cannot be opened.)
TEST_F(ResultWindowTest, LongestTextsFitTheirFields)
{
    // Grouped numbers as a Russian locale writes them: a no-break space between the groups.
    const auto grouped = [](QString text) { return text.replace(QLatin1Char(' '), QChar(0x00A0)); };
    const std::pair<QLabel*, QString> texts[] = {
        {ResultForm->StLabel, QStringLiteral("Sном=2500 кВ*А")},
        {ResultForm->WindKindLabel, QStringLiteral("Y/Z-0")},
        {ResultForm->RtLabel, QStringLiteral("Rт=529,92 мОм")},
        {ResultForm->XtLabel, QStringLiteral("Xт=2837,1 мОм")},
        {ResultForm->ZtLabel, grouped(QStringLiteral("Zт=3 110,00 мОм"))},
        {ResultForm->RLineLabels[0], grouped(QStringLiteral("1 234 568,00"))},
        {ResultForm->XLineLabels[1], grouped(QStringLiteral("1 234 568,00"))},
        {ResultForm->ZLineLabels[5], grouped(QStringLiteral("1 234 568,00"))},
        {ResultForm->RLineLabel, grouped(QStringLiteral("1 234 568,00"))},
        {ResultForm->XLineLabel, grouped(QStringLiteral("1 234 568,00"))},
        {ResultForm->ZLineLabel, grouped(QStringLiteral("1 234 568,00"))},
        {ResultForm->TypeDDLabel, QStringLiteral("Плавкий предохранитель (ППН)")},
        {ResultForm->ToknomLabel, QStringLiteral("Iном=1000 А")},
        {ResultForm->KZLabel, QStringLiteral("Kз=1,25")},
        {ResultForm->TokSRLabel, QStringLiteral("Iср=12345,5 А")},
        {ResultForm->TimeSRLabel, QStringLiteral("Тср > 0,4 с")},
        {ResultForm->StatusDDLabel, QStringLiteral("Несрабатывание за нормативное время")},
        {ResultForm->RotherLabel, QStringLiteral("Rпр=40 мОм")},
        {ResultForm->RsumLabel, grouped(QStringLiteral("Rф-н=1 234 567,89 мОм"))},
        {ResultForm->XsumLabel, grouped(QStringLiteral("Xф-н=1 234 567,89 мОм"))},
        {ResultForm->ZsumLabel, grouped(QStringLiteral("Zф-н=1 234 567,89 мОм"))},
        {ResultForm->IokzrezLabel, QStringLiteral("Ток однофазного короткого замыкания равен 123456 А")},
    };
    for (const auto& [label, text] : texts) {
        SCOPED_TRACE(label->objectName().toStdString());
        label->setText(text);
        EXPECT_LE(TextWidth(label), label->width());
        EXPECT_TRUE(label->parentWidget()->rect().contains(label->geometry()));
    }
    ResultForm->show();
    for (int index = 0; index < 3; ++index) {
        ResultForm->ResultPageControl->setCurrentIndex(index);
        SaveSnapshot(ResultForm, QStringLiteral("result-window-%1").arg(index + 1));
    }
    ResultForm->hide();
}

// No caption or field runs into another one: each row keeps to its own line and column.
TEST_F(ResultWindowTest, LabelsDoNotOverlap)
{
    ResultForm->show();  // the tab pages get their size
    for (QWidget* container : ResultForm->findChildren<QWidget*>()) {
        const QList<QLabel*> labels = container->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
        for (qsizetype first = 0; first < labels.size(); ++first) {
            const QLabel* a = labels[first];
            // A caption covers its text; a field covers the box the window keeps for it.
            const QRect areaA = a->objectName().isEmpty() ? QRect(a->pos(), a->sizeHint()) : a->geometry();
            EXPECT_TRUE(container->rect().contains(areaA)) << a->text().toStdString();
            for (qsizetype second = first + 1; second < labels.size(); ++second) {
                const QLabel* b = labels[second];
                const QRect areaB = b->objectName().isEmpty() ? QRect(b->pos(), b->sizeHint()) : b->geometry();
                EXPECT_FALSE(areaA.intersects(areaB)) << a->text().toStdString() << " / " << b->text().toStdString();
            }
        }
    }
    ResultForm->hide();
}

}  // namespace
