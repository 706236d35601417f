// The calculation note's sections add their blocks through one builder, which numbers tables and
// figures through the whole note and writes every number with the note's Russian separators.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "CalculationNote.h"
#include "NoteText.h"

class NoteBuilder {
public:
    // `regional`: the separators the report's rows were written with, for reading them back.
    NoteBuilder(CalculationNote& note, const NumberSeparators& regional) : note_(note), regional_(regional) {}

    void Heading(int level, const std::string& text) { Add(NoteBlock::Kind::Heading, text, level); }
    void Paragraph(const std::string& text) { Add(NoteBlock::Kind::Paragraph, text); }
    void Formula(const std::string& text) { Add(NoteBlock::Kind::Formula, text); }

    NoteTable& Table(const std::string& caption, std::vector<std::string> header, std::vector<int> widths,
                     std::vector<bool> numeric)
    {
        NoteBlock& block = Add(NoteBlock::Kind::Table, {});
        block.table.number = ++tables_;
        block.table.caption = caption;
        block.table.header = std::move(header);
        block.table.widths = std::move(widths);
        block.table.numeric = std::move(numeric);
        return block.table;
    }

    NoteFigure& Figure(const std::string& caption)
    {
        NoteBlock& block = Add(NoteBlock::Kind::Figure, {});
        block.figure.number = ++figures_;
        block.figure.caption = caption;
        return block.figure;
    }

    std::string Ohms(double value) const { return FormatGrouped(value, 2, NoteSeparators()); }
    std::string WholeOhms(double value) const { return FormatGrouped(value, 0, NoteSeparators()); }
    std::string Amps(double value) const { return FormatCurrent(value, NoteSeparators()); }
    std::string General(double value) const { return FormatGeneral(value, NoteSeparators()); }
    // A ratio rounded down: 0,995 is 0,99, never 1,00 beside a failing verdict.
    std::string Margin(double value) const { return FormatGroupedDown(value, 2, NoteSeparators()); }
    // A figure of a report row with the note's separators.
    std::string RowFigure(const std::string& text) const { return NoteRowFigure(text, regional_); }
    const NumberSeparators& Regional() const { return regional_; }

private:
    NoteBlock& Add(NoteBlock::Kind kind, const std::string& text, int level = 1)
    {
        NoteBlock& block = note_.blocks.emplace_back();
        block.kind = kind;
        block.text = text;
        block.level = level;
        return block;
    }

    CalculationNote& note_;
    NumberSeparators regional_;
    int tables_ = 0;
    int figures_ = 0;
};

inline void AddRow(NoteTable& table, std::vector<std::string> cells, bool bold = false)
{
    table.rows.push_back(std::move(cells));
    table.bold.push_back(bold);
}

inline std::string Quoted(const std::string& name) { return "«" + name + "»"; }
