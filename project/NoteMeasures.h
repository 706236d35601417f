// What "Подбор" offers a point that fails the disconnection condition, found on the current the
// point's conclusion rests on (Iк1 min where the point keeps it): the largest rating that trips,
// the smallest section and the greatest length of each line section.
#pragma once

#include <optional>
#include <string>

#include "NoteConclusion.h"
#include "Selection.h"

class NoteBuilder;

// Nothing for a point without inputs or without a device "Подбор" can work with.
std::optional<SelectionAnswers> PointMeasures(const NotePoint& point, const PointConclusion& conclusion);

// The answers as one phrase: "номинальный ток не более 100 А; участок 1: сечение не менее 70 мм² или
// длина не более 85,3 м".
std::string MeasuresText(const NoteBuilder& b, const SelectionAnswers& answers);
