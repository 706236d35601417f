// A stand-in for the spreadsheet program: says whether one is installed and records the
// workbooks it was asked to open.
#pragma once

#include <QStringList>
#include <stdexcept>

#include <functional>

#include "WorkbookOpener.h"

class FakeWorkbookOpener final : public WorkbookOpener {
public:
    FakeWorkbookOpener() { SetWorkbookOpener(this); }
    ~FakeWorkbookOpener() override { SetWorkbookOpener(nullptr); }

    bool installed = true;     // what CanOpen answers
    bool failToOpen = false;   // Open throws instead of opening
    QStringList opened;        // paths given to Open, in order
    std::function<void()> whileOpening;   // what happens while a workbook opens (events let through)

    bool CanOpen() override { return installed; }
    void Open(const QString& path) override
    {
        if (failToOpen)
            throw std::runtime_error("the spreadsheet program did not start");
        opened << path;
        if (whileOpening)
            whileOpening();
    }
};
