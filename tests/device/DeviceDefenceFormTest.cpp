// The device window driven through its controls: initial state, switching, the type and
// release lists, confirmation (all or nothing), reset, cancel and the verdict lines.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>
#include <functional>
#include <tuple>

#include "DeviceDefenceUnit.h"
#include "FormsFixture.h"
#include "MainUnit.h"
#include "ResultUnit.h"

// Readable texts in failure messages.
void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace {

const QString kBreaker = "Автоматический выключатель";
const QString kNotDetermined = "В расчете не определен";
const QString kCalculate = "Выполните расчет тока однофазного короткого замыкания";
const QString kTrips = "Срабатывание за нормативное время";
const QString kNoTrip = "Несрабатывание за нормативное время";
const QString kUnknownType = "Неизвестный тип предохранителя";

class DeviceFormTest : public FormsTest {
public:
    void SetUp() override
    {
        FormsTest::SetUp();
        form = DeviceDefenceForm;
        // Shown without a modal loop, so that clicks reach enabled controls.
        form->show();
    }

    template <typename T>
    T* Find(const char* name) const
    {
        return form->findChild<T*>(QString::fromLatin1(name));
    }

    // Types `text` over the whole text of `list`, one key at a time (Cyrillic letters too).
    static void Type(QComboBox* list, const QString& text)
    {
        // With the focus, as when the user types: completion only acts on a focused field.
        QApplication::setActiveWindow(list->window());
        list->setFocus();
        list->lineEdit()->selectAll();
        for (QChar ch : text)
            QTest::sendKeyEvent(QTest::Click, list, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }

    // Near the left edge, where the indicator and the start of the caption are.
    void Click(QAbstractButton* button)
    {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    }

    QStringList Items(QComboBox* list) const
    {
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items << list->itemText(i);
        return items;
    }

    // The five device labels of the result window, in their order.
    QStringList DeviceLabels() const
    {
        return {ResultForm->TypeDDLabel->text(), ResultForm->ToknomLabel->text(), ResultForm->KZLabel->text(),
                ResultForm->TokSRLabel->text(), ResultForm->TimeSRLabel->text()};
    }

    void ChooseFuse(const QString& type, const QString& rating, const QString& factor, const QString& time)
    {
        Click(form->PPRadioButton);
        form->TypePPComboBox->setCurrentText(type);
        form->TokPPComboBox->setCurrentText(rating);
        form->KZPPComboBox->setCurrentText(factor);
        form->TimePPComboBox->setCurrentText(time);
    }

    TDeviceDefenceForm* form = nullptr;
};

// --- The window as created ---------------------------------------------------------------------

TEST_F(DeviceFormTest, WindowFrame)
{
    EXPECT_EQ(form->windowTitle(), QString("Аппарат защиты"));
    EXPECT_EQ(form->size(), QSize(476, 349));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    EXPECT_EQ(form->objectName(), QString("DeviceDefenceForm"));
}

TEST_F(DeviceFormTest, ListsStartWithTheirItemsAndTexts)
{
    struct Case {
        const char* name;
        QStringList items;
        QString text;
    };
    const QStringList factors{"1.0", "1.05", "1.1", "1.15", "1.2"};
    const Case cases[] = {
        {"TokAVnomComboBox",
         {"1",   "2",   "3",   "4",   "5",   "6",   "8",    "10",   "13",   "16",  "20",  "25",  "32",  "40",  "50",
          "63",  "80",  "100", "125", "160", "200", "250",  "320",  "400",  "630", "800", "1000", "1250", "1600"},
         "16"},
        {"TokNRComboBox", {"3 (\"A\")", "5 (\"B\")", "10 (\"C\")", "12", "20 (\"D\")"}, "10 (\"C\")"},
        {"KZAVComboBox", factors, "1.1"},
        {"TypePPComboBox", {"ППН", "ПН2", "НПН"}, "ППН"},
        {"TokPPComboBox",
         {"2",  "4",  "6",   "10",  "16",  "20",  "25",  "32",  "40",  "50",  "63",  "80",
          "100", "125", "160", "200", "250", "315", "400", "500", "630", "800", "1000", "1250"},
         "63"},
        {"KZPPComboBox", factors, "1.1"},
        {"TimePPComboBox", {"Тср < 5 с", "Тср < 0,4 с"}, "Тср < 5 с"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* list = Find<QComboBox>(c.name);
        ASSERT_NE(list, nullptr);
        EXPECT_TRUE(list->isEditable());
        EXPECT_EQ(list->insertPolicy(), QComboBox::NoInsert);
        EXPECT_EQ(Items(list), c.items);
        EXPECT_EQ(list->currentText(), c.text);
    }
}

TEST_F(DeviceFormTest, CaptionsButtonsAndHints)
{
    struct Case {
        const char* name;
        QString text;   // empty: a list, whose text is checked elsewhere
        QString hint;
    };
    const Case controls[] = {
        {"AVRadioButton", kBreaker, "Переключатель на выбор автоматического выключателя"},
        {"TokAVnomComboBox", "", "Введите номинальный ток выключателя"},
        {"TokNRComboBox", "", "Введите коэффициент отсечки или ток срабатывания отсечки"},
        {"TokNRCheckBox", "Указан ток срабатывания независимого расцепителя, А",
         "Включение/выключение опции ввода тока срабатывания отсечки"},
        {"KZAVComboBox", "", "Введите коэффициент запаса"},
        {"PPRadioButton", "Плавкий предохранитель", "Переключатель на выбор плавкого предохранителя"},
        {"TypePPComboBox", "", "Введите тип предохранителя"},
        {"TokPPComboBox", "", "Введите номинальный ток вставки"},
        {"KZPPComboBox", "", "Введите коэффициент запаса"},
        {"TimePPComboBox", "", "Введите нормируемое время срабатывания вставки"},
        {"OKDDBitBtn", "Да", "Подтверждение ввода данных"},
        {"BitBtn2", "Отмена", "Отмена ввода данных"},
        {"BitBtn3", "Сброс", "Сброс ввода данных"},
        {"StatusBar1", "", "Строка состояния"},
    };
    for (const Case& c : controls) {
        SCOPED_TRACE(c.name);
        auto* control = Find<QWidget>(c.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->accessibleDescription(), c.hint);
        if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            EXPECT_EQ(button->text(), c.text);
        }
    }

    const QString labels[] = {"Тип",         "Номинальный", "Коэффициент",  "независимого", "расцепителя",
                              "запаса",      "Коэффициент", "Номинальный",  "запаса",       "Коэффициент",
                              "ток, А",      "предохранителя", "срабатывания", "Время",     "ток, А"};
    for (int i = 0; i < 15; ++i) {
        auto* label = Find<QLabel>(QStringLiteral("Label%1").arg(i + 1).toLatin1().constData());
        ASSERT_NE(label, nullptr) << "Label" << i + 1;
        EXPECT_EQ(label->text(), labels[i]) << "Label" << i + 1;
    }
}

// Enabled state of the breaker inputs and labels, and of the fuse ones.
void ExpectGroups(TDeviceDefenceForm* form, bool breakerEnabled)
{
    for (QWidget* w : {static_cast<QWidget*>(form->TokAVnomComboBox), static_cast<QWidget*>(form->TokNRComboBox),
                       static_cast<QWidget*>(form->KZAVComboBox), static_cast<QWidget*>(form->TokNRCheckBox)})
        EXPECT_EQ(w->isEnabled(), breakerEnabled) << w->objectName().toStdString();
    for (int n : {2, 3, 4, 5, 6, 7, 15})
        EXPECT_EQ(form->Labels[n - 1]->isEnabled(), breakerEnabled) << "Label" << n;
    for (QWidget* w : {static_cast<QWidget*>(form->TypePPComboBox), static_cast<QWidget*>(form->TokPPComboBox),
                       static_cast<QWidget*>(form->KZPPComboBox), static_cast<QWidget*>(form->TimePPComboBox)})
        EXPECT_EQ(w->isEnabled(), !breakerEnabled) << w->objectName().toStdString();
    for (int n : {1, 8, 9, 10, 11, 12, 13, 14})
        EXPECT_EQ(form->Labels[n - 1]->isEnabled(), !breakerEnabled) << "Label" << n;
    EXPECT_TRUE(form->AVRadioButton->isEnabled());
    EXPECT_TRUE(form->PPRadioButton->isEnabled());
}

TEST_F(DeviceFormTest, RadioButtonsSwitchTheEnabledGroupOnly)
{
    EXPECT_TRUE(form->AVRadioButton->isChecked());
    EXPECT_FALSE(form->TokNRCheckBox->isChecked());
    ExpectGroups(form, true);

    form->TokAVnomComboBox->setCurrentText("25");
    Click(form->PPRadioButton);
    EXPECT_TRUE(form->PPRadioButton->isChecked());
    EXPECT_FALSE(form->AVRadioButton->isChecked());
    ExpectGroups(form, false);

    Click(form->AVRadioButton);
    EXPECT_TRUE(form->AVRadioButton->isChecked());
    ExpectGroups(form, true);
    // Switching touches neither a text nor the record.
    EXPECT_EQ(form->TokAVnomComboBox->currentText(), QString("25"));
    EXPECT_EQ(form->TokPPComboBox->count(), 24);
    EXPECT_EQ(DeviceSettings.TypeDD, 0);
}

TEST_F(DeviceFormTest, ButtonsStandDaOtmenaSbrosAndTabVisitsSbrosFirst)
{
    const QList<QPushButton*> row{form->OKDDBitBtn, form->BitBtn2, form->BitBtn3};
    for (int i = 0; i + 1 < row.size(); ++i) {
        EXPECT_LT(row[i]->geometry().right(), row[i + 1]->x()) << row[i]->text().toStdString();
        EXPECT_EQ(row[i]->y(), row[i + 1]->y());
    }

    const QStringList expected{"AVRadioButton", "TokAVnomComboBox", "TokNRComboBox",  "TokNRCheckBox", "KZAVComboBox",
                               "PPRadioButton", "TypePPComboBox",   "TokPPComboBox",  "KZPPComboBox",  "TimePPComboBox",
                               "OKDDBitBtn",    "BitBtn3",          "BitBtn2"};
    QStringList chain;
    QWidget* w = form->AVRadioButton;
    do {
        if (expected.contains(w->objectName()))
            chain << w->objectName();
        w = w->nextInFocusChain();
    } while (w != form->AVRadioButton && chain.size() < expected.size());
    EXPECT_EQ(chain, expected);
}

// No caption is cut off and no control covers another or leaves its group.
TEST_F(DeviceFormTest, NothingIsClippedOrOverlapping)
{

    QList<QWidget*> groups;
    for (QWidget* child : form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        EXPECT_TRUE(form->rect().contains(child->geometry())) << child->objectName().toStdString();
        if (qobject_cast<QGroupBox*>(child) != nullptr)
            groups << child;
    }
    ASSERT_EQ(groups.size(), 2);
    for (QWidget* group : groups) {
        for (QWidget* control : group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (qobject_cast<QLabel*>(control) == nullptr && qobject_cast<QAbstractButton*>(control) == nullptr &&
                qobject_cast<QComboBox*>(control) == nullptr)
                continue;
            const std::string name = control->objectName().toStdString();
            EXPECT_TRUE(group->rect().contains(control->geometry())) << name;
            if (qobject_cast<QComboBox*>(control) == nullptr) {
                EXPECT_LE(control->sizeHint().width(), control->width()) << name;
                EXPECT_LE(control->sizeHint().height() - 4, control->height()) << name;
            }
        }
    }
    // Siblings at every level do not overlap.
    for (QWidget* parent : QList<QWidget*>{form} + groups) {
        const auto siblings = parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (int i = 0; i < siblings.size(); ++i)
            for (int j = i + 1; j < siblings.size(); ++j)
                EXPECT_FALSE(siblings[i]->geometry().intersects(siblings[j]->geometry()))
                    << siblings[i]->objectName().toStdString() << " / " << siblings[j]->objectName().toStdString();
    }
    QFont::removeSubstitutions("MS Sans Serif");
}

// --- Release list and fuse type list ------------------------------------------------------------

TEST_F(DeviceFormTest, TickingTheReleaseBoxTakesACurrentAndUntickingRestoresTheMultiples)
{
    Click(form->TokNRCheckBox);
    ASSERT_TRUE(form->TokNRCheckBox->isChecked());
    EXPECT_EQ(form->TokNRComboBox->count(), 0);
    EXPECT_EQ(form->TokNRComboBox->currentText(), QString());

    Type(form->TokNRComboBox, "500");
    form->KZAVComboBox->setCurrentText("1.2");
    form->OKDDBitBtnClick();
    EXPECT_EQ(DeviceSettings.TokSR, 600);
    EXPECT_EQ(DeviceSettings.TokNR, 500);

    Click(form->TokNRCheckBox);
    EXPECT_FALSE(form->TokNRCheckBox->isChecked());
    EXPECT_EQ(form->TokNRComboBox->currentText(), QString("10 (\"C\")"));
    EXPECT_EQ(Items(form->TokNRComboBox), (QStringList{"3 (\"A\")", "5 (\"B\")", "10 (\"C\")", "12", "20 (\"D\")"}));
}

TEST_F(DeviceFormTest, PickingAFuseTypeRefillsTheRatingList)
{
    Click(form->PPRadioButton);
    form->TokPPComboBox->setCurrentText("100");

    form->TypePPComboBox->setCurrentIndex(1);   // ПН2
    EXPECT_EQ(form->TokPPComboBox->count(), 15);
    EXPECT_EQ(form->TokPPComboBox->itemText(0), QString("31.5"));
    EXPECT_EQ(form->TokPPComboBox->currentText(), QString("63"));

    form->TypePPComboBox->setCurrentIndex(2);   // НПН
    EXPECT_EQ(form->TokPPComboBox->count(), 8);
    EXPECT_EQ(form->TokPPComboBox->itemText(0), QString("6.3"));

    form->TypePPComboBox->setCurrentIndex(0);   // ППН
    EXPECT_EQ(form->TokPPComboBox->count(), 24);
    EXPECT_EQ(form->TokPPComboBox->currentText(), QString("63"));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

// A type is checked when the field is left, not at every letter: "НПН" passes through "Н" and
// "НП" on its way.
TEST_F(DeviceFormTest, TypedTypeIsCheckedWhenTheFieldIsLeft)
{
    Click(form->PPRadioButton);
    Type(form->TypePPComboBox, "НПН");
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(form->TokPPComboBox->count(), 24);   // still the list of "ППН"

    QTest::keyClick(form->TypePPComboBox, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(form->TokPPComboBox->count(), 8);
    EXPECT_EQ(form->TokPPComboBox->itemText(0), QString("6.3"));
    EXPECT_EQ(form->TokPPComboBox->currentText(), QString("63"));

    // Leaving with an unknown type: the message, then back into the field with its text selected.
    Type(form->TypePPComboBox, "ПН");
    QTest::keyClick(form->TypePPComboBox, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(dialogs.messages, QStringList{kUnknownType});
    EXPECT_EQ(form->TokPPComboBox->count(), 0);
    EXPECT_EQ(form->TokPPComboBox->currentText(), QString("0"));
    EXPECT_EQ(QApplication::focusWidget(), form->TypePPComboBox);
    EXPECT_EQ(form->TypePPComboBox->lineEdit()->selectedText(), QString("ПН"));

    // Enter checks too; leaving the field again without a change asks nothing more.
    Type(form->TypePPComboBox, "ПН2");
    QTest::keyClick(form->TypePPComboBox, Qt::Key_Return);
    EXPECT_EQ(form->TokPPComboBox->count(), 15);
    QTest::keyClick(form->TypePPComboBox, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(form->TokPPComboBox->count(), 15);
}

// A choice from the list applies at once, by mouse or by the arrow keys.
TEST_F(DeviceFormTest, ChosenTypeAppliesAtOnce)
{
    Click(form->PPRadioButton);
    QApplication::setActiveWindow(form);
    form->TypePPComboBox->setFocus();
    QTest::keyClick(form->TypePPComboBox, Qt::Key_Down);   // "ПН2"
    EXPECT_EQ(form->TypePPComboBox->currentText(), QString("ПН2"));
    EXPECT_EQ(form->TokPPComboBox->count(), 15);
    QTest::keyClick(form->TypePPComboBox, Qt::Key_Down);   // "НПН"
    EXPECT_EQ(form->TokPPComboBox->count(), 8);
    // Typed over and then chosen again from the list.
    Type(form->TypePPComboBox, "Н");
    QTest::keyClick(form->TypePPComboBox, Qt::Key_Up);
    EXPECT_EQ(form->TypePPComboBox->currentText(), QString("ПН2"));
    EXPECT_EQ(form->TokPPComboBox->count(), 15);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(DeviceFormTest, UnknownTypeEmptiesTheRatingsAndIsRefusedAtConfirmation)
{
    // A fuse confirmed first, so that the refusal has a trip current to take away.
    ChooseFuse("ППН", "63", "1.1", "Тср < 5 с");
    form->OKDDBitBtnClick();
    ASSERT_EQ(form->result(), QDialog::Accepted);
    const QStringList before = DeviceLabels();
    form->show();

    // "Да" straight after typing checks the type first and stops at its message.
    Type(form->TypePPComboBox, "ПН");
    EXPECT_TRUE(dialogs.messages.isEmpty());
    Click(form->OKDDBitBtn);
    QApplication::processEvents();
    EXPECT_EQ(dialogs.messages, QStringList{kUnknownType});
    EXPECT_EQ(form->TokPPComboBox->count(), 0);
    EXPECT_EQ(form->TokPPComboBox->currentText(), QString("0"));
    EXPECT_EQ(QApplication::focusWidget(), form->TypePPComboBox);
    EXPECT_TRUE(form->isVisible());

    dialogs.messages.clear();
    Click(form->OKDDBitBtn);
    EXPECT_EQ(dialogs.messages, QStringList{"Неправильно указан тип предохранителя"});
    EXPECT_TRUE(form->isVisible());
    // The fuse confirmed before stays the device.
    EXPECT_EQ(DeviceSettings.TokSR, 363.00000000000006);
    EXPECT_EQ(DeviceSettings.TypePP, 1);
    EXPECT_EQ(DeviceLabels(), before);
}

// "Отмена" after a typed type closes the window without a word about the type.
TEST_F(DeviceFormTest, CancelAfterATypedTypeAsksNothing)
{
    Click(form->PPRadioButton);
    Type(form->TypePPComboBox, "ПН");
    Click(form->BitBtn2);
    QApplication::processEvents();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

// --- Confirmation ------------------------------------------------------------------------------

TEST_F(DeviceFormTest, InitialBreakerIsConfirmedWithDaButton)
{
    Click(form->OKDDBitBtn);
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(DeviceSettings.TokSR, 176);
    EXPECT_EQ(DeviceSettings.TypeDD, 1);
    EXPECT_EQ(DeviceLabels(), (QStringList{kBreaker, "Iном=16 А", "Кз=1.1", "Iср=176 А", "---"}));
    // No calculation yet.
    EXPECT_EQ(MainForm->StatusDDLabel->text(), kCalculate);
    EXPECT_EQ(ResultForm->StatusDDLabel->text(), kCalculate);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(DeviceFormTest, FusesThroughTheControls)
{
    struct Case {
        QString type, rating, factor, time;
        double tokSR;
        QString tokSRText;
    };
    const Case cases[] = {
        {"ПН2", "31.5", "1.0", "Тср < 0,4 с", 940, "Iср=940 А"},
        {"НПН", "6.3", "1.2", "Тср < 5 с", 66, "Iср=66 А"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type.toStdString() + " " + c.rating.toStdString());
        form->show();
        ChooseFuse(c.type, c.rating, c.factor, c.time);
        Click(form->OKDDBitBtn);
        EXPECT_EQ(form->result(), QDialog::Accepted);
        EXPECT_EQ(DeviceSettings.TokSR, c.tokSR);
        EXPECT_EQ(DeviceLabels().mid(0, 4), (QStringList{"Плавкий предохранитель (" + c.type + ")",
                                                         "Iном=" + c.rating + " А", "Kз=" + c.factor, c.tokSRText}));
    }
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

// A refused confirmation changes nothing, not even after "Отмена" and a new calculation: the
// breaker confirmed before stays the device that is shown and judged.
TEST_F(DeviceFormTest, RefusalsChangeNothingUntilTheNextSuccessfulConfirmation)
{
    struct Case {
        const char* name;
        std::function<void(DeviceFormTest*, TDeviceDefenceForm*)> edit;
        QString message;
    };
    const Case cases[] = {
        {"fuse rating not in the table",
         [](auto* t, auto*) { t->ChooseFuse("ППН", "7", "1.1", "Тср < 5 с"); },
         "Неизвестный номинальный ток плавкой вставки предохранителя."},
        {"unknown fuse type",
         [](auto* t, auto*) { t->ChooseFuse("ПН", "63", "1.1", "Тср < 5 с"); },
         "Неправильно указан тип предохранителя"},
        {"fuse time", [](auto* t, auto*) { t->ChooseFuse("ПН2", "80", "1.2", "Тср < 5c"); },
         "Неправильно указано время срабатывания"},
        {"breaker multiple", [](auto*, auto* f) { f->TokNRComboBox->setCurrentText("7x"); },
         "Неверная величина коэффициента независимого расцепителя"},
    };
    const auto record = [] {
        const ProtectiveDeviceSettings& s = DeviceSettings;
        return std::tuple(s.TokAVnom, s.KNR, s.KZAV, s.TokNR, s.TypePP, s.TimePP, s.TokPP, s.TokSR, s.TypeDD);
    };
    const auto shown = [this] {
        return DeviceLabels() << MainForm->StatusDDLabel->text() << ResultForm->StatusDDLabel->text();
    };
    const auto inputs = [this] {
        QStringList texts{form->PPRadioButton->isChecked() ? "fuse" : "breaker"};
        for (QComboBox* list : form->findChildren<QComboBox*>())
            texts << list->currentText();
        return texts;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DestroyForms();
        CreateForms();
        form = DeviceDefenceForm;
        form->show();
        Click(form->OKDDBitBtn);
        MainForm->StartButtonClick();
        const QStringList before = shown();
        ASSERT_EQ(before.mid(0, 4), (QStringList{kBreaker, "Iном=16 А", "Кз=1.1", "Iср=176 А"}));
        ASSERT_EQ(before[5], kTrips);
        const auto confirmed = record();

        form->show();
        c.edit(this, form);
        const QStringList typed = inputs();
        dialogs.messages.clear();
        Click(form->OKDDBitBtn);
        ASSERT_FALSE(dialogs.messages.isEmpty());
        EXPECT_EQ(dialogs.messages.last(), c.message);
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(record(), confirmed);
        EXPECT_EQ(shown(), before);

        Click(form->BitBtn2);
        MainForm->StartButtonClick();
        EXPECT_EQ(record(), confirmed);
        EXPECT_EQ(shown(), before);
        form->show();
        EXPECT_EQ(inputs(), typed);
    }
}

// After a message about a field, the keyboard is in that field with its text selected, so that
// the next key replaces it.
TEST_F(DeviceFormTest, RefusedFieldTakesTheFocusWithItsTextSelected)
{
    struct Case {
        const char* name;
        bool fuse;
        QComboBox* (*field)(TDeviceDefenceForm*);
        QString typed, message;
    };
    const Case cases[] = {
        {"rated current", false, [](auto* f) { return f->TokAVnomComboBox; }, "16А",
         "Неверная величина номинального тока расцепителя автоматического выключателя"},
        {"multiple", false, [](auto* f) { return f->TokNRComboBox; }, "7x",
         "Неверная величина коэффициента независимого расцепителя"},
        {"breaker factor", false, [](auto* f) { return f->KZAVComboBox; }, "0,95",
         "Неверная величина коэффициента запаса автоматического выключателя"},
        {"breaker factor 0", false, [](auto* f) { return f->KZAVComboBox; }, "0",
         "Неверная величина коэффициента запаса автоматического выключателя"},
        {"fuse rating", true, [](auto* f) { return f->TokPPComboBox; }, "7",
         "Неизвестный номинальный ток плавкой вставки предохранителя."},
        {"fuse factor", true, [](auto* f) { return f->KZPPComboBox; }, "-1",
         "Неверная величина коэффициента запаса плавкой вставки предохранителя"},
        {"fuse factor 0", true, [](auto* f) { return f->KZPPComboBox; }, "0",
         "Коэффициент запаса плавкой вставки предохранителя должен быть больше нуля"},
        {"fuse factor 0,0", true, [](auto* f) { return f->KZPPComboBox; }, "0,0",
         "Коэффициент запаса плавкой вставки предохранителя должен быть больше нуля"},
        {"fuse time", true, [](auto* f) { return f->TimePPComboBox; }, "5 с",
         "Неправильно указано время срабатывания"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DestroyForms();
        CreateForms();
        form = DeviceDefenceForm;
        form->show();
        dialogs.messages.clear();
        if (c.fuse)
            Click(form->PPRadioButton);
        QComboBox* field = c.field(form);
        Type(field, c.typed);
        Click(form->OKDDBitBtn);
        EXPECT_EQ(dialogs.messages, QStringList{c.message});
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(DeviceSettings.TypeDD, 0);
        EXPECT_EQ(DeviceSettings.TokSR, 0);
        EXPECT_EQ(QApplication::focusWidget(), field);
        EXPECT_EQ(field->lineEdit()->selectedText(), c.typed);
    }
}

// Numbers typed with the decimal comma are read as with the point; the labels keep the comma.
TEST_F(DeviceFormTest, DecimalCommaIsTyped)
{
    Click(form->PPRadioButton);
    form->TypePPComboBox->setCurrentIndex(1);   // ПН2
    Type(form->TokPPComboBox, "31,5");
    Type(form->KZPPComboBox, "1,25");
    Click(form->OKDDBitBtn);
    ASSERT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join(' ').toStdString();
    EXPECT_EQ(DeviceSettings.TokPP, 31.5);
    EXPECT_EQ(DeviceSettings.TokSR, 500);
    EXPECT_EQ(ResultForm->ToknomLabel->text(), QString("Iном=31,5 А"));
    EXPECT_EQ(ResultForm->KZLabel->text(), QString("Kз=1,25"));
}

// The tab order of the window: both kinds of device stand in it whichever is chosen, and the
// disabled group is passed over.
TEST_F(DeviceFormTest, TabVisitsBothRadioButtons)
{
    const auto walk = [this] {
        QApplication::setActiveWindow(form);
        form->AVRadioButton->setFocus(Qt::TabFocusReason);
        QStringList visited{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < 9; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        return visited;
    };
    EXPECT_EQ(walk(), (QStringList{"AVRadioButton", "TokAVnomComboBox", "TokNRComboBox", "TokNRCheckBox",
                                   "KZAVComboBox", "PPRadioButton", "OKDDBitBtn", "BitBtn3", "BitBtn2",
                                   "AVRadioButton"}));
    Click(form->PPRadioButton);
    EXPECT_EQ(walk(), (QStringList{"AVRadioButton", "PPRadioButton", "TypePPComboBox", "TokPPComboBox",
                                   "KZPPComboBox", "TimePPComboBox", "OKDDBitBtn", "BitBtn3", "BitBtn2",
                                   "AVRadioButton"}));
    // Back to the breaker with the keyboard: Space on the focused radio button.
    form->AVRadioButton->setFocus(Qt::TabFocusReason);
    QTest::keyClick(form->AVRadioButton, Qt::Key_Space);
    EXPECT_TRUE(form->AVRadioButton->isChecked());
    EXPECT_FALSE(form->PPRadioButton->isChecked());
    EXPECT_EQ(walk()[5], QString("PPRadioButton"));
    // A click on the checked one keeps it checked: one kind is always chosen.
    Click(form->AVRadioButton);
    EXPECT_TRUE(form->AVRadioButton->isChecked());
    EXPECT_FALSE(form->PPRadioButton->isChecked());
}

TEST_F(DeviceFormTest, OverflowShowsTheErrorBoxAndStops)
{
    Type(form->TokAVnomComboBox, "1e309");
    form->OKDDBitBtnClick();
    EXPECT_EQ(dialogs.errors, QStringList{"Floating point overflow."});
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(DeviceSettings.TokSR, 0);
    EXPECT_EQ(DeviceSettings.TypeDD, 0);
    EXPECT_EQ(DeviceLabels(), (QStringList{"---", "---", "---", "---", "---"}));
}

TEST_F(DeviceFormTest, TripCurrentFollowsTheRegionalDecimalSeparator)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    form->TokNRComboBox->setCurrentIndex(0);   // 3 ("A")
    form->OKDDBitBtnClick();
    QLocale::setDefault(previous);
    EXPECT_EQ(ResultForm->TokSRLabel->text(), QString("Iср=52,8 А"));
    EXPECT_EQ(ResultForm->KZLabel->text(), QString("Кз=1.1"));
}

// Texts put back into the window (a reopened point) stand as they were confirmed: their fuse type
// counts as checked, so neither leaving the type field nor "Да" replaces the rating by the type's
// default, whichever type the window checked before.
TEST_F(DeviceFormTest, ShownTextsAreConfirmedAsTheyStand)
{
    struct Case {
        QString type, rating, before;
        double tokSR;
    };
    const Case cases[] = {{"НПН", "16", "ППН", 88}, {"ПН2", "40", "НПН", 550}, {"ППН", "100", "ПН2", 660}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type.toStdString());
        form->show();
        ChooseFuse(c.before, "63", "1.1", "Тср < 5 с");
        Click(form->OKDDBitBtn);
        ASSERT_EQ(DeviceSettings.TypePP, FuseTypeNames().indexOf(c.before) + 1);

        DeviceWindowTexts texts = form->WindowTexts();
        texts.fuseType = c.type.toStdString();
        texts.fuseRating = c.rating.toStdString();
        form->ShowTexts(texts);
        form->show();
        QApplication::setActiveWindow(form);
        form->TypePPComboBox->setFocus();
        QTest::keyClick(form->TypePPComboBox, Qt::Key_Tab);
        QApplication::processEvents();
        EXPECT_EQ(form->TokPPComboBox->currentText(), c.rating);
        Click(form->OKDDBitBtn);
        EXPECT_EQ(form->result(), QDialog::Accepted);
        EXPECT_TRUE(form->WindowTexts() == texts);
        EXPECT_EQ(DeviceSettings.TokPP, c.rating.toDouble());
        EXPECT_EQ(DeviceSettings.TokSR, c.tokSR);
    }
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

// --- Reset and cancel --------------------------------------------------------------------------

TEST_F(DeviceFormTest, ResetClearsTheDeviceTextsAndKeepsTheInputs)
{
    SharedResult.Iokz = 1527.13;
    form->TokAVnomComboBox->setCurrentText("25");
    form->OKDDBitBtnClick();
    ASSERT_EQ(ResultForm->TimeSRLabel->text(), QString("Тср < 0,4 с"));
    const ProtectiveDeviceSettings confirmed = DeviceSettings;

    form->show();
    Click(form->PPRadioButton);
    Click(form->BitBtn3);
    EXPECT_EQ(form->result(), TDeviceDefenceForm::NoResult);
    EXPECT_NE(form->result(), QDialog::Accepted);
    EXPECT_NE(form->result(), QDialog::Rejected);
    EXPECT_FALSE(form->isVisible());

    EXPECT_EQ(DeviceSettings.TokSR, -1);
    EXPECT_EQ(DeviceSettings.TokAVnom, confirmed.TokAVnom);
    EXPECT_EQ(DeviceSettings.TypeDD, confirmed.TypeDD);
    EXPECT_EQ(DeviceLabels(), (QStringList{"---", "---", "---", "---", "---"}));
    EXPECT_EQ(MainForm->StatusDDLabel->text(), kNotDetermined);
    EXPECT_EQ(ResultForm->StatusDDLabel->text(), kNotDetermined);

    // Reopened, the window shows what was left in it.
    form->show();
    EXPECT_TRUE(form->PPRadioButton->isChecked());
    EXPECT_EQ(form->TokAVnomComboBox->currentText(), QString("25"));
    ExpectGroups(form, false);

    // A later calculation finds no device and leaves the time as the reset wrote it.
    form->AlertDeviceDefence();
    EXPECT_EQ(MainForm->StatusDDLabel->text(), kNotDetermined);
    EXPECT_EQ(ResultForm->TimeSRLabel->text(), QString("---"));
}

TEST_F(DeviceFormTest, CancelChangesNothing)
{
    form->TokAVnomComboBox->setCurrentText("40");
    Click(form->BitBtn2);
    EXPECT_EQ(form->result(), QDialog::Rejected);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(DeviceSettings.TokSR, 0);
    EXPECT_EQ(DeviceSettings.TypeDD, 0);
    EXPECT_EQ(DeviceLabels(), (QStringList{"---", "---", "---", "---", "---"}));
    EXPECT_EQ(MainForm->StatusDDLabel->text(), kNotDetermined);

    form->show();
    EXPECT_EQ(form->TokAVnomComboBox->currentText(), QString("40"));
}

// --- Verdict lines -----------------------------------------------------------------------------

TEST_F(DeviceFormTest, CalculationBeforeAnyDeviceLeavesTheTimeAlone)
{
    SharedResult.Iokz = 1527.13;
    form->AlertDeviceDefence();
    EXPECT_EQ(MainForm->StatusDDLabel->text(), kNotDetermined);
    EXPECT_EQ(ResultForm->StatusDDLabel->text(), kNotDetermined);
    EXPECT_EQ(ResultForm->TimeSRLabel->text(), QString("---"));
}

TEST_F(DeviceFormTest, VerdictIsRenewedForEachCalculation)
{
    struct Step {
        double iokz;
        QString status;
        QString time;
    };
    form->OKDDBitBtnClick();   // breaker 176 A before any calculation
    EXPECT_EQ(ResultForm->TimeSRLabel->text(), QString("---"));

    const Step steps[] = {
        {1527.13, kTrips, "Тср < 0,4 с"},
        {150, kNoTrip, "Тср > 0,4 с"},
        {176, kTrips, "Тср < 0,4 с"},
    };
    for (const Step& s : steps) {
        SharedResult.Iokz = s.iokz;
        form->AlertDeviceDefence();
        EXPECT_EQ(MainForm->StatusDDLabel->text(), s.status) << s.iokz;
        EXPECT_EQ(ResultForm->StatusDDLabel->text(), s.status) << s.iokz;
        EXPECT_EQ(ResultForm->TimeSRLabel->text(), s.time) << s.iokz;
    }
}

TEST_F(DeviceFormTest, ConfirmingAfterAFailedCalculationJudgesTheLastSuccessfulCurrent)
{
    SharedResult.Iokz = 300;
    form->AlertDeviceDefence();
    // A failed calculation writes only the main window's line.
    MainForm->StatusDDLabel->setText(kCalculate);

    ChooseFuse("ППН", "63", "1.1", "Тср < 5 с");
    form->OKDDBitBtnClick();
    EXPECT_EQ(MainForm->StatusDDLabel->text(), kNoTrip);
    EXPECT_EQ(ResultForm->StatusDDLabel->text(), kNoTrip);
    EXPECT_EQ(ResultForm->TimeSRLabel->text(), QString("Тср > 5 с"));

    // A breaker after the fuse uses the 0.4 s texts though the fuse time is still 5 s.
    form->show();
    Click(form->AVRadioButton);
    form->TokAVnomComboBox->setCurrentText("1");
    form->OKDDBitBtnClick();
    EXPECT_EQ(DeviceSettings.TimePP, 1);
    EXPECT_EQ(ResultForm->TimeSRLabel->text(), QString("Тср < 0,4 с"));
    EXPECT_EQ(MainForm->StatusDDLabel->text(), kTrips);
}

TEST_F(DeviceFormTest, WorksWithoutTheOtherWindows)
{
    TMainForm* main = MainForm;
    TResultForm* result = ResultForm;
    MainForm = nullptr;
    ResultForm = nullptr;

    SharedResult.Iokz = 1000;
    form->OKDDBitBtnClick();
    const double confirmed = DeviceSettings.TokSR;
    form->AlertDeviceDefence();
    form->BitBtn3Click();

    MainForm = main;
    ResultForm = result;
    EXPECT_EQ(confirmed, 176);
    EXPECT_EQ(DeviceSettings.TokSR, -1);
    EXPECT_EQ(ResultForm->TokSRLabel->text(), QString("---"));
}

}  // namespace
