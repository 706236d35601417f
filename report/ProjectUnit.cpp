#include "ProjectUnit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include "ContextHelp.h"
#include "StatusHints.h"
#include "WindowFrame.h"

TProjectForm* ProjectForm = nullptr;

TProjectForm::TProjectForm(QWidget* parent) : QDialog(parent)
{
    SetUpWindow(this, QStringLiteral("ProjectForm"), QStringLiteral("Проект"), QStringLiteral("help 2.1.hlp"), 40);

    ObjectLabel = new QLabel(QStringLiteral("Объект:"), this);
    ObjectLabel->setObjectName(QStringLiteral("ObjectLabel"));
    ObjectLabel->setGeometry(12, 16, 60, 16);
    ObjectEdit = new QLineEdit(this);
    ObjectEdit->setObjectName(QStringLiteral("ObjectEdit"));
    ObjectEdit->setGeometry(76, 13, 300, 21);
    ObjectEdit->setAccessibleName(QStringLiteral("Объект"));
    SetStatusHint(ObjectEdit, QStringLiteral("Название объекта для расчетной записки"));
    AuthorLabel = new QLabel(QStringLiteral("Автор:"), this);
    AuthorLabel->setObjectName(QStringLiteral("AuthorLabel"));
    AuthorLabel->setGeometry(12, 48, 60, 16);
    AuthorEdit = new QLineEdit(this);
    AuthorEdit->setObjectName(QStringLiteral("AuthorEdit"));
    AuthorEdit->setGeometry(76, 45, 300, 21);
    AuthorEdit->setAccessibleName(QStringLiteral("Автор"));
    SetStatusHint(AuthorEdit, QStringLiteral("Автор расчета"));

    OKButton = new QPushButton(QStringLiteral("Да"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(112, 80, 80, 25);
    OKButton->setDefault(true);
    CancelBitBtn = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Отмена"), this);
    CancelBitBtn->setObjectName(QStringLiteral("CancelBitBtn"));
    CancelBitBtn->setAutoDefault(false);
    CancelBitBtn->setGeometry(204, 80, 80, 25);

    setFixedSize(388, 117);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBitBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TProjectForm::ShowFields(const ProjectFields& fields)
{
    ObjectEdit->setText(QString::fromStdString(fields.objectName));
    AuthorEdit->setText(QString::fromStdString(fields.author));
}

ProjectFields TProjectForm::EnteredFields() const
{
    return ProjectFields{ObjectEdit->text().toStdString(), AuthorEdit->text().toStdString()};
}
