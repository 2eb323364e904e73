#include "scriptedprompts.h"

#include <QWidget>

namespace {

PromptCall_t MakeCall(PromptCall_t::Kind eKind, QWidget *pParent, const QString &qsTitle, const QString &qsText)
{
    PromptCall_t call{
        eKind, pParent, -1, qsTitle, qsText, QString(), QStringList(), 0, 0, true, QThread::currentThread()};
    if (pParent)
        call.bParentEnabled = pParent->window()->isEnabled();
    return call;
}

} // namespace

void ScriptedPrompts::Push(PromptCall_t::Kind eKind, const QVariant &answer)
{
    QMutexLocker lock(&m_Mutex);
    m_Answers.append({eKind, answer});
}

QVariant ScriptedPrompts::Take(PromptCall_t::Kind eKind)
{
    QMutexLocker lock(&m_Mutex);
    for (int i = 0; i < m_Answers.size(); ++i) {
        if (m_Answers.at(i).first == eKind)
            return m_Answers.takeAt(i).second;
    }
    return QVariant();
}

void ScriptedPrompts::Record(PromptCall_t call)
{
    QMutexLocker lock(&m_Mutex);
    m_Calls.append(call);
}

QList<PromptCall_t> ScriptedPrompts::Calls() const
{
    QMutexLocker lock(&m_Mutex);
    return m_Calls;
}

QList<PromptCall_t> ScriptedPrompts::Messages() const
{
    QList<PromptCall_t> messages;
    for (const PromptCall_t &call : Calls()) {
        if (call.eKind == PromptCall_t::MESSAGE)
            messages.append(call);
    }
    return messages;
}

void ScriptedPrompts::Reset()
{
    QMutexLocker lock(&m_Mutex);
    m_Calls.clear();
    m_Answers.clear();
}

void ScriptedPrompts::MessageBox(QWidget *pParent, BoxIcon icon, const QString &qsTitle, const QString &qsText,
                                 const QString &qsDetail)
{
    PromptCall_t call = MakeCall(PromptCall_t::MESSAGE, pParent, qsTitle, qsText);
    call.iIcon = icon;
    call.qsDetail = qsDetail;
    Record(call);
}

QMessageBox::StandardButton ScriptedPrompts::Question(QWidget *pParent, const QString &qsTitle, const QString &qsText,
                                                      QMessageBox::StandardButtons buttons)
{
    PromptCall_t call = MakeCall(PromptCall_t::QUESTION, pParent, qsTitle, qsText);
    call.iButtons = int(buttons);
    Record(call);
    const QVariant answer = Take(PromptCall_t::QUESTION);
    return answer.isValid() ? QMessageBox::StandardButton(answer.toInt()) : QMessageBox::NoButton;
}

bool ScriptedPrompts::GetText(QWidget *pParent, const QString &qsTitle, const QString &qsLabel,
                              QLineEdit::EchoMode echo, const QString &qsInitial, const QString &qsOkText,
                              const QString &qsCancelText, QString *pqsOut)
{
    PromptCall_t call = MakeCall(PromptCall_t::TEXT, pParent, qsTitle, qsLabel);
    call.qsDetail = qsInitial;
    call.extra = {qsOkText, qsCancelText};
    call.iEchoMode = int(echo);
    Record(call);
    const QVariant answer = Take(PromptCall_t::TEXT);
    if (!answer.isValid() || answer.toString().isNull())
        return false;
    *pqsOut = answer.toString();
    return true;
}

bool ScriptedPrompts::GetItem(QWidget *pParent, const QString &qsTitle, const QString &qsLabel,
                              const QStringList &items, int, int *piIndex)
{
    PromptCall_t call = MakeCall(PromptCall_t::ITEM, pParent, qsTitle, qsLabel);
    call.extra = items;
    Record(call);
    const QVariant answer = Take(PromptCall_t::ITEM);
    if (!answer.isValid() || answer.toInt() < 0 || answer.toInt() >= items.size())
        return false;
    *piIndex = answer.toInt();
    return true;
}

bool ScriptedPrompts::GetInt(QWidget *pParent, const QString &qsTitle, const QString &qsLabel, int iValue, int iMin,
                             int iMax, int iStep, int *piOut)
{
    PromptCall_t call = MakeCall(PromptCall_t::INT, pParent, qsTitle, qsLabel);
    call.extra = {QString::number(iValue), QString::number(iMin), QString::number(iMax), QString::number(iStep)};
    Record(call);
    const QVariant answer = Take(PromptCall_t::INT);
    if (!answer.isValid())
        return false;
    *piOut = qBound(iMin, answer.toInt(), iMax);
    return true;
}

QString ScriptedPrompts::GetOpenFileName(QWidget *pParent, const QString &qsCaption, const QString &qsDir,
                                         const QString &qsFilter)
{
    PromptCall_t call = MakeCall(PromptCall_t::OPEN_FILE, pParent, qsCaption, QString());
    call.qsDetail = qsDir;
    call.extra = {qsFilter};
    Record(call);
    return Take(PromptCall_t::OPEN_FILE).toString();
}

QString ScriptedPrompts::GetSaveFileName(QWidget *pParent, const QString &qsCaption, const QString &qsDir,
                                         const QString &qsFilter)
{
    PromptCall_t call = MakeCall(PromptCall_t::SAVE_FILE, pParent, qsCaption, QString());
    call.qsDetail = qsDir;
    call.extra = {qsFilter};
    Record(call);
    return Take(PromptCall_t::SAVE_FILE).toString();
}
