#include "ui/common/Captions.h"

#include <QLabel>

namespace quorvel::ui {

QString caption(const QLabel* label)
{
    return label->text().replace(u'\n', QStringLiteral("\r\n"));
}

void setCaption(QLabel* label, const QString& caption)
{
    label->setText(withShownBreaks(caption));
}

void setLabelColours(QLabel* label, const QColor& text, const QColor& background)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, text);
    if (background.isValid()) {
        palette.setColor(QPalette::Window, background);
        label->setAutoFillBackground(true);
    }
    label->setPalette(palette);
}

} // namespace quorvel::ui
