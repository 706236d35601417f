// "Подбор": the answers an engineer would otherwise find by trial and error — how far the
// fault current is from the device's trip current, the largest rating that still trips, and
// per line section the greatest length and the smallest section that still trip.
// Window-free: the device enters as plain values.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "LineUnit.h"
#include "ShortCircuit.h"

// The confirmed protective device as plain values.
struct SelectionDevice {
    enum class Kind {
        None,             // no device confirmed (Iср <= 0)
        Breaker,          // rated current × release multiple × Kз
        BreakerRelease,   // release current given directly × Kз
        Fuse,             // table current of the rating for the chosen time × Kз
        TripCurrentOnly,  // only Iср is known: the record does not tell how it was made
    };
    Kind kind = Kind::None;
    double tripCurrent = 0;      // Iср, A, safety factor included
    double safetyFactor = 1;     // Kз
    double releaseMultiple = 0;  // Breaker
    // Breaker: the offered rated currents; Fuse: the ratings of its type. Ascending.
    std::vector<double> ratings;
    // Fuse: the table current of each rating at the chosen time; 0 where the table has none.
    std::vector<double> tableCurrents;
};

// What one answer is: a value, "нет" (nothing suffices), "любое" (every offered section does), or
// not known ("—": no device, or the record cannot say).
enum class SelectionAnswer { Value, None, Any, Unknown };

struct LineSelection {
    bool active = false;  // the section has non-zero cores
    double length = 0;    // as entered, m
    SelectionAnswer lengthAnswer = SelectionAnswer::Unknown;
    double greatestLength = 0;  // m, the root (may be infinite when beyond every length)
    // The greatest multiple of lengthStep that trips while one step more does not, both checked
    // through the calculation's own arithmetic: tenths of a metre, and whole kilometres for roots
    // of LongLengthFrom and more. A root of ShownLengthLimit or more gives shownLength =
    // ShownLengthLimit and lengthBeyond: the device trips there and beyond.
    double shownLength = 0;
    double lengthStep = 0.1;
    bool lengthBeyond = false;
    SelectionAnswer sectionAnswer = SelectionAnswer::Unknown;
    std::string section;        // the smallest offered section that trips ("70")
};

struct SelectionAnswers {
    bool calculated = false;  // a successful calculation of this network is at hand
    std::string refusal;      // not calculated though it is: why the answers cannot be given
    bool device = false;      // a device is confirmed (Iср > 0)
    double iokz = 0, tripCurrent = 0;
    double margin = 0;        // Iокз / Iср
    SelectionAnswer ratingAnswer = SelectionAnswer::Unknown;
    bool releaseCurrent = false;  // the rating is a release current (Iокз / Kз), not a listed rating
    double rating = 0;            // exact: the listed rating, or Iокз / Kз
    // The listed rating; or Iокз / Kз rounded down to ratingDecimals decimals (1, more for a current
    // below 0.1 A so that it keeps its own digits) and checked both ways; ratingDecimals < 0: a
    // current too small for 18 decimals, shown as it is.
    double shownRating = 0;
    int ratingDecimals = 0;
    std::array<LineSelection, LineSectionCount> lines;
};

// From this length on (m) the greatest length is found to whole kilometres: tenths of a metre
// would need more digits than the window shows.
constexpr double LongLengthFrom = 1e9;
// A root of this length (m) or more is answered as "more than this".
constexpr double ShownLengthLimit = 1e18;

// The loop of one calculated network, split so that one section can be changed.
struct SelectionChain {
    double Rt = 0, Xt = 0, Rother = 0;
    std::array<double, LineSectionCount> RLine{}, XLine{};
    struct Section {
        bool active = false;
        double rPerMetre = 0, xPerMetre = 0;  // phase + neutral core, mOhm/m
        double length = 0;
        int count = 1;
        std::string material, lineType;
    };
    std::array<Section, LineSectionCount> sections;
    double Iokz = 0;
};

// The chain of `network`, when it is the network whose calculation gave `result`.
std::optional<SelectionChain> ReadSelectionChain(const NetworkDescription& network,
                                                 const ShortCircuitResult& result);

// Iокз of the chain with section `line` (0..5) given these resistance and reactance, summed
// in the calculation's own order, so that an unchanged section gives the calculated Iокз exactly.
double ChainIokz(const SelectionChain& chain, int line, double rLine, double xLine);
// Iокз with section `line` at `length` metres, all else unchanged.
double ChainIokzAtLength(const SelectionChain& chain, int line, double length);

// The smallest section that the calculation accepts, in the order of the main window's list.
const std::vector<std::string>& OfferedSections();

// Trip current a listed rating (index into device.ratings) would have; 0 when it has none.
double CandidateTripCurrent(const SelectionDevice& device, std::size_t rating);

// The greatest k × 10^exponent >= 0 at which `tripsAt` holds while (k + 1) × 10^exponent does not;
// nothing when not even 0 trips. Searched from `estimate` outwards by doubling steps, then by
// halving: an estimate exact to rounding costs two calls, one off by n steps about 2·log2(n) more.
// Where k + 1 is no longer apart from k in a double, the greatest k found.
std::optional<double> GreatestStep(double estimate, int exponent, const std::function<bool(double)>& tripsAt);

// The greatest length of one section, the same for the program's Iокз and for Iк1 min, from
// `root`, the length at which the current equals Iср as closely as it is known (infinite or
// ShownLengthLimit and more: beyond every length). When the device trips at ShownLengthLimit
// itself, "more than that"; else the greatest multiple of the step (0.1 m; 1 km for a root of
// LongLengthFrom or more) at which `tripsAt` holds while one step more does not, or "нет" when
// not even 0 m trips.
void AnswerGreatestLength(double root, const std::function<bool(double)>& tripsAt, LineSelection& answer);

// The smallest offered section (the same for phase and neutral core) at which `tripsWith` says the
// device trips, skipping sections not made for `material` and `lineType`: "нет" when none does,
// "любое" when every one does, into `answer`.
void AnswerSmallestSection(const std::string& material, const std::string& lineType,
                           const std::function<bool(const std::string&, const LineImpedance&)>& tripsWith,
                           LineSelection& answer);

// The largest rating of `device` (or release current) that still trips at `current`, into `answers`.
void AnswerRating(const SelectionDevice& device, double current, SelectionAnswers& answers);
// What both sets of answers begin with, at `current` (the program's Iокз or Iк1 min): the chain's
// sections, and for a device with a trip current its margin (held below 1 when `trips` is false, so
// that a quotient rounded up does not promise a trip) and its largest rating. False when there is
// no such device and the lines' answers are not to be sought.
bool StartAnswers(const SelectionChain& chain, double current, const SelectionDevice& device, bool trips,
                  SelectionAnswers& answers);

// Every answer for the calculated network and the confirmed device.
SelectionAnswers SelectParameters(const NetworkDescription& network, const ShortCircuitResult& result,
                                  const SelectionDevice& device);
