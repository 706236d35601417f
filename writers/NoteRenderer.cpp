#include "NoteRenderer.h"

#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QTextLayout>
#include <algorithm>
#include <functional>
#include <memory>
#include <stdexcept>

#include "NoteTitleBlock.h"

namespace {

// Sheet geometry in millimetres: A4 with the frame of a text document (20 mm binding margin,
// 5 mm elsewhere), the text 5 mm inside the frame, the title block at the foot of the frame.
constexpr double PageWidth = 210, PageHeight = 297;
constexpr double FrameLeft = 20, FrameTop = 5, FrameRight = PageWidth - 5, FrameBottom = PageHeight - 5;
constexpr double TextLeft = FrameLeft + 5, TextRight = FrameRight - 5;
constexpr double BodyTop = FrameTop + 8;
constexpr double FirstBlockHeight = FirstTitleBlockHeight, OtherBlockHeight = OtherTitleBlockHeight;
constexpr double CellPadX = 1.2, CellPadY = 0.8;
constexpr double ParagraphIndent = 12.5;

QString Q(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

QFont MakeFont(const char* family, double points, bool bold = false, bool italic = false)
{
    QFont font(QString::fromLatin1(family));
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    font.setKerning(true);
    return font;
}

// A text broken into lines for one width; heights in device units.
struct Wrapped {
    std::unique_ptr<QTextLayout> layout;
    double height = 0;
};

// One run over the note: lays it out and, with a painter, paints it. The page count of a first
// run without a painter goes into the second, which writes "Лист N из M".
class NoteLayout {
public:
    NoteLayout(const CalculationNote& note, QPaintDevice& metrics, QPagedPaintDevice* pages, QPainter* painter,
               int totalPages)
        : note_(note), metrics_(metrics), pages_(pages), painter_(painter), total_(totalPages),
          mm_(metrics.logicalDpiY() / 25.4)
    {
    }

    int Run()
    {
        StartPage();
        TitleHeading();
        for (const NoteBlock& block : note_.blocks) {
            switch (block.kind) {
            case NoteBlock::Kind::Heading: Heading(block); break;
            case NoteBlock::Kind::Paragraph: Paragraph(Q(block.text), body_, ParagraphIndent, Qt::AlignJustify); break;
            case NoteBlock::Kind::Formula: Paragraph(Q(block.text), body_, 0, Qt::AlignHCenter); break;
            case NoteBlock::Kind::Table: Table(block.table); break;
            case NoteBlock::Kind::Figure: Figure(block.figure); break;
            }
        }
        return page_;
    }

private:
    double Mm(double millimetres) const { return millimetres * mm_; }
    double Bottom() const { return Mm(FrameBottom - (page_ == 1 ? FirstBlockHeight : OtherBlockHeight) - 4); }
    double Width() const { return Mm(TextRight - TextLeft); }

    Wrapped Wrap(const QString& text, const QFont& font, double width, Qt::Alignment align, double indent = 0) const
    {
        Wrapped wrapped;
        wrapped.layout = std::make_unique<QTextLayout>(text, font, &metrics_);
        QTextOption option(align);
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        wrapped.layout->setTextOption(option);
        wrapped.layout->beginLayout();
        double y = 0;
        for (bool first = true;; first = false) {
            QTextLine line = wrapped.layout->createLine();
            if (!line.isValid())
                break;
            const double lineIndent = first ? indent : 0;
            line.setLineWidth(std::max(1.0, width - lineIndent));
            line.setPosition(QPointF(lineIndent, y));
            y += line.height();
        }
        wrapped.layout->endLayout();
        wrapped.height = y;
        return wrapped;
    }

    void Draw(const Wrapped& text, double x, double y) const
    {
        if (painter_)
            text.layout->draw(painter_, QPointF(x, y));
    }

    void Line(double x1, double y1, double x2, double y2, double widthMm) const
    {
        if (!painter_)
            return;
        painter_->setPen(QPen(Qt::black, Mm(widthMm), Qt::SolidLine, Qt::FlatCap));
        painter_->drawLine(QPointF(x1, y1), QPointF(x2, y2));
    }

    void Box(const QRectF& box, double widthMm) const
    {
        if (!painter_)
            return;
        painter_->setPen(QPen(Qt::black, Mm(widthMm)));
        painter_->setBrush(Qt::NoBrush);
        painter_->drawRect(box);
    }

    void NewPage()
    {
        if (painter_)
            pages_->newPage();
        StartPage();
    }

    void StartPage()
    {
        ++page_;
        y_ = Mm(BodyTop);
        if (!painter_)
            return;
        Box(QRectF(Mm(FrameLeft), Mm(FrameTop), Mm(FrameRight - FrameLeft), Mm(FrameBottom - FrameTop)), 0.5);
        PaintTitleBlock(*painter_, metrics_, note_, page_, total_);
    }

    // Moves to a new page unless `height` fits below the current position.
    void Reserve(double height)
    {
        if (y_ + height > Bottom() && y_ > Mm(BodyTop))
            NewPage();
    }

    void TitleHeading()
    {
        const Wrapped name = Wrap(QStringLiteral("Расчетная записка"), heading1_, Width(), Qt::AlignHCenter);
        Draw(name, Mm(TextLeft), y_);
        y_ += name.height + Mm(2);
        const Wrapped title = Wrap(Q(note_.title), heading2_, Width(), Qt::AlignHCenter);
        Draw(title, Mm(TextLeft), y_);
        y_ += title.height + Mm(2);
        if (!note_.project.object.empty()) {
            const Wrapped object = Wrap(QStringLiteral("Объект: ") + Q(note_.project.object), body_, Width(),
                                        Qt::AlignHCenter);
            Reserve(object.height);
            Draw(object, Mm(TextLeft), y_);
            y_ += object.height;
        }
        y_ += Mm(4);
    }

    void Heading(const NoteBlock& block)
    {
        const QFont& font = block.level == 1 ? heading1_ : heading2_;
        const Wrapped text = Wrap(Q(block.text), font, Width() - Mm(ParagraphIndent), Qt::AlignLeft);
        const double before = Mm(block.level == 1 ? 5 : 3);
        // A heading keeps with it the start of what follows: a chain drawing or a table's head.
        Reserve(before + std::min(text.height, Mm(40)) + Mm(45));
        if (y_ > Mm(BodyTop))
            y_ += before;
        DrawLines(text, Mm(TextLeft + ParagraphIndent));
        y_ += Mm(2);
    }

    // A wrapped text at `x`, split between pages at its lines: no text is too long for a sheet.
    void DrawLines(const Wrapped& text, double x)
    {
        for (int i = 0; i < text.layout->lineCount(); ++i) {
            const QTextLine line = text.layout->lineAt(i);
            Reserve(line.height());
            if (painter_)
                line.draw(painter_, QPointF(x, y_ - line.y()));
            y_ += line.height();
        }
    }

    void Paragraph(const QString& content, const QFont& font, double indentMm, Qt::Alignment align)
    {
        DrawLines(Wrap(content, font, Width(), align, Mm(indentMm)), Mm(TextLeft));
        y_ += Mm(1.5);
    }

    std::vector<double> ColumnWidths(const NoteTable& table) const
    {
        double total = 0;
        for (const int w : table.widths)
            total += w;
        std::vector<double> widths;
        for (const int w : table.widths)
            widths.push_back(Width() * w / total);
        return widths;
    }

    struct LaidRow {
        std::vector<Wrapped> cells;
        double height = 0;
    };

    LaidRow LayRow(const std::vector<std::string>& cells, const std::vector<double>& widths, const QFont& font,
                   const NoteTable& table, bool header) const
    {
        LaidRow row;
        for (size_t c = 0; c < widths.size(); ++c) {
            const QString text = c < cells.size() ? Q(cells[c]) : QString();
            const bool numeric = !header && c < table.numeric.size() && table.numeric[c];
            Qt::Alignment align = header ? Qt::AlignHCenter : numeric ? Qt::AlignRight : Qt::AlignLeft;
            row.cells.push_back(Wrap(text, font, widths[c] - Mm(2 * CellPadX), align));
            row.height = std::max(row.height, row.cells.back().height);
        }
        row.height += Mm(2 * CellPadY);
        return row;
    }

    void DrawRow(const LaidRow& row, const std::vector<double>& widths)
    {
        double x = Mm(TextLeft);
        for (size_t c = 0; c < widths.size(); ++c) {
            Draw(row.cells[c], x + Mm(CellPadX), y_ + Mm(CellPadY));
            Box(QRectF(x, y_, widths[c], row.height), 0.25);
            x += widths[c];
        }
        y_ += row.height;
    }

    // A row taller than what is left of a sheet: its cells' lines go on over the following
    // sheets, each part in a frame of its own under the repeated header.
    void DrawSplitRow(const LaidRow& row, const std::vector<double>& widths, const std::function<void()>& nextSheet)
    {
        const double pad = Mm(CellPadY), total = row.height - 2 * pad;
        double offset = 0;
        for (;;) {
            double end = std::min(total, offset + (Bottom() - y_ - 2 * pad));
            if (end < total) {
                // Cut above the first line that would cross the sheet's foot, in any cell.
                double cut = end;
                for (const Wrapped& cell : row.cells)
                    for (int i = 0; i < cell.layout->lineCount(); ++i) {
                        const QTextLine line = cell.layout->lineAt(i);
                        if (line.y() < end && line.y() + line.height() > end)
                            cut = std::min(cut, line.y());
                    }
                end = cut > offset ? cut : end;
            }
            double x = Mm(TextLeft);
            for (size_t c = 0; c < widths.size(); ++c) {
                const Wrapped& cell = row.cells[c];
                for (int i = 0; i < cell.layout->lineCount() && painter_; ++i) {
                    const QTextLine line = cell.layout->lineAt(i);
                    if (line.y() >= offset - 0.5 && line.y() < end - 0.5)
                        line.draw(painter_, QPointF(x + Mm(CellPadX), y_ + pad - offset));
                }
                Box(QRectF(x, y_, widths[c], end - offset + 2 * pad), 0.25);
                x += widths[c];
            }
            y_ += end - offset + 2 * pad;
            offset = end;
            if (offset >= total - 0.5)
                return;
            nextSheet();
        }
    }

    void Table(const NoteTable& table)
    {
        const std::vector<double> widths = ColumnWidths(table);
        const Wrapped caption = Wrap(QStringLiteral("Таблица %1 — ").arg(table.number) + Q(table.caption), body_,
                                     Width(), Qt::AlignLeft);
        const LaidRow header = LayRow(table.header, widths, tableHeader_, table, true);
        std::vector<LaidRow> rows;
        rows.reserve(table.rows.size());
        for (size_t r = 0; r < table.rows.size(); ++r) {
            const bool bold = r < table.bold.size() && table.bold[r];
            rows.push_back(LayRow(table.rows[r], widths, bold ? tableBold_ : tableText_, table, false));
        }
        // The caption stays with the header and the first two rows (as much of them as a sheet holds):
        // neither a caption nor a single row stands alone at the foot of a sheet.
        y_ += Mm(1);
        double lead = caption.height + Mm(1) + header.height;
        for (size_t r = 0; r < rows.size() && r < 2; ++r)
            lead += rows[r].height;
        Reserve(std::min(lead, Mm(80)));
        DrawLines(caption, Mm(TextLeft));
        y_ += Mm(1);
        DrawRow(header, widths);
        const auto nextSheet = [&] {
            NewPage();
            const Wrapped more = Wrap(QStringLiteral("Продолжение таблицы %1").arg(table.number), body_, Width(),
                                      Qt::AlignLeft);
            Draw(more, Mm(TextLeft), y_);
            y_ += more.height + Mm(1);
            DrawRow(header, widths);
        };
        for (size_t r = 0; r < rows.size(); ++r) {
            const LaidRow& row = rows[r];
            // The last row does not go on alone: the one before it moves to the next sheet too.
            const bool lastTwo = r + 2 == rows.size() && r >= 2 && y_ + row.height <= Bottom()
                                 && y_ + row.height + rows.back().height > Bottom()
                                 && row.height + rows.back().height <= Bottom() - Mm(BodyTop + 20);
            if (lastTwo || (y_ + row.height > Bottom() && row.height <= Bottom() - Mm(BodyTop + 20)))
                nextSheet();
            if (y_ + row.height > Bottom())
                DrawSplitRow(row, widths, nextSheet);
            else
                DrawRow(row, widths);
        }
        y_ += Mm(3);
    }

    // The chain: the transformer, the line sections in a row, the fault point at the end; each
    // section's data written under its stretch of line.
    void Figure(const NoteFigure& figure)
    {
        const double left = Mm(TextLeft), width = Width();
        const double symbolWidth = Mm(26), pointWidth = Mm(28);
        const double deviceWidth = figure.device.empty() ? 0 : Mm(20);
        const int count = std::max<int>(1, int(figure.links.size()));
        const double stretch = (width - symbolWidth - deviceWidth - pointWidth) / count;
        const double firstStretch = left + symbolWidth + deviceWidth;

        const Wrapped transformer = Wrap(Q(figure.transformer), figureText_, symbolWidth - Mm(1), Qt::AlignHCenter);
        // The drawing names the point in at most a few lines; the caption under it names it whole.
        const QString pointName = QFontMetricsF(figureText_, &metrics_)
                                      .elidedText(QStringLiteral("К: ") + Q(figure.faultPoint), Qt::ElideMiddle,
                                                  (pointWidth - Mm(3)) * 4);
        const Wrapped point = Wrap(pointName, figureText_, pointWidth - Mm(2), Qt::AlignHCenter);
        std::vector<Wrapped> titles, details;
        const Wrapped device = Wrap(Q(figure.device), figureText_, deviceWidth - Mm(1), Qt::AlignHCenter);
        double titleHeight = 0, labelHeight = std::max({transformer.height, point.height, device.height});
        for (const ChainLink& link : figure.links) {
            titles.push_back(Wrap(Q(link.title), figureBold_, stretch - Mm(2), Qt::AlignHCenter));
            QStringList lines;
            for (const std::string& text : link.lines)
                lines << Q(text);
            details.push_back(Wrap(lines.join(QChar::LineSeparator), figureText_, stretch - Mm(2), Qt::AlignHCenter));
            titleHeight = std::max(titleHeight, titles.back().height);
            labelHeight = std::max(labelHeight, details.back().height);
        }
        const Wrapped caption = Wrap(QStringLiteral("Рисунок %1 — ").arg(figure.number) + Q(figure.caption), body_,
                                     width, Qt::AlignHCenter);
        const double symbolZone = Mm(12);
        const double height =
            Mm(2) + titleHeight + symbolZone + Mm(2) + labelHeight + Mm(2) + std::min(caption.height, Mm(20));
        Reserve(height);

        const double top = y_ + Mm(2);
        const double axis = top + titleHeight + symbolZone / 2;
        const double labels = top + titleHeight + symbolZone + Mm(2);
        // The transformer: two overlapping circles.
        const double radius = Mm(3.2);
        const double centre = left + symbolWidth / 2;
        if (painter_) {
            painter_->setPen(QPen(Qt::black, Mm(0.35)));
            painter_->setBrush(Qt::NoBrush);
            painter_->drawEllipse(QPointF(centre - radius * 0.6, axis), radius, radius);
            painter_->drawEllipse(QPointF(centre + radius * 0.6, axis), radius, radius);
        }
        Draw(transformer, left, labels);
        const double lineStart = centre + radius * 1.6;
        const double lineEnd = left + width - pointWidth / 2;
        const double deviceCentre = left + symbolWidth + deviceWidth / 2;
        if (figure.device.empty() || figure.fuse) {
            Line(lineStart, axis, lineEnd, axis, 0.5);
        } else {
            // The line is open where the breaker's contact stands.
            Line(lineStart, axis, deviceCentre - Mm(3), axis, 0.5);
            Line(deviceCentre + Mm(3), axis, lineEnd, axis, 0.5);
        }
        if (!figure.device.empty() && painter_) {
            painter_->setPen(QPen(Qt::black, Mm(0.35)));
            painter_->setBrush(Qt::NoBrush);
            if (figure.fuse) {
                // ГОСТ 2.727: a rectangle with the line through it.
                painter_->drawRect(QRectF(deviceCentre - Mm(3), axis - Mm(1.2), Mm(6), Mm(2.4)));
            } else {
                // ГОСТ 2.755: the moving contact, and the cross of the breaker's function at the fixed one.
                painter_->drawLine(QPointF(deviceCentre - Mm(3), axis), QPointF(deviceCentre + Mm(2.6), axis - Mm(2.6)));
                const QPointF fixed(deviceCentre + Mm(3), axis);
                painter_->drawLine(fixed + QPointF(-Mm(0.8), -Mm(0.8)), fixed + QPointF(Mm(0.8), Mm(0.8)));
                painter_->drawLine(fixed + QPointF(-Mm(0.8), Mm(0.8)), fixed + QPointF(Mm(0.8), -Mm(0.8)));
            }
        }
        Draw(device, left + symbolWidth + Mm(0.5), labels);
        for (int i = 0; i <= count; ++i) {
            const double x = firstStretch + stretch * i;
            Line(x, axis - Mm(1.5), x, axis + Mm(1.5), 0.35);
        }
        for (size_t i = 0; i < figure.links.size(); ++i) {
            const double x = firstStretch + stretch * double(i);
            Draw(titles[i], x + Mm(1), top + titleHeight - titles[i].height);
            Draw(details[i], x + Mm(1), labels);
        }
        // The fault point: a filled dot and a zigzag arrow to the ground.
        if (painter_) {
            painter_->setBrush(Qt::black);
            painter_->setPen(QPen(Qt::black, Mm(0.35)));
            painter_->drawEllipse(QPointF(lineEnd, axis), Mm(0.9), Mm(0.9));
            QPainterPath zigzag;
            zigzag.moveTo(lineEnd, axis);
            zigzag.lineTo(lineEnd + Mm(2), axis + Mm(2.5));
            zigzag.lineTo(lineEnd - Mm(1), axis + Mm(2.5));
            zigzag.lineTo(lineEnd + Mm(1), axis + Mm(5));
            painter_->setBrush(Qt::NoBrush);
            painter_->drawPath(zigzag);
        }
        Draw(point, lineEnd - pointWidth / 2 + Mm(1), labels);
        y_ = labels + labelHeight + Mm(2);
        DrawLines(caption, left);
        y_ += Mm(3);
    }

    const CalculationNote& note_;
    QPaintDevice& metrics_;
    QPagedPaintDevice* pages_;
    QPainter* painter_;
    int total_;
    double mm_;
    int page_ = 0;
    double y_ = 0;

    QFont body_ = MakeFont("Liberation Serif", 12);
    QFont heading1_ = MakeFont("Liberation Serif", 13, true);
    QFont heading2_ = MakeFont("Liberation Serif", 12, true);
    QFont tableText_ = MakeFont("Liberation Sans", 9);
    QFont tableBold_ = MakeFont("Liberation Sans", 9, true);
    QFont tableHeader_ = MakeFont("Liberation Sans", 9);
    QFont figureText_ = MakeFont("Liberation Sans", 7.5);
    QFont figureBold_ = MakeFont("Liberation Sans", 8, true);
};

void SetUpPage(QPagedPaintDevice& device)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                                     QPageLayout::Millimeter));
}

// A run without a painter: the pages the note takes on `metrics`.
int CountPagesFor(const CalculationNote& note, QPaintDevice& metrics)
{
    return NoteLayout(note, metrics, nullptr, nullptr, 0).Run();
}

int PaintOn(const CalculationNote& note, QPagedPaintDevice& device)
{
    const int total = CountPagesFor(note, device);
    QPainter painter;
    if (!painter.begin(&device))
        throw std::runtime_error("Не удалось начать вывод расчетной записки");
    painter.setRenderHint(QPainter::Antialiasing);
    const int pages = NoteLayout(note, device, &device, &painter, total).Run();
    painter.end();
    return pages;
}

}  // namespace

int PaintCalculationNote(const CalculationNote& note, QPagedPaintDevice& device)
{
    SetUpPage(device);
    return PaintOn(note, device);
}

int WriteCalculationNotePdf(const CalculationNote& note, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error(QStringLiteral("Не удалось записать расчетную записку в файл «%1»: %2")
                                     .arg(QDir::toNativeSeparators(path), file.errorString())
                                     .toStdString());
    int pages = 0;
    {
        QPdfWriter writer(&file);
        writer.setCreator(QStringLiteral("Зорант 2.1"));
        writer.setTitle(QString::fromUtf8(note.title.c_str()));
        // The resolution of a high-resolution printer, so that preview, print and PDF break pages alike.
        writer.setResolution(1200);
        pages = PaintCalculationNote(note, writer);
    }
    if (!file.commit())
        throw std::runtime_error(QStringLiteral("Не удалось записать расчетную записку в файл «%1»: %2")
                                     .arg(QDir::toNativeSeparators(path), file.errorString())
                                     .toStdString());
    return pages;
}

void PrintCalculationNote(const CalculationNote& note, QPrinter& printer)
{
    printer.setFullPage(true);
    PaintCalculationNote(note, printer);
}
