// The folder and the fresh file names that exports write to, shared by the spreadsheet export
// and the calculation note.
#pragma once

#include <QString>

// Creates `folder` and any missing folder above it. Throws std::runtime_error (UTF-8) naming the
// folder and the platform's reason; `forWhat` completes "папку … для …" ("книги", "записки").
void MakeExportFolder(const QString& folder, const QString& forWhat);

// Creates an empty file "<stem> <date> <time>.<extension>" in `folder`, or with " (2)", " (3)" …
// before the extension when that name is taken, and returns its path. The name is taken with an
// exclusive create, so two exports never share a file and no earlier file is overwritten.
// Throws std::runtime_error; `ofWhat` completes "файл …" ("книги", "записки").
QString ReserveNewFile(const QString& folder, const QString& stem, const QString& extension, const QString& ofWhat);
