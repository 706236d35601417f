// Counts every byte held through operator new, so that a fuzz target can bound what one read of
// a document costs. Linking AllocationCount.cpp into a target replaces its global operator new and
// delete.
#pragma once

#include <cstddef>

// Bytes held now.
std::size_t HeldBytes();
// Starts a new peak at what is held now and returns it.
std::size_t StartPeak();
// The most held since the last StartPeak.
std::size_t PeakBytes();
