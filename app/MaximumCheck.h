// What the window "Проверка по максимальному току КЗ" reads and writes, without the window:
// its fields read and refused, the answers for the last calculation and their texts.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "MaximumCurrent.h"
#include "Numbers.h"

// What the window keeps while the program runs. Sк is the one of "Проверка по минимальному току
// КЗ": the window reads it from there and writes it back.
struct MaximumCheckSettings {
    int place = 0;               // the start of section 1..6; 0: of the last section of some length
    double cMax = 1.05;
    double networkPower = 0;     // MV·A; 0: not counted
    double breakerCapacity = 0;  // Icu or Icn, kA; 0: not given
    double fuseCapacity = 0;     // the fuse's breaking capacity, kA; 0: not given

    bool operator==(const MaximumCheckSettings&) const = default;
};

// The capacities offered for a breaker (Icn of modular breakers) and for a fuse, kA, as typed.
QStringList OfferedCapacities(bool fuse);

// The fields as the window holds them (numbers with a point, as every input of the program).
struct MaximumCheckFieldTexts {
    int placeIndex = 0;  // 0: the default place, 1..6: the start of that section
    int cMaxIndex = 0;   // 0: 1.05, 1: 1.10
    QString networkPower;
    QString capacity;    // of the kind of device confirmed
};
MaximumCheckFieldTexts MaximumCheckFieldTextsOf(const MaximumCheckSettings& settings, bool fuse);

// The settings, or the message of the first field refused and its control's name. An empty Sк
// means the network is not counted, an empty capacity that none is given.
struct MaximumCheckFieldReading {
    std::optional<MaximumCheckSettings> settings;
    QString message;
    QString field;
};
MaximumCheckFieldReading ReadMaximumCheckFields(const MaximumCheckFieldTexts& texts,
                                                const MaximumCheckSettings& current,
                                                bool fuse);

struct MaximumCheckAnswers {
    QString failure;  // nothing to show: why
    bool fuse = false;
    MaximumCurrentResult result;
    double capacity = 0;  // kA; 0: not given
    BreakingVerdict verdict;
    double smallest = 0;  // the smallest offered capacity that suffices, kA; 0: none of them
};
MaximumCheckAnswers CheckMaximumCurrent(const NetworkDescription& network, const ShortCircuitResult& shortCircuit,
                                        const MaximumCheckSettings& settings, bool fuse);

struct MethodTexts {
    QString threePhase, singlePhase, twoPhase, peak, kappa;
};
struct MaximumCheckTexts {
    QString note, place, greatest, peak;
    MethodTexts gost, iec;
    QString verdict, margin, making, makingVerdict, smallest;
    bool short_ = false, makingShort = false;  // written in red
};
MaximumCheckTexts ComposeMaximumCheckTexts(const MaximumCheckAnswers& answers, const NumberSeparators& separators);
