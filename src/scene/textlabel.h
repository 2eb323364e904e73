#pragma once
// A one-line text that an item draws in a rectangle on every paint, as QPainter::drawText
// (rectangle, alignment, text) would draw it, but laid out only once. Qt itemizes, shapes and
// breaks a text anew on each drawText and on each QFontMetricsF::size; for thousands of small
// scene labels that costs far more than drawing their glyphs. The layout is kept until the
// text, the painter's font, the device resolution or the layout direction changes.

#include <QFont>
#include <QSizeF>
#include <QString>
#include <QTextLayout>

#include <memory>

class QPainter;
class QRectF;

class CTextLabel
{
public:
    CTextLabel() = default;
    CTextLabel(const CTextLabel &) = delete;
    CTextLabel &operator=(const CTextLabel &) = delete;

    const QString &Text() const { return m_qsText; }
    void SetText(const QString &qsText);

    // QFontMetricsF(font).size(0, text), kept for the last font asked.
    QSizeF Size(const QFont &font);

    // Draws the text with the painter's font and pen exactly as
    // QPainter::drawText(rect, iFlags, text) does. Only alignment flags on a painter that is
    // not right-to-left take the laid-out way; a text that spans lines, holds tabs or starts
    // or ends with a blank, other flags or a right-to-left painter go to drawText itself.
    void Draw(QPainter *pPainter, const QRectF &rect, int iFlags);

private:
    bool LaidOutFor(const QPainter *pPainter) const;
    void LayOut(const QPainter *pPainter);

    QString m_qsText;
    bool m_bPlain = false; // one line, nothing that drawText would rewrite or wrap

    bool m_bSized = false;
    QFont m_SizeFont;
    QSizeF m_Size;

    std::unique_ptr<QTextLayout> m_pLayout;
    QFont m_LayoutFont;
    int m_iDpiX = 0;
    int m_iDpiY = 0;
    Qt::LayoutDirection m_Direction = Qt::LeftToRight;
    qreal m_dWidth = 0;
    qreal m_dHeight = 0;
};
