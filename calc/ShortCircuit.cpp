#include "ShortCircuit.h"

NetworkDescription InitialNetworkDescription() { return {}; }
CalculationOutcome CalculateShortCircuit(const NetworkDescription&) { return {}; }
