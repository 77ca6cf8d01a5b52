#include "support/MainWindowFixture.h"

#include <QApplication>
#include <QTest>

namespace quorvel::test {

void MainWindowFixture::showActive()
{
    window->show();
    QApplication::setActiveWindow(window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

void MainWindowFixture::typeIntoUpperBox(const QString& text)
{
    txtBadURL->setFocus();
    QTest::keyClicks(txtBadURL, text);
}

} // namespace quorvel::test
