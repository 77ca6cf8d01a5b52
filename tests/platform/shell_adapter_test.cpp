#include "platform/qt/QtShell.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace quorvel::test {
namespace {

// Stands in for the desktop's handlers: records and answers, starts nothing.
struct RecordingOpener {
    bool answer = true;
    std::vector<QUrl> opened;

    platform::QtShell::Opener asOpener()
    {
        return [this](const QUrl& url) {
            opened.push_back(url);
            return answer;
        };
    }
};

TEST(QtShell, MapsTheHandlersAnswerOntoResultCodes)
{
    for (const bool started : {true, false}) {
        RecordingOpener opener{started, {}};
        platform::QtShell shell(opener.asOpener());
        const int result = shell.open(QStringLiteral(" www.example.com "));
        EXPECT_EQ(result, started ? 42 : 31);
        ASSERT_EQ(opener.opened.size(), 1u);
        EXPECT_EQ(opener.opened.front(), QUrl(QStringLiteral("http://www.example.com")));
    }
}

TEST(QtShell, RefusedAndMissingTargetsReachNoHandler)
{
    QTemporaryDir dir;
    const QString script = dir.filePath(QStringLiteral("notes"));
    QFile file(script);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\necho hi\n");
    file.close();

    struct Case {
        QString target;
        int result;
    };
    RecordingOpener opener;
    platform::QtShell shell(opener.asOpener());
    for (const Case& c :
         {Case{QStringLiteral("javascript:alert(1)"), 5},
          Case{QStringLiteral(" data:text/html,x"), 5},
          Case{QUrl::fromLocalFile(script).toString(), 5}, Case{QStringLiteral("/bin/sh"), 5},
          Case{dir.filePath(QStringLiteral("gone.pdf")), 2}, Case{QStringLiteral("calc"), 2}}) {
        EXPECT_EQ(shell.open(c.target), c.result) << c.target.toStdString();
    }
    EXPECT_TRUE(opener.opened.empty());
}

TEST(QtShell, AnUnusableUrlHasNoHandler)
{
    RecordingOpener opener;
    platform::QtShell shell(opener.asOpener());
    EXPECT_EQ(shell.open(QStringLiteral("http://exa mple.com/")), 31);
    EXPECT_TRUE(opener.opened.empty());
}

// The real adapter, only with targets it must not hand to any handler.
TEST(QtShell, RealAdapterRefusesBeforeLaunching)
{
    platform::QtShell shell;
    EXPECT_EQ(shell.open(QStringLiteral("JavaScript:alert(1)")), 5);
    EXPECT_EQ(shell.open(QStringLiteral("file:///bin/sh")), 5);
    EXPECT_EQ(shell.open(QStringLiteral("/nonexistent/quorvel/report.pdf")), 2);
}

} // namespace
} // namespace quorvel::test
