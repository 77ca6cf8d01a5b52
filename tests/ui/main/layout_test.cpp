#include "support/MainWindowFixture.h"
#include "ui/common/Twips.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <vector>

namespace quorvel::test {
namespace {

using MainWindowLayout = MainWindowFixture;

struct ControlDesign {
    const char* name;
    const char* caption;
    const char* toolTip;
    int left, top, width, height;
};

TEST_F(MainWindowLayout, ControlsFollowTheDesign)
{
    showActive();
    const std::vector<ControlDesign> buttons = {
        {"cmdTrans", "&Translate", "Translate escape codes", 90, 3375, 1020, 420},
        {"cmdClear", "&Clear", "Clear URL boxes", 1245, 3375, 1020, 420},
        {"cmdClip", "Co&py", "Copy Translated URL to Clipboard", 2415, 3375, 1020, 420},
        {"cmdNavigate", "&Goto URL", "Goto URL in bottom box", 3570, 3375, 1020, 420},
        {"cmdExit", "E&xit", "Exit program", 4740, 3375, 1020, 420},
    };
    for (const ControlDesign& d : buttons) {
        SCOPED_TRACE(d.name);
        auto* button = window->findChild<QPushButton*>(QLatin1String(d.name));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), QLatin1String(d.caption));
        EXPECT_EQ(button->toolTip(), QLatin1String(d.toolTip));
        EXPECT_EQ(button->geometry(), ui::twipsRect(d.left, d.top, d.width, d.height, window));
    }
    EXPECT_EQ(window->txtBadURL->toolTip(),
              QStringLiteral("Drag or paste URL with escape codes here"));
    EXPECT_EQ(window->txtBadURL->geometry().topLeft(),
              ui::twipsRect(90, 360, 0, 0, window).topLeft());
    EXPECT_EQ(window->txtGoodURL->geometry().topLeft(),
              ui::twipsRect(90, 2085, 0, 0, window).topLeft());
    EXPECT_EQ(window->txtGoodURL->toolTip(), QString());
    EXPECT_EQ(window->centralWidget()->size(), ui::twipsRect(0, 0, 5835, 3870, window).size());
}

TEST_F(MainWindowLayout, LabelsSizeThemselvesExceptTheCountCaption)
{
    EXPECT_EQ(window->Label1->text(), QStringLiteral("URL with Escape Codes"));
    EXPECT_EQ(window->Label2->text(), QStringLiteral("Translated URL"));
    EXPECT_EQ(window->Label3->text(), QStringLiteral("Replacements made:"));
    EXPECT_EQ(window->lblReps->text(), QStringLiteral("0"));
    for (QLabel* label : {window->Label1, window->Label2, window->lblReps})
        EXPECT_EQ(label->size(), label->sizeHint()) << label->objectName().toStdString();
    // The caption keeps its design box unless the font needs more room; then it
    // keeps its right edge and shows its whole text.
    const QRect design = ui::twipsRect(3450, 60, 1500, 255, window);
    const QRect label3 = window->Label3->geometry();
    EXPECT_EQ(label3.topRight(), design.topRight());
    EXPECT_EQ(label3.height(), design.height());
    EXPECT_EQ(label3.width(), std::max(design.width(), window->Label3->sizeHint().width()));
    EXPECT_LE(label3.right(), window->lblReps->x());
    const QColor blue(0, 0, 255);
    EXPECT_EQ(window->Label1->palette().color(QPalette::WindowText), blue);
    EXPECT_EQ(window->Label2->palette().color(QPalette::WindowText), blue);
    EXPECT_TRUE(window->Label1->autoFillBackground());
    EXPECT_FALSE(window->Label2->autoFillBackground());
}

TEST_F(MainWindowLayout, TabGoesFromUpperBoxThroughTheButtons)
{
    const std::vector<QWidget*> order = {window->txtBadURL, window->txtGoodURL, window->cmdTrans,
                                         window->cmdClear,  window->cmdClip,    window->cmdNavigate,
                                         window->cmdExit};
    showActive();
    order.front()->setFocus();
    for (std::size_t i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), order[i]) << i;
    }
}

struct MenuItemDesign {
    const char* name;
    const char* caption;
    QKeySequence shortcut;
    int checked; // -1: not an option
};

TEST_F(MainWindowLayout, MenusFollowTheDesign)
{
    const std::vector<std::pair<QMenu*, std::vector<MenuItemDesign>>> menus = {
        {window->mnuFile,
         {{"mnuFileTranslate", "&Translate", QKeySequence(Qt::CTRL | Qt::Key_T), -1},
          {"mnuFileNavigate", "&Goto URL", QKeySequence(Qt::CTRL | Qt::Key_G), -1},
          {"mnuFileClear", "&Blank (Clear) Fields", QKeySequence(Qt::CTRL | Qt::Key_B), -1},
          {"mnuFileClipboard", "Co&py Translated URL to clipboard",
           QKeySequence(Qt::CTRL | Qt::Key_P), -1},
          {"mnuFileSep1", "", {}, -1},
          {"mnuFileExit", "E&xit", {}, -1}}},
        {window->mnuOptions,
         {{"mnuOptionsKeepOnTop", "Keep on top", {}, 0},
          {"mnuOptionsBringToTopOnDrag", "Bring to top on drop", {}, 1},
          {"mnuOptionsTransOnDrop", "Auto translate on drop", {}, 1},
          {"mnuOptionsTransOnChange", "Auto translate on change", {}, 1},
          {"mnuOptionsShowDropIconForTextOnly", "Only allow drag and drop for text links", {}, 0},
          {"mnuOptionsSep1", "", {}, -1},
          {"mnuOptionRemTrailing", "Remove trailing characters ');", {}, 1},
          {"mnuOptionSetRemTrailing", "Define trailing characters to remove", {}, -1},
          {"mnuOptionsSep2", "", {}, -1},
          {"mnuOptionsDynTrans", "Perform translation dynamically", {}, 1},
          {"mnuOptionsPreDef", "Perform translation with predefined characters", {}, 0}}},
        {window->mnuHelp,
         {{"mnuHelpHistory", "&History", {}, -1},
          {"mnuHelpAbout", "&About", QKeySequence(Qt::CTRL | Qt::Key_A), -1},
          {"mnuHelpDirs", "&Directions", QKeySequence(Qt::Key_F1), -1},
          {"mnuHelpVisit", "&Visit my Web Site", {}, -1}}},
    };
    QStringList titles;
    for (QAction* top : window->menuBar()->actions())
        titles << top->text();
    EXPECT_EQ(titles, (QStringList{"&File", "&Options", "&Help"}));
    for (const auto& [menu, items] : menus) {
        const QList<QAction*> actions = menu->actions();
        ASSERT_EQ(actions.size(), static_cast<qsizetype>(items.size()));
        for (std::size_t i = 0; i < items.size(); ++i) {
            const MenuItemDesign& d = items[i];
            QAction* item = actions[static_cast<qsizetype>(i)];
            SCOPED_TRACE(d.name);
            EXPECT_EQ(item->objectName(), QLatin1String(d.name));
            EXPECT_EQ(item->isSeparator(), QByteArray(d.caption).isEmpty());
            if (!item->isSeparator()) {
                EXPECT_EQ(item->text(), QLatin1String(d.caption));
            }
            EXPECT_EQ(item->shortcut(), d.shortcut);
            EXPECT_EQ(item->isCheckable(), d.checked >= 0);
            if (d.checked >= 0) {
                EXPECT_EQ(item->isChecked(), d.checked == 1);
            }
            EXPECT_TRUE(item->isEnabled());
            EXPECT_TRUE(item->isVisible());
        }
    }
}

} // namespace
} // namespace quorvel::test
