// The maximum fault current at the place of a protective device and the device's breaking and
// making capacity against it (ПУЭ 3.1.3, IEC 60364-4-43 434.5.1). Two methods side by side:
// ГОСТ 28249-93 and IEC 60909-0. The device stands at the start of section N (N = 1: the
// transformer's 0.4 kV busbar); upstream of it the supply network, the transformer and sections
// 1..N−1 at 20 °C, no contact or arc resistance. Window-free; it changes nothing in Iокз.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "ShortCircuit.h"

struct MaximumCurrentParameters {
    int place = 1;            // the section 1..6 at whose start the device stands
    double cMax = 1.05;       // IEC 60909-0 voltage factor: 1.05 for a +6 % tolerance, 1.10 for +10 %
    double networkPower = 0;  // Sк at the transformer's high-voltage side, MV·A; 0: infinitely strong

    bool operator==(const MaximumCurrentParameters&) const = default;
};

// Refuses parameters outside the ranges the window accepts: the Russian message, or empty.
std::string CheckMaximumCurrentParameters(const MaximumCurrentParameters& parameters);

// What the methods need of a calculated chain, mOhm.
struct MaximumCurrentChain {
    double r1 = 0, x1 = 0;          // the transformer's positive sequence
    double power = 0;               // its rated power, kV·A
    double rLoop = 0, xLoop = 0;    // Zт/3 as the calculation takes it into the loop
    struct Section {
        double rPhase = 0, xPhase = 0;  // the phase core over the length, parallel conductors together
        double rLoop = 0, xLoop = 0;    // phase and neutral cores together
    };
    std::array<Section, LineSectionCount> sections;
    int lastSection = 0;            // the last section 1..6 of some length; 0: none
};

struct MaximumCurrentChainOutcome {
    bool ok = false;
    std::string message;
    MaximumCurrentChain chain;
};
// The chain of `network`, when it is the network whose calculation gave `result` (as the minimum
// current reads it); `message` says why not otherwise.
MaximumCurrentChainOutcome ReadMaximumCurrentChain(const NetworkDescription& network,
                                                   const ShortCircuitResult& result);

// The place a device takes unless the user chooses: the start of the last section of some length
// (the busbar when no section has any).
int DefaultDevicePlace(const MaximumCurrentChain& chain);

// One method's answers, A.
struct MethodCurrents {
    double threePhase = 0;   // Iк3
    double singlePhase = 0;  // Iк1 max
    double twoPhase = 0;     // Iк2 = √3/2·Iк3
    double kappa = 0;        // κ = 1.02 + 0.98·e^(−3R/X) of the three-phase impedance
    double peak = 0;         // ip = κ·√2·Iк3
    double r = 0, x = 0;     // the three-phase impedance, mOhm
};

struct MaximumCurrentResult {
    bool ok = false;
    std::string message;     // when not ok
    int place = 0;
    MethodCurrents gost;     // ГОСТ 28249-93: 400 V and 231 V, Xс = (400 V)²/Sк
    MethodCurrents iec;      // IEC 60909-0: c_max·400 V, K_T, Z_Q = 1.1·(400 V)²/Sк
    double greatest = 0;     // the greatest of the four Iк3 and Iк1, A
    double peak = 0;         // the greater ip, A
};

MaximumCurrentResult SolveMaximumCurrent(const MaximumCurrentChain& chain, const MaximumCurrentParameters& parameters);

// Reads the chain and solves it.
MaximumCurrentResult CalculateMaximumCurrent(const NetworkDescription& network, const ShortCircuitResult& result,
                                             const MaximumCurrentParameters& parameters);

// n of the making capacity Icm = n·Icu, IEC 60947-2 table 2 (the same for Icn of modular breakers).
double MakingFactor(double capacityKiloamperes);

// The device's capacity against the maximum currents.
struct BreakingVerdict {
    double capacity = 0;          // Icu, Icn or the fuse's breaking capacity, A
    bool sufficient = false;      // the greatest current <= the capacity
    double margin = 0;            // capacity / greatest current
    bool makingChecked = false;   // breakers only: a fuse has no making capacity to check
    double factor = 0;            // n
    double making = 0;            // Icm = n·Icu, A
    bool makingSufficient = true; // ip <= Icm
};
BreakingVerdict JudgeBreakingCapacity(const MaximumCurrentResult& result, double capacityKiloamperes, bool breaker);

// The smallest of the `offered` capacities, kA, whose verdict is sufficient in breaking and, for a
// breaker, in making too; 0 when none is.
double SmallestSufficientCapacity(const MaximumCurrentResult& result, const std::vector<double>& offered, bool breaker);
