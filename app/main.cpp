#include "Application.h"
#include "ContextHelp.h"
#include "Fonts.h"
#include "Forms.h"
#include "MainUnit.h"

int main(int argc, char* argv[])
{
    TZorantApplication app(argc, argv);
    InstallToolkitTranslations();
    InstallFontSubstitutions();
    InstallContextHelp();
    CreateForms();
    app.SetMainWindow(MainForm);
    MainForm->show();
    const int code = app.exec();
    DestroyForms();
    return code;
}
