#include "CalculationNoteUnit.h"

#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>

#include "ContextHelp.h"
#include "Dialogs.h"
#include "NoteExport.h"
#include "NoteRenderer.h"
#include "ProjectDocument.h"
#include "RegionalSettings.h"
#include "ReportTable.h"
#include "ReportUnit.h"
#include "SinglePress.h"
#include "StatusHints.h"
#include "WindowFrame.h"
#include "ToExcelUnit.h"

TCalculationNoteForm* CalculationNoteForm = nullptr;

namespace {

constexpr int HelpContext = 45;

template <typename Control>
Control* Place(Control* control, const char* name, const QString& hint, const QRect& geometry)
{
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(geometry);
    if (!hint.isEmpty())
        SetStatusHint(control, hint);
    return control;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, const QString& hint,
                        const QRect& geometry)
{
    auto* button = Place(new QPushButton(caption, parent), name, hint, geometry);
    // Enter belongs to "Закрыть" alone, whichever button has the focus.
    button->setAutoDefault(false);
    return button;
}

QLineEdit* MakeField(QWidget* parent, const char* labelName, const QString& caption, const char* editName,
                     const QString& hint, int top, QLabel*& label)
{
    label = Place(new QLabel(caption, parent), labelName, hint, QRect(10, top + 3, 72, 16));
    return Place(new QLineEdit(parent), editName, hint, QRect(84, top, 248, 21));
}

std::string Utf8(const QString& text) { return text.toUtf8().toStdString(); }

}  // namespace

TCalculationNoteForm::TCalculationNoteForm(QWidget* parent) : QDialog(parent)
{
    SetUpWindow(this, QStringLiteral("CalculationNoteForm"), QStringLiteral("Расчетная записка"), QStringLiteral("help 2.1.hlp"), HelpContext);

    PointsGroupBox = Place(new QGroupBox(QStringLiteral("Точки"), this), "PointsGroupBox", {}, QRect(8, 6, 344, 62));
    AllPointsRadioButton =
        Place(new QRadioButton(QStringLiteral("Все точки отчета"), PointsGroupBox), "AllPointsRadioButton",
              QStringLiteral("В записку войдут все точки отчета по порядку"), QRect(10, 18, 324, 18));
    SelectedPointRadioButton =
        Place(new QRadioButton(QStringLiteral("Выбранная точка"), PointsGroupBox), "SelectedPointRadioButton",
              QStringLiteral("В записку войдет только точка, выбранная в отчете"), QRect(10, 38, 324, 18));
    AllPointsRadioButton->setChecked(true);

    ProjectGroupBox = Place(new QGroupBox(QStringLiteral("Основная надпись"), this), "ProjectGroupBox", {},
                            QRect(8, 72, 344, 90));
    ObjectEdit = MakeField(ProjectGroupBox, "ObjectLabel", QStringLiteral("Объект:"), "ObjectEdit",
                           QStringLiteral("Наименование объекта для основной надписи записки"), 16, ObjectLabel);
    AuthorEdit = MakeField(ProjectGroupBox, "AuthorLabel", QStringLiteral("Разработал:"), "AuthorEdit",
                           QStringLiteral("Фамилия разработчика для основной надписи записки"), 40, AuthorLabel);
    DateEdit = MakeField(ProjectGroupBox, "DateLabel", QStringLiteral("Дата:"), "DateEdit",
                         QStringLiteral("Дата для основной надписи записки"), 64, DateLabel);
    DateEdit->setText(QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));

    OpenPdfCheckBox = Place(new QCheckBox(QStringLiteral("Открыть PDF после сохранения"), this), "OpenPdfCheckBox",
                            QStringLiteral("Показать сохраненную записку в программе просмотра PDF"),
                            QRect(10, 168, 340, 18));

    constexpr int buttonTop = 194;
    PreviewButton = MakeButton(this, "PreviewButton", QStringLiteral("Просмотр..."),
                               QStringLiteral("Просмотр записки перед печатью"), QRect(8, buttonTop, 80, 25));
    PrintButton = MakeButton(this, "PrintButton", QStringLiteral("Печать..."),
                             QStringLiteral("Печать записки на принтере"), QRect(94, buttonTop, 76, 25));
    SavePdfButton = MakeButton(this, "SavePdfButton", QStringLiteral("Сохранить в PDF"),
                               QStringLiteral("Сохранение записки в PDF в папку «Зорант» папки документов"),
                               QRect(176, buttonTop, 100, 25));
    savePdfPress_ = new SinglePress(SavePdfButton);
    CloseButton = MakeButton(this, "CloseButton", QStringLiteral("Закрыть"), QStringLiteral("Закрыть окно"),
                             QRect(282, buttonTop, 70, 25));
    CloseButton->setDefault(true);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setGeometry(0, buttonTop + 35, 360, 19);
    AttachHintStatusBar(this, StatusBar1);
    setFixedSize(360, buttonTop + 35 + 19);

    connect(PreviewButton, &QPushButton::clicked, this, &TCalculationNoteForm::PreviewButtonClick);
    connect(PrintButton, &QPushButton::clicked, this, &TCalculationNoteForm::PrintButtonClick);
    connect(SavePdfButton, &QPushButton::clicked, this, &TCalculationNoteForm::SavePdfButtonClick);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TCalculationNoteForm::showEvent(QShowEvent* event)
{
    const ReportRows& rows = ReportForm->Rows();
    const bool named = SelectedRow >= 0 && SelectedRow < LeadingNamedRowCount(rows);
    SelectedPointRadioButton->setEnabled(named);
    SelectedPointRadioButton->setText(named ? QStringLiteral("Выбранная точка: ") + QString::fromUtf8(rows[size_t(SelectedRow)][0])
                                            : QStringLiteral("Выбранная точка"));
    if (!named)
        AllPointsRadioButton->setChecked(true);
    // The project's fields are the title block's; what was typed here stays when the project has none.
    if (!ReportForm->Fields.objectName.empty())
        ObjectEdit->setText(QString::fromStdString(ReportForm->Fields.objectName));
    if (!ReportForm->Fields.author.empty())
        AuthorEdit->setText(QString::fromStdString(ReportForm->Fields.author));
    QDialog::showEvent(event);
}

CalculationNote TCalculationNoteForm::Note() const
{
    const Project report{ReportForm->Fields, ReportForm->Rows(), ReportForm->RecordsOfRows()};
    const std::vector<NotePoint> points =
        ChooseNotePoints(PointsFromProject(report), SelectedPointRadioButton->isChecked(), SelectedRow);
    const NoteProject project{Utf8(ObjectEdit->text()), Utf8(AuthorEdit->text()), Utf8(DateEdit->text())};
    return BuildCalculationNote(points, project, NoteFormat{RegionalSeparators()});
}

void TCalculationNoteForm::PreviewButtonClick()
{
    const CalculationNote note = Note();
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, this);
    preview.setObjectName(QStringLiteral("NotePreviewDialog"));
    preview.setWindowTitle(QStringLiteral("Расчетная записка: просмотр"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [&note](QPrinter* target) { PrintCalculationNote(note, *target); });
    preview.exec();
}

void TCalculationNoteForm::PrintButtonClick()
{
    const CalculationNote note = Note();
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setObjectName(QStringLiteral("NotePrintDialog"));
    if (dialog.exec() == QDialog::Accepted)
        PrintCalculationNote(note, printer);
}

void TCalculationNoteForm::SavePdfButtonClick()
{
    savePdfPress_->Run([this] {
        const QString path = SaveCalculationNote(Note(), ExportFolder());
        if (OpenPdfCheckBox->isChecked())
            CurrentNoteViewer().Open(path);
        else
            CurrentDialogs().Message(
                QStringLiteral("Расчетная записка сохранена в файл «%1»").arg(QDir::toNativeSeparators(path)));
    });
}
