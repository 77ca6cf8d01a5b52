#include "ui/start/frmStart.h"

#include "ui/actions/OpenWithShell.h"
#include "ui/common/Captions.h"
#include "ui/common/Forms.h"
#include "ui/common/Placement.h"
#include "ui/common/Twips.h"
#include "ui/main/frmMain.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>

#include <cmath>

namespace quorvel::ui {

namespace {

constexpr int kClientWidth = 5190;
constexpr int kClientHeight = 2100;
constexpr float kLabelMargin = 100.0F;
constexpr qreal kSmallestDescriptionPoints = 6.0;

// Colours are written as 0x00BBGGRR.
QColor colour(std::uint32_t bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

constexpr std::uint32_t kBackground = 0x00FFFF00;
constexpr std::uint32_t kLinkAtRest = 0x00C00000;
constexpr std::uint32_t kLinkAway = 0x00FF0000;
constexpr std::uint32_t kLinkUnderPointer = 0x000000FF;

const QString kParagraphBreak = QStringLiteral("\r\n\r\n");

QFont linkFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    font.setBold(true);
    font.setUnderline(true);
    return font;
}

} // namespace

frmStart::frmStart(platform::Services& services, Forms& forms, AppInfo appInfo, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      services_(services), forms_(forms), appInfo_(std::move(appInfo))
{
    setObjectName(QStringLiteral("frmStart"));
    setWindowTitle(QStringLiteral("StartUp"));
    setWindowIcon(programIcon());
    setFixedSize(twipsToPixels(kClientWidth, this), twipsToPixels(kClientHeight, this));
    QPalette background = palette();
    background.setColor(QPalette::Window, colour(kBackground));
    setPalette(background);
    setAutoFillBackground(true);
    setMouseTracking(true);
    forms_.load(this);
    createControls();
}

void frmStart::createControls()
{
    lblDesc = new QLabel(QStringLiteral("Desc"), this);
    lblDesc->setObjectName(QStringLiteral("lblDesc"));
    lblDesc->setGeometry(twipsRect(60, 90, 4365, 1065, this));
    lblDesc->setTextFormat(Qt::PlainText);
    lblDesc->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblDesc->setWordWrap(true);

    lblWebsite = new QLabel(QStringLiteral("Website"), this);
    lblWebsite->setObjectName(QStringLiteral("lblWebsite"));
    lblWebsite->setGeometry(twipsRect(60, 1230, 4230, 285, this));
    lblWebsite->setTextFormat(Qt::PlainText);
    lblWebsite->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblWebsite->setFont(linkFont());
    lblWebsite->setCursor(Qt::PointingHandCursor);
    lblWebsite->setMouseTracking(true);
    lblWebsite->installEventFilter(this);
    setLabelColours(lblWebsite, colour(kLinkAtRest));

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(twipsRect(1185, 1620, 1335, 375, this));
    cmdExit = new QPushButton(QStringLiteral("Exit"), this);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    cmdExit->setGeometry(twipsRect(2640, 1620, 1335, 375, this));
    // Enter presses the focused button; Exit is the default and the cancel button.
    cmdOK->setAutoDefault(true);
    cmdExit->setAutoDefault(true);
    cmdExit->setDefault(true);
    setTabOrder(cmdOK, cmdExit);
    cmdOK->setFocus();

    connect(cmdOK, &QPushButton::clicked, this, &frmStart::cmdOK_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmStart::cmdExit_Click);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, cmdExit, &QPushButton::click);
}

void frmStart::Form_Load()
{
    setWindowTitle(titleWithVersion(appInfo_));
    setWindowTitle(windowTitle() + kTitleCredit);
    setCaption(lblWebsite, kAuthorWebSite);
    setCaption(lblDesc,
               QStringLiteral("Utility to convert excape codes in URLs.") + kParagraphBreak);
    setCaption(lblDesc, caption(lblDesc) +
                            QStringLiteral("Paste or drag a redirect link in and get the plain "
                                           "address it hides.") +
                            kParagraphBreak);
    setCaption(lblDesc,
               caption(lblDesc) + QStringLiteral("Feel free to visit my web site for "
                                                 "other interesting and useful programs."));
    centreOnScreen(this);
}

void frmStart::Form_Resize()
{
    const float labelWidth = float(pixelsToTwips(width(), this)) - kLabelMargin;
    lblWebsite->resize(twipsToPixels(int(std::lround(labelWidth)), this), lblWebsite->height());
    lblDesc->resize(lblWebsite->width(), lblDesc->height());
    fitDescriptionFont();
}

// The description box has a fixed height made for a narrower font than most
// desktops use: the font shrinks until all three paragraphs show.
void frmStart::fitDescriptionFont()
{
    QFont fitted = font();
    lblDesc->setFont(fitted);
    while (lblDesc->heightForWidth(lblDesc->width()) > lblDesc->height() &&
           fitted.pointSizeF() > kSmallestDescriptionPoints) {
        fitted.setPointSizeF(fitted.pointSizeF() - 0.25);
        lblDesc->setFont(fitted);
    }
}

void frmStart::Form_MouseMove()
{
    setLabelColours(lblWebsite, colour(kLinkAway));
}

void frmStart::lblWebsite_MouseMove()
{
    setLabelColours(lblWebsite, colour(kLinkUnderPointer));
}

void frmStart::lblWebsite_Click()
{
    OpenWithShell(services_, kAuthorWebSite, kBrowserAdvice);
}

void frmStart::cmdOK_Click()
{
    auto* main = new frmMain(services_, forms_, appInfo_);
    if (main->Form_Load())
        main->show();
    else
        services_.dialogs.messageBox(appInfo_.title + QStringLiteral(" is already running."),
                                     appInfo_.title, MessageStyle::Information);
    forms_.unload(this);
}

void frmStart::cmdExit_Click()
{
    forms_.unloadAll();
}

void frmStart::Form_Unload(std::int16_t& cancel)
{
    Q_UNUSED(cancel);
    // Already being unloaded: the window list lets go of it and nothing recurses.
    forms_.unload(this);
}

bool frmStart::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lblWebsite) {
        if (event->type() == QEvent::MouseMove) {
            lblWebsite_MouseMove();
        } else if (event->type() == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton &&
                lblWebsite->rect().contains(mouse->position().toPoint()))
                lblWebsite_Click();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmStart::mouseMoveEvent(QMouseEvent* event)
{
    // Moves over a control reach the window too; only its own background counts.
    if (!childAt(event->position().toPoint()))
        Form_MouseMove();
    QWidget::mouseMoveEvent(event);
}

void frmStart::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmStart::closeEvent(QCloseEvent* event)
{
    std::int16_t cancel = 0;
    Form_Unload(cancel);
    event->setAccepted(cancel == 0);
}

} // namespace quorvel::ui
