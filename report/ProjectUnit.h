// The dialog "Проект": the project's own fields (object name, author) for the project document.
#pragma once

#include <QDialog>

#include "ProjectDocument.h"

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
    QPushButton* OKButton = nullptr;
    QPushButton* CancelBitBtn = nullptr;
};

extern TProjectForm* ProjectForm;
