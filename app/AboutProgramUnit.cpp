#include "AboutProgramUnit.h"

TAboutProgramForm* AboutProgramForm = nullptr;

TAboutProgramForm::TAboutProgramForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutProgramForm"));
    setWindowTitle(QStringLiteral("О программе..."));
}
