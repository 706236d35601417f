#include "Workbook.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <algorithm>
#include <map>
#include <memory>
#include <stdexcept>
#include <xlsxwriter.h>

#include "CodePage1251.h"
#include "ExportFiles.h"

#ifdef Q_OS_WIN
#include <clocale>
#include <string>
#else
#include <locale.h>
#endif

namespace {

// The sheet's own titles and units, not the report window's captions: "|Zф-н|" has no blanks,
// the amperes are the Cyrillic "А" and the last unit is the Latin "c".
const ReportRow Titles = {"№ точки", "Rт/3", "Xт/3", "Rл", "Xл", "Rпр", "Rф-н", "Xф-н", "|Zф-н|", "Iокз", "Iср", "Tср"};
const ReportRow Units = {"", "мОм", "мОм", "мОм", "мОм", "мОм", "мОм", "мОм", "мОм", "А", "А", "c"};
const char* const SheetName = "Расчет ОКЗ";

constexpr double NarrowColumnWidth = 8;
constexpr double LastColumnWidth = 11;
// The point name (first column) and the trip time (last column) are always text.
constexpr int FirstFigureColumn = 1;
constexpr int LastFigureColumn = ReportColumnCount - 2;

[[noreturn]] void Fail(const QString& text) { throw std::runtime_error(text.toStdString()); }

// The bytes libxlsxwriter's fopen expects for a path: UTF-8 on Windows (except MinGW builds,
// which call the narrow fopen), the file system's own encoding elsewhere.
QByteArray NativeFileName(const QString& path)
{
#if defined(Q_OS_WIN) && !defined(__MINGW32__)
    return QDir::toNativeSeparators(path).toUtf8();
#elif defined(Q_OS_WIN)
    return QDir::toNativeSeparators(path).toLocal8Bit();
#else
    return QFile::encodeName(path);
#endif
}

// libxlsxwriter copies bytes through unchecked; a workbook holding broken UTF-8 is refused by
// spreadsheet programs, so such a text goes in with its bad bytes replaced.
std::string CheckedUtf8(const std::string& text)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    const QString decoded = decoder.decode(QByteArrayView(text.data(), qsizetype(text.size())));
    return decoder.hasError() ? decoded.toUtf8().toStdString() : text;
}

// libxlsxwriter writes the numbers of the sheet (cell values, column widths) with printf, which
// follows the C locale that the application took from the user: under a Russian one it would
// write "1,25" and the workbook would not open. While this lives, the writing thread uses the
// "C" rules for numbers; nothing else changes.
class ClassicNumbersInThisThread {
public:
#ifdef Q_OS_WIN
    ClassicNumbersInThisThread() : mode_(_configthreadlocale(_ENABLE_PER_THREAD_LOCALE))
    {
        const char* current = std::setlocale(LC_NUMERIC, nullptr);
        previous_ = current ? current : "C";
        if (!std::setlocale(LC_NUMERIC, "C")) {
            _configthreadlocale(mode_);
            Fail(QStringLiteral("Не удалось подготовить запись чисел книги"));
        }
    }
    ~ClassicNumbersInThisThread()
    {
        std::setlocale(LC_NUMERIC, previous_.c_str());
        _configthreadlocale(mode_);
    }

private:
    int mode_;
    std::string previous_;
#else
    ClassicNumbersInThisThread()
    {
        locale_t base = duplocale(uselocale(locale_t(0)));
        classic_ = base ? newlocale(LC_NUMERIC_MASK, "C", base) : locale_t(0);
        if (!classic_) {
            if (base)
                freelocale(base);
            Fail(QStringLiteral("Не удалось подготовить запись чисел книги"));
        }
        previous_ = uselocale(classic_);
    }
    ~ClassicNumbersInThisThread()
    {
        uselocale(previous_);
        freelocale(classic_);
    }

private:
    locale_t classic_ = locale_t(0);
    locale_t previous_ = locale_t(0);
#endif
    ClassicNumbersInThisThread(const ClassicNumbersInThisThread&) = delete;
    ClassicNumbersInThisThread& operator=(const ClassicNumbersInThisThread&) = delete;
};

struct WorkbookFree {
    void operator()(lxw_workbook* workbook) const { lxw_workbook_free(workbook); }
};
using WorkbookHandle = std::unique_ptr<lxw_workbook, WorkbookFree>;

class WorkbookWriter {
public:
    explicit WorkbookWriter(const QString& path) : path_(path) {}

    void Write(const TransferBlock& block, const QString& folder, const SheetNumbers& numbers)
    {
        const QByteArray fileName = NativeFileName(path_);
        QByteArray tempDir = NativeFileName(folder);
        // The library's scratch files go next to the workbook: the C library's default folder
        // for them is not writable for every user on every system.
        lxw_workbook_options options{LXW_FALSE, tempDir.data(), LXW_FALSE};
        WorkbookHandle workbook(workbook_new_opt(fileName.constData(), &options));
        if (!workbook)
            Fail(Message(LXW_ERROR_MEMORY_MALLOC_FAILED));

        lxw_worksheet* sheet = workbook_add_worksheet(workbook.get(), SheetName);
        if (!sheet)
            Fail(Message(LXW_ERROR_MEMORY_MALLOC_FAILED));

        // A cell's own format replaces its row's, so the cells carry the borders together with
        // the row's font and alignment, while the row formats (without borders) cover the rest
        // of each row.
        lxw_format* headerRow = workbook_add_format(workbook.get());
        format_set_bold(headerRow);
        format_set_align(headerRow, LXW_ALIGN_CENTER);
        lxw_format* headerCell = workbook_add_format(workbook.get());
        format_set_bold(headerCell);
        format_set_align(headerCell, LXW_ALIGN_CENTER);
        format_set_border(headerCell, LXW_BORDER_THIN);
        lxw_format* dataRow = workbook_add_format(workbook.get());
        format_set_align(dataRow, LXW_ALIGN_RIGHT);
        workbook_ = workbook.get();

        Check(worksheet_set_column(sheet, 0, ReportColumnCount - 2, NarrowColumnWidth, nullptr));
        Check(worksheet_set_column(sheet, ReportColumnCount - 1, ReportColumnCount - 1, LastColumnWidth, nullptr));

        for (std::size_t i = 0; i < block.size(); ++i) {
            const auto row = lxw_row_t(i);
            const bool header = i < 2;
            Check(worksheet_set_row(sheet, row, LXW_DEF_ROW_HEIGHT, header ? headerRow : dataRow));
            for (int col = 0; col < ReportColumnCount; ++col) {
                const std::string& text = block[i][col];
                const bool figure = !header && col >= FirstFigureColumn && col <= LastFigureColumn;
                if (const auto number = figure ? numbers.Read(i, text) : std::nullopt) {
                    Check(worksheet_write_number(sheet, row, lxw_col_t(col), number->value,
                                                 DataCellFormat(SheetNumberFormat(*number))));
                    continue;
                }
                // An empty text makes a blank cell that still carries the format.
                Check(worksheet_write_string(sheet, row, lxw_col_t(col), CheckedUtf8(text).c_str(),
                                             header ? headerCell : DataCellFormat({})));
            }
        }

        // The library frees the workbook whatever closing reports.
        Check(workbook_close(workbook.release()));
    }

private:
    // The data cells' format (right-aligned, with borders) with the given number format, made
    // once per number format; an empty code gives the one for texts.
    lxw_format* DataCellFormat(const std::string& code)
    {
        lxw_format*& format = dataCells_[code];
        if (!format) {
            format = workbook_add_format(workbook_);
            if (!format)
                Fail(Message(LXW_ERROR_MEMORY_MALLOC_FAILED));
            format_set_align(format, LXW_ALIGN_RIGHT);
            format_set_border(format, LXW_BORDER_THIN);
            if (!code.empty())
                format_set_num_format(format, code.c_str());
        }
        return format;
    }

    void Check(lxw_error error) const
    {
        if (error != LXW_NO_ERROR)
            Fail(Message(error));
    }

    QString Message(lxw_error error) const
    {
        return QStringLiteral("Не удалось записать книгу «%1»: %2")
            .arg(QDir::toNativeSeparators(path_), QString::fromUtf8(lxw_strerror(error)));
    }

    QString path_;
    lxw_workbook* workbook_ = nullptr;
    std::map<std::string, lxw_format*> dataCells_;
};

}  // namespace

int ExportedRowCount(const ReportRows& rows)
{
    int count = 0;
    while (count < int(rows.size()) && !rows[count][0].empty())
        ++count;
    return count;
}

TransferBlock BuildTransferBlock(const ReportRows& rows)
{
    const int count = ExportedRowCount(rows);
    TransferBlock block;
    block.reserve(std::size_t(count) + 2);
    block.push_back(Titles);
    block.push_back(Units);
    block.insert(block.end(), rows.begin(), rows.begin() + count);
    return block;
}

SheetNumbers::SheetNumbers(const NumberSeparators& regional, const TransferBlock& block)
{
    auto add = [this](const NumberSeparators& pair) {
        if (pair.decimal != pair.group && std::find_if(pairs_.begin(), pairs_.end(), [&pair](const NumberSeparators& p) {
                                              return p.decimal == pair.decimal && p.group == pair.group;
                                          }) == pairs_.end())
            pairs_.push_back(pair);
    };
    for (const char* decimal : {",", "."})
        for (const char* group : {"\u00A0", ",", ".", "'", "\u2019"})
            add(NumberSeparators{decimal, group});
    add(regional);
    // What DocumentSeparators makes of regional separators that code page 1251 lacks.
    const bool decimalFits = FitsCp1251(regional.decimal);
    const std::string group = FitsCp1251(regional.group) ? regional.group : std::string("\u00A0");
    for (const std::string& decimal :
         decimalFits ? std::vector<std::string>{regional.decimal} : std::vector<std::string>{",", "."})
        add(NumberSeparators{decimal, group});

    const PairSet all = (PairSet(1) << pairs_.size()) - 1;
    std::vector<PairSet> rowEvidence(block.size(), all);
    PairSet reportEvidence = all;
    for (std::size_t i = 2; i < block.size(); ++i)
        for (int col = FirstFigureColumn; col <= LastFigureColumn; ++col)
            if (const PairSet reading = PairsReading(block[i][col]); reading != 0) {
                rowEvidence[i] &= reading;
                reportEvidence &= reading;
            }
    inPlay_.resize(block.size());
    for (std::size_t i = 0; i < block.size(); ++i)
        inPlay_[i] = reportEvidence != 0 ? reportEvidence : rowEvidence[i] != 0 ? rowEvidence[i] : all;
}

SheetNumbers::PairSet SheetNumbers::PairsReading(std::string_view text) const
{
    // Digits alone (an integer, a minus, a plain exponent) read alike under every pair.
    if (text.find_first_not_of("0123456789-E") == std::string_view::npos)
        return ReadWrittenNumber(text, pairs_.front()) ? (PairSet(1) << pairs_.size()) - 1 : 0;
    PairSet reading = 0;
    for (std::size_t p = 0; p < pairs_.size(); ++p)
        if (ReadWrittenNumber(text, pairs_[p]))
            reading |= PairSet(1) << p;
    return reading;
}

std::optional<WrittenNumber> SheetNumbers::Read(std::size_t row, std::string_view text) const
{
    if (row >= inPlay_.size())
        return std::nullopt;
    std::optional<WrittenNumber> found;
    for (std::size_t p = 0; p < pairs_.size(); ++p) {
        if ((inPlay_[row] & (PairSet(1) << p)) == 0)
            continue;
        const std::optional<WrittenNumber> number = ReadWrittenNumber(text, pairs_[p]);
        if (!number)
            continue;
        if (found && (found->value != number->value || SheetNumberFormat(*found) != SheetNumberFormat(*number)))
            return std::nullopt;
        found = number;
    }
    return found;
}

std::string SheetNumberFormat(const WrittenNumber& number)
{
    std::string code = number.grouped ? "#,##0" : "0";
    if (number.decimals > 0)
        code += "." + std::string(std::size_t(number.decimals), '0');
    // "E-" writes a sign only before a negative exponent, as the program does: 1,5E7, 1E-6.
    if (number.scientific)
        code += "E-0";
    return code;
}

QString WriteWorkbook(const TransferBlock& block, const QString& folder, const SheetNumbers& numbers)
{
    const QString path = ReserveNewFile(folder, QString::fromUtf8(SheetName), QStringLiteral("xlsx"), QStringLiteral("книги"));
    try {
        const ClassicNumbersInThisThread classicNumbers;
        WorkbookWriter(path).Write(block, folder, numbers);
    } catch (...) {
        QFile::remove(path);
        throw;
    }
    return path;
}
