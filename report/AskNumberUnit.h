// The point-name dialog "Запрос номера точки ОКЗ": names the current result and adds it to the report.
#pragma once

#include "MainWindowLink.h"

#include <QDialog>
#include <string>

#include "PointRecord.h"
#include "ReportRow.h"

class QLabel;
class QLineEdit;
class QPushButton;

class TAskNumberForm : public QDialog {
    Q_OBJECT
public:
    // The main window, as it lets this window reach it (set when the windows are created).
    MainWindowLink MainWindow;

    explicit TAskNumberForm(QWidget* parent = nullptr);

    // Adds a point named by NumberEdit's text, or tells why the name is refused and stays open.
    void OKButtonClick();

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* NumberEdit = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelBitBtn = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
};

extern TAskNumberForm* AskNumberForm;

// The point the windows hold now, as "Добавить в отчет..." stores it: the row of the last
// successful calculation named `name`, and its record (the inputs of that calculation, the
// confirmed device with the device window's texts, the verdict and the trip time shown).
ReportRow CurrentPointRow(const std::string& name);
PointRecord CurrentPointRecord();
