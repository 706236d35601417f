// The application object: shows an error that escapes an event handler in an error box and
// lets the program go on, and ends the event loop when the main window closes.
#pragma once

#include <QApplication>
#include <QLocale>
#include <QPointer>
#include <QWidget>

class QTranslator;

class TZorantApplication : public QApplication {
    Q_OBJECT
public:
    TZorantApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Closing this window ends the event loop, whatever other windows are still open.
    void SetMainWindow(QWidget* window);

private:
    QPointer<QWidget> mainWindow;
};

// The text of the error box for an error whose own text is `message`: a full stop is appended
// when the last character comes after "." in character code order.
QString ErrorBoxText(const QString& message);

// Puts Qt's own Russian texts (file dialogs, the standard buttons of message boxes) in place when
// `locale` speaks Russian; the program's own captions are fixed texts and stay as they are.
// Returns the translator, owned by the application, or nullptr when none was installed.
QTranslator* InstallToolkitTranslations(const QLocale& locale = QLocale::system());
