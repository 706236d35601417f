#include "Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QScreen>

#include "HelpViewer.h"

namespace {

const QString DocumentFilter = QStringLiteral("Документ Зорант (*.okz)");
const QString ProjectFilter = QStringLiteral("Проект Зорант (*.zpr)");

// A file dialog for a document of one kind; nothing when the user cancels.
std::optional<QString> ChooseFile(QWidget* parent, const QString& initial, const QString& filter,
                                  const QString& suffix, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, QString(), initial, filter);
    dialog.setAcceptMode(mode);
    // For opening, a name that does not exist is let through: loading reports it as a failure.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(suffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!initial.isEmpty())
        dialog.selectFile(initial);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

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

    std::optional<QString> SaveProjectFileName(QWidget* parent, const QString& initial) override
    {
        return ChooseFile(parent, initial, ProjectFilter, QStringLiteral("zpr"), QFileDialog::AcceptSave);
    }

    std::optional<QString> OpenProjectFileName(QWidget* parent, const QString& initial) override
    {
        return ChooseFile(parent, initial, ProjectFilter, QStringLiteral("zpr"), QFileDialog::AcceptOpen);
    }

    Answer YesNoCancel(const QString& text) override
    {
        ProgramMessageBox box(QMessageBox::Warning, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setButtonText(QMessageBox::Yes, QStringLiteral("Да"));
        box.setButtonText(QMessageBox::No, QStringLiteral("Нет"));
        box.setButtonText(QMessageBox::Cancel, QStringLiteral("Отмена"));
        box.setEscapeButton(QMessageBox::Cancel);
        switch (box.exec()) {
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::No: return Answer::No;
        default: return Answer::Cancel;
        }
    }

    void ShowHelp(const QString& fileName, int context) override { ShowHelpTopic(fileName, context); }
};

RealDialogs realDialogs;
Dialogs* current = &realDialogs;

}  // namespace

Dialogs& CurrentDialogs() { return *current; }

void SetDialogs(Dialogs* dialogs) { current = dialogs ? dialogs : &realDialogs; }
