// The regional number separators the windows write numbers with.
#pragma once

#include "Numbers.h"

// Separators of the default QLocale (the system's unless a test has set another).
NumberSeparators RegionalSeparators();
