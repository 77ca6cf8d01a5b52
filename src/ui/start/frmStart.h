#pragma once

#include "platform/Services.h"
#include "ui/common/AppInfo.h"

#include <QWidget>

#include <cstdint>

class QLabel;
class QPushButton;

namespace quorvel::ui {

class Forms;

// The start-up screen: title, a short description, the author's web site and
// the way on to the main window.
class frmStart : public QWidget {
    Q_OBJECT
public:
    frmStart(platform::Services& services, Forms& forms, AppInfo appInfo = {},
             QWidget* parent = nullptr);

    void Form_Load();
    void Form_Resize();
    void Form_MouseMove();
    void lblWebsite_MouseMove();
    void lblWebsite_Click();
    void cmdOK_Click();
    void cmdExit_Click();
    // Cancel is never set: unloading always goes on.
    void Form_Unload(std::int16_t& cancel);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* lblDesc = nullptr;
    QLabel* lblWebsite = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdExit = nullptr;

    void createControls();
    void fitDescriptionFont();

    platform::Services& services_;
    Forms& forms_;
    AppInfo appInfo_;
};

} // namespace quorvel::ui
