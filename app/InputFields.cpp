#include "InputFields.h"

#include <QComboBox>
#include <QLineEdit>
#include <QStringList>
#include <QValidator>
#include <algorithm>

namespace {

bool IsLineBreak(QChar c)
{
    return c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' || c == QChar(0x0085) ||
           c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

bool IsBlank(QChar c) { return c.isSpace() && !IsLineBreak(c); }

QString Joined(const QString& text)
{
    QStringList lines;
    QString line;
    bool first = true;
    const auto finishLine = [&](bool last) {
        // Blanks next to a line break go; the blanks the text starts or ends with do not.
        qsizetype begin = 0;
        qsizetype end = line.size();
        if (!first)
            while (begin < end && IsBlank(line[begin]))
                ++begin;
        if (!last)
            while (end > begin && IsBlank(line[end - 1]))
                --end;
        if (end > begin)
            lines << line.mid(begin, end - begin);
        line.clear();
        first = false;
    };
    for (QChar c : text) {
        if (IsLineBreak(c))
            finishLine(false);
        else
            line += c;
    }
    finishLine(true);
    return lines.join(u' ');
}

// A validator that changes nothing but line breaks: every text is acceptable.
class SingleLineValidator final : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override
    {
        input = JoinLines(input, &pos);
        return Acceptable;
    }
};

}  // namespace

QString JoinLines(const QString& text, int* cursor)
{
    if (std::none_of(text.begin(), text.end(), IsLineBreak))
        return text;
    const QString joined = Joined(text);
    if (cursor != nullptr)
        *cursor = std::min(int(Joined(text.left(*cursor)).size()), int(joined.size()));
    return joined;
}

void KeepFieldsSingleLine(QWidget* window)
{
    if (window == nullptr)
        return;
    for (QLineEdit* field : window->findChildren<QLineEdit*>()) {
        if (field->validator() == nullptr)
            field->setValidator(new SingleLineValidator(field));
    }
}

void FocusFieldAtFault(QWidget* field)
{
    if (field == nullptr || !field->isEnabled())
        return;
    field->setFocus(Qt::OtherFocusReason);
    if (auto* list = qobject_cast<QComboBox*>(field); list != nullptr && list->lineEdit() != nullptr)
        list->lineEdit()->selectAll();
    else if (auto* edit = qobject_cast<QLineEdit*>(field))
        edit->selectAll();
}
