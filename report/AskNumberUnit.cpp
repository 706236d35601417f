#include "AskNumberUnit.h"

TAskNumberForm* AskNumberForm = nullptr;

TAskNumberForm::TAskNumberForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AskNumberForm"));
    setWindowTitle(QStringLiteral("Запрос номера точки ОКЗ"));
}
