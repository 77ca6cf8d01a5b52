// The Options menu, the window's size bounds and keep-on-top.
#include "engine/ErrorHandler.h"
#include "engine/Text.h"
#include "ui/common/TextConversion.h"
#include "ui/common/Twips.h"
#include "ui/main/UrlBox.h"
#include "ui/main/frmMain.h"

#include <QAction>
#include <QWindow>

namespace quorvel::ui {

namespace {

constexpr int kUrlBoxMarginTwips = 200;
constexpr int kInvalidPropertyValue = 380;

void toggle(QAction* item)
{
    item->setChecked(!item->isChecked());
}

// An ending such as "A&B" must show as typed, not as an access key.
QString literalCaption(QString text)
{
    return text.replace(u'&', QStringLiteral("&&"));
}

void setBoxWidth(UrlBox* box, int widthTwips, const QWidget* window)
{
    if (widthTwips < 0)
        throw RuntimeError(kInvalidPropertyValue, "Invalid property value");
    box->resize(twipsToPixels(widthTwips, window), box->height());
}

void liftSizeBounds(QWidget* window)
{
    window->setMinimumSize(0, 0);
    window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

// As size limits the bounds are kept by the window manager while an edge is
// dragged, so the window never shows a size it must spring back from.
void applySizeBounds(QWidget* window, int minimumWidth, int fixedHeight)
{
    const QSize minimum(minimumWidth, fixedHeight);
    const QSize maximum(QWIDGETSIZE_MAX, fixedHeight);
    const QSize bounded = window->size().expandedTo(minimum).boundedTo(maximum);
    QWindow* native = window->windowHandle();
    if (native && native->maximumSize() != maximum && bounded != window->size()) {
        // Just restored from maximized, the size is still the maximized one and
        // the window manager's restore is on its way: forcing a size now would
        // overtake it. Hand the window manager the limits and wait.
        native->setMinimumSize(minimum);
        native->setMaximumSize(maximum);
        return;
    }
    window->setMinimumSize(minimum);
    window->setMaximumSize(maximum);
    // A window manager that ignores the limits gets the size corrected after the fact.
    if (bounded != window->size())
        window->resize(bounded);
}

} // namespace

void frmMain::mnuOptionsKeepOnTop_Click()
{
    withErrorHandler(reporter_, u"mnuOptionsKeepOnTop", [this] {
        toggle(mnuOptionsKeepOnTop);
        KeepOnTop(mnuOptionsKeepOnTop->isChecked());
    });
}

void frmMain::mnuOptionsBringToTopOnDrag_Click()
{
    toggle(mnuOptionsBringToTopOnDrag);
}

void frmMain::mnuOptionsTransOnDrop_Click()
{
    toggle(mnuOptionsTransOnDrop);
}

void frmMain::mnuOptionsTransOnChange_Click()
{
    toggle(mnuOptionsTransOnChange);
}

void frmMain::mnuOptionsShowDropIconForTextOnly_Click()
{
    toggle(mnuOptionsShowDropIconForTextOnly);
    const QString text =
        mnuOptionsShowDropIconForTextOnly->isChecked()
            ? QStringLiteral("When dragging a link to the top box, you will now see a drop icon "
                             "only if the link is text")
            : QStringLiteral("When dragging a link to the top box, you will now see a drop icon "
                             "no matter what type the link is");
    services_.dialogs.messageBox(text, QStringLiteral("Explanation"), MessageStyle::Information);
}

void frmMain::mnuOptionRemTrailing_Click()
{
    toggle(mnuOptionRemTrailing);
}

void frmMain::mnuOptionSetRemTrailing_Click()
{
    const QString answer = services_.dialogs.inputBox(
        QStringLiteral("Enter trailing characters you would like automatically removed"),
        QStringLiteral("Chose Trailing Chars to Remove"), msTrailingChars);
    const auto ending = trailingCharsFromEntry(toU16(answer));
    if (!ending)
        return;
    msTrailingChars = toQString(*ending);
    mnuOptionRemTrailing->setText(msRemTrailingPrefix + literalCaption(msTrailingChars));
}

void frmMain::mnuOptionsDynTrans_Click()
{
    const bool dynamic = mnuOptionsDynTrans->isChecked();
    mnuOptionsPreDef->setChecked(dynamic);
    mnuOptionsDynTrans->setChecked(!dynamic);
}

void frmMain::mnuOptionsPreDef_Click()
{
    const bool predefined = mnuOptionsPreDef->isChecked();
    mnuOptionsPreDef->setChecked(!predefined);
    mnuOptionsDynTrans->setChecked(predefined);
}

void frmMain::Form_Resize()
{
    withErrorHandler(reporter_, u"Form_Resize", [this] {
        if (isMinimized())
            return;
        const int boxWidth = pixelsToTwips(width(), this) - kUrlBoxMarginTwips;
        setBoxWidth(txtBadURL, boxWidth, this);
        setBoxWidth(txtGoodURL, boxWidth, this);
        if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
            liftSizeBounds(this);
            return;
        }
        if (mlMinWidth <= 0 || mlMinHeight <= 0)
            return; // not loaded yet: no bounds known
        // The bounds were taken before the window had a frame, so they measure
        // the area inside it.
        applySizeBounds(this, twipsToPixels(mlMinWidth, this), twipsToPixels(mlMinHeight, this));
    });
}

void frmMain::KeepOnTop(bool onTop)
{
    withErrorHandler(reporter_, u"KeepOnTop",
                     [this, onTop] { services_.zOrder.setTopmost(this, onTop); });
}

} // namespace quorvel::ui
