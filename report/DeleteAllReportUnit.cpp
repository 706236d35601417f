#include "DeleteAllReportUnit.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>

TDeleteAllReportForm* DeleteAllReportForm = nullptr;

TDeleteAllReportForm::TDeleteAllReportForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DeleteAllReportForm"));
    setWindowTitle(QStringLiteral("Удаление отчета"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));

    Label1 = new QLabel(QStringLiteral("Вы действительно хотите удалить весь отчет?"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(16, 16, 260, 16);

    OKBitBtn = new QPushButton(style()->standardIcon(QStyle::SP_DialogYesButton), QStringLiteral("Да"), this);
    OKBitBtn->setObjectName(QStringLiteral("OKBitBtn"));
    OKBitBtn->setGeometry(52, 48, 80, 25);
    OKBitBtn->setDefault(true);
    CancelBitBtn = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Cancel"), this);
    CancelBitBtn->setObjectName(QStringLiteral("CancelBitBtn"));
    // Both buttons keep autoDefault: Enter presses the button that has the focus, so Tab to
    // "Cancel" and Enter cancels; with the focus on "Да" (as the dialog opens) Enter clears.
    CancelBitBtn->setGeometry(152, 48, 80, 25);

    setFixedSize(284, 87);
    // Shown where it was placed, not centred over the report window.
    move(240, 200);

    connect(OKBitBtn, &QPushButton::clicked, this, &TDeleteAllReportForm::OKBitBtnClick);
    connect(CancelBitBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TDeleteAllReportForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Every opening starts on "Да", whichever button had the focus when the dialog last closed.
    OKBitBtn->setFocus();
}

void TDeleteAllReportForm::OKBitBtnClick()
{
    if (DeleteAll)
        DeleteAll();
    accept();
}
