#include "ToExcelUnit.h"

void ExportReportToExcel() {}
