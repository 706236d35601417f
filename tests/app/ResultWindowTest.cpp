// The result window: its fields and their first texts, the tabs, closing, help and layout.
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest/QTest>

#include "ContextHelp.h"
#include "DeviceRules.h"
#include "FuseGate.h"
#include "FormsFixture.h"
#include "ResultUnit.h"
#include "WindowLook.h"

namespace {

class ResultWindowTest : public HelpFormsTest {
protected:

    QLabel* Label(const char* name) const { return ResultForm->findChild<QLabel*>(QString::fromLatin1(name)); }
};

struct InitialText {
    const char* field;
    QLabel* TResultForm::*member;
    QString text;
};

const QString Dashes = QStringLiteral("---");

const InitialText InitialTexts[] = {
    {"StLabel", &TResultForm::StLabel, QStringLiteral("Sном=___ кВ*А")},
    {"WindKindLabel", &TResultForm::WindKindLabel, QStringLiteral("Y/Y-0")},
    {"RtLabel", &TResultForm::RtLabel, QStringLiteral("Rт=___ мОм")},
    {"XtLabel", &TResultForm::XtLabel, QStringLiteral("Xт=___ мОм")},
    {"ZtLabel", &TResultForm::ZtLabel, QStringLiteral("Zт=___ мОм")},
    {"RLineLabel", &TResultForm::RLineLabel, Dashes},
    {"XLineLabel", &TResultForm::XLineLabel, Dashes},
    {"ZLineLabel", &TResultForm::ZLineLabel, Dashes},
    {"TypeDDLabel", &TResultForm::TypeDDLabel, Dashes},
    {"ToknomLabel", &TResultForm::ToknomLabel, Dashes},
    {"KZLabel", &TResultForm::KZLabel, Dashes},
    {"TokSRLabel", &TResultForm::TokSRLabel, Dashes},
    {"TimeSRLabel", &TResultForm::TimeSRLabel, Dashes},
    {"StatusDDLabel", &TResultForm::StatusDDLabel, QStringLiteral("в расчете не определен.")},
    {"FuseWarningLabel", &TResultForm::FuseWarningLabel, QString()},
    {"RotherLabel", &TResultForm::RotherLabel, QStringLiteral("Rпр=")},
    {"RsumLabel", &TResultForm::RsumLabel, QStringLiteral("Rф-н=___ мОм")},
    {"XsumLabel", &TResultForm::XsumLabel, QStringLiteral("Xф-н=___ мОм")},
    {"ZsumLabel", &TResultForm::ZsumLabel, QStringLiteral("Zф-н=___ мОм")},
    {"IokzrezLabel", &TResultForm::IokzrezLabel, QStringLiteral("Ток однофазного короткого замыкания равен --- А ")},
};

// Other windows write through the members and find the fields by name: both must lead to
// the label on screen, holding its first text.
TEST_F(ResultWindowTest, FreshWindowHoldsTheInitialTexts)
{
    for (const auto& [field, member, text] : InitialTexts) {
        SCOPED_TRACE(field);
        ASSERT_NE(Label(field), nullptr);
        EXPECT_EQ(ResultForm->*member, Label(field));
        EXPECT_EQ(Label(field)->text(), text);
    }
    const std::pair<char, std::array<QLabel*, 6> TResultForm::*> columns[] = {
        {'R', &TResultForm::RLineLabels}, {'X', &TResultForm::XLineLabels}, {'Z', &TResultForm::ZLineLabels}};
    for (const auto& [letter, column] : columns) {
        for (int row = 0; row < 6; ++row) {
            const QByteArray name = QByteArray(1, letter) + "Line" + QByteArray::number(row + 1) + "Label";
            SCOPED_TRACE(name.constData());
            EXPECT_EQ((ResultForm->*column)[row], Label(name.constData()));
            EXPECT_EQ(Label(name.constData())->text(), Dashes);
            EXPECT_TRUE(ResultForm->LineTabSheet->isAncestorOf(Label(name.constData())));
        }
    }
    EXPECT_TRUE(ResultForm->DefenceTabSheet->isAncestorOf(ResultForm->TimeSRLabel));
}

TEST_F(ResultWindowTest, TabsInOrderAndTheChosenOneStaysAfterReopening)
{
    QTabWidget* pages = ResultForm->ResultPageControl;
    const std::pair<const char*, QString> tabs[] = {{"TransTabSheet", QStringLiteral("Трансформатор")},
                                                    {"LineTabSheet", QStringLiteral("Линия")},
                                                    {"DefenceTabSheet", QStringLiteral("Аппарат защиты")}};
    ASSERT_EQ(pages->count(), 3);
    for (int index = 0; index < 3; ++index) {
        EXPECT_EQ(pages->widget(index)->objectName(), QString::fromLatin1(tabs[index].first));
        EXPECT_EQ(pages->tabText(index), tabs[index].second);
    }
    EXPECT_EQ(pages->currentWidget(), ResultForm->TransTabSheet);

    ResultForm->show();
    QTest::mouseClick(pages->tabBar(), Qt::LeftButton, {}, pages->tabBar()->tabRect(1).center());
    ASSERT_EQ(pages->currentWidget(), ResultForm->LineTabSheet);
    QTest::mouseClick(ResultForm->BitBtn1, Qt::LeftButton);
    EXPECT_FALSE(ResultForm->isVisible());
    ResultForm->show();
    EXPECT_EQ(pages->currentWidget(), ResultForm->LineTabSheet);
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

// Every warning the fuse table can give, under the Russian regional settings, fits its two lines
// between the device panel and the status line.
TEST_F(ResultWindowTest, EveryFuseWarningFitsItsPlace)
{
    const NumberSeparators russian{",", "\u00A0"};
    QLabel* label = ResultForm->FuseWarningLabel;
    EXPECT_TRUE(ResultForm->DefenceTabSheet->isAncestorOf(label));
    int warnings = 0;
    for (int type = 1; type <= 3; ++type) {
        for (const QString& rating : FuseRatingList(type)) {
            for (int time = 1; time <= 2; ++time) {
                const ProtectiveDeviceSettings fuse{.TypePP = type,
                                                    .TimePP = time,
                                                    .TokPP = ParseDecimal(rating.toStdString()).value,
                                                    .TokSR = 1,
                                                    .TypeDD = 2};
                label->setText(FuseGateWarning(fuse, russian));
                warnings += label->text().isEmpty() ? 0 : 1;
                EXPECT_TRUE(FitsWrapped(label)) << label->text().toStdString();
            }
        }
    }
    EXPECT_EQ(warnings, 2 * 14 + 2 * 4);  // ППН 14 rows and НПН 4 rows, at either time
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
