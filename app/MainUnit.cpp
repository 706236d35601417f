#include "MainUnit.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCompleter>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>

#include "AboutProgramUnit.h"
#include "AppIcon.h"
#include "Application.h"
#include "AskNumberUnit.h"
#include "ContextHelp.h"
#include "DeviceDefenceUnit.h"
#include "Dialogs.h"
#include "InputFields.h"
#include "Publication.h"
#include "RegionalSettings.h"
#include "ReportUnit.h"
#include "ResultUnit.h"
#include "CheckUnit.h"
#include "MaximumCheckUnit.h"
#include "SelectionUnit.h"
#include "StatusHints.h"

TMainForm* MainForm = nullptr;
ShortCircuitResult SharedResult;

namespace {

// Client area below the menu bar, and the status bar along its bottom edge.
constexpr int ClientWidth = 752;
constexpr int ClientHeight = 529;
constexpr int StatusBarHeight = 19;

// Top of line row 1 and the pitch of the rows, in client coordinates.
constexpr int FirstRowTop = 128;
constexpr int RowPitch = 32;
constexpr int NetworkFrameLeft = 136;
constexpr int NetworkFrameTop = 56;

constexpr int ListHeight = 21;

const QColor Maroon(0x80, 0x00, 0x00);
const QColor Navy(0x00, 0x00, 0x80);

const QStringList PowerItems = {"25", "40", "63", "100", "160", "250", "400",
                                "630", "800", "1000", "1250", "1600", "2500"};
const QStringList WindKindItems = {"Y/Y-0", "T/Y-0", "Y/Z-0"};
const QString PaperCable = QStringLiteral("Кабель с бумажной изоляцией");
const QString PvcCable = QStringLiteral("Кабель с ПВХ изоляцией");
const QStringList KindPerformItems = {PaperCable, PvcCable, QStringLiteral("Воздушная")};
const QString Aluminium = QStringLiteral("Алюминий");
const QString Copper = QStringLiteral("Медь");
const QStringList StuffItems = {Aluminium, Copper};
const QStringList SectionItems = {"0",  "1.5", "2.5", "4",  "6",   "10",  "16",  "25",
                                  "35", "50",  "70",  "95", "120", "150", "185", "240"};
const QString NoParallel = QStringLiteral("нет");
const QStringList QuanParItems = {NoParallel, "2", "3", "4", "5", "6"};

const QString PowerHint = QStringLiteral("Выберите мощность трансформатора в кВ*А из списка стандартных значений");
const QString WindKindHint = QStringLiteral("Выберите тип соединения обмоток трансформатора");
const QString KindPerformHint = QStringLiteral(
    "Выберите тип линии: кабель в бумажной изоляции, кабель в ПВХ (резиновой) изоляции (провода в трубе), "
    "воздушная");
const QString StuffHint = QStringLiteral("Введите материал жилы: алюминий или медь");
const QString FfHint = QStringLiteral("Выберите сечение фазной жилы из списка стандартных сечений");
const QString FnHint = QStringLiteral("Выберите сечение нулевой жилы из списка стандартных значений");
const QString LengthHint = QStringLiteral("Введите длину линии в метрах");
const QString QuanParHint = QStringLiteral(
    "Введите количество параллельных проводов. \"Нет\" или \"1\" вводится при отсутствии параллельных "
    "проводов.");
const QString RArcHint = QStringLiteral("Введите переходное сопротивление контактов в диапазоне 0..40 мОм");

const QString RArcCaption =
    QStringLiteral("Переходное сопротивление контактов + сопротивление электрической дуги, мОм:");

QFont Face(const char* family, int points, bool bold = false)
{
    QFont font(QString::fromLatin1(family), points);
    font.setBold(bold);
    return font;
}

// Field captions: serif, maroon.
QFont CaptionFont(bool underline = false)
{
    QFont font = Face("Times New Roman", 10);
    font.setUnderline(underline);
    return font;
}

// Frame headings: bold serif.
QFont HeadingFont() { return Face("Times New Roman", 10, true); }

QFont ButtonFont(bool bold = false) { return Face("Arial", 9, bold); }

void SetTextColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    widget->setPalette(palette);
}

// A caption sized to its text, starting at x or, when `centred`, centred on x.
QLabel* AddLabel(QWidget* parent, const QString& text, int x, int y, const QFont& font,
                 const QColor& color = Qt::black, bool centred = false)
{
    auto* label = new QLabel(text, parent);
    label->setFont(font);
    if (color != Qt::black)
        SetTextColor(label, color);
    label->adjustSize();
    label->move(centred ? x - label->width() / 2 : x, y);
    return label;
}

// Caption lines one under the other, centred on `centreX`, the last line at `lastLineTop`.
void AddCaptionLines(QWidget* parent, const QStringList& lines, int centreX, int lastLineTop,
                     int pitch = 16)
{
    int y = lastLineTop - pitch * (int(lines.size()) - 1);
    for (const QString& line : lines) {
        AddLabel(parent, line, centreX, y, CaptionFont(), Maroon, true);
        y += pitch;
    }
}

QFrame* AddFrame(QWidget* parent, const char* name, const QRect& geometry, QFrame::Shape shape,
                 QFrame::Shadow shadow)
{
    auto* frame = new QFrame(parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setFrameStyle(shape | shadow);
    frame->setGeometry(geometry);
    return frame;
}

// An editable drop-down list that offers `items` and starts with `initial`; what the user types is
// kept exactly (no insertion into the list, completion only in the same letter case).
QComboBox* AddList(QWidget* parent, const QString& name, const QStringList& items, const QString& initial,
                   const QRect& geometry)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->addItems(items);
    list->setCurrentIndex(list->findText(initial));
    list->setEditText(initial);
    list->completer()->setCaseSensitivity(Qt::CaseSensitive);
    list->setGeometry(geometry);
    return list;
}

QLineEdit* AddEdit(QWidget* parent, const QString& name, const QString& initial, const QRect& geometry)
{
    auto* edit = new QLineEdit(initial, parent);
    edit->setObjectName(name);
    edit->setGeometry(geometry);
    return edit;
}

QPushButton* AddButton(QWidget* parent, const char* name, const QString& text, const QRect& geometry,
                       bool bold = false)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFont(ButtonFont(bold));
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    return button;
}

QString LineName(const char* role, int line, const char* kind)
{
    return QStringLiteral("%1Line%2%3").arg(QLatin1String(role)).arg(line).arg(QLatin1String(kind));
}

void Described(QWidget* control, const QString& accessibleName, const QString& hint)
{
    control->setAccessibleName(accessibleName);
    SetStatusHint(control, hint);
}

}  // namespace

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Зорант 2.1"));
    setWindowIcon(ZorantIcon());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFont(Face("MS Sans Serif", 8));
    SetHelpFile(this, QStringLiteral("help 2.1.hlp"));
    SetHelpContext(this, 1);

    // Menu bar: commands, and "Проверка" with its two checks.
    MainMenu = new QMenuBar(this);
    MainMenu->setObjectName(QStringLiteral("MainMenu"));
    ResultMenu = MainMenu->addAction(QStringLiteral("Результаты"));
    ResultMenu->setObjectName(QStringLiteral("ResultMenu"));
    ReportMenu = MainMenu->addAction(QStringLiteral("Отчет"));
    ReportMenu->setObjectName(QStringLiteral("ReportMenu"));
    SelectionMenu = MainMenu->addAction(QStringLiteral("Подбор"));
    SelectionMenu->setObjectName(QStringLiteral("SelectionMenu"));
    QMenu* checks = MainMenu->addMenu(QStringLiteral("Проверка"));
    checks->setObjectName(QStringLiteral("CheckSubmenu"));
    CheckMenu = checks->menuAction();
    CheckMenu->setObjectName(QStringLiteral("CheckMenu"));
    MinimumCheckMenu = checks->addAction(QStringLiteral("По минимальному току КЗ"));
    MinimumCheckMenu->setObjectName(QStringLiteral("MinimumCheckMenu"));
    MaximumCheckMenu = checks->addAction(QStringLiteral("По максимальному току КЗ"));
    MaximumCheckMenu->setObjectName(QStringLiteral("MaximumCheckMenu"));
    HelpMenu = MainMenu->addAction(QStringLiteral("Помощь"));
    HelpMenu->setObjectName(QStringLiteral("HelpMenu"));
    AboutMenu = MainMenu->addAction(QStringLiteral("О программе"));
    AboutMenu->setObjectName(QStringLiteral("AboutMenu"));
    setMenuBar(MainMenu);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(ClientWidth, ClientHeight - StatusBarHeight);
    setCentralWidget(client);

    // Top band: the supply voltage.
    QFrame* band = AddFrame(client, "VoltageBevel", QRect(312, 1, 433, 28), QFrame::Panel, QFrame::Sunken);
    AddLabel(band, QStringLiteral("Номинальное напряжение питающей сети:"), 12, 6, HeadingFont(), Maroon);
    QLabel* supplyVoltage = AddLabel(band, QStringLiteral("~380/220 В"), 0, 6, HeadingFont());
    supplyVoltage->move(band->width() - 12 - supplyVoltage->width(), 6);

    // Transformer frame.
    AddLabel(client, QStringLiteral("Трансформатор"), 8 + 113 / 2, 37, HeadingFont(), Qt::black, true);
    QFrame* transFrame = AddFrame(client, "TransBevel", QRect(8, 56, 113, 305), QFrame::Box, QFrame::Sunken);
    const int transCentre = 113 / 2;
    const int rowTop = FirstRowTop - NetworkFrameTop;  // line row 1 inside the frames
    AddCaptionLines(transFrame, {QStringLiteral("Номинальная"), QStringLiteral("мощность, кВ*А")}, transCentre,
                    rowTop - 22);
    TransPowerComboBox =
        AddList(transFrame, QStringLiteral("TransPowerComboBox"), PowerItems, QStringLiteral("250"),
                QRect(10, rowTop, 93, ListHeight));
    Described(TransPowerComboBox, QStringLiteral("Номинальная мощность, кВ*А"), PowerHint);
    const int windRow = rowTop + 3 * RowPitch;  // level with line 4
    AddCaptionLines(transFrame, {QStringLiteral("Схема соединения"), QStringLiteral("обмоток")}, transCentre,
                    windRow - 22);
    WindKindComboBox = AddList(transFrame, QStringLiteral("WindKindComboBox"), WindKindItems,
                               QStringLiteral("T/Y-0"), QRect(10, windRow, 93, ListHeight));
    Described(WindKindComboBox, QStringLiteral("Схема соединения обмоток"), WindKindHint);
    const int voltageRow = rowTop + 5 * RowPitch + 40;  // below the level of line 6
    AddCaptionLines(transFrame, {QStringLiteral("Напряжение"), QStringLiteral("низкой стороны")}, transCentre,
                    voltageRow - 22);
    AddLabel(transFrame, QStringLiteral("~ 400/230 В"), transCentre, voltageRow, HeadingFont(), Qt::black, true);

    // Network frame: column captions, then one row per line section.
    AddLabel(client, QStringLiteral("Схема электроснабжения"), NetworkFrameLeft + 609 / 2, 37, HeadingFont(),
             Qt::black, true);
    QFrame* netFrame =
        AddFrame(client, "NetBevel", QRect(NetworkFrameLeft, NetworkFrameTop, 609, 305), QFrame::Box, QFrame::Sunken);
    // Left edge and width of each column inside the frame. The caption of the parallel-conductor
    // column is wider than its list, so it sits a little to the right, into the gap before the
    // section columns.
    struct Column {
        int left, width, captionShift = 0;
        int centre() const { return left + width / 2 + captionShift; }
    };
    const Column kindColumn{60, 188}, stuffColumn{252, 84}, lengthColumn{342, 48}, quanParColumn{408, 60, 2},
        ffColumn{484, 56}, fnColumn{546, 56};
    const int captionBottom = 42;
    AddCaptionLines(netFrame, {QStringLiteral("Тип линии")}, kindColumn.centre(), captionBottom);
    AddCaptionLines(netFrame, {QStringLiteral("Материал "), QStringLiteral("жилы")}, stuffColumn.centre(),
                    captionBottom);
    AddCaptionLines(netFrame, {QStringLiteral("Длина"), QStringLiteral("линии,"), QStringLiteral("м")},
                    lengthColumn.centre(), captionBottom);
    AddCaptionLines(netFrame,
                    {QStringLiteral("Количество"), QStringLiteral("параллельных"), QStringLiteral("проводов, шт.")},
                    quanParColumn.centre(), captionBottom);
    AddLabel(netFrame, QStringLiteral("Сечение жилы:"), (ffColumn.left + fnColumn.left + fnColumn.width) / 2,
             captionBottom - 32, CaptionFont(true), Maroon, true);
    AddCaptionLines(netFrame, {QStringLiteral("фаза"), QStringLiteral("кв.мм.")}, ffColumn.centre(), captionBottom);
    AddCaptionLines(netFrame, {QStringLiteral("ноль"), QStringLiteral("кв.мм.")}, fnColumn.centre(), captionBottom);

    for (int n = 0; n < LineSectionCount; ++n) {
        const int line = n + 1;
        const int y = rowTop + n * RowPitch;
        const QString lineCaption = QStringLiteral("Линия %1").arg(line);
        AddLabel(netFrame, lineCaption, 8, y + 2, CaptionFont(true), Maroon);
        const QString prefix = lineCaption + QStringLiteral(", ");
        const auto at = [y](const Column& c) { return QRect(c.left, y, c.width, ListHeight); };

        KindPerformLineComboBoxes[n] = AddList(netFrame, LineName("KindPerform", line, "ComboBox"), KindPerformItems,
                                               n == 0 ? PaperCable : PvcCable, at(kindColumn));
        Described(KindPerformLineComboBoxes[n], prefix + QStringLiteral("тип линии"), KindPerformHint);
        StuffLineComboBoxes[n] = AddList(netFrame, LineName("Stuff", line, "ComboBox"), StuffItems,
                                         n == 0 ? Aluminium : Copper, at(stuffColumn));
        Described(StuffLineComboBoxes[n], prefix + QStringLiteral("материал жилы"), StuffHint);
        LengthLineEdits[n] = AddEdit(netFrame, LineName("Length", line, "Edit"), QStringLiteral("0"), at(lengthColumn));
        Described(LengthLineEdits[n], prefix + QStringLiteral("длина линии, м"), LengthHint);
        QuanParLineComboBoxes[n] =
            AddList(netFrame, LineName("QuanPar", line, "ComboBox"), QuanParItems, NoParallel, at(quanParColumn));
        Described(QuanParLineComboBoxes[n], prefix + QStringLiteral("количество параллельных проводов, шт."),
                  QuanParHint);
        FfLineComboBoxes[n] =
            AddList(netFrame, LineName("Ff", line, "ComboBox"), SectionItems, QStringLiteral("0"), at(ffColumn));
        Described(FfLineComboBoxes[n], prefix + QStringLiteral("сечение жилы: фаза, кв.мм."), FfHint);
        FnLineComboBoxes[n] =
            AddList(netFrame, LineName("Fn", line, "ComboBox"), SectionItems, QStringLiteral("0"), at(fnColumn));
        Described(FnLineComboBoxes[n], prefix + QStringLiteral("сечение жилы: ноль, кв.мм."), FnHint);
    }

    // Strip along the bottom of the network frame: the transient resistance.
    QFrame* strip = AddFrame(client, "RArcPanel", QRect(NetworkFrameLeft, 320, 609, 41), QFrame::Box, QFrame::Sunken);
    AddLabel(strip, RArcCaption, 8, 12, CaptionFont(), Maroon);
    RArcEdit = AddEdit(strip, QStringLiteral("RArcEdit"), QStringLiteral("40"),
                       QRect(fnColumn.left, 10, fnColumn.width, ListHeight));
    Described(RArcEdit, RArcCaption.chopped(1), RArcHint);

    // Protective device.
    DeviceGroupBox = new QGroupBox(QStringLiteral("Аппарат защиты"), client);
    DeviceGroupBox->setObjectName(QStringLiteral("DeviceGroupBox"));
    DeviceGroupBox->setFont(HeadingFont());
    DeviceGroupBox->setGeometry(8, 368, 737, 49);
    StatusDDLabel = new QLabel(QStringLiteral("В расчете не определен"), DeviceGroupBox);
    StatusDDLabel->setObjectName(QStringLiteral("StatusDDLabel"));
    StatusDDLabel->setFont(Face("Arial", 9, true));
    SetTextColor(StatusDDLabel, Navy);
    StatusDDLabel->setGeometry(12, 20, 516, 20);
    SetStatusHint(StatusDDLabel, QStringLiteral("Строка состояния аппарата защиты"));
    DDButton = AddButton(DeviceGroupBox, "DDButton", QStringLiteral("Параметры аппарата защиты"),
                         QRect(544 - 8, 384 - 368, 193, 25));
    SetStatusHint(DDButton, QStringLiteral("Выбор аппарата защиты линии"));

    // Result line.
    Panel1 = AddFrame(client, "Panel1", QRect(8, 424, 737, 34), QFrame::Panel, QFrame::Sunken);
    Panel1->setLineWidth(1);
    QPalette white = Panel1->palette();
    white.setColor(QPalette::Window, Qt::white);
    Panel1->setPalette(white);
    Panel1->setAutoFillBackground(true);
    IokzLabel = new QLabel(QStringLiteral("Введите исходные данные для расчета"), Panel1);
    IokzLabel->setObjectName(QStringLiteral("IokzLabel"));
    IokzLabel->setFont(Face("Comic Sans MS", 12));
    SetTextColor(IokzLabel, Navy);
    IokzLabel->setAlignment(Qt::AlignCenter);
    IokzLabel->setGeometry(2, 2, Panel1->width() - 4, Panel1->height() - 4);
    SetStatusHint(IokzLabel, QStringLiteral("Строка вывода результатов расчета"));

    // Button row.
    AddToReportButton =
        AddButton(client, "AddToReportButton", QStringLiteral("Добавить в отчет..."), QRect(8, 472, 137, 25));
    SetStatusHint(AddToReportButton, QStringLiteral("Добавление результатов в отчет"));
    StartButton = AddButton(client, "StartButton", QStringLiteral("Расчет"), QRect(160, 472, 441, 25), true);
    SetStatusHint(StartButton, QStringLiteral("Запуск расчета"));
    BitBtn1 = AddButton(client, "BitBtn1", QStringLiteral("Выход"), QRect(616, 472, 129, 25));
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    SetStatusHint(BitBtn1, QStringLiteral("Выход из программы"));

    // Status bar with the hints.
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setFixedHeight(StatusBarHeight);
    StatusBar1->setToolTip(QStringLiteral("Строка помощи"));
    SetStatusHint(StatusBar1, QStringLiteral("Строка помощи"));
    setStatusBar(StatusBar1);
    AttachHintStatusBar(this, StatusBar1);

    // Context help numbers.
    SetHelpContext(TransPowerComboBox, 31);
    SetHelpContext(WindKindComboBox, 31);
    for (int n = 0; n < LineSectionCount; ++n) {
        for (QWidget* field : {static_cast<QWidget*>(KindPerformLineComboBoxes[n]),
                               static_cast<QWidget*>(StuffLineComboBoxes[n]), static_cast<QWidget*>(LengthLineEdits[n]),
                               static_cast<QWidget*>(QuanParLineComboBoxes[n]),
                               static_cast<QWidget*>(FfLineComboBoxes[n]), static_cast<QWidget*>(FnLineComboBoxes[n])})
            SetHelpContext(field, 32);
    }
    SetHelpContext(RArcEdit, 33);

    // Keyboard focus order.
    QList<QWidget*> order{TransPowerComboBox, WindKindComboBox};
    for (int n = 0; n < LineSectionCount; ++n)
        order << KindPerformLineComboBoxes[n] << StuffLineComboBoxes[n] << LengthLineEdits[n]
              << QuanParLineComboBoxes[n] << FfLineComboBoxes[n] << FnLineComboBoxes[n];
    order << RArcEdit << DDButton << StartButton << AddToReportButton << BitBtn1;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(StartButton, &QPushButton::clicked, this, &TMainForm::StartButtonClick);
    connect(ResultMenu, &QAction::triggered, this, &TMainForm::ResultMenuClick);
    connect(DDButton, &QPushButton::clicked, this, &TMainForm::DDButtonClick);
    connect(AddToReportButton, &QPushButton::clicked, this, &TMainForm::AddToReportButtonClick);
    connect(ReportMenu, &QAction::triggered, this, &TMainForm::ReportMenuClick);
    connect(SelectionMenu, &QAction::triggered, this, &TMainForm::SelectionMenuClick);
    connect(MinimumCheckMenu, &QAction::triggered, this, &TMainForm::CheckMenuClick);
    connect(MaximumCheckMenu, &QAction::triggered, this, &TMainForm::MaximumCheckMenuClick);
    connect(AboutMenu, &QAction::triggered, this, &TMainForm::AboutMenuClick);
    connect(HelpMenu, &QAction::triggered, this, &TMainForm::HelpMenuClick);
    connect(BitBtn1, &QPushButton::clicked, this, &QWidget::close);

    SetResultCommandsEnabled(false);

    setFixedSize(ClientWidth, MainMenu->sizeHint().height() + ClientHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

NetworkDescription TMainForm::CurrentNetwork() const
{
    NetworkDescription network;
    network.TransPower = TransPowerComboBox->currentText().toStdString();
    network.WindKind = WindKindComboBox->currentText().toStdString();
    for (int n = 0; n < LineSectionCount; ++n) {
        LineSection& line = network.Lines[n];
        line.KindPerform = KindPerformLineComboBoxes[n]->currentText().toStdString();
        line.Stuff = StuffLineComboBoxes[n]->currentText().toStdString();
        line.Ff = FfLineComboBoxes[n]->currentText().toStdString();
        line.Fn = FnLineComboBoxes[n]->currentText().toStdString();
        line.Length = LengthLineEdits[n]->text().toStdString();
        line.QuanPar = QuanParLineComboBoxes[n]->currentText().toStdString();
    }
    network.RArc = RArcEdit->text().toStdString();
    return network;
}

QWidget* TMainForm::NetworkFieldControl(NetworkField field, int line) const
{
    const bool section = line >= 0 && line < LineSectionCount;
    switch (field) {
    case NetworkField::TransPower:
        return TransPowerComboBox;
    case NetworkField::WindKind:
        return WindKindComboBox;
    case NetworkField::KindPerform:
        return section ? KindPerformLineComboBoxes[line] : nullptr;
    case NetworkField::Stuff:
        return section ? StuffLineComboBoxes[line] : nullptr;
    case NetworkField::Ff:
        return section ? FfLineComboBoxes[line] : nullptr;
    case NetworkField::Fn:
        return section ? FnLineComboBoxes[line] : nullptr;
    case NetworkField::Length:
        return section ? LengthLineEdits[line] : nullptr;
    case NetworkField::QuanPar:
        return section ? QuanParLineComboBoxes[line] : nullptr;
    case NetworkField::RArc:
        return RArcEdit;
    case NetworkField::None:
        break;
    }
    return nullptr;
}

void TMainForm::ShowNetwork(const NetworkDescription& network)
{
    const auto put = [](QComboBox* list, const std::string& text) {
        const QString shown = QString::fromStdString(text);
        list->setCurrentIndex(list->findText(shown));
        list->setEditText(shown);
    };
    put(TransPowerComboBox, network.TransPower);
    put(WindKindComboBox, network.WindKind);
    for (int n = 0; n < LineSectionCount; ++n) {
        const LineSection& line = network.Lines[n];
        put(KindPerformLineComboBoxes[n], line.KindPerform);
        put(StuffLineComboBoxes[n], line.Stuff);
        put(FfLineComboBoxes[n], line.Ff);
        put(FnLineComboBoxes[n], line.Fn);
        LengthLineEdits[n]->setText(QString::fromStdString(line.Length));
        put(QuanParLineComboBoxes[n], line.QuanPar);
    }
    RArcEdit->setText(QString::fromStdString(network.RArc));
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (ReportForm != nullptr && !ReportForm->MayClose()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void TMainForm::StartButtonClick()
{
    SetResultCommandsEnabled(false);
    const NetworkDescription network = CurrentNetwork();
    const CalculationOutcome outcome = CalculateShortCircuit(network);
    if (outcome.status == CalculationStatus::Success) {
        SelectionForm->CalculatedNetwork = network;
        CheckForm->CalculatedNetwork = network;
        MaximumCheckForm->CalculatedNetwork = network;
        PublishResult(outcome.result);
    } else
        ShowCalculationFailure(outcome);
}

void TMainForm::ResultMenuClick() { ResultForm->exec(); }

void TMainForm::DDButtonClick() { DeviceDefenceForm->exec(); }

void TMainForm::AddToReportButtonClick() { AskNumberForm->exec(); }

void TMainForm::ReportMenuClick() { ReportForm->exec(); }

void TMainForm::SelectionMenuClick() { SelectionForm->exec(); }

void TMainForm::CheckMenuClick() { CheckForm->exec(); }

void TMainForm::MaximumCheckMenuClick() { MaximumCheckForm->exec(); }

void TMainForm::AboutMenuClick() { AboutProgramForm->exec(); }

void TMainForm::HelpMenuClick()
{
    SetDefaultHelpFile(QStringLiteral("help 2.0.hlp"));
    RequestHelp(this, 1);
}

void TMainForm::ShowCalculationFailure(const CalculationOutcome& outcome)
{
    // Once the box is closed, the user is led to the field at fault.
    QWidget* field = NetworkFieldControl(outcome.field, outcome.line);
    if (outcome.status == CalculationStatus::Overflow) {
        CurrentDialogs().Error(ErrorBoxText(OverflowText));
        FocusFieldAtFault(field);
        return;
    }
    const auto showFailureTexts = [this] {
        IokzLabel->setText(FailureIokzText);
        StatusDDLabel->setText(FailureStatusDDText);
    };
    const QString message = QString::fromStdString(outcome.message);
    // A power that is not a number is answered with the texts first, then the message.
    if (outcome.status == CalculationStatus::InvalidPower) {
        showFailureTexts();
        CurrentDialogs().Message(message);
    } else {
        CurrentDialogs().Message(message);
        showFailureTexts();
    }
    FocusFieldAtFault(field);
}

MainWindowLink TMainForm::Link()
{
    MainWindowLink link;
    link.currentNetwork = [this] { return CurrentNetwork(); };
    link.showNetwork = [this](const NetworkDescription& network) { ShowNetwork(network); };
    link.calculate = [this] { StartButtonClick(); };
    link.hasResult = [this] { return AddToReportButton->isEnabled(); };
    link.deviceStatus = [this] { return StatusDDLabel->text(); };
    link.showDeviceStatus = [this](const QString& text) { StatusDDLabel->setText(text); };
    return link;
}

void TMainForm::PublishResult(const ShortCircuitResult& result)
{
    SharedResult = result;
    const PublishedTexts texts = ComposePublishedTexts(result, TransPowerComboBox->currentText(),
                                                       WindKindComboBox->currentText(), RegionalSeparators());
    IokzLabel->setText(texts.Iokz);
    DeviceDefenceForm->AlertDeviceDefence();

    ResultForm->StLabel->setText(texts.St);
    ResultForm->WindKindLabel->setText(texts.WindKind);
    ResultForm->RtLabel->setText(texts.Rt);
    ResultForm->XtLabel->setText(texts.Xt);
    ResultForm->ZtLabel->setText(texts.Zt);
    for (int n = 0; n < LineSectionCount; ++n)
        ResultForm->RLineLabels[n]->setText(texts.RLine[n]);
    ResultForm->RLineLabel->setText(texts.RLineSum);
    for (int n = 0; n < LineSectionCount; ++n)
        ResultForm->XLineLabels[n]->setText(texts.XLine[n]);
    ResultForm->XLineLabel->setText(texts.XLineSum);
    for (int n = 0; n < LineSectionCount; ++n)
        ResultForm->ZLineLabels[n]->setText(texts.ZLine[n]);
    ResultForm->ZLineLabel->setText(texts.ZLineSum);
    ResultForm->RotherLabel->setText(texts.Rother);
    ResultForm->RsumLabel->setText(texts.Rsum);
    ResultForm->XsumLabel->setText(texts.Xsum);
    ResultForm->ZsumLabel->setText(texts.Zsum);
    ResultForm->IokzrezLabel->setText(IokzLabel->text());

    SetResultCommandsEnabled(true);
}

void TMainForm::SetResultCommandsEnabled(bool enabled)
{
    AddToReportButton->setEnabled(enabled);
    ResultMenu->setEnabled(enabled);
    SelectionMenu->setEnabled(enabled);
    CheckMenu->setEnabled(enabled);
}
