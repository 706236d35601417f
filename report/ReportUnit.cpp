#include "ReportUnit.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <algorithm>
#include <cstdlib>

#include "AskNumberUnit.h"
#include "CalculationNoteUnit.h"
#include "ContextHelp.h"
#include "DeviceDefenceUnit.h"
#include "MainUnit.h"
#include "PointRecalculation.h"
#include "PointRecord.h"
#include "ProjectUnit.h"
#include "RecalcUnit.h"
#include "Dialogs.h"
#include "DeleteAllReportUnit.h"
#include "ReportFiles.h"
#include "ReportTable.h"
#include "ReportTableModel.h"
#include "StatusHints.h"
#include "ToExcelUnit.h"

TReportForm* ReportForm = nullptr;
int SelectedRow = 0;
int SelectedCol = 0;

namespace {

struct ColumnTitle {
    const char* caption;
    const char* unit;  // nullptr: the column has no unit
    const char* hint;
};

const std::array<ColumnTitle, ReportColumnCount> ColumnTitles = {{
    {"№ точки", nullptr, "Номер точки однофазного короткого замыкания"},
    {"Rт/3", "мОм", "Активное сопротивление обмотки трансформатора однофазному короткому замыканию"},
    {"Xт/3", "мОм", "Реактивное сопротивление обмотки трансформатора однофазному короткому замыканию"},
    {"Rл", "мОм", "Активное сопротивление линии"},
    {"Xл", "мОм", "Реактивное сопротивление линии"},
    {"Rпр", "мОм", "Активное переходное сопротивление контактов + сопротивление электрической дуги"},
    {"Rф-н", "мОм", "Активное сопротивление петли \"фаза-ноль\""},
    {"Xф-н", "мОм", "Реактивное сопротивление петли \"фаза-ноль\""},
    {"| Zф-н |", "мОм", "Модуль полного сопротивления петли \"фаза-ноль\""},
    {"Iокз", "А", "Расчетный ток однофазного короткого замыкания"},
    {"Iср", "А", "Ток срабатывания аппарата защиты"},
    {"Tср", "с", "Время срабатывания аппарата защиты"},
}};

// Grid geometry: 12 columns of 50 pixels and 14 visible rows of 18 pixels.
constexpr int ColumnWidth = 50;
constexpr int RowHeight = 18;
constexpr int VisibleRows = 14;

constexpr int Margin = 8;
constexpr int CaptionTop = 6;
constexpr int LineHeight = 14;
constexpr int GridTop = CaptionTop + 2 * LineHeight + 2;
constexpr int ButtonHeight = 25;
constexpr int StatusBarHeight = 19;

// Columns may be narrowed down to this, and widened without limit.
constexpr int MinimumColumnWidth = 20;
// How near a column border the mouse must be to take it.
constexpr int BorderGrip = 3;

// The strip of column captions above the grid, as wide as the grid's visible columns. Its
// captions follow the columns (see TReportForm::PlaceCaptions); dragging the border between two
// captions sets the width of the column left of it, and a double click on the border fits that
// column to its texts. The captions pass the mouse on to the strip.
class ColumnCaptionStrip final : public QWidget {
public:
    ColumnCaptionStrip(QTableView* grid, QWidget* parent) : QWidget(parent), grid_(grid) { setMouseTracking(true); }

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        const int x = event->position().toPoint().x();
        dragged_ = event->button() == Qt::LeftButton ? BorderAt(x) : -1;
        if (dragged_ < 0) {
            event->ignore();
            return;
        }
        dragStart_ = x;
        startWidth_ = grid_->columnWidth(dragged_);
    }

    void mouseMoveEvent(QMouseEvent* event) override
    {
        const int x = event->position().toPoint().x();
        if (dragged_ >= 0)
            grid_->setColumnWidth(dragged_, std::max(MinimumColumnWidth, startWidth_ + x - dragStart_));
        else if (BorderAt(x) >= 0)
            setCursor(Qt::SplitHCursor);
        else
            unsetCursor();
    }

    void mouseReleaseEvent(QMouseEvent*) override { dragged_ = -1; }

    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        const int column = BorderAt(event->position().toPoint().x());
        if (column < 0)
            return;
        grid_->resizeColumnToContents(column);
        if (grid_->columnWidth(column) < MinimumColumnWidth)
            grid_->setColumnWidth(column, MinimumColumnWidth);
    }

private:
    // The column whose right border is within reach of `x`, or -1.
    int BorderAt(int x) const
    {
        const QHeaderView* header = grid_->horizontalHeader();
        for (int c = 0; c < ReportColumnCount; ++c) {
            const int right = header->sectionViewportPosition(c) + header->sectionSize(c);
            if (std::abs(x - right) <= BorderGrip)
                return c;
        }
        return -1;
    }

    QTableView* grid_;
    int dragged_ = -1;
    int dragStart_ = 0;
    int startWidth_ = 0;
};

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, const QString& hint,
                        const QRect& geometry)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    // Enter belongs to "Закрыть" alone, whichever button has the focus: a focused "Удалить"
    // must never take it.
    button->setAutoDefault(false);
    button->setGeometry(geometry);
    SetStatusHint(button, hint);
    return button;
}

// A thick arrow with a shaft, pointing up or down, drawn in the window's text colour.
QIcon ArrowIcon(bool up, const QColor& colour)
{
    constexpr int Size = 16;
    QPixmap picture(Size, Size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    const QPolygonF arrow({{8, 1}, {15, 8.5}, {10.5, 8.5}, {10.5, 15}, {5.5, 15}, {5.5, 8.5}, {1, 8.5}});
    if (up) {
        painter.drawPolygon(arrow);
    } else {
        painter.translate(0, Size);
        painter.scale(1, -1);
        painter.drawPolygon(arrow);
    }
    return QIcon(picture);
}

QToolButton* MakeArrowButton(QWidget* parent, const char* name, bool up, const QString& hint, const QRect& geometry)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(ArrowIcon(up, parent->palette().color(QPalette::WindowText)));
    button->setIconSize(QSize(16, 16));
    button->setAutoRaise(true);
    // Like a speed button it never takes the focus, so the grid keeps its current row in view.
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(geometry);
    SetStatusHint(button, hint);
    return button;
}

}  // namespace

TReportForm::TReportForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ReportForm"));
    setWindowTitle(QStringLiteral("Отчет"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    SetHelpFile(this, QStringLiteral("help 2.0.hlp"));
    SetHelpContext(this, 35);

    model_ = new ReportTableModel(this);

    ReportStringGrid = new QTableView(this);
    ReportStringGrid->setObjectName(QStringLiteral("ReportStringGrid"));
    ReportStringGrid->setModel(model_);
    ReportStringGrid->horizontalHeader()->hide();
    ReportStringGrid->verticalHeader()->hide();
    for (QHeaderView* header : {ReportStringGrid->horizontalHeader(), ReportStringGrid->verticalHeader()}) {
        header->setMinimumSectionSize(1);
        header->setSectionResizeMode(QHeaderView::Fixed);
        header->setSectionsMovable(false);
    }
    // The columns take the user's widths (through the caption strip); the rows keep theirs.
    ReportStringGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    ReportStringGrid->horizontalHeader()->setDefaultSectionSize(ColumnWidth);
    ReportStringGrid->verticalHeader()->setDefaultSectionSize(RowHeight);
    ReportStringGrid->setShowGrid(true);
    ReportStringGrid->setWordWrap(false);
    ReportStringGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    ReportStringGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    ReportStringGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ReportStringGrid->setDragEnabled(false);
    ReportStringGrid->setDragDropMode(QAbstractItemView::NoDragDrop);
    // Widened columns that no longer fit scroll sideways.
    ReportStringGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    ReportStringGrid->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    ReportStringGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ReportStringGrid->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    // The Tab key passes the grid by; a click still gives it the focus.
    ReportStringGrid->setFocusPolicy(Qt::ClickFocus);
    ReportStringGrid->setTabKeyNavigation(false);
    const int frame = ReportStringGrid->frameWidth();
    const int scrollBar = ReportStringGrid->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr,
                                                                 ReportStringGrid->verticalScrollBar());
    const int gridWidth = ReportColumnCount * ColumnWidth + 2 * frame + scrollBar;
    const int gridHeight = VisibleRows * RowHeight + 2 * frame;
    ReportStringGrid->setGeometry(Margin, GridTop, gridWidth, gridHeight);
    ReportStringGrid->viewport()->installEventFilter(this);
    connect(ReportStringGrid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current, const QModelIndex&) {
                if (current.isValid())
                    ReportStringGridSelectCell(current.column(), current.row());
            });

    CaptionStrip = new ColumnCaptionStrip(ReportStringGrid, this);
    CaptionStrip->setObjectName(QStringLiteral("CaptionStrip"));
    CaptionStrip->setGeometry(Margin + frame, CaptionTop, ReportColumnCount * ColumnWidth, 2 * LineHeight);
    SetStatusHint(CaptionStrip, QStringLiteral("Ширина столбца меняется перетаскиванием границы между заголовками"));
    for (int c = 0; c < ReportColumnCount; ++c) {
        const ColumnTitle& title = ColumnTitles[c];
        auto* caption = new QLabel(QString::fromUtf8(title.caption), CaptionStrip);
        caption->setObjectName(QStringLiteral("Caption%1Label").arg(c));
        caption->setAlignment(Qt::AlignCenter);
        caption->setMouseTracking(true);
        SetStatusHint(caption, QString::fromUtf8(title.hint));
        CaptionLabels[c] = caption;
        if (title.unit != nullptr) {
            auto* unit = new QLabel(QString::fromUtf8(title.unit), CaptionStrip);
            unit->setObjectName(QStringLiteral("Unit%1Label").arg(c));
            unit->setAlignment(Qt::AlignCenter);
            unit->setMouseTracking(true);
            UnitLabels[c] = unit;
        }
    }
    PlaceCaptions();
    connect(ReportStringGrid->horizontalHeader(), &QHeaderView::sectionResized, this, &TReportForm::PlaceCaptions);
    connect(ReportStringGrid->horizontalScrollBar(), &QScrollBar::valueChanged, this, &TReportForm::PlaceCaptions);

    // The arrows stand right of the grid, level with its middle.
    const int arrowLeft = Margin + gridWidth + 6;
    const int arrowTop = GridTop + gridHeight / 2 - ButtonHeight - 4;
    UpSpeedButton = MakeArrowButton(this, "UpSpeedButton", true,
                                    QStringLiteral("Перемещение строки в списке на одну позицию вверх"),
                                    QRect(arrowLeft, arrowTop, ButtonHeight, ButtonHeight));
    DownSpeedButton = MakeArrowButton(this, "DownSpeedButton", false,
                                      QStringLiteral("Перемещение строки в списке на одну позицию вниз"),
                                      QRect(arrowLeft, arrowTop + ButtonHeight + 8, ButtonHeight, ButtonHeight));
    const int clientWidth = arrowLeft + ButtonHeight + Margin;

    const int buttonTop = GridTop + gridHeight + 10;
    DeleteReportButton = MakeButton(this, "DeleteReportButton", QStringLiteral("Удалить"),
                                    QStringLiteral("Удаление строки"), QRect(Margin, buttonTop, 75, ButtonHeight));
    DeleteAllButton = MakeButton(this, "DeleteAllButton", QStringLiteral("Удалить все"),
                                 QStringLiteral("Удаление всех строк"), QRect(Margin + 81, buttonTop, 85, ButtonHeight));
    WriteFileButton = MakeButton(this, "WriteFileButton", QStringLiteral("Записать в файл..."),
                                 QStringLiteral("Запись результатов в файл"),
                                 QRect(Margin + 184, buttonTop, 115, ButtonHeight));
    LoadFileButton = MakeButton(this, "LoadFileButton", QStringLiteral("Загрузить файл..."),
                                QStringLiteral("Загрузка результатов из файла"),
                                QRect(Margin + 305, buttonTop, 115, ButtonHeight));
    ToExcelButton = MakeButton(this, "ToExcelButton", QStringLiteral("Экспорт в Excel"),
                               QStringLiteral("Экспорт данных в MS Excel (MS Excel должен быть установлен на компьютере)"),
                               QRect(Margin + 438, buttonTop, 105, ButtonHeight));
    CloseReportBitBtn = MakeButton(this, "CloseReportBitBtn", QStringLiteral("Закрыть"),
                                   QStringLiteral("Закрыть окно"),
                                   QRect(clientWidth - Margin - 90, buttonTop, 90, ButtonHeight));
    CloseReportBitBtn->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    CloseReportBitBtn->setDefault(true);
    // A second row under "Удалить", so that every other control keeps its place.
    const int undoTop = buttonTop + ButtonHeight + 6;
    UndoButton = MakeButton(this, "UndoButton", QStringLiteral("Отменить"),
                            QStringLiteral("Отмена последнего изменения отчета (Ctrl+Z)"),
                            QRect(Margin, undoTop, 75, ButtonHeight));
    UndoButton->setEnabled(false);
    setTabOrder(DeleteAllButton, UndoButton);
    setTabOrder(UndoButton, WriteFileButton);
    auto* undoShortcut = new QShortcut(QKeySequence::Undo, this);
    undoShortcut->setObjectName(QStringLiteral("UndoShortcut"));
    connect(undoShortcut, &QShortcut::activated, this, &TReportForm::UndoButtonClick);

    // The project's buttons, on the second row right of "Отменить".
    const int projectTop = undoTop;
    OpenProjectButton = MakeButton(this, "OpenProjectButton", QStringLiteral("Открыть проект..."),
                                   QStringLiteral("Загрузка проекта: точки с исходными данными"),
                                   QRect(Margin + 81, projectTop, 115, ButtonHeight));
    SaveProjectButton = MakeButton(this, "SaveProjectButton", QStringLiteral("Сохранить проект..."),
                                   QStringLiteral("Запись проекта: точки с исходными данными"),
                                   QRect(Margin + 202, projectTop, 115, ButtonHeight));
    ProjectButton = MakeButton(this, "ProjectButton", QStringLiteral("Проект..."),
                               QStringLiteral("Название объекта и автор расчета"),
                               QRect(Margin + 323, projectTop, 70, ButtonHeight));
    RecalculateButton = MakeButton(this, "RecalculateButton", QStringLiteral("Пересчитать точки..."),
                                   QStringLiteral("Пересчет точек после изменения трансформатора, Rпр или линий"),
                                   QRect(Margin + 399, projectTop, 125, ButtonHeight));
    // The note ends the project's row: it is made from the project's points.
    CalculationNoteButton = MakeButton(this, "CalculationNoteButton", QStringLiteral("Расчетная записка..."),
                                       QStringLiteral("Расчетная записка: просмотр, печать и сохранение в PDF"),
                                       QRect(Margin + 530, projectTop, 125, ButtonHeight));

    // The grid's context menu; Ctrl+Enter reopens the selected point from the keyboard.
    PointMenu = new QMenu(this);
    PointMenu->setObjectName(QStringLiteral("PointMenu"));
    ReopenPointAction = PointMenu->addAction(QStringLiteral("Открыть точку в главном окне"));
    ReopenPointAction->setObjectName(QStringLiteral("ReopenPointAction"));
    ReopenPointAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return));
    ReopenPointAction->setShortcutContext(Qt::WindowShortcut);
    ReplacePointAction = PointMenu->addAction(QStringLiteral("Заменить точку текущим расчетом..."));
    ReplacePointAction->setObjectName(QStringLiteral("ReplacePointAction"));
    addAction(ReopenPointAction);
    ReportStringGrid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ReportStringGrid, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
        const QModelIndex cell = ReportStringGrid->indexAt(position);
        if (cell.isValid()) {
            ReportStringGrid->setCurrentIndex(cell);
            SelectedCol = cell.column();
        }
        PointMenu->popup(ReportStringGrid->viewport()->mapToGlobal(position));
    });

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    const int clientHeight = undoTop + ButtonHeight + 10 + StatusBarHeight;
    StatusBar1->setGeometry(0, clientHeight - StatusBarHeight, clientWidth, StatusBarHeight);
    AttachHintStatusBar(this, StatusBar1);

    setFixedSize(clientWidth, clientHeight);

    connect(UpSpeedButton, &QToolButton::clicked, this, &TReportForm::UpSpeedButtonClick);
    connect(DownSpeedButton, &QToolButton::clicked, this, &TReportForm::DownSpeedButtonClick);
    connect(DeleteReportButton, &QPushButton::clicked, this, &TReportForm::DeleteReportButtonClick);
    connect(DeleteAllButton, &QPushButton::clicked, this, &TReportForm::DeleteAllButtonClick);
    connect(WriteFileButton, &QPushButton::clicked, this, &TReportForm::WriteFileButtonClick);
    connect(LoadFileButton, &QPushButton::clicked, this, &TReportForm::LoadFileButtonClick);
    connect(ToExcelButton, &QPushButton::clicked, this, &TReportForm::ToExcelButtonClick);
    connect(UndoButton, &QPushButton::clicked, this, &TReportForm::UndoButtonClick);
    connect(CalculationNoteButton, &QPushButton::clicked, this, &TReportForm::CalculationNoteButtonClick);
    connect(CloseReportBitBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(OpenProjectButton, &QPushButton::clicked, this, &TReportForm::OpenProjectButtonClick);
    connect(SaveProjectButton, &QPushButton::clicked, this, &TReportForm::SaveProjectButtonClick);
    connect(ProjectButton, &QPushButton::clicked, this, &TReportForm::ProjectButtonClick);
    connect(RecalculateButton, &QPushButton::clicked, this, &TReportForm::RecalculateButtonClick);
    connect(ReopenPointAction, &QAction::triggered, this, &TReportForm::ReopenPointActionClick);
    connect(ReplacePointAction, &QAction::triggered, this, &TReportForm::ReplacePointActionClick);

    // At start the grid's first row is the current one, as SelectedRow says.
    ReportStringGrid->setCurrentIndex(model_->index(0, 0));
}

const ReportRows& TReportForm::Rows() const { return model_->Rows(); }

int TReportForm::AddPoint(const ReportRow& row, std::string record)
{
    ReportState before = model_->Snapshot();
    if (!record.empty())
        model_->SetRecord(row[0], std::move(record));
    const int used = model_->Change([&row](ReportRows& rows) { return AddPointRow(rows, row); });
    modified_ = true;
    KeepSelectionInside();
    KeepForUndo(std::move(before));
    return used;
}

const std::string* TReportForm::RecordOf(int row) const
{
    if (row < 0 || row >= static_cast<int>(Rows().size()))
        return nullptr;
    return model_->Record(Rows()[row][0]);
}

std::vector<std::string> TReportForm::RecordsOfRows() const { return model_->RecordsOfRows(); }

void TReportForm::ReplacePoint(int row, const ReportRow& replacement, std::string record)
{
    if (row < 0 || row >= static_cast<int>(Rows().size()))
        return;
    ReportState before = model_->Snapshot();
    model_->SetRecord(replacement[0], std::move(record));
    model_->Change([row, &replacement](ReportRows& rows) { rows[row] = replacement; });
    modified_ = true;
    KeepForUndo(std::move(before));
}

void TReportForm::DeleteAllRows()
{
    ReportState before = model_->Snapshot();
    model_->Change([](ReportRows& rows) { DeleteAllReportRows(rows); });
    model_->ClearRecords();
    modified_ = true;
    KeepSelectionInside();
    KeepForUndo(std::move(before));
}

void TReportForm::ReplaceRows(ReportRows rows)
{
    ReportState before = model_->Snapshot();
    model_->ClearRecords();
    model_->Change([&rows](ReportRows& shown) { shown = ReportFromLines(std::move(rows)); });
    modified_ = true;
    KeepSelectionInside();
    KeepForUndo(std::move(before));
}

void TReportForm::ShowProject(Project project)
{
    ReportState before = model_->Snapshot();
    model_->ClearRecords();
    for (std::size_t r = 0; r < project.rows.size(); ++r)
        if (!project.records[r].empty())
            model_->SetRecord(project.rows[r][0], std::move(project.records[r]));
    model_->Change([&project](ReportRows& shown) { shown = ReportFromLines(std::move(project.rows)); });
    Fields = std::move(project.fields);
    modified_ = true;
    KeepSelectionInside();
    KeepForUndo(std::move(before));
}

bool TReportForm::HoldsUnsavedPoints() const { return modified_ && InsertionRow(Rows()) > 0; }

bool TReportForm::MayClose()
{
    if (!HoldsUnsavedPoints())
        return true;
    switch (CurrentDialogs().YesNoCancel(
        QStringLiteral("Отчет изменен после последнего сохранения. Сохранить его как проект?"))) {
    case Dialogs::Answer::Yes:
        return SaveProjectButtonClick();
    case Dialogs::Answer::No:
        return true;
    case Dialogs::Answer::Cancel:
        break;
    }
    return false;
}

void TReportForm::ReportStringGridSelectCell(int, int row) { SelectedRow = row; }

void TReportForm::ReportStringGridMouseUp(const QPoint& position)
{
    const QModelIndex cell = ReportStringGrid->indexAt(position);
    SelectedCol = cell.isValid() ? cell.column() : -1;
    SelectedRow = cell.isValid() ? cell.row() : -1;
}

void TReportForm::DeleteReportButtonClick()
{
    if (SelectedCol < 0 || SelectedRow < 0) {
        CurrentDialogs().Message(QStringLiteral("Укажите строку, которую необходимо удалить."));
        return;
    }
    const int selected = SelectedRow;
    ReportState before = model_->Snapshot();
    model_->Change([selected](ReportRows& rows) { DeleteReportRow(rows, selected); });
    modified_ = true;
    KeepSelectionInside();
    KeepForUndo(std::move(before));
}

void TReportForm::DeleteAllButtonClick() { DeleteAllReportForm->exec(); }

void TReportForm::UpSpeedButtonClick()
{
    const int selected = SelectedRow;
    ReportState before = model_->Snapshot();
    if (const auto current = model_->Change([selected](ReportRows& rows) { return MoveReportRowUp(rows, selected); })) {
        modified_ = true;
        MakeCurrentRow(*current);
    }
    KeepForUndo(std::move(before));
}

void TReportForm::DownSpeedButtonClick()
{
    const int selected = SelectedRow;
    ReportState before = model_->Snapshot();
    if (const auto current =
            model_->Change([selected](ReportRows& rows) { return MoveReportRowDown(rows, selected); })) {
        modified_ = true;
        MakeCurrentRow(*current);
    }
    KeepForUndo(std::move(before));
}

void TReportForm::WriteFileButtonClick()
{
    if (SaveReportDocument(this, Rows(), saveDialogName_))
        modified_ = false;
}

void TReportForm::LoadFileButtonClick()
{
    if (auto rows = LoadReportDocument(this, openDialogName_))
        ReplaceRows(std::move(*rows));
}

void TReportForm::ToExcelButtonClick() { ExportReportToExcel(); }

void TReportForm::CalculationNoteButtonClick() { CalculationNoteForm->exec(); }

void TReportForm::OpenProjectButtonClick()
{
    if (auto project = LoadProjectDocument(this, projectDialogName_)) {
        ShowProject(std::move(*project));
        modified_ = false;   // just as saved
    }
}

bool TReportForm::SaveProjectButtonClick()
{
    if (!SaveProjectDocument(this, Fields, Rows(), RecordsOfRows(), projectDialogName_))
        return false;
    modified_ = false;
    return true;
}

void TReportForm::ProjectButtonClick()
{
    ProjectForm->ShowFields(Fields);
    if (ProjectForm->exec() == QDialog::Accepted && !(ProjectForm->EnteredFields() == Fields)) {
        Fields = ProjectForm->EnteredFields();
        modified_ = true;
    }
}

void TReportForm::RecalculateButtonClick()
{
    RecalcForm->Prepare(SelectedRow);
    if (RecalcForm->exec() != QDialog::Accepted)
        return;
    ReportRows rows = Rows();
    std::vector<std::string> records = RecordsOfRows();
    ReportState before = model_->Snapshot();
    ApplyRecalculation(rows, records, RecalcForm->Outcome());
    for (const PointChange& point : RecalcForm->Outcome().changes)
        if (point.calculation.ok)
            model_->SetRecord(rows[point.row][0], std::move(records[point.row]));
    model_->Change([&rows](ReportRows& shown) { shown = std::move(rows); });
    modified_ = true;
    KeepForUndo(std::move(before));
}

std::optional<int> TReportForm::SelectedPointWithRecord()
{
    const int row = SelectedRow;
    if (row < 0 || row >= static_cast<int>(Rows().size()) || !IsNamed(Rows()[row])) {
        CurrentDialogs().Message(QStringLiteral("Укажите строку точки, которую необходимо открыть."));
        return std::nullopt;
    }
    if (RecordOf(row) == nullptr) {
        CurrentDialogs().Message(QStringLiteral("У точки \"%1\" нет исходных данных: она загружена из документа "
                                                "отчета (.okz). Исходные данные хранят точки, добавленные в отчет "
                                                "этой версией программы или открытые из проекта.")
                                     .arg(QString::fromStdString(Rows()[row][0])));
        return std::nullopt;
    }
    return row;
}

void TReportForm::ReopenPointActionClick()
{
    const std::optional<int> row = SelectedPointWithRecord();
    if (!row)
        return;
    const PointRecordReading reading = ReadPointRecord(*RecordOf(*row));
    if (!reading.record) {
        CurrentDialogs().Error(QStringLiteral("Исходные данные точки повреждены: %1.")
                                   .arg(QString::fromStdString(reading.refusal)));
        return;
    }
    const PointRecord& record = *reading.record;
    MainForm->ShowNetwork(record.network);
    DeviceDefenceForm->ShowTexts(record.deviceTexts);
    // The record whole, so that the fields the confirmation leaves alone (a breaker's fuse fields
    // and a fuse's breaker fields) are the point's own too.
    DeviceSettings = record.device;
    if (record.device.TokSR > 0) {
        // Confirmed again as the user confirmed it, so that the result window shows the device too.
        DeviceDefenceForm->OKDDBitBtnClick();
    } else {
        if (record.device.TypeDD != 0)
            DeviceDefenceForm->BitBtn3Click();
        DeviceSettings = record.device;
        DeviceDefenceForm->ConfirmedTexts = record.deviceTexts;
    }
    MainForm->StartButtonClick();
    accept();
}

void TReportForm::ReplacePointActionClick()
{
    const int row = SelectedRow;
    if (row < 0 || row >= static_cast<int>(Rows().size()) || !IsNamed(Rows()[row])) {
        CurrentDialogs().Message(QStringLiteral("Укажите строку точки, которую необходимо заменить."));
        return;
    }
    if (!MainForm->AddToReportButton->isEnabled()) {
        CurrentDialogs().Message(QStringLiteral("Нет результатов расчета. Выполните расчет в главном окне."));
        return;
    }
    const std::string name = Rows()[row][0];
    if (!CurrentDialogs().Question(QStringLiteral("Заменить точку \"%1\" результатами текущего расчета?")
                                       .arg(QString::fromStdString(name))))
        return;
    ReplacePoint(row, CurrentPointRow(name), WritePointRecord(CurrentPointRecord()));
}

void TReportForm::UndoButtonClick()
{
    if (history_.IsEmpty())
        return;
    model_->Restore(history_.TakeNewest());
    modified_ = true;
    KeepSelectionInside();
    UndoButton->setEnabled(!history_.IsEmpty());
}

bool TReportForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ReportStringGrid->viewport() && event->type() == QEvent::MouseButtonRelease)
        ReportStringGridMouseUp(static_cast<QMouseEvent*>(event)->position().toPoint());
    return QDialog::eventFilter(watched, event);
}

void TReportForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Centred on the screen at every showing.
    if (const QScreen* shown = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(shown->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TReportForm::KeepSelectionInside()
{
    // A shrinking grid has already moved its current row (and with it SelectedRow) up to the last
    // row; a row remembered from a mouse release is held inside the grid here.
    const int last = model_->rowCount() - 1;
    SelectedRow = std::min(SelectedRow, last);
    const QModelIndex current = ReportStringGrid->currentIndex();
    if (current.isValid())
        ReportStringGrid->selectionModel()->select(current, QItemSelectionModel::ClearAndSelect |
                                                                QItemSelectionModel::Rows);
}

void TReportForm::PlaceCaptions()
{
    const QHeaderView* header = ReportStringGrid->horizontalHeader();
    for (int c = 0; c < ReportColumnCount; ++c) {
        const int left = header->sectionViewportPosition(c);
        const int width = header->sectionSize(c);
        CaptionLabels[c]->setGeometry(left, 0, width, LineHeight);
        if (UnitLabels[c] != nullptr)
            UnitLabels[c]->setGeometry(left, LineHeight, width, LineHeight);
    }
}

void TReportForm::KeepForUndo(ReportState before)
{
    if (model_->Snapshot() == before)
        return;
    history_.Remember(std::move(before));
    UndoButton->setEnabled(true);
}

void TReportForm::MakeCurrentRow(int row)
{
    const int column = std::max(ReportStringGrid->currentIndex().column(), 0);
    ReportStringGrid->setCurrentIndex(model_->index(row, column));
}
