// The tool bar: its connect button taking the link down and up again, and the buttons that talk
// to the VPU following the link state and doing nothing while offline.
#include "mainwindow/toolbox.h"
#include "scene/fixture.h"
#include "scene/scenetest.h"
#include "support/linktest.h"
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
    void reconnectByButton_data();
    void reconnectByButton();
    void offlineButtonsStayIdle();
    void deleteRemovesSelected();
};

void TestToolBox::reconnectByButton_data()
{
    QTest::addColumn<int>("iFault"); // 0 none, 1 simulator gone, 2 init answer dropped
    QTest::addColumn<QString>("qsBox");
    QTest::newRow("reconnects") << 0 << QString();
    QTest::newRow("open refused") << 1
                                  << "Failed to open connexion with VPU!|(Error Code = -200) - Failed to connect to "
                                     "VPU!\nConnection to 127.0.22.2 port 50000 failed: Connection refused";
    // The click flips the button to the connected image before the answer is known.
    QTest::newRow("answer dropped") << 2
                                    << "Failed to initialize communication with VPU!|(Error Code = -3) - "
                                       "Communication with VPU failed!";
}

void TestToolBox::reconnectByButton()
{
    QFETCH(int, iFault);
    QFETCH(QString, qsBox);
    LinkFixture f(QStringLiteral("127.0.22.2"));
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

    f.Model().ClearLog();
    if (iFault == 1)
        f.Sim().Stop();
    if (iFault == 2)
        f.DropAnswer(VPU_MSG_INIT_COM);
    QTest::mouseClick(Button(w, "m_pConnectBtn"), Qt::LeftButton);
    if (qsBox.isEmpty()) {
        QTRY_VERIFY_WITH_TIMEOUT(w->m_pToolBox->IsConnected(), 10000);
        QCOMPARE(f.Sim().ConnectionCount(), 2);
        QCOMPARE(f.Model().Messages().value(0).toHex(' '), QByteArray("03 05 00 00 00 03 05 00 00 00"));
        QCOMPARE(f.ModeText(), QStringLiteral("Online : Connected to '127.0.22.2'"));
    } else {
        QTRY_COMPARE_WITH_TIMEOUT(f.ErrorBoxes(), QStringList{qsBox}, 10000);
        QVERIFY(!w->m_VpuCom.IsOpen());
        QVERIFY(!w->m_pToolBox->IsConnected());
        QCOMPARE(f.ModeText(), QStringLiteral("Offline"));
    }
    QVERIFY(w->isEnabled());
    QCOMPARE(Button(w, "m_pConnectBtn")->isChecked(), qsBox.isEmpty());
    QCOMPARE(VpuButtonsEnabled(w), qsBox.isEmpty() ? 1 : 0);
}

void TestToolBox::offlineButtonsStayIdle()
{
    LinkFixture f(QStringLiteral("127.0.22.3"));
    Zelvor *w = f.Build();
    QCOMPARE(w->InitCom(CVpuCom::COM_TYPE_NONE, QString()), 0);
    QVERIFY(!w->m_VpuCom.IsOpen());
    QCOMPARE(f.ModeText(), QStringLiteral("Offline"));
    QCOMPARE(VpuButtonsEnabled(w), 0);
    QVERIFY(!Button(w, "m_pConnectBtn")->isEnabled());
    // Nothing gives the button back, whatever the link state says.
    w->SetOnline(true);
    w->SetOnline(false);
    QVERIFY(!Button(w, "m_pConnectBtn")->isEnabled());
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

void TestToolBox::deleteRemovesSelected()
{
    LinkFixture f(QStringLiteral("127.0.22.3"));
    Zelvor *w = f.Build();
    QCOMPARE(w->AddFixtures(TestType(64, 32), 0, 0, 2, 0), 0);
    QCOMPARE(w->AllFixtures().size(), 3);
    w->Scene()->clearSelection();
    w->AllFixtures().at(1)->setSelected(true);
    QTest::mouseClick(Button(w, "m_pDeleteBtn"), Qt::LeftButton);
    QCOMPARE(w->AllFixtures().size(), 2);
}

QTEST_MAIN(TestToolBox)
#include "tst_toolbox.moc"
