// A label laid out once must draw exactly the pixels that QPainter::drawText draws for the
// same rectangle, alignment and text, whatever the font, scale, clipping or device.

#include "scene/textlabel.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QtTest>

namespace {

QFont TestFont(const QString &qsFamily, int iPoints, bool bOutline)
{
    QFont font(qsFamily, iPoints);
    if (bOutline)
        font.setStyleStrategy(QFont::ForceOutline);
    return font;
}

// Draws the text the way one of the two wants it, on a half-transparent white-over-blue
// background so that every blending step shows.
QImage Paint(const std::function<void(QPainter *)> &draw, qreal dScale, int iDpi)
{
    QImage image(160, 80, QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(qRound(iDpi / 0.0254));
    image.setDotsPerMeterY(qRound(iDpi / 0.0254));
    image.fill(QColor(20, 60, 200));
    QPainter painter(&image);
    painter.fillRect(QRectF(0, 0, 160, 40), QColor(255, 255, 255, 128));
    painter.setOpacity(0.5);
    painter.translate(3.25, 2.5);
    painter.scale(dScale, dScale);
    draw(&painter);
    return image;
}

} // namespace

class TstTextLabel : public QObject
{
    Q_OBJECT

private slots:
    void drawsAsDrawText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QFont>("font");
        QTest::addColumn<QRectF>("rect");
        QTest::addColumn<int>("flags");
        QTest::addColumn<qreal>("scale");
        QTest::addColumn<int>("dpi");

        const QFont times = TestFont("Times", 12, true);
        const QFont courier = TestFont("Courier New", 8, false);
        const int centre = Qt::AlignCenter;
        const int bottom = Qt::AlignHCenter | Qt::AlignBottom;
        QTest::newRow("name label") << "L2.7" << times << QRectF(0, 2.4, 32, 16.8) << centre << 1.0 << 96;
        QTest::newRow("name label shrunk")
            << "L3.123456" << times << QRectF(0, 12, 128 / 0.6, 44.8 / 0.6) << centre << 0.6 << 96;
        QTest::newRow("type name cut") << "A long type name that will not fit" << courier << QRectF(0, 20, 60, 5)
                                       << bottom << 0.9 << 96;
        QTest::newRow("higher than its rectangle") << "S0.3" << times << QRectF(1.5, 0, 40, 6) << centre << 1.0 << 96;
        QTest::newRow("right and top") << "G12" << courier << QRectF(0, 0, 50, 20) << int(Qt::AlignRight | Qt::AlignTop)
                                       << 1.7 << 96;
        QTest::newRow("right to left text")
            << QString::fromUtf8("\u05E2\u05D1\u05E8\u05D9\u05EA 12") << courier << QRectF(0, 0, 100, 30)
            << int(Qt::AlignRight | Qt::AlignBottom) << 1.0 << 96;
        QTest::newRow("two lines go to drawText") << "one\ntwo" << times << QRectF(0, 0, 80, 30) << centre << 1.0 << 96;
        QTest::newRow("trailing blank goes to drawText")
            << "L1.1 " << times << QRectF(0, 0, 80, 30) << centre << 1.0 << 96;
    }
    void drawsAsDrawText()
    {
        QFETCH(QString, text);
        QFETCH(QFont, font);
        QFETCH(QRectF, rect);
        QFETCH(int, flags);
        QFETCH(qreal, scale);
        QFETCH(int, dpi);

        const QImage expected = Paint(
            [&](QPainter *p) {
                p->setFont(font);
                p->drawText(rect, flags, text);
            },
            scale, dpi);
        CTextLabel label;
        label.SetText(text);
        // Drawn twice: the second time from the kept layout.
        for (int i = 0; i < 2; ++i) {
            const QImage drawn = Paint(
                [&](QPainter *p) {
                    p->setFont(font);
                    label.Draw(p, rect, flags);
                },
                scale, dpi);
            QCOMPARE(drawn, expected);
        }
        QCOMPARE(label.Size(font), QFontMetricsF(font).size(0, text));
    }

    void followsTextFontAndDevice()
    {
        const QFont times = TestFont("Times", 12, true);
        const QFont courier = TestFont("Courier New", 8, false);
        const QRectF rect(0, 0, 100, 30);
        CTextLabel label;
        label.SetText("L1.1");
        const auto drawLabel = [&](const QFont &font) {
            return [&label, font, rect](QPainter *p) {
                p->setFont(font);
                label.Draw(p, rect, Qt::AlignCenter);
            };
        };
        const auto drawText = [rect](const QFont &font, const QString &qsText) {
            return [font, rect, qsText](QPainter *p) {
                p->setFont(font);
                p->drawText(rect, Qt::AlignCenter, qsText);
            };
        };
        QCOMPARE(Paint(drawLabel(times), 1, 96), Paint(drawText(times, "L1.1"), 1, 96));
        // The kept layout follows a new text, a new font and another device.
        label.SetText("L4.1234");
        QCOMPARE(Paint(drawLabel(times), 1, 96), Paint(drawText(times, "L4.1234"), 1, 96));
        QCOMPARE(label.Size(courier), QFontMetricsF(courier).size(0, "L4.1234"));
        QCOMPARE(Paint(drawLabel(courier), 1, 192), Paint(drawText(courier, "L4.1234"), 1, 192));
        label.SetText(QString());
        QCOMPARE(Paint(drawLabel(times), 1, 96), Paint(drawText(times, QString()), 1, 96));
    }
};

QTEST_MAIN(TstTextLabel)
#include "tst_textlabel.moc"
