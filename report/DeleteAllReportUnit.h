// The delete-all dialog "Удаление отчета": asks before the whole report is cleared.
#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;

class TDeleteAllReportForm : public QDialog {
    Q_OBJECT
public:
    explicit TDeleteAllReportForm(QWidget* parent = nullptr);

    // Clears the report (through DeleteAll) and closes with the OK result.
    void OKBitBtnClick();

    // What "Да" does: the report window's clearing, handed over when the windows are created.
    std::function<void()> DeleteAll;

    QLabel* Label1 = nullptr;
    QPushButton* OKBitBtn = nullptr;
    QPushButton* CancelBitBtn = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
};

extern TDeleteAllReportForm* DeleteAllReportForm;
