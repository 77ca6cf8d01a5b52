#include "ui/about/frmAbout.h"

#include "engine/ErrorHandler.h"
#include "ui/about/SysInfo.h"
#include "ui/actions/OpenWithShell.h"
#include "ui/common/Captions.h"
#include "ui/common/Twips.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

namespace quorvel::ui {

namespace {

constexpr int kClientWidth = 5730;
constexpr int kClientHeight = 5565;
constexpr qreal kTextPointSize = 9.75;

const QColor kLinkColour(0, 0, 255);
const QColor kHoverColour(255, 0, 0);
const QColor kBlack(0, 0, 0);

const QString kDescription = QStringLiteral("Utility to translate escape codes in URLs.");
const QString kCredit = QStringLiteral("Designed and written by Veskard in February 2003.");
const QString kLastUpdated = QStringLiteral("Last updated January 06, 2006");
const QString kFreewareNote = QStringLiteral(
    "Quorvel is freeware.  Use it and pass it on freely, but please do not sell it.");
const QString kPostalAddress = QStringLiteral("P.O. Box 2003, Lindenfeld");
const QString kWelcome =
    QStringLiteral("I welcome all comments, suggestions and problems by regular mail or email");
const QString kMailSubject = QStringLiteral("Quorvel Program");
const QString kCrLf = QStringLiteral("\r\n");

QString versionText(const AppInfo& info)
{
    return QStringLiteral("Version ") + QString::number(info.major) + u'.' +
           QString::number(info.minor) + u'.' + QString::number(info.revision);
}

QString freewareText()
{
    return kFreewareNote + kCrLf + kCrLf + QStringLiteral("       Veskard at ") + kPostalAddress +
           kCrLf + kCrLf + kWelcome;
}

} // namespace

const std::array<frmAbout::RuleLine, 2> frmAbout::Line1 = {{
    {QPoint(105, 3960), QPoint(5654, 3960), QColor(255, 255, 255), 2},
    {QPoint(90, 3990), QPoint(5654, 3990), QColor(128, 128, 128), 1},
}};

frmAbout::frmAbout(platform::Services& services, QWidget* owner, AppInfo appInfo)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      services_(services), appInfo_(std::move(appInfo))
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About MyApp"));
    setModal(true);
    setFixedSize(twipsToPixels(kClientWidth, this), twipsToPixels(kClientHeight, this));
    // Only the background and the two links follow the pointer.
    setMouseTracking(true);
    createControls();
    createButtons();
}

QLabel* frmAbout::addLabel(const char* name, const QString& caption, int left, int top, int width,
                           int height)
{
    auto* label = new QLabel(caption, this);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    label->setGeometry(twipsRect(left, top, width, height, this));
    return label;
}

void frmAbout::createControls()
{
    Image1 = addLabel("Image1", QString(), 180, 300, 1365, 1335);
    Image1->setScaledContents(true);
    lblTitle = addLabel("lblTitle", QStringLiteral("Application Title"), 1740, 330, 3840, 480);
    lblVersion = addLabel("lblVersion", QStringLiteral("Version"), 1740, 855, 3840, 330);
    lblDescription =
        addLabel("lblDescription", QStringLiteral("App Description"), 1755, 1275, 3840, 585);
    lblShareware = addLabel("lblShareware", QStringLiteral("Shareware"), 180, 1860, 5340, 1965);
    lblAuthor = addLabel("lblAuthor", QStringLiteral("Author"), 270, 4110, 3795, 780);
    lblemail = addLabel("lblemail", QStringLiteral("email"), 270, 4980, 360, 195);
    lblURL = addLabel("lblURL", QStringLiteral("URL"), 270, 5295, 330, 195);

    for (QLabel* label : {lblTitle, lblVersion, lblDescription, lblShareware, lblAuthor}) {
        QFont font = label->font();
        font.setPointSizeF(kTextPointSize);
        label->setFont(font);
    }
    for (QLabel* label : {lblTitle, lblDescription, lblAuthor})
        setLabelColours(label, kBlack);
    setLabelColours(lblShareware, kLinkColour);

    for (QLabel* link : {lblemail, lblURL}) {
        link->setWordWrap(false);
        link->setMouseTracking(true);
        link->setCursor(Qt::PointingHandCursor);
        link->installEventFilter(this);
    }
}

void frmAbout::createButtons()
{
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(twipsRect(4275, 4125, 1260, 345, this));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setGeometry(twipsRect(4290, 4500, 1245, 345, this));
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    setTabOrder(cmdOK, cmdSysInfo);
    cmdOK->setFocus();
}

void frmAbout::Form_Load()
{
    const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    const QIcon icon = owner ? owner->windowIcon() : programIcon();
    setWindowIcon(icon);
    Image1->setPixmap(icon.pixmap(Image1->size()));
    setWindowTitle(QStringLiteral("About ") + executableName());
    setCaption(lblVersion, versionText(appInfo_));
    setCaption(lblTitle, appInfo_.title);
    setCaption(lblDescription, kDescription);
    setCaption(lblAuthor, kCredit + kCrLf + kLastUpdated);
    setCaption(lblShareware, freewareText());
    makeLink(lblemail, kAuthorEmail);
    makeLink(lblURL, kAuthorWebSite);
    cmdOK->setFocus();
}

void frmAbout::makeLink(QLabel* link, const QString& address)
{
    setCaption(link, address);
    setLabelColours(link, kLinkColour);
    QFont font = link->font();
    font.setUnderline(true);
    link->setFont(font);
    link->adjustSize();
}

void frmAbout::Form_MouseMove()
{
    setLabelColours(lblemail, kLinkColour);
    setLabelColours(lblURL, kLinkColour);
}

void frmAbout::lblemail_MouseMove()
{
    setLabelColours(lblemail, kHoverColour);
}

void frmAbout::lblurl_MouseMove()
{
    setLabelColours(lblURL, kHoverColour);
}

QString frmAbout::mailtoTarget() const
{
    return QStringLiteral("mailto:") + lblemail->text() + QStringLiteral("?Subject=") +
           kMailSubject;
}

void frmAbout::lblemail_Click()
{
    withErrorHandler(reporter_, u"lblemail_Click",
                     [this] { OpenWithShell(services_, mailtoTarget(), kEmailAdvice); });
}

void frmAbout::lblURL_Click()
{
    withErrorHandler(reporter_, u"lblURL_Click",
                     [this] { OpenWithShell(services_, kAuthorWebSite, kBrowserAdvice); });
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo(services_, appInfo_.title);
}

void frmAbout::cmdOK_Click()
{
    close();
}

void frmAbout::setVisible(bool visible)
{
    if (visible && !isVisible())
        centreOnOwner();
    QDialog::setVisible(visible);
}

void frmAbout::centreOnOwner()
{
    const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    if (!owner || !owner->isVisible())
        return;
    // The toolkit's own centring moves the frame to where some window managers
    // then put the client area. Our frame is not known before the first
    // showing: the owner's decorations stand in for it.
    const QRect ownerFrame = owner->frameGeometry();
    const QRect ownerClient = owner->geometry();
    const QMargins decorations(
        ownerClient.left() - ownerFrame.left(), ownerClient.top() - ownerFrame.top(),
        ownerFrame.right() - ownerClient.right(), ownerFrame.bottom() - ownerClient.bottom());
    QRect outer(QPoint(), size().grownBy(decorations));
    outer.moveCenter(ownerFrame.center());
    setGeometry(outer.marginsRemoved(decorations));
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lblemail || watched == lblURL)
        return handleLinkEvent(static_cast<QLabel*>(watched), event);
    return QDialog::eventFilter(watched, event);
}

bool frmAbout::handleLinkEvent(QLabel* link, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
        link == lblemail ? lblemail_MouseMove() : lblurl_MouseMove();
        return true;
    case QEvent::MouseButtonPress:
        return static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        // Like a button: letting go outside the link cancels the click.
        if (link->rect().contains(mouse->position().toPoint()))
            link == lblemail ? lblemail_Click() : lblURL_Click();
        return true;
    }
    default:
        return false;
    }
}

void frmAbout::mouseMoveEvent(QMouseEvent* event)
{
    Form_MouseMove();
    QDialog::mouseMoveEvent(event);
}

void frmAbout::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    for (const RuleLine& line : Line1) {
        painter.setPen(QPen(line.colour, line.widthPixels));
        painter.drawLine(twipsToPixels(line.from.x(), this), twipsToPixels(line.from.y(), this),
                         twipsToPixels(line.to.x(), this), twipsToPixels(line.to.y(), this));
    }
}

} // namespace quorvel::ui
