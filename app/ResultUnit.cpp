#include "ResultUnit.h"

#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>

#include "WindowFrame.h"
#include "ContextHelp.h"

TResultForm* ResultForm = nullptr;

namespace {

constexpr int ClientWidth = 474;
constexpr int ClientHeight = 452;
constexpr int HelpContext = 36;
const QString HelpFileName = QStringLiteral("help 2.0.hlp");
const QString Unknown = QStringLiteral("---");

const QColor Maroon(0x80, 0x00, 0x00);
const QColor Navy(0x00, 0x00, 0x80);
const QColor Blue(0x00, 0x00, 0xFF);

QFont SerifFont()
{
    QFont font(QStringLiteral("Times New Roman"), 10);
    font.setStyleHint(QFont::Serif);
    return font;
}

QFont ArialFont(bool bold)
{
    QFont font(QStringLiteral("Arial"), 9);
    font.setBold(bold);
    return font;
}

QFont Styled(QFont font, bool bold, bool italic = false)
{
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

void SetTextColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    widget->setPalette(palette);
}

// A fixed caption, as wide as its text.
QLabel* Caption(QWidget* parent, const QString& text, int left, int top, const QFont& font,
                const QColor& color = Qt::black)
{
    auto* label = new QLabel(text, parent);
    label->setFont(font);
    SetTextColor(label, color);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->adjustSize();
    label->move(left, top);
    return label;
}

// A caption whose right edge is at `right`.
QLabel* RightCaption(QWidget* parent, const QString& text, int right, int top, const QFont& font,
                     const QColor& color = Qt::black)
{
    QLabel* label = Caption(parent, text, 0, top, font, color);
    label->move(right - label->width(), top);
    return label;
}

// The right edge shared by a column of right-aligned captions: where the widest of them,
// `text` placed at `left`, ends.
int RightEdge(const QString& text, int left, const QFont& font)
{
    return left + QFontMetrics(font).horizontalAdvance(text);
}

// An output field: its text is rewritten by other windows, so it reaches to `right`
// whatever text it is given.
QLabel* Field(QWidget* parent, const char* name, const QString& text, int left, int top, int right,
              const QFont& font)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(left, top, right - left, QFontMetrics(font).height() + 1);
    return label;
}

// The white sunken panel that holds the values.
QFrame* ValuePanel(QWidget* parent, int left, int top, int width, int height)
{
    auto* panel = new QFrame(parent);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(1);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, Qt::white);
    panel->setPalette(palette);
    panel->setAutoFillBackground(true);
    panel->setGeometry(left, top, width, height);
    return panel;
}

// A sunken separator line at `top`.
void Separator(QWidget* parent, int left, int top, int width)
{
    auto* line = new QFrame(parent);
    line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    line->setGeometry(left, top, width, 2);
}

// Separator lines drawn along the bottom or the top edge of a box (left, top, width, height).
void BottomLine(QWidget* parent, int left, int top, int width, int height)
{
    Separator(parent, left, top + height - 2, width);
}
void TopLine(QWidget* parent, int left, int top, int width) { Separator(parent, left, top, width); }

QWidget* TabSheet(QTabWidget* pages, const char* name, const QString& caption)
{
    auto* sheet = new QWidget;
    sheet->setObjectName(QString::fromLatin1(name));
    pages->addTab(sheet, caption);
    SetHelpContext(sheet, HelpContext);
    return sheet;
}

}  // namespace

TResultForm::TResultForm(QWidget* parent) : QDialog(parent, FixedWindowFlags)
{
    SetUpWindow(this, QStringLiteral("ResultForm"), QStringLiteral("Результаты расчета"), HelpFileName, HelpContext,
                QSize(ClientWidth, ClientHeight));

    ResultPageControl = new QTabWidget(this);
    ResultPageControl->setObjectName(QStringLiteral("ResultPageControl"));
    ResultPageControl->setGeometry(8, 8, 457, 257);
    SetHelpContext(ResultPageControl, HelpContext);
    TransTabSheet = TabSheet(ResultPageControl, "TransTabSheet", QStringLiteral("Трансформатор"));
    LineTabSheet = TabSheet(ResultPageControl, "LineTabSheet", QStringLiteral("Линия"));
    DefenceTabSheet = TabSheet(ResultPageControl, "DefenceTabSheet", QStringLiteral("Аппарат защиты"));
    ResultPageControl->setCurrentWidget(TransTabSheet);

    CreateTransTab();
    CreateLineTab();
    CreateDefenceTab();
    CreateSummary();

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("Закрыть"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(184, 416, 89, 25);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

void TResultForm::CreateTransTab()
{
    QWidget* sheet = TransTabSheet;
    const QFont serif = SerifFont();
    const QFont plain = font();
    Caption(sheet, QStringLiteral("Номинальная мощность:"), 24, 40, serif, Maroon);
    Caption(sheet, QStringLiteral("Схема соединения обмоток:"), 24, 64, serif, Maroon);
    Caption(sheet, QStringLiteral("Сопротивление току однофазного КЗ:"), 24, 88, serif, Maroon);
    const int right = RightEdge(QStringLiteral("индуктивное:"), 176, plain);
    RightCaption(sheet, QStringLiteral("активное:"), right, 104, plain);
    RightCaption(sheet, QStringLiteral("индуктивное:"), right, 120, plain);
    RightCaption(sheet, QStringLiteral("полное:"), right, 136, plain);

    QFrame* panel = ValuePanel(sheet, 264, 32, 145, 129);
    const QFont verdana(QStringLiteral("Verdana"), 9);
    const int panelRight = panel->width() - 2;
    StLabel = Field(panel, "StLabel", QStringLiteral("Sном=___ кВ*А"), 16, 8, panelRight, verdana);
    WindKindLabel = Field(panel, "WindKindLabel", QStringLiteral("Y/Y-0"), 16, 32, panelRight, verdana);
    RtLabel = Field(panel, "RtLabel", QStringLiteral("Rт=___ мОм"), 16, 72, panelRight, plain);
    XtLabel = Field(panel, "XtLabel", QStringLiteral("Xт=___ мОм"), 16, 88, panelRight, plain);
    ZtLabel = Field(panel, "ZtLabel", QStringLiteral("Zт=___ мОм"), 16, 104, panelRight, plain);

    Caption(sheet, QStringLiteral("Примечание:"), 28, 176, Styled(plain, true, true), Blue);
    Caption(sheet, QStringLiteral("сопротивление указано суммарное на 3 фазы трансформатора"), 28, 200,
            Styled(plain, false, true), Navy);
}

void TResultForm::CreateLineTab()
{
    QWidget* sheet = LineTabSheet;
    const QFont plain = font();
    const QFont bold = Styled(plain, true);
    Caption(sheet, QStringLiteral("Сопротивление линии"), 136, 16, SerifFont(), Maroon);
    BottomLine(sheet, 8, 16, 433, 25);

    Caption(sheet, QStringLiteral("Активное"), 112, 48, bold);
    Caption(sheet, QStringLiteral("Rл, мОм"), 112, 64, plain);
    Caption(sheet, QStringLiteral("Индуктивное"), 184, 48, bold);
    Caption(sheet, QStringLiteral("Xл, мОм"), 192, 64, plain);
    Caption(sheet, QStringLiteral("Полное"), 272, 48, bold);
    Caption(sheet, QStringLiteral("Zл, мОм"), 272, 64, plain);

    QFrame* panel = ValuePanel(sheet, 24, 88, 409, 113);
    static const char* const rNames[] = {"RLine1Label", "RLine2Label", "RLine3Label",
                                         "RLine4Label", "RLine5Label", "RLine6Label"};
    static const char* const xNames[] = {"XLine1Label", "XLine2Label", "XLine3Label",
                                         "XLine4Label", "XLine5Label", "XLine6Label"};
    static const char* const zNames[] = {"ZLine1Label", "ZLine2Label", "ZLine3Label",
                                         "ZLine4Label", "ZLine5Label", "ZLine6Label"};
    for (int row = 0; row < 6; ++row) {
        const int top = 8 + 16 * row;
        Caption(panel, QStringLiteral("Линия %1:").arg(row + 1), 8, top, plain);
        RLineLabels[row] = Field(panel, rNames[row], Unknown, 104, top, 182, plain);
        XLineLabels[row] = Field(panel, xNames[row], Unknown, 184, top, 262, plain);
        ZLineLabels[row] = Field(panel, zNames[row], Unknown, 264, top, panel->width() - 2, plain);
    }

    Caption(sheet, QStringLiteral("Суммарное:"), 16, 208, ArialFont(true));
    const QFont arial = ArialFont(false);
    RLineLabel = Field(sheet, "RLineLabel", Unknown, 128, 208, 206, arial);
    XLineLabel = Field(sheet, "XLineLabel", Unknown, 208, 208, 286, arial);
    ZLineLabel = Field(sheet, "ZLineLabel", Unknown, 288, 208, 441, arial);
}

void TResultForm::CreateDefenceTab()
{
    QWidget* sheet = DefenceTabSheet;
    const QFont serif = SerifFont();
    const QFont plain = font();
    const QString captions[] = {QStringLiteral("Тип аппарата защиты:"), QStringLiteral("Номинальный ток:"),
                                QStringLiteral("Коэффициент запаса:"), QStringLiteral("Ток срабатывания:"),
                                QStringLiteral("Время срабатывания:")};
    for (int row = 0; row < 5; ++row)
        Caption(sheet, captions[row], 16, 48 + 24 * row, serif, Maroon);

    QFrame* panel = ValuePanel(sheet, 168, 32, 265, 137);
    const int right = panel->width() - 2;
    TypeDDLabel = Field(panel, "TypeDDLabel", Unknown, 32, 18, right, plain);
    ToknomLabel = Field(panel, "ToknomLabel", Unknown, 32, 42, right, plain);
    KZLabel = Field(panel, "KZLabel", Unknown, 32, 66, right, plain);
    TokSRLabel = Field(panel, "TokSRLabel", Unknown, 32, 90, right, plain);
    TimeSRLabel = Field(panel, "TimeSRLabel", Unknown, 32, 114, right, plain);

    // Between the panel and the status line: two lines of small text.
    FuseWarningLabel = Field(sheet, "FuseWarningLabel", QString(), 16, 171, 441, plain);
    FuseWarningLabel->setWordWrap(true);
    FuseWarningLabel->setFixedHeight(28);
    SetTextColor(FuseWarningLabel, Qt::red);

    TopLine(sheet, 8, 200, 433);
    Caption(sheet, QStringLiteral("Состояние:"), 16, 206, serif, Maroon);
    StatusDDLabel = Field(sheet, "StatusDDLabel", QStringLiteral("в расчете не определен."), 112, 208, 445,
                          ArialFont(true));
}

void TResultForm::CreateSummary()
{
    const QFont serif = SerifFont();
    const QFont plain = font();
    const QFont bold = Styled(plain, true);
    const int right = ClientWidth - 8;
    Caption(this, QStringLiteral("Переходное сопротивление контактов+сопротивление электрической"), 8, 272, serif,
            Maroon);
    Caption(this, QStringLiteral("дуги:"), 8, 288, serif, Maroon);
    RotherLabel = Field(this, "RotherLabel", QStringLiteral("Rпр="), 264, 288, right, plain);
    BottomLine(this, 56, 300, 369, 10);

    Caption(this, QStringLiteral("Сопротивление петли \"фаза-ноль\":"), 8, 315, serif, Maroon);
    const int captionRight = RightEdge(QStringLiteral("Индуктивное:"), 143, bold);
    RightCaption(this, QStringLiteral("Активное:"), captionRight, 336, bold);
    RightCaption(this, QStringLiteral("Индуктивное:"), captionRight, 352, bold);
    RightCaption(this, QStringLiteral("Полное:"), captionRight, 368, bold);
    RsumLabel = Field(this, "RsumLabel", QStringLiteral("Rф-н=___ мОм"), 264, 336, right, plain);
    XsumLabel = Field(this, "XsumLabel", QStringLiteral("Xф-н=___ мОм"), 264, 352, right, plain);
    ZsumLabel = Field(this, "ZsumLabel", QStringLiteral("Zф-н=___ мОм"), 264, 368, right, plain);
    BottomLine(this, 56, 380, 369, 10);

    IokzrezLabel = Field(this, "IokzrezLabel", QStringLiteral("Ток однофазного короткого замыкания равен --- А "), 8,
                         395, right, ArialFont(true));
}
