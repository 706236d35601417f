// The About window "О программе...": the program's name, version and developer.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TAboutProgramForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutProgramForm(QWidget* parent = nullptr);

    QLabel* ProgramNameLabel = nullptr;
    QLineEdit* VersionEdit = nullptr;
    QLineEdit* DeveloperEdit = nullptr;
    QLineEdit* HttpEdit = nullptr;
    QLineEdit* EmailEdit = nullptr;
    QLineEdit* PhoneEdit = nullptr;
    QPushButton* BitBtn1 = nullptr;

protected:
    // Every showing starts on "Закрыть" with no text selected: a field given the focus on opening
    // would show its whole text selected.
    void showEvent(QShowEvent* event) override;
};

extern TAboutProgramForm* AboutProgramForm;
