#include "scene/textlabel.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QRectF>
#include <QTextLine>

namespace {

// Texts that drawText would change before laying them out (line breaks, tabs, length
// variants) or whose trailing blanks it measures differently: those keep the plain call.
bool IsPlainText(const QString &qsText)
{
    if (qsText.isEmpty() || qsText.front().isSpace() || qsText.back().isSpace())
        return false;
    for (const QChar c : qsText) {
        const char16_t u = c.unicode();
        if (u == u'\n' || u == u'\r' || u == u'\t' || u == 0x9c || u == QChar::LineSeparator ||
            u == QChar::ParagraphSeparator)
            return false;
    }
    return true;
}

constexpr int ALIGN_FLAGS =
    Qt::AlignLeft | Qt::AlignRight | Qt::AlignHCenter | Qt::AlignTop | Qt::AlignBottom | Qt::AlignVCenter;

} // namespace

void CTextLabel::SetText(const QString &qsText)
{
    if (qsText == m_qsText)
        return;
    m_qsText = qsText;
    m_bPlain = IsPlainText(qsText);
    m_bSized = false;
    m_pLayout.reset();
}

QSizeF CTextLabel::Size(const QFont &font)
{
    if (!m_bSized || !(font == m_SizeFont)) {
        m_SizeFont = font;
        m_Size = QFontMetricsF(font).size(0, m_qsText);
        m_bSized = true;
    }
    return m_Size;
}

bool CTextLabel::LaidOutFor(const QPainter *pPainter) const
{
    const QPaintDevice *pDevice = pPainter->device();
    return m_pLayout && pPainter->font() == m_LayoutFont && pDevice->logicalDpiX() == m_iDpiX &&
           pDevice->logicalDpiY() == m_iDpiY && pPainter->layoutDirection() == m_Direction;
}

void CTextLabel::LayOut(const QPainter *pPainter)
{
    // The same layout drawText makes for one line: left-aligned in a line wide enough never
    // to wrap, placed at the top, its height the line's ascent plus descent.
    m_LayoutFont = pPainter->font();
    m_iDpiX = pPainter->device()->logicalDpiX();
    m_iDpiY = pPainter->device()->logicalDpiY();
    m_Direction = pPainter->layoutDirection();

    m_pLayout = std::make_unique<QTextLayout>(m_qsText, m_LayoutFont);
    QTextOption option;
    option.setTextDirection(m_Direction);
    option.setAlignment(Qt::AlignLeft);
    m_pLayout->setTextOption(option);
    m_pLayout->setCacheEnabled(true);
    m_pLayout->beginLayout();
    QTextLine line = m_pLayout->createLine();
    line.setLineWidth(0x01000000);
    // drawText puts its first line at the ceiling of (-leading + leading): 0.
    line.setPosition(QPointF(0, 0));
    m_dHeight = line.ascent() + line.descent();
    m_dWidth = line.naturalTextWidth();
    m_pLayout->endLayout();
}

void CTextLabel::Draw(QPainter *pPainter, const QRectF &rect, int iFlags)
{
    if (!m_bPlain || (iFlags & ~ALIGN_FLAGS) || pPainter->layoutDirection() == Qt::RightToLeft ||
        pPainter->pen().style() == Qt::NoPen) {
        pPainter->drawText(rect, iFlags, m_qsText);
        return;
    }
    if (!LaidOutFor(pPainter))
        LayOut(pPainter);

    qreal yOff = 0;
    if (iFlags & Qt::AlignBottom)
        yOff = rect.height() - m_dHeight;
    else if (iFlags & Qt::AlignVCenter)
        yOff = (rect.height() - m_dHeight) / 2;
    qreal xOff = 0;
    if (iFlags & Qt::AlignRight)
        xOff = rect.width() - m_dWidth;
    else if (iFlags & Qt::AlignHCenter)
        xOff = (rect.width() - m_dWidth) / 2;

    // A text larger than its rectangle is cut at the rectangle, as drawText does it.
    const bool bClip = !rect.contains(QRectF(rect.x() + xOff, rect.y() + yOff, m_dWidth, m_dHeight));
    if (bClip) {
        pPainter->save();
        pPainter->setClipRect(rect, Qt::IntersectClip);
    }
    const QTextLine line = m_pLayout->lineAt(0);
    const qreal advance = line.horizontalAdvance();
    xOff = 0;
    if (iFlags & Qt::AlignRight)
        xOff = rect.width() - advance;
    else if (iFlags & Qt::AlignHCenter)
        xOff = (rect.width() - advance) / 2;
    line.draw(pPainter, QPointF(rect.x() + xOff, rect.y() + yOff));
    if (bClip)
        pPainter->restore();
}
