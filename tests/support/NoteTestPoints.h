// Points for the calculation note's tests: calculated ones with their inputs and a breaker, and
// report rows alone as a ".okz" document gives them.
#pragma once

#include <gtest/gtest.h>
#include <string>

#include "CalculationNote.h"
#include "ReportTable.h"

inline const NumberSeparators Russian{",", "\u00A0"};

// The worked example: paper-insulated aluminium cable 95/50 mm², 100 m, on 250 kVA T/Y-0, Rпр 40.
inline NetworkDescription CableNetwork(const std::string& parallel = "нет")
{
    NetworkDescription network = InitialNetworkDescription();
    network.Lines[0].Ff = "95";
    network.Lines[0].Fn = "50";
    network.Lines[0].Length = "100";
    network.Lines[0].QuanPar = parallel;
    return network;
}

// A point calculated from `network` with a breaker whose trip current is `tokSR`.
inline NotePoint CalculatedPoint(const std::string& name, const NetworkDescription& network, double tokSR)
{
    const CalculationOutcome outcome = CalculateShortCircuit(network);
    EXPECT_EQ(outcome.status, CalculationStatus::Success) << outcome.message;
    const bool trips = outcome.result.Iokz >= tokSR;
    const std::string time = trips ? "Тср < 0,4 с" : "Тср > 0,4 с";
    NotePoint point;
    point.row = MakePointRow(name, outcome.result, tokSR, time, Russian);
    point.inputs = NotePointInputs{network,
                                   outcome.result,
                                   {{"Аппарат защиты", "Автоматический выключатель"},
                                    {"Номинальный ток расцепителя Iном, А", "160"},
                                    {"Кратность тока мгновенного расцепителя k", "10 (\"C\")"},
                                    {"Коэффициент запаса Кз", "1,1"}},
                                   tokSR,
                                   time,
                                   trips ? "Срабатывание за нормативное время" : "Несрабатывание за нормативное время"};
    return point;
}

inline NotePoint RowOnlyPoint(const std::string& name, const std::string& time)
{
    return NotePoint{{name, "10,75", "26,72", "95,40", "12,27", "40", "146,15", "38,99", "151,26", "1527", "1000", time},
                     std::nullopt,
                     std::nullopt};
}
