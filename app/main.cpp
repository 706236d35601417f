#include <QApplication>

#include "Forms.h"
#include "MainUnit.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    CreateForms();
    MainForm->show();
    const int code = app.exec();
    DestroyForms();
    return code;
}
