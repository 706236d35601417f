#include "NoteExport.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QUrl>
#include <stdexcept>

#include "ExportFiles.h"
#include "NoteRenderer.h"

namespace {

class DesktopNoteViewer final : public NoteViewer {
public:
    void Open(const QString& path) override
    {
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
            throw std::runtime_error(QStringLiteral("Не удалось открыть расчетную записку «%1» программой просмотра PDF")
                                         .arg(QDir::toNativeSeparators(path))
                                         .toStdString());
    }
};

DesktopNoteViewer desktopViewer;
NoteViewer* currentViewer = &desktopViewer;

}  // namespace

NoteViewer& CurrentNoteViewer() { return *currentViewer; }

void SetNoteViewer(NoteViewer* viewer) { currentViewer = viewer ? viewer : &desktopViewer; }

QString SaveCalculationNote(const CalculationNote& note, const QString& folder)
{
    MakeExportFolder(folder, QStringLiteral("записки"));
    const QString path = ReserveNewFile(folder, QStringLiteral("Расчетная записка"), QStringLiteral("pdf"),
                                        QStringLiteral("записки"));
    try {
        WriteCalculationNotePdf(note, path);
    } catch (...) {
        // The reserved empty file is no note.
        QFile::remove(path);
        throw;
    }
    return path;
}
