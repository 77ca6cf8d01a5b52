#pragma once

#include "fakes/FakeServices.h"
#include "ui/common/Forms.h"
#include "ui/main/UrlBox.h"
#include "ui/main/frmMain.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>

#include <gtest/gtest.h>

namespace quorvel::test {

// A loaded main window over fake services, gone again after each test.
class MainWindowFixture : public testing::Test {
protected:
    void SetUp() override
    {
        window = new ui::frmMain(fakes.services, forms);
        ASSERT_TRUE(window->Form_Load());
    }

    void TearDown() override
    {
        forms.unloadAll();
        delete window.data();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Shows the window as the active one, so that focus and shortcuts work.
    void showActive();
    // Types text into the upper box as a user would, key by key.
    void typeIntoUpperBox(const QString& text);

    FakeServices fakes;
    ui::Forms forms;
    QPointer<ui::frmMain> window;
};

} // namespace quorvel::test
