// The calculation note's opening «Исходные данные» and closing «Заключение»: what the calculation
// starts from (transformers with their catalogue data, supply network, earthing system, U0,
// normative times) and what it concludes (which points fail, on which current, and what "Подбор"
// offers to make them trip).
#pragma once

#include <string>
#include <vector>

#include "CalculationNote.h"
#include "NoteConclusion.h"

class NoteBuilder;

// The designation of a winding scheme as ГОСТ writes it: "T/Y-0" -> "Д/Ун-11"; empty when unknown.
std::string WindingDesignation(const std::string& scheme);

// Catalogue data of an oil transformer ТМ/ТМГ behind the program's impedance table.
struct TransformerCatalogue {
    bool known = false;
    double uk = 0;        // %
    double lossesKw = 0;  // ΔPк, kW
    bool assumed = false; // no catalogue row: assumed values
};
TransformerCatalogue TransformerCatalogueData(int power, const std::string& scheme);

void AddInitialData(NoteBuilder& b, const std::vector<NotePoint>& points, const NoteProject& project);

// Section "5 Заключение": how many points meet the condition, and every one that does not.
void AddClosingConclusion(NoteBuilder& b, const std::vector<NotePoint>& points,
                          const std::vector<PointConclusion>& conclusions);
