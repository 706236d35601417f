#include "SelectionUnit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyle>
#include <QtCharts/QCategoryAxis>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>
#include <cmath>
#include <utility>

#include "CheckUnit.h"
#include "ContextHelp.h"
#include "DeviceDefenceUnit.h"
#include "DeviceRules.h"
#include "FuseGate.h"
#include "SharedResult.h"
#include "MinimumSelection.h"
#include "RegionalSettings.h"
#include "SelectionDevice.h"
#include "StatusHints.h"
#include "WindowFrame.h"
#include "WindowParts.h"

TSelectionForm* SelectionForm = nullptr;

namespace {

constexpr int ClientWidth = 800;
constexpr int ClientHeight = 486;
constexpr int PanelWidth = 392;  // the two panels on the left
constexpr int HelpContext = 37;
const QString HelpFileName = QStringLiteral("help 2.0.hlp");

const QString Dash = QStringLiteral("—");
const QString Nothing = QStringLiteral("нет");
const QString AnyChoice = QStringLiteral("любое");  // сечение
const QString Beyond = QStringLiteral("более 10¹⁵");
const QString Amperes = QStringLiteral(" А");

// The hints of the current and of the margin, for the current in use.
const QString ProgramCurrentHint = QStringLiteral("Ток однофазного короткого замыкания последнего расчета");
const QString MinimumCurrentHint = QStringLiteral("Наименьший ток однофазного короткого замыкания Iк1 min последнего "
                                                  "расчета с параметрами окна «Проверка»");
const QString ProgramMarginHint =
    QStringLiteral("Отношение тока однофазного короткого замыкания к току срабатывания аппарата защиты");
const QString MinimumMarginHint = QStringLiteral("Отношение наименьшего тока однофазного короткого замыкания Iк1 min "
                                                 "к току срабатывания аппарата защиты");

// --- the confirmed device as plain values -------------------------------------------------

// --- texts ---------------------------------------------------------------------------------

// Every figure of the window is grouped the same way: 3 752,2 beside 1 308,5.
QString General(double value, const NumberSeparators& separators)
{
    return QString::fromStdString(FormatGeneralGrouped(value, separators));
}

QString Down(double value, int decimals, const NumberSeparators& separators)
{
    return QString::fromStdString(FormatGroupedDown(value, decimals, separators));
}

QString AnswerText(SelectionAnswer answer, const QString& value)
{
    switch (answer) {
    case SelectionAnswer::Value:
        return value;
    case SelectionAnswer::None:
        return Nothing;
    case SelectionAnswer::Any:
        return AnyChoice;
    case SelectionAnswer::Unknown:
        break;
    }
    return Dash;
}

// Tenths of a metre, rounded down; from LongLengthFrom whole kilometres, rounded down, since
// tenths would need more digits than the field holds.
QString LengthText(double length, bool beyond, const NumberSeparators& separators)
{
    if (beyond)
        return Beyond + QStringLiteral(" км");
    if (length < LongLengthFrom)
        return Down(length, 1, separators);
    double km = std::floor(length / 1000);
    if ((km + 1) * 1000 <= length)
        km += 1;
    else if (km * 1000 > length)
        km -= 1;
    return Down(km, 0, separators) + QStringLiteral(" км");
}

// --- look ----------------------------------------------------------------------------------

QCategoryAxis* TickAxis(const QList<double>& ticks, const QString& title, const NumberSeparators& separators)
{
    auto* axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setTitleText(title);
    QFont font(QStringLiteral("MS Sans Serif"), 8);
    axis->setLabelsFont(font);
    font.setBold(true);
    axis->setTitleFont(font);
    axis->setStartValue(ticks.front());
    axis->setRange(ticks.front(), ticks.back());
    for (double tick : ticks)
        axis->append(General(tick, separators), tick);
    return axis;
}

// The view does not delete the chart it showed before.
void ShowChart(QChartView* view, QChart* chart)
{
    QChart* previous = view->chart();
    view->setChart(chart);
    delete previous;
}

}  // namespace

SelectionDevice SelectionDeviceFrom(const ProtectiveDeviceSettings& s, bool releaseTicked,
                                    const QString& fuseFactorText)
{
    return SelectionDeviceOf(s, releaseTicked, fuseFactorText.toStdString());
}

SelectionTexts ComposeSelectionTexts(const SelectionAnswers& a, const NumberSeparators& separators, bool minimum)
{
    SelectionTexts t;
    t.iokz = t.tokSR = t.margin = t.rating = Dash;
    t.ratingCaption = a.releaseCurrent ? QStringLiteral("Наибольший ток расцепителя:")
                                       : QStringLiteral("Наибольший номинальный ток:");
    t.currentCaption = minimum ? QStringLiteral("Наименьший ток КЗ:") : QStringLiteral("Ток однофазного КЗ:");
    t.marginCaption = minimum ? QStringLiteral("Запас Iк1 min / Iср:") : QStringLiteral("Запас Iокз / Iср:");
    for (int n = 0; n < LineSectionCount; ++n)
        t.length[n] = t.greatestLength[n] = t.section[n] = Dash;
    if (!a.calculated) {
        t.note = a.refusal.empty() ? QStringLiteral("Выполните расчет тока однофазного короткого замыкания")
                                   : QString::fromStdString(a.refusal);
        return t;
    }
    const QString name = minimum ? QStringLiteral("Iк1 min=") : QStringLiteral("Iокз=");
    t.iokz = name + General(RoundCurrent(a.iokz), separators) + Amperes;
    for (int n = 0; n < LineSectionCount; ++n) {
        if (a.lines[n].active)
            t.length[n] = LengthText(a.lines[n].length, false, separators);
    }
    if (!a.device) {
        t.note = QStringLiteral("Аппарат защиты в расчете не определен");
        return t;
    }
    t.tokSR = QStringLiteral("Iср=") + General(a.tripCurrent, separators) + Amperes;
    // Rounded down, so that a margin shown as 1,00 or more always means the device trips.
    t.margin = a.margin < 1e15 ? Down(a.margin, 2, separators) : Beyond;
    const QString rating = a.ratingDecimals > 0 ? Down(a.shownRating, a.ratingDecimals, separators)
                                                : General(a.shownRating, separators);
    t.rating = AnswerText(a.ratingAnswer, rating + Amperes);
    t.legend = QStringLiteral("«нет» — не срабатывает ни при каком значении; «любое» — срабатывает при любом "
                              "сечении из списка");
    for (int n = 0; n < LineSectionCount; ++n) {
        const LineSelection& line = a.lines[n];
        if (!line.active)
            continue;
        t.greatestLength[n] = AnswerText(line.lengthAnswer, LengthText(line.shownLength, line.lengthBeyond, separators));
        const QString section =
            line.sectionAnswer == SelectionAnswer::Value ? General(ParseDecimal(line.section).value, separators) : "";
        t.section[n] = AnswerText(line.sectionAnswer, section);
    }
    return t;
}

QList<double> NiceTicks(double maximum, int wanted)
{
    if (!(maximum > 0) || !std::isfinite(maximum) || wanted < 1)
        return {0, 1};
    const double magnitude = std::pow(10.0, std::floor(std::log10(maximum / wanted)));
    double step = 10 * magnitude;
    for (double multiple : {1.0, 2.0, 2.5, 5.0}) {
        if (multiple * magnitude * wanted >= maximum) {
            step = multiple * magnitude;
            break;
        }
    }
    QList<double> ticks;
    for (int i = 0; ticks.isEmpty() || ticks.back() < maximum; ++i)
        ticks.append(i * step);
    return ticks;
}

SelectionCurve ComposeSelectionCurve(const SelectionChain& chain, int line, const SelectionAnswers& answers,
                                     const std::function<double(double)>& currentAt)
{
    constexpr int Steps = 120;
    const LineSelection& a = answers.lines[line];
    const bool greatest = answers.device && a.lengthAnswer == SelectionAnswer::Value;
    double upper = a.length > 0 ? 2 * a.length : 100;
    if (greatest && a.shownLength > 0)
        upper = std::max(2 * a.shownLength, 1.1 * a.length);

    SelectionCurve curve;
    // Long ranges in kilometres, so that the tick labels keep to their places.
    curve.lengthUnit = upper >= 10000 ? 1000 : 1;
    curve.lengthTicks = NiceTicks(upper / curve.lengthUnit, 5);
    curve.lengthMax = curve.lengthTicks.back();
    for (int i = 0; i <= Steps; ++i) {
        const double length = curve.lengthMax * i / Steps;
        const double metres = length * curve.lengthUnit;
        curve.points.append({length, currentAt ? currentAt(metres) : ChainIokzAtLength(chain, line, metres)});
    }
    curve.mark = {a.length / curve.lengthUnit, currentAt ? answers.iokz : chain.Iokz};
    curve.tripCurrent = answers.device ? answers.tripCurrent : 0;
    if (greatest)
        curve.greatestMark = QPointF(a.shownLength / curve.lengthUnit, answers.tripCurrent);
    // The crossing with Iср must stay readable however large Iокз is near the transformer: the
    // current axis ends at a few times Iср and the curve is cut off above it.
    const double atZero = curve.points.front().y();
    double top = 1.05 * atZero;
    if (curve.tripCurrent > 0)
        top = std::max(CurrentAxisFloor * curve.tripCurrent, std::min(top, CurrentAxisCeiling * curve.tripCurrent));
    curve.currentTicks = NiceTicks(top, 5);
    curve.currentMax = curve.currentTicks.back();
    return curve;
}

TSelectionForm::TSelectionForm(QWidget* parent) : QDialog(parent, FixedWindowFlags)
{
    SetUpWindow(this, QStringLiteral("SelectionForm"), QStringLiteral("Подбор параметров"), HelpFileName, HelpContext,
                QSize(ClientWidth, ClientHeight));
    const QFont serif = SerifFont();
    QFont bold = font();
    bold.setBold(true);

    // The device: fault current, trip current, margin and the largest rating.
    Caption(this, QStringLiteral("Аппарат защиты"), 16, 8, serif, Maroon);
    QFrame* devicePanel = ValuePanel(this, QRect(8, 30, PanelWidth, 104));
    const int valueLeft = 188, valueWidth = PanelWidth - 196, rowHeight = 24;
    // The captions of the current and of the margin name the current in use: set by Refresh.
    CurrentCaptionLabel = Caption(devicePanel, QString(), 12, 6 + 3, font());
    CurrentCaptionLabel->setObjectName(QStringLiteral("CurrentCaptionLabel"));
    Caption(devicePanel, QStringLiteral("Ток срабатывания:"), 12, 6 + rowHeight + 3, font());
    MarginCaptionLabel = Caption(devicePanel, QString(), 12, 6 + 2 * rowHeight + 3, font());
    MarginCaptionLabel->setObjectName(QStringLiteral("MarginCaptionLabel"));
    IokzLabel = Field(devicePanel, QStringLiteral("IokzLabel"), QRect(valueLeft, 6, valueWidth, 20), ProgramCurrentHint);
    TokSRLabel = Field(devicePanel, QStringLiteral("TokSRLabel"), QRect(valueLeft, 6 + rowHeight, valueWidth, 20),
                       QStringLiteral("Ток срабатывания аппарата защиты с учетом коэффициента запаса"));
    MarginLabel = Field(devicePanel, QStringLiteral("MarginLabel"), QRect(valueLeft, 6 + 2 * rowHeight, valueWidth, 20),
                        ProgramMarginHint);
    MarginLabel->setFont(bold);
    RatingCaptionLabel = new QLabel(devicePanel);
    RatingCaptionLabel->setObjectName(QStringLiteral("RatingCaptionLabel"));
    RatingCaptionLabel->setGeometry(12, 6 + 3 * rowHeight, valueLeft - 16, 20);
    RatingCaptionLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    SetStatusHint(RatingCaptionLabel, QStringLiteral("Наибольший ток того же аппарата, при котором он срабатывает за "
                                                     "нормативное время"));
    RatingLabel = Field(devicePanel, QStringLiteral("RatingLabel"), QRect(valueLeft, 6 + 3 * rowHeight, valueWidth, 20),
                        QStringLiteral("Наибольший ток того же аппарата, при котором он срабатывает за "
                                       "нормативное время"));
    RatingLabel->setFont(bold);

    // The line sections.
    Caption(this, QStringLiteral("Участки линии"), 16, 142, serif, Maroon);
    QFrame* linePanel = ValuePanel(this, QRect(8, 164, PanelWidth, 196));
    // Wide enough for 999 999 999,9 and for the kilometre form of the greatest length.
    const int columnLeft[] = {12, 62, 148, 282};
    const int columnWidth[] = {50, 82, 130, 98};
    const QString headings[][2] = {{QStringLiteral("Линия"), QString()},
                                   {QStringLiteral("Длина,"), QStringLiteral("м")},
                                   {QStringLiteral("Наибольшая"), QStringLiteral("длина, м")},
                                   {QStringLiteral("Наименьшее"), QStringLiteral("сечение, кв.мм.")}};
    for (int c = 0; c < 4; ++c) {
        for (int l = 0; l < 2; ++l) {
            auto* heading = new QLabel(headings[c][l], linePanel);
            heading->setFont(bold);
            heading->setAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
            heading->setGeometry(columnLeft[c], 6 + 15 * l, columnWidth[c], 15);
        }
    }
    auto* rule = new QFrame(linePanel);
    rule->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    rule->setGeometry(8, 38, PanelWidth - 16, 2);
    for (int n = 0; n < LineSectionCount; ++n) {
        const int top = 44 + 24 * n;
        const QString digit = QString(QChar(u'1' + n));
        Caption(linePanel, QStringLiteral("Линия ") + digit, columnLeft[0], top + 3, font());
        LengthLabels[n] = Field(linePanel, QStringLiteral("Length%1Label").arg(digit),
                                QRect(columnLeft[1], top, columnWidth[1], 20),
                                QStringLiteral("Длина линии по последнему расчету"), Qt::AlignRight);
        GreatestLengthLabels[n] =
            Field(linePanel, QStringLiteral("GreatestLength%1Label").arg(digit),
                  QRect(columnLeft[2], top, columnWidth[2], 20),
                  QStringLiteral("Наибольшая длина линии, при которой аппарат защиты срабатывает за нормативное "
                                 "время"),
                  Qt::AlignRight);
        SectionLabels[n] =
            Field(linePanel, QStringLiteral("Section%1Label").arg(digit), QRect(columnLeft[3], top, columnWidth[3], 20),
                  QStringLiteral("Наименьшее сечение фазной и нулевой жил, при котором аппарат защиты срабатывает "
                                 "за нормативное время"),
                  Qt::AlignRight);
    }

    LegendLabel = new QLabel(this);
    LegendLabel->setObjectName(QStringLiteral("LegendLabel"));
    LegendLabel->setGeometry(8, 366, ClientWidth - 16, 18);
    SetStatusHint(LegendLabel, QStringLiteral("Значение ответов «нет» и «любое»"));

    NoteLabel = new QLabel(this);
    NoteLabel->setObjectName(QStringLiteral("NoteLabel"));
    NoteLabel->setFont(bold);
    SetTextColor(NoteLabel, Navy);
    NoteLabel->setGeometry(8, 384, ClientWidth - 16, 18);

    FuseWarningLabel = new QLabel(this);
    FuseWarningLabel->setObjectName(QStringLiteral("FuseWarningLabel"));
    FuseWarningLabel->setWordWrap(true);
    SetTextColor(FuseWarningLabel, Qt::red);
    FuseWarningLabel->setGeometry(8, 402, ClientWidth - 16, 28);
    SetStatusHint(FuseWarningLabel, QStringLiteral("Сравнение тока плавкой вставки по таблице с током плавления "
                                                   "вставки gG по ГОСТ Р МЭК 60269-1"));
    SetStatusHint(NoteLabel, QStringLiteral("Чего не хватает для подбора"));

    CurrentBasisComboBox = new QComboBox(this);
    CurrentBasisComboBox->setObjectName(QStringLiteral("CurrentBasisComboBox"));
    CurrentBasisComboBox->addItems({QStringLiteral("по Iокз программы"), QStringLiteral("по Iк1 min")});
    // The minimum current by default: it is the smaller one, so advice that trips at it trips at both.
    CurrentBasisComboBox->setCurrentIndex(1);
    CurrentBasisComboBox->setGeometry(PanelWidth + 8 - 150, 6, 150, 21);
    SetStatusHint(CurrentBasisComboBox, QStringLiteral("Ток, по которому подбираются параметры: Iокз программы или "
                                                       "наименьший ток Iк1 min окна «Проверка»"));

    // The chart.
    const int chartLeft = PanelWidth + 16;
    Caption(this, QStringLiteral("Ток КЗ в зависимости от длины"), chartLeft + 8, 8, serif, Maroon);
    ChartLineComboBox = new QComboBox(this);
    ChartLineComboBox->setObjectName(QStringLiteral("ChartLineComboBox"));
    ChartLineComboBox->setGeometry(ClientWidth - 96, 6, 88, 21);
    SetStatusHint(ChartLineComboBox, QStringLiteral("Выберите линию, длина которой откладывается на графике"));
    SelectionChartView = new QChartView(this);
    SelectionChartView->setObjectName(QStringLiteral("SelectionChartView"));
    SelectionChartView->setGeometry(chartLeft, 30, ClientWidth - 8 - chartLeft, 330);
    SelectionChartView->setAccessibleName(QStringLiteral("График тока КЗ в зависимости от длины линии"));
    SelectionChartView->setRenderHint(QPainter::Antialiasing);
    SelectionChartView->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    SetStatusHint(SelectionChartView,
                  QStringLiteral("Ток однофазного короткого замыкания в зависимости от длины выбранной линии, "
                                 "ток срабатывания и наибольшая длина"));

    CloseButton = MakeCloseButton(this, ClientWidth, 436, QStringLiteral("Закрытие окна подбора"));
    CloseButton->setDefault(true);

    StatusBar1 = MakeHintStatusBar(this, ClientWidth, ClientHeight);

    // Only the user's own choice changes the combo box with signals on: Refresh blocks them.
    connect(ChartLineComboBox, &QComboBox::currentIndexChanged, this, &TSelectionForm::ChartLineComboBoxChange);
    connect(CurrentBasisComboBox, &QComboBox::currentIndexChanged, this, &TSelectionForm::CurrentBasisComboBoxChange);
    Refresh();
}

void TSelectionForm::showEvent(QShowEvent* event)
{
    Refresh();
    QDialog::showEvent(event);
    // Centred on the screen at every showing.
    CentreOnScreen(this);
}

void TSelectionForm::Refresh()
{
    const bool ticked = DeviceDefenceForm && DeviceDefenceForm->TokNRCheckBox->isChecked();
    const QString fuseFactor = DeviceDefenceForm ? DeviceDefenceForm->KZPPComboBox->currentText() : QString();
    const SelectionDevice device = SelectionDeviceFrom(DeviceSettings, ticked, fuseFactor);
    if (MinimumBasis()) {
        const CheckDevice checked = CheckDeviceFrom(DeviceSettings);
        answers = SelectParametersAtMinimumCurrent(CalculatedNetwork, SharedResult, device, MinimumParameters(checked),
                                                   checked.time);
    } else {
        answers = SelectParameters(CalculatedNetwork, SharedResult, device);
    }
    chain = ReadSelectionChain(CalculatedNetwork, SharedResult);

    const SelectionTexts texts = ComposeSelectionTexts(answers, RegionalSeparators(), MinimumBasis());
    for (const auto& [caption, text] : {std::pair{CurrentCaptionLabel, texts.currentCaption},
                                        std::pair{MarginCaptionLabel, texts.marginCaption}}) {
        caption->setText(text);
        caption->adjustSize();
    }
    SetStatusHint(CurrentCaptionLabel, MinimumBasis() ? MinimumCurrentHint : ProgramCurrentHint);
    SetStatusHint(IokzLabel, MinimumBasis() ? MinimumCurrentHint : ProgramCurrentHint);
    SetStatusHint(MarginCaptionLabel, MinimumBasis() ? MinimumMarginHint : ProgramMarginHint);
    SetStatusHint(MarginLabel, MinimumBasis() ? MinimumMarginHint : ProgramMarginHint);
    NoteLabel->setText(texts.note);
    LegendLabel->setText(texts.legend);
    FuseWarningLabel->setText(FuseGateWarning(DeviceSettings, RegionalSeparators()));
    IokzLabel->setText(texts.iokz);
    TokSRLabel->setText(texts.tokSR);
    MarginLabel->setText(texts.margin);
    RatingCaptionLabel->setText(texts.ratingCaption);
    RatingLabel->setText(texts.rating);
    for (int n = 0; n < LineSectionCount; ++n) {
        LengthLabels[n]->setText(texts.length[n]);
        GreatestLengthLabels[n]->setText(texts.greatestLength[n]);
        SectionLabels[n]->setText(texts.section[n]);
    }

    // The chart keeps a line the user chose while it is still active; else it shows the last
    // active one, the section nearest the fault point, and follows it after a new calculation.
    const QSignalBlocker blocker(ChartLineComboBox);
    ChartLineComboBox->clear();
    for (int n = 0; n < LineSectionCount; ++n) {
        if (answers.calculated && answers.lines[n].active)
            ChartLineComboBox->addItem(QStringLiteral("Линия %1").arg(QChar(u'1' + n)), n);
    }
    const int again = userChosenLine >= 0 ? ChartLineComboBox->findData(userChosenLine) : -1;
    ChartLineComboBox->setCurrentIndex(again >= 0 ? again : ChartLineComboBox->count() - 1);
    ChartLineComboBox->setEnabled(ChartLineComboBox->count() > 0);
    DrawChart();
}

bool TSelectionForm::MinimumBasis() const { return CurrentBasisComboBox->currentIndex() == 1; }

void TSelectionForm::CurrentBasisComboBoxChange() { Refresh(); }

void TSelectionForm::ChartLineComboBoxChange()
{
    const QVariant data = ChartLineComboBox->currentData();
    userChosenLine = data.isValid() ? data.toInt() : -1;
    DrawChart();
}

void TSelectionForm::DrawChart()
{
    auto* chart = new QChart;
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(2, 4, 14, 2));
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->legend()->setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    const QVariant data = ChartLineComboBox->currentData();
    if (!chain || !data.isValid()) {
        chart->legend()->hide();
        chart->setTitle(answers.calculated        ? QStringLiteral("Нет линий с заданным сечением")
                        : answers.refusal.empty() ? QStringLiteral("Нет расчета")
                                                  : QStringLiteral("Iк1 min вне методики"));
        ShowChart(SelectionChartView, chart);
        return;
    }
    const int line = data.toInt();
    std::function<double(double)> minimumAt;
    if (MinimumBasis()) {
        const CheckDevice checked = CheckDeviceFrom(DeviceSettings);
        minimumAt = [this, line, checked, p = MinimumParameters(checked)](double length) {
            return MinimumCurrentAtLength(CalculatedNetwork, line, length, p, checked.time).value_or(0);
        };
    }
    const SelectionCurve curve = ComposeSelectionCurve(*chain, line, answers, minimumAt);
    const NumberSeparators separators = RegionalSeparators();

    const QString lengthTitle =
        curve.lengthUnit == 1 ? QStringLiteral("Длина линии %1, м") : QStringLiteral("Длина линии %1, км");
    auto* axisX = TickAxis(curve.lengthTicks, lengthTitle.arg(QChar(u'1' + line)), separators);
    const QString currentTitle = MinimumBasis() ? QStringLiteral("Iк1 min, А") : QStringLiteral("Iокз, А");
    auto* axisY = TickAxis(curve.currentTicks, currentTitle, separators);
    chart->addAxis(axisX, Qt::AlignBottom);
    chart->addAxis(axisY, Qt::AlignLeft);

    auto* iokz = new QLineSeries;
    iokz->setName(MinimumBasis() ? QStringLiteral("Iк1 min") : QStringLiteral("Iокз"));
    iokz->append(curve.points);
    iokz->setPen(QPen(Navy, 2));
    chart->addSeries(iokz);
    iokz->attachAxis(axisX);
    iokz->attachAxis(axisY);
    if (curve.tripCurrent > 0) {
        auto* trip = new QLineSeries;
        trip->setName(QStringLiteral("Iср"));
        trip->append(0, curve.tripCurrent);
        trip->append(curve.lengthMax, curve.tripCurrent);
        trip->setPen(QPen(Qt::red, 2, Qt::DashLine));
        chart->addSeries(trip);
        trip->attachAxis(axisX);
        trip->attachAxis(axisY);
    }
    if (curve.greatestMark) {
        // A dotted line drops from the crossing to the length axis, where a square carries the
        // value: there, under the curve, the label never runs into it.
        const LineSelection& answer = answers.lines[line];
        const QPointF crossing = *curve.greatestMark;
        auto* drop = new QLineSeries;
        drop->append(crossing.x(), 0.12 * curve.currentMax);  // above the label
        drop->append(crossing);
        drop->setPen(QPen(Qt::red, 1, Qt::DotLine));
        chart->addSeries(drop);
        drop->attachAxis(axisX);
        drop->attachAxis(axisY);
        chart->legend()->markers(drop).value(0)->setVisible(false);

        auto* greatest = new QScatterSeries;
        greatest->setName(QStringLiteral("Наибольшая длина"));
        greatest->append(crossing.x(), 0);
        greatest->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
        greatest->setMarkerSize(8);
        greatest->setColor(Qt::red);
        greatest->setBorderColor(Qt::red);
        // The label is the window's own text of the answer: no placeholder for Qt to format.
        greatest->setPointLabelsFormat(LengthText(answer.shownLength, answer.lengthBeyond, separators) +
                                       (answer.shownLength < LongLengthFrom ? QStringLiteral(" м") : QString()));
        greatest->setPointLabelsFont(QFont(QStringLiteral("MS Sans Serif"), 8, QFont::Bold));
        greatest->setPointLabelsColor(Qt::red);
        greatest->setPointLabelsClipping(false);
        greatest->setPointLabelsVisible(true);
        chart->addSeries(greatest);
        greatest->attachAxis(axisX);
        greatest->attachAxis(axisY);
    }
    auto* mark = new QScatterSeries;
    mark->setName(QStringLiteral("Длина по расчету"));
    mark->append(curve.mark);
    mark->setMarkerSize(9);
    mark->setColor(Maroon);
    mark->setBorderColor(Maroon);
    chart->addSeries(mark);
    mark->attachAxis(axisX);
    mark->attachAxis(axisY);
    ShowChart(SelectionChartView, chart);
}
