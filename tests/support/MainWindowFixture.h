#pragma once

#include "fakes/FakeServices.h"
#include "support/Controls.h"
#include "ui/common/Forms.h"
#include "ui/main/UrlBox.h"
#include "ui/main/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace quorvel::test {

// A loaded main window over fake services, gone again after each test.
class MainWindowFixture : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(window->Form_Load()); }

    void TearDown() override
    {
        forms.unloadAll();
        delete window.data();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Shows the window as the active one, so that focus and shortcuts work.
    void showActive()
    {
        window->show();
        QApplication::setActiveWindow(window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }

    FakeServices fakes;
    ui::Forms forms;
    QPointer<ui::frmMain> window = new ui::frmMain(fakes.services, forms);

    template <class T> T* named(const char* name) { return control<T>(window, name); }
    ui::UrlBox* const txtBadURL = named<ui::UrlBox>("txtBadURL");
    ui::UrlBox* const txtGoodURL = named<ui::UrlBox>("txtGoodURL");
    QPushButton* const cmdTrans = named<QPushButton>("cmdTrans");
    QPushButton* const cmdClear = named<QPushButton>("cmdClear");
    QPushButton* const cmdClip = named<QPushButton>("cmdClip");
    QPushButton* const cmdNavigate = named<QPushButton>("cmdNavigate");
    QPushButton* const cmdExit = named<QPushButton>("cmdExit");
    QLabel* const lblReps = named<QLabel>("lblReps");
    QAction* const mnuFileNavigate = named<QAction>("mnuFileNavigate");
    QAction* const mnuOptionsKeepOnTop = named<QAction>("mnuOptionsKeepOnTop");
    QAction* const mnuOptionsBringToTopOnDrag = named<QAction>("mnuOptionsBringToTopOnDrag");
    QAction* const mnuOptionsTransOnDrop = named<QAction>("mnuOptionsTransOnDrop");
    QAction* const mnuOptionsTransOnChange = named<QAction>("mnuOptionsTransOnChange");
    QAction* const mnuOptionsShowDropIconForTextOnly =
        named<QAction>("mnuOptionsShowDropIconForTextOnly");
    QAction* const mnuOptionRemTrailing = named<QAction>("mnuOptionRemTrailing");
    QAction* const mnuOptionSetRemTrailing = named<QAction>("mnuOptionSetRemTrailing");
    QAction* const mnuOptionsDynTrans = named<QAction>("mnuOptionsDynTrans");
    QAction* const mnuOptionsPreDef = named<QAction>("mnuOptionsPreDef");
    QAction* const mnuHelpHistory = named<QAction>("mnuHelpHistory");
    QAction* const mnuHelpAbout = named<QAction>("mnuHelpAbout");
    QAction* const mnuHelpDirs = named<QAction>("mnuHelpDirs");
    QAction* const mnuHelpVisit = named<QAction>("mnuHelpVisit");
};

} // namespace quorvel::test
