#pragma once

#include "platform/Services.h"
#include "ui/common/AppInfo.h"
#include "ui/common/DialogReporter.h"

#include <QColor>
#include <QDialog>
#include <QPoint>

#include <array>

class QLabel;
class QPushButton;

namespace quorvel::ui {

// The About box: the program's icon, title, version, credits and the author's
// links, and a button that starts the system information tool. It is made
// anew for every opening and deleted when it closes.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(platform::Services& services, QWidget* owner, AppInfo appInfo = {});

    // Fills in what the box shows; the links start blue and underlined.
    void Form_Load();

    void Form_MouseMove();
    void lblemail_MouseMove();
    void lblurl_MouseMove();
    void lblemail_Click();
    void lblURL_Click();
    void cmdSysInfo_Click();
    void cmdOK_Click();

    // The e-mail link's target: the address and a fixed subject, unescaped.
    QString mailtoTarget() const;

    void setVisible(bool visible) override;

    // The etched rule between the upper and the lower part, in twips.
    struct RuleLine {
        QPoint from;
        QPoint to;
        QColor colour;
        int widthPixels;
    };
    static const std::array<RuleLine, 2> Line1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;
    QLabel* lblURL = nullptr;
    QLabel* lblemail = nullptr;
    QLabel* lblShareware = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblAuthor = nullptr;

    void createControls();
    void createButtons();
    QLabel* addLabel(const char* name, const QString& caption, int left, int top, int width,
                     int height);
    void makeLink(QLabel* link, const QString& address);
    bool handleLinkEvent(QLabel* link, QEvent* event);
    void centreOnOwner();

    platform::Services& services_;
    DialogReporter reporter_{services_.dialogs};
    AppInfo appInfo_;
};

} // namespace quorvel::ui
