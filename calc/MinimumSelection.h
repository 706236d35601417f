// "Подбор" following the minimum fault current instead of the program's Iокз: the margin, the
// largest rating, and per line section the greatest length and the smallest section at which the
// device still trips at Iк1 min. The closed form of the length no longer applies: the length is
// found by bisection, and every shown value is checked through the minimum-current calculation.
#pragma once

#include <optional>

#include "MinimumCurrent.h"
#include "Selection.h"

// Iк1 min of `network` with section `line` (0..5) at `length` metres; nothing when refused.
std::optional<double> MinimumCurrentAtLength(NetworkDescription network, int line, double length,
                                             const MinimumCurrentParameters& parameters, double time);

// The answers of SelectParameters with the current taken as Iк1 min of `parameters` after `time`
// seconds; `iokz` and `margin` of the answers then carry Iк1 min and Iк1 min / Iср. A core of the
// chain beyond its melting point leaves no Iк1 min: no answers, the refusal says why; a length or a
// section at which a core would melt is not taken as one at which the device trips.
SelectionAnswers SelectParametersAtMinimumCurrent(const NetworkDescription& network, const ShortCircuitResult& result,
                                                  const SelectionDevice& device,
                                                  const MinimumCurrentParameters& parameters, double time);
