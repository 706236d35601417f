#include "DeviceDefenceUnit.h"

#include <QSignalBlocker>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QFocusEvent>
#include <QLineEdit>
#include <QStyle>
#include <QTimer>

#include "ContextHelp.h"
#include "DeviceRules.h"
#include "FuseGate.h"
#include "Dialogs.h"
#include "InputFields.h"
#include "SharedResult.h"
#include "RegionalSettings.h"
#include "ResultUnit.h"
#include "StatusHints.h"

TDeviceDefenceForm* DeviceDefenceForm = nullptr;
ProtectiveDeviceSettings DeviceSettings;

namespace {

constexpr int kHelpContext = 34;

// Geometry inside a group: caption lines, then the list below them.
constexpr int kCaptionLineHeight = 13;
constexpr int kCaptionBottom = 70;   // lower edge of the last caption line
constexpr int kListTop = 74;
constexpr int kListHeight = 21;

QComboBox* MakeList(QWidget* parent, const char* name, const QStringList& items, const QString& text,
                    const QString& hint, QRect geometry)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    // Texts stay exactly as typed: no completion from the items.
    list->setCompleter(nullptr);
    list->setMaxVisibleItems(16);
    list->addItems(items);
    list->setCurrentIndex(items.indexOf(text));
    list->setGeometry(geometry);
    SetStatusHint(list, hint);
    SetHelpContext(list, kHelpContext);
    return list;
}

QGroupBox* MakeGroup(QWidget* parent, const char* name, QRect geometry)
{
    auto* group = new QGroupBox(parent);
    group->setObjectName(QString::fromLatin1(name));
    group->setGeometry(geometry);
    return group;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, const QString& hint,
                        QStyle::StandardPixmap icon, int left, int top)
{
    auto* button = new QPushButton(parent->style()->standardIcon(icon), caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    // Enter in a list must not press a button.
    button->setAutoDefault(false);
    button->setGeometry(left, top, 89, 25);
    SetStatusHint(button, hint);
    return button;
}

void SetText(QLabel* label, const std::optional<QString>& text)
{
    if (label != nullptr && text)
        label->setText(*text);
}

}  // namespace

TDeviceDefenceForm::TDeviceDefenceForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DeviceDefenceForm"));
    setWindowTitle(QStringLiteral("Аппарат защиты"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setFixedSize(476, 349);
    SetHelpFile(this, QStringLiteral("help 2.0.hlp"));
    SetHelpContext(this, kHelpContext);

    // Caption lines, bottom-aligned above their list: `lines` are Label numbers from top to bottom.
    auto captions = [this](QWidget* group, int left, std::initializer_list<std::pair<int, const char16_t*>> lines) {
        int top = kCaptionBottom - static_cast<int>(lines.size()) * kCaptionLineHeight;
        for (const auto& [number, text] : lines) {
            auto* label = new QLabel(QString::fromUtf16(text), group);
            label->setObjectName(QStringLiteral("Label%1").arg(number));
            label->setGeometry(left, top, 104, kCaptionLineHeight);
            Labels[number - 1] = label;
            top += kCaptionLineHeight;
        }
    };

    // Breaker group, upper part.
    QGroupBox* breaker = MakeGroup(this, "AVGroupBox", QRect(8, 6, 460, 130));
    AVRadioButton = new QRadioButton(QStringLiteral("Автоматический выключатель"), breaker);
    AVRadioButton->setObjectName(QStringLiteral("AVRadioButton"));
    AVRadioButton->setGeometry(12, 10, 260, 17);
    AVRadioButton->setChecked(true);
    SetStatusHint(AVRadioButton, QStringLiteral("Переключатель на выбор автоматического выключателя"));
    SetHelpContext(AVRadioButton, kHelpContext);

    captions(breaker, 16, {{2, u"Номинальный"}, {15, u"ток, А"}});
    TokAVnomComboBox = MakeList(breaker, "TokAVnomComboBox", BreakerRatedCurrents(), QStringLiteral("16"),
                                QStringLiteral("Введите номинальный ток выключателя"),
                                QRect(16, kListTop, 100, kListHeight));
    captions(breaker, 128, {{3, u"Коэффициент"}, {4, u"независимого"}, {5, u"расцепителя"}});
    TokNRComboBox = MakeList(breaker, "TokNRComboBox", ReleaseMultiples(), QStringLiteral("10 (\"C\")"),
                             QStringLiteral("Введите коэффициент отсечки или ток срабатывания отсечки"),
                             QRect(128, kListTop, 96, kListHeight));
    TokNRCheckBox = new QCheckBox(QStringLiteral("Указан ток срабатывания независимого расцепителя, А"), breaker);
    TokNRCheckBox->setObjectName(QStringLiteral("TokNRCheckBox"));
    TokNRCheckBox->setGeometry(128, 102, 320, 17);
    SetStatusHint(TokNRCheckBox, QStringLiteral("Включение/выключение опции ввода тока срабатывания отсечки"));
    SetHelpContext(TokNRCheckBox, kHelpContext);
    captions(breaker, 236, {{7, u"Коэффициент"}, {6, u"запаса"}});
    KZAVComboBox = MakeList(breaker, "KZAVComboBox", SafetyFactors(), QStringLiteral("1.1"),
                            QStringLiteral("Введите коэффициент запаса"), QRect(236, kListTop, 96, kListHeight));

    // Fuse group, below the breaker.
    QGroupBox* fuse = MakeGroup(this, "PPGroupBox", QRect(8, 144, 460, 108));
    PPRadioButton = new QRadioButton(QStringLiteral("Плавкий предохранитель"), fuse);
    PPRadioButton->setObjectName(QStringLiteral("PPRadioButton"));
    PPRadioButton->setGeometry(12, 10, 260, 17);
    SetStatusHint(PPRadioButton, QStringLiteral("Переключатель на выбор плавкого предохранителя"));
    SetHelpContext(PPRadioButton, kHelpContext);

    captions(fuse, 16, {{1, u"Тип"}, {12, u"предохранителя"}});
    TypePPComboBox = MakeList(fuse, "TypePPComboBox", FuseTypeNames(), QStringLiteral("ППН"),
                              QStringLiteral("Введите тип предохранителя"), QRect(16, kListTop, 100, kListHeight));
    captions(fuse, 128, {{8, u"Номинальный"}, {11, u"ток, А"}});
    TokPPComboBox = MakeList(fuse, "TokPPComboBox", FuseRatingList(1), QStringLiteral("63"),
                             QStringLiteral("Введите номинальный ток вставки"), QRect(128, kListTop, 96, kListHeight));
    captions(fuse, 236, {{10, u"Коэффициент"}, {9, u"запаса"}});
    KZPPComboBox = MakeList(fuse, "KZPPComboBox", SafetyFactors(), QStringLiteral("1.1"),
                            QStringLiteral("Введите коэффициент запаса"), QRect(236, kListTop, 96, kListHeight));
    captions(fuse, 344, {{14, u"Время"}, {13, u"срабатывания"}});
    TimePPComboBox = MakeList(fuse, "TimePPComboBox", FuseTimeTexts(), QStringLiteral("Тср < 5 с"),
                              QStringLiteral("Введите нормируемое время срабатывания вставки"),
                              QRect(344, kListTop, 104, kListHeight));


    OKDDBitBtn = MakeButton(this, "OKDDBitBtn", QStringLiteral("Да"), QStringLiteral("Подтверждение ввода данных"),
                            QStyle::SP_DialogOkButton, 80, 276);
    // Left to right "Да", "Отмена", "Сброс"; the tab order below visits "Сброс" before "Отмена".
    BitBtn2 = MakeButton(this, "BitBtn2", QStringLiteral("Отмена"), QStringLiteral("Отмена ввода данных"),
                         QStyle::SP_DialogCancelButton, 193, 276);
    BitBtn3 = MakeButton(this, "BitBtn3", QStringLiteral("Сброс"), QStringLiteral("Сброс ввода данных"),
                         QStyle::SP_DialogResetButton, 306, 276);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setGeometry(0, 349 - 20, 476, 20);
    SetStatusHint(StatusBar1, QStringLiteral("Строка состояния"));
    AttachHintStatusBar(this, StatusBar1);

    SetBreakerGroupEnabled(true);

    QWidget* order[] = {AVRadioButton,  TokAVnomComboBox, TokNRComboBox, TokNRCheckBox,  KZAVComboBox,
                        PPRadioButton,  TypePPComboBox,   TokPPComboBox, KZPPComboBox,   TimePPComboBox,
                        OKDDBitBtn,     BitBtn3,          BitBtn2};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);

    // Connected last, so that setting up the initial texts runs no handler.
    // The two radio buttons sit in different groups, so they keep each other exclusive here: the
    // one checked unchecks the other, and a click on the checked one leaves it checked. A button
    // group would do the same but take the unchecked one out of the tab order.
    connect(AVRadioButton, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) {
            PPRadioButton->setChecked(false);
            AVRadioButtonClick();
        } else if (!PPRadioButton->isChecked()) {
            AVRadioButton->setChecked(true);
        }
    });
    connect(PPRadioButton, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked) {
            AVRadioButton->setChecked(false);
            PPRadioButtonClick();
        } else if (!AVRadioButton->isChecked()) {
            PPRadioButton->setChecked(true);
        }
    });
    connect(TokNRCheckBox, &QCheckBox::toggled, this, &TDeviceDefenceForm::TokNRCheckBoxClick);
    // The fuse type is checked when an item is picked or the program sets the text, at once; a
    // typed text is checked when the field is left, on Enter, or on "Да", so that a type is not
    // refused halfway through its letters.
    CheckedFuseType = TypePPComboBox->currentText();
    connect(TypePPComboBox, &QComboBox::currentTextChanged, this, [this] {
        if (!TypePPComboBox->lineEdit()->isModified())
            TypePPComboBoxChange();
    });
    connect(TypePPComboBox, &QComboBox::activated, this, [this] { CheckTypedFuseType(); });
    connect(TypePPComboBox->lineEdit(), &QLineEdit::returnPressed, this, [this] { CheckTypedFuseType(); });
    TypePPComboBox->installEventFilter(this);
    connect(OKDDBitBtn, &QPushButton::clicked, this, &TDeviceDefenceForm::OKDDBitBtnClick);
    connect(BitBtn3, &QPushButton::clicked, this, &TDeviceDefenceForm::BitBtn3Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    ConfirmedTexts = WindowTexts();
}

QWidget* TDeviceDefenceForm::DeviceFieldControl(DeviceField field) const
{
    switch (field) {
    case DeviceField::RatedCurrent:
        return TokAVnomComboBox;
    case DeviceField::Release:
        return TokNRComboBox;
    case DeviceField::BreakerFactor:
        return KZAVComboBox;
    case DeviceField::FuseType:
        return TypePPComboBox;
    case DeviceField::FuseRating:
        return TokPPComboBox;
    case DeviceField::FuseFactor:
        return KZPPComboBox;
    case DeviceField::FuseTime:
        return TimePPComboBox;
    case DeviceField::None:
        break;
    }
    return nullptr;
}

bool TDeviceDefenceForm::eventFilter(QObject* watched, QEvent* event)
{
    // Leaving the type field checks what was typed. Not when the window merely loses activation,
    // and only after the focus has moved, so that the message never opens inside a focus change
    // or a click; by then "Да", "Отмена" or "Сброс" may have settled the matter.
    if (watched == TypePPComboBox && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            QTimer::singleShot(0, this, [this] {
                if (isVisible() && TypePPComboBox->isEnabled())
                    CheckTypedFuseType();
            });
    }
    return QDialog::eventFilter(watched, event);
}

bool TDeviceDefenceForm::CheckTypedFuseType()
{
    if (TypePPComboBox->currentText() != CheckedFuseType)
        TypePPComboBoxChange();
    return FuseTypeFromText(CheckedFuseType) != 0;
}

void TDeviceDefenceForm::SetBreakerGroupEnabled(bool enabled)
{
    for (QWidget* control : {static_cast<QWidget*>(TokAVnomComboBox), static_cast<QWidget*>(TokNRComboBox),
                             static_cast<QWidget*>(KZAVComboBox), static_cast<QWidget*>(TokNRCheckBox)})
        control->setEnabled(enabled);
    for (int number : {2, 3, 4, 5, 6, 7, 15})
        Label(number)->setEnabled(enabled);

    for (QWidget* control : {static_cast<QWidget*>(TypePPComboBox), static_cast<QWidget*>(TimePPComboBox),
                             static_cast<QWidget*>(TokPPComboBox), static_cast<QWidget*>(KZPPComboBox)})
        control->setEnabled(!enabled);
    for (int number : {1, 8, 9, 10, 11, 12, 13, 14})
        Label(number)->setEnabled(!enabled);
}

DeviceWindowTexts TDeviceDefenceForm::WindowTexts() const
{
    return DeviceWindowTexts{AVRadioButton->isChecked(),
                             TokAVnomComboBox->currentText().toStdString(),
                             TokNRComboBox->currentText().toStdString(),
                             TokNRCheckBox->isChecked(),
                             KZAVComboBox->currentText().toStdString(),
                             TypePPComboBox->currentText().toStdString(),
                             TokPPComboBox->currentText().toStdString(),
                             KZPPComboBox->currentText().toStdString(),
                             TimePPComboBox->currentText().toStdString()};
}

void TDeviceDefenceForm::ShowTexts(const DeviceWindowTexts& texts)
{
    const auto put = [](QComboBox* list, const std::string& text) {
        const QString shown = QString::fromStdString(text);
        list->setCurrentIndex(list->findText(shown));
        list->setEditText(shown);
    };
    (texts.breaker ? AVRadioButton : PPRadioButton)->setChecked(true);
    SetBreakerGroupEnabled(texts.breaker);
    TokNRCheckBox->setChecked(texts.releaseCurrentGiven);   // refills the release list when it changes
    put(TokAVnomComboBox, texts.ratedCurrent);
    put(TokNRComboBox, texts.release);
    put(KZAVComboBox, texts.breakerFactor);
    // The type fills the rating list first, as a change of the type does, and counts as checked:
    // the shown rating is the one confirmed with it, and neither leaving the field nor "Да" may
    // put the type's default in its place. An unknown type is left without a list and without the
    // message, which the user saw when the point was made; "Да" refuses it as any checked one.
    {
        const QSignalBlocker quiet(TypePPComboBox);
        put(TypePPComboBox, texts.fuseType);
    }
    FillRatingList();
    put(TokPPComboBox, texts.fuseRating);
    put(KZPPComboBox, texts.fuseFactor);
    put(TimePPComboBox, texts.fuseTime);
}

void TDeviceDefenceForm::AVRadioButtonClick() { SetBreakerGroupEnabled(true); }

void TDeviceDefenceForm::PPRadioButtonClick() { SetBreakerGroupEnabled(false); }

void TDeviceDefenceForm::TokNRCheckBoxClick()
{
    if (TokNRCheckBox->isChecked()) {
        TokNRComboBox->clear();
        TokNRComboBox->setEditText(QString());
        return;
    }
    const QStringList multiples = ReleaseMultiples();
    TokNRComboBox->insertItems(0, multiples);
    TokNRComboBox->setCurrentIndex(multiples.indexOf(QStringLiteral("10 (\"C\")")));
}

RatingListChange TDeviceDefenceForm::FillRatingList()
{
    CheckedFuseType = TypePPComboBox->currentText();
    const RatingListChange change = RatingListForTypeText(CheckedFuseType);
    TokPPComboBox->clear();
    TokPPComboBox->addItems(change.items);
    return change;
}

void TDeviceDefenceForm::TypePPComboBoxChange()
{
    // Noted first, so that a check due when the message box opens finds nothing left to do.
    const RatingListChange change = FillRatingList();
    const int index = change.items.indexOf(change.text);
    if (index >= 0)
        TokPPComboBox->setCurrentIndex(index);
    else
        TokPPComboBox->setEditText(change.text);
    if (change.unknownType) {
        CurrentDialogs().Message(QStringLiteral("Неизвестный тип предохранителя"));
        FocusFieldAtFault(TypePPComboBox);
    }
}

void TDeviceDefenceForm::OKDDBitBtnClick()
{
    // A fuse type typed and not yet checked is checked now; an unknown one has been told with
    // its own message and stops here. One checked before is refused by the confirmation.
    if (!AVRadioButton->isChecked() && TypePPComboBox->currentText() != CheckedFuseType && !CheckTypedFuseType())
        return;
    DeviceInputs inputs;
    inputs.breaker = AVRadioButton->isChecked();
    inputs.ratedCurrent = TokAVnomComboBox->currentText();
    inputs.release = TokNRComboBox->currentText();
    inputs.releaseCurrentGiven = TokNRCheckBox->isChecked();
    inputs.breakerFactor = KZAVComboBox->currentText();
    inputs.fuseType = TypePPComboBox->currentText();
    inputs.fuseRating = TokPPComboBox->currentText();
    inputs.fuseFactor = KZPPComboBox->currentText();
    inputs.fuseTime = TimePPComboBox->currentText();

    // A refusal changes nothing: the record, the result window and the status lines stay as they
    // were, and the window keeps what the user typed.
    const DeviceConfirmation outcome = ConfirmDevice(inputs, DeviceSettings, RegionalSeparators());
    switch (outcome.refusal) {
    case DeviceConfirmation::Refusal::Message:
        CurrentDialogs().Message(outcome.refusalText);
        FocusFieldAtFault(DeviceFieldControl(outcome.field));
        return;
    case DeviceConfirmation::Refusal::Error:
        CurrentDialogs().Error(outcome.refusalText);
        FocusFieldAtFault(DeviceFieldControl(outcome.field));
        return;
    case DeviceConfirmation::Refusal::None:
        break;
    }

    DeviceSettings = outcome.settings;
    ConfirmedTexts = WindowTexts();
    if (ResultForm != nullptr) {
        SetText(ResultForm->TypeDDLabel, outcome.labels.typeDD);
        SetText(ResultForm->ToknomLabel, outcome.labels.toknom);
        SetText(ResultForm->KZLabel, outcome.labels.kz);
        SetText(ResultForm->TokSRLabel, outcome.labels.tokSR);
        ResultForm->FuseWarningLabel->setText(FuseGateWarning(DeviceSettings, RegionalSeparators()));
    }
    AlertDeviceDefence();
    accept();
}

void TDeviceDefenceForm::BitBtn3Click()
{
    if (ResultForm != nullptr) {
        for (QLabel* label : {ResultForm->TypeDDLabel, ResultForm->ToknomLabel, ResultForm->KZLabel,
                              ResultForm->TokSRLabel, ResultForm->TimeSRLabel})
            SetText(label, NoValueText());
        ResultForm->FuseWarningLabel->clear();
    }
    DeviceSettings.TokSR = -1;
    if (MainWindow.showDeviceStatus)
        MainWindow.showDeviceStatus(NotDeterminedText());
    if (ResultForm != nullptr)
        SetText(ResultForm->StatusDDLabel, NotDeterminedText());
    done(NoResult);
}

void TDeviceDefenceForm::AlertDeviceDefence()
{
    const DeviceVerdict verdict = JudgeDevice(SharedResult.Iokz, DeviceSettings);
    if (MainWindow.showDeviceStatus)
        MainWindow.showDeviceStatus(verdict.status);
    if (ResultForm != nullptr) {
        SetText(ResultForm->StatusDDLabel, verdict.status);
        SetText(ResultForm->TimeSRLabel, verdict.timeSR);
    }
}
