#include "platform/qt/QtDialogs.h"

#include "ui/common/Captions.h"

#include <QApplication>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>

namespace quorvel::platform {

namespace {

QMessageBox::Icon iconForStyle(MessageStyle style)
{
    switch (style) {
    case MessageStyle::Plain:
        return QMessageBox::NoIcon;
    case MessageStyle::Critical:
        return QMessageBox::Critical;
    case MessageStyle::Exclamation:
        return QMessageBox::Warning;
    case MessageStyle::Information:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

// A window manager shortens a title that does not fit its title bar. Its font
// is not known here: the box's own, in bold and a quarter wider, stands in for
// it, with room for the title bar's icon and three buttons.
constexpr int kTitleBarRoomInLines = 6;

void makeRoomForTitle(QMessageBox& box, const QString& title)
{
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const QFontMetrics metrics(titleFont);
    const int width =
        metrics.horizontalAdvance(title) * 5 / 4 + kTitleBarRoomInLines * metrics.height();
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
}

} // namespace

void QtDialogs::messageBox(const QString& text, const QString& title, MessageStyle style)
{
    QMessageBox box(iconForStyle(style), title, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("quorvelMessageBox"));
    box.setText(ui::withShownBreaks(text));
    makeRoomForTitle(box, title);
    box.exec();
}

QString QtDialogs::inputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    bool accepted = false;
    const QString entry = QInputDialog::getText(QApplication::activeWindow(), title, prompt,
                                                QLineEdit::Normal, defaultText, &accepted);
    return accepted ? entry : QString();
}

} // namespace quorvel::platform
