// What the other windows take from the main window and give back to it, without knowing the main
// window itself: the report, the point-name dialog, recalculation and the device window reach the
// chain through this, so that only the main window includes them and never the other way round.
// The main window hands its link to each of them when the windows are created (Forms.cpp).
#pragma once

#include <QString>
#include <functional>

#include "ShortCircuit.h"

struct MainWindowLink {
    // The network as the main window's inputs read now.
    std::function<NetworkDescription()> currentNetwork;
    // Puts a network's texts into the inputs, exactly as they were typed.
    std::function<void(const NetworkDescription&)> showNetwork;
    // Presses "Расчет".
    std::function<void()> calculate;
    // True while a calculation's result can be added to the report.
    std::function<bool()> hasResult;
    // The device status line under the result, read and written.
    std::function<QString()> deviceStatus;
    std::function<void(const QString&)> showDeviceStatus;
};
