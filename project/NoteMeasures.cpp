#include "NoteMeasures.h"

#include "MinimumSelection.h"
#include "NoteBuilder.h"

std::optional<SelectionAnswers> PointMeasures(const NotePoint& point, const PointConclusion& conclusion)
{
    if (!point.inputs)
        return std::nullopt;
    const SelectionDevice& device = point.inputs->selection;
    if (device.kind == SelectionDevice::Kind::None)
        return std::nullopt;
    SelectionAnswers answers =
        conclusion.onMinimum
            ? SelectParametersAtMinimumCurrent(point.inputs->network, point.inputs->result, device,
                                               point.minimum->parameters, point.minimum->time)
            : SelectParameters(point.inputs->network, point.inputs->result, device);
    if (!answers.calculated || !answers.device)
        return std::nullopt;
    return answers;
}

std::string MeasuresText(const NoteBuilder& b, const SelectionAnswers& a)
{
    const NumberSeparators& sep = NoteSeparators();
    std::string text;
    switch (a.ratingAnswer) {
    case SelectionAnswer::Value:
        text = a.releaseCurrent
                   ? "ток срабатывания расцепителя не более "
                         + (a.ratingDecimals < 0 ? b.General(a.shownRating)
                                                 : FormatGroupedDown(a.shownRating, a.ratingDecimals, sep))
                         + " А"
                   : "номинальный ток не более " + b.General(a.shownRating) + " А";
        break;
    case SelectionAnswer::None: text = "ни один номинальный ток аппарата этого типа не срабатывает"; break;
    case SelectionAnswer::Any:
    case SelectionAnswer::Unknown: text = "номинальный ток: не определен"; break;
    }
    for (int n = 0; n < LineSectionCount; ++n) {
        const LineSelection& line = a.lines[size_t(n)];
        if (!line.active)
            continue;
        std::vector<std::string> ways;
        if (line.sectionAnswer == SelectionAnswer::Value)
            ways.push_back("сечение не менее " + NoteInput(line.section) + " мм²");
        else if (line.sectionAnswer == SelectionAnswer::None)
            ways.push_back("увеличение сечения не помогает");
        if (line.lengthAnswer == SelectionAnswer::Value && !line.lengthBeyond)
            ways.push_back("длина не более " + FormatGroupedDown(line.shownLength, line.lengthStep < 1 ? 1 : 0, sep)
                           + " м (задано " + b.General(line.length) + " м)");
        else if (line.lengthAnswer == SelectionAnswer::None)
            ways.push_back("сокращение длины не помогает");
        if (ways.empty())
            continue;
        text += "; участок " + std::to_string(n + 1) + ": " + ways[0];
        for (size_t i = 1; i < ways.size(); ++i)
            text += " или " + ways[i];
    }
    return text;
}
