#pragma once
// The trace window: a non-modal dialog showing the trace lines coloured by kind. Lines
// arrive from any thread as posted events and are appended in the GUI thread.

#include "trace/trace.h"

#include <QDialog>
#include <QEvent>

#include <atomic>

class QTextBrowser;
class QVBoxLayout;

class MessageEvent : public QEvent
{
public:
    static constexpr QEvent::Type kType = static_cast<QEvent::Type>(1001);
    MessageEvent(int iKind, const QString &qsText) : QEvent(kType), m_iKind(iKind), m_qsText(qsText) {}
    int Kind() const { return m_iKind; }
    const QString &Text() const { return m_qsText; }

private:
    int m_iKind;
    QString m_qsText;
};

class Traces : public QDialog, public CTraceReceiver
{
    Q_OBJECT
public:
    explicit Traces(QWidget *pParent = nullptr);
    ~Traces() override;

    void PostTraceMessage(int iKind, const QString &qsText) override;
    QTextBrowser *Browser() const { return m_pTracesTxtBrw; }
    int MaxLines() const { return m_iMaxLines; }

protected:
    void customEvent(QEvent *pEvent) override;
    void closeEvent(QCloseEvent *pEvent) override;

private:
    int m_iMaxLines = 3000;
    QVBoxLayout *m_pLayout = nullptr;
    QTextBrowser *m_pTracesTxtBrw = nullptr;
};

// The trace window of the running program; cleared (and detached from the trace module)
// before the window is deleted, because worker threads read it.
extern std::atomic<Traces *> g_pTraces;
