// The input and output colour panels as the operator drives them against the simulated VPU:
// the requests their edits and buttons send, byte for byte, the one request of the input
// colour Default, the expert sliders while dragged, and that whatever the operator edits in
// the three video and colour panels is saved in a project that loads back the same.
#include "mainwindow/zelvor.h"
#include "panels/device/inputcolorctrl.h"
#include "panels/device/outputcolorctrl.h"
#include "panels/device/videoinput.h"
#include "project/colortemp.h"
#include "project/projectconf.h"
#include "support/panelinput.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSlider>
#include <QSpinBox>

class TestColorPanels : public QObject
{
    Q_OBJECT
private slots:
    void init() { QVERIFY(m_Ui.Start(QStringLiteral("127.0.0.182"))); }
    void cleanup() { m_Ui.Stop(); }
    void typedValueSent_data();
    void typedValueSent();
    void inputDefaultSendsOneRequest_data();
    void inputDefaultSendsOneRequest();
    void whiteBalanceApplied_data();
    void whiteBalanceApplied();
    void expertSlidersSendWhileDragged();
    void savedEditsLoadBackEqual_data();
    void savedEditsLoadBackEqual();

private:
    template <typename T> T *Child(const char *pcName) const { return m_Ui.Child<T>(QLatin1String(pcName)); }
    QStringList Sent() const { return HexList(SettingRequests(m_Ui.Sim())); }

    OnlinePanels m_Ui;
};

void TestColorPanels::typedValueSent_data()
{
    QTest::addColumn<QString>("spin");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("button"); // empty: the edit itself applies
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("sent");

    const QString in = QStringLiteral("struct.pack('<5B', 3, %1)"); // brightness, contrast, saturation, hue
    // (0 + 90) x 255 / 180 = 127.5: rounded up, not cut.
    QTest::newRow("hue 0 degrees") << "m_pHueSpin"
                                   << "0"
                                   << "" << 13 << in.arg("128, 128, 128, 128");
    QTest::newRow("contrast 50 %") << "m_pContrastSpin"
                                   << "50"
                                   << "" << 13 << in.arg("128, 128, 128, 0");
    QTest::newRow("brightness 50 %") << "m_pBrightnessSpin"
                                     << "50"
                                     << "" << 13 << in.arg("64, 128, 128, 0");
    // 0.29 x 100 and 0.57 x 100 lie just below 29 and 57 in binary; only the buttons apply.
    QTest::newRow("gamma 0.29 volatile") << "m_pGammaGSpin"
                                         << "0.29"
                                         << "m_pGammaApplyBtn" << 14 << "struct.pack('<BHHH', 0, 40, 29, 40)";
    QTest::newRow("gamma 0.57 permanent") << "m_pGammaGSpin"
                                          << "0.57"
                                          << "m_pGammaWriteInFlashBtn" << 14 << "struct.pack('<BHHH', 1, 40, 57, 40)";
}

void TestColorPanels::typedValueSent()
{
    QFETCH(QString, spin);
    QFETCH(QString, typed);
    QFETCH(QString, button);
    QFETCH(int, id);
    QFETCH(QString, sent);

    TypeInto(m_Ui.Child<QDoubleSpinBox>(spin), typed);
    QVERIFY(m_Ui.Sim().WaitEnabled());
    if (!button.isEmpty())
        QVERIFY(m_Ui.Click(m_Ui.Child<QPushButton>(button)));
    QCOMPARE(Sent(), QStringList{QString(Hex(Request(quint8(id), PyBytes(sent))))});
}

void TestColorPanels::inputDefaultSendsOneRequest_data()
{
    QTest::addColumn<bool>("changed");
    QTest::newRow("three sliders moved") << true;
    QTest::newRow("all at their defaults") << false;
}

void TestColorPanels::inputDefaultSendsOneRequest()
{
    QFETCH(bool, changed);

    for (const char *pcSlider : {"m_pBrightnessSlider", "m_pHueSlider", "m_pSaturationSlider"}) {
        if (!changed)
            break;
        // Each a page away from its default, hue (0) upwards.
        QTest::keyClick(Child<QSlider>(pcSlider), pcSlider[3] == 'H' ? Qt::Key_PageUp : Qt::Key_PageDown);
        QVERIFY(m_Ui.Sim().WaitEnabled());
    }
    QCOMPARE(Sent().size(), changed ? 3 : 0);
    m_Ui.Sim().Model().ClearLog();

    QVERIFY(m_Ui.Click(m_Ui.Child<QPushButton>(QStringLiteral("m_pDefaultBtn"), m_Ui.Wnd()->m_pInputColorCtrl)));
    const QByteArray baDefault = Request(13, PyBytes(QStringLiteral("struct.pack('<5B', 3, 128, 128, 128, 0)")));
    QCOMPARE(Sent(), changed ? QStringList{QString(Hex(baDefault))} : QStringList());
    QCOMPARE(Child<QDoubleSpinBox>("m_pHueSpin")->text(), QStringLiteral("-90.00"));
}

void TestColorPanels::whiteBalanceApplied_data()
{
    QTest::addColumn<QString>("choice"); // "entry" index, "custom" kelvin, "stored" kelvin in mode 1
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("kelvin");
    QTest::addColumn<bool>("fitted"); // the coefficients TemperatureToGainsFit gives, else 512

    QTest::newRow("6500 K") << "entry" << 2 << 1 << 6500 << true;
    QTest::newRow("no correction") << "entry" << 0 << 0 << 6500 << false;
    QTest::newRow("custom 2000 K") << "custom" << 2000 << 2 << 2000 << true;
    // A stored temperature the list lacks, shown after "9600 K" was chosen: kept, not 9600.
    QTest::newRow("stored 5000 K") << "stored" << 5000 << 1 << 5000 << false;
}

void TestColorPanels::whiteBalanceApplied()
{
    QFETCH(QString, choice);
    QFETCH(int, value);
    QFETCH(int, kelvin);
    QFETCH(bool, fitted);

    auto *pCombo = Child<QComboBox>("m_pWhiteStandCbBox");
    QTest::keyClick(pCombo, Qt::Key_End);
    if (choice == QLatin1String("entry")) {
        QTest::keyClick(pCombo, Qt::Key_Home);
        for (int i = 0; i < value; ++i)
            QTest::keyClick(pCombo, Qt::Key_Down);
    } else if (choice == QLatin1String("custom")) {
        QTest::keyClick(Child<QGroupBox>("m_pCustomColorTempGpBox"), Qt::Key_Space);
        TypeInto(Child<QSpinBox>("m_pWhiteCustSpin"), QString::number(value));
    } else {
        m_Ui.Wnd()->SetColorCorrections({3, 128, 128, 128, 0}, {40, 40, 40, 1, quint16(value), 512, 512, 512});
    }
    QCOMPARE(Sent().size(), 0);
    QVERIFY(m_Ui.Click(Child<QPushButton>("m_pWhiteApplyBtn")));

    quint32 auGain[3] = {512, 512, 512};
    if (fitted)
        QCOMPARE(TemperatureToGainsFit(kelvin, &auGain[0], &auGain[1], &auGain[2]), 0);
    QFETCH(int, mode);
    const QString qsSent = QStringLiteral("struct.pack('<BHHHH', %1, %2, %3, %4, %5)")
                               .arg(mode)
                               .arg(kelvin)
                               .arg(auGain[0])
                               .arg(auGain[1])
                               .arg(auGain[2]);
    QCOMPARE(Sent(), QStringList{QString(Hex(Request(15, PyBytes(qsSent))))});
}

void TestColorPanels::expertSlidersSendWhileDragged()
{
    QTest::keyClick(Child<QGroupBox>("m_pExpertColorTempGpBox"), Qt::Key_Space);
    QSlider *pSlider = Child<QSlider>("m_pColorTempRedSlider");
    pSlider->resize(520, 24);
    VpuSimFault tSlow;
    tSlow.iDelayMs = 300;
    m_Ui.Sim().Model().SetFault(15, tSlow);
    QTest::mousePress(pSlider, Qt::LeftButton, {}, QPoint(pSlider->width() - 4, 12));
    QStringList lExpected;
    for (int iX : {400, 300, 200}) {
        QTest::mouseMove(pSlider, QPoint(iX, 12));
        lExpected.append(Hex(Request(
            15, PyBytes(QStringLiteral("struct.pack('<BHHHH', 3, 6500, %1, 512, 512)").arg(pSlider->value())))));
        // While the request is out the window takes no input: the next move waits for it.
        QTest::mouseMove(pSlider, QPoint(iX - 50, 12));
        QVERIFY(!m_Ui.Wnd()->isEnabled());
        QVERIFY(m_Ui.Sim().WaitEnabled());
    }
    QTest::mouseRelease(pSlider, Qt::LeftButton, {}, QPoint(150, 12));
    QCOMPARE(Sent(), lExpected);
    QVERIFY(pSlider->value() < 512 && lExpected.removeDuplicates() == 0);
}

void TestColorPanels::savedEditsLoadBackEqual_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 uSeed : {1u, 2u, 3u, 4u})
        QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(uSeed))) << uSeed;
}

void TestColorPanels::savedEditsLoadBackEqual()
{
    QFETCH(quint32, seed);

    Zelvor *pWnd = m_Ui.Wnd();
    pWnd->SetOnline(false);
    QList<QWidget *> lControls;
    for (QWidget *pPanel : QList<QWidget *>{pWnd->m_pVideoInput, pWnd->m_pInputColorCtrl, pWnd->m_pOutputColorCtrl}) {
        for (QWidget *pChild : pPanel->findChildren<QWidget *>()) {
            if (qobject_cast<QAbstractSpinBox *>(pChild) || qobject_cast<QAbstractSlider *>(pChild) ||
                qobject_cast<QAbstractButton *>(pChild) || qobject_cast<QComboBox *>(pChild) ||
                qobject_cast<QGroupBox *>(pChild))
                lControls.append(pChild);
        }
    }
    const Qt::Key aKeys[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Space};
    QRandomGenerator rng(seed);
    for (int i = 0; i < 150; ++i)
        QTest::keyClick(lControls.at(rng.bounded(int(lControls.size()))), aKeys[rng.bounded(5)]);

    // Saved, loaded and saved again: the same file.
    const QString qsFirst = m_Ui.FilePath(QStringLiteral("edited.prj"));
    const QString qsSecond = m_Ui.FilePath(QStringLiteral("again.prj"));
    QVERIFY(g_ProjectConf.Write() == 0 && g_ProjectConf.Save(qsFirst) == 0);
    CProjectConf loaded;
    QVERIFY(loaded.Open(qsFirst) == 0 && loaded.Parse() == 0);
    QVERIFY(loaded.Write() == 0 && loaded.Save(qsSecond) == 0);
    QFile first(qsFirst), second(qsSecond);
    QVERIFY(first.open(QIODevice::ReadOnly) && second.open(QIODevice::ReadOnly));
    QCOMPARE(second.readAll(), first.readAll());
}

QTEST_MAIN(TestColorPanels)
#include "tst_colorpanels.moc"
