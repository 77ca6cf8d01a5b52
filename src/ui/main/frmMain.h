#pragma once

#include "engine/Tables.h"
#include "engine/Translate.h"
#include "engine/Unwrap.h"
#include "platform/Services.h"
#include "ui/common/AppInfo.h"
#include "ui/common/DialogReporter.h"

#include <QMainWindow>
#include <QString>

#include <cstdint>
#include <optional>

class QAction;
class QContextMenuEvent;
class QDropEvent;
class QDragMoveEvent;
class QLabel;
class QMenu;
class QPushButton;

namespace quorvel::ui {

class Forms;
class UrlBox;

// The main window: the two URL boxes, the Translate command and the options
// that steer it. Its handlers live in this folder by subject:
//   frmMain.cpp          controls, menus, loading, Translate, Clear, keys
//   frmMain_outward.cpp  Goto URL and Copy
//   frmMain_options.cpp  the Options menu, sizing and keep-on-top
//   frmMain_drop.cpp     the upper box as a drop target
//   frmMain_help.cpp     the Help menu
//   frmMain_unwrap.cpp   the lower box's context menu for a wrapped link
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    frmMain(platform::Services& services, Forms& forms, AppInfo appInfo = {},
            QWidget* parent = nullptr);
    ~frmMain() override;

    // Loading: false when the window unloaded itself because another copy runs.
    bool Form_Load();

    // Commands.
    void cmdTrans_Click();
    void cmdClear_Click();
    void cmdClip_Click();
    void cmdNavigate_Click();
    void cmdExit_Click();
    void txtBadURL_Change();

    // File menu.
    void mnuFileTranslate_Click();
    void mnuFileNavigate_Click();
    void mnuFileClear_Click();
    void mnuFileClipboard_Click();
    void mnuFileExit_Click();

    // Options menu.
    void mnuOptionsKeepOnTop_Click();
    void mnuOptionsBringToTopOnDrag_Click();
    void mnuOptionsTransOnDrop_Click();
    void mnuOptionsTransOnChange_Click();
    void mnuOptionsShowDropIconForTextOnly_Click();
    void mnuOptionRemTrailing_Click();
    void mnuOptionSetRemTrailing_Click();
    void mnuOptionsDynTrans_Click();
    void mnuOptionsPreDef_Click();

    // Help menu.
    void mnuHelpHistory_Click();
    void mnuHelpAbout_Click();
    void mnuHelpDirs_Click();
    void mnuHelpVisit_Click();

    // Sizing and z-order.
    void Form_Resize();
    void KeepOnTop(bool onTop);

    // Drop target on the upper box.
    void txtBadURL_OLEDragOver(QDragMoveEvent* event);
    void txtBadURL_OLEDragDrop(QDropEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Window state the handlers share.
    CodeTable maCode;
    CodeTable maChar;
    std::int32_t mlMinWidth = 0;
    std::int32_t mlMinHeight = 0;
    QString msTrailingChars;
    QString msRemTrailingPrefix;

    // Controls, named as the layout names them; their object names are the same.
    UrlBox* txtBadURL = nullptr;
    UrlBox* txtGoodURL = nullptr;
    QPushButton* cmdTrans = nullptr;
    QPushButton* cmdClear = nullptr;
    QPushButton* cmdClip = nullptr;
    QPushButton* cmdNavigate = nullptr;
    QPushButton* cmdExit = nullptr;
    QLabel* lblReps = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;

    QMenu* mnuFile = nullptr;
    QAction* mnuFileTranslate = nullptr;
    QAction* mnuFileNavigate = nullptr;
    QAction* mnuFileClear = nullptr;
    QAction* mnuFileClipboard = nullptr;
    QAction* mnuFileSep1 = nullptr;
    QAction* mnuFileExit = nullptr;
    QMenu* mnuOptions = nullptr;
    QAction* mnuOptionsKeepOnTop = nullptr;
    QAction* mnuOptionsBringToTopOnDrag = nullptr;
    QAction* mnuOptionsTransOnDrop = nullptr;
    QAction* mnuOptionsTransOnChange = nullptr;
    QAction* mnuOptionsShowDropIconForTextOnly = nullptr;
    QAction* mnuOptionsSep1 = nullptr;
    QAction* mnuOptionRemTrailing = nullptr;
    QAction* mnuOptionSetRemTrailing = nullptr;
    QAction* mnuOptionsSep2 = nullptr;
    QAction* mnuOptionsDynTrans = nullptr;
    QAction* mnuOptionsPreDef = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuHelpHistory = nullptr;
    QAction* mnuHelpAbout = nullptr;
    QAction* mnuHelpDirs = nullptr;
    QAction* mnuHelpVisit = nullptr;

    void createControls();
    void createMenus();
    void connectHandlers();
    QAction* addMenuItem(QMenu* menu, const char* name, const QString& caption,
                         void (frmMain::*handler)(), const QKeySequence& shortcut = {});
    QAction* addOption(const char* name, const QString& caption, bool checked,
                       void (frmMain::*handler)());
    bool handleBoxKey(QObject* box, QEvent* event);
    bool handleDropEvent(QEvent* event);
    void showTranslation(const QString& text, std::int16_t count);
    TrailingOptions trailingOptions() const;

    // The lower box's context menu, led by the wrapped link's layers when there are some.
    std::optional<unwrap::Result> wrappedLink() const;
    bool showUnwrapMenu(const QContextMenuEvent* event);
    QList<QAction*> unwrapCommands(QMenu* menu, const QString& target);

    platform::Services& services_;
    DialogReporter reporter_{services_.dialogs};
    Forms& forms_;
    AppInfo appInfo_;
};

} // namespace quorvel::ui
