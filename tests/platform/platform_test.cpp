// The platform layer's own logic and the Qt adapters that need no window manager.
#include "fakes/FakeServices.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtInstanceGuard.h"
#include "platform/qt/QtPrograms.h"
#include "platform/qt/QtRegistry.h"
#include "platform/qt/QtShell.h"
#include "platform/shared/ShellTargets.h"
#include "ui/about/SysInfo.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <tuple>

namespace quorvel::test {
namespace {

using namespace Qt::StringLiterals;

// Local files are made on disk, so that the real probe judges them; the desktop
// handler is a stand-in that records what reaches it.
TEST(QtShell, RefusesCodeAndProgramsOpensDocuments)
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
    const QString url = QUrl::fromLocalFile(pdf).toString(QUrl::FullyEncoded);
    QList<QUrl> opened;
    platform::QtShell shell([&](const QUrl& target) {
        opened << target;
        return target.host() != u"www.none.example"; // no handler for that one
    });
    const std::pair<int, QStringList> cases[] = {
        {42, // opened: any result above 32
         {"HTTPS://EXAMPLE.COM/a?b=c&d=%20e", "  http://example.com/  ",
          "mailto:someone@example.com?Subject=Quorvel Program",
          // What a web link points at is the browser's business.
          "http://example.com/setup.exe", "WWW.example.com:8080/x", "  " + pdf + "  ",
          "FILE://localhost" + url.mid(7), dir.path()}},
        // No handler for it; not a valid URL.
        {31, {"www.none.example", "http://exa mple.com/"}},
        {5, // access denied
         {  // Schemes that run code, however disguised.
          "  JavaScript:alert(1)", "\x01javascript:alert(1)", "java\r\n\tscript:alert(1)",
          "VBScript:msgbox(1)", "DATA:text/html;base64,PHNjcmlwdD4=",
          // Programs, scripts and launchers by their content, or behind a link.
          write(u"run-me"_s, "#!/bin/sh\nrm -rf ~\n"),
          write(u"launcher"_s, "# by hand\n[Desktop Entry]\n"), write(u"tool"_s, "MZ\x90"),
          write(u"prog"_s, "data", true), dir.filePath(u"a.pdf"_s), "/dev/null",
          // Named as programs: refused before the file system is asked.
          "C:\\Windows\\calc.EXE", "c:evil.cmd", "/tmp/evil.desktop", "file:///tmp/evil%2Edesktop",
          "file:///tmp/a.ex%65",
          // Windows drops trailing dots and blanks and reads "name:stream".
          "C:\\x\\calc.exe . ", "C:\\x\\notes.txt:hidden.exe",
          // Network shares cannot be checked without reaching them.
          "\\\\server\\share\\report.pdf", "//server/share/a.pdf", "file://server/share/a.pdf"}},
        {2, // file not found
         {"     ", dir.filePath(u"gone.pdf"_s),
          // A percent sign in a plain path is a character, not an escape.
          dir.filePath(u"my%20notes.pdf"_s),
          // Never handed over: a native shell would search its program path.
          "calc", "example.com/page"}},
    };
    for (const auto& [code, targets] : cases) {
        for (const QString& target : targets)
            EXPECT_EQ(shell.open(target), code) << "[" << target.toStdString() << "]";
    }
    // Only what may open reaches a handler, an address from "www." on as a web one.
    EXPECT_EQ(opened.size(), cases[0].second.size() + 1);
    EXPECT_EQ(opened.last(), QUrl(u"http://www.none.example"_s));
    // The real adapter, only with a target it must not hand to any handler.
    EXPECT_EQ(platform::QtShell().open(u"file:///bin/sh"_s), 5);
    // Even looking at a network share would reach the server.
    const auto look = [](const QString&) { return ADD_FAILURE(), platform::LocalFileFacts{}; };
    platform::decideShellTarget(u"\\\\server\\share\\x.pdf"_s, {look});
}

// The real box, read and closed from a timer once its modal loop runs.
TEST(QtDialogs, MessageBoxShowsTextTitleAndIcon)
{
    const std::pair<MessageStyle, QMessageBox::Icon> cases[] = {
        {MessageStyle::Plain, QMessageBox::NoIcon},
        {MessageStyle::Critical, QMessageBox::Critical},
        {MessageStyle::Exclamation, QMessageBox::Warning},
        {MessageStyle::Information, QMessageBox::Information}};
    for (const auto& [style, icon] : cases) {
        SCOPED_TRACE(static_cast<int>(style));
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            seen = true;
            EXPECT_EQ(box->text(), u"first\nsecond"_s); // a lone CR would show as a glyph
            EXPECT_EQ(box->windowTitle(), u"Title"_s);
            EXPECT_EQ(box->icon(), icon);
            EXPECT_EQ(box->buttons().size(), 1);
            box->button(QMessageBox::Ok)->click();
        });
        platform::QtDialogs().messageBox(u"first\r\nsecond"_s, u"Title"_s, style);
        EXPECT_TRUE(seen);
    }
}

// A window manager shortens a title wider than its title bar: the box leaves room for
// the whole title in bold beside the bar's icon and three buttons, about a line each.
TEST(QtDialogs, MessageBoxIsWideEnoughForItsTitle)
{
    struct Row {
        const char* name;
        QString text;
        QString title;
    };
    const Row rows[] = {
        {.name = "overflow", .text = u"6 : Overflow"_s, .title = u"FixTheURLDyn"_s},
        {.name = "longest title", .text = u"5 : Bad call"_s, .title = u"txtBadURL_OLEDragDrop"_s},
    };
    for (const Row& row : rows) {
        int width = 0, needed = 1;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            QFont bold = box->font();
            bold.setBold(true);
            const QFontMetrics metrics(bold);
            needed = metrics.horizontalAdvance(row.title) + 4 * metrics.height();
            width = box->width();
            box->button(QMessageBox::Ok)->click();
        });
        platform::QtDialogs().messageBox(row.text, row.title, MessageStyle::Critical);
        EXPECT_GE(width, needed) << row.name;
    }
}

TEST(QtClipboard, ClearsEveryFormatThenSetsPlainText)
{
    auto* old = new QMimeData;
    old->setHtml(u"<b>old</b>"_s);
    QGuiApplication::clipboard()->setMimeData(old);
    platform::QtClipboard clipboard;
    clipboard.clear();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    EXPECT_TRUE(data == nullptr || data->formats().isEmpty());
    clipboard.setText(u"  http://x.example/\u00e4  "_s);
    data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->formats(), QStringList{u"text/plain"_s});
    EXPECT_EQ(data->text(), u"  http://x.example/\u00e4  "_s);
}

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

// No registry here: both lookups fail like missing keys.
TEST(SysInfoOnThisPlatform, NoticeAndOrdinaryFiles)
{
    FakeServices fakes;
    platform::QtRegistry registry;
    platform::Services services{fakes.dialogs, fakes.shell,    fakes.clipboard,    fakes.zOrder,
                                registry,      fakes.programs, fakes.instanceGuard};
    ui::StartSysInfo(services, u"Quorvel"_s);
    const ShownMessage notice{ui::kSysInfoUnavailable, u"Quorvel"_s, 0};
    EXPECT_EQ(fakes.dialogs.messages, std::vector{notice});

    QTemporaryDir dir;
    const auto at = [&dir](const char* name) { return dir.filePath(QLatin1String(name)); };
    for (const char* name : {"tool", ".hidden"})
        ASSERT_TRUE(QFile(at(name)).open(QIODevice::WriteOnly));
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"folder"_s));
    platform::QtPrograms programs;
    EXPECT_TRUE(programs.isOrdinaryFile(at("tool")));
    for (const char* name : {".hidden", "folder", "missing"})
        EXPECT_FALSE(programs.isOrdinaryFile(at(name))) << name;
}

} // namespace
} // namespace quorvel::test
