#pragma once
// Fields sized from the texts they show, so that a value or a translated text fits whole in
// whatever font the desktop gives, where a width picked in the designer fitted one of them.
// A field narrower than its text scrolls it and hides its start.

#include <QLineEdit>
#include <QString>
#include <QStyle>
#include <QStyleOptionFrame>

// The width at which pEdit shows qsText whole: QLineEdit keeps two pixels on each side of its
// text and one for the cursor, inside its text margins and the frame the style draws.
inline int FieldWidthFor(const QLineEdit *pEdit, const QString &qsText)
{
    QStyleOptionFrame opt;
    opt.initFrom(pEdit);
    opt.lineWidth = pEdit->hasFrame() ? pEdit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, pEdit) : 0;
    const QMargins margins = pEdit->textMargins();
    const QSize text(pEdit->fontMetrics().horizontalAdvance(qsText) + 2 * 2 + 1 + margins.left() + margins.right(),
                     pEdit->fontMetrics().height());
    return pEdit->style()->sizeFromContents(QStyle::CT_LineEdit, &opt, text, pEdit).width();
}

// "0x" and eight of the widest hexadecimal digit, in either case: the widest text of a field
// that shows a 32-bit value.
inline QString WidestHex32(const QLineEdit *pEdit)
{
    QChar widest = QLatin1Char('0');
    for (const QChar digit : QStringLiteral("0123456789ABCDEFabcdef")) {
        if (pEdit->fontMetrics().horizontalAdvance(digit) > pEdit->fontMetrics().horizontalAdvance(widest))
            widest = digit;
    }
    return QStringLiteral("0x") + QString(8, widest);
}
