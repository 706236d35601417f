// Every message box and file dialog of the program passes through here, so tests can
// replace them with a recording fake.
#pragma once

#include <QString>
#include <optional>

class QWidget;

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Plain message: one sentence, one OK button, no icon.
    virtual void Message(const QString& text) = 0;
    // Warning question with OK and Cancel; true only for OK.
    virtual bool Question(const QString& text) = 0;
    // Error box with a stop icon and one OK button.
    virtual void Error(const QString& text) = 0;

    // File dialogs with the filter "Документ Зорант" (*.okz) and the default extension "okz".
    // `initial` is the name last chosen in this dialog. Nothing when the user cancels.
    virtual std::optional<QString> SaveFileName(QWidget* parent, const QString& initial) = 0;
    virtual std::optional<QString> OpenFileName(QWidget* parent, const QString& initial) = 0;

    // The same for the project document: the filter "Проект Зорант" (*.zpr) and the extension "zpr".
    virtual std::optional<QString> SaveProjectFileName(QWidget* parent, const QString& initial) = 0;
    virtual std::optional<QString> OpenProjectFileName(QWidget* parent, const QString& initial) = 0;

    // Question with the buttons "Да", "Нет" and "Отмена" (Escape and closing the box: Отмена).
    enum class Answer { Yes, No, Cancel };
    virtual Answer YesNoCancel(const QString& text) = 0;

    // Shows topic `context` of the help file `fileName` in the help viewer.
    virtual void ShowHelp(const QString& fileName, int context) = 0;
};

// The dialogs in use: the real ones unless a test has put its own in place.
Dialogs& CurrentDialogs();
// Puts `dialogs` in place (not owned); nullptr restores the real ones.
void SetDialogs(Dialogs* dialogs);
