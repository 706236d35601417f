#include "Application.h"

#include <QEvent>
#include <QLibraryInfo>
#include <QTranslator>
#include <QWidget>
#include <exception>
#include <memory>

#include "Dialogs.h"

QString ErrorBoxText(const QString& message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

TZorantApplication::TZorantApplication(int& argc, char** argv) : QApplication(argc, argv) {}

void TZorantApplication::SetMainWindow(QWidget* window) { mainWindow = window; }

bool TZorantApplication::notify(QObject* receiver, QEvent* event)
{
    // Read before delivery: the receiver may be gone afterwards.
    const bool closesMainWindow =
        event->type() == QEvent::Close && mainWindow != nullptr && receiver == static_cast<QObject*>(mainWindow.data());
    try {
        const bool handled = QApplication::notify(receiver, event);
        if (closesMainWindow && event->isAccepted())
            quit();
        return handled;
    } catch (const std::exception& error) {
        CurrentDialogs().Error(ErrorBoxText(QString::fromUtf8(error.what())));
    } catch (...) {
        CurrentDialogs().Error(ErrorBoxText(QStringLiteral("Непредвиденная ошибка")));
    }
    return false;
}

QTranslator* InstallToolkitTranslations(const QLocale& locale)
{
    if (locale.language() != QLocale::Russian)
        return nullptr;
    auto translator = std::make_unique<QTranslator>(QCoreApplication::instance());
    // Debian's qt6-translations-l10n puts qtbase_ru.qm there; without it Qt simply stays English.
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return nullptr;
    QCoreApplication::installTranslator(translator.get());
    return translator.release();
}
