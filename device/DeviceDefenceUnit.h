// The protective device window "Аппарат защиты" and the trip verdict.
#pragma once

#include "MainWindowLink.h"

#include <QDialog>
#include <array>

#include "DeviceRules.h"
#include "DeviceSettings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QStatusBar;

class TDeviceDefenceForm : public QDialog {
    Q_OBJECT
public:
    // The main window, as it lets this window reach it (set when the windows are created).
    MainWindowLink MainWindow;

    explicit TDeviceDefenceForm(QWidget* parent = nullptr);

    // The modal result of "Сброс", distinct from Accepted ("Да") and Rejected ("Отмена").
    static constexpr int NoResult = 7;

    // Judges the confirmed device against the last successful calculation and writes
    // both status lines and, for a verdict, the result window's trip time.
    void AlertDeviceDefence();

    // The window's texts now, and the texts of the last confirmation ("Да"); at start the initial ones.
    DeviceWindowTexts WindowTexts() const;
    DeviceWindowTexts ConfirmedTexts;
    // Puts `texts` into the window's controls, as the user would type and choose them.
    void ShowTexts(const DeviceWindowTexts& texts);

    // Handlers, named after their controls.
    void AVRadioButtonClick();
    void PPRadioButtonClick();
    void TokNRCheckBoxClick();
    void TypePPComboBoxChange();
    void OKDDBitBtnClick();
    void BitBtn3Click();

    // Breaker group
    QRadioButton* AVRadioButton = nullptr;
    QComboBox* TokAVnomComboBox = nullptr;
    QComboBox* TokNRComboBox = nullptr;
    QCheckBox* TokNRCheckBox = nullptr;
    QComboBox* KZAVComboBox = nullptr;
    // Fuse group
    QRadioButton* PPRadioButton = nullptr;
    QComboBox* TypePPComboBox = nullptr;
    QComboBox* TokPPComboBox = nullptr;
    QComboBox* KZPPComboBox = nullptr;
    QComboBox* TimePPComboBox = nullptr;
    // Captions Label1..Label15 at index 0..14
    std::array<QLabel*, 15> Labels{};

    QPushButton* OKDDBitBtn = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn3 = nullptr;
    QStatusBar* StatusBar1 = nullptr;

    // The input control of a field the confirmation names.
    QWidget* DeviceFieldControl(DeviceField field) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* Label(int number) const { return Labels[number - 1]; }
    void SetBreakerGroupEnabled(bool enabled);
    // Runs TypePPComboBoxChange for a typed type text not yet checked; false when the type is unknown.
    bool CheckTypedFuseType();

    // Makes the rating list for the type text in the field, and notes that text as checked: the
    // one place where both change, so that they always go together.
    RatingListChange FillRatingList();

    QString CheckedFuseType;   // the type text the rating list was last made for
};

extern TDeviceDefenceForm* DeviceDefenceForm;
