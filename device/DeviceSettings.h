// The protective device last confirmed in the device window.
#pragma once

#include <string>

struct ProtectiveDeviceSettings {
    double TokAVnom = 0;  // breaker: rated current of the release, A
    double KNR = 0;       // breaker: multiple of the instantaneous release
    double KZAV = 0;      // breaker: safety factor
    double TokNR = 0;     // breaker: trip current of the instantaneous release given directly, A
    int TypePP = 0;       // fuse type: 1 ППН, 2 ПН2, 3 НПН, 0 none recognised
    int TimePP = 0;       // fuse normative time: 1 = 5 s, 2 = 0.4 s
    double TokPP = 0;     // fuse: rated current of the link, A
    double TokSR = 0;     // trip current with the safety factor; <= 0 means no device
    int TypeDD = 0;       // 0 none yet, 1 circuit breaker, 2 fuse
};

// The device window's texts as the user left them at the last confirmation, so that the window
// can be shown again exactly as it was (UTF-8).
struct DeviceWindowTexts {
    bool breaker = true;               // AVRadioButton checked (else PPRadioButton)
    std::string ratedCurrent;          // TokAVnomComboBox
    std::string release;               // TokNRComboBox
    bool releaseCurrentGiven = false;  // TokNRCheckBox
    std::string breakerFactor;         // KZAVComboBox
    std::string fuseType;              // TypePPComboBox
    std::string fuseRating;            // TokPPComboBox
    std::string fuseFactor;            // KZPPComboBox
    std::string fuseTime;              // TimePPComboBox

    bool operator==(const DeviceWindowTexts&) const = default;
};

// The record of the run, owned by DeviceDefenceUnit.
extern ProtectiveDeviceSettings DeviceSettings;
