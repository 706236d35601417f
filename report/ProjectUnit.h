// The dialog "Проект": the project's own fields for the project document: object, author, the
// title block's designation, stage, organisation, checker, standards controller and approver, and
// the earthing system.
#pragma once

#include <QDialog>

#include "ProjectDocument.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TProjectForm : public QDialog {
    Q_OBJECT
public:
    explicit TProjectForm(QWidget* parent = nullptr);

    void ShowFields(const ProjectFields& fields);
    ProjectFields EnteredFields() const;

    QLabel* ObjectLabel = nullptr;
    QLineEdit* ObjectEdit = nullptr;
    QLabel* AuthorLabel = nullptr;
    QLineEdit* AuthorEdit = nullptr;
    QLineEdit* DesignationEdit = nullptr;
    QLineEdit* StageEdit = nullptr;
    QLineEdit* OrganisationEdit = nullptr;
    QLineEdit* CheckerEdit = nullptr;
    QLineEdit* NormControllerEdit = nullptr;
    QLineEdit* ApproverEdit = nullptr;
    QComboBox* EarthingComboBox = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelBitBtn = nullptr;
};

extern TProjectForm* ProjectForm;
