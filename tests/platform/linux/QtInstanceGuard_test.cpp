#include "platform/linux/QtInstanceGuard.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

using namespace Qt::StringLiterals;

TEST(QtInstanceGuard, OnlyTheFirstCopyRuns)
{
    const QString name = u"quorvel-test-%1"_s.arg(QCoreApplication::applicationPid());
    {
        platform::QtInstanceGuard first(name);
        EXPECT_FALSE(first.anotherInstanceRunning());
        EXPECT_FALSE(first.anotherInstanceRunning()) << "asking again must not refuse the first";
        EXPECT_TRUE(platform::QtInstanceGuard(name).anotherInstanceRunning());
    }
    EXPECT_FALSE(platform::QtInstanceGuard(name).anotherInstanceRunning());
}

} // namespace
} // namespace quorvel::test
