// Creation of the program's windows, in their fixed order, and their release.
#pragma once

// Creates MainForm, ResultForm, DeviceDefenceForm, AskNumberForm, ReportForm,
// DeleteAllReportForm, AboutProgramForm, SelectionForm, CheckForm, MaximumCheckForm, ProjectForm, RecalcForm and
// CalculationNoteForm, and resets the shared records to their start values.
void CreateForms();
// Destroys the windows in reverse order and clears the global instances.
void DestroyForms();
