#include "MainUnit.h"

#include <QLabel>

TMainForm* MainForm = nullptr;
ShortCircuitResult SharedResult;

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Зорант 2.1"));
    IokzLabel = new QLabel(QStringLiteral("Введите исходные данные для расчета"), this);
    IokzLabel->setObjectName(QStringLiteral("IokzLabel"));
    StatusDDLabel = new QLabel(QStringLiteral("В расчете не определен"), this);
    StatusDDLabel->setObjectName(QStringLiteral("StatusDDLabel"));
}
