// The calculation note "Расчет токов однофазного короткого замыкания и проверка условий
// автоматического отключения питания" as data: its numbered sections, tables and chain figures,
// built from the report's points without any window or painter. A renderer lays it out on pages.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Numbers.h"
#include "PointRecord.h"
#include "ReportRow.h"
#include "Selection.h"
#include "ShortCircuit.h"

// What is known of a point beyond its report row: the main window's texts it was calculated
// from, the result and the protective device of that moment.
struct NotePointInputs {
    NetworkDescription network;
    ShortCircuitResult result;
    // The device as the device window named it: pairs of parameter and value, in order
    // ("Аппарат защиты", "Автоматический выключатель"), ("Iном, А", "25") ...; empty when none.
    std::vector<std::pair<std::string, std::string>> device;
    double tokSR = 0;      // trip current with the safety factor, A; <= 0: no device
    std::string tripTime;  // "Тср < 0,4 с", as the result window showed it
    std::string verdict;   // "Срабатывание за нормативное время", as the main window showed it
    SelectionDevice selection{};  // the device as "Подбор" takes it; kind None: it cannot
    std::string fuseWarning{};    // a fuse below its gG gate: the result window's warning, or empty
};

// One fault point of the note.
struct NotePoint {
    ReportRow row;                          // the report row: name and figures as texts
    std::optional<NotePointInputs> inputs;  // absent for points read from ".okz" documents
    std::optional<PointMinimumCurrent> minimum;  // Iк1 min, where the point keeps it
    // For a project point whose stored inputs no longer calculate: the calculation's message
    // (the point then has no inputs, and the note must not call it a ".okz" point).
    std::string notCalculated;
};

// The project fields of the title block.
struct NoteProject {
    std::string object;
    std::string author;
    std::string date;
    std::string earthing = "TN-C-S";
    // The title block's fields; empty ones stay blank in the block.
    std::string designation{}, stage{}, organisation{}, checker{}, normController{}, approver{};
};

// A table with its number and caption. Bold rows: failing points in the summary (whose name
// cell also carries FailingPointMark, so black-and-white print shows them) and the loop sums.
struct NoteTable {
    int number = 0;
    std::string caption;                 // without "Таблица N —"
    std::vector<std::string> header;
    std::vector<int> widths;             // relative column widths, one per column
    std::vector<bool> numeric;           // right-aligned columns
    std::vector<std::vector<std::string>> rows;
    std::vector<bool> bold;              // one per row
};

// The chain of one point: transformer, line sections in order, the fault point.
struct ChainLink {
    std::string title;               // "Участок 1"
    std::vector<std::string> lines;  // type, material, cores, length, parallel count
};
struct NoteFigure {
    int number = 0;
    std::string caption;         // without "Рисунок N —"
    std::string transformer;     // "ТМ 250 кВ·А, T/Y-0"
    std::string device;          // the protective device at the line's start: "QF 100 А, «C»"; empty: none
    bool fuse = false;           // the device is a fuse (else a circuit breaker)
    std::vector<ChainLink> links;
    std::string faultPoint;      // the point's name
};

// One block of the text, in reading order.
struct NoteBlock {
    enum class Kind { Heading, Paragraph, Formula, Table, Figure };
    Kind kind = Kind::Paragraph;
    int level = 1;        // Heading: 1 for "1 Методика", 2 for "3.1 Точка К-1"
    std::string text;     // Heading (with its number), Paragraph, Formula
    NoteTable table;      // Table
    NoteFigure figure;    // Figure
};

struct CalculationNote {
    std::string title;     // the document's name
    NoteProject project;
    std::vector<NoteBlock> blocks;
};

// The mark that a failing point's summary row carries before its name.
extern const char* const FailingPointMark;

// Reading and formatting choices for the note: the regional separators in use.
struct NoteFormat {
    NumberSeparators separators;
};

// Builds the note for `points` (in order). Points whose protective device does not trip within
// the normative time are marked in the summary; points without inputs appear in the summary and
// get a short section that says their inputs are not known. No point gives a note that says so.
CalculationNote BuildCalculationNote(const std::vector<NotePoint>& points, const NoteProject& project,
                                     const NoteFormat& format);

// The note's points made of report rows alone: the leading named rows, none with inputs.
std::vector<NotePoint> PointsFromReportRows(const ReportRows& rows);

// Whether the point's device fails the check: "Несрабатывание" when the verdict is known, else a
// trip time text "Тср > ...".
bool PointFails(const NotePoint& point);

// The points a note covers: every leading named row, or only `selectedRow` when `selectedOnly`
// (nothing when that row is not among them).
std::vector<NotePoint> ChooseNotePoints(const std::vector<NotePoint>& points, bool selectedOnly, int selectedRow);

struct Project;

// A point of a project document: its row, and the inputs its record keeps, recalculated (a
// record whose network no longer calculates gives a point without inputs, saying why).
NotePoint NotePointFromRecord(const ReportRow& row, const PointRecord& record);

// The points of a project: its leading named rows, each with its record when it has a readable one.
std::vector<NotePoint> PointsFromProject(const Project& project);

// The project's own fields for the title block, dated `date`.
NoteProject NoteProjectFields(const Project& project, const std::string& date);
