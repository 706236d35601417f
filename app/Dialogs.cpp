#include "Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

#include "HelpViewer.h"

namespace {

const QString DocumentFilter = QStringLiteral("Документ Зорант (*.okz)");

class RealDialogs final : public Dialogs {
public:
    void Message(const QString& text) override
    {
        QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok,
                        QApplication::activeWindow());
        box.exec();
    }

    bool Question(const QString& text) override
    {
        QMessageBox box(QMessageBox::Warning, QApplication::applicationName(), text,
                        QMessageBox::Ok | QMessageBox::Cancel, QApplication::activeWindow());
        box.setEscapeButton(QMessageBox::Cancel);
        return box.exec() == QMessageBox::Ok;
    }

    void Error(const QString& text) override
    {
        QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), text, QMessageBox::Ok,
                        QApplication::activeWindow());
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
