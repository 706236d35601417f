// The project document: the whole report with every point's record and the project's own fields,
// as UTF-8 text of "key=value" lines (the format is described in the README). Plain functions over
// bytes, so the format can be checked without files or windows.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "ReportRow.h"

// The first line's words; the version follows them: "Зорант проект 1.1".
constexpr std::string_view ProjectDocumentTitle = "Зорант проект ";
constexpr int ProjectFormatMajor = 1;
constexpr int ProjectFormatMinor = 2;   // 1.1: the points' minimum fault current (ток_мин);
                                        // 1.2: the title block's fields and the earthing system

// Documents larger than this are refused before they are read: 100,000 points with long texts
// stay below it (a usual point takes about 700 bytes).
constexpr long long ProjectDocumentSizeLimit = 128LL * 1024 * 1024;
// The most points (rows) a project holds: as many as a ".okz" document.
constexpr std::size_t ProjectPointLimit = 100'000;
// No line a program writes comes near this; a longer one is damage.
constexpr std::size_t ProjectLineLengthLimit = 64 * 1024;

// What the calculation note will need beside the points: the title block's fields (ГОСТ Р 21.101)
// and the earthing system. Documents before 1.2 read with the title block's fields empty and the
// earthing system at its default.
struct ProjectFields {
    std::string objectName;     // "объект"
    std::string author;         // "автор": Разраб.
    std::string designation{};    // "шифр": the document's designation
    std::string stage{};          // "стадия": П, Р, ...
    std::string organisation{};   // "организация"
    std::string checker{};        // "проверил": Пров.
    std::string normController{}; // "нормоконтроль": Н. контр.
    std::string approver{};       // "утвердил": Утв.
    std::string earthing = "TN-C-S";  // "заземление": TN-C, TN-S or TN-C-S
    bool operator==(const ProjectFields&) const = default;
};

// The earthing systems a project may name.
inline constexpr std::string_view EarthingSystems[] = {"TN-C", "TN-S", "TN-C-S"};

struct Project {
    ProjectFields fields;
    ReportRows rows;                   // from row 0 down to the last row holding text
    std::vector<std::string> records;  // per row: its record's lines (WritePointRecord), or empty;
                                       // rows with a record have distinct, non-empty names
};

// The document of `rows` (down to the last row holding text) with their `records` (as many as
// rows, or fewer: the rest have none).
std::string WriteProjectDocument(const ProjectFields& fields, const ReportRows& rows,
                                 const std::vector<std::string>& records);
// The same document handed to `sink` in pieces of about a megabyte, so that a large project is
// never held twice; writing stops when the sink returns false. True when every piece was taken.
bool WriteProjectDocument(const ProjectFields& fields, const ReportRows& rows, const std::vector<std::string>& records,
                          const std::function<bool(std::string_view)>& sink);

// The outcome of a reading: the project, or why it is refused (a Russian sentence for the user).
struct ProjectReading {
    std::optional<Project> project;
    std::string refusal;
};

// Reads a document fed to it in pieces, keeping only what the project holds, so that a loader
// never holds the document whole. After the first refusal the rest is ignored.
class ProjectReader {
public:
    void Feed(std::string_view bytes);
    bool Refused() const { return !refusal_.empty(); }
    // After the last piece.
    ProjectReading Finish();

private:
    void TakeLine(std::string_view line);
    void TakeHeader(std::string_view line);
    void EndPoint();
    void Refuse(std::string sentence);
    void Damaged(const std::string& reason);

    Project project_;
    std::string pending_;       // the unfinished last line of the bytes fed so far
    std::size_t lineNumber_ = 0;
    bool headerRead_ = false;
    bool ended_ = false;        // the "конец" line was met
    bool inPoint_ = false;
    unsigned fieldsSeen_ = 0;   // a bit per project field met
    std::string refusal_;
    std::unordered_set<std::string> recordNames_;   // names of the points with a record so far
};

ProjectReading ReadProjectDocument(std::string_view bytes);

// True when `bytes` start like a project document (its first line's words), whatever the version:
// lets an opener tell a project from a ".okz" document.
bool LooksLikeProjectDocument(std::string_view bytes);
