// The shell-open step's allow-list, target by target, with a stand-in handler
// that records what would have been opened.
#include "platform/linux/QtShell.h"
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
// given, a local path on the desktop as its file URL. Local files are made
// from .file first, so that the real probe and the MIME database judge them.
struct Row {
    const char* name;
    QString target;
    int code = 5;        // 42 opened, 31 no handler, 5 refused, 2 not found
    bool win = false;    // judged by Windows' rules
    QString opened = {}; // what reached the handler, when opened
    QByteArray file = {};
};
constexpr bool win = true, desktop = false;

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

// clang-format off
const std::vector<Row> kRows = {
    // Web addresses: any path, query, fragment, port or letter case.
    {"upper case", u"HTTPS://EXAMPLE.COM/A/B?C=D#E"_s, 42, desktop, u"https://example.com/A/B?C=D#E"_s},
    {"user and port", u"https://user@example.com:8443/"_s, 42},
    {"IPv6 host", u"http://[::1]:8080/"_s, 42},
    {"IDN host", u"https://b\u00fccher.example/"_s, 42, desktop, u"https://xn--bcher-kva.example/"_s},
    {"web program", u"https://example.com/setup.exe"_s, 42},
    {"not mail", u"https://example.com/?attach=/etc/passwd"_s, 42},
    {"not a valid URL", u"http://exa mple.com/"_s, 31},
    // Addresses from www. on open as web addresses.
    {"www with port", u"  www.example.com:8080/x"_s, 42, desktop, u"http://www.example.com:8080/x"_s},
    {"WWW with path", u"WWW.Example.com/path?q=1#f"_s, 42, desktop, u"http://www.example.com/path?q=1#f"_s},
    // Mail links without attachments.
    {"About link", u"mailto:veskard@veskard.example?Subject=Quorvel Program"_s, 42, desktop, u"mailto:veskard@veskard.example?Subject=Quorvel%20Program"_s},
    {"attach in the address", u"mailto:attacher@example.com"_s, 42},
    {"attach in a value", u"mailto:a@b.example?subject=see the attachment"_s, 42, desktop, u"mailto:a@b.example?subject=see%20the%20attachment"_s},
    // Mail links that would attach a local file.
    {"ATTACH", u"mailto:a@b.example?ATTACH=/etc/passwd"_s},
    {"Attachment", u"mailto:a@b.example?subject=x&Attachment=~/.ssh/id_rsa"_s},
    {"encoded twice", u"mailto:a@b.example?%2561TTACH=/etc/passwd"_s},
    {"after a semicolon", u"mailto:a@b.example?subject=x;attach=y"_s},
    {"after a second ?", u"mailto:a@b.example?subject=x?attach=y"_s},
    {"with blanks", u"mailto:a@b.example?%20attach%20=/etc/passwd"_s},
    {"attach split", u"mailto:a@b.example?at\r\ntach=/etc/passwd"_s},
    {"encoded &", u"mailto:a@b.example?subject=x%26attach%3D/etc/passwd"_s},
    // Network shares and remote file systems reach a host the link names.
    {"FTP upper case", u"  FTP://ftp.example.com/"_s},
    {"UNC path", u"\\\\server\\share\\report.pdf"_s},
    {"slashed UNC path", u"//server/share/a.pdf"_s},
    {"file URL with a host", u"file://server/share/a.pdf"_s},
    // Schemes of applications, which do what the link tells them.
    {"javascript", u"  JavaScript:alert(1)"_s},
    {"javascript after a control", u"\x01javascript:alert(1)"_s},
    {"javascript split", u"java\r\n\tscript:alert(1)"_s},
    {"view-source", u"view-source:http://example.com/"_s},
    {"flatpak", u"flatpak+https://example.com/app.flatpakref"_s},
    {"custom", u"x-my-app:do?thing=1"_s},
    // Windows schemes, judged by Windows' rules.
    {"its", u"its:C:\\x\\help.chm::/page.htm"_s, 5, win},
    {"search-ms", u"search-ms:query=x&crumb=location:\\\\evil\\s"_s, 5, win},
    // Windows programs, scripts, shortcuts and installers by their names,
    // refused before the file system is asked.
    {"EXE on Linux too", u"C:\\Windows\\calc.EXE"_s},
    {"msix", u"c:\\x\\Update.MSIX"_s, 5, win},
    {"bat", u"c:evil.bat"_s, 5, win},
    {"settingcontent", u"C:\\x\\a.SettingContent-ms"_s, 5, win},
    {"trailing dot and blank", u"C:\\x\\calc.exe . "_s, 5, win},
    {"stream", u"C:\\x\\notes.txt:hidden.exe"_s, 5, win},
    {"shell folder", u"C:\\x\\a.{20D04FE0-3AEA-1069-A2D8-08002B30309D}"_s, 5, win},
    {"device path", u"\\\\?\\C:\\x\\doc.pdf"_s, 5, win},
    {"Windows document not here", u"C:\\x\\report.pdf"_s, 2, win},
    {"PATHEXT", u"{dir}/tool.xyz"_s, 5, win},
    {"PATHEXT only on Windows", u"{dir}/tool.xyz"_s, 42, desktop, {}, "Only Windows' PATHEXT makes this a program.\n"},
    {"MZ on Windows", u"{dir}/report.doc"_s, 5, win},
    // Windows opens web addresses, mail links and documents like the desktop.
    {"Windows https", u"HTTPS://Example.com/a b\"c"_s, 42, win, u"https://example.com/a%20b%22c"_s},
    {"Windows folder", u"file://{url}/sub%20dir"_s, 42, win, u"{dir}/sub dir"_s},
    // Local folders and documents.
    {"folder", u"{dir}"_s, 42},
    {"pdf, blanks around", u"  {dir}/my notes.pdf  "_s, 42, desktop, u"file://{url}/my%20notes.pdf"_s, "%PDF-1.7\n"},
    {"html", u"{dir}/page.html"_s, 42, desktop, {}, "<!DOCTYPE html>\n<html><body>Hello</body></html>\n"},
    {"text without a name", u"{dir}/readme"_s, 42, desktop, {}, "Plain words without a name that says so.\n"},
    {"empty file", u"{dir}/empty.txt"_s, 42, desktop, {}, ""},
    {"zip archive", u"{dir}/archive.zip"_s, 42, desktop, {}, QByteArray("PK\x03\x04\x14\0\0\0", 8)},
    {"link to a document", u"{dir}/doc-link.pdf"_s, 42},
    {"file URL", u"file://{url}/doc.pdf"_s, 42, desktop, {}, "%PDF-1.4\n%\xe2\xe3\xcf\xd3\n"},
    {"localhost", u"FILE://localhost{url}/page.html"_s, 42, desktop, u"file://{url}/page.html"_s},
    {"file URL, encoded blank", u"file://{url}/my%20notes.pdf"_s, 42},
    // Launchers, packages, installers, programs and scripts on this machine.
    {"launcher with a late header", u"{dir}/late-launcher"_s, 5, desktop, {}, kPadding + "[Desktop Entry]\nType=Application\nExec=sh\n"},
    {"launcher named as text", u"{dir}/late-launcher.txt"_s, 5, desktop, {}, kPadding + "[Desktop Entry]\nExec=sh\n"},
    {"header ending at 8115 bytes", u"{dir}/last-kilobyte-launcher"_s, 5, desktop, {}, kPadding.repeated(3).left(8100) + "[Desktop Entry]\n"},
    {"KDE launcher", u"{dir}/kde-launcher"_s, 5, desktop, {}, "[KDE Desktop Entry]\nExec=sh\n"},
    {"launcher by name", u"{dir}/evil.desktop"_s, 5, desktop, {}, "plain words"},
    {"link to a launcher", u"{dir}/launcher-link.pdf"_s},
    {"deb named as text", u"{dir}/package.txt"_s, 5, desktop, {}, "!<arch>\ndebian-binary   1342943816  0     0     100644  4\n"},
    {"flatpakref named as text", u"{dir}/install.txt"_s, 5, desktop, {}, "[Flatpak Ref]\nName=org.example.App\n"},
    {"jnlp under another name", u"{dir}/start.dat"_s, 5, desktop, {}, "<?xml version=\"1.0\"?>\n<jnlp codebase=\"http://a.example/\">\n"},
    {"rpm under another name", u"{dir}/blob.dat"_s, 5, desktop, {}, "\xed\xab\xee\xdb\x03"},
    {"zip application", u"{dir}/tool.pyz"_s, 5, desktop, {}, QByteArray("PK\x03\x04\x14\0\0\0", 8)},
    {"java archive", u"{dir}/game.jar"_s, 5, desktop, {}, QByteArray("PK\x03\x04\x14\0\0\0", 8)},
    {"AppImage", u"file://{url}/App.AppImage"_s, 5, desktop, {}, "\x7f" "ELF\2\1\1"},
    {"folder named as a program", u"{dir}/bundle.AppImage"_s},
    {"ELF named as a picture", u"{dir}/photo.jpg"_s, 5, desktop, {}, "\x7f" "ELF\2\1\1"},
    {"MZ named as a document", u"{dir}/report.doc"_s, 5, desktop, {}, "MZ\x90"},
    {"shebang named as text", u"{dir}/script.txt"_s, 5, desktop, {}, "#!/bin/sh\nrm -rf ~\n"},
    {"shebang behind a BOM", u"{dir}/bom-script.txt"_s, 5, desktop, {}, "\xef\xbb\xbf#!/bin/sh\n"},
    {"link to a script", u"file://{url}/script-link.txt"_s},
    {"shell script by name", u"{dir}/install.sh"_s, 5, desktop, {}, "echo plain words\n"},
    {"python by name", u"{dir}/tool.py"_s, 5, desktop, {}, "print('hi')\n"},
    {"perl module by content type", u"{dir}/Data.pm"_s, 5, desktop, {}, "package Data;\n1;\n"},
    {"execute bit", u"{dir}/run.pdf"_s, 5, desktop, {}, "%PDF-1.4\n"},
    {"device", u"/dev/null"_s},
    {"program file URL, escaped", u"file:///tmp/a.ex%65"_s},
    // Local paths that do not exist.
    {"blank", u"     "_s, 2},
    {"gone file URL", u"file://{url}/gone.pdf"_s, 2},
    {"percent sign in a plain path", u"{dir}/my%20notes.pdf"_s, 2},
    {"a name a shell would search", u"calc"_s, 2},
    {"host without a scheme", u"example.com/page"_s, 2},
    {"encoded scheme", u"jav%61script:alert(1)"_s, 2},
};
// clang-format on

QString expand(QString text, const QDir& dir)
{
    const QString url = QUrl::fromLocalFile(dir.path()).toString(QUrl::FullyEncoded).mid(7);
    return text.replace(u"{dir}"_s, dir.path()).replace(u"{url}"_s, url);
}

TEST(ShellAllowList, OpensWebMailAndDocumentsRefusesEverythingElse)
{
    QTemporaryDir temporary;
    ASSERT_TRUE(temporary.isValid());
    const QDir dir(temporary.path());
    for (const Row& row : kRows) {
        QFile file(dir.filePath(row.target.trimmed().section(u'/', -1)));
        if (!row.file.isNull()) {
            ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(row.file) >= 0) << row.name;
        }
    }
    const QString program = dir.filePath(u"run.pdf"_s);
    ASSERT_TRUE(QFile::setPermissions(program, QFile::permissions(program) | QFile::ExeOwner));
    ASSERT_TRUE(dir.mkdir(u"sub dir"_s));
    ASSERT_TRUE(dir.mkdir(u"bundle.AppImage"_s));
    ASSERT_TRUE(QFile::link(dir.filePath(u"evil.desktop"_s), dir.filePath(u"launcher-link.pdf"_s)));
    ASSERT_TRUE(QFile::link(dir.filePath(u"doc.pdf"_s), dir.filePath(u"doc-link.pdf"_s)));
    ASSERT_TRUE(QFile::link(dir.filePath(u"script.txt"_s), dir.filePath(u"script-link.txt"_s)));
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
    // clang-format off
    for (const char* type : {"application/x-executable", "application/x-sharedlib",
             "text/x-python3",                 // through text/x-python and x-executable
             "application/x-csh",              // through application/x-shellscript
             "application/x-deb",              // an alias
             "application/vnd.flatpak.ref",    // by the family's prefix
             "text/x-script.python",           // not in this database
             "application/json",               // through JavaScript
             "application/vnd.android.package-archive", "application/x-ms-dos-executable",
             "application/x-msi", "text/x-ms-regedit", "application/x-mswinurl"})
        EXPECT_TRUE(platform::isProgramType(QString::fromLatin1(type))) << type;
    for (const char* type : {"application/pdf", "text/plain", "text/html", "application/zip",
             "inode/directory", "image/svg+xml", "application/vnd.oasis.opendocument.text",
             "application/x-ole-storage"})
        EXPECT_FALSE(platform::isProgramType(QString::fromLatin1(type))) << type;
    // clang-format on
}

// The rest of the fixed list of program extensions, each refused by its name.
TEST(ShellAllowList, WindowsProgramNamesAreRefusedUnseen)
{
    for (const char* name : {"app.appinstaller", "run.ps1", "page.hta", "Shortcut.lnk", "help.chm",
                             "a.vbs", "site.url", "explorer.scf", "tweak.reg", "driver.inf",
                             "panel.cpl", "saver.scr", "a.jse", "a.wsf"})
        EXPECT_EQ(openThrough(win, u"C:\\x\\"_s + QLatin1String(name)).code, 5) << name;
}

TEST(ShellAllowList, PathExtEntriesBecomeExtensions)
{
    EXPECT_EQ(platform::extensionsFromPathExt(u" .COM;.Exe;;.PY ;js"_s),
              (QStringList{u"com"_s, u"exe"_s, u"py"_s, u"js"_s}));
}

} // namespace
} // namespace quorvel::test
