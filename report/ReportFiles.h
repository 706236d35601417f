// Saving the report to a ".okz" document and loading one, with the file dialogs, the questions
// and the error boxes of CurrentDialogs(). The windows call these; the file work lives here.
#pragma once

#include <QString>
#include <optional>

#include "ProjectDocument.h"
#include "ReportRow.h"

class QWidget;

// A chosen file name with the default extension "okz" appended when the name has none.
QString WithDocumentExtension(const QString& fileName);

// Asks for a name (offering `lastName`, which then holds the name chosen), asks before replacing
// an existing file, and writes `rows`. A failed write leaves an existing document as it was.
// True when a document was written.
bool SaveReportDocument(QWidget* parent, const ReportRows& rows, QString& lastName);

// Asks for a document (offering `lastName`, which then holds the name chosen), reads it whole,
// refuses a file that is no report document (a project among them), asks whether to read
// well-formed UTF-8 holding Cyrillic as UTF-8 and, when the document is damaged, whether to take
// it anyway. An empty document over a report that `reportHoldsPoints` is taken only after a
// question. Returns the report to show (at least 14 rows), or nothing when the user gave up or
// the file could not be read.
std::optional<ReportRows> LoadReportDocument(QWidget* parent, QString& lastName, bool reportHoldsPoints = false);

// A chosen project file name with the extension "zpr" appended when the name has none.
QString WithProjectExtension(const QString& fileName);

// As SaveReportDocument, for the project document (the system's reasons for a failure follow
// what failed and the file's name) of `rows`, their `records` and `fields`.
bool SaveProjectDocument(QWidget* parent, const ProjectFields& fields, const ReportRows& rows,
                         const std::vector<std::string>& records, QString& lastName);

// Asks for a project (offering `lastName`, which then holds the name chosen) and reads it piece by
// piece, never holding it whole. A document that is damaged, cut, foreign, of a newer version, too
// large or of too many points, and a file that is no regular file, is refused with an error box that says why. Returns the project, or
// nothing when the user gave up or it was refused.
std::optional<Project> LoadProjectDocument(QWidget* parent, QString& lastName);
