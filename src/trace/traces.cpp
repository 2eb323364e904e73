#include "traces.h"

#include <QCoreApplication>
#include <QScrollBar>
#include <QSettings>
#include <QTextBrowser>
#include <QVBoxLayout>

std::atomic<Traces *> g_pTraces{nullptr};

namespace {

QString Wrap(int iKind, const QString &qsText)
{
    const char *colour = iKind == TRACE_KIND_SUCCESS ? "#3F7F5F" : iKind == TRACE_KIND_ERROR ? "#FF0000" : "#000000";
    return QStringLiteral("<FONT color=\"%1\" style=\"white-space: pre-wrap\">%2</FONT>")
        .arg(QLatin1String(colour), qsText.toHtmlEscaped());
}

} // namespace

Traces::Traces(QWidget *pParent) : QDialog(pParent)
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("Traces"));
    setModal(false);
    // On X11 Qt makes a parentless dialog transient for the whole program, and managers such as
    // metacity then keep it above the main window whatever the operator clicks. As an ordinary
    // window, with the dialog's title bar and buttons, it is stacked like any other.
    if (!pParent)
        setWindowFlags((windowFlags() & ~Qt::WindowType_Mask) | Qt::Window);
    resize(1100, 361);
    setWindowOpacity(1.0);
    setSizeGripEnabled(true);
    m_pLayout = new QVBoxLayout(this);
    m_pLayout->setObjectName(QStringLiteral("verticalLayout"));
    m_pLayout->setSpacing(0);
    m_pLayout->setContentsMargins(0, 0, 0, 0);
    m_pTracesTxtBrw = new QTextBrowser(this);
    m_pTracesTxtBrw->setObjectName(QStringLiteral("m_pTracesTxtBrw"));
    m_pLayout->addWidget(m_pTracesTxtBrw);
    setWindowTitle(tr("Traces"));
    QSettings settings;
    restoreGeometry(settings.value(QStringLiteral("Traces/geometry")).toByteArray());
}

Traces::~Traces()
{
    if (g_pTraces.load() == this)
        g_pTraces.store(nullptr);
}

void Traces::PostTraceMessage(int iKind, const QString &qsText)
{
    QString qsLine;
    int iEventKind = iKind;
    switch (iKind) {
    case TRACE_KIND_INFO:
    case TRACE_KIND_SUCCESS:
    case TRACE_KIND_ERROR:
        qsLine = Wrap(iKind, qsText);
        break;
    case TRACE_KIND_CLEAR:
    case TRACE_KIND_CLOSE:
        qsLine = qsText;
        break;
    default:
        // A kind nobody defined is a programming slip, not a reason to end the program.
        iEventKind = TRACE_KIND_ERROR;
        qsLine = Wrap(TRACE_KIND_ERROR, QStringLiteral("Unknown trace kind %1: %2").arg(iKind).arg(qsText));
        break;
    }
    QCoreApplication::postEvent(this, new MessageEvent(iEventKind, qsLine));
}

void Traces::customEvent(QEvent *pEvent)
{
    if (pEvent->type() != MessageEvent::kType)
        return;
    const auto *pMsg = static_cast<MessageEvent *>(pEvent);
    if (pMsg->Kind() == TRACE_KIND_CLOSE) {
        close();
        return;
    }
    if (pMsg->Kind() == TRACE_KIND_CLEAR) {
        m_pTracesTxtBrw->clear();
        return;
    }
    if (m_iMaxLines != 0 && m_pTracesTxtBrw->document()->lineCount() > m_iMaxLines)
        m_pTracesTxtBrw->clear();
    QString qsText = pMsg->Text();
    const int iNul = qsText.indexOf(QChar(0));
    if (iNul >= 0)
        qsText.truncate(iNul);
    m_pTracesTxtBrw->setAcceptRichText(true);
    m_pTracesTxtBrw->append(qsText);
    m_pTracesTxtBrw->setAcceptRichText(false);
    m_pTracesTxtBrw->verticalScrollBar()->setValue(m_pTracesTxtBrw->verticalScrollBar()->maximum());
    m_pTracesTxtBrw->horizontalScrollBar()->setValue(m_pTracesTxtBrw->horizontalScrollBar()->minimum());
}

void Traces::closeEvent(QCloseEvent *pEvent)
{
    QSettings settings;
    settings.setValue(QStringLiteral("Traces/geometry"), saveGeometry());
    QDialog::closeEvent(pEvent);
}
