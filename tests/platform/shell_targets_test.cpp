#include "platform/shared/ShellTargets.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

namespace quorvel::test {
namespace {

using platform::LocalFileFacts;
using platform::ShellVerdict;

LocalFileFacts document(const QString& path, QByteArray head = "%PDF-1.4")
{
    return {true, false, false, path, path, std::move(head)};
}

LocalFileFacts folder(const QString& path)
{
    return {true, true, true, path, path, {}};
}

LocalFileFacts program(const QString& path)
{
    return {true, false, true, path, path, QByteArray::fromHex("7f454c46")};
}

// A file system of a few known paths; every other path is missing.
class FakeFiles {
public:
    FakeFiles()
    {
        add(document(QStringLiteral("/home/u/report.pdf")));
        add(document(QStringLiteral("/home/u/my notes.txt"), "plain words"));
        add(folder(QStringLiteral("/home/u")));
        add(folder(QStringLiteral("/home/u/tools.sh"))); // a folder with a script's name
        add(program(QStringLiteral("/usr/bin/xterm")));
        add(document(QStringLiteral("/home/u/run-me"), "#!/bin/sh\nrm -rf ~\n"));
        add(document(QStringLiteral("/home/u/launcher"), "# made by hand\n[Desktop Entry]\n"));
        add(document(QStringLiteral("/home/u/tool"), "MZ\x90"));
        LocalFileFacts link = document(QStringLiteral("/home/u/harmless.pdf"));
        link.resolvedPath = QStringLiteral("/home/u/evil.desktop");
        add(link);
        LocalFileFacts pipe = document(QStringLiteral("/home/u/pipe"), {});
        pipe.executable = true; // what the probe says of anything but a plain file
        add(pipe);
    }

    LocalFileFacts operator()(const QString& path) const
    {
        ++probes;
        const auto found = files_.find(path);
        if (found != files_.end())
            return found->second;
        return {false, false, false, path, {}, {}};
    }

    mutable int probes = 0;

private:
    void add(const LocalFileFacts& facts) { files_[facts.absolutePath] = facts; }
    std::map<QString, LocalFileFacts> files_;
};

struct Case {
    const char* target;
    ShellVerdict verdict;
};

void expectVerdicts(std::initializer_list<Case> cases)
{
    const FakeFiles files;
    for (const Case& c : cases) {
        const QString target = QString::fromUtf8(c.target);
        EXPECT_EQ(platform::decideShellTarget(target, std::cref(files)).verdict, c.verdict)
            << "target: [" << c.target << "]";
    }
}

TEST(ShellTargets, WebMailAndOtherDocumentUrlsGoThrough)
{
    expectVerdicts({
        {"http://www.example.com/a?b=c&d=%20e", ShellVerdict::Open},
        {"https://example.com", ShellVerdict::Open},
        {"HTTPS://EXAMPLE.COM/PATH", ShellVerdict::Open},
        {"  http://example.com/  ", ShellVerdict::Open},
        {"ftp://files.example.org/pub/readme.txt", ShellVerdict::Open},
        {"mailto:someone@example.com?Subject=Quorvel Program", ShellVerdict::Open},
        {"news:comp.lang.c", ShellVerdict::Open},
        // What a web link points at is the browser's business.
        {"http://example.com/setup.exe", ShellVerdict::Open},
        {"www.example.com", ShellVerdict::Open},
        {"WWW.example.com:8080/x", ShellVerdict::Open},
    });
}

TEST(ShellTargets, SchemesThatRunCodeAreRefused)
{
    expectVerdicts({
        {"javascript:alert(1)", ShellVerdict::Refused},
        {"JavaScript:alert(1)", ShellVerdict::Refused},
        {"  javascript:alert(1)", ShellVerdict::Refused},
        {"\x01javascript:alert(1)", ShellVerdict::Refused},
        {"java\tscript:alert(1)", ShellVerdict::Refused},
        {"java\r\nscript:alert(1)", ShellVerdict::Refused},
        {"vbscript:msgbox(1)", ShellVerdict::Refused},
        {"VBScript:msgbox(1)", ShellVerdict::Refused},
        {"data:text/html,<script>alert(1)</script>", ShellVerdict::Refused},
        {"DATA:text/html;base64,PHNjcmlwdD4=", ShellVerdict::Refused},
        {"ms-msdt:/id PCWDiagnostic", ShellVerdict::Refused},
        {"search-ms:query=x&crumb=location:\\\\host\\share", ShellVerdict::Refused},
        {"shell:::{0AC0837C-BBF8-452A-850D-79D08E667CA7}", ShellVerdict::Refused},
    });
}

TEST(ShellTargets, LocalProgramsScriptsAndLaunchersAreRefused)
{
    expectVerdicts({
        {"/usr/bin/xterm", ShellVerdict::Refused},
        {"/home/u/run-me", ShellVerdict::Refused},
        {"/home/u/launcher", ShellVerdict::Refused},
        {"/home/u/tool", ShellVerdict::Refused},
        {"/home/u/harmless.pdf", ShellVerdict::Refused},
        {"/home/u/pipe", ShellVerdict::Refused},
        // Named as programs: refused before the file system is asked.
        {"/home/u/setup.exe", ShellVerdict::Refused},
        {"C:\\Windows\\System32\\calc.EXE", ShellVerdict::Refused},
        {"C:/tmp/x.bat", ShellVerdict::Refused},
        {"c:evil.cmd", ShellVerdict::Refused},
        {"/home/u/evil.desktop", ShellVerdict::Refused},
        {"/home/u/install.sh", ShellVerdict::Refused},
        {"/home/u/tools.sh", ShellVerdict::Refused},
        {"/home/u/Run.VBS", ShellVerdict::Refused},
        {"/home/u/shortcut.lnk", ShellVerdict::Refused},
        // Windows drops trailing dots and blanks and reads "name:stream".
        {"C:\\x\\calc.exe.", ShellVerdict::Refused},
        {"C:\\x\\calc.exe . ", ShellVerdict::Refused},
        {"C:\\x\\notes.txt:hidden.exe", ShellVerdict::Refused},
        {"calc.exe:stream", ShellVerdict::Refused},
        // Network shares cannot be checked without reaching them.
        {"\\\\server\\share\\report.pdf", ShellVerdict::Refused},
        {"//server/share/report.pdf", ShellVerdict::Refused},
    });
}

TEST(ShellTargets, FileUrlsAreJudgedByTheFileTheyName)
{
    expectVerdicts({
        {"file:///home/u/report.pdf", ShellVerdict::Open},
        {"FILE:///home/u/report.pdf", ShellVerdict::Open},
        {"file://localhost/home/u/report.pdf", ShellVerdict::Open},
        {"file:///home/u/my%20notes.txt", ShellVerdict::Open},
        {"file:///usr/bin/xterm", ShellVerdict::Refused},
        {"file:///usr/bin/%78term", ShellVerdict::Refused},
        {"file:/usr/bin/xterm", ShellVerdict::Refused},
        {"file:///home/u/run%2Dme", ShellVerdict::Refused},
        {"file:///home/u/evil%2Edesktop", ShellVerdict::Refused},
        {"file:///home/u/setup.ex%65", ShellVerdict::Refused},
        {"file://server/share/report.pdf", ShellVerdict::Refused},
        {"file:///home/u/gone.pdf", ShellVerdict::Missing},
    });
}

TEST(ShellTargets, LocalDocumentsOpenAndMissingPathsAreReported)
{
    expectVerdicts({
        {"/home/u/report.pdf", ShellVerdict::Open},
        {"  /home/u/report.pdf  ", ShellVerdict::Open},
        {"/home/u", ShellVerdict::Open},
        {"/home/u/gone.pdf", ShellVerdict::Missing},
        // A percent sign in a plain path is a character, not an escape.
        {"/home/u/my%20notes.txt", ShellVerdict::Missing},
        // Never handed over: a native shell would search its program path.
        {"calc", ShellVerdict::Missing},
        {"notepad", ShellVerdict::Missing},
        {"example.com/page", ShellVerdict::Missing},
        {"", ShellVerdict::Missing},
        {"     ", ShellVerdict::Missing},
        {"C:\\docs\\report.pdf", ShellVerdict::Missing},
    });
}

TEST(ShellTargets, WhatTheHandlerGets)
{
    const FakeFiles files;
    struct Expected {
        const char* target;
        const char* url;
        const char* nativeTarget;
    };
    for (const Expected& e : {
             Expected{"  http://example.com/a b ", "http://example.com/a%20b",
                      "  http://example.com/a b "},
             Expected{"www.example.com/x", "http://www.example.com/x", "http://www.example.com/x"},
             Expected{"mailto:a@example.com?Subject=Quorvel Program",
                      "mailto:a@example.com?Subject=Quorvel%20Program",
                      "mailto:a@example.com?Subject=Quorvel Program"},
             Expected{"file:///home/u/my%20notes.txt", "file:///home/u/my%20notes.txt",
                      "/home/u/my notes.txt"},
             Expected{" /home/u/report.pdf ", "file:///home/u/report.pdf", "/home/u/report.pdf"},
         }) {
        const platform::ShellDecision decision =
            platform::decideShellTarget(QString::fromUtf8(e.target), std::cref(files));
        ASSERT_EQ(decision.verdict, ShellVerdict::Open) << e.target;
        EXPECT_EQ(decision.url.toString(QUrl::FullyEncoded), QString::fromUtf8(e.url)) << e.target;
        EXPECT_EQ(QDir::fromNativeSeparators(decision.nativeTarget),
                  QString::fromUtf8(e.nativeTarget))
            << e.target;
    }
}

TEST(ShellTargets, WebAddressesNeverTouchTheFileSystem)
{
    const FakeFiles files;
    for (const char* target : {"http://example.com/usr/bin/xterm", "www.example.com",
                               "javascript:alert(1)", "\\\\server\\share\\x.pdf"}) {
        platform::decideShellTarget(QString::fromUtf8(target), std::cref(files));
    }
    EXPECT_EQ(files.probes, 0);
}

// The real probe, on files made here.
class ProbeLocalFile : public testing::Test {
protected:
    QString write(const QString& name, const QByteArray& content,
                  QFileDevice::Permissions extra = {})
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | extra);
        return path;
    }

    QTemporaryDir dir;
};

TEST_F(ProbeLocalFile, TellsDocumentsFromProgramsOnDisk)
{
    const QString pdf = write(QStringLiteral("doc.pdf"), "%PDF-1.4");
    const QString script = write(QStringLiteral("script"), "#!/bin/sh\n");
    const QString program = write(QStringLiteral("prog"), "data", QFileDevice::ExeOwner);
    const QString link = dir.filePath(QStringLiteral("doc-link.pdf"));
    ASSERT_TRUE(QFile::link(write(QStringLiteral("x.desktop"), "[Desktop Entry]\n"), link));

    const auto decide = [](const QString& target) {
        return platform::decideShellTarget(target).verdict;
    };
    EXPECT_EQ(decide(pdf), ShellVerdict::Open);
    EXPECT_EQ(decide(QUrl::fromLocalFile(pdf).toString()), ShellVerdict::Open);
    EXPECT_EQ(decide(dir.path()), ShellVerdict::Open);
    EXPECT_EQ(decide(script), ShellVerdict::Refused);
    EXPECT_EQ(decide(program), ShellVerdict::Refused);
    EXPECT_EQ(decide(link), ShellVerdict::Refused);
    EXPECT_EQ(decide(dir.filePath(QStringLiteral("none.pdf"))), ShellVerdict::Missing);
}

TEST_F(ProbeLocalFile, ReportsWhatItSaw)
{
    const QString pdf = write(QStringLiteral("doc.pdf"), QByteArray(4000, 'x'));
    const LocalFileFacts facts = platform::probeLocalFile(pdf);
    EXPECT_TRUE(facts.exists);
    EXPECT_FALSE(facts.directory);
    EXPECT_FALSE(facts.executable);
    EXPECT_EQ(facts.absolutePath, pdf);
    EXPECT_EQ(facts.head.size(), 1024);

    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const LocalFileFacts relative = platform::probeLocalFile(QStringLiteral("doc.pdf"));
    QDir::setCurrent(previous);
    EXPECT_EQ(relative.absolutePath, pdf);

    EXPECT_FALSE(platform::probeLocalFile(dir.filePath(QStringLiteral("none"))).exists);
}

} // namespace
} // namespace quorvel::test
