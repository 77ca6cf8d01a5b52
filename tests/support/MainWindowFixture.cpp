#include "support/MainWindowFixture.h"

#include <QTest>

namespace quorvel::test
{

void MainWindowFixture::typeIntoUpperBox(const QString& text)
{
    window->txtBadURL->setFocus();
    QTest::keyClicks(window->txtBadURL, text);
}

} // namespace quorvel::test
