#include "Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QScreen>

#include "HelpViewer.h"

namespace {

const QString DocumentFilter = QStringLiteral("Документ Зорант (*.okz)");

// A message box of the program: captioned with the application's title and centred on the
// screen, not over the window it belongs to (which stays its parent, so it stays on top of it).
class ProgramMessageBox final : public QMessageBox {
public:
    ProgramMessageBox(Icon icon, const QString& text, StandardButtons buttons)
        : QMessageBox(icon, QApplication::applicationName(), text, buttons, QApplication::activeWindow())
    {
    }

protected:
    void showEvent(QShowEvent* event) override
    {
        // The box takes its final size here, so it is centred after that.
        QMessageBox::showEvent(event);
        if (const QScreen* shown = screen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(shown->availableGeometry().center());
            move(frame.topLeft());
        }
    }
};

class RealDialogs final : public Dialogs {
public:
    void Message(const QString& text) override
    {
        ProgramMessageBox box(QMessageBox::NoIcon, text, QMessageBox::Ok);
        box.exec();
    }

    bool Question(const QString& text) override
    {
        ProgramMessageBox box(QMessageBox::Warning, text, QMessageBox::Ok | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        return box.exec() == QMessageBox::Ok;
    }

    void Error(const QString& text) override
    {
        ProgramMessageBox box(QMessageBox::Critical, text, QMessageBox::Ok);
        box.exec();
    }

    std::optional<QString> SaveFileName(QWidget* parent, const QString& initial) override
    {
        QFileDialog dialog(parent, QString(), initial, DocumentFilter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(QStringLiteral("okz"));
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        if (!initial.isEmpty())
            dialog.selectFile(initial);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().constFirst();
    }

    std::optional<QString> OpenFileName(QWidget* parent, const QString& initial) override
    {
        QFileDialog dialog(parent, QString(), initial, DocumentFilter);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        // A name that does not exist is let through: loading reports it as an input/output failure.
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(QStringLiteral("okz"));
        if (!initial.isEmpty())
            dialog.selectFile(initial);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().constFirst();
    }

    void ShowHelp(const QString& fileName, int context) override { ShowHelpTopic(fileName, context); }
};

RealDialogs realDialogs;
Dialogs* current = &realDialogs;

}  // namespace

Dialogs& CurrentDialogs() { return *current; }

void SetDialogs(Dialogs* dialogs) { current = dialogs ? dialogs : &realDialogs; }
