// The minimum single-phase fault current of a calculated chain: the voltage lowered by c_min,
// the supply network optionally counted, and every conductor core heating while the fault
// lasts (IEC 60909-0:2016, ГОСТ 28249-93), with the thermal withstand of each core (ПУЭ 1.4.16).
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
    double cMin = 0.95;          // voltage factor for the minimum current (IEC 60909-0:2016, table 1, low voltage)
    double phaseVoltage = 230;   // U0 of the network (230/400 V; 220 for 220/380 V)
    double networkPower = 0;     // Sк at the transformer's high-voltage side, MinimumNetworkPower or more; 0: not counted
    ConductorHeating heating = ConductorHeating::Adiabatic;
    double uteFactor = 1.25;     // UteFactors only: 1.25 for a breaker, 1.5 for a fuse
    // Permissible continuous temperature θн of the cores, by line type: paper cables and bare wires
    // as ПУЭ chapter 1.3 gives them, PVC cables as ГОСТ 31996-2012 does.
    double paperCableStart = 80, pvcCableStart = 70, overheadStart = 70;
    // Short-circuit temperature limit of the cores as ПУЭ 1.4.16 gives it (bare copper: wires under
    // tension below 20 N/mm², not busbars; ГОСТ 31996-2012 allows 160 °C for PVC up to 300 mm²).
    double pvcCableLimit = 150, paperCableLimit = 200, bareAluminiumLimit = 200, bareCopperLimit = 250;

    bool operator==(const MinimumCurrentParameters&) const = default;
};

// Below this (MV·A) a figure is no supply network: its impedance alone would swamp the loop.
constexpr double MinimumNetworkPower = 1;

// Refuses parameters outside the ranges the window accepts: the Russian message, or empty.
std::string CheckMinimumCurrentParameters(const MinimumCurrentParameters& parameters);

// Melting points of the core metals, °C: a core beyond its own has gone, and the current the
// method finds after that moment is not a current of this chain any more.
constexpr double CopperMeltingPoint = 1083;
constexpr double AluminiumMeltingPoint = 660;

// Far beyond boiling of either metal: the heating of a core stops there, so that a core of almost
// no length behind a stiff source cannot run the integration away (it has melted long before).
constexpr double CoreTemperatureCeiling = 1e6;  // °C

// The loop split into what heats and what does not. Resistances in mOhm.
struct MinimumCurrentChain {
    double rFixed = 0, xFixed = 0;  // Zт/3, Rпр and the network term
    struct Core {
        int line = 0;              // line section 0..5
        bool neutral = false;      // the neutral/PE core, else the phase core
        double r20 = 0, x = 0;     // of the core over the section's length, its parallel conductors together
        double start = 0, limit = 0;  // θн and the short-circuit limit, °C
        double melting = CopperMeltingPoint;  // of the core's metal, °C
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
    bool phaseMelted = false, neutralMelted = false;  // beyond the melting point of the metal
};

// A core passing its melting point leaves the result not ok with `melted` set: the start current
// and the temperatures are there, the minimum current and the verdict on it are not the chain's.
struct MinimumCurrentResult {
    bool ok = false;
    std::string message;          // when not ok
    bool melted = false;          // a core passed its melting point: Iк1 min is beyond the method
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
// says why not otherwise. The network term: Zс = c·(400 V)²/Sк with c = 1.1, the factor of the
// 6–10 kV side (IEC 60909-0:2016), Xс = 0.995·Zс, Rс = 0.1·Xс, two thirds of it in the loop (the
// transformer blocks the zero sequence).
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
// beyond CoreTemperatureCeiling. A core beyond its melting point at the end: see MinimumCurrentResult.
MinimumCurrentResult SolveMinimumCurrent(const MinimumCurrentChain& chain, const MinimumCurrentParameters& parameters,
                                         double time, double tripCurrent);

// Reads the chain and solves it.
MinimumCurrentResult CalculateMinimumCurrent(const NetworkDescription& network, const ShortCircuitResult& result,
                                             const MinimumCurrentParameters& parameters, double time,
                                             double tripCurrent);

// The nominal section of a core, mm², as the line table reads the text ("2.5" -> 2.5, "95" -> 95);
// 0 for "0" or a text the table refuses.
double NominalSection(const std::string& text);
