// The window "Проверка по максимальному току КЗ": at the place of the protective device, the
// maximum fault currents by ГОСТ 28249-93 and IEC 60909-0 side by side, and the device's breaking
// and making capacity against them. Its settings are kept for the session; Sк is shared with the
// window "Проверка по минимальному току КЗ".
#pragma once

#include <QDialog>
#include <array>

#include "MaximumCheck.h"
#include "ShortCircuit.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;

class TMaximumCheckForm : public QDialog {
    Q_OBJECT
public:
    explicit TMaximumCheckForm(QWidget* parent = nullptr);

    // The network of the last successful calculation, remembered by the main window.
    NetworkDescription CalculatedNetwork = InitialNetworkDescription();
    MaximumCheckSettings Settings;

    // Recomputes everything from the last calculation, the device kind confirmed now and Settings.
    void Refresh();
    void ApplyButtonClick();
    void DefaultsButtonClick();

    QComboBox* PlaceComboBox = nullptr;
    QComboBox* CMaxComboBox = nullptr;
    QLineEdit* NetworkPowerEdit = nullptr;
    QLabel* DeviceKindLabel = nullptr;
    QComboBox* CapacityComboBox = nullptr;
    QPushButton* ApplyButton = nullptr;
    QPushButton* DefaultsButton = nullptr;

    QLabel* PlaceLabel = nullptr;
    // Rows Iк3, Iк1 max, Iк2, ip, κ; [0] ГОСТ 28249-93, [1] IEC 60909-0 (Gost3Label, Iec3Label ...).
    std::array<QLabel*, 5> GostLabels{};
    std::array<QLabel*, 5> IecLabels{};
    QLabel* GreatestLabel = nullptr;
    QLabel* PeakLabel = nullptr;
    QLabel* VerdictLabel = nullptr;
    QLabel* MarginLabel = nullptr;
    QLabel* SmallestLabel = nullptr;
    QLabel* MakingLabel = nullptr;
    QLabel* MakingVerdictLabel = nullptr;
    QLabel* NoteLabel = nullptr;
    QPushButton* CloseButton = nullptr;
    QStatusBar* StatusBar1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool Fuse() const;
    void ShowFields();
};

extern TMaximumCheckForm* MaximumCheckForm;
