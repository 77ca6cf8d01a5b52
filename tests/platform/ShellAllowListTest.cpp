// The shell-open step's allow-list, target by target: what reaches the desktop
// and what is refused. Local files are made on disk so that the real probe and
// the desktop's MIME database judge them; the handler is a stand-in that
// records what would have been opened. Windows' rules run here as well, with
// a PATHEXT of their own.
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

// The Windows adapter's steps up to ShellExecuteW, with a PATHEXT that names
// one extension beyond the fixed list.
const platform::ShellRules kWindowsRules{platform::probeLocalFile,
                                         platform::extensionsFromPathExt(u".COM;.EXE;.Xyz ;;"_s)};

struct Outcome {
    int code = 0;
    QStringList opened; // what reached the desktop handler or ShellExecuteW
};

Outcome openThrough(bool windows, const QString& target)
{
    Outcome outcome;
    if (!windows) {
        platform::QtShell shell([&outcome](const QUrl& url) {
            outcome.opened << url.toString(QUrl::FullyEncoded);
            return true;
        });
        outcome.code = shell.open(target);
        return outcome;
    }
    const platform::ShellDecision decision = platform::decideShellTarget(target, kWindowsRules);
    outcome.code = platform::resultCodeFor(decision.verdict);
    if (decision.verdict == ShellVerdict::Open)
        outcome.opened << decision.nativeTarget;
    return outcome;
}

// "{dir}" in a target stands for the folder of test files, "{url}" for it as
// a file URL's path. Without .opened, an opened target reaches the handler as
// given, a local path on the desktop as its file URL.
struct Row {
    const char* name;
    QString target;
    int code = 5;        // 42 opened, 31 no handler, 5 refused, 2 not found
    QString opened = {}; // what reached the handler, when opened
    bool win = false;    // judged by Windows' rules
};

QString openedFor(const Row& row)
{
    if (!row.opened.isEmpty())
        return row.opened;
    if (!row.win && row.target.startsWith(u"{dir}"))
        return u"file://{url}"_s + row.target.mid(5);
    return row.target;
}

const QByteArray kPadding =
    QByteArray("# a long comment in front of the group header\n").repeated(60);

struct File {
    QString name;
    QByteArray content;
    bool executable = false;
};

// clang-format off
const File kFiles[] = {
    {.name = u"doc.pdf"_s, .content = "%PDF-1.4\n%\xe2\xe3\xcf\xd3\n"},
    {.name = u"my notes.pdf"_s, .content = "%PDF-1.7\n"},
    {.name = u"Report.PDF"_s, .content = "%PDF-1.7\n"},
    {.name = u"page.html"_s, .content = "<!DOCTYPE html>\n<html><body>Hello</body></html>\n"},
    {.name = u"notes.txt"_s, .content = "Plain words, nothing else.\n"},
    {.name = u"readme"_s, .content = "Plain words without a name that says so.\n"},
    {.name = u"empty.txt"_s, .content = ""},
    {.name = u"archive.zip"_s, .content = QByteArray("PK\x03\x04\x14\0\0\0", 8)},
    {.name = u"tool.xyz"_s, .content = "Only Windows' PATHEXT makes this a program.\n"},
    // Launchers: the header late, after comments, or in its KDE form.
    {.name = u"late-launcher"_s, .content = kPadding + "[Desktop Entry]\nType=Application\nExec=sh\n"},
    {.name = u"late-launcher.txt"_s, .content = kPadding + "[Desktop Entry]\nExec=sh\n"},
    {.name = u"last-kilobyte-launcher"_s, .content = kPadding.repeated(3).left(8100) + "[Desktop Entry]\n"},
    {.name = u"kde-launcher"_s, .content = "[KDE Desktop Entry]\nExec=sh\n"},
    {.name = u"evil.desktop"_s, .content = "plain words"},
    // Packages and installers, by name and by content under another name.
    {.name = u"app.deb"_s, .content = "!<arch>\ndebian-binary   1342943816  0     0     100644  4\n"},
    {.name = u"package.txt"_s, .content = "!<arch>\ndebian-binary   1342943816  0     0     100644  4\n"},
    {.name = u"app.flatpakref"_s, .content = "[Flatpak Ref]\nName=org.example.App\n"},
    {.name = u"install.txt"_s, .content = "[Flatpak Ref]\nName=org.example.App\n"},
    {.name = u"start.jnlp"_s, .content = "<?xml version=\"1.0\"?>\n<jnlp codebase=\"http://a.example/\">\n"},
    {.name = u"start.dat"_s, .content = "<?xml version=\"1.0\"?>\n<jnlp codebase=\"http://a.example/\">\n"},
    {.name = u"blob.dat"_s, .content = "\xed\xab\xee\xdb\x03"},
    {.name = u"tool.pyz"_s, .content = QByteArray("PK\x03\x04\x14\0\0\0", 8)},
    {.name = u"game.jar"_s, .content = QByteArray("PK\x03\x04\x14\0\0\0", 8)},
    {.name = u"App.AppImage"_s, .content = "\x7f" "ELF\2\1\1"},
    // Programs and scripts by their first bytes, whatever the name.
    {.name = u"photo.jpg"_s, .content = "\x7f" "ELF\2\1\1"},
    {.name = u"report.doc"_s, .content = "MZ\x90"},
    {.name = u"script.txt"_s, .content = "#!/bin/sh\nrm -rf ~\n"},
    {.name = u"bom-script.txt"_s, .content = "\xef\xbb\xbf#!/bin/sh\n"},
    {.name = u"install.sh"_s, .content = "echo plain words\n"},
    {.name = u"tool.py"_s, .content = "print('hi')\n"},
    {.name = u"Data.pm"_s, .content = "package Data;\n1;\n"},
    {.name = u"run.pdf"_s, .content = "%PDF-1.4\n", .executable = true},
};
// clang-format on

void makeFiles(const QDir& dir)
{
    for (const File& f : kFiles) {
        QFile file(dir.filePath(f.name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << f.name.toStdString();
        file.write(f.content);
        if (f.executable)
            file.setPermissions(file.permissions() | QFile::ExeOwner);
    }
    ASSERT_TRUE(dir.mkdir(u"sub dir"_s));
    ASSERT_TRUE(dir.mkdir(u"bundle.AppImage"_s));
    ASSERT_TRUE(QFile::link(dir.filePath(u"evil.desktop"_s), dir.filePath(u"launcher-link.pdf"_s)));
    ASSERT_TRUE(QFile::link(dir.filePath(u"doc.pdf"_s), dir.filePath(u"doc-link.pdf"_s)));
    ASSERT_TRUE(QFile::link(dir.filePath(u"script.txt"_s), dir.filePath(u"script-link.txt"_s)));
}

// clang-format off
const std::vector<Row> kRows = {
    // Web addresses: any path, query, fragment, port or letter case.
    {.name = "https", .target = u"https://example.com"_s, .code = 42},
    {.name = "upper case", .target = u"HTTPS://EXAMPLE.COM/A/B?C=D#E"_s,
     .code = 42, .opened = u"https://example.com/A/B?C=D#E"_s},
    {.name = "mixed case", .target = u"hTtP://Example.com:8080/x"_s,
     .code = 42, .opened = u"http://example.com:8080/x"_s},
    {.name = "path query", .target = u"http://example.com/a/b.html?q=a%20b&x=1#part"_s, .code = 42},
    {.name = "blanks around", .target = u"  http://example.com/  "_s,
     .code = 42, .opened = u"http://example.com/"_s},
    {.name = "controls in front", .target = u"\x01\x1f https://example.com/"_s,
     .code = 42, .opened = u"https://example.com/"_s},
    {.name = "tab and line break", .target = u"ht\ttp://exam\r\nple.com/"_s,
     .code = 42, .opened = u"http://example.com/"_s},
    {.name = "user and port", .target = u"https://user@example.com:8443/"_s, .code = 42},
    {.name = "IPv6 host", .target = u"http://[::1]:8080/"_s, .code = 42},
    {.name = "IDN host", .target = u"https://b\u00fccher.example/"_s,
     .code = 42, .opened = u"https://xn--bcher-kva.example/"_s},
    {.name = "web program", .target = u"https://example.com/setup.exe"_s, .code = 42},
    {.name = "not mail", .target = u"https://example.com/?attach=/etc/passwd"_s, .code = 42},
    {.name = "quote and blank", .target = u"https://example.com/a b\"c"_s,
     .code = 42, .opened = u"https://example.com/a%20b%22c"_s},
    {.name = "not a valid URL", .target = u"http://exa mple.com/"_s, .code = 31},
    // Addresses from www. on open as web addresses.
    {.name = "www", .target = u"www.example.com"_s,
     .code = 42, .opened = u"http://www.example.com"_s},
    {.name = "www with port", .target = u"  www.example.com:8080/x"_s,
     .code = 42, .opened = u"http://www.example.com:8080/x"_s},
    {.name = "WWW with path", .target = u"WWW.Example.com/path?q=1#f"_s,
     .code = 42, .opened = u"http://www.example.com/path?q=1#f"_s},
    // Mail links without attachments.
    {.name = "mailto", .target = u"mailto:someone@example.com"_s, .code = 42},
    {.name = "About link", .target = u"mailto:veskard@veskard.example?Subject=Quorvel Program"_s,
     .code = 42, .opened = u"mailto:veskard@veskard.example?Subject=Quorvel%20Program"_s},
    {.name = "MAILTO with body", .target = u"MAILTO:a@b.example?subject=Hi&body=Text"_s,
     .code = 42, .opened = u"mailto:a@b.example?subject=Hi&body=Text"_s},
    {.name = "attach in the address", .target = u"mailto:attacher@example.com"_s, .code = 42},
    {.name = "attach in a value", .target = u"mailto:a@b.example?subject=see the attachment"_s,
     .code = 42, .opened = u"mailto:a@b.example?subject=see%20the%20attachment"_s},
    // Mail links that would attach a local file.
    {.name = "attach", .target = u"mailto:a@b.example?attach=/etc/passwd"_s},
    {.name = "ATTACH", .target = u"mailto:a@b.example?ATTACH=/etc/passwd"_s},
    {.name = "Attachment", .target = u"mailto:a@b.example?subject=x&Attachment=~/.ssh/id_rsa"_s},
    {.name = "encoded", .target = u"mailto:a@b.example?%61ttach=/etc/passwd"_s},
    {.name = "encoded twice", .target = u"mailto:a@b.example?%2561TTACH=/etc/passwd"_s},
    {.name = "all encoded", .target = u"mailto:a@b.example?%61%74%74%61%63%68%6D%65%6E%74=x"_s},
    {.name = "after a semicolon", .target = u"mailto:a@b.example?subject=x;attach=y"_s},
    {.name = "after a second ?", .target = u"mailto:a@b.example?subject=x?attach=y"_s},
    {.name = "with blanks", .target = u"mailto:a@b.example?%20attach%20=/etc/passwd"_s},
    {.name = "attach split", .target = u"mailto:a@b.example?at\r\ntach=/etc/passwd"_s},
    {.name = "encoded &", .target = u"mailto:a@b.example?subject=x%26attach%3D/etc/passwd"_s},
    {.name = "x-attach", .target = u"mailto:a@b.example?X-Attach=/etc/passwd"_s},
    // Network shares and remote file systems reach a host the link names.
    {.name = "smb", .target = u"smb://server/share/report.pdf"_s},
    {.name = "sftp", .target = u"sftp://user@host/home/user/a.pdf"_s},
    {.name = "nfs", .target = u"nfs://host/export/a.pdf"_s},
    {.name = "davs", .target = u"davs://host/dav/a.pdf"_s},
    {.name = "ftp", .target = u"ftp://ftp.example.com/pub/a.pdf"_s},
    {.name = "ssh", .target = u"ssh://host/"_s},
    {.name = "FTP upper case", .target = u"  FTP://ftp.example.com/"_s},
    {.name = "UNC path", .target = u"\\\\server\\share\\report.pdf"_s},
    {.name = "slashed UNC path", .target = u"//server/share/a.pdf"_s},
    {.name = "file URL with a host", .target = u"file://server/share/a.pdf"_s},
    // Schemes of applications, which do what the link tells them.
    {.name = "javascript", .target = u"  JavaScript:alert(1)"_s},
    {.name = "javascript after a control", .target = u"\x01javascript:alert(1)"_s},
    {.name = "javascript split", .target = u"java\r\n\tscript:alert(1)"_s},
    {.name = "vbscript", .target = u"VBScript:msgbox(1)"_s},
    {.name = "data", .target = u"DATA:text/html;base64,PHNjcmlwdD4="_s},
    {.name = "vscode", .target = u"vscode://vscode.git/clone?url=https://evil.example/r"_s},
    {.name = "steam", .target = u"steam://run/12345"_s},
    {.name = "apt", .target = u"apt:some-package"_s},
    {.name = "jnlp", .target = u"jnlp://evil.example/start.jnlp"_s},
    {.name = "help", .target = u"help:gnome-terminal"_s},
    {.name = "view-source", .target = u"view-source:http://example.com/"_s},
    {.name = "jar", .target = u"jar:http://example.com/a.jar!/b.class"_s},
    {.name = "flatpak", .target = u"flatpak+https://example.com/app.flatpakref"_s},
    {.name = "custom", .target = u"x-my-app:do?thing=1"_s},
    // Windows schemes, judged by Windows' rules.
    {.name = "its", .target = u"its:C:\\x\\help.chm::/page.htm"_s, .win = true},
    {.name = "hcp", .target = u"hcp://services/search?query=x"_s, .win = true},
    {.name = "ms-appinstaller", .target = u"ms-appinstaller:?source=https://e.example"_s, .win = true},
    {.name = "ms-excel", .target = u"ms-excel:ofe|u|https://evil.example/a.xlsx"_s, .win = true},
    {.name = "ms-word", .target = u"ms-word:ofv|u|https://evil.example/a.docx"_s, .win = true},
    {.name = "ms-settings", .target = u"ms-settings:privacy"_s, .win = true},
    {.name = "microsoft-edge", .target = u"microsoft-edge:https://example.com/"_s, .win = true},
    {.name = "ms-msdt", .target = u"ms-msdt:/id PCWDiagnostic"_s, .win = true},
    {.name = "search-ms", .target = u"search-ms:query=x&crumb=location:\\\\evil\\s"_s, .win = true},
    // Windows programs, scripts, shortcuts and installers by their names,
    // refused before the file system is asked.
    {.name = "exe", .target = u"C:\\Users\\me\\Downloads\\setup.exe"_s, .win = true},
    {.name = "EXE on Linux too", .target = u"C:\\Windows\\calc.EXE"_s},
    {.name = "msix", .target = u"c:\\x\\Update.MSIX"_s, .win = true},
    {.name = "appinstaller", .target = u"C:\\x\\app.appinstaller"_s, .win = true},
    {.name = "ps1", .target = u"C:\\x\\run.ps1"_s, .win = true},
    {.name = "hta", .target = u"C:\\x\\page.hta"_s, .win = true},
    {.name = "lnk", .target = u"C:\\x\\Shortcut.lnk"_s, .win = true},
    {.name = "chm", .target = u"C:\\x\\help.chm"_s, .win = true},
    {.name = "vbs", .target = u"C:\\x\\a.vbs"_s, .win = true},
    {.name = "url", .target = u"C:\\x\\site.url"_s, .win = true},
    {.name = "scf", .target = u"C:\\x\\explorer.scf"_s, .win = true},
    {.name = "reg", .target = u"C:\\x\\tweak.reg"_s, .win = true},
    {.name = "inf", .target = u"C:\\x\\driver.inf"_s, .win = true},
    {.name = "cpl", .target = u"C:\\x\\panel.cpl"_s, .win = true},
    {.name = "scr", .target = u"C:\\x\\saver.scr"_s, .win = true},
    {.name = "jse", .target = u"C:\\x\\a.jse"_s, .win = true},
    {.name = "wsf", .target = u"C:\\x\\a.wsf"_s, .win = true},
    {.name = "bat", .target = u"c:evil.bat"_s, .win = true},
    {.name = "settingcontent", .target = u"C:\\x\\a.SettingContent-ms"_s, .win = true},
    {.name = "trailing dot and blank", .target = u"C:\\x\\calc.exe . "_s, .win = true},
    {.name = "stream", .target = u"C:\\x\\notes.txt:hidden.exe"_s, .win = true},
    {.name = "shell folder", .target = u"C:\\x\\a.{20D04FE0-3AEA-1069-A2D8-08002B30309D}"_s,
     .win = true},
    {.name = "device path", .target = u"\\\\?\\C:\\x\\doc.pdf"_s, .win = true},
    {.name = "Windows UNC path", .target = u"\\\\server\\share\\doc.pdf"_s, .win = true},
    {.name = "Windows file URL, host", .target = u"file://server/share/doc.pdf"_s, .win = true},
    {.name = "Windows document not here", .target = u"C:\\x\\report.pdf"_s, .code = 2, .win = true},
    {.name = "PATHEXT", .target = u"{dir}/tool.xyz"_s, .win = true},
    {.name = "PATHEXT only on Windows", .target = u"{dir}/tool.xyz"_s, .code = 42},
    {.name = "MZ on Windows", .target = u"{dir}/report.doc"_s, .win = true},
    // Windows opens web addresses, mail links and documents like the desktop.
    {.name = "Windows https", .target = u"HTTPS://Example.com/a b\"c"_s,
     .code = 42, .opened = u"https://example.com/a%20b%22c"_s, .win = true},
    {.name = "Windows www", .target = u" www.example.com/x "_s,
     .code = 42, .opened = u"http://www.example.com/x"_s, .win = true},
    {.name = "Windows mailto", .target = u"mailto:a@b.example?Subject=Quorvel Program"_s,
     .code = 42, .opened = u"mailto:a@b.example?Subject=Quorvel%20Program"_s, .win = true},
    {.name = "Windows attach", .target = u"mailto:a@b.example?ATTACHMENT=C:\\x"_s, .win = true},
    {.name = "Windows document", .target = u"{dir}/doc.pdf"_s, .code = 42, .win = true},
    {.name = "Windows folder", .target = u"file://{url}/sub%20dir"_s,
     .code = 42, .opened = u"{dir}/sub dir"_s, .win = true},
    {.name = "Windows launcher", .target = u"{dir}/late-launcher"_s, .win = true},
    // Local folders and documents.
    {.name = "folder", .target = u"{dir}"_s, .code = 42},
    {.name = "blank in folder", .target = u"{dir}/sub dir"_s,
     .code = 42, .opened = u"file://{url}/sub%20dir"_s},
    {.name = "pdf", .target = u"{dir}/doc.pdf"_s, .code = 42},
    {.name = "pdf, blanks around", .target = u"  {dir}/my notes.pdf  "_s,
     .code = 42, .opened = u"file://{url}/my%20notes.pdf"_s},
    {.name = "PDF upper case", .target = u"{dir}/Report.PDF"_s, .code = 42},
    {.name = "html", .target = u"{dir}/page.html"_s, .code = 42},
    {.name = "text", .target = u"{dir}/notes.txt"_s, .code = 42},
    {.name = "text without a name", .target = u"{dir}/readme"_s, .code = 42},
    {.name = "empty file", .target = u"{dir}/empty.txt"_s, .code = 42},
    {.name = "zip archive", .target = u"{dir}/archive.zip"_s, .code = 42},
    {.name = "link to a document", .target = u"{dir}/doc-link.pdf"_s, .code = 42},
    {.name = "file URL", .target = u"file://{url}/doc.pdf"_s, .code = 42},
    {.name = "localhost", .target = u"FILE://localhost{url}/page.html"_s,
     .code = 42, .opened = u"file://{url}/page.html"_s},
    {.name = "file URL, encoded blank", .target = u"file://{url}/my%20notes.pdf"_s, .code = 42},
    // Launchers, packages, installers, programs and scripts on this machine.
    {.name = "launcher with a late header", .target = u"{dir}/late-launcher"_s},
    {.name = "launcher named as text", .target = u"{dir}/late-launcher.txt"_s},
    {.name = "header ending at 8115 bytes", .target = u"{dir}/last-kilobyte-launcher"_s},
    {.name = "KDE launcher", .target = u"{dir}/kde-launcher"_s},
    {.name = "launcher by name", .target = u"{dir}/evil.desktop"_s},
    {.name = "link to a launcher", .target = u"{dir}/launcher-link.pdf"_s},
    {.name = "deb", .target = u"{dir}/app.deb"_s},
    {.name = "deb named as text", .target = u"{dir}/package.txt"_s},
    {.name = "flatpakref", .target = u"{dir}/app.flatpakref"_s},
    {.name = "flatpakref named as text", .target = u"{dir}/install.txt"_s},
    {.name = "jnlp", .target = u"{dir}/start.jnlp"_s},
    {.name = "jnlp under another name", .target = u"{dir}/start.dat"_s},
    {.name = "rpm under another name", .target = u"{dir}/blob.dat"_s},
    {.name = "zip application", .target = u"{dir}/tool.pyz"_s},
    {.name = "java archive", .target = u"{dir}/game.jar"_s},
    {.name = "AppImage", .target = u"file://{url}/App.AppImage"_s},
    {.name = "folder named as a program", .target = u"{dir}/bundle.AppImage"_s},
    {.name = "ELF named as a picture", .target = u"{dir}/photo.jpg"_s},
    {.name = "MZ named as a document", .target = u"{dir}/report.doc"_s},
    {.name = "shebang named as text", .target = u"{dir}/script.txt"_s},
    {.name = "shebang behind a BOM", .target = u"{dir}/bom-script.txt"_s},
    {.name = "link to a script", .target = u"file://{url}/script-link.txt"_s},
    {.name = "shell script by name", .target = u"{dir}/install.sh"_s},
    {.name = "python by name", .target = u"{dir}/tool.py"_s},
    {.name = "perl module by content type", .target = u"{dir}/Data.pm"_s},
    {.name = "execute bit", .target = u"{dir}/run.pdf"_s},
    {.name = "device", .target = u"/dev/null"_s},
    {.name = "desktop file URL, escaped", .target = u"file:///tmp/evil%2Edesktop"_s},
    {.name = "program file URL, escaped", .target = u"file:///tmp/a.ex%65"_s},
    // Local paths that do not exist.
    {.name = "blank", .target = u"     "_s, .code = 2},
    {.name = "gone", .target = u"{dir}/gone.pdf"_s, .code = 2},
    {.name = "gone file URL", .target = u"file://{url}/gone.pdf"_s, .code = 2},
    {.name = "percent sign in a plain path", .target = u"{dir}/my%20notes.pdf"_s, .code = 2},
    {.name = "a name a shell would search", .target = u"calc"_s, .code = 2},
    {.name = "host without a scheme", .target = u"example.com/page"_s, .code = 2},
    {.name = "encoded scheme", .target = u"jav%61script:alert(1)"_s, .code = 2},
};
// clang-format on

QString expand(QString text, const QDir& dir)
{
    const QString url = QUrl::fromLocalFile(dir.path()).toString(QUrl::FullyEncoded).mid(7);
    return text.replace(u"{dir}"_s, dir.path()).replace(u"{url}"_s, url);
}

TEST(ShellAllowList, OpensWebMailAndDocumentsRefusesEverythingElse)
{
    ASSERT_GE(kRows.size(), 100u);
    QTemporaryDir temporary;
    ASSERT_TRUE(temporary.isValid());
    const QDir dir(temporary.path());
    makeFiles(dir);
    ASSERT_FALSE(HasFatalFailure());
    for (const Row& row : kRows) {
        const Outcome outcome = openThrough(row.win, expand(row.target, dir));
        EXPECT_EQ(outcome.code, row.code) << row.name;
        const QStringList expected =
            row.code == 42 ? QStringList{expand(openedFor(row), dir)} : QStringList{};
        EXPECT_EQ(outcome.opened, expected) << row.name;
    }
}

// The list of refused content types at work on the database's own names,
// aliases and ancestors.
TEST(ShellAllowList, ProgramTypesIncludeTheirDescendantsAndAliases)
{
    struct TypeRow {
        const char* name;
        bool program;
    };
    // clang-format off
    const TypeRow rows[] = {
        {.name = "application/x-executable", .program = true},
        {.name = "application/x-sharedlib", .program = true},
        {.name = "text/x-python3", .program = true},    // through text/x-python and x-executable
        {.name = "application/x-csh", .program = true}, // through application/x-shellscript
        {.name = "application/x-deb", .program = true}, // an alias
        {.name = "application/vnd.flatpak.ref", .program = true}, // by the family's prefix
        {.name = "text/x-script.python", .program = true},        // not in this database
        {.name = "application/json", .program = true},            // through JavaScript
        {.name = "application/vnd.android.package-archive", .program = true},
        {.name = "application/x-ms-dos-executable", .program = true},
        {.name = "application/x-msi", .program = true}, {.name = "text/x-ms-regedit", .program = true},
        {.name = "application/x-mswinurl", .program = true},
        {.name = "application/pdf", .program = false}, {.name = "text/plain", .program = false},
        {.name = "text/html", .program = false}, {.name = "application/zip", .program = false},
        {.name = "inode/directory", .program = false}, {.name = "image/svg+xml", .program = false},
        {.name = "application/vnd.oasis.opendocument.text", .program = false},
        {.name = "application/x-ole-storage", .program = false},
    };
    // clang-format on
    for (const TypeRow& row : rows)
        EXPECT_EQ(platform::isProgramType(QString::fromLatin1(row.name)), row.program) << row.name;
}

TEST(ShellAllowList, PathExtEntriesBecomeExtensions)
{
    EXPECT_EQ(platform::extensionsFromPathExt(u" .COM;.Exe;;.PY ;js"_s),
              (QStringList{u"com"_s, u"exe"_s, u"py"_s, u"js"_s}));
    EXPECT_EQ(platform::extensionsFromPathExt(QString()), QStringList{});
}

} // namespace
} // namespace quorvel::test
