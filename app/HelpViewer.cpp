#include "HelpViewer.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QShortcut>
#include <QTextBrowser>
#include <QTextDocumentFragment>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>

namespace {

const QString ViewerTitle = QStringLiteral("Справка");

QString Quoted(const QString& fileName) { return QStringLiteral("«%1»").arg(fileName.toHtmlEscaped()); }

HelpPage MessagePage(const QString& paragraphs)
{
    HelpPage page;
    page.html = QStringLiteral("<html><body>%1</body></html>").arg(paragraphs);
    return page;
}

// The text between the first <tag ...> and its closing tag, or an empty text.
QString InnerText(const QString& source, const QString& tag)
{
    const QRegularExpression element(
        QStringLiteral("<%1\\b[^>]*>(.*?)</%1\\s*>").arg(tag),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = element.match(source);
    return match.hasMatch() ? match.captured(1) : QString();
}

QPointer<THelpViewerForm> viewer;

void DeleteViewer() { delete viewer.data(); }

}  // namespace

QStringList HelpDirectories()
{
    const QString programDir = QCoreApplication::applicationDirPath();
    return {programDir, QDir::cleanPath(programDir + QStringLiteral("/../share/zorant"))};
}

QString FindHelpFile(const QString& fileName, const QStringList& directories)
{
    // Only the name counts: a link in a help file cannot lead out of the help folders.
    const QString name = QFileInfo(fileName).fileName();
    if (name.isEmpty())
        return {};
    for (const QString& directory : directories) {
        const QFileInfo candidate(QDir(directory), name);
        if (candidate.isFile())
            return candidate.absoluteFilePath();
    }
    return {};
}

HelpPage ExtractHelpTopic(const QString& source, const QString& fileName, int context)
{
    const QRegularExpression opening(
        QStringLiteral("<section\\b[^>]*\\bid\\s*=\\s*([\"'])topic-%1\\1[^>]*>").arg(context),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch start = opening.match(source);
    if (!start.hasMatch()) {
        return MessagePage(QStringLiteral("<p>В файле справки %1 нет раздела с номером %2.</p>")
                               .arg(Quoted(fileName))
                               .arg(context));
    }
    const QRegularExpression closing(QStringLiteral("</section\\s*>"), QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch end = closing.match(source, start.capturedEnd());
    // An unclosed section runs to the end of the page.
    qsizetype stop = end.hasMatch() ? end.capturedStart() : source.size();
    if (!end.hasMatch()) {
        const qsizetype bodyEnd = source.indexOf(QStringLiteral("</body"), start.capturedEnd(), Qt::CaseInsensitive);
        if (bodyEnd >= 0)
            stop = bodyEnd;
    }
    const QString body = source.mid(start.capturedEnd(), stop - start.capturedEnd());

    HelpPage page;
    page.found = true;
    for (const QString& level : {QStringLiteral("h1"), QStringLiteral("h2"), QStringLiteral("h3")}) {
        const QString heading = InnerText(body, level);
        if (!heading.isEmpty()) {
            page.heading = QTextDocumentFragment::fromHtml(heading).toPlainText().simplified();
            break;
        }
    }
    page.html = QStringLiteral("<html><head>%1</head><body>%2</body></html>").arg(InnerText(source, QStringLiteral("head")), body);
    return page;
}

HelpPage LoadHelpTopic(const QString& fileName, int context, const QStringList& directories)
{
    const QString path = FindHelpFile(fileName, directories);
    if (path.isEmpty()) {
        QString places;
        for (const QString& directory : directories)
            places += QStringLiteral("<li>%1</li>").arg(QDir::toNativeSeparators(directory).toHtmlEscaped());
        return MessagePage(QStringLiteral("<p>Файл справки %1 не найден.</p><p>Он ищется в папках:</p><ul>%2</ul>")
                               .arg(Quoted(fileName), places));
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return MessagePage(QStringLiteral("<p>Не удалось прочитать файл справки %1.</p>").arg(Quoted(fileName)));
    return ExtractHelpTopic(QString::fromUtf8(file.readAll()), QFileInfo(path).fileName(), context);
}

std::optional<HelpTarget> ResolveHelpLink(const QUrl& link, const QString& currentFile)
{
    if (!link.scheme().isEmpty())
        return std::nullopt;
    static const QRegularExpression topic(QStringLiteral("^topic-(\\d{1,9})$"));
    const QRegularExpressionMatch match = topic.match(link.fragment());
    if (!match.hasMatch())
        return std::nullopt;
    const QString path = link.path();
    return HelpTarget{path.isEmpty() ? currentFile : QFileInfo(path).fileName(), match.captured(1).toInt()};
}

THelpViewerForm::THelpViewerForm(QWidget* parent) : QWidget(parent, Qt::Window), directories(HelpDirectories())
{
    setObjectName(QStringLiteral("HelpViewerForm"));
    setWindowTitle(ViewerTitle);
    // The viewer is an aid: it neither keeps the program running nor outlives the main window's close.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(600, 500);

    BackButton = new QPushButton(QStringLiteral("Назад"), this);
    BackButton->setObjectName(QStringLiteral("BackButton"));
    ForwardButton = new QPushButton(QStringLiteral("Вперед"), this);
    ForwardButton->setObjectName(QStringLiteral("ForwardButton"));
    TopicBrowser = new QTextBrowser(this);
    TopicBrowser->setObjectName(QStringLiteral("TopicBrowser"));
    TopicBrowser->setOpenLinks(false);
    TopicBrowser->setOpenExternalLinks(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BackButton);
    buttons->addWidget(ForwardButton);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(buttons);
    layout->addWidget(TopicBrowser);

    connect(BackButton, &QPushButton::clicked, this, &THelpViewerForm::BackButtonClick);
    connect(ForwardButton, &QPushButton::clicked, this, &THelpViewerForm::ForwardButtonClick);
    connect(TopicBrowser, &QTextBrowser::anchorClicked, this, &THelpViewerForm::TopicBrowserAnchorClicked);
    auto* closeKey = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(closeKey, &QShortcut::activated, this, &QWidget::close);

    BackButton->setEnabled(false);
    ForwardButton->setEnabled(false);
}

void THelpViewerForm::SetDirectories(const QStringList& newDirectories) { directories = newDirectories; }

HelpTarget THelpViewerForm::CurrentTopic() const
{
    return position >= 0 ? history.at(position) : HelpTarget{};
}

void THelpViewerForm::ShowTopic(const QString& fileName, int context)
{
    const HelpTarget target{fileName, context};
    if (position < 0 || history.at(position) != target) {
        history.resize(position + 1);
        history.append(target);
        position = history.size() - 1;
    }
    Display();
}

void THelpViewerForm::BackButtonClick()
{
    if (position <= 0)
        return;
    --position;
    Display();
}

void THelpViewerForm::ForwardButtonClick()
{
    if (position + 1 >= history.size())
        return;
    ++position;
    Display();
}

void THelpViewerForm::TopicBrowserAnchorClicked(const QUrl& link)
{
    if (const auto target = ResolveHelpLink(link, CurrentTopic().fileName)) {
        ShowTopic(target->fileName, target->context);
        return;
    }
    const QString scheme = link.scheme();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("mailto"))
        QDesktopServices::openUrl(link);
}

void THelpViewerForm::Display()
{
    const HelpTarget topic = CurrentTopic();
    const HelpPage page = LoadHelpTopic(topic.fileName, topic.context, directories);
    currentFound = page.found;
    const QString path = FindHelpFile(topic.fileName, directories);
    TopicBrowser->setSearchPaths(path.isEmpty() ? QStringList() : QStringList{QFileInfo(path).absolutePath()});
    TopicBrowser->setHtml(page.html);
    setWindowTitle(page.heading.isEmpty() ? ViewerTitle : ViewerTitle + QStringLiteral(" — ") + page.heading);
    BackButton->setEnabled(position > 0);
    ForwardButton->setEnabled(position + 1 < history.size());
}

void THelpViewerForm::Present()
{
    if (!windowHandle())
        create();
    FreeFromModalWindow();
    show();
    raise();
    activateWindow();
}

// A modal window blocks every window but itself and those it is a (transient) parent of.
// The viewer therefore becomes a transient of the modal window open at the moment; the
// window manager then also keeps it above that window.
void THelpViewerForm::FreeFromModalWindow()
{
    QWindow* own = windowHandle();
    QWidget* modal = QApplication::activeModalWidget();
    if (!own || !modal || modal == this)
        return;
    QWindow* modalWindow = modal->window()->windowHandle();
    // A modal window that is itself a transient of the viewer cannot become its parent.
    if (!modalWindow || modalWindow == own->transientParent() || own->isAncestorOf(modalWindow, QWindow::IncludeTransients))
        return;
    own->setTransientParent(modalWindow);
}

bool THelpViewerForm::event(QEvent* event)
{
    // A modal window opened while the viewer is shown; the blocking is being worked out now,
    // so the viewer frees itself once that is done.
    if (event->type() == QEvent::WindowBlocked)
        QMetaObject::invokeMethod(this, &THelpViewerForm::FreeFromModalWindow, Qt::QueuedConnection);
    return QWidget::event(event);
}

THelpViewerForm* HelpViewer()
{
    if (!viewer) {
        viewer = new THelpViewerForm;
        // Deleted as the application ends (a repeated registration deletes nothing twice).
        qAddPostRoutine(DeleteViewer);
    }
    return viewer;
}

THelpViewerForm* ExistingHelpViewer() { return viewer; }

void ShowHelpTopic(const QString& fileName, int context)
{
    THelpViewerForm* form = HelpViewer();
    form->ShowTopic(fileName, context);
    form->Present();
}
