#include "ui/main/frmMain.h"

#include "engine/ErrorHandler.h"
#include "engine/Translate.h"
#include "ui/common/Captions.h"
#include "ui/common/DialogReporter.h"
#include "ui/common/Forms.h"
#include "ui/common/Placement.h"
#include "ui/common/TextConversion.h"
#include "ui/common/Twips.h"
#include "ui/main/UrlBox.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>

namespace quorvel::ui {

namespace {

constexpr int kClientWidth = 5835;
constexpr int kClientHeight = 3870;

const QString kCountCaption = QStringLiteral("Replacements made:");

struct ButtonDesign {
    const char* name;
    const char* caption;
    const char* toolTip;
    int left;
};

// Left to right, as the window keeps them.
constexpr ButtonDesign kButtons[] = {
    {"cmdTrans", "&Translate", "Translate escape codes", 90},
    {"cmdClear", "&Clear", "Clear URL boxes", 1245},
    {"cmdClip", "Co&py", "Copy Translated URL to Clipboard", 2415},
    {"cmdNavigate", "&Goto URL", "Goto URL in bottom box", 3570},
    {"cmdExit", "E&xit", "Exit program", 4740},
};

// The layout's inactive-border colour: what the toolkit paints an inactive frame with.
QColor inactiveBorderColour()
{
    return QApplication::palette().color(QPalette::Inactive, QPalette::Window).darker(108);
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption, QRect geometry,
                  bool autoSize)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setTextFormat(Qt::PlainText);
    // Captions sit at the top of their box, level with the count beside them.
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (autoSize)
        label->adjustSize();
    return label;
}

// The caption was laid out for a smaller default font; a wider font would cut
// it, so it grows to the left and keeps its right edge next to the count.
void keepRightEdgeAndShowWholeText(QLabel* label)
{
    const int needed = label->sizeHint().width();
    if (needed <= label->width())
        return;
    QRect geometry = label->geometry();
    geometry.setLeft(geometry.right() + 1 - needed);
    label->setGeometry(geometry);
}

// A screen reader reads the count with its caption, so the name follows the number.
void showCount(QLabel* count, const QString& caption)
{
    count->setText(caption);
    count->setAccessibleName(kCountCaption + u' ' + caption);
    count->adjustSize();
}

} // namespace

frmMain::frmMain(platform::Services& services, Forms& forms, AppInfo appInfo, QWidget* parent)
    : QMainWindow(parent), services_(services), forms_(forms), appInfo_(std::move(appInfo))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(appInfo_.title);
    setWindowIcon(programIcon());
    forms_.load(this);
    createControls();
    createMenus();
    connectHandlers();
    resize(twipsToPixels(kClientWidth, this),
           twipsToPixels(kClientHeight, this) + menuBar()->sizeHint().height());
}

frmMain::~frmMain()
{
    // Terminate: nothing of the program stays open without its main window.
    forms_.forget(this);
    forms_.unloadAll();
}

void frmMain::createControls()
{
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("frmMainClient"));
    setCentralWidget(client);

    txtBadURL = new UrlBox(client);
    txtBadURL->setObjectName(QStringLiteral("txtBadURL"));
    txtBadURL->setGeometry(twipsRect(90, 360, 5655, 1170, this));
    txtBadURL->setToolTip(QStringLiteral("Drag or paste URL with escape codes here"));
    txtBadURL->setAccessibleName(QStringLiteral("URL with Escape Codes"));
    txtBadURL->setAccessibleDescription(txtBadURL->toolTip());

    txtGoodURL = new UrlBox(client);
    txtGoodURL->setObjectName(QStringLiteral("txtGoodURL"));
    txtGoodURL->setGeometry(twipsRect(90, 2085, 5655, 1170, this));
    txtGoodURL->setAccessibleName(QStringLiteral("Translated URL"));

    QPushButton** const buttons[] = {&cmdTrans, &cmdClear, &cmdClip, &cmdNavigate, &cmdExit};
    for (std::size_t i = 0; i < std::size(kButtons); ++i) {
        const ButtonDesign& design = kButtons[i];
        auto* button = new QPushButton(QString::fromLatin1(design.caption), client);
        button->setObjectName(QLatin1String(design.name));
        button->setToolTip(QString::fromLatin1(design.toolTip));
        button->setGeometry(twipsRect(design.left, 3375, 1020, 420, this));
        // Enter on a focused button presses it, as on a dialog.
        button->setAutoDefault(true);
        *buttons[i] = button;
    }

    lblReps =
        makeLabel(client, "lblReps", QStringLiteral("0"), twipsRect(5010, 60, 90, 255, this), true);
    showCount(lblReps, lblReps->text());
    Label1 = makeLabel(client, "Label1", QStringLiteral("URL with Escape Codes"),
                       twipsRect(90, 90, 1740, 195, this), true);
    Label2 = makeLabel(client, "Label2", QStringLiteral("Translated URL"),
                       twipsRect(90, 1815, 1125, 195, this), true);
    Label3 =
        makeLabel(client, "Label3", kCountCaption, twipsRect(3450, 60, 1500, 255, this), false);
    keepRightEdgeAndShowWholeText(Label3);
    setLabelColours(Label1, QColor(0, 0, 255), inactiveBorderColour());
    setLabelColours(Label2, QColor(0, 0, 255));
    Label1->setBuddy(txtBadURL);
    Label2->setBuddy(txtGoodURL);

    QWidget* tabOrder[] = {txtBadURL, txtGoodURL,  cmdTrans, cmdClear,
                           cmdClip,   cmdNavigate, cmdExit};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

QAction* frmMain::addMenuItem(QMenu* menu, const char* name, const QString& caption,
                              void (frmMain::*handler)(), const QKeySequence& shortcut)
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(QLatin1String(name));
    item->setShortcut(shortcut);
    item->setShortcutContext(Qt::WindowShortcut);
    connect(item, &QAction::triggered, this, handler);
    return item;
}

QAction* frmMain::addOption(const char* name, const QString& caption, bool checked,
                            void (frmMain::*handler)())
{
    QAction* item = mnuOptions->addAction(caption);
    item->setObjectName(QLatin1String(name));
    item->setCheckable(true);
    item->setChecked(checked);
    // The menu toggles a checkable item by itself; undo that so that the
    // handler alone decides the check mark, as it does when called from code.
    connect(item, &QAction::triggered, this, [this, item, handler] {
        item->setChecked(!item->isChecked());
        (this->*handler)();
    });
    return item;
}

void frmMain::createMenus()
{
    auto separator = [](QMenu* menu, const char* name) {
        QAction* item = menu->addSeparator();
        item->setObjectName(QLatin1String(name));
        return item;
    };

    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuFileTranslate =
        addMenuItem(mnuFile, "mnuFileTranslate", QStringLiteral("&Translate"),
                    &frmMain::mnuFileTranslate_Click, QKeySequence(Qt::CTRL | Qt::Key_T));
    mnuFileNavigate =
        addMenuItem(mnuFile, "mnuFileNavigate", QStringLiteral("&Goto URL"),
                    &frmMain::mnuFileNavigate_Click, QKeySequence(Qt::CTRL | Qt::Key_G));
    mnuFileClear = addMenuItem(mnuFile, "mnuFileClear", QStringLiteral("&Blank (Clear) Fields"),
                               &frmMain::mnuFileClear_Click, QKeySequence(Qt::CTRL | Qt::Key_B));
    mnuFileClipboard = addMenuItem(
        mnuFile, "mnuFileClipboard", QStringLiteral("Co&py Translated URL to clipboard"),
        &frmMain::mnuFileClipboard_Click, QKeySequence(Qt::CTRL | Qt::Key_P));
    mnuFileSep1 = separator(mnuFile, "mnuFileSep1");
    mnuFileExit =
        addMenuItem(mnuFile, "mnuFileExit", QStringLiteral("E&xit"), &frmMain::mnuFileExit_Click);

    mnuOptions = menuBar()->addMenu(QStringLiteral("&Options"));
    mnuOptions->setObjectName(QStringLiteral("mnuOptions"));
    mnuOptionsKeepOnTop = addOption("mnuOptionsKeepOnTop", QStringLiteral("Keep on top"), false,
                                    &frmMain::mnuOptionsKeepOnTop_Click);
    mnuOptionsBringToTopOnDrag =
        addOption("mnuOptionsBringToTopOnDrag", QStringLiteral("Bring to top on drop"), true,
                  &frmMain::mnuOptionsBringToTopOnDrag_Click);
    mnuOptionsTransOnDrop =
        addOption("mnuOptionsTransOnDrop", QStringLiteral("Auto translate on drop"), true,
                  &frmMain::mnuOptionsTransOnDrop_Click);
    mnuOptionsTransOnChange =
        addOption("mnuOptionsTransOnChange", QStringLiteral("Auto translate on change"), true,
                  &frmMain::mnuOptionsTransOnChange_Click);
    mnuOptionsShowDropIconForTextOnly =
        addOption("mnuOptionsShowDropIconForTextOnly",
                  QStringLiteral("Only allow drag and drop for text links"), false,
                  &frmMain::mnuOptionsShowDropIconForTextOnly_Click);
    mnuOptionsSep1 = separator(mnuOptions, "mnuOptionsSep1");
    mnuOptionRemTrailing =
        addOption("mnuOptionRemTrailing", QStringLiteral("Remove trailing characters "), true,
                  &frmMain::mnuOptionRemTrailing_Click);
    mnuOptionSetRemTrailing = addMenuItem(mnuOptions, "mnuOptionSetRemTrailing",
                                          QStringLiteral("Define trailing characters to remove"),
                                          &frmMain::mnuOptionSetRemTrailing_Click);
    mnuOptionsSep2 = separator(mnuOptions, "mnuOptionsSep2");
    mnuOptionsDynTrans =
        addOption("mnuOptionsDynTrans", QStringLiteral("Perform translation dynamically"), true,
                  &frmMain::mnuOptionsDynTrans_Click);
    mnuOptionsPreDef = addOption("mnuOptionsPreDef",
                                 QStringLiteral("Perform translation with predefined characters"),
                                 false, &frmMain::mnuOptionsPreDef_Click);

    mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuHelpHistory = addMenuItem(mnuHelp, "mnuHelpHistory", QStringLiteral("&History"),
                                 &frmMain::mnuHelpHistory_Click);
    mnuHelpAbout = addMenuItem(mnuHelp, "mnuHelpAbout", QStringLiteral("&About"),
                               &frmMain::mnuHelpAbout_Click, QKeySequence(Qt::CTRL | Qt::Key_A));
    mnuHelpDirs = addMenuItem(mnuHelp, "mnuHelpDirs", QStringLiteral("&Directions"),
                              &frmMain::mnuHelpDirs_Click, QKeySequence(Qt::Key_F1));
    mnuHelpVisit = addMenuItem(mnuHelp, "mnuHelpVisit", QStringLiteral("&Visit my Web Site"),
                               &frmMain::mnuHelpVisit_Click);
}

void frmMain::connectHandlers()
{
    connect(cmdTrans, &QPushButton::clicked, this, &frmMain::cmdTrans_Click);
    connect(cmdClear, &QPushButton::clicked, this, &frmMain::cmdClear_Click);
    connect(cmdClip, &QPushButton::clicked, this, &frmMain::cmdClip_Click);
    connect(cmdNavigate, &QPushButton::clicked, this, &frmMain::cmdNavigate_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmMain::cmdExit_Click);
    connect(txtBadURL, &QPlainTextEdit::textChanged, this, &frmMain::txtBadURL_Change);

    // Escape anywhere in the window is the cancel button.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, cmdExit, &QPushButton::click);

    txtBadURL->installEventFilter(this);
    txtGoodURL->installEventFilter(this);
    // The mouse's context menu reaches the box through its viewport.
    txtGoodURL->viewport()->installEventFilter(this);
    txtBadURL->setAcceptDrops(true);
    txtBadURL->viewport()->installEventFilter(this);
}

bool frmMain::Form_Load()
{
    if (services_.instanceGuard.anotherInstanceRunning()) {
        forms_.unload(this);
        return false;
    }
    buildTranslationTables(maCode, maChar);
    mlMinWidth = pixelsToTwips(frameGeometry().width(), this);
    mlMinHeight = pixelsToTwips(frameGeometry().height(), this);
    msTrailingChars = QStringLiteral("');");
    msRemTrailingPrefix = QStringLiteral("Remove trailing characters ");
    mnuOptionRemTrailing->setText(msRemTrailingPrefix + msTrailingChars);
    setWindowTitle(titleWithVersion(appInfo_));
    setWindowTitle(windowTitle() + kTitleCredit);
    centreOnScreen(this);
    return true;
}

void frmMain::cmdTrans_Click()
{
    withErrorHandler(reporter_, u"cmdTrans", [this] {
        // The lower box is emptied before the method runs. Doing it for real only
        // when a message will show (or the result differs) keeps typing cheap.
        bool cleared = false;
        auto clearLowerBox = [this, &cleared] {
            if (!cleared)
                txtGoodURL->setTextIfChanged(QString());
            cleared = true;
        };
        try {
            DialogReporter reporter(services_.dialogs, clearLowerBox);
            TranslationMethod method = TranslationMethod::None;
            if (mnuOptionsPreDef->isChecked())
                method = TranslationMethod::Predefined;
            else if (mnuOptionsDynTrans->isChecked())
                method = TranslationMethod::Dynamic;
            const std::u16string source =
                method == TranslationMethod::None ? std::u16string() : toU16(txtBadURL->text());
            const Translation translation =
                translateForDisplay(reporter, method, maCode, maChar, trailingOptions(), source);
            showTranslation(toQString(translation.text), translation.count);
        } catch (...) {
            clearLowerBox();
            throw;
        }
    });
}

TrailingOptions frmMain::trailingOptions() const
{
    return {mnuOptionRemTrailing->isChecked(), toU16(msTrailingChars)};
}

void frmMain::showTranslation(const QString& text, std::int16_t count)
{
    txtGoodURL->setTextIfChanged(text);
    const QString caption = QString::number(count);
    if (lblReps->text() != caption)
        showCount(lblReps, caption);
}

void frmMain::txtBadURL_Change()
{
    if (mnuOptionsTransOnChange->isChecked())
        cmdTrans->click();
}

void frmMain::cmdClear_Click()
{
    txtGoodURL->setTextIfChanged(QString());
    txtBadURL->setPlainText(QString());
    txtBadURL->setFocus();
}

void frmMain::mnuFileTranslate_Click()
{
    cmdTrans->click();
}

void frmMain::mnuFileNavigate_Click()
{
    cmdNavigate->click();
}

void frmMain::mnuFileClear_Click()
{
    cmdClear->click();
}

void frmMain::mnuFileClipboard_Click()
{
    cmdClip->click();
}

void frmMain::mnuFileExit_Click()
{
    cmdExit->click();
}

void frmMain::cmdExit_Click()
{
    forms_.unloadAll();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtBadURL->viewport() && handleDropEvent(event))
        return true;
    if ((watched == txtBadURL || watched == txtGoodURL) && handleBoxKey(watched, event))
        return true;
    if (event->type() == QEvent::ContextMenu &&
        (watched == txtGoodURL || watched == txtGoodURL->viewport()) &&
        showUnwrapMenu(static_cast<QContextMenuEvent*>(event)))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

bool frmMain::handleBoxKey(QObject* box, QEvent* event)
{
    Q_UNUSED(box);
    if (event->type() == QEvent::ShortcutOverride) {
        // A text box claims Ctrl+A and friends; the window's menu shortcuts win here.
        const auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(key->keyCombination());
        for (const QAction* item : {mnuFileTranslate, mnuFileNavigate, mnuFileClear,
                                    mnuFileClipboard, mnuHelpAbout, mnuHelpDirs}) {
            if (item->shortcut() == pressed)
                return true;
        }
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            cmdTrans->click();
            return true;
        }
    }
    return false;
}

void frmMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void frmMain::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

} // namespace quorvel::ui
