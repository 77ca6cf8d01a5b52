#include "ui/main/UrlBox.h"

#include <QTextDocument>

namespace quorvel::ui {

UrlBox::UrlBox(QWidget* parent) : QPlainTextEdit(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Breaking anywhere keeps the layout linear in the length of a long link;
    // word-boundary wrapping turns quadratic on text without blanks.
    setWordWrapMode(QTextOption::WrapAnywhere);
    setTabChangesFocus(true);
    // Same family and size as the default font; skipping text shaping, which
    // links do not need, halves the layout time of a long link.
    QFont boxFont = font();
    boxFont.setStyleStrategy(QFont::PreferNoShaping);
    setFont(boxFont);
}

QString UrlBox::text() const
{
    // toPlainText() would turn no-break spaces into blanks and alter the link.
    QString raw = document()->toRawText();
    raw.replace(QChar::ParagraphSeparator, u'\n');
    return raw;
}

void UrlBox::setTextIfChanged(const QString& text)
{
    if (document()->characterCount() - 1 == text.size() && this->text() == text)
        return;
    setPlainText(text);
}

} // namespace quorvel::ui
