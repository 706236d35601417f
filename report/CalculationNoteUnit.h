// The window "Расчетная записка": which points go into the calculation note, the title block's
// fields, and the note's preview, printing and saving as PDF.
#pragma once

#include <QDialog>

#include "CalculationNote.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStatusBar;
class SinglePress;

class TCalculationNoteForm : public QDialog {
    Q_OBJECT
public:
    explicit TCalculationNoteForm(QWidget* parent = nullptr);

    // The note as the window's choices make it from the report window's points and their records.
    CalculationNote Note() const;

    // Handlers, named after their controls.
    void PreviewButtonClick();
    void PrintButtonClick();
    void SavePdfButtonClick();

    QGroupBox* PointsGroupBox = nullptr;
    QRadioButton* AllPointsRadioButton = nullptr;
    QRadioButton* SelectedPointRadioButton = nullptr;
    QGroupBox* ProjectGroupBox = nullptr;
    QLabel* ObjectLabel = nullptr;
    QLineEdit* ObjectEdit = nullptr;
    QLabel* AuthorLabel = nullptr;
    QLineEdit* AuthorEdit = nullptr;
    QLabel* DateLabel = nullptr;
    QLineEdit* DateEdit = nullptr;
    QCheckBox* OpenPdfCheckBox = nullptr;
    QPushButton* PreviewButton = nullptr;
    QPushButton* PrintButton = nullptr;
    QPushButton* SavePdfButton = nullptr;
    QPushButton* CloseButton = nullptr;
    QStatusBar* StatusBar1 = nullptr;

protected:
    // Offers the selected point by its name, or not at all when no named row is selected; takes
    // the project's object and author into the title block's fields.
    void showEvent(QShowEvent* event) override;

private:
    SinglePress* savePdfPress_ = nullptr;
};

extern TCalculationNoteForm* CalculationNoteForm;
