// The window "Подбор параметров": for the last successful calculation and the device as
// confirmed now, the margin of the fault current over the trip current, the largest rating
// that still trips, per line section the greatest length and the smallest section, and a
// chart of the fault current against the length of one section.
#pragma once

#include <QDialog>
#include <QList>
#include <QPointF>
#include <QString>
#include <array>
#include <functional>
#include <optional>

#include "DeviceSettings.h"
#include "Numbers.h"
#include "Selection.h"
#include "ShortCircuit.h"

class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QPushButton;
class QStatusBar;

// The confirmed device record as plain values. The record does not keep whether the release
// current was given directly, nor the fuse's safety factor: each is taken from what reproduces
// the stored trip current exactly, the window's present state (`releaseTicked`, `fuseFactorText`)
// deciding only where the record leaves both open. A record that nothing reproduces (left by a
// refused confirmation) gives a device known by its trip current only.
SelectionDevice SelectionDeviceFrom(const ProtectiveDeviceSettings& settings, bool releaseTicked,
                                    const QString& fuseFactorText);

// Every text of the window for one set of answers.
struct SelectionTexts {
    QString note;        // what is missing, or empty
    QString legend;      // what "нет" and "любое" mean, once there are answers
    QString iokz, tokSR, margin, ratingCaption, rating;
    // The captions of the current and of the margin, naming the current the answers follow.
    QString currentCaption, marginCaption;
    std::array<QString, LineSectionCount> length, greatestLength, section;
};
// `minimum`: the answers follow Iк1 min, written and captioned as such.
SelectionTexts ComposeSelectionTexts(const SelectionAnswers& answers, const NumberSeparators& separators,
                                     bool minimum = false);

// What the chart draws for one section: Iокз against its length, the trip current, the mark at
// the entered length, and the axis ranges with their tick values.
struct SelectionCurve {
    double lengthUnit = 1;    // metres per unit of the length axis: 1, or 1000 for long ranges
    QList<QPointF> points;    // (length in axis units, Iокз)
    double lengthMax = 0, currentMax = 0;
    QList<double> lengthTicks, currentTicks;
    QPointF mark;             // entered length, calculated Iокз
    double tripCurrent = 0;   // 0: no line is drawn
    std::optional<QPointF> greatestMark;  // (shown greatest length, Iср), when there is one
};
// The current axis runs from 0 to between these multiples of Iср (to 1.05 × Iокз at 0 m when
// that is less), so that the crossing never lies on the floor of the chart.
constexpr double CurrentAxisFloor = 1.25;
constexpr double CurrentAxisCeiling = 3;
// The curve of section `line` (0..5); the length axis runs to twice the greatest length, or,
// when there is none, to twice the entered length (100 m for a length of 0); the entered length
// always stays on the chart. Ranges of 10 km and more are drawn in kilometres. The current axis:
// see CurrentAxisFloor.
// `currentAt` (length in m to current), when given, replaces the chain's Iокз: the answers follow Iк1 min.
SelectionCurve ComposeSelectionCurve(const SelectionChain& chain, int line, const SelectionAnswers& answers,
                                     const std::function<double(double)>& currentAt = {});
// Round tick values from 0 to at least `maximum`: steps of 1, 2, 2.5 or 5 times a power of ten.
QList<double> NiceTicks(double maximum, int wanted);

class TSelectionForm : public QDialog {
    Q_OBJECT
public:
    explicit TSelectionForm(QWidget* parent = nullptr);

    // The network of the last successful calculation, remembered by the main window.
    NetworkDescription CalculatedNetwork = InitialNetworkDescription();

    // Recomputes every answer from the last successful calculation and the device as confirmed now.
    void Refresh();
    // The user's choice of the chart's section, kept while that section stays active.
    void ChartLineComboBoxChange();
    // The current the answers follow: the program's Iокз (0) or, by default, Iк1 min of the window
    // "Проверка" (1), the smaller one and so the one that binds.
    void CurrentBasisComboBoxChange();

    QLabel* NoteLabel = nullptr;
    QLabel* LegendLabel = nullptr;
    QLabel* FuseWarningLabel = nullptr;  // the confirmed fuse's row below its gG gate
    QLabel* CurrentCaptionLabel = nullptr;  // "Ток однофазного КЗ:" or "Наименьший ток КЗ:"
    QLabel* IokzLabel = nullptr;
    QLabel* TokSRLabel = nullptr;
    QLabel* MarginCaptionLabel = nullptr;   // "Запас Iокз / Iср:" or "Запас Iк1 min / Iср:"
    QLabel* MarginLabel = nullptr;
    QLabel* RatingCaptionLabel = nullptr;
    QLabel* RatingLabel = nullptr;
    // Line sections 1..6 at index 0..5 (Length1Label, GreatestLength1Label, Section1Label …)
    std::array<QLabel*, LineSectionCount> LengthLabels{};
    std::array<QLabel*, LineSectionCount> GreatestLengthLabels{};
    std::array<QLabel*, LineSectionCount> SectionLabels{};
    QComboBox* CurrentBasisComboBox = nullptr;
    QComboBox* ChartLineComboBox = nullptr;
    QChartView* SelectionChartView = nullptr;
    QPushButton* CloseButton = nullptr;
    QStatusBar* StatusBar1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void DrawChart();

    bool MinimumBasis() const;

    SelectionAnswers answers;
    std::optional<SelectionChain> chain;
    int userChosenLine = -1;  // the section the user chose for the chart (0..5), or none
};

extern TSelectionForm* SelectionForm;
