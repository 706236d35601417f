#include "AskNumberUnit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include "CheckUnit.h"
#include "ContextHelp.h"
#include "DeviceDefenceUnit.h"
#include "DeviceSettings.h"
#include "Dialogs.h"
#include "InputFields.h"
#include "SharedResult.h"
#include "PointRecalculation.h"
#include "RegionalSettings.h"
#include "ReportTable.h"
#include "ReportUnit.h"
#include "ResultUnit.h"
#include "SelectionUnit.h"

TAskNumberForm* AskNumberForm = nullptr;

namespace {

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    return label;
}

}  // namespace

TAskNumberForm::TAskNumberForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AskNumberForm"));
    setWindowTitle(QStringLiteral("Запрос номера точки ОКЗ"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    SetHelpFile(this, QStringLiteral("help 2.0.hlp"));
    SetHelpContext(this, 35);

    Label1 = MakeLabel(this, "Label1", QStringLiteral("Введите номер точки однофазного короткого замыкания"),
                       QRect(12, 12, 300, 16));
    Label2 = MakeLabel(this, "Label2", QStringLiteral("Например, \"К-1\""), QRect(12, 32, 300, 16));

    NumberEdit = new QLineEdit(this);
    NumberEdit->setObjectName(QStringLiteral("NumberEdit"));
    NumberEdit->setGeometry(12, 56, 121, 21);
    SetHelpContext(NumberEdit, 35);
    Label3 = MakeLabel(this, "Label3", QStringLiteral("(не более 8 символов)"), QRect(142, 58, 170, 16));

    // Neither button is a default one: Enter in the name field confirms nothing.
    OKButton = new QPushButton(QStringLiteral("Да"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setAutoDefault(false);
    OKButton->setGeometry(72, 92, 80, 25);
    CancelBitBtn = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Отмена"), this);
    CancelBitBtn->setObjectName(QStringLiteral("CancelBitBtn"));
    CancelBitBtn->setAutoDefault(false);
    CancelBitBtn->setGeometry(172, 92, 80, 25);

    setFixedSize(324, 129);

    connect(OKButton, &QPushButton::clicked, this, &TAskNumberForm::OKButtonClick);
    connect(CancelBitBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TAskNumberForm::OKButtonClick()
{
    const std::string name = NumberEdit->text().toStdString();
    if (const auto refusal = CheckPointName(ReportForm->Rows(), name)) {
        CurrentDialogs().Message(QString::fromStdString(*refusal));
        FocusFieldAtFault(NumberEdit);
        return;
    }
    ReportForm->AddPoint(CurrentPointRow(name), WritePointRecord(CurrentPointRecord()));
    accept();
}

ReportRow CurrentPointRow(const std::string& name)
{
    return MakePointRow(name, SharedResult, DeviceSettings.TokSR, ResultForm->TimeSRLabel->text().toStdString(),
                        RegionalSeparators());
}

PointRecord CurrentPointRecord()
{
    PointRecord record;
    record.network = SelectionForm->CalculatedNetwork;
    record.device = DeviceSettings;
    record.deviceTexts = DeviceDefenceForm->ConfirmedTexts;
    record.verdict = AskNumberForm->MainWindow.deviceStatus().toStdString();
    record.tripTime = ResultForm->TimeSRLabel->text().toStdString();
    record.iokz = SharedResult.Iokz;
    record.separators = RegionalSeparators();
    record.minimum = CalculatePointMinimum(record, SharedResult, MinimumParameters(CheckDeviceFrom(DeviceSettings)));
    return record;
}

void TAskNumberForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Centred on the screen at every showing.
    if (const QScreen* shown = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(shown->availableGeometry().center());
        move(frame.topLeft());
    }
}
