#include "DeviceDefenceUnit.h"

TDeviceDefenceForm* DeviceDefenceForm = nullptr;
ProtectiveDeviceSettings DeviceSettings;

TDeviceDefenceForm::TDeviceDefenceForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DeviceDefenceForm"));
    setWindowTitle(QStringLiteral("Аппарат защиты"));
}

void TDeviceDefenceForm::AlertDeviceDefence() {}
