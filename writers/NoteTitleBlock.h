// The title blocks of a text document after ГОСТ Р 21.101-2020 (forms 5 and 6, the frames of
// ГОСТ 2.104 forms 2 and 2a): the first sheet's main inscription, 185×40 mm, the following sheets'
// one, 185×15 mm, and the additional columns in the binding margin. Positions in millimetres on
// the A4 sheet, so that a test can find each caption where the standard puts it.
#pragma once

#include <QString>

#include "CalculationNote.h"

class QPainter;
class QPaintDevice;

// The frame's lower right corner and the blocks' sizes.
constexpr double TitleBlockRight = 205, TitleBlockBottom = 292;
constexpr double TitleBlockWidth = 185, FirstTitleBlockHeight = 40, OtherTitleBlockHeight = 15;

// A caption's cell on the sheet: left, top, width, height in millimetres.
struct TitleCell {
    double x, y, w, h;
};

// Cells of the first sheet's block: the change columns' captions «Изм.», «Кол.уч.», «Лист»,
// «№ док.», «Подп.», «Дата» (row 3), the roles (rows 4-8); "обозначение", "наименование", «Стадия»,
// "Лист документа" (the caption «Лист» of the sheet column), «Листов», their values "стадия",
// "лист", "листов", and "организация".
TitleCell FirstBlockCell(const QString& caption);
// Cells of the following sheets' block: the change columns' captions, the designation, «Лист» and
// the sheet number.
TitleCell OtherBlockCell(const QString& caption);

// Paints the block of sheet `page` of `total` with `painter` on `device` (whose resolution sets
// the millimetre), and the binding margin's additional columns.
void PaintTitleBlock(QPainter& painter, QPaintDevice& device, const CalculationNote& note, int page, int total);
