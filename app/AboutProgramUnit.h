// The About window "О программе...".
#pragma once

#include <QDialog>

class TAboutProgramForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutProgramForm(QWidget* parent = nullptr);
};

extern TAboutProgramForm* AboutProgramForm;
