#include "CheckUnit.h"

#include <QComboBox>
#include <QCompleter>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <cmath>

#include "ContextHelp.h"
#include "DeviceRules.h"
#include "Dialogs.h"
#include "SharedResult.h"
#include "RegionalSettings.h"
#include "StatusHints.h"
#include "WindowFrame.h"
#include "WindowParts.h"

TCheckForm* CheckForm = nullptr;

namespace {

constexpr int ClientWidth = 760;
constexpr int ClientHeight = 530;
constexpr int HelpContext = 39;
const QString HelpFileName = QStringLiteral("help 2.1.hlp");

constexpr double ProgramVoltage = 231;   // V, the voltage of the program's Iокз
constexpr double LongerTime = 5;         // s, shown beside 0.4 s when no device is confirmed
const QString Dash = QStringLiteral("—");
const QString Amperes = QStringLiteral(" А");
const QString Trips = QStringLiteral("Срабатывание");
const QString FailsToTrip = QStringLiteral("Несрабатывание");
const QString Overheated = QStringLiteral("термически не стойка");
const QString Withstands = QStringLiteral("стойка");
const QString Melted = QStringLiteral("выше температуры плавления — жила разрушится");
const QString OutOfReach = QStringLiteral("вне методики");

// The input fields write numbers as the user types them: a point, no grouping.
const NumberSeparators InputSeparators{".", ""};

QString General(double value, const NumberSeparators& separators)
{
    return QString::fromStdString(FormatGeneral(value, separators));
}

QString Current(double value, const NumberSeparators& separators)
{
    return QString::fromStdString(FormatCurrent(value, separators)) + Amperes;
}

// Rounded down, so that a margin shown as 1,00 or more always means the device trips.
QString Margin(double margin, const NumberSeparators& separators)
{
    return QString::fromStdString(FormatGrouped(std::floor(margin * 100) / 100, 2, separators));
}

QString Temperature(double value, const NumberSeparators& separators)
{
    return QString::fromStdString(FormatGrouped(value, 0, separators));
}

// The cores of a section that passed their melting point, named before the common text.
QString MeltedText(const SectionHeating& s)
{
    if (s.phaseMelted && s.neutralMelted)
        return QStringLiteral("фазная и нулевая: ") + Melted;
    if (s.phaseMelted)
        return QStringLiteral("фазная: ") + Melted;
    return s.neutralMelted ? QStringLiteral("нулевая: ") + Melted : QString();
}

}  // namespace

CheckDevice CheckDeviceFrom(const ProtectiveDeviceSettings& s)
{
    CheckDevice device;
    if (!(s.TokSR > 0))
        return device;
    device.present = true;
    device.tripCurrent = s.TokSR;
    if (s.TypeDD == 2) {
        device.fuse = true;
        device.time = s.TimePP == 1 ? 5 : 0.4;
        const QStringList types = FuseTypeNames();
        const QString type = s.TypePP >= 1 && s.TypePP <= types.size() ? types[s.TypePP - 1] + u' ' : QString();
        device.name = QStringLiteral("Предохранитель ") + type +
                      General(s.TokPP, RegionalSeparators()) + Amperes;
    } else {
        device.name = s.TypeDD == 1 ? QStringLiteral("Автоматический выключатель") : QStringLiteral("Аппарат защиты");
    }
    return device;
}

MinimumCurrentParameters MinimumParameters(const CheckDevice& device)
{
    MinimumCurrentParameters parameters = CheckForm ? CheckForm->Parameters : MinimumCurrentParameters{};
    parameters.uteFactor = device.fuse ? 1.5 : 1.25;
    return parameters;
}

CheckAnswers CheckMinimumCurrent(const NetworkDescription& network, const ShortCircuitResult& shortCircuit,
                                 MinimumCurrentParameters parameters, const CheckDevice& device)
{
    CheckAnswers answers;
    answers.device = device;
    const MinimumCurrentChainOutcome chain = ReadMinimumCurrentChain(network, shortCircuit, parameters);
    if (!chain.ok)
        return answers;
    answers.calculated = true;
    answers.iokz = shortCircuit.Iokz;
    parameters.uteFactor = device.fuse ? 1.5 : 1.25;
    answers.result = SolveMinimumCurrent(chain.chain, parameters, device.time, device.tripCurrent);
    if (!device.present)
        answers.longer = SolveMinimumCurrent(chain.chain, parameters, LongerTime, 0);
    // A melted core is an answer of its own (ComposeCheckTexts), not a refusal.
    if (!answers.result.ok && !answers.result.melted)
        answers.failure = QString::fromStdString(answers.result.message);
    else if (answers.longer && !answers.longer->ok && !answers.longer->melted)
        answers.failure = QString::fromStdString(answers.longer->message);
    return answers;
}

CheckTexts ComposeCheckTexts(const CheckAnswers& a, const NumberSeparators& separators)
{
    CheckTexts t;
    for (QString* text : {&t.device, &t.programVoltage, &t.minimumVoltage, &t.iokz, &t.startCurrent,
                          &t.minimumCurrent, &t.time, &t.programVerdict, &t.minimumVerdict, &t.programMargin,
                          &t.minimumMargin})
        *text = Dash;
    for (int n = 0; n < LineSectionCount; ++n)
        t.phaseTemperature[n] = t.neutralTemperature[n] = t.limit[n] = t.withstand[n] = Dash;
    if (a.device.present)
        t.device = a.device.name + QStringLiteral(", Iср=") + General(a.device.tripCurrent, separators) + Amperes;
    if (!a.calculated) {
        t.note = QStringLiteral("Выполните расчет тока однофазного короткого замыкания");
        return t;
    }
    t.programVoltage = General(ProgramVoltage, separators) + QStringLiteral(" В");
    t.iokz = QStringLiteral("Iокз=") + Current(a.iokz, separators);
    if (a.device.present) {
        const bool trips = a.iokz >= a.device.tripCurrent;
        t.programVerdict = trips ? Trips : FailsToTrip;
        t.programFails = !trips;
        t.programMargin = Margin(a.iokz / a.device.tripCurrent, separators);
    }
    if (!a.failure.isEmpty()) {
        t.note = a.failure;
        return t;
    }

    const MinimumCurrentResult& r = a.result;
    t.minimumVoltage = General(r.voltage, separators) + QStringLiteral(" В");
    t.startCurrent = Current(r.startCurrent, separators);
    // Once a core has melted, the method gives no current of this chain: no figure, no verdict on it.
    t.minimumCurrent = r.melted ? QStringLiteral("Iк1 min ") + OutOfReach
                                : QStringLiteral("Iк1 min=") + Current(r.minimumCurrent, separators);
    t.time = General(r.time, separators) + QStringLiteral(" с");
    if (a.longer) {
        if (!r.melted)
            t.minimumCurrent += QStringLiteral(" / ") +
                                (a.longer->melted ? OutOfReach : Current(a.longer->minimumCurrent, separators));
        t.time += QStringLiteral(" / ") + General(a.longer->time, separators) + QStringLiteral(" с");
        t.note = QStringLiteral("Аппарат защиты не определен: ток за 0,4 с и 5 с, нагрев за 5 с");
    }
    if (a.device.present) {
        t.minimumVerdict = r.melted ? QStringLiteral("не определено") : r.trips ? Trips : FailsToTrip;
        t.minimumFails = r.melted || !r.trips;
        if (!r.melted)
            t.minimumMargin = Margin(r.margin, separators);
    }
    const MinimumCurrentResult* melted = r.melted ? &r : a.longer && a.longer->melted ? &*a.longer : nullptr;
    if (melted)
        t.note = QString::fromStdString(melted->message);

    const MinimumCurrentResult& heating = a.longer ? *a.longer : r;
    for (int n = 0; n < LineSectionCount; ++n) {
        const SectionHeating& s = heating.sections[n];
        if (!s.active)
            continue;
        t.phaseTemperature[n] = Temperature(s.phaseTemperature, separators);
        t.neutralTemperature[n] = Temperature(s.neutralTemperature, separators);
        t.limit[n] = Temperature(s.phaseLimit, separators);
        t.overheated[n] = !s.phaseWithstands || !s.neutralWithstands;
        t.withstand[n] = t.overheated[n] ? Overheated : Withstands;
        t.melted[n] = MeltedText(s);
    }
    return t;
}

CheckFieldTexts CheckFieldTextsOf(const MinimumCurrentParameters& p)
{
    CheckFieldTexts t;
    t.cMin = General(p.cMin, InputSeparators);
    t.networkPower = p.networkPower > 0 ? General(p.networkPower, InputSeparators) : QString();
    t.voltageIndex = p.phaseVoltage == 220 ? 1 : 0;
    t.heatingIndex = p.heating == ConductorHeating::UteFactors ? 1 : 0;
    t.paperStart = General(p.paperCableStart, InputSeparators);
    t.pvcStart = General(p.pvcCableStart, InputSeparators);
    t.overheadStart = General(p.overheadStart, InputSeparators);
    t.pvcLimit = General(p.pvcCableLimit, InputSeparators);
    t.paperLimit = General(p.paperCableLimit, InputSeparators);
    t.bareAluminiumLimit = General(p.bareAluminiumLimit, InputSeparators);
    t.bareCopperLimit = General(p.bareCopperLimit, InputSeparators);
    return t;
}

CheckFieldReading ReadCheckFields(const CheckFieldTexts& t, const MinimumCurrentParameters& current)
{
    MinimumCurrentParameters p = current;
    p.phaseVoltage = t.voltageIndex == 1 ? 220 : 230;
    p.heating = t.heatingIndex == 1 ? ConductorHeating::UteFactors : ConductorHeating::Adiabatic;
    const struct {
        const QString& text;
        double& value;
        const char* field;
    } fields[] = {
        {t.cMin, p.cMin, "CMinEdit"},
        {t.networkPower, p.networkPower, "NetworkPowerEdit"},
        {t.paperStart, p.paperCableStart, "PaperStartEdit"},
        {t.pvcStart, p.pvcCableStart, "PvcStartEdit"},
        {t.overheadStart, p.overheadStart, "OverheadStartEdit"},
        {t.pvcLimit, p.pvcCableLimit, "PvcLimitEdit"},
        {t.paperLimit, p.paperCableLimit, "PaperLimitEdit"},
        {t.bareAluminiumLimit, p.bareAluminiumLimit, "BareAluminiumLimitEdit"},
        {t.bareCopperLimit, p.bareCopperLimit, "BareCopperLimitEdit"},
    };
    // Each field in turn over parameters already valid: the first refusal is that field's.
    for (const auto& f : fields) {
        const bool emptyNetwork = &f.value == &p.networkPower && f.text.trimmed().isEmpty();
        const DecimalValue read = ParseDecimal(f.text.toStdString(), DecimalSign::PointOrComma);
        f.value = emptyNetwork ? 0 : read.status == DecimalStatus::Valid ? read.value : NAN;
        const std::string refused = CheckMinimumCurrentParameters(p);
        if (!refused.empty())
            return {std::nullopt, QString::fromStdString(refused), QString::fromLatin1(f.field)};
    }
    return {p, QString(), QString()};
}

TCheckForm::TCheckForm(QWidget* parent) : QDialog(parent, FixedWindowFlags)
{
    SetUpWindow(this, QStringLiteral("CheckForm"), QStringLiteral("Проверка по минимальному току КЗ"), HelpFileName, HelpContext,
                QSize(ClientWidth, ClientHeight));
    const QFont serif = SerifFont();
    QFont bold = font();
    bold.setBold(true);
    const int rowHeight = 24;

    // --- the method's parameters ---
    Caption(this, QStringLiteral("Параметры методики"), 16, 8, serif, Maroon);
    QFrame* parameterPanel = ValuePanel(this, QRect(8, 30, 296, 362));
    const int fieldLeft = 204, fieldWidth = 80;
    int top = 8;
    const auto edit = [&](const QString& caption, const QString& name, const QString& hint) {
        Caption(parameterPanel, caption, 10, top + 3, font());
        auto* field = new QLineEdit(parameterPanel);
        field->setObjectName(name);
        field->setGeometry(fieldLeft, top, fieldWidth, 21);
        SetStatusHint(field, hint);
        top += rowHeight;
        return field;
    };
    const auto heading = [&](const QString& text) {
        Caption(parameterPanel, text, 10, top + 5, bold);
        top += rowHeight;
    };
    CMinEdit = edit(QStringLiteral("Коэффициент напряжения cmin:"), QStringLiteral("CMinEdit"),
                    QStringLiteral("Коэффициент напряжения для наименьшего тока КЗ (IEC 60909-0:2016): 0,95; 0,90 "
                                   "для сетей с допуском +10 %. Ctrl+стрелка вниз - список"));
    // The two values of the standard's table, offered on the arrow keys; any other may be typed.
    auto* cMinValues = new QCompleter(QStringList{QStringLiteral("0.95"), QStringLiteral("0.90")}, CMinEdit);
    cMinValues->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    CMinEdit->setCompleter(cMinValues);
    Caption(parameterPanel, QStringLiteral("Фазное напряжение U0, В:"), 10, top + 3, font());
    VoltageComboBox = new QComboBox(parameterPanel);
    VoltageComboBox->setObjectName(QStringLiteral("VoltageComboBox"));
    VoltageComboBox->addItems({QStringLiteral("230"), QStringLiteral("220")});
    VoltageComboBox->setGeometry(fieldLeft, top, fieldWidth, 21);
    SetStatusHint(VoltageComboBox, QStringLiteral("Номинальное фазное напряжение сети: 230 В (230/400 В) или 220 В "
                                                  "(220/380 В)"));
    top += rowHeight;
    NetworkPowerEdit = edit(QStringLiteral("Мощность КЗ сети Sк, МВ·А:"), QStringLiteral("NetworkPowerEdit"),
                            QStringLiteral("Мощность КЗ питающей сети на стороне ВН трансформатора; пусто - сеть "
                                           "не учитывается"));
    NetworkPowerEdit->setPlaceholderText(QStringLiteral("не учит."));
    Caption(parameterPanel, QStringLiteral("Нагрев жил:"), 10, top + 3, font());
    HeatingComboBox = new QComboBox(parameterPanel);
    HeatingComboBox->setObjectName(QStringLiteral("HeatingComboBox"));
    HeatingComboBox->addItems({QStringLiteral("адиабатический от θн"), QStringLiteral("коэффициенты UTE C 15-105")});
    HeatingComboBox->setGeometry(100, top, fieldLeft + fieldWidth - 100, 21);
    SetStatusHint(HeatingComboBox, QStringLiteral("Адиабатический нагрев жил за время КЗ или постоянные коэффициенты "
                                                  "сопротивления (1,25 - выключатель, 1,5 - предохранитель)"));
    top += rowHeight;
    heading(QStringLiteral("Длительно допустимая температура θн, °C"));
    const QString startHint = QStringLiteral("Температура жил в начале КЗ: длительно допустимая (ПУЭ, глава 1.3; "
                                             "ПВХ - ГОСТ 31996-2012)");
    PaperStartEdit = edit(QStringLiteral("кабель с бумажной изоляцией:"), QStringLiteral("PaperStartEdit"), startHint);
    PvcStartEdit = edit(QStringLiteral("кабель с ПВХ изоляцией:"), QStringLiteral("PvcStartEdit"), startHint);
    OverheadStartEdit = edit(QStringLiteral("воздушная линия (голый провод):"), QStringLiteral("OverheadStartEdit"),
                             startHint);
    heading(QStringLiteral("Предельная температура жил при КЗ, °C"));
    const QString limitHint = QStringLiteral("Наибольшая допустимая температура жил при КЗ (ПУЭ 1.4.16; ГОСТ "
                                             "31996-2012 допускает 160 °C для ПВХ до 300 мм²)");
    PvcLimitEdit = edit(QStringLiteral("кабель с ПВХ изоляцией:"), QStringLiteral("PvcLimitEdit"), limitHint);
    PaperLimitEdit = edit(QStringLiteral("кабель с бумажной изоляцией:"), QStringLiteral("PaperLimitEdit"), limitHint);
    BareAluminiumLimitEdit = edit(QStringLiteral("голый алюминиевый провод:"),
                                  QStringLiteral("BareAluminiumLimitEdit"), limitHint);
    BareCopperLimitEdit =
        edit(QStringLiteral("голый медный провод:"), QStringLiteral("BareCopperLimitEdit"), limitHint);

    const auto button = [&](const QString& text, const QString& name, const QRect& place, const QString& hint) {
        auto* b = new QPushButton(text, parameterPanel);
        b->setObjectName(name);
        b->setGeometry(place);
        b->setAutoDefault(false);
        SetStatusHint(b, hint);
        return b;
    };
    top += 6;
    ApplyButton = button(QStringLiteral("Пересчитать"), QStringLiteral("ApplyButton"), QRect(10, top, 130, 25),
                         QStringLiteral("Принять параметры и пересчитать наименьший ток"));
    DefaultsButton = button(QStringLiteral("По умолчанию"), QStringLiteral("DefaultsButton"),
                            QRect(fieldLeft + fieldWidth - 130, top, 130, 25),
                            QStringLiteral("Вернуть параметры методики по умолчанию"));

    // --- the two currents side by side ---
    Caption(this, QStringLiteral("Ток КЗ и срабатывание аппарата защиты"), 324, 8, serif, Maroon);
    QFrame* currentPanel = ValuePanel(this, QRect(316, 30, 436, 212));
    const int programLeft = 132, programWidth = 120, minimumLeft = 258, minimumWidth = 170;
    Caption(currentPanel, QStringLiteral("Аппарат защиты:"), 10, 9, font());
    DeviceLabel = Field(currentPanel, QStringLiteral("DeviceLabel"), QRect(programLeft, 6, 296, 20),
                        QStringLiteral("Аппарат защиты, подтвержденный в расчете, и его ток срабатывания"));
    const QString columnHeadings[] = {QStringLiteral("По программе"), QStringLiteral("Наименьший")};
    for (int c = 0; c < 2; ++c) {
        auto* label = new QLabel(columnHeadings[c], currentPanel);
        label->setFont(bold);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setGeometry(c == 0 ? programLeft : minimumLeft, 32, c == 0 ? programWidth : minimumWidth, 16);
    }
    auto* rule = new QFrame(currentPanel);
    rule->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    rule->setGeometry(8, 50, 420, 2);
    const QString rowCaptions[] = {QStringLiteral("Напряжение:"),       QStringLiteral("Ток в начале КЗ:"),
                                   QStringLiteral("Ток в конце КЗ:"),   QStringLiteral("Время КЗ:"),
                                   QStringLiteral("Заключение:"),       QStringLiteral("Запас I / Iср:")};
    for (int row = 0; row < 6; ++row)
        Caption(currentPanel, rowCaptions[row], 10, 56 + rowHeight * row + 3, font());
    const auto program = [&](int row, const QString& name, const QString& hint) {
        return Field(currentPanel, name, QRect(programLeft, 56 + rowHeight * row, programWidth, 20), hint,
                     Qt::AlignRight);
    };
    const auto minimum = [&](int row, const QString& name, const QString& hint) {
        return Field(currentPanel, name, QRect(minimumLeft, 56 + rowHeight * row, minimumWidth, 20), hint,
                     Qt::AlignRight);
    };
    ProgramVoltageLabel = program(0, QStringLiteral("ProgramVoltageLabel"),
                                  QStringLiteral("Фазное напряжение, принятое в расчете программы"));
    MinimumVoltageLabel = minimum(0, QStringLiteral("MinimumVoltageLabel"),
                                  QStringLiteral("Напряжение для наименьшего тока: cmin·U0"));
    IokzLabel = program(1, QStringLiteral("IokzLabel"),
                        QStringLiteral("Ток однофазного КЗ по расчету программы: жилы при 20 °C, без нагрева"));
    StartCurrentLabel = minimum(1, QStringLiteral("StartCurrentLabel"),
                                QStringLiteral("Ток в начале КЗ при жилах, нагретых до длительно допустимой температуры"));
    MinimumCurrentLabel = minimum(2, QStringLiteral("MinimumCurrentLabel"),
                                  QStringLiteral("Наименьший ток Iк1 min: в конце нормативного времени отключения"));
    TimeLabel = minimum(3, QStringLiteral("TimeLabel"),
                        QStringLiteral("Нормативное время отключения аппарата защиты"));
    ProgramVerdictLabel = program(4, QStringLiteral("ProgramVerdictLabel"),
                                  QStringLiteral("Срабатывание аппарата защиты при токе Iокз программы"));
    MinimumVerdictLabel = minimum(4, QStringLiteral("MinimumVerdictLabel"),
                                  QStringLiteral("Срабатывание аппарата защиты при наименьшем токе Iк1 min"));
    ProgramMarginLabel = program(5, QStringLiteral("ProgramMarginLabel"),
                                 QStringLiteral("Отношение тока Iокз программы к току срабатывания"));
    MinimumMarginLabel = minimum(5, QStringLiteral("MinimumMarginLabel"),
                                 QStringLiteral("Отношение наименьшего тока Iк1 min к току срабатывания"));
    for (QLabel* label : {ProgramVerdictLabel, MinimumVerdictLabel, ProgramMarginLabel, MinimumMarginLabel})
        label->setFont(bold);

    // --- the cores' final temperatures ---
    Caption(this, QStringLiteral("Нагрев жил за время КЗ"), 324, 250, serif, Maroon);
    QFrame* heatPanel = ValuePanel(this, QRect(316, 272, 436, 178));
    HeatNoteLabel = new QLabel(QStringLiteral("Стойкость - для КЗ в конце цепочки за все время КЗ; участок выше по "
                                              "цепочке при КЗ в его собственном конце несет больший ток и здесь не "
                                              "проверяется."),
                               this);
    HeatNoteLabel->setObjectName(QStringLiteral("HeatNoteLabel"));
    HeatNoteLabel->setWordWrap(true);
    HeatNoteLabel->setGeometry(316, 454, 436, 32);
    SetStatusHint(HeatNoteLabel, QStringLiteral("Для чего проверена термическая стойкость"));
    const int columnLeft[] = {10, 66, 150, 240, 310};
    const int columnWidth[] = {56, 78, 84, 64, 118};
    const QString headings[][2] = {{QStringLiteral("Линия"), QString()},
                                   {QStringLiteral("Фазная"), QStringLiteral("жила, °C")},
                                   {QStringLiteral("Нулевая"), QStringLiteral("жила, °C")},
                                   {QStringLiteral("Предел,"), QStringLiteral("°C")},
                                   {QStringLiteral("Термическая"), QStringLiteral("стойкость")}};
    for (int c = 0; c < 5; ++c) {
        for (int l = 0; l < 2; ++l) {
            auto* label = new QLabel(headings[c][l], heatPanel);
            label->setFont(bold);
            label->setAlignment((c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
            label->setGeometry(columnLeft[c], 4 + 15 * l, columnWidth[c], 15);
        }
    }
    auto* heatRule = new QFrame(heatPanel);
    heatRule->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    heatRule->setGeometry(8, 36, 420, 2);
    for (int n = 0; n < LineSectionCount; ++n) {
        const int rowTop = 40 + 22 * n;
        const QString digit = QString(QChar(u'1' + n));
        Caption(heatPanel, QStringLiteral("Линия ") + digit, columnLeft[0], rowTop + 3, font());
        const auto cell = [&](int column, const QString& name, const QString& hint) {
            return Field(heatPanel, name.arg(digit), QRect(columnLeft[column], rowTop, columnWidth[column], 20), hint,
                         Qt::AlignRight);
        };
        PhaseLabels[n] = cell(1, QStringLiteral("Phase%1Label"),
                              QStringLiteral("Температура фазной жилы в конце КЗ"));
        NeutralLabels[n] = cell(2, QStringLiteral("Neutral%1Label"),
                                QStringLiteral("Температура нулевой защитной жилы в конце КЗ"));
        LimitLabels[n] = cell(3, QStringLiteral("Limit%1Label"),
                              QStringLiteral("Предельная температура жил линии при КЗ"));
        WithstandLabels[n] = cell(4, QStringLiteral("Withstand%1Label"),
                                  QStringLiteral("Термическая стойкость жил линии при КЗ"));
        MeltedLabels[n] = Field(heatPanel, QStringLiteral("Melted%1Label").arg(digit),
                                QRect(columnLeft[1], rowTop, columnLeft[4] + columnWidth[4] - columnLeft[1], 20),
                                QStringLiteral("Жила нагревается выше температуры плавления: расчет дальше не "
                                               "имеет смысла"),
                                Qt::AlignRight);
        SetTextColor(MeltedLabels[n], Qt::red);
        MeltedLabels[n]->hide();
    }

    NoteLabel = new QLabel(this);
    NoteLabel->setObjectName(QStringLiteral("NoteLabel"));
    NoteLabel->setFont(bold);
    NoteLabel->setWordWrap(true);
    SetTextColor(NoteLabel, Navy);
    NoteLabel->setGeometry(8, 398, 296, 48);
    SetStatusHint(NoteLabel, QStringLiteral("Чего не хватает для проверки"));

    CloseButton = MakeCloseButton(this, ClientWidth, 492, QStringLiteral("Закрытие окна проверки"));
    // Enter in a parameter field recalculates.
    ApplyButton->setDefault(true);

    StatusBar1 = MakeHintStatusBar(this, ClientWidth, ClientHeight);

    connect(ApplyButton, &QPushButton::clicked, this, &TCheckForm::ApplyButtonClick);
    connect(DefaultsButton, &QPushButton::clicked, this, &TCheckForm::DefaultsButtonClick);
    ShowFields(Parameters);
    Refresh();
}

void TCheckForm::showEvent(QShowEvent* event)
{
    // The fields show the parameters in force, whatever was typed and refused before.
    ShowFields(Parameters);
    Refresh();
    QDialog::showEvent(event);
    CentreOnScreen(this);
}

CheckFieldTexts TCheckForm::FieldTexts() const
{
    CheckFieldTexts t;
    t.cMin = CMinEdit->text();
    t.networkPower = NetworkPowerEdit->text();
    t.voltageIndex = VoltageComboBox->currentIndex();
    t.heatingIndex = HeatingComboBox->currentIndex();
    t.paperStart = PaperStartEdit->text();
    t.pvcStart = PvcStartEdit->text();
    t.overheadStart = OverheadStartEdit->text();
    t.pvcLimit = PvcLimitEdit->text();
    t.paperLimit = PaperLimitEdit->text();
    t.bareAluminiumLimit = BareAluminiumLimitEdit->text();
    t.bareCopperLimit = BareCopperLimitEdit->text();
    return t;
}

void TCheckForm::ShowFields(const MinimumCurrentParameters& parameters)
{
    const CheckFieldTexts t = CheckFieldTextsOf(parameters);
    CMinEdit->setText(t.cMin);
    NetworkPowerEdit->setText(t.networkPower);
    VoltageComboBox->setCurrentIndex(t.voltageIndex);
    HeatingComboBox->setCurrentIndex(t.heatingIndex);
    PaperStartEdit->setText(t.paperStart);
    PvcStartEdit->setText(t.pvcStart);
    OverheadStartEdit->setText(t.overheadStart);
    PvcLimitEdit->setText(t.pvcLimit);
    PaperLimitEdit->setText(t.paperLimit);
    BareAluminiumLimitEdit->setText(t.bareAluminiumLimit);
    BareCopperLimitEdit->setText(t.bareCopperLimit);
}

void TCheckForm::ApplyButtonClick()
{
    const CheckFieldReading reading = ReadCheckFields(FieldTexts(), Parameters);
    if (!reading.parameters) {
        // Nothing changes: the parameters in force and their results stay; the field keeps the
        // typed text so that it can be corrected.
        CurrentDialogs().Message(reading.message);
        if (auto* field = findChild<QWidget*>(reading.field))
            field->setFocus();
        return;
    }
    Parameters = *reading.parameters;
    Refresh();
}

void TCheckForm::DefaultsButtonClick()
{
    Parameters = MinimumCurrentParameters{};
    ShowFields(Parameters);
    Refresh();
}

void TCheckForm::Refresh()
{
    const CheckAnswers answers =
        CheckMinimumCurrent(CalculatedNetwork, SharedResult, Parameters, CheckDeviceFrom(DeviceSettings));
    const CheckTexts t = ComposeCheckTexts(answers, RegionalSeparators());
    NoteLabel->setText(t.note);
    DeviceLabel->setText(t.device);
    ProgramVoltageLabel->setText(t.programVoltage);
    MinimumVoltageLabel->setText(t.minimumVoltage);
    IokzLabel->setText(t.iokz);
    StartCurrentLabel->setText(t.startCurrent);
    MinimumCurrentLabel->setText(t.minimumCurrent);
    TimeLabel->setText(t.time);
    ProgramVerdictLabel->setText(t.programVerdict);
    MinimumVerdictLabel->setText(t.minimumVerdict);
    ProgramMarginLabel->setText(t.programMargin);
    MinimumMarginLabel->setText(t.minimumMargin);
    SetTextColor(ProgramVerdictLabel, t.programFails ? Qt::red : Qt::black);
    SetTextColor(MinimumVerdictLabel, t.minimumFails ? Qt::red : Qt::black);
    for (int n = 0; n < LineSectionCount; ++n) {
        PhaseLabels[n]->setText(t.phaseTemperature[n]);
        NeutralLabels[n]->setText(t.neutralTemperature[n]);
        LimitLabels[n]->setText(t.limit[n]);
        WithstandLabels[n]->setText(t.withstand[n]);
        SetTextColor(WithstandLabels[n], t.overheated[n] ? Qt::red : Qt::black);
        MeltedLabels[n]->setText(t.melted[n]);
        MeltedLabels[n]->setVisible(!t.melted[n].isEmpty());
        for (QLabel* figure : {PhaseLabels[n], NeutralLabels[n], LimitLabels[n], WithstandLabels[n]})
            figure->setVisible(t.melted[n].isEmpty());
    }
}
