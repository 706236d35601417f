// A recording stand-in for the program's message boxes and file dialogs.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>

#include "Dialogs.h"

class FakeDialogs final : public Dialogs {
public:
    FakeDialogs() { SetDialogs(this); }
    ~FakeDialogs() override { SetDialogs(nullptr); }

    QStringList messages;   // plain messages, in order
    QStringList questions;  // questions asked, in order
    QStringList errors;     // error boxes, in order

    std::deque<bool> answers;                       // answers to questions; Cancel when empty
    std::deque<std::optional<QString>> saveNames;   // what the save dialog returns; cancel when empty
    std::deque<std::optional<QString>> openNames;   // what the open dialog returns; cancel when empty
    QStringList saveInitials, openInitials;         // the names the dialogs were opened with
    QList<QPair<QString, int>> helpRequests;        // help file and context number, in order
    std::deque<std::optional<QString>> projectSaveNames, projectOpenNames;  // as saveNames, openNames
    QStringList projectSaveInitials, projectOpenInitials;
    QStringList threeWayQuestions;                  // Да / Нет / Отмена questions, in order
    std::deque<Answer> threeWayAnswers;             // their answers; Отмена when empty

    void Message(const QString& text) override { messages << text; }
    bool Question(const QString& text) override
    {
        questions << text;
        if (answers.empty())
            return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void Error(const QString& text) override { errors << text; }
    std::optional<QString> SaveFileName(QWidget*, const QString& initial) override
    {
        saveInitials << initial;
        return Next(saveNames);
    }
    std::optional<QString> OpenFileName(QWidget*, const QString& initial) override
    {
        openInitials << initial;
        return Next(openNames);
    }

    std::optional<QString> SaveProjectFileName(QWidget*, const QString& initial) override
    {
        projectSaveInitials << initial;
        return Next(projectSaveNames);
    }
    std::optional<QString> OpenProjectFileName(QWidget*, const QString& initial) override
    {
        projectOpenInitials << initial;
        return Next(projectOpenNames);
    }
    Answer YesNoCancel(const QString& text) override
    {
        threeWayQuestions << text;
        if (threeWayAnswers.empty())
            return Answer::Cancel;
        const Answer answer = threeWayAnswers.front();
        threeWayAnswers.pop_front();
        return answer;
    }

    void ShowHelp(const QString& fileName, int context) override { helpRequests.append({fileName, context}); }

private:
    static std::optional<QString> Next(std::deque<std::optional<QString>>& queue)
    {
        std::optional<QString> name;
        if (!queue.empty()) {
            name.swap(queue.front());
            queue.pop_front();
        }
        return name;
    }
};
