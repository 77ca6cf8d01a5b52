#pragma once

#include <QColor>
#include <QString>

class QLabel;

namespace quorvel::ui {

// The program writes its texts with CR LF line breaks; a label or a message
// box would show a lone CR as a glyph of its own.
inline QString withShownBreaks(const QString& text)
{
    return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// A label's caption with CR LF line breaks, as the program writes them.
QString caption(const QLabel* label);
void setCaption(QLabel* label, const QString& caption);

// The text colour, and the background when one is given (filled, not inherited).
void setLabelColours(QLabel* label, const QColor& text, const QColor& background = {});

} // namespace quorvel::ui
