#include "platform/qt/QtShell.h"
#include "platform/shared/ShellTargets.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace quorvel::test {
namespace {

using namespace Qt::StringLiterals;
using platform::ShellVerdict;

// Local files are made on disk here, so that the real probe judges them.
TEST(ShellTargets, RefusesCodeAndProgramsOpensDocuments)
{
    QTemporaryDir dir;
    const auto write = [&dir](const QString& name, const QByteArray& content, bool exe = false) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.setPermissions(file.permissions() | (exe ? QFile::ExeOwner : QFile::Permissions()));
        return file.fileName();
    };
    const QString pdf = write(u"my notes.pdf"_s, "%PDF-1.4");
    ASSERT_TRUE(QFile::link(write(u"x.desktop"_s, "plain words"), dir.filePath(u"a.pdf"_s)));
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"tools.sh"_s));
    const QString url = QUrl::fromLocalFile(pdf).toString(QUrl::FullyEncoded);
    const std::pair<ShellVerdict, QStringList> cases[] = {
        {ShellVerdict::Open,
         {"HTTPS://EXAMPLE.COM/a?b=c&d=%20e", "  http://example.com/  ", "ftp://f.example.org/a",
          "mailto:someone@example.com?Subject=Quorvel Program",
          // What a web link points at is the browser's business.
          "http://example.com/setup.exe", "WWW.example.com:8080/x", "  " + pdf + "  ",
          "FILE://localhost" + url.mid(7), dir.path()}},
        {ShellVerdict::Refused,
         {// Schemes that run code, however disguised.
          "  JavaScript:alert(1)", "\x01javascript:alert(1)", "java\r\n\tscript:alert(1)",
          "VBScript:msgbox(1)", "DATA:text/html;base64,PHNjcmlwdD4=", "ms-msdt:/id PCWDiagnostic",
          "search-ms:query=x",
          // Programs, scripts and launchers by their content, or behind a link.
          write(u"run-me"_s, "#!/bin/sh\nrm -rf ~\n"),
          write(u"launcher"_s, "# by hand\n[Desktop Entry]\n"), write(u"tool"_s, "MZ\x90"),
          write(u"prog"_s, "data", true), dir.filePath(u"a.pdf"_s), "/dev/null",
          dir.filePath(u"tools.sh"_s),
          // Named as programs: refused before the file system is asked.
          "/tmp/setup.exe", "C:\\Windows\\calc.EXE", "c:evil.cmd", "/tmp/Run.VBS",
          "/tmp/evil.desktop", "file:///tmp/evil%2Edesktop", "file:///tmp/a.ex%65",
          // Windows drops trailing dots and blanks and reads "name:stream".
          "C:\\x\\calc.exe . ", "C:\\x\\notes.txt:hidden.exe",
          // Network shares cannot be checked without reaching them.
          "\\\\server\\share\\report.pdf", "//server/share/a.pdf", "file://server/share/a.pdf"}},
        {ShellVerdict::Missing,
         {"", "     ", dir.filePath(u"gone.pdf"_s),
          // A percent sign in a plain path is a character, not an escape.
          dir.filePath(u"my%20notes.pdf"_s),
          // Never handed over: a native shell would search its program path.
          "calc", "example.com/page"}},
    };
    for (const auto& [verdict, targets] : cases) {
        for (const QString& target : targets)
            EXPECT_EQ(platform::decideShellTarget(target).verdict, verdict)
                << "[" << target.toStdString() << "]";
    }
    // A network share is never looked at: that alone would reach the server.
    int probes = 0;
    platform::decideShellTarget(u"\\\\server\\share\\x.pdf"_s, [&probes](const QString&) {
        ++probes;
        return platform::LocalFileFacts{};
    });
    EXPECT_EQ(probes, 0);
}

TEST(QtShell, MapsTheOutcomeOntoResultCodes)
{
    std::vector<QUrl> opened;
    bool handlerStarts = true;
    platform::QtShell shell([&](const QUrl& url) {
        opened.push_back(url);
        return handlerStarts;
    });
    EXPECT_EQ(shell.open(u" www.example.com "_s), 42);
    handlerStarts = false;
    EXPECT_EQ(shell.open(u" www.example.com "_s), 31); // no handler for it
    EXPECT_EQ(opened, std::vector(2, QUrl(u"http://www.example.com"_s)));
    EXPECT_EQ(shell.open(u"http://exa mple.com/"_s), 31);
    EXPECT_EQ(shell.open(u"javascript:alert(1)"_s), 5);
    EXPECT_EQ(shell.open(u"/nonexistent/quorvel/report.pdf"_s), 2);
    EXPECT_EQ(opened.size(), 2u);
    // The real adapter, only with a target it must not hand to any handler.
    EXPECT_EQ(platform::QtShell().open(u"file:///bin/sh"_s), 5);
}

} // namespace
} // namespace quorvel::test
