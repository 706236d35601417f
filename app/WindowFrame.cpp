#include "WindowFrame.h"

#include <QFont>
#include <QWidget>

#include "ContextHelp.h"

void SetUpWindow(QWidget* window, const QString& name, const QString& title, const QString& helpFile,
                 int helpContext, QSize fixedSize)
{
    window->setObjectName(name);
    window->setWindowTitle(title);
    window->setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    if (fixedSize.isValid())
        window->setFixedSize(fixedSize);
    SetHelpFile(window, helpFile);
    SetHelpContext(window, helpContext);
}
