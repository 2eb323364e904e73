// The tool bar: its link buttons following the link state, the first init answer, connect and
// disconnect by its button, the buttons that do nothing while offline.
#include "mainwindow/toolbox.h"
#include "scene/fixture.h"
#include "scene/scenetest.h"
#include "scene/view.h"
#include "support/linktest.h"
#include "support/mainwindowtest.h"
#include "support/quietqpa.h"

#include <QPushButton>
#include <QTest>

namespace {

QPushButton *Button(Zelvor *w, const char *pcName)
{
    return w->m_pToolBox->findChild<QPushButton *>(QLatin1String(pcName));
}

// The four buttons that talk to the VPU, all enabled or all disabled; -1 when they differ.
int VpuButtonsEnabled(Zelvor *w)
{
    int iOn = 0;
    for (const char *pcName : {"m_pUploadBtn", "m_pDownloadBtn", "m_pEnumerateBtn", "m_pResetBtn"})
        iOn += Button(w, pcName)->isEnabledTo(w->m_pToolBox) ? 1 : 0;
    return iOn == 0 ? 0 : (iOn == 4 ? 1 : -1);
}

} // namespace

class TestToolBox : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { SilenceOffscreenPlatformWarnings(); }

    void beforeFirstAnswer();
    void firstAnswerSuccessAndDisconnect();
    void reconnectByButton();
    void reconnectOpenFailureShowsDisconnected();
    void refusedFirstAnswer();
    void refusedAnswerAfterReconnect();
    void offlineStartKeepsConnectDisabled();
    void vpuButtonsIdleWhileOffline();
    void addShowsPaintBrush();
    void zoomButtons();
    void downloadAndUploadReachTheVpu();
    void deleteRemovesSelected();
};

void TestToolBox::beforeFirstAnswer()
{
    LinkFixture f(QStringLiteral("127.0.0.114"));
    QVERIFY(f.StartSim());
    Zelvor *w = f.Build();
    f.DelayAnswer(VPU_MSG_INIT_COM, 200);
    QCOMPARE(w->InitCom(CVpuCom::COM_TYPE_NET, f.Address()), 0);
    QCOMPARE(VpuButtonsEnabled(w), 0);
    QVERIFY(!Button(w, "m_pConnectBtn")->isChecked());
    QVERIFY(Button(w, "m_pConnectBtn")->isEnabledTo(w->m_pToolBox));
    QTRY_VERIFY_WITH_TIMEOUT(w->isEnabled(), 10000);
}

void TestToolBox::firstAnswerSuccessAndDisconnect()
{
    LinkFixture f(QStringLiteral("127.0.0.114"));
    QVERIFY(f.StartSim());
    Zelvor *w = f.Build();
    QVERIFY(f.ConnectEthernet());
    QCOMPARE(VpuButtonsEnabled(w), 1);
    QVERIFY(Button(w, "m_pConnectBtn")->isChecked());
    // The tool bar heard the first answer and let go of the signal.
    QVERIFY(!disconnect(&w->m_VpuCom, &CVpuCom::sigInitCom, w->m_pToolBox, &ToolBox::s_OnInitComDone));

    QTest::mouseClick(Button(w, "m_pConnectBtn"), Qt::LeftButton);
    QVERIFY(!w->m_VpuCom.IsOpen());
    QVERIFY(!Button(w, "m_pConnectBtn")->isChecked());
    QCOMPARE(VpuButtonsEnabled(w), 0);
    QCOMPARE(f.ModeText(), QStringLiteral("Offline"));
    // Offline, the restart is disarmed.
    QVERIFY(!disconnect(&w->m_VpuCom, &CVpuCom::sigRestartComMsg, &w->m_VpuCom, &CVpuCom::s_OnRestartComMsg));
}

void TestToolBox::reconnectByButton()
{
    LinkFixture f(QStringLiteral("127.0.0.114"));
    QVERIFY(f.StartSim());
    Zelvor *w = f.Build();
    QVERIFY(f.ConnectEthernet());
    QTest::mouseClick(Button(w, "m_pConnectBtn"), Qt::LeftButton);
    QVERIFY(!w->m_pToolBox->IsConnected());
    f.Model().ClearLog();

    QTest::mouseClick(Button(w, "m_pConnectBtn"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(w->m_pToolBox->IsConnected(), 10000);
    QVERIFY(w->isEnabled());
    QCOMPARE(f.Sim().ConnectionCount(), 2);
    QCOMPARE(f.Model().Messages().value(0).toHex(' '), QByteArray("03 05 00 00 00 03 05 00 00 00"));
    QCOMPARE(f.ModeText(), QStringLiteral("Online : Connected to '127.0.0.114'"));
    QVERIFY(Button(w, "m_pConnectBtn")->isChecked());
    QCOMPARE(VpuButtonsEnabled(w), 1);
    QVERIFY(f.ErrorBoxes().isEmpty());
}

void TestToolBox::reconnectOpenFailureShowsDisconnected()
{
    LinkFixture f(QStringLiteral("127.0.0.115"));
    QVERIFY(f.StartSim());
    Zelvor *w = f.Build();
    QVERIFY(f.ConnectEthernet());
    QTest::mouseClick(Button(w, "m_pConnectBtn"), Qt::LeftButton);
    f.Sim().Stop();

    QTest::mouseClick(Button(w, "m_pConnectBtn"), Qt::LeftButton);
    QCOMPARE(f.ErrorBoxes(),
             QStringList{"Failed to open connexion with VPU!|(Error Code = -200) - Failed to connect to VPU!\n"
                         "Connection to 127.0.0.115 port 50000 failed: Connection refused"});
    QVERIFY(!Button(w, "m_pConnectBtn")->isChecked());
    QVERIFY(!w->m_pToolBox->IsConnected());
    QCOMPARE(VpuButtonsEnabled(w), 0);
    QVERIFY(w->isEnabled());
    QCOMPARE(f.ModeText(), QStringLiteral("Offline"));
}

void TestToolBox::refusedFirstAnswer()
{
    LinkFixture f(QStringLiteral("127.0.0.115"));
    QVERIFY(f.StartSim());
    Zelvor *w = f.Build();
    f.DropAnswer(VPU_MSG_INIT_COM, 7);
    QCOMPARE(w->InitCom(CVpuCom::COM_TYPE_NET, f.Address()), 0);
    QTRY_COMPARE_WITH_TIMEOUT(f.ErrorBoxes().size(), 1, 10000);
    QVERIFY(w->isEnabled());
    QVERIFY(!Button(w, "m_pConnectBtn")->isChecked());
    QCOMPARE(VpuButtonsEnabled(w), 0);
    QVERIFY(!disconnect(&w->m_VpuCom, &CVpuCom::sigInitCom, w->m_pToolBox, &ToolBox::s_OnInitComDone));
}

void TestToolBox::refusedAnswerAfterReconnect()
{
    LinkFixture f(QStringLiteral("127.0.0.115"));
    QVERIFY(f.StartSim());
    Zelvor *w = f.Build();
    QVERIFY(f.ConnectEthernet());
    QTest::mouseClick(Button(w, "m_pConnectBtn"), Qt::LeftButton);
    f.DropAnswer(VPU_MSG_INIT_COM);

    // The click flips the button to the connected image before the answer is known.
    QTest::mouseClick(Button(w, "m_pConnectBtn"), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(f.ErrorBoxes().size(), 1, 10000);
    QCOMPARE(f.ErrorBoxes().first(), QStringLiteral("Failed to initialize communication with VPU!|(Error Code = -3) - "
                                                    "Communication with VPU failed!"));
    QVERIFY(!Button(w, "m_pConnectBtn")->isChecked());
    QCOMPARE(VpuButtonsEnabled(w), 0);
    QVERIFY(!w->m_VpuCom.IsOpen());
    QVERIFY(w->isEnabled());
    QCOMPARE(f.ModeText(), QStringLiteral("Offline"));
}

void TestToolBox::offlineStartKeepsConnectDisabled()
{
    LinkFixture f(QStringLiteral("127.0.0.115"));
    Zelvor *w = f.Build();
    QCOMPARE(w->InitCom(CVpuCom::COM_TYPE_NONE, QString()), 0);
    QVERIFY(!Button(w, "m_pConnectBtn")->isEnabled());
    // Nothing gives the button back, whatever the link state says.
    w->SetOnline(true);
    w->SetOnline(false);
    QVERIFY(!Button(w, "m_pConnectBtn")->isEnabled());
}

void TestToolBox::vpuButtonsIdleWhileOffline()
{
    LinkFixture f(QStringLiteral("127.0.0.115"));
    Zelvor *w = f.Build();
    // Called directly, as a keyboard shortcut or a script would, while the buttons are off.
    w->m_pToolBox->s_OnEnumerateBtn();
    w->m_pToolBox->s_OnResetBtn();
    w->m_pToolBox->s_OnDownloadBtn();
    w->m_pToolBox->s_OnUploadBtn();
    QVERIFY(w->isEnabled());
    QVERIFY(!disconnect(&w->m_VpuCom, &CVpuCom::sigEnumerateFixturesMsg, w, &Zelvor::s_OnEnumerateFixturesDone));
    QVERIFY(!disconnect(&w->m_VpuCom, &CVpuCom::sigResetFixturesMsg, w, &Zelvor::s_OnResetFixturesDone));
    QVERIFY(f.Prompts().Calls().isEmpty());
}

void TestToolBox::addShowsPaintBrush()
{
    LinkFixture f(QStringLiteral("127.0.0.115"));
    Zelvor *w = f.Build();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QDockWidget *pDock = DockByTitle(w, QStringLiteral("Custom Fixture Paintbrush"));
    QVERIFY(!pDock->isVisible());
    QTest::mouseClick(Button(w, "m_pAddBtn"), Qt::LeftButton);
    QVERIFY(pDock->isVisible());
}

void TestToolBox::zoomButtons()
{
    LinkFixture f(QStringLiteral("127.0.0.115"));
    Zelvor *w = f.Build();
    w->resize(1200, 800);
    w->ShowMainWindow();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    View *pView = w->GetView();
    const qreal dFit = pView->transform().m11();
    QTest::mouseClick(Button(w, "m_pZoomInBtn"), Qt::LeftButton);
    QCOMPARE(pView->transform().m11(), dFit * 1.25);
    QTest::mouseClick(Button(w, "m_pZoomOutBtn"), Qt::LeftButton);
    QTest::mouseClick(Button(w, "m_pZoomOutBtn"), Qt::LeftButton);
    QCOMPARE(pView->transform().m11(), dFit * 1.25 * 0.8 * 0.8);
    QTest::mouseClick(Button(w, "m_pZoomAllBtn"), Qt::LeftButton);
    QCOMPARE(pView->transform().m11(), dFit);
}

void TestToolBox::deleteRemovesSelected()
{
    LinkFixture f(QStringLiteral("127.0.0.115"));
    Zelvor *w = f.Build();
    QCOMPARE(w->AddFixtures(TestType(64, 32), 0, 0, 2, 0), 0);
    QCOMPARE(w->AllFixtures().size(), 3);
    w->Scene()->clearSelection();
    w->AllFixtures().at(1)->setSelected(true);
    QTest::mouseClick(Button(w, "m_pDeleteBtn"), Qt::LeftButton);
    QCOMPARE(w->AllFixtures().size(), 2);
}

void TestToolBox::downloadAndUploadReachTheVpu()
{
    LinkFixture f(QStringLiteral("127.0.0.116"));
    QVERIFY(f.StartSim());
    Zelvor *w = f.Build();
    QVERIFY(f.ConnectEthernet());

    // Download asks first; No sends nothing.
    f.Model().ClearLog();
    f.Prompts().AnswerQuestion(QMessageBox::No);
    QTest::mouseClick(Button(w, "m_pDownloadBtn"), Qt::LeftButton);
    QCOMPARE(f.Prompts().Calls().size(), 1);
    QCOMPARE(f.Prompts().Calls().first().qsTitle, QStringLiteral("Configuration Download to VPU"));
    QTest::qWait(100);
    QCOMPARE(f.Model().Messages().size(), 0);

    // Yes starts with the fixture count.
    f.Prompts().AnswerQuestion(QMessageBox::Yes);
    QTest::mouseClick(Button(w, "m_pDownloadBtn"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(w->isEnabled(), 10000);
    QVERIFY(!f.Model().Messages().isEmpty());
    QCOMPARE(quint8(f.Model().Messages().first().at(0)), quint8(VPU_MSG_FIXT_GET_NUMBER));

    // Upload asks whether to save the project it replaces, then starts with the video preset.
    f.Model().ClearLog();
    f.Prompts().AnswerQuestion(QMessageBox::No);
    QTest::mouseClick(Button(w, "m_pUploadBtn"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(w->isEnabled(), 10000);
    QVERIFY(!f.Model().Messages().isEmpty());
    QCOMPARE(quint8(f.Model().Messages().first().at(0)), quint8(VPU_MSG_VIDEO_PRESET_READ));
}

QTEST_MAIN(TestToolBox)
#include "tst_toolbox.moc"
