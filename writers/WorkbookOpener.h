// Hands a written workbook to the user's spreadsheet program. Tests put their own opener in
// place so that no program is started.
#pragma once

#include <QString>

class WorkbookOpener {
public:
    virtual ~WorkbookOpener() = default;

    // Whether this computer has a program that opens .xlsx workbooks.
    virtual bool CanOpen() = 0;
    // Opens the workbook in the program that the last CanOpen found; throws std::runtime_error
    // when it cannot be started.
    virtual void Open(const QString& path) = 0;
};

// The opener in use: the real one unless a test has put its own in place.
WorkbookOpener& CurrentWorkbookOpener();
// Puts `opener` in place (not owned); nullptr restores the real one.
void SetWorkbookOpener(WorkbookOpener* opener);
