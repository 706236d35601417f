// Pressing "Расчет": what the main window and the result window show after a success, after a
// refused input and after an overflow, and which commands are then available.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include "QStringPrinter.h"
#include "FormsFixture.h"
#include "MainUnit.h"
#include "ResultUnit.h"

namespace {

// Sets the default locale for one test and restores the previous one after it.
class LocaleScope {
public:
    explicit LocaleScope(const QLocale& locale) : saved(QLocale()) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(saved); }

private:
    QLocale saved;
};

const QLocale PointLocale(QLocale::English, QLocale::UnitedStates);
const QLocale RussianLocale(QLocale::Russian, QLocale::Russia);

const QString Failure = QStringLiteral("Не хватает данных для расчета!");
const QString FailureStatus = QStringLiteral("Выполните расчет тока однофазного короткого замыкания");

QString CurrentText(int amperes)
{
    return QStringLiteral("Ток однофазного короткого замыкания равен %1 А").arg(amperes);
}

void Type(QComboBox* list, const QString& text) { list->setEditText(text); }
void Type(QLineEdit* edit, const QString& text) { edit->setText(text); }

// Line `n` (0-based): paper-insulated cable, aluminium, phase 95, neutral 50, 100 m.
void TypeAluminiumCable(int n)
{
    Type(MainForm->KindPerformLineComboBoxes[n], QStringLiteral("Кабель с бумажной изоляцией"));
    Type(MainForm->StuffLineComboBoxes[n], QStringLiteral("Алюминий"));
    Type(MainForm->FfLineComboBoxes[n], QStringLiteral("95"));
    Type(MainForm->FnLineComboBoxes[n], QStringLiteral("50"));
    Type(MainForm->LengthLineEdits[n], QStringLiteral("100"));
}

void PressStart() { QTest::mouseClick(MainForm->StartButton, Qt::LeftButton); }

// The result window's texts, for comparing before and after.
QStringList ResultWindowTexts()
{
    QStringList texts;
    for (QLabel* label : ResultForm->findChildren<QLabel*>())
        texts << label->objectName() + QLatin1Char('=') + label->text();
    return texts;
}

// Records what the main window shows at the moment a message box opens.
class TextsAtMessage final : public Dialogs {
public:
    explicit TextsAtMessage(Dialogs& restore) : restore(restore) { SetDialogs(this); }
    ~TextsAtMessage() override { SetDialogs(&restore); }

    QStringList messages, iokzAtMessage, statusAtMessage;

    void Message(const QString& text) override
    {
        messages << text;
        iokzAtMessage << MainForm->IokzLabel->text();
        statusAtMessage << MainForm->StatusDDLabel->text();
    }
    bool Question(const QString&) override { return false; }
    void Error(const QString&) override {}
    std::optional<QString> SaveFileName(QWidget*, const QString&) override { return std::nullopt; }
    std::optional<QString> OpenFileName(QWidget*, const QString&) override { return std::nullopt; }
    std::optional<QString> SaveProjectFileName(QWidget*, const QString&) override { return std::nullopt; }
    std::optional<QString> OpenProjectFileName(QWidget*, const QString&) override { return std::nullopt; }
    Answer YesNoCancel(const QString&) override { return Answer::Cancel; }
    void ShowHelp(const QString&, int) override {}

private:
    Dialogs& restore;
};

class CalculationTest : public FormsTest {
protected:
    // A fresh start of the program for the next case of a table.
    void Restart()
    {
        TearDown();
        SetUp();
        dialogs.messages.clear();
        dialogs.errors.clear();
    }
};

}  // namespace

TEST_F(CalculationTest, InitialTextsGiveTheWorkedFiguresWithAPointLocale)
{
    LocaleScope locale(PointLocale);
    PressStart();

    EXPECT_EQ(MainForm->IokzLabel->text(), CurrentText(4027));
    EXPECT_TRUE(MainForm->ResultMenu->isEnabled());
    EXPECT_TRUE(MainForm->AddToReportButton->isEnabled());
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_NEAR(SharedResult.Iokz, 4027.4956, 1e-4);

    const std::pair<QLabel*, QString> cases[] = {
        {ResultForm->IokzrezLabel, CurrentText(4027)},
        {ResultForm->StLabel, QStringLiteral("Sном=250 кВ*А")},
        {ResultForm->WindKindLabel, QStringLiteral("T/Y-0")},
        {ResultForm->RtLabel, QStringLiteral("Rт=32.26 мОм")},
        {ResultForm->XtLabel, QStringLiteral("Xт=80.15 мОм")},
        {ResultForm->ZtLabel, QStringLiteral("Zт=86.40 мОм")},
        {ResultForm->RotherLabel, QStringLiteral("Rпр=40 мОм")},
        {ResultForm->RsumLabel, QStringLiteral("Rф-н=50.75 мОм")},
        {ResultForm->XsumLabel, QStringLiteral("Xф-н=26.72 мОм")},
        {ResultForm->ZsumLabel, QStringLiteral("Zф-н=57.36 мОм")},
        {ResultForm->RLineLabel, QStringLiteral("0.00")},
        {ResultForm->XLineLabel, QStringLiteral("0.00")},
        {ResultForm->ZLineLabel, QStringLiteral("0.00")},
    };
    for (const auto& [label, text] : cases)
        EXPECT_EQ(label->text(), text) << label->objectName().toStdString();
    for (int n = 0; n < 6; ++n) {
        EXPECT_EQ(ResultForm->RLineLabels[n]->text(), QStringLiteral("0.00")) << n + 1;
        EXPECT_EQ(ResultForm->XLineLabels[n]->text(), QStringLiteral("0.00")) << n + 1;
        EXPECT_EQ(ResultForm->ZLineLabels[n]->text(), QStringLiteral("0.00")) << n + 1;
    }
}

TEST_F(CalculationTest, RussianLocaleWritesDecimalCommaAndNoBreakGrouping)
{
    LocaleScope locale(RussianLocale);
    TypeAluminiumCable(0);
    Type(MainForm->LengthLineEdits[0], QStringLiteral("2000"));  // 954 + 954 mOhm: needs grouping
    PressStart();

    ASSERT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join(' ').toStdString();
    const QString nbsp(QChar(0x00A0));
    EXPECT_EQ(ResultForm->RLineLabels[0]->text(), QStringLiteral("1") + nbsp + QStringLiteral("908,00"));
    EXPECT_EQ(ResultForm->RLineLabel->text(), ResultForm->RLineLabels[0]->text());
    EXPECT_EQ(ResultForm->RLineLabels[1]->text(), QStringLiteral("0,00"));
    EXPECT_EQ(ResultForm->RtLabel->text(), QStringLiteral("Rт=32,26 мОм"));
    EXPECT_EQ(ResultForm->ZtLabel->text(), QStringLiteral("Zт=86,40 мОм"));
    EXPECT_TRUE(ResultForm->RsumLabel->text().startsWith(QStringLiteral("Rф-н=1") + nbsp));
    // The current is a whole number written without grouping.
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Ток однофазного короткого замыкания равен [0-9]+ А$"))
                    .match(MainForm->IokzLabel->text())
                    .hasMatch())
        << MainForm->IokzLabel->text().toStdString();
}

TEST_F(CalculationTest, EachLineRowFeedsItsOwnResultRow)
{
    LocaleScope locale(PointLocale);
    for (int n = 0; n < 6; ++n) {
        SCOPED_TRACE(n + 1);
        if (n > 0) {  // take the cable off the previous row
            Type(MainForm->FfLineComboBoxes[n - 1], QStringLiteral("0"));
            Type(MainForm->FnLineComboBoxes[n - 1], QStringLiteral("0"));
        }
        TypeAluminiumCable(n);
        PressStart();
        ASSERT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join(' ').toStdString();
        EXPECT_EQ(MainForm->IokzLabel->text(), CurrentText(1527));
        for (int row = 0; row < 6; ++row) {
            EXPECT_EQ(ResultForm->RLineLabels[row]->text(), row == n ? QStringLiteral("95.40") : QStringLiteral("0.00"));
            EXPECT_EQ(ResultForm->XLineLabels[row]->text(), row == n ? QStringLiteral("12.27") : QStringLiteral("0.00"));
            EXPECT_EQ(ResultForm->ZLineLabels[row]->text(), row == n ? QStringLiteral("96.19") : QStringLiteral("0.00"));
        }
        EXPECT_EQ(ResultForm->RLineLabel->text(), QStringLiteral("95.40"));
        EXPECT_EQ(ResultForm->XLineLabel->text(), QStringLiteral("12.27"));
    }
}

TEST_F(CalculationTest, WorkedNetworksReadEveryFieldOfTheirLines)
{
    LocaleScope locale(PointLocale);
    struct Case {
        const char* name;
        void (*type)();
        int amperes;
    };
    const Case cases[] = {
        {"two parallel conductors", [] {
             TypeAluminiumCable(0);
             Type(MainForm->QuanParLineComboBoxes[0], QStringLiteral("2"));
         },
         2226},
        {"copper cable and overhead line, Rпр 15", [] {
             Type(MainForm->KindPerformLineComboBoxes[0], QStringLiteral("Кабель с ПВХ изоляцией"));
             Type(MainForm->StuffLineComboBoxes[0], QStringLiteral("Медь"));
             Type(MainForm->FfLineComboBoxes[0], QStringLiteral("240"));
             Type(MainForm->FnLineComboBoxes[0], QStringLiteral("120"));
             Type(MainForm->LengthLineEdits[0], QStringLiteral("200"));
             Type(MainForm->KindPerformLineComboBoxes[1], QStringLiteral("Воздушная"));
             Type(MainForm->StuffLineComboBoxes[1], QStringLiteral("Алюминий"));
             Type(MainForm->FfLineComboBoxes[1], QStringLiteral("70"));
             Type(MainForm->FnLineComboBoxes[1], QStringLiteral("70"));
             Type(MainForm->LengthLineEdits[1], QStringLiteral("300"));
             Type(MainForm->RArcEdit, QStringLiteral("15"));
         },
         566},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Restart();
        c.type();
        PressStart();
        ASSERT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join(' ').toStdString();
        EXPECT_EQ(MainForm->IokzLabel->text(), CurrentText(c.amperes));
    }
}

TEST_F(CalculationTest, PowerAndSchemeAreShownAsTypedAndRotherWithoutDecimals)
{
    LocaleScope locale(PointLocale);
    Type(MainForm->TransPowerComboBox, QStringLiteral("$FA"));
    Type(MainForm->RArcEdit, QStringLiteral("12.6"));
    PressStart();
    ASSERT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join(' ').toStdString();
    EXPECT_EQ(ResultForm->StLabel->text(), QStringLiteral("Sном=$FA кВ*А"));
    EXPECT_EQ(ResultForm->RotherLabel->text(), QStringLiteral("Rпр=13 мОм"));
    EXPECT_DOUBLE_EQ(SharedResult.Rother, 12.6);
}

TEST_F(CalculationTest, RefusedInputShowsItsMessageThenTheFailureTexts)
{
    struct Case {
        const char* name;
        void (*type)();
        QString message;
    };
    const Case cases[] = {
        {"neutral missing on line 2", [] { Type(MainForm->FfLineComboBoxes[1], QStringLiteral("95")); },
         QStringLiteral("Выберите сечение жилы нулевого провода линии 2")},
        {"negative length on line 6", [] { Type(MainForm->LengthLineEdits[5], QStringLiteral("-1")); },
         QStringLiteral("Неверная длина линии 6")},
        {"a word for the count on line 3", [] { Type(MainForm->QuanParLineComboBoxes[2], QStringLiteral("два")); },
         QStringLiteral("Неверное количество параллельных проводов линии 3")},
        {"Rпр above 40", [] { Type(MainForm->RArcEdit, QStringLiteral("40.001")); },
         QStringLiteral("Неверное сопротивление электрической дуги. Введите величину в диапазоне 0..40 мОм")},
        {"unknown scheme", [] { Type(MainForm->WindKindComboBox, QStringLiteral("t/y-0")); },
         QStringLiteral("Неправильная схема соединения обмоток трансформатора.")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Restart();
        TextsAtMessage recorder(dialogs);
        c.type();
        PressStart();
        ASSERT_EQ(recorder.messages, QStringList{c.message});
        // The box comes first: the window still shows its earlier texts while it is open.
        EXPECT_EQ(recorder.iokzAtMessage, QStringList{QStringLiteral("Введите исходные данные для расчета")});
        EXPECT_EQ(MainForm->IokzLabel->text(), Failure);
        EXPECT_EQ(MainForm->StatusDDLabel->text(), FailureStatus);
        EXPECT_FALSE(MainForm->ResultMenu->isEnabled());
        EXPECT_FALSE(MainForm->AddToReportButton->isEnabled());
    }
}

TEST_F(CalculationTest, InvalidPowerSetsTheFailureTextsBeforeItsMessage)
{
    for (const QString& power : {QStringLiteral("250.0"), QString(), QStringLiteral("мощность")}) {
        SCOPED_TRACE(power.toStdString());
        Restart();
        TextsAtMessage recorder(dialogs);
        Type(MainForm->TransPowerComboBox, power);
        PressStart();
        ASSERT_EQ(recorder.messages, QStringList{QStringLiteral("Неверная мощность трансформатора")});
        EXPECT_EQ(recorder.iokzAtMessage, QStringList{Failure});
        EXPECT_EQ(recorder.statusAtMessage, QStringList{FailureStatus});
    }
}

TEST_F(CalculationTest, FailureAfterSuccessKeepsTheEarlierResultButDisablesItsCommands)
{
    LocaleScope locale(PointLocale);
    PressStart();
    ASSERT_TRUE(MainForm->ResultMenu->isEnabled());
    const QStringList resultTexts = ResultWindowTexts();
    const double earlierCurrent = SharedResult.Iokz;

    Type(MainForm->LengthLineEdits[0], QStringLiteral("12м"));
    PressStart();
    EXPECT_EQ(dialogs.messages, QStringList{QStringLiteral("Неверная длина линии 1")});
    EXPECT_EQ(MainForm->IokzLabel->text(), Failure);
    EXPECT_EQ(MainForm->StatusDDLabel->text(), FailureStatus);
    EXPECT_FALSE(MainForm->ResultMenu->isEnabled());
    EXPECT_FALSE(MainForm->AddToReportButton->isEnabled());
    EXPECT_EQ(ResultWindowTexts(), resultTexts);
    EXPECT_EQ(SharedResult.Iokz, earlierCurrent);

    // And a corrected input brings both commands back.
    Type(MainForm->LengthLineEdits[0], QStringLiteral("12"));
    PressStart();
    EXPECT_TRUE(MainForm->ResultMenu->isEnabled());
    EXPECT_TRUE(MainForm->AddToReportButton->isEnabled());
}

TEST_F(CalculationTest, OverflowShowsOnlyItsErrorBox)
{
    struct Case {
        const char* name;
        bool succeedFirst;
    };
    for (const Case c : {Case{"before any result", false}, Case{"after a result", true}}) {
        SCOPED_TRACE(c.name);
        Restart();
        if (c.succeedFirst)
            PressStart();
        const QString iokz = MainForm->IokzLabel->text();
        const QString status = MainForm->StatusDDLabel->text();

        Type(MainForm->LengthLineEdits[2], QStringLiteral("1e309"));
        PressStart();
        EXPECT_EQ(dialogs.errors, QStringList{QStringLiteral("Floating point overflow.")});
        EXPECT_TRUE(dialogs.messages.isEmpty());
        EXPECT_EQ(MainForm->IokzLabel->text(), iokz);
        EXPECT_EQ(MainForm->StatusDDLabel->text(), status);
        EXPECT_FALSE(MainForm->ResultMenu->isEnabled());
        EXPECT_FALSE(MainForm->AddToReportButton->isEnabled());
    }
}

TEST_F(CalculationTest, ResultMenuOpensTheResultWindowOnlyAfterASuccess)
{
    EXPECT_FALSE(MainForm->ResultMenu->isEnabled());
    MainForm->ResultMenu->trigger();  // a disabled command does nothing
    EXPECT_FALSE(ResultForm->isVisible());

    PressStart();
    bool shown = false;
    QTimer closer;
    closer.setInterval(10);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (ResultForm->isVisible()) {
            shown = true;
            ResultForm->reject();
        }
    });
    closer.start();
    QTimer::singleShot(3000, ResultForm, [] { ResultForm->reject(); });  // never hang
    MainForm->ResultMenu->trigger();
    closer.stop();
    EXPECT_TRUE(shown);
}

namespace {

// The text field of an edit field or of an editable list.
QLineEdit* EditOf(QWidget* field)
{
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        return edit;
    return qobject_cast<QComboBox*>(field)->lineEdit();
}

// One key per character, Cyrillic letters too (QTest::keyClicks knows only ASCII).
void KeyClicks(QWidget* field, const QString& text)
{
    for (QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

// The user's own keys: the window active, the field focused, the text replaced key by key.
void TypeKeys(QWidget* field, const QString& text)
{
    QApplication::setActiveWindow(MainForm);
    field->setFocus();
    EditOf(field)->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    KeyClicks(field, text);
}

// Pastes `text` with Ctrl+V over the whole text of `field`, as from a spreadsheet cell.
void PasteInto(QWidget* field, const QString& text)
{
    QApplication::clipboard()->setText(text);
    QApplication::setActiveWindow(MainForm);
    field->setFocus();
    EditOf(field)->selectAll();
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
}

QString FieldText(QWidget* field) { return EditOf(field)->text(); }

}  // namespace

// A cell copied from a spreadsheet ends in a line break; the field keeps one line, so what it
// shows is what the calculation reads.
TEST_F(CalculationTest, PastedLineBreaksAndTheirBlanksAreDropped)
{
    LocaleScope locale(PointLocale);
    struct Case {
        const char* name;
        QWidget* (*field)();
        QString pasted, kept;
    };
    const Case cases[] = {
        {"length from a cell", []() -> QWidget* { return MainForm->LengthLineEdits[0]; }, "150\n", "150"},
        {"length with CR LF and blanks", []() -> QWidget* { return MainForm->LengthLineEdits[0]; }, "150 \r\n", "150"},
        {"length after an empty line", []() -> QWidget* { return MainForm->LengthLineEdits[0]; }, "\r\n  150\r\n", "150"},
        {"Rпр", []() -> QWidget* { return MainForm->RArcEdit; }, "15\n", "15"},
        {"phase section list", []() -> QWidget* { return MainForm->FfLineComboBoxes[0]; }, "95\r\n", "95"},
        {"neutral section list", []() -> QWidget* { return MainForm->FnLineComboBoxes[0]; }, "50\n", "50"},
        {"parallel count list", []() -> QWidget* { return MainForm->QuanParLineComboBoxes[0]; }, "2\n", "2"},
        {"material list", []() -> QWidget* { return MainForm->StuffLineComboBoxes[0]; }, "Алюминий\n", "Алюминий"},
        {"power list", []() -> QWidget* { return MainForm->TransPowerComboBox; }, "250\n", "250"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PasteInto(c.field(), c.pasted);
        EXPECT_EQ(FieldText(c.field()), c.kept);
    }
    // Line 1 now holds the cable of the worked example, 150 m long, two in parallel.
    dialogs.messages.clear();
    PressStart();
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join(' ').toStdString();
    EXPECT_TRUE(MainForm->ResultMenu->isEnabled());
    EXPECT_EQ(SharedResult.Rother, 15);
    EXPECT_NEAR(SharedResult.RLine[0], (0.329 + 0.625) * 150 / 2, 1e-9);
}

// Several lines pasted at once are not cut to the first: they stand side by side, and the
// calculation refuses them where the user can see why.
TEST_F(CalculationTest, SeveralPastedLinesStayVisibleAndAreRefused)
{
    QLineEdit* length = MainForm->LengthLineEdits[1];
    PasteInto(length, QStringLiteral("150\n200\n"));
    EXPECT_EQ(length->text(), QStringLiteral("150 200"));
    // Pasted into the middle of a text, the line break parts the pasted line from the rest, which
    // stays: nothing is lost, and nothing is joined into another number unseen.
    length->setText(QStringLiteral("1250"));
    length->setCursorPosition(2);
    QApplication::clipboard()->setText(QStringLiteral("7\n"));
    QTest::keyClick(length, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(length->text(), QStringLiteral("127 50"));
    EXPECT_EQ(length->cursorPosition(), 3);
    PressStart();
    EXPECT_EQ(dialogs.messages, QStringList{QStringLiteral("Неверная длина линии 2")});
}

// The decimal comma reads as the point does, and a count "нет" in any letter case is 1.
TEST_F(CalculationTest, CommaAndAnyCaseOfNetAreAccepted)
{
    LocaleScope locale(PointLocale);
    TypeKeys(MainForm->KindPerformLineComboBoxes[0], QStringLiteral("Кабель с ПВХ изоляцией"));
    TypeKeys(MainForm->StuffLineComboBoxes[0], QStringLiteral("Медь"));
    TypeKeys(MainForm->FfLineComboBoxes[0], QStringLiteral("2,5"));
    TypeKeys(MainForm->FnLineComboBoxes[0], QStringLiteral("1,5"));
    TypeKeys(MainForm->LengthLineEdits[0], QStringLiteral("12,5"));
    TypeKeys(MainForm->QuanParLineComboBoxes[0], QStringLiteral("Нет"));
    TypeKeys(MainForm->RArcEdit, QStringLiteral("15,5"));
    PressStart();
    ASSERT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join(' ').toStdString();
    const ShortCircuitResult withComma = SharedResult;

    TypeKeys(MainForm->FfLineComboBoxes[0], QStringLiteral("2.5"));
    TypeKeys(MainForm->FnLineComboBoxes[0], QStringLiteral("1.5"));
    TypeKeys(MainForm->LengthLineEdits[0], QStringLiteral("12.5"));
    TypeKeys(MainForm->QuanParLineComboBoxes[0], QStringLiteral("нет"));
    TypeKeys(MainForm->RArcEdit, QStringLiteral("15.5"));
    PressStart();
    ASSERT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join(' ').toStdString();
    EXPECT_EQ(withComma.Rother, 15.5);
    EXPECT_EQ(withComma.RLine[0], SharedResult.RLine[0]);
    EXPECT_EQ(withComma.Iokz, SharedResult.Iokz);
    EXPECT_NEAR(withComma.RLine[0], (7.4 + 12.3) * 12.5, 1e-9);

    for (const QString& no : {QStringLiteral("НЕТ"), QStringLiteral("нЕт")}) {
        TypeKeys(MainForm->QuanParLineComboBoxes[0], no);
        PressStart();
        EXPECT_TRUE(dialogs.messages.isEmpty()) << no.toStdString();
        EXPECT_EQ(SharedResult.RLine[0], withComma.RLine[0]);
    }
}

// After a message about a field, the keyboard is in that field with its text selected: the next
// key typed replaces the wrong text.
TEST_F(CalculationTest, RefusedFieldTakesTheFocusWithItsTextSelected)
{
    struct Case {
        const char* name;
        QWidget* (*field)();
        QString typed, message;
    };
    const Case cases[] = {
        {"length of line 3", []() -> QWidget* { return MainForm->LengthLineEdits[2]; }, "-1",
         "Неверная длина линии 3"},
        {"count of line 5", []() -> QWidget* { return MainForm->QuanParLineComboBoxes[4]; }, "два",
         "Неверное количество параллельных проводов линии 5"},
        {"phase section of line 2", []() -> QWidget* { return MainForm->FfLineComboBoxes[1]; }, "abc",
         "Неверное сечение жилы"},
        {"neutral section of line 6", []() -> QWidget* { return MainForm->FnLineComboBoxes[5]; }, "45",
         "Сечение жилы нулевого провода (6-й участок) не входит в ряд стандартных сечений: "
         "1,5; 2,5; 4; 6; 10; 16; 25; 35; 50; 70; 95; 120; 150; 185; 240 мм²"},
        {"material of line 4", []() -> QWidget* { return MainForm->StuffLineComboBoxes[3]; }, "Сталь",
         "Неизвестный материал жилы проводника"},
        {"Rпр", []() -> QWidget* { return MainForm->RArcEdit; }, "41",
         "Неверное сопротивление электрической дуги. Введите величину в диапазоне 0..40 мОм"},
        {"power", []() -> QWidget* { return MainForm->TransPowerComboBox; }, "250,0",
         "Неверная мощность трансформатора"},
        {"scheme", []() -> QWidget* { return MainForm->WindKindComboBox; }, "t/y-0",
         "Неправильная схема соединения обмоток трансформатора."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Restart();
        TypeKeys(c.field(), c.typed);
        QTest::mouseClick(MainForm->StartButton, Qt::LeftButton);
        ASSERT_EQ(dialogs.messages, QStringList{c.message});
        EXPECT_EQ(QApplication::focusWidget(), c.field());
        EXPECT_EQ(EditOf(c.field())->selectedText(), c.typed);
        KeyClicks(c.field(), QStringLiteral("x"));
        EXPECT_EQ(FieldText(c.field()), QStringLiteral("x"));
    }
}

// An overflow typed into a field leads there too.
TEST_F(CalculationTest, OverflowLeadsToItsField)
{
    TypeKeys(MainForm->LengthLineEdits[3], QStringLiteral("1e309"));
    QTest::mouseClick(MainForm->StartButton, Qt::LeftButton);
    EXPECT_EQ(dialogs.errors, QStringList{QStringLiteral("Floating point overflow.")});
    EXPECT_EQ(QApplication::focusWidget(), MainForm->LengthLineEdits[3]);
    EXPECT_EQ(MainForm->LengthLineEdits[3]->selectedText(), QStringLiteral("1e309"));
}

// A section typed off the series (0.75 mm² over a 1.5 mm² neutral) is refused at its own field;
// the earlier result and every other text stay as they were.
TEST_F(CalculationTest, SectionOffTheSeriesIsRefusedAtItsField)
{
    LocaleScope locale(RussianLocale);
    TypeKeys(MainForm->KindPerformLineComboBoxes[1], QStringLiteral("Кабель с ПВХ изоляцией"));
    TypeKeys(MainForm->StuffLineComboBoxes[1], QStringLiteral("Медь"));
    TypeKeys(MainForm->FfLineComboBoxes[1], QStringLiteral("1,5"));
    TypeKeys(MainForm->FnLineComboBoxes[1], QStringLiteral("1,5"));
    TypeKeys(MainForm->LengthLineEdits[1], QStringLiteral("45"));
    PressStart();
    ASSERT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join(' ').toStdString();
    const double earlier = SharedResult.Iokz;
    const QStringList resultTexts = ResultWindowTexts();

    TypeKeys(MainForm->FfLineComboBoxes[1], QStringLiteral("0,75"));
    const NetworkDescription typed = MainForm->CurrentNetwork();
    PressStart();
    EXPECT_EQ(dialogs.messages, QStringList{QStringLiteral(
                                    "Сечение жилы фазного провода (2-й участок) не входит в ряд стандартных сечений: "
                                    "1,5; 2,5; 4; 6; 10; 16; 25; 35; 50; 70; 95; 120; 150; 185; 240 мм²")});
    EXPECT_EQ(QApplication::focusWidget(), MainForm->FfLineComboBoxes[1]);
    EXPECT_EQ(EditOf(MainForm->FfLineComboBoxes[1])->selectedText(), QStringLiteral("0,75"));
    EXPECT_EQ(MainForm->CurrentNetwork(), typed);
    EXPECT_EQ(SharedResult.Iokz, earlier);
    EXPECT_EQ(ResultWindowTexts(), resultTexts);
    EXPECT_EQ(MainForm->IokzLabel->text(), Failure);
}
