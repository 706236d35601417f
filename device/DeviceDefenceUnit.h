// The protective device window "Аппарат защиты" and the trip verdict.
#pragma once

#include <QDialog>

#include "DeviceSettings.h"

class TDeviceDefenceForm : public QDialog {
    Q_OBJECT
public:
    explicit TDeviceDefenceForm(QWidget* parent = nullptr);

    // Judges the confirmed device against the last successful calculation and writes
    // both status lines and, for a verdict, the result window's trip time.
    void AlertDeviceDefence();
};

extern TDeviceDefenceForm* DeviceDefenceForm;
