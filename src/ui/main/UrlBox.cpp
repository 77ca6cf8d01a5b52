#include "ui/main/UrlBox.h"

#include <QTextDocument>

namespace quorvel::ui
{

UrlBox::UrlBox(QWidget* parent) : QPlainTextEdit(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setTabChangesFocus(true);
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
