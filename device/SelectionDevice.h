// The confirmed protective device record as the plain values "Подбор" works with, without a
// window: shared by the "Подбор" window and the calculation note's closing conclusion.
#pragma once

#include <string>

#include "DeviceSettings.h"
#include "Selection.h"

// The record does not keep whether the release current was given directly, nor the fuse's
// safety factor: each is taken from what reproduces the stored trip current exactly,
// `releaseTicked` and `fuseFactorText` (as typed) deciding only where the record leaves both open.
// A record that nothing reproduces (left by a refused confirmation) gives a device known by its
// trip current only.
SelectionDevice SelectionDeviceOf(const ProtectiveDeviceSettings& settings, bool releaseTicked,
                                  const std::string& fuseFactorText);
