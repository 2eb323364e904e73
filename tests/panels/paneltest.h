#pragma once
// What the panel tests share: the boxes shown, typing into a control as an operator does, and
// the output of an outside tool that checks a file independently of the program.

#include "support/scriptedprompts.h"

#include <QAbstractSpinBox>
#include <QLineEdit>
#include <QProcess>
#include <QTest>

// "text | detail" of every message box shown, in order.
inline QStringList Boxes(const ScriptedPrompts &prompts)
{
    QStringList lOut;
    for (const PromptCall_t &call : prompts.Messages())
        lOut.append(call.qsDetail.isEmpty() ? call.qsText : call.qsText + QStringLiteral(" | ") + call.qsDetail);
    return lOut;
}

// Replaces what the control shows by the text, key by key, then Return.
inline void TypeInto(QWidget *pControl, const QString &qsText)
{
    QTest::keyClick(pControl, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(pControl, Qt::Key_Delete);
    QTest::keyClicks(pControl, qsText);
    QTest::keyClick(pControl, Qt::Key_Return);
}

// The standard output of a tool, trimmed; empty when it could not run or failed.
inline QString ToolOutput(const QString &qsProgram, const QStringList &lArgs)
{
    QProcess process;
    process.start(qsProgram, lArgs);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}
