#include "AboutProgramUnit.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

TAboutProgramForm* AboutProgramForm = nullptr;

namespace {

// The project publishes no web site, address or telephone of its own.
const QString NotGiven = QStringLiteral("не указан");

QFrame* Separator(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    return line;
}

// A read-only, borderless field that looks like text on the window.
QLineEdit* InfoField(QWidget* parent, const char* name, const QString& text)
{
    auto* field = new QLineEdit(text, parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setReadOnly(true);
    field->setFrame(false);
    field->setFont(QFont(QStringLiteral("Comic Sans MS"), 12));
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    palette.setColor(QPalette::Text, QColor(0x00, 0x00, 0x80));
    field->setPalette(palette);
    field->setCursorPosition(0);
    return field;
}

}  // namespace

TAboutProgramForm::TAboutProgramForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("AboutProgramForm"));
    setWindowTitle(QStringLiteral("О программе..."));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));

    ProgramNameLabel = new QLabel(QStringLiteral("Зорант"), this);
    ProgramNameLabel->setObjectName(QStringLiteral("ProgramNameLabel"));
    QFont nameFont(QStringLiteral("Courier New"), 28);
    nameFont.setBold(true);
    ProgramNameLabel->setFont(nameFont);
    QPalette namePalette = ProgramNameLabel->palette();
    namePalette.setColor(QPalette::WindowText, QColor(0x80, 0x00, 0x00));
    ProgramNameLabel->setPalette(namePalette);
    ProgramNameLabel->setAlignment(Qt::AlignCenter);

    VersionEdit = InfoField(this, "VersionEdit", QStringLiteral("2.1"));
    DeveloperEdit = InfoField(this, "DeveloperEdit", QStringLiteral("Проект «Зорант»"));
    HttpEdit = InfoField(this, "HttpEdit", NotGiven);
    EmailEdit = InfoField(this, "EmailEdit", NotGiven);
    PhoneEdit = InfoField(this, "PhoneEdit", NotGiven);

    auto* rows = new QGridLayout;
    rows->setHorizontalSpacing(12);
    rows->setVerticalSpacing(0);
    rows->setColumnStretch(1, 1);
    const std::pair<QString, QLineEdit*> fields[] = {
        {QStringLiteral("Версия"), VersionEdit},     {QStringLiteral("Разработчик"), DeveloperEdit},
        {QStringLiteral("http://"), HttpEdit},       {QStringLiteral("e-mail"), EmailEdit},
        {QStringLiteral("тел."), PhoneEdit},
    };
    int row = 0;
    for (const auto& [caption, field] : fields) {
        rows->addWidget(new QLabel(caption, this), row, 0, Qt::AlignLeft | Qt::AlignVCenter);
        rows->addWidget(field, row, 1);
        ++row;
    }

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("Закрыть"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setFixedSize(89, 25);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(BitBtn1);
    buttonRow->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 4, 16, 8);
    layout->setSpacing(4);
    layout->addWidget(ProgramNameLabel);
    layout->addWidget(Separator(this));
    layout->addLayout(rows);
    layout->addStretch();
    layout->addWidget(Separator(this));
    layout->addLayout(buttonRow);

    resize(370, 239);
}

void TAboutProgramForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    for (QLineEdit* field : findChildren<QLineEdit*>())
        field->deselect();
    BitBtn1->setFocus(Qt::OtherFocusReason);
}
