#include "RecalcUnit.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyle>
#include <QTableWidget>

#include "CheckUnit.h"
#include "ContextHelp.h"
#include "Dialogs.h"
#include "SharedResult.h"
#include "ReportTable.h"
#include "ReportUnit.h"
#include "StatusHints.h"
#include "WindowFrame.h"

TRecalcForm* RecalcForm = nullptr;

namespace {

QRadioButton* MakeRadio(QWidget* parent, const char* name, const QString& text, const QString& hint, int x, int y)
{
    auto* radio = new QRadioButton(text, parent);
    radio->setObjectName(QString::fromLatin1(name));
    radio->adjustSize();
    radio->move(x, y);
    SetStatusHint(radio, hint);
    return radio;
}

QTableWidgetItem* Cell(const std::string& text)
{
    auto* item = new QTableWidgetItem(QString::fromStdString(text));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

}  // namespace

TRecalcForm::TRecalcForm(QWidget* parent) : QDialog(parent)
{
    SetUpWindow(this, QStringLiteral("RecalcForm"), QStringLiteral("Пересчет точек"), QStringLiteral("help 2.1.hlp"), 40);

    auto* changeBox = new QGroupBox(QStringLiteral("Заменить в точках данными главного окна"), this);
    changeBox->setObjectName(QStringLiteral("ChangeGroupBox"));
    changeBox->setGeometry(8, 8, 360, 100);
    TransformerRadioButton = MakeRadio(changeBox, "TransformerRadioButton",
                                       QStringLiteral("трансформатор (мощность и схема соединения обмоток)"),
                                       QStringLiteral("Мощность и схема трансформатора из главного окна"), 10, 20);
    ArcRadioButton = MakeRadio(changeBox, "ArcRadioButton", QStringLiteral("переходное сопротивление Rпр"),
                               QStringLiteral("Rпр из главного окна"), 10, 44);
    LinesRadioButton = MakeRadio(changeBox, "LinesRadioButton", QStringLiteral("линии с первой по"),
                                 QStringLiteral("Первые линии из главного окна"), 10, 68);
    LineCountSpinBox = new QSpinBox(changeBox);
    LineCountSpinBox->setObjectName(QStringLiteral("LineCountSpinBox"));
    LineCountSpinBox->setRange(1, LineSectionCount);
    LineCountSpinBox->setGeometry(LinesRadioButton->geometry().right() + 6, 66, 44, 21);
    LineCountSpinBox->setAccessibleName(QStringLiteral("Число линий"));
    SetStatusHint(LineCountSpinBox, QStringLiteral("Сколько первых линий заменить"));
    TransformerRadioButton->setChecked(true);

    auto* scopeBox = new QGroupBox(QStringLiteral("Точки"), this);
    scopeBox->setObjectName(QStringLiteral("ScopeGroupBox"));
    scopeBox->setGeometry(376, 8, 184, 100);
    SelectedPointRadioButton = MakeRadio(scopeBox, "SelectedPointRadioButton", QStringLiteral("выделенная точка"),
                                         QStringLiteral("Пересчитать только выделенную точку"), 10, 20);
    AllPointsRadioButton = MakeRadio(scopeBox, "AllPointsRadioButton", QStringLiteral("все точки отчета"),
                                     QStringLiteral("Пересчитать все точки с исходными данными"), 10, 44);
    AllPointsRadioButton->setChecked(true);

    CalculateButton = new QPushButton(QStringLiteral("Рассчитать"), this);
    CalculateButton->setObjectName(QStringLiteral("CalculateButton"));
    CalculateButton->setGeometry(8, 116, 100, 25);
    CalculateButton->setAutoDefault(false);
    SetStatusHint(CalculateButton, QStringLiteral("Показать, что изменится, не меняя отчет"));

    ChangesGrid = new QTableWidget(0, 5, this);
    ChangesGrid->setObjectName(QStringLiteral("ChangesGrid"));
    ChangesGrid->setHorizontalHeaderLabels({QStringLiteral("№ точки"), QStringLiteral("Iокз было, А"),
                                            QStringLiteral("Iокз стало, А"), QStringLiteral("Было"),
                                            QStringLiteral("Стало")});
    ChangesGrid->verticalHeader()->hide();
    ChangesGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ChangesGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    ChangesGrid->setGeometry(8, 148, 552, 200);
    ChangesGrid->setColumnWidth(0, 64);
    ChangesGrid->setColumnWidth(1, 78);
    ChangesGrid->setColumnWidth(2, 78);
    ChangesGrid->setColumnWidth(3, 160);
    ChangesGrid->horizontalHeader()->setStretchLastSection(true);

    SkippedLabel = new QLabel(this);
    SkippedLabel->setObjectName(QStringLiteral("SkippedLabel"));
    SkippedLabel->setGeometry(8, 354, 552, 16);

    ApplyButton = new QPushButton(QStringLiteral("Применить"), this);
    ApplyButton->setObjectName(QStringLiteral("ApplyButton"));
    ApplyButton->setGeometry(376, 378, 88, 25);
    ApplyButton->setAutoDefault(false);
    SetStatusHint(ApplyButton, QStringLiteral("Записать новые результаты в отчет"));
    CancelBitBtn = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Отмена"), this);
    CancelBitBtn->setObjectName(QStringLiteral("CancelBitBtn"));
    CancelBitBtn->setGeometry(472, 378, 88, 25);
    CancelBitBtn->setAutoDefault(false);

    setFixedSize(568, 411);
    connect(CalculateButton, &QPushButton::clicked, this, &TRecalcForm::CalculateButtonClick);
    connect(ApplyButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBitBtn, &QPushButton::clicked, this, &QDialog::reject);
    Prepare(0);
}

void TRecalcForm::Prepare(int selectedRow)
{
    selectedRow_ = selectedRow;
    outcome_ = Recalculation{};
    ChangesGrid->setRowCount(0);
    SkippedLabel->clear();
    ApplyButton->setEnabled(false);
}

UpstreamChange TRecalcForm::ChosenChange() const
{
    UpstreamChange change;
    change.minimumParameters = MinimumParameters(CheckDevice{});
    change.kind = TransformerRadioButton->isChecked() ? UpstreamChange::Kind::Transformer
                  : ArcRadioButton->isChecked()       ? UpstreamChange::Kind::ArcResistance
                                                      : UpstreamChange::Kind::LeadingLines;
    change.lineCount = LineCountSpinBox->value();
    change.source = MainWindow.currentNetwork();
    return change;
}

void TRecalcForm::CalculateButtonClick()
{
    const ReportRows& rows = ReportForm->Rows();
    std::vector<int> chosen;
    if (SelectedPointRadioButton->isChecked()) {
        chosen.push_back(selectedRow_);
    } else {
        const int named = InsertionRow(rows);
        for (int r = 0; r < named; ++r)
            if (IsNamed(rows[r]))
                chosen.push_back(r);
    }
    outcome_ = PreviewRecalculation(rows, ReportForm->RecordsOfRows(), chosen, ChosenChange(), records_);

    ChangesGrid->setRowCount(static_cast<int>(outcome_.changes.size()));
    int failed = 0;
    for (int i = 0; i < static_cast<int>(outcome_.changes.size()); ++i) {
        const PointChange& point = outcome_.changes[i];
        ChangesGrid->setItem(i, 0, Cell(point.name));
        ChangesGrid->setItem(i, 1, Cell(point.oldCurrent));
        ChangesGrid->setItem(i, 2, Cell(point.calculation.ok ? point.newCurrent : std::string("—")));
        ChangesGrid->setItem(i, 3, Cell(point.oldVerdict));
        ChangesGrid->setItem(i, 4, Cell(point.calculation.ok ? point.newVerdict
                                                             : "Не рассчитана: " + point.calculation.failure));
        if (!point.calculation.ok)
            ++failed;
    }
    QString summary = QStringLiteral("Пересчитано точек: %1.").arg(outcome_.changes.size() - failed);
    if (failed > 0)
        summary += QStringLiteral(" Не рассчитано (останутся как были): %1.").arg(failed);
    summary += QStringLiteral(" Пропущено точек без исходных данных: %1.").arg(outcome_.skipped);
    SkippedLabel->setText(summary);
    ApplyButton->setEnabled(static_cast<int>(outcome_.changes.size()) > failed);
}
