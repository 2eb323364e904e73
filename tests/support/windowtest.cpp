#include "windowtest.h"

#include "projectsupport.h"
#include "quietqpa.h"

#include <QCoreApplication>

namespace {

void NameTheProgram()
{
    SilenceOffscreenPlatformWarnings();
    QCoreApplication::setOrganizationName(QStringLiteral("Orvana"));
    QCoreApplication::setApplicationName(QStringLiteral("Lantrel"));
}

} // namespace

void WindowTest::Begin(const QString &qsGeneralXml)
{
    NameTheProgram();
    m_pEnv = std::make_unique<TestEnv>();
    m_pTraces = std::make_unique<TraceCapture>(qsGeneralXml);
}

bool WindowTest::BeginWithCatalogue()
{
    NameTheProgram();
    m_pEnv = std::make_unique<TestEnv>();
    m_pTraces = std::make_unique<TraceCollector>();
    return LoadProjectTestCatalogue();
}

void WindowTest::End()
{
    DropWindow();
    m_pTraces.reset();
    m_pEnv.reset();
}

Zelvor *WindowTest::MakeWindow()
{
    DropWindow();
    m_pPrompts = std::make_unique<ScriptedPrompts>();
    m_pWnd = new Zelvor;
    g_pMainWnd.store(m_pWnd);
    m_pTraces->Reset();
    return m_pWnd;
}

void WindowTest::DropWindow()
{
    delete g_pMainWnd.exchange(nullptr);
    m_pWnd = nullptr;
    m_pPrompts.reset();
}

QStringList WindowTest::Boxes() const
{
    QStringList boxes;
    for (const PromptCall_t &call : m_pPrompts->Messages())
        boxes.append(call.qsText + QStringLiteral(" | ") + call.qsDetail);
    return boxes;
}
