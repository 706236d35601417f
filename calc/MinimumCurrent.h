// The minimum single-phase fault current of a calculated chain: the voltage lowered by c_min,
// the supply network optionally counted, and every conductor core heating while the fault
// lasts (IEC 60909-0, ГОСТ 28249-93), with the thermal withstand of each core (ПУЭ 1.4.16).
// It stands beside the program's Iокз and changes nothing in it. Window-free.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "ShortCircuit.h"

// How the conductors' resistance follows the fault.
enum class ConductorHeating {
    Adiabatic,   // each core heats from θн while the fault lasts, no heat leaves it
    UteFactors,  // fixed factors on the 20 °C resistance (UTE C 15-105): 1.25 breaker, 1.5 fuse
};

// The method's parameters: temperatures in °C, the voltage in V, the network power in MV·A.
struct MinimumCurrentParameters {
    double cMin = 0.95;          // voltage factor for the minimum current (IEC 60909-0, low voltage)
    double phaseVoltage = 230;   // U0 of the network (230/400 V; 220 for 220/380 V)
    double networkPower = 0;     // Sк at the transformer's high-voltage side; 0: the network is not counted
    ConductorHeating heating = ConductorHeating::Adiabatic;
    double uteFactor = 1.25;     // UteFactors only: 1.25 for a breaker, 1.5 for a fuse
    // Permissible continuous temperature θн of the cores, by line type (ПУЭ chapter 1.3).
    double paperCableStart = 80, pvcCableStart = 70, overheadStart = 70;
    // Short-circuit temperature limit of the cores (ПУЭ 1.4.16).
    double pvcCableLimit = 160, paperCableLimit = 200, bareAluminiumLimit = 200, bareCopperLimit = 300;

    bool operator==(const MinimumCurrentParameters&) const = default;
};

// Refuses parameters outside the ranges the window accepts: the Russian message, or empty.
std::string CheckMinimumCurrentParameters(const MinimumCurrentParameters& parameters);

// Far beyond boiling of either metal (no chain of real lengths comes near it): a core that reaches
// it has gone, and its heating stops there, so that a core of almost no length behind a stiff
// source cannot run the integration away.
constexpr double CoreTemperatureCeiling = 1e6;  // °C

// The loop split into what heats and what does not. Resistances in mOhm.
struct MinimumCurrentChain {
    double rFixed = 0, xFixed = 0;  // Zт/3, Rпр and the network term
    struct Core {
        int line = 0;              // line section 0..5
        bool neutral = false;      // the neutral/PE core, else the phase core
        double r20 = 0, x = 0;     // of the core over the section's length, its parallel conductors together
        double start = 0, limit = 0;  // θн and the short-circuit limit, °C
        double heatRate = 0;       // 1 / (n·K·S)², per A²·s: dθ/dt = (θ + β)·heatRate·I²
        double beta = 0;           // °C
    };
    std::vector<Core> cores;       // phase then neutral of each active section of some length, in section order
};

// Cores of section `line` at their final temperatures.
struct SectionHeating {
    bool active = false;  // non-zero cores over a length above 0
    double phaseTemperature = 0, neutralTemperature = 0;  // °C at the end of the fault
    double phaseLimit = 0, neutralLimit = 0;
    bool phaseWithstands = true, neutralWithstands = true;
};

struct MinimumCurrentResult {
    bool ok = false;
    std::string message;          // when not ok
    double time = 0;              // s
    double voltage = 0;           // c_min·U0, V
    double startCurrent = 0;      // A, cores at θн (UteFactors: the one current)
    double minimumCurrent = 0;    // Iк1 min, A, at the end of `time`
    double tripCurrent = 0;       // Iср, A; 0: no device
    bool trips = false;           // Iк1 min >= Iср
    double margin = 0;            // Iк1 min / Iср
    bool withstands = true;       // every core stays within its limit
    std::array<SectionHeating, LineSectionCount> sections;
};

// The chain of `network`, when it is the network whose calculation gave `result`; `message`
// says why not otherwise. The network term: Zс = 1.05·(400 V)²/Sк, Xс = 0.995·Zс, Rс = 0.1·Xс,
// two thirds of it in the loop (the transformer blocks the zero sequence).
struct MinimumCurrentChainOutcome {
    bool ok = false;
    std::string message;
    MinimumCurrentChain chain;
};
MinimumCurrentChainOutcome ReadMinimumCurrentChain(const NetworkDescription& network,
                                                   const ShortCircuitResult& result,
                                                   const MinimumCurrentParameters& parameters);

// The current and the temperatures after `time` seconds of fault (0: the start), against the
// trip current `tripCurrent` (0: no device). Adiabatic heating is integrated by fourth-order
// Runge-Kutta with steps that let no core's (θ + β) grow by more than 5 % each; no core goes
// beyond CoreTemperatureCeiling.
MinimumCurrentResult SolveMinimumCurrent(const MinimumCurrentChain& chain, const MinimumCurrentParameters& parameters,
                                         double time, double tripCurrent);

// Reads the chain and solves it.
MinimumCurrentResult CalculateMinimumCurrent(const NetworkDescription& network, const ShortCircuitResult& result,
                                             const MinimumCurrentParameters& parameters, double time,
                                             double tripCurrent);

// The nominal section of a core, mm², as the line table reads the text ("2.5" -> 2.5, "95" -> 95);
// 0 for "0" or a text the table refuses.
double NominalSection(const std::string& text);
