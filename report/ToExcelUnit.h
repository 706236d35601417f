// Export of the report's leading named rows to a new spreadsheet workbook.
#pragma once

void ExportReportToExcel();
