// The main window "Зорант 2.1": the network inputs, the calculation and the hub of all commands.
#pragma once

#include <QMainWindow>
#include <array>

#include "MainWindowLink.h"
#include "SharedResult.h"
#include "ShortCircuit.h"

class QAction;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QStatusBar;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);

    // Written by other windows through the global instance.
    QLabel* IokzLabel = nullptr;
    QLabel* StatusDDLabel = nullptr;

    // Transformer
    QComboBox* TransPowerComboBox = nullptr;
    QComboBox* WindKindComboBox = nullptr;
    // Line sections 1..6 at index 0..5 (KindPerformLine1ComboBox ... and so on)
    std::array<QComboBox*, LineSectionCount> KindPerformLineComboBoxes{};
    std::array<QComboBox*, LineSectionCount> StuffLineComboBoxes{};
    std::array<QLineEdit*, LineSectionCount> LengthLineEdits{};
    std::array<QComboBox*, LineSectionCount> QuanParLineComboBoxes{};
    std::array<QComboBox*, LineSectionCount> FfLineComboBoxes{};
    std::array<QComboBox*, LineSectionCount> FnLineComboBoxes{};
    QLineEdit* RArcEdit = nullptr;

    QPushButton* StartButton = nullptr;
    QPushButton* DDButton = nullptr;
    QPushButton* AddToReportButton = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QFrame* Panel1 = nullptr;
    QGroupBox* DeviceGroupBox = nullptr;
    QStatusBar* StatusBar1 = nullptr;

    QMenuBar* MainMenu = nullptr;
    QAction* ResultMenu = nullptr;
    QAction* ReportMenu = nullptr;
    QAction* SelectionMenu = nullptr;   // enabled and disabled with ResultMenu
    QAction* CheckMenu = nullptr;       // enabled and disabled with ResultMenu; opens its two checks
    QAction* MinimumCheckMenu = nullptr;
    QAction* MaximumCheckMenu = nullptr;
    QAction* HelpMenu = nullptr;
    QAction* AboutMenu = nullptr;

    // The network as the inputs read now.
    NetworkDescription CurrentNetwork() const;
    // Puts a network's texts into the inputs, exactly as they were typed.
    void ShowNetwork(const NetworkDescription& network);

    // What the other windows may do with this window (see MainWindowLink.h).
    MainWindowLink Link();

    // The input control of a field the calculation names (`line` 0..5 for a section's field).
    QWidget* NetworkFieldControl(NetworkField field, int line) const;

    void StartButtonClick();
    void ResultMenuClick();
    void DDButtonClick();
    void AddToReportButtonClick();
    void ReportMenuClick();
    void SelectionMenuClick();
    void CheckMenuClick();
    void MaximumCheckMenuClick();
    void AboutMenuClick();
    void HelpMenuClick();

protected:
    // Asks whether to save a report changed since it was last saved; "Отмена" keeps the program open.
    void closeEvent(QCloseEvent* event) override;

private:
    void ShowCalculationFailure(const CalculationOutcome& outcome);
    void PublishResult(const ShortCircuitResult& result);
    void SetResultCommandsEnabled(bool enabled);
};

extern TMainForm* MainForm;


