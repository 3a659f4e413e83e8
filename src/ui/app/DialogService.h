#pragma once
// Every notice, confirmation, file dialog and folder browser of the windows
// goes through one dialog service, handed to each window through its
// constructor. The program uses QtDialogService (real modal windows); tests
// and the screenshot driver use ScriptedDialogService, which answers from a
// queue and records what was asked, so no test ever blocks on a modal.
//
// Call from the user-interface thread.
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>

class QWidget;

namespace lumora::ui {

class DialogService {
public:
    virtual ~DialogService() = default;

    // The notice window: one message with OK.
    virtual void notice(QWidget *parent, const QString &message) = 0;
    // The confirmation window: a title and a message with OK and Cancel;
    // true when the user answered OK ("yes").
    virtual bool confirm(QWidget *parent, const QString &title, const QString &message) = 0;
    // File dialogs. `filter` in Qt's form ("JPG 文件 (*.jpg *.jpeg)"); an empty
    // result (or list) means the user cancelled.
    virtual QStringList openFiles(QWidget *parent, const QString &caption, const QString &folder, const QString &filter)
        = 0;
    virtual QString openFile(QWidget *parent, const QString &caption, const QString &folder, const QString &filter) = 0;
    virtual QString saveFile(QWidget *parent, const QString &caption, const QString &path, const QString &filter) = 0;
    // The folder browser; "" when cancelled.
    virtual QString chooseFolder(QWidget *parent, const QString &caption, const QString &start) = 0;
    // A question with several answers, one button each in order (the first
    // is the default); the index of the answer, the last button's when the
    // window is closed without one. Without a window of its own the service
    // asks a confirmation: OK is the first answer, Cancel the last.
    virtual int choose(QWidget *parent, const QString &title, const QString &message, const QStringList &buttons)
    {
        return confirm(parent, title, message) ? 0 : int(buttons.size()) - 1;
    }
};

// Answers from queues filled by a test; records every question. An empty
// queue answers "OK" to confirmations and "cancelled" to file dialogs.
class ScriptedDialogService : public DialogService {
public:
    struct Asked {
        QString kind; // "notice", "confirm", "choose", "openFiles", "openFile", "saveFile", "chooseFolder"
        QString title; // confirmation title or dialog caption
        QString message; // notice or confirmation text; the filter of a file dialog
        QString start; // the folder (or suggested path) a file dialog starts at
    };

    std::deque<bool> confirmAnswers;
    std::deque<QStringList> fileAnswers; // openFiles, openFile (first entry), saveFile (first entry)
    std::deque<QString> folderAnswers;
    std::deque<int> choiceAnswers; // choose(); an empty queue answers the first button
    std::vector<Asked> asked;
    // Called after each recorded question (for example to fail a test at once).
    std::function<void(const Asked &)> onAsk;

    void notice(QWidget *, const QString &message) override { record({QStringLiteral("notice"), {}, message, {}}); }
    bool confirm(QWidget *, const QString &title, const QString &message) override
    {
        record({QStringLiteral("confirm"), title, message, {}});
        if (confirmAnswers.empty())
            return true;
        const bool a = confirmAnswers.front();
        confirmAnswers.pop_front();
        return a;
    }
    QStringList openFiles(QWidget *, const QString &caption, const QString &folder, const QString &filter) override
    {
        record({QStringLiteral("openFiles"), caption, filter, folder});
        return takeFiles();
    }
    QString openFile(QWidget *, const QString &caption, const QString &folder, const QString &filter) override
    {
        record({QStringLiteral("openFile"), caption, filter, folder});
        const QStringList f = takeFiles();
        return f.isEmpty() ? QString() : f.first();
    }
    QString saveFile(QWidget *, const QString &caption, const QString &path, const QString &filter) override
    {
        record({QStringLiteral("saveFile"), caption, filter, path});
        const QStringList f = takeFiles();
        return f.isEmpty() ? QString() : f.first();
    }
    int choose(QWidget *, const QString &title, const QString &message, const QStringList &) override
    {
        record({QStringLiteral("choose"), title, message, {}});
        if (choiceAnswers.empty())
            return 0;
        const int a = choiceAnswers.front();
        choiceAnswers.pop_front();
        return a;
    }
    QString chooseFolder(QWidget *, const QString &caption, const QString &start) override
    {
        record({QStringLiteral("chooseFolder"), caption, {}, start});
        if (folderAnswers.empty())
            return {};
        const QString f = folderAnswers.front();
        folderAnswers.pop_front();
        return f;
    }

    // The notices shown so far, in order.
    QStringList notices() const
    {
        QStringList n;
        for (const Asked &a : asked)
            if (a.kind == QLatin1String("notice"))
                n << a.message;
        return n;
    }
    QString lastMessage() const { return asked.empty() ? QString() : asked.back().message; }

private:
    void record(const Asked &a)
    {
        asked.push_back(a);
        if (onAsk)
            onAsk(a);
    }
    QStringList takeFiles()
    {
        if (fileAnswers.empty())
            return {};
        const QStringList f = fileAnswers.front();
        fileAnswers.pop_front();
        return f;
    }
};

} // namespace lumora::ui
