// The program from its first window to a running link, as a user drives it: the welcome
// dialog, French, the Ethernet row of the connection dialog, an address typed, Connect.
#include "comm/usbcom.h"
#include "config/softconf.h"
#include "mainwindow/systemselect.h"
#include "mainwindow/toolbox.h"
#include "mainwindow/welcome.h"
#include "support/fakeusb.h"
#include "support/linktest.h"
#include "support/quietqpa.h"
#include "support/vpucomharness.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTranslator>

class TestEndToEnd : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void welcomeToOnline();
};

void TestEndToEnd::initTestCase()
{
    Q_INIT_RESOURCE(resources);
    SilenceOffscreenPlatformWarnings();
}

void TestEndToEnd::welcomeToOnline()
{
    LinkFixture f(QStringLiteral("127.0.0.117"));
    QVERIFY(f.StartSim());
    // The French translation the build made, where the program looks for it.
    const QString qsQm = qEnvironmentVariable("LANTREL_BINARY_DIR") + QStringLiteral("/Lang/zelvor_fr.qm");
    QVERIFY2(QFile::exists(qsQm), qPrintable(qsQm));
    QVERIFY(QDir().mkpath(QStringLiteral("Lang")));
    QVERIFY(QFile::copy(qsQm, QStringLiteral("Lang/zelvor_fr.qm")));
    // One USB VPU attached, so that Ethernet has to be chosen.
    FakeUsbBus bus({UsbDeviceId_t{0x04D8, 0x0204}});
    CUsbCom::SetDefaultBackendFactory([&bus] { return bus.MakeBackend(); });

    QTranslator translator;
    auto *pWelcome = new Welcome(nullptr, qApp, &translator);
    pWelcome->show();
    QVERIFY(QTest::qWaitForWindowExposed(pWelcome));
    QTest::mouseClick(pWelcome->findChild<QPushButton *>(QStringLiteral("m_pFrenchLangBtn")), Qt::LeftButton);
    QVERIFY(pWelcome->isHidden());
    SystemSelect *pSelect = g_pSystemSelect;
    QVERIFY(pSelect && pSelect->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(pSelect));

    auto *pLinks = pSelect->findChild<QListWidget *>(QStringLiteral("m_pLinksList"));
    QCOMPARE(pLinks->count(), 2);
    QCOMPARE(pLinks->currentRow(), 0); // USB0
    QListWidgetItem *pEthernet = pLinks->item(1);
    QTest::mouseClick(pLinks->viewport(), Qt::LeftButton, {}, pLinks->visualItemRect(pEthernet).center());
    QCOMPARE(pLinks->currentRow(), 1);

    auto *pIp = pSelect->findChild<QLineEdit *>(QStringLiteral("m_pEthIpLE"));
    QVERIFY(pIp->isEnabled());
    pIp->setFocus();
    pIp->selectAll();
    // Digits only: the edit's mask puts the dots.
    QTest::keyClicks(pIp, QStringLiteral("127000000117"));
    QCOMPARE(pIp->text(), QStringLiteral("127.000.000.117"));
    auto *pConnect = pSelect->findChild<QPushButton *>(QStringLiteral("m_pConnectBtn"));
    QCOMPARE(pConnect->text(), QStringLiteral("Connecter"));
    // Qt's own texts speak French too: a box with details and its standard button.
    {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("t"), QStringLiteral("x"), QMessageBox::Cancel);
        box.setDetailedText(QStringLiteral("d"));
        QStringList buttons;
        for (QAbstractButton *pButton : box.buttons())
            buttons.append(pButton->text());
        buttons.sort();
        QCOMPARE(buttons, QStringList({QStringLiteral("Annuler"), QStringLiteral("Montrer les d\u00e9tails...")}));
    }
    QVERIFY(pConnect->isEnabled());
    QTest::mouseClick(pConnect, Qt::LeftButton);

    QVERIFY(pSelect->isHidden());
    Zelvor *w = g_pMainWnd.load();
    QVERIFY(w);
    QVERIFY(w->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(w->isEnabled() && w->m_pToolBox->IsConnected(), 10000);
    QCOMPARE(ModeText(w), QStringLiteral("En ligne : connect\u00e9 \u00e0 '127.0.0.117'"));
    // INIT_COM as the VPU received it: header id 3 length 5 with its five bytes, then the
    // same five bytes raw.
    const QList<VpuSimLogEntry> log = f.Model().Log();
    QVERIFY(log.size() >= 2);
    QCOMPARE(Hex(log.at(0).baBytes), QByteArray("03 05 00 00 00 03 05 00 00 00"));
    QVERIFY(log.at(1).bRaw);
    QCOMPARE(Hex(log.at(1).baBytes), QByteArray("03 05 00 00 00"));
    QCOMPARE(f.Sim().ConnectionCount(), 1);
    // The address that worked heads the history.
    QStringList history;
    g_SoftConf.GetLastEthIPs(history);
    QCOMPARE(history.value(0), QStringLiteral("127.0.0.117"));

    // Run by hand with a display and LANTREL_HOLD_MS to take a screenshot of the window online.
    if (const int iHoldMs = qEnvironmentVariableIntValue("LANTREL_HOLD_MS"); iHoldMs > 0)
        QTest::qWait(iHoldMs);

    // Teardown in the start-up code's order.
    delete g_pSystemSelect;
    g_pSystemSelect = nullptr;
    w->m_VpuCom.CloseIfOpen();
    delete g_pMainWnd.exchange(nullptr);
    delete pWelcome;
    QCoreApplication::removeTranslator(&translator);
    CUsbCom::SetDefaultBackendFactory(nullptr);
}

QTEST_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
