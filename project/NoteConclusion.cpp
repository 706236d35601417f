#include "NoteConclusion.h"

#include "NoteBuilder.h"
#include "ReportTable.h"

namespace {

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }
bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The check at Iокз as the point was calculated: its verdict when known, else its trip time text.
NoteCheck IokzCheck(const NotePoint& point)
{
    if (point.inputs) {
        if (StartsWith(point.inputs->verdict, "Несрабатывание"))
            return NoteCheck::Fails;
        if (StartsWith(point.inputs->verdict, "Срабатывание"))
            return NoteCheck::Passes;
    }
    const std::string& time = point.row[11];
    if (Contains(time, ">"))
        return NoteCheck::Fails;
    if (Contains(time, "<"))
        return NoteCheck::Passes;
    return NoteCheck::Unknown;
}

std::optional<double> RowNumber(const std::string& text, const NumberSeparators& regional)
{
    for (const NumberSeparators& form : {DocumentSeparators(regional), regional})
        if (const auto number = ReadWrittenNumber(text, form))
            return number->value;
    return std::nullopt;
}

const char* Verdict(NoteCheck check)
{
    return check == NoteCheck::Fails ? "несрабатывание за нормативное время" : "срабатывание за нормативное время";
}

const char* Relation(NoteCheck check) { return check == NoteCheck::Fails ? " < " : " ≥ "; }

}  // namespace

PointConclusion ConcludePoint(const NotePoint& point, const NumberSeparators& regional)
{
    PointConclusion c;
    c.atIokz = IokzCheck(point);
    if (point.minimum && point.minimum->tripCurrent > 0)
        c.atMinimum = point.minimum->trips ? NoteCheck::Passes : NoteCheck::Fails;
    if (c.atIokz == NoteCheck::Fails || c.atMinimum == NoteCheck::Fails)
        c.overall = NoteCheck::Fails;
    else if (c.atIokz == NoteCheck::Passes || c.atMinimum == NoteCheck::Passes)
        c.overall = NoteCheck::Passes;
    // The smaller current binds; should Iокз fail where Iк1 min does not, Iокз is the one that fails.
    c.onMinimum = c.atMinimum != NoteCheck::Unknown && !(c.atIokz == NoteCheck::Fails && c.atMinimum == NoteCheck::Passes);
    if (c.onMinimum) {
        c.bindingCurrent = point.minimum->current;
        c.tripCurrent = point.minimum->tripCurrent;
    } else if (point.inputs) {
        c.bindingCurrent = point.inputs->result.Iokz;
        c.tripCurrent = point.inputs->tokSR > 0 ? point.inputs->tokSR : 0;
    } else {
        c.bindingCurrent = RowNumber(point.row[9], regional).value_or(0);
        c.tripCurrent = RowNumber(point.row[10], regional).value_or(0);
    }
    return c;
}

std::string CheckText(NoteCheck check)
{
    switch (check) {
    case NoteCheck::Passes: return "обеспечено";
    case NoteCheck::Fails: return "не обеспечено";
    case NoteCheck::Unknown: break;
    }
    return "не определено";
}

std::string NormativeTime(const std::string& tripTime) { return Contains(tripTime, "5 с") ? "5 с" : "0,4 с"; }

std::string PointConclusionText(const NoteBuilder& b, const NotePoint& point, const PointConclusion& c)
{
    const NotePointInputs& in = *point.inputs;
    const std::string iokz = "Iокз = " + b.Amps(in.result.Iokz) + " А";
    const std::string time = "нормативное время не более " + NormativeTime(in.tripTime);
    if (c.atMinimum == NoteCheck::Unknown) {
        return "Заключение: " + iokz + Relation(c.atIokz) + "Iср = " + b.Amps(in.tokSR) + " А — " + Verdict(c.atIokz)
               + " (" + time + "). Вывод основан только на Iокз, который завышен (см. 2.1): наименьший ток "
                 "короткого замыкания Iк1 min для точки не определен.";
    }
    const PointMinimumCurrent& m = *point.minimum;
    std::string text = "Заключение: условие автоматического отключения питания [2], [3] проверено по наименьшему "
                       "току: Iк1 min = " + b.Amps(m.current) + " А" + Relation(c.atMinimum) + "Iср = "
                       + b.Amps(m.tripCurrent) + " А; " + iokz + Relation(c.atIokz) + "Iср = " + b.Amps(in.tokSR)
                       + " А — " + Verdict(c.overall) + " (" + time + "); вывод сделан по "
                       + (c.onMinimum ? "Iк1 min." : "Iокз.");
    if (c.atIokz != c.atMinimum && c.atIokz != NoteCheck::Unknown)
        text += c.atMinimum == NoteCheck::Fails
                    ? " По Iокз условие выполняется, по наименьшему току Iк1 min — нет, поэтому отключение за "
                      "нормативное время не обеспечено."
                    : " По наименьшему току Iк1 min условие выполняется, по Iокз — нет, поэтому отключение за "
                      "нормативное время не обеспечено.";
    return text;
}
