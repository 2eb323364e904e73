#pragma once
// A prompt service for headless tests: records every box, question, prompt and file dialog
// the program would have shown and answers each from a script (queued answers of its kind,
// else a cancel). Install with ScriptedPrompts prompts; it removes itself when destroyed.

#include "mainwindow/prompts.h"

#include <QList>
#include <QMutex>
#include <QQueue>
#include <QThread>
#include <QVariant>

struct PromptCall_t
{
    enum Kind {
        MESSAGE,
        QUESTION,
        TEXT,
        ITEM,
        INT,
        OPEN_FILE,
        SAVE_FILE,
    };
    Kind eKind;
    QWidget *pParent;
    int iIcon;           // Prompts::BoxIcon of a message box
    QString qsTitle;     // title or caption
    QString qsText;      // text, label
    QString qsDetail;    // detail of a message box, start folder of a file dialog
    QStringList extra;   // items of an item prompt, filter of a file dialog, button texts
    int iButtons;        // buttons of a question
    int iEchoMode;       // echo mode of a text prompt
    bool bParentEnabled; // whether the parent window was enabled when asked
    QThread *pThread;    // the thread that asked
};

class ScriptedPrompts : public Prompts
{
public:
    ScriptedPrompts() { Prompts::Install(this); }
    ~ScriptedPrompts() override { Prompts::Install(nullptr); }

    // Queued answers, used in order by the calls of the same kind.
    void AnswerQuestion(QMessageBox::StandardButton button) { Push(PromptCall_t::QUESTION, int(button)); }
    // A null QString answers a text prompt with cancel.
    void AnswerText(const QString &qsText) { Push(PromptCall_t::TEXT, qsText); }
    void AnswerItem(int iIndex) { Push(PromptCall_t::ITEM, iIndex); } // -1: cancel
    void AnswerInt(int iValue) { Push(PromptCall_t::INT, iValue); }
    void AnswerOpenFile(const QString &qsName) { Push(PromptCall_t::OPEN_FILE, qsName); }
    void AnswerSaveFile(const QString &qsName) { Push(PromptCall_t::SAVE_FILE, qsName); }

    QList<PromptCall_t> Calls() const;
    QList<PromptCall_t> Messages() const;
    void Reset();

    void MessageBox(QWidget *pParent, BoxIcon icon, const QString &qsTitle, const QString &qsText,
                    const QString &qsDetail) override;
    QMessageBox::StandardButton Question(QWidget *pParent, const QString &qsTitle, const QString &qsText,
                                         QMessageBox::StandardButtons buttons) override;
    bool GetText(QWidget *pParent, const QString &qsTitle, const QString &qsLabel, QLineEdit::EchoMode echo,
                 const QString &qsInitial, const QString &qsOkText, const QString &qsCancelText,
                 QString *pqsOut) override;
    bool GetItem(QWidget *pParent, const QString &qsTitle, const QString &qsLabel, const QStringList &items,
                 int iCurrent, int *piIndex) override;
    bool GetInt(QWidget *pParent, const QString &qsTitle, const QString &qsLabel, int iValue, int iMin, int iMax,
                int iStep, int *piOut) override;
    QString GetOpenFileName(QWidget *pParent, const QString &qsCaption, const QString &qsDir,
                            const QString &qsFilter) override;
    QString GetSaveFileName(QWidget *pParent, const QString &qsCaption, const QString &qsDir,
                            const QString &qsFilter) override;

private:
    void Push(PromptCall_t::Kind eKind, const QVariant &answer);
    QVariant Take(PromptCall_t::Kind eKind);
    void Record(PromptCall_t call);

    mutable QMutex m_Mutex;
    QList<PromptCall_t> m_Calls;
    QList<QPair<PromptCall_t::Kind, QVariant>> m_Answers;
};
