#include "WindowFrame.h"

#include <QDialog>
#include <QFont>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QWidget>

#include "ContextHelp.h"
#include "StatusHints.h"

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

QPushButton* MakeCloseButton(QWidget* window, int clientWidth, int top, const QString& hint)
{
    auto* button = new QPushButton(window->style()->standardIcon(QStyle::SP_DialogOkButton),
                                   QStringLiteral("Закрыть"), window);
    button->setObjectName(QStringLiteral("CloseButton"));
    button->setFont(QFont(QStringLiteral("Arial"), 9));
    button->setGeometry((clientWidth - 89) / 2, top, 89, 25);
    button->setAutoDefault(false);
    SetStatusHint(button, hint);
    if (auto* dialog = qobject_cast<QDialog*>(window))
        QObject::connect(button, &QPushButton::clicked, dialog, &QDialog::accept);
    return button;
}

QStatusBar* MakeHintStatusBar(QWidget* window, int clientWidth, int clientHeight)
{
    auto* bar = new QStatusBar(window);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    bar->setGeometry(0, clientHeight - StatusBarHeight, clientWidth, StatusBarHeight);
    SetStatusHint(bar, QStringLiteral("Строка помощи"));
    AttachHintStatusBar(window, bar);
    return bar;
}

void CentreOnScreen(QWidget* window)
{
    if (const QScreen* shown = window->screen()) {
        QRect frame = window->frameGeometry();
        frame.moveCenter(shown->availableGeometry().center());
        window->move(frame.topLeft());
    }
}
