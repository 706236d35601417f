// The program's help viewer: shows one topic of a help file, and stays usable while a
// modal window is open.
//
// A help file is a UTF-8 HTML page; topic N is its block <section id="topic-N"> … </section>.
// The viewer shows that block alone, with the page's <head> (its styles). A link "#topic-31"
// leads to another topic of the same file, a link "help 2.0.hlp#topic-34" into another file.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <optional>

class QPushButton;
class QTextBrowser;
class QUrl;

// Where help files are looked for: beside the executable, then ../share/zorant from there.
QStringList HelpDirectories();
// The path of `fileName` in the first of `directories` that holds it; empty when none does.
QString FindHelpFile(const QString& fileName, const QStringList& directories);

// One page of the viewer: a topic, or the sentence that says why there is none.
struct HelpPage {
    bool found = false;
    QString heading;  // the topic's first heading, as plain text; may be empty
    QString html;
};
// Topic `context` of the help file text `source`; `fileName` names the file in messages.
HelpPage ExtractHelpTopic(const QString& source, const QString& fileName, int context);
// Topic `context` of the help file `fileName`, looked for in `directories`.
HelpPage LoadHelpTopic(const QString& fileName, int context, const QStringList& directories);

// A topic of a help file.
struct HelpTarget {
    QString fileName;
    int context = 0;
    bool operator==(const HelpTarget&) const = default;
};
// Where a link of a page of `currentFile` leads; nothing for a link that is not to a topic.
std::optional<HelpTarget> ResolveHelpLink(const QUrl& link, const QString& currentFile);

// The viewer window, with the topics seen in it to go back and forth through.
class THelpViewerForm : public QWidget {
    Q_OBJECT
public:
    explicit THelpViewerForm(QWidget* parent = nullptr);

    // Shows a topic and adds it to the way back.
    void ShowTopic(const QString& fileName, int context);
    // Shows the window in front of the others, taking input even under a modal window.
    void Present();
    // The folders help files are looked for in (HelpDirectories() unless changed).
    void SetDirectories(const QStringList& directories);

    HelpTarget CurrentTopic() const;
    bool CurrentTopicFound() const { return currentFound; }

    QPushButton* BackButton = nullptr;
    QPushButton* ForwardButton = nullptr;
    QTextBrowser* TopicBrowser = nullptr;

    void BackButtonClick();
    void ForwardButtonClick();
    void TopicBrowserAnchorClicked(const QUrl& link);

protected:
    bool event(QEvent* event) override;

private:
    void Display();
    void FreeFromModalWindow();

    QStringList directories;
    QList<HelpTarget> history;
    qsizetype position = -1;
    bool currentFound = false;
};

// The viewer, created on first use.
THelpViewerForm* HelpViewer();
// The viewer if it has been created, else nullptr.
THelpViewerForm* ExistingHelpViewer();

// Shows topic `context` of the help file `fileName` in the viewer.
void ShowHelpTopic(const QString& fileName, int context);
