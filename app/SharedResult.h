// The last successful calculation, published by the main window and read by every window that
// works on its chain; Iokz = 0 until one has succeeded.
#pragma once

#include "ShortCircuit.h"

extern ShortCircuitResult SharedResult;
