#include "NoteTitleBlock.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>
#include <utility>
#include <vector>

namespace {

// Columns of the change part, from the block's left edge (mm): the same in both forms.
struct Column {
    const char* caption;
    double x, w;
};
constexpr Column ChangeColumns[] = {{"Изм.", 0, 10},  {"Кол.уч.", 10, 10}, {"Лист", 20, 10},
                                    {"№ док.", 30, 10}, {"Подп.", 40, 15},   {"Дата", 55, 10}};
constexpr double BlockLeft = TitleBlockRight - TitleBlockWidth;   // 20 mm
constexpr double FirstTop = TitleBlockBottom - FirstTitleBlockHeight;
constexpr double OtherTop = TitleBlockBottom - OtherTitleBlockHeight;
constexpr double Row = 5;   // every row of the change part and the roles

// The roles' rows of the first sheet (row 3 is the free one of the form).
constexpr std::pair<int, const char*> Roles[] = {{3, "Разраб."}, {4, "Пров."}, {6, "Н. контр."}, {7, "Утв."}};

// The binding margin's additional columns, from the foot up: caption column 5 mm, value 7 mm.
constexpr double MarginLeft = 8, MarginCaption = 5, MarginValue = 7;
constexpr std::pair<const char*, double> MarginColumns[] = {
    {"Инв. № подл.", 25}, {"Подп. и дата", 35}, {"Взам. инв. №", 25}};

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }
QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

class BlockPainter {
public:
    BlockPainter(QPainter& painter, QPaintDevice& device) : p_(painter), device_(device), mm_(device.logicalDpiY() / 25.4) {}

    double Mm(double mm) const { return mm * mm_; }

    void Line(double x1, double y1, double x2, double y2, double width) const
    {
        p_.setPen(QPen(Qt::black, Mm(width), Qt::SolidLine, Qt::FlatCap));
        p_.drawLine(QPointF(Mm(x1), Mm(y1)), QPointF(Mm(x2), Mm(y2)));
    }

    void Rect(const TitleCell& c, double width) const
    {
        p_.setPen(QPen(Qt::black, Mm(width)));
        p_.setBrush(Qt::NoBrush);
        p_.drawRect(QRectF(Mm(c.x), Mm(c.y), Mm(c.w), Mm(c.h)));
    }

    // `text` inside `cell`, wrapped to its width and shrunk from `points` until it fits whole.
    void Write(const QString& text, const TitleCell& cell, double points, Qt::Alignment align = Qt::AlignHCenter) const
    {
        if (text.isEmpty())
            return;
        const double width = Mm(cell.w - 1), height = Mm(cell.h - 0.6);
        for (double size = points;; size -= 0.5) {
            QFont font(QStringLiteral("Liberation Sans"));
            font.setPointSizeF(size);
            QTextLayout layout(text, font, &device_);
            QTextOption option(align);
            option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
            layout.setTextOption(option);
            layout.beginLayout();
            double y = 0, widest = 0;
            bool broken = false;
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                line.setLineWidth(width);
                line.setPosition(QPointF(0, y));
                y += line.height();
                widest = std::max(widest, line.naturalTextWidth());
                // A word cut in two: the size is too large for the cell.
                const QChar last = text.at(std::max(0, line.textStart() + line.textLength() - 1));
                broken = broken || (line.textStart() + line.textLength() < text.size() && !last.isSpace());
            }
            layout.endLayout();
            if (y <= height && !broken) {
                layout.draw(&p_, QPointF(Mm(cell.x + 0.5), Mm(cell.y) + std::max(0.0, (Mm(cell.h) - y) / 2)));
                return;
            }
            if (size <= 5) {
                // Too long for its cell even small: one line, shortened, never beyond the cell.
                p_.setFont(font);
                p_.setPen(Qt::black);
                const QString shown = QFontMetricsF(font, &device_).elidedText(text, Qt::ElideRight, width);
                p_.drawText(QRectF(Mm(cell.x + 0.5), Mm(cell.y), width, Mm(cell.h)), Qt::AlignVCenter | align, shown);
                return;
            }
        }
    }

    // A caption turned to read upwards, centred in `cell`.
    void WriteUpwards(const QString& text, const TitleCell& cell, double points) const
    {
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPointSizeF(points);
        p_.save();
        p_.setFont(font);
        p_.translate(Mm(cell.x), Mm(cell.y + cell.h));
        p_.rotate(-90);
        p_.drawText(QRectF(0, 0, Mm(cell.h), Mm(cell.w)), Qt::AlignCenter, text);
        p_.restore();
    }

private:
    QPainter& p_;
    QPaintDevice& device_;
    double mm_;
};

void ChangeColumnsCaptions(const BlockPainter& b, double top, int rows, int captionRow)
{
    for (const Column& c : ChangeColumns) {
        b.Line(BlockLeft + c.x + c.w, top, BlockLeft + c.x + c.w, top + Row * (captionRow + 1), 0.5);
        b.Write(Text(c.caption), {BlockLeft + c.x, top + Row * captionRow, c.w, Row}, 7);
    }
    for (int r = 1; r < rows; ++r)
        b.Line(BlockLeft, top + Row * r, BlockLeft + 65, top + Row * r, r == captionRow || r == captionRow + 1 ? 0.5 : 0.25);
}

}  // namespace

TitleCell FirstBlockCell(const QString& caption)
{
    for (const Column& c : ChangeColumns)
        if (caption == Text(c.caption))
            return {BlockLeft + c.x, FirstTop + 2 * Row, c.w, Row};
    for (const auto& [row, role] : Roles)
        if (caption == Text(role))
            return {BlockLeft, FirstTop + Row * row, 20, Row};
    const double right = BlockLeft + 65;
    if (caption == QStringLiteral("обозначение"))
        return {right, FirstTop, 120, 15};
    if (caption == QStringLiteral("наименование"))
        return {right, FirstTop + 15, 70, 25};
    if (caption == QStringLiteral("Стадия"))
        return {right + 70, FirstTop + 15, 15, Row};
    if (caption == QStringLiteral("Лист документа"))
        return {right + 85, FirstTop + 15, 15, Row};
    if (caption == QStringLiteral("Листов"))
        return {right + 100, FirstTop + 15, 20, Row};
    if (caption == QStringLiteral("стадия"))
        return {right + 70, FirstTop + 20, 15, Row};
    if (caption == QStringLiteral("лист"))
        return {right + 85, FirstTop + 20, 15, Row};
    if (caption == QStringLiteral("листов"))
        return {right + 100, FirstTop + 20, 20, Row};
    if (caption == QStringLiteral("организация"))
        return {right + 70, FirstTop + 25, 50, 15};
    return {0, 0, 0, 0};
}

TitleCell OtherBlockCell(const QString& caption)
{
    for (const Column& c : ChangeColumns)
        if (caption == Text(c.caption))
            return {BlockLeft + c.x, OtherTop + 2 * Row, c.w, Row};
    if (caption == QStringLiteral("обозначение"))
        return {BlockLeft + 65, OtherTop, 110, 15};
    if (caption == QStringLiteral("Лист"))
        return {TitleBlockRight - 10, OtherTop, 10, 7};
    if (caption == QStringLiteral("лист"))
        return {TitleBlockRight - 10, OtherTop + 7, 10, 8};
    return {0, 0, 0, 0};
}

void PaintTitleBlock(QPainter& painter, QPaintDevice& device, const CalculationNote& note, int page, int total)
{
    const BlockPainter b(painter, device);
    const NoteProject& project = note.project;
    const QString designation = Text(project.designation);
    if (page == 1) {
        b.Rect({BlockLeft, FirstTop, TitleBlockWidth, FirstTitleBlockHeight}, 0.5);
        ChangeColumnsCaptions(b, FirstTop, 8, 2);
        // Below the captions the roles span the first two columns and the surnames the next two.
        for (double x : {20.0, 40.0, 55.0, 65.0})
            b.Line(BlockLeft + x, FirstTop + 3 * Row, BlockLeft + x, TitleBlockBottom, 0.5);
        const std::string* names[] = {&project.author, &project.checker, nullptr, &project.normController,
                                      &project.approver};
        for (const auto& [row, role] : Roles) {
            b.Write(Text(role), FirstBlockCell(Text(role)), 7, Qt::AlignLeft);
            if (const std::string* name = names[row - 3])
                b.Write(Text(*name), {BlockLeft + 20, FirstTop + Row * row, 20, Row}, 7, Qt::AlignLeft);
        }
        b.Write(Text(project.date), {BlockLeft + 55, FirstTop + 3 * Row, 10, Row}, 6);
        const double right = BlockLeft + 65;
        b.Line(right, FirstTop + 15, TitleBlockRight, FirstTop + 15, 0.5);
        b.Line(right + 70, FirstTop + 15, right + 70, TitleBlockBottom, 0.5);
        b.Line(right + 70, FirstTop + 20, TitleBlockRight, FirstTop + 20, 0.25);
        b.Line(right + 70, FirstTop + 25, TitleBlockRight, FirstTop + 25, 0.5);
        b.Line(right + 85, FirstTop + 15, right + 85, FirstTop + 25, 0.5);
        b.Line(right + 100, FirstTop + 15, right + 100, FirstTop + 25, 0.5);
        b.Write(designation, FirstBlockCell(QStringLiteral("обозначение")), 12);
        b.Write(Text(note.title), FirstBlockCell(QStringLiteral("наименование")), 9);
        b.Write(QStringLiteral("Стадия"), FirstBlockCell(QStringLiteral("Стадия")), 7);
        b.Write(QStringLiteral("Лист"), FirstBlockCell(QStringLiteral("Лист документа")), 7);
        b.Write(QStringLiteral("Листов"), FirstBlockCell(QStringLiteral("Листов")), 7);
        b.Write(Text(project.stage), FirstBlockCell(QStringLiteral("стадия")), 8);
        b.Write(QString::number(page), FirstBlockCell(QStringLiteral("лист")), 8);
        b.Write(QString::number(total), FirstBlockCell(QStringLiteral("листов")), 8);
        b.Write(Text(project.organisation), FirstBlockCell(QStringLiteral("организация")), 9);
    } else {
        b.Rect({BlockLeft, OtherTop, TitleBlockWidth, OtherTitleBlockHeight}, 0.5);
        ChangeColumnsCaptions(b, OtherTop, 3, 2);
        b.Line(TitleBlockRight - 10, OtherTop, TitleBlockRight - 10, TitleBlockBottom, 0.5);
        b.Line(TitleBlockRight - 10, OtherTop + 7, TitleBlockRight, OtherTop + 7, 0.25);
        b.Write(designation, OtherBlockCell(QStringLiteral("обозначение")), 12);
        b.Write(QStringLiteral("Лист"), OtherBlockCell(QStringLiteral("Лист")), 7);
        b.Write(QString::number(page), OtherBlockCell(QStringLiteral("лист")), 9);
    }
    // The additional columns in the binding margin, from the foot up.
    double bottom = TitleBlockBottom;
    for (const auto& [caption, height] : MarginColumns) {
        const TitleCell captionCell{MarginLeft, bottom - height, MarginCaption, height};
        b.Rect(captionCell, 0.5);
        b.Rect({MarginLeft + MarginCaption, bottom - height, MarginValue, height}, 0.5);
        b.WriteUpwards(Text(caption), captionCell, 7);
        bottom -= height;
    }
}
