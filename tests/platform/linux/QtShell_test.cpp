// What the allow-list test leaves out: a desktop without a handler, the real
// adapter, and a share that must not even be looked at.
#include "platform/linux/QtShell.h"
#include "platform/shared/ShellTargets.h"

#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

using namespace Qt::StringLiterals;

TEST(QtShell, NoHandlerRealAdapterAndUnprobedShares)
{
    QList<QUrl> opened;
    platform::QtShell shell([&](const QUrl& target) { return opened << target, false; });
    EXPECT_EQ(shell.open(u"www.none.example"_s), 31);
    EXPECT_EQ(opened, QList{QUrl(u"http://www.none.example"_s)});
    EXPECT_EQ(platform::QtShell().open(u"file:///bin/sh"_s), 5);
    const auto look = [](const QString&) { return ADD_FAILURE(), platform::LocalFileFacts{}; };
    platform::decideShellTarget(u"\\\\server\\share\\x.pdf"_s, {look});
}

} // namespace
} // namespace quorvel::test
