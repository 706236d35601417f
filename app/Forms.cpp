#include "Forms.h"

#include "AboutProgramUnit.h"
#include "AskNumberUnit.h"
#include "CheckUnit.h"
#include "CalculationNoteUnit.h"
#include "DeleteAllReportUnit.h"
#include "DeviceDefenceUnit.h"
#include "InputFields.h"
#include "MainUnit.h"
#include "MaximumCheckUnit.h"
#include "ProjectUnit.h"
#include "RecalcUnit.h"
#include "ReportUnit.h"
#include "ResultUnit.h"
#include "SelectionUnit.h"

void CreateForms()
{
    SharedResult = ShortCircuitResult{};
    DeviceSettings = ProtectiveDeviceSettings{};
    SelectedRow = 0;
    SelectedCol = 0;

    MainForm = new TMainForm;
    ResultForm = new TResultForm;
    DeviceDefenceForm = new TDeviceDefenceForm;
    AskNumberForm = new TAskNumberForm;
    ReportForm = new TReportForm;
    DeleteAllReportForm = new TDeleteAllReportForm;
    AboutProgramForm = new TAboutProgramForm;
    SelectionForm = new TSelectionForm;
    CheckForm = new TCheckForm;
    MaximumCheckForm = new TMaximumCheckForm;
    ProjectForm = new TProjectForm;
    RecalcForm = new TRecalcForm;
    CalculationNoteForm = new TCalculationNoteForm;

    const MainWindowLink mainWindow = MainForm->Link();
    DeviceDefenceForm->MainWindow = mainWindow;
    AskNumberForm->MainWindow = mainWindow;
    ReportForm->MainWindow = mainWindow;
    RecalcForm->MainWindow = mainWindow;
    DeleteAllReportForm->DeleteAll = [] { ReportForm->DeleteAllRows(); };

    for (QWidget* form : std::initializer_list<QWidget*>{MainForm, ResultForm, DeviceDefenceForm, AskNumberForm,
                                                         ReportForm, DeleteAllReportForm, AboutProgramForm,
                                                         SelectionForm, CheckForm, MaximumCheckForm, ProjectForm,
                                                         RecalcForm, CalculationNoteForm})
        KeepFieldsSingleLine(form);
}

template <typename Form>
static void Release(Form*& form)
{
    delete form;
    form = nullptr;
}

void DestroyForms()
{
    Release(RecalcForm);
    Release(ProjectForm);
    Release(CalculationNoteForm);
    Release(MaximumCheckForm);
    Release(CheckForm);
    Release(SelectionForm);
    Release(AboutProgramForm);
    Release(DeleteAllReportForm);
    Release(ReportForm);
    Release(AskNumberForm);
    Release(DeviceDefenceForm);
    Release(ResultForm);
    Release(MainForm);
}
