// The delete-all dialog "Удаление отчета".
#pragma once

#include <QDialog>

class TDeleteAllReportForm : public QDialog {
    Q_OBJECT
public:
    explicit TDeleteAllReportForm(QWidget* parent = nullptr);
};

extern TDeleteAllReportForm* DeleteAllReportForm;
