#include "MaximumCheckUnit.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>

#include "CheckUnit.h"
#include "ContextHelp.h"
#include "DeviceSettings.h"
#include "Dialogs.h"
#include "SharedResult.h"
#include "RegionalSettings.h"
#include "StatusHints.h"
#include "WindowFrame.h"
#include "WindowParts.h"

TMaximumCheckForm* MaximumCheckForm = nullptr;

namespace {

constexpr int ClientWidth = 760;
constexpr int ClientHeight = 446;
constexpr int HelpContext = 41;
constexpr int RowHeight = 24;

// Sк lives with the parameters of the minimum-current check, so that both windows count one network.
double SharedNetworkPower() { return CheckForm ? CheckForm->Parameters.networkPower : 0; }

}  // namespace

TMaximumCheckForm::TMaximumCheckForm(QWidget* parent) : QDialog(parent, FixedWindowFlags)
{
    SetUpWindow(this, QStringLiteral("MaximumCheckForm"), QStringLiteral("Проверка по максимальному току КЗ"),
                QStringLiteral("help 2.1.hlp"), HelpContext, QSize(ClientWidth, ClientHeight));
    const QFont serif = SerifFont();
    QFont bold = font();
    bold.setBold(true);

    // --- the method's parameters and the device's capacity ---
    Caption(this, QStringLiteral("Параметры методики"), 16, 8, serif, Maroon);
    QFrame* parameterPanel = ValuePanel(this, QRect(8, 30, 296, 212));
    const int fieldLeft = 204, fieldWidth = 80;
    int top = 8;
    const auto row = [&](const QString& caption, QWidget* field, int left, const QString& name, const QString& hint) {
        Caption(parameterPanel, caption, 10, top + 3, font());
        field->setObjectName(name);
        field->setGeometry(left, top, fieldLeft + fieldWidth - left, 21);
        SetStatusHint(field, hint);
        top += RowHeight;
    };
    PlaceComboBox = new QComboBox(parameterPanel);
    PlaceComboBox->addItem(QStringLiteral("начало последней линии"));
    PlaceComboBox->addItem(QStringLiteral("1 - шины 0,4 кВ"));
    for (int n = 2; n <= LineSectionCount; ++n)
        PlaceComboBox->addItem(QStringLiteral("%1 - начало линии %1").arg(n));
    row(QStringLiteral("Место аппарата:"), PlaceComboBox, 110, QStringLiteral("PlaceComboBox"),
        QStringLiteral("Аппарат защиты стоит в начале защищаемой линии: до него - сеть, трансформатор и "
                       "предыдущие линии"));
    CMaxComboBox = new QComboBox(parameterPanel);
    CMaxComboBox->addItems({QStringLiteral("1.05"), QStringLiteral("1.10")});
    row(QStringLiteral("Коэффициент напряжения cmax:"), CMaxComboBox, fieldLeft, QStringLiteral("CMaxComboBox"),
        QStringLiteral("Коэффициент напряжения для наибольшего тока КЗ (IEC 60909-0): 1,05 при допуске +6 %, "
                       "1,10 при +10 %"));
    NetworkPowerEdit = new QLineEdit(parameterPanel);
    NetworkPowerEdit->setPlaceholderText(QStringLiteral("не учит."));
    row(QStringLiteral("Мощность КЗ сети Sк, МВ·А:"), NetworkPowerEdit, fieldLeft, QStringLiteral("NetworkPowerEdit"),
        QStringLiteral("Мощность КЗ питающей сети на стороне ВН трансформатора, общая с проверкой по минимальному "
                       "току; пусто - сеть не учитывается"));
    top += 4;
    Caption(parameterPanel, QStringLiteral("Аппарат защиты"), 10, top + 3, bold);
    top += RowHeight - 4;
    DeviceKindLabel = Field(parameterPanel, QStringLiteral("DeviceKindLabel"), QRect(10, top, 276, 20),
                            QStringLiteral("Вид аппарата защиты из его параметров и величина, которая с ним "
                                           "сравнивается"));
    top += RowHeight;
    CapacityComboBox = new QComboBox(parameterPanel);
    CapacityComboBox->setEditable(true);
    CapacityComboBox->setInsertPolicy(QComboBox::NoInsert);
    row(QStringLiteral("Отключающая способность, кА:"), CapacityComboBox, fieldLeft, QStringLiteral("CapacityComboBox"),
        QStringLiteral("Предельная отключающая способность выключателя Icu (Icn модульного) или номинальная "
                       "отключающая способность предохранителя, кА"));
    const auto button = [&](const QString& text, const QString& name, int left, const QString& hint) {
        auto* b = new QPushButton(text, parameterPanel);
        b->setObjectName(name);
        b->setGeometry(left, top + 6, 130, 25);
        b->setAutoDefault(false);
        SetStatusHint(b, hint);
        return b;
    };
    ApplyButton = button(QStringLiteral("Пересчитать"), QStringLiteral("ApplyButton"), 10,
                         QStringLiteral("Принять параметры и пересчитать наибольшие токи"));
    DefaultsButton = button(QStringLiteral("По умолчанию"), QStringLiteral("DefaultsButton"),
                            fieldLeft + fieldWidth - 130, QStringLiteral("Вернуть параметры методики по умолчанию"));

    // --- the currents of both methods side by side ---
    Caption(this, QStringLiteral("Максимальный ток КЗ в месте установки аппарата"), 324, 8, serif, Maroon);
    QFrame* currentPanel = ValuePanel(this, QRect(316, 30, 436, 212));
    Caption(currentPanel, QStringLiteral("Место аппарата:"), 10, 9, font());
    PlaceLabel = Field(currentPanel, QStringLiteral("PlaceLabel"), QRect(132, 6, 296, 20),
                       QStringLiteral("Место аппарата защиты, для которого рассчитаны токи"));
    const int columnLeft[] = {176, 306}, columnWidth = 120;
    const QString headings[] = {QStringLiteral("ГОСТ 28249-93"), QStringLiteral("IEC 60909-0")};
    for (int c = 0; c < 2; ++c) {
        auto* label = new QLabel(headings[c], currentPanel);
        label->setFont(bold);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setGeometry(columnLeft[c], 32, columnWidth, 16);
    }
    auto* rule = new QFrame(currentPanel);
    rule->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    rule->setGeometry(8, 50, 420, 2);
    struct Row {
        const char* caption;
        const char* name;
        const char* hint;
    };
    const Row rows[] = {
        {"Iк3, трехфазный:", "%13Label", "Ток трехфазного КЗ в месте установки аппарата"},
        {"Iк1 max, однофазный:", "%11Label", "Наибольший ток однофазного КЗ: петля программы без Rпр, жилы при 20 °C"},
        {"Iк2, двухфазный:", "%12Label", "Ток двухфазного КЗ: √3/2·Iк3"},
        {"ip, ударный ток:", "%1PeakLabel", "Ударный ток ip = κ·√2·Iк3"},
        {"κ, ударный коэффициент:", "%1KappaLabel", "Ударный коэффициент κ = 1,02 + 0,98·e^(−3R/X) (IEC 60909-0)"},
    };
    for (int r = 0; r < 5; ++r) {
        const int rowTop = 56 + RowHeight * r;
        Caption(currentPanel, QString::fromUtf8(rows[r].caption), 10, rowTop + 3, font());
        const QString name = QString::fromLatin1(rows[r].name);
        const QString hint = QString::fromUtf8(rows[r].hint);
        GostLabels[r] = Field(currentPanel, name.arg(QStringLiteral("Gost")),
                              QRect(columnLeft[0], rowTop, columnWidth, 20), hint + QStringLiteral(" по ГОСТ 28249-93"),
                              Qt::AlignRight);
        IecLabels[r] = Field(currentPanel, name.arg(QStringLiteral("Iec")),
                             QRect(columnLeft[1], rowTop, columnWidth, 20), hint + QStringLiteral(" по IEC 60909-0"),
                             Qt::AlignRight);
    }

    // --- the verdicts ---
    Caption(this, QStringLiteral("Отключающая и включающая способность аппарата"), 16, 250, serif, Maroon);
    QFrame* verdictPanel = ValuePanel(this, QRect(8, 272, 744, 128));
    const QString verdictCaptions[] = {QStringLiteral("Наибольший ток:"), QStringLiteral("Отключение:"),
                                       QStringLiteral("Запас Icu / Iк max:"), QStringLiteral("Включение:")};
    for (int r = 0; r < 4; ++r)
        Caption(verdictPanel, verdictCaptions[r], 10, 6 + RowHeight * r + 3, font());
    const auto verdict = [&](int r, int left, int width, const QString& name, const QString& hint) {
        return Field(verdictPanel, name, QRect(left, 6 + RowHeight * r, width, 20), hint);
    };
    GreatestLabel = verdict(0, 132, 200, QStringLiteral("GreatestLabel"),
                            QStringLiteral("Наибольший из четырех токов Iк3 и Iк1 max обоих методов"));
    Caption(verdictPanel, QStringLiteral("Наибольший ударный ток:"), 360, 9, font());
    PeakLabel = verdict(0, 520, 200, QStringLiteral("PeakLabel"),
                        QStringLiteral("Наибольший из ударных токов обоих методов"));
    VerdictLabel = verdict(1, 132, 600, QStringLiteral("VerdictLabel"),
                           QStringLiteral("Отключающая способность аппарата против наибольшего тока КЗ (ПУЭ 3.1.3)"));
    MarginLabel = verdict(2, 132, 200, QStringLiteral("MarginLabel"),
                          QStringLiteral("Отношение отключающей способности к наибольшему току КЗ"));
    Caption(verdictPanel, QStringLiteral("Наименьшая достаточная:"), 360, 6 + RowHeight * 2 + 3, font());
    SmallestLabel = verdict(2, 520, 200, QStringLiteral("SmallestLabel"),
                            QStringLiteral("Наименьшая отключающая способность из предложенного списка, при которой "
                                           "отключение и включение достаточны"));
    MakingLabel = verdict(3, 132, 600, QStringLiteral("MakingLabel"),
                          QStringLiteral("Включающая способность выключателя Icm = n·Icu (ГОСТ IEC 60947-2, табл. 2)"));
    MakingVerdictLabel = verdict(4, 132, 600, QStringLiteral("MakingVerdictLabel"),
                                 QStringLiteral("Включающая способность выключателя против ударного тока ip"));
    for (QLabel* label : {VerdictLabel, MarginLabel, MakingVerdictLabel})
        label->setFont(bold);

    NoteLabel = new QLabel(this);
    NoteLabel->setObjectName(QStringLiteral("NoteLabel"));
    NoteLabel->setFont(bold);
    NoteLabel->setWordWrap(true);
    SetTextColor(NoteLabel, Navy);
    NoteLabel->setGeometry(8, 404, 318, 34);
    SetStatusHint(NoteLabel, QStringLiteral("Чего не хватает для проверки"));

    CloseButton = MakeCloseButton(this, ClientWidth, 410, QStringLiteral("Закрытие окна проверки"));
    // Enter in a field recalculates.
    ApplyButton->setDefault(true);

    StatusBar1 = MakeHintStatusBar(this, ClientWidth, ClientHeight);

    connect(ApplyButton, &QPushButton::clicked, this, &TMaximumCheckForm::ApplyButtonClick);
    connect(DefaultsButton, &QPushButton::clicked, this, &TMaximumCheckForm::DefaultsButtonClick);
    ShowFields();
    Refresh();
}

void TMaximumCheckForm::showEvent(QShowEvent* event)
{
    // The fields show the settings in force, whatever was typed and refused before.
    ShowFields();
    Refresh();
    QDialog::showEvent(event);
    CentreOnScreen(this);
}

bool TMaximumCheckForm::Fuse() const { return DeviceSettings.TypeDD == 2; }

void TMaximumCheckForm::ShowFields()
{
    Settings.networkPower = SharedNetworkPower();
    const MaximumCheckFieldTexts t = MaximumCheckFieldTextsOf(Settings, Fuse());
    PlaceComboBox->setCurrentIndex(t.placeIndex);
    CMaxComboBox->setCurrentIndex(t.cMaxIndex);
    NetworkPowerEdit->setText(t.networkPower);
    CapacityComboBox->clear();
    CapacityComboBox->addItems(OfferedCapacities(Fuse()));
    CapacityComboBox->setEditText(t.capacity);
    DeviceKindLabel->setText(Fuse() ? QStringLiteral("Предохранитель: отключающая способность")
                                    : QStringLiteral("Выключатель: Icu или Icn модульного"));
}

void TMaximumCheckForm::ApplyButtonClick()
{
    const MaximumCheckFieldTexts texts{PlaceComboBox->currentIndex(), CMaxComboBox->currentIndex(),
                                       NetworkPowerEdit->text(), CapacityComboBox->currentText()};
    Settings.networkPower = SharedNetworkPower();
    const MaximumCheckFieldReading reading = ReadMaximumCheckFields(texts, Settings, Fuse());
    if (!reading.settings) {
        // Nothing changes; the field keeps the typed text so that it can be corrected.
        CurrentDialogs().Message(reading.message);
        if (auto* field = findChild<QWidget*>(reading.field))
            field->setFocus();
        return;
    }
    Settings = *reading.settings;
    if (CheckForm)
        CheckForm->Parameters.networkPower = Settings.networkPower;
    Refresh();
}

void TMaximumCheckForm::DefaultsButtonClick()
{
    // The device's capacities are the user's data, not the method's: they stay.
    const MaximumCheckSettings defaults;
    Settings.place = defaults.place;
    Settings.cMax = defaults.cMax;
    if (CheckForm)
        CheckForm->Parameters.networkPower = defaults.networkPower;
    ShowFields();
    Refresh();
}

void TMaximumCheckForm::Refresh()
{
    Settings.networkPower = SharedNetworkPower();
    const MaximumCheckTexts t = ComposeMaximumCheckTexts(
        CheckMaximumCurrent(CalculatedNetwork, SharedResult, Settings, Fuse()), RegionalSeparators());
    NoteLabel->setText(t.note);
    PlaceLabel->setText(t.place);
    const MethodTexts* methods[] = {&t.gost, &t.iec};
    for (int m = 0; m < 2; ++m) {
        const std::array<QLabel*, 5>& labels = m == 0 ? GostLabels : IecLabels;
        const QString values[] = {methods[m]->threePhase, methods[m]->singlePhase, methods[m]->twoPhase,
                                  methods[m]->peak, methods[m]->kappa};
        for (int r = 0; r < 5; ++r)
            labels[r]->setText(values[r]);
    }
    GreatestLabel->setText(t.greatest);
    PeakLabel->setText(t.peak);
    VerdictLabel->setText(t.verdict);
    MarginLabel->setText(t.margin);
    SmallestLabel->setText(t.smallest);
    MakingLabel->setText(t.making);
    MakingVerdictLabel->setText(t.makingVerdict);
    SetTextColor(VerdictLabel, t.short_ ? Qt::red : Qt::black);
    SetTextColor(MakingVerdictLabel, t.makingShort ? Qt::red : Qt::black);
}
