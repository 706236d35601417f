#include "ProjectUnit.h"

#include <QComboBox>
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

    // The title block's fields, one row of 32 pixels each below the author.
    int y = 77;
    const auto addRow = [&](const char* name, const QString& caption, const QString& hint) {
        auto* label = new QLabel(caption, this);
        label->setObjectName(QString::fromLatin1(name) + QStringLiteral("Label"));
        label->setGeometry(12, y + 3, 110, 16);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name) + QStringLiteral("Edit"));
        edit->setGeometry(126, y, 250, 21);
        edit->setAccessibleName(caption.chopped(1));
        SetStatusHint(edit, hint);
        y += 32;
        return edit;
    };
    DesignationEdit = addRow("Designation", QStringLiteral("Обозначение:"),
                             QStringLiteral("Обозначение (шифр) документа для основной надписи"));
    StageEdit = addRow("Stage", QStringLiteral("Стадия:"), QStringLiteral("Стадия проектирования: П, Р"));
    OrganisationEdit = addRow("Organisation", QStringLiteral("Организация:"),
                              QStringLiteral("Наименование организации для основной надписи"));
    CheckerEdit = addRow("Checker", QStringLiteral("Проверил:"), QStringLiteral("Фамилия проверившего расчет"));
    NormControllerEdit = addRow("NormController", QStringLiteral("Н. контроль:"),
                                QStringLiteral("Фамилия нормоконтролера"));
    ApproverEdit = addRow("Approver", QStringLiteral("Утвердил:"), QStringLiteral("Фамилия утвердившего расчет"));
    auto* earthingLabel = new QLabel(QStringLiteral("Заземление:"), this);
    earthingLabel->setObjectName(QStringLiteral("EarthingLabel"));
    earthingLabel->setGeometry(12, y + 3, 110, 16);
    EarthingComboBox = new QComboBox(this);
    EarthingComboBox->setObjectName(QStringLiteral("EarthingComboBox"));
    EarthingComboBox->setGeometry(126, y, 120, 21);
    EarthingComboBox->setAccessibleName(QStringLiteral("Система заземления"));
    for (const std::string_view system : EarthingSystems)
        EarthingComboBox->addItem(QString::fromUtf8(system.data(), qsizetype(system.size())));
    SetStatusHint(EarthingComboBox, QStringLiteral("Тип системы заземления сети"));
    y += 35;

    OKButton = new QPushButton(QStringLiteral("Да"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(112, y, 80, 25);
    OKButton->setDefault(true);
    CancelBitBtn = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Отмена"), this);
    CancelBitBtn->setObjectName(QStringLiteral("CancelBitBtn"));
    CancelBitBtn->setAutoDefault(false);
    CancelBitBtn->setGeometry(204, y, 80, 25);

    setFixedSize(388, y + 37);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBitBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TProjectForm::ShowFields(const ProjectFields& fields)
{
    ObjectEdit->setText(QString::fromStdString(fields.objectName));
    AuthorEdit->setText(QString::fromStdString(fields.author));
    DesignationEdit->setText(QString::fromStdString(fields.designation));
    StageEdit->setText(QString::fromStdString(fields.stage));
    OrganisationEdit->setText(QString::fromStdString(fields.organisation));
    CheckerEdit->setText(QString::fromStdString(fields.checker));
    NormControllerEdit->setText(QString::fromStdString(fields.normController));
    ApproverEdit->setText(QString::fromStdString(fields.approver));
    const int earthing = EarthingComboBox->findText(QString::fromStdString(fields.earthing));
    EarthingComboBox->setCurrentIndex(earthing >= 0 ? earthing : EarthingComboBox->count() - 1);
}

ProjectFields TProjectForm::EnteredFields() const
{
    return ProjectFields{ObjectEdit->text().toStdString(),         AuthorEdit->text().toStdString(),
                         DesignationEdit->text().toStdString(),    StageEdit->text().toStdString(),
                         OrganisationEdit->text().toStdString(),   CheckerEdit->text().toStdString(),
                         NormControllerEdit->text().toStdString(), ApproverEdit->text().toStdString(),
                         EarthingComboBox->currentText().toStdString()};
}
