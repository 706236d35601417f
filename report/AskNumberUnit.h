// The point-name dialog "Запрос номера точки ОКЗ".
#pragma once

#include <QDialog>

class TAskNumberForm : public QDialog {
    Q_OBJECT
public:
    explicit TAskNumberForm(QWidget* parent = nullptr);
};

extern TAskNumberForm* AskNumberForm;
