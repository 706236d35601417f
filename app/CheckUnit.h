// The window "Проверка по минимальному току КЗ": beside the program's Iокз, the minimum fault
// current of the same chain with the voltage lowered by c_min and the cores heating while the
// fault lasts, both judged against the confirmed device, and the final temperature of every core
// against its short-circuit limit. The method's parameters are edited here and kept for the session.
#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <optional>

#include "DeviceSettings.h"
#include "MinimumCurrent.h"
#include "Numbers.h"
#include "ShortCircuit.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;

// The device as this window judges with it.
struct CheckDevice {
    bool present = false;     // Iср > 0
    QString name;             // "Автоматический выключатель", "Предохранитель ППН 63 А" ...
    double tripCurrent = 0;   // Iср, A
    double time = 0.4;        // normative disconnection time, s
    bool fuse = false;        // the fixed factor of the fuses (1.5) instead of the breakers' (1.25)
};
CheckDevice CheckDeviceFrom(const ProtectiveDeviceSettings& settings);

// The parameters of the window "Проверка" in force (the defaults before it exists), with the fixed
// factor of `device`.
MinimumCurrentParameters MinimumParameters(const CheckDevice& device);

// Everything the window shows, before it is written as texts.
struct CheckAnswers {
    bool calculated = false;  // a successful calculation of this network is at hand
    QString failure;          // the minimum-current calculation refused: why
    double iokz = 0;
    CheckDevice device;
    MinimumCurrentResult result;                 // at the device's time; with none, at 0.4 s
    std::optional<MinimumCurrentResult> longer;  // with no device: at 5 s (its temperatures are shown)
};
CheckAnswers CheckMinimumCurrent(const NetworkDescription& network, const ShortCircuitResult& result,
                                 MinimumCurrentParameters parameters, const CheckDevice& device);

// Every text of the window for one set of answers.
struct CheckTexts {
    QString note, device;
    QString programVoltage, minimumVoltage, iokz, startCurrent, minimumCurrent, time;
    QString programVerdict, minimumVerdict, programMargin, minimumMargin;
    bool programFails = false, minimumFails = false;  // "Несрабатывание": written in red
    std::array<QString, LineSectionCount> phaseTemperature, neutralTemperature, limit, withstand;
    std::array<bool, LineSectionCount> overheated{};  // "термически не стойка": written in red
    // Not empty: a core of the section passed its melting point; this text, in red across the
    // section's row, replaces its four figures.
    std::array<QString, LineSectionCount> melted;
};
CheckTexts ComposeCheckTexts(const CheckAnswers& answers, const NumberSeparators& separators);

// The texts of the parameter fields, as typed (numbers with a point, as every input of the program).
struct CheckFieldTexts {
    QString cMin, networkPower;
    int voltageIndex = 0;  // 0: 230 V, 1: 220 V
    int heatingIndex = 0;  // 0: adiabatic heating, 1: UTE C 15-105 factors
    QString paperStart, pvcStart, overheadStart;
    QString pvcLimit, paperLimit, bareAluminiumLimit, bareCopperLimit;
};
CheckFieldTexts CheckFieldTextsOf(const MinimumCurrentParameters& parameters);

// The fields read in their order on the window: the parameters, or the message of the first field
// refused and its control's name. An empty Sк field means the network is not counted.
struct CheckFieldReading {
    std::optional<MinimumCurrentParameters> parameters;
    QString message;
    QString field;
};
CheckFieldReading ReadCheckFields(const CheckFieldTexts& texts, const MinimumCurrentParameters& current);

class TCheckForm : public QDialog {
    Q_OBJECT
public:
    explicit TCheckForm(QWidget* parent = nullptr);

    // The network of the last successful calculation, remembered by the main window.
    NetworkDescription CalculatedNetwork = InitialNetworkDescription();
    // The method's parameters, kept while the program runs.
    MinimumCurrentParameters Parameters;

    // Recomputes everything from the last calculation, the device as confirmed now and Parameters.
    void Refresh();
    void ApplyButtonClick();
    void DefaultsButtonClick();

    QLineEdit* CMinEdit = nullptr;
    QComboBox* VoltageComboBox = nullptr;
    QLineEdit* NetworkPowerEdit = nullptr;
    QComboBox* HeatingComboBox = nullptr;
    QLineEdit* PaperStartEdit = nullptr;
    QLineEdit* PvcStartEdit = nullptr;
    QLineEdit* OverheadStartEdit = nullptr;
    QLineEdit* PvcLimitEdit = nullptr;
    QLineEdit* PaperLimitEdit = nullptr;
    QLineEdit* BareAluminiumLimitEdit = nullptr;
    QLineEdit* BareCopperLimitEdit = nullptr;
    QPushButton* ApplyButton = nullptr;
    QPushButton* DefaultsButton = nullptr;

    QLabel* NoteLabel = nullptr;
    QLabel* DeviceLabel = nullptr;
    QLabel* ProgramVoltageLabel = nullptr;
    QLabel* MinimumVoltageLabel = nullptr;
    QLabel* IokzLabel = nullptr;
    QLabel* StartCurrentLabel = nullptr;
    QLabel* MinimumCurrentLabel = nullptr;
    QLabel* TimeLabel = nullptr;
    QLabel* ProgramVerdictLabel = nullptr;
    QLabel* MinimumVerdictLabel = nullptr;
    QLabel* ProgramMarginLabel = nullptr;
    QLabel* MinimumMarginLabel = nullptr;
    // Line sections 1..6 at index 0..5 (Phase1Label, Neutral1Label, Limit1Label, Withstand1Label …)
    std::array<QLabel*, LineSectionCount> PhaseLabels{};
    std::array<QLabel*, LineSectionCount> NeutralLabels{};
    std::array<QLabel*, LineSectionCount> LimitLabels{};
    std::array<QLabel*, LineSectionCount> WithstandLabels{};
    // Across the row of a section whose core melted, in place of its four figures.
    std::array<QLabel*, LineSectionCount> MeltedLabels{};
    QLabel* HeatNoteLabel = nullptr;  // what the thermal withstand is judged for
    QPushButton* CloseButton = nullptr;
    QStatusBar* StatusBar1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    CheckFieldTexts FieldTexts() const;
    void ShowFields(const MinimumCurrentParameters& parameters);
};

extern TCheckForm* CheckForm;
