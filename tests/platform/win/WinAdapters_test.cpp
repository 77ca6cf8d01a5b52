// The Windows adapters against the real system (under Wine on the build
// machine): the registry written with reg.exe, real files, real processes and
// a real top-level window.
#include "fakes/FakeServices.h"
#include "platform/shared/ShellTargets.h"
#include "platform/win/WinInstanceGuard.h"
#include "platform/win/WinPrograms.h"
#include "platform/win/WinRegistry.h"
#include "platform/win/WinShell.h"
#include "platform/win/WinZOrder.h"
#include "ui/about/SysInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <functional>

namespace quorvel::test {
namespace {

using namespace Qt::StringLiterals;

const QString kToolKey = uR"(HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO)"_s;

QString probePath()
{
    return QCoreApplication::applicationDirPath() + u"/quorvel_win_probe.exe"_s;
}

const auto native = QDir::toNativeSeparators;

// reg.exe's exit status, or -1.
int reg(const QStringList& arguments)
{
    QProcess process;
    process.start(u"reg.exe"_s, arguments);
    if (!process.waitForFinished(60000))
        return -1;
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

// The system-information tool's PATH value, as an installer writes it.
int writeToolPath(const QString& type, const QString& data)
{
    return reg({u"add"_s, kToolKey, u"/v"_s, u"PATH"_s, u"/t"_s, type, u"/d"_s, data, u"/f"_s});
}

// A file the probe leaves when started; waits for it as processes start slowly.
QString markLeft(const QString& file)
{
    for (int i = 0; i < 200 && !QFile::exists(file); ++i)
        QTest::qWait(50);
    QFile mark(file);
    if (!mark.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = mark.readAll();
    return QString::fromWCharArray(reinterpret_cast<const wchar_t*>(bytes.constData()),
                                   bytes.size() / 2);
}

// The probe's answer; a first copy holds the guard while `process` keeps its input open.
QByteArray askGuard(QProcess& process, bool hold = false)
{
    process.start(probePath(), {u"guard"_s});
    if (!hold)
        process.closeWriteChannel();
    return process.waitForReadyRead(60000) ? process.readLine().trimmed() : QByteArray();
}

QByteArray askGuard()
{
    QProcess process;
    const QByteArray answer = askGuard(process);
    process.waitForFinished(60000);
    return answer;
}

TEST(WinInstanceGuard, SecondCopyRefusedWhileHolderLivesFreedWhenKilled)
{
    QProcess holder;
    ASSERT_EQ(askGuard(holder, true), "first");

    EXPECT_EQ(askGuard(), "another");
    platform::WinInstanceGuard here;
    EXPECT_TRUE(here.anotherInstanceRunning());
    EXPECT_EQ(holder.state(), QProcess::Running) << "the first copy must be unaffected";

    // Killed, not ended: the system still releases what it held.
    holder.kill();
    ASSERT_TRUE(holder.waitForFinished(60000));
    EXPECT_EQ(askGuard(), "first");
    platform::WinInstanceGuard later;
    EXPECT_FALSE(later.anotherInstanceRunning());
}

struct RegistryRow {
    const char* name;
    std::function<int()> write; // prepares the value through reg.exe
    bool found;
    QString value;
};

// reg add always stores a terminator; an import of raw bytes does not.
int importUnterminated(const QString& text)
{
    QTemporaryDir dir;
    QFile entry(dir.filePath(u"value.reg"_s));
    const QString key = QString(kToolKey).replace(u"HKLM"_s, u"HKEY_LOCAL_MACHINE"_s);
    if (!entry.open(QIODevice::WriteOnly))
        return -1;
    entry.write("Windows Registry Editor Version 5.00\r\n\r\n[" + key.toLatin1() +
                "]\r\n\"PATH\"=hex(1):" + text.toLatin1().toHex(',') + "\r\n");
    entry.close();
    return reg({u"import"_s, native(entry.fileName())});
}

TEST(WinRegistry, ReadsValuesWrittenByRegExe)
{
    const QString path = uR"(C:\Program Files\Tools\msinfo32.exe)"_s;
    // Little-endian 34 12 00 00: the last byte is zero and is cut off as a
    // terminator would be, which leaves the number unchanged.
    // clang-format off
    const RegistryRow rows[] = {
        {"text with terminator", [&] { return writeToolPath(u"REG_SZ"_s, path); }, true, path},
        {"text without terminator", [&] { return importUnterminated(path); }, true, path},
        {"number", [] { return writeToolPath(u"REG_DWORD"_s, u"0x1234"_s); }, true, u"4660"_s},
        {"missing key", [] { return reg({u"delete"_s, kToolKey, u"/f"_s}); }, false, {}},
    };
    // clang-format on
    platform::WinRegistry registry;
    for (const RegistryRow& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_EQ(row.write(), 0) << "reg.exe could not prepare the value";
        QString value = u"stale"_s;
        EXPECT_EQ(ui::GetKeyValue(registry, platform::Registry::kLocalMachine,
                                  u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"_s, u"PATH"_s, value),
                  row.found);
        EXPECT_EQ(value, row.value);
    }
}

struct Sandbox {
    QTemporaryDir dir;
    QString folder; // holds blanks, as "Program Files" does

    Sandbox() : folder(dir.filePath(u"Tool Folder"_s))
    {
        QDir().mkpath(folder);
        QFile::copy(probePath(), folder + u"/probe.exe"_s);
    }
    QString nativePath(const QString& name) const { return native(folder + u'/' + name); }
};

TEST(WinPrograms, OrdinaryFileIsNeitherFolderNorHiddenNorSystem)
{
    Sandbox box;
    struct Row {
        const char* name;
        QString path;
        DWORD attributes;
        bool ordinary;
    };
    // clang-format off
    const Row rows[] = {
        {"ordinary file", u"MSINFO32.EXE"_s, FILE_ATTRIBUTE_NORMAL, true},
        {"read-only file", u"ro.exe"_s, FILE_ATTRIBUTE_READONLY, true},
        {"hidden file", u"hidden.exe"_s, FILE_ATTRIBUTE_HIDDEN, false},
        {"system file", u"system.exe"_s, FILE_ATTRIBUTE_SYSTEM, false},
        {"name beyond Latin-1", u"\u0436\u00e9 tool.exe"_s, FILE_ATTRIBUTE_NORMAL, true},
    };
    // clang-format on
    platform::WinPrograms programs;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(QFile(box.folder + u'/' + row.path).open(QIODevice::WriteOnly));
        const auto path = reinterpret_cast<const wchar_t*>(box.nativePath(row.path).utf16());
        ASSERT_TRUE(SetFileAttributesW(path, row.attributes));
        EXPECT_EQ(programs.isOrdinaryFile(box.nativePath(row.path)), row.ordinary);
    }
    EXPECT_FALSE(programs.isOrdinaryFile(native(box.folder))) << "a folder";
    EXPECT_FALSE(programs.isOrdinaryFile(box.nativePath(u"none.exe"_s))) << "a missing file";
}

TEST(WinPrograms, StartsPlainPathsWithBlanksAndQuotedCommandLines)
{
    Sandbox box;
    // Were the plain path split at its blank, this program would run instead.
    QFile::copy(probePath(), box.dir.filePath(u"Tool.exe"_s));
    const QString probe = box.nativePath(u"probe.exe"_s);
    struct Row {
        const char* name;
        QString value;
        bool started;
        QString mark = {};            // the file the probe leaves
        QString commandLineSeen = {}; // what it was started with
    };
    const QString quoted = u'"' + probe + u"\" mark quoted"_s;
    // clang-format off
    const Row rows[] = {
        {"plain path with blanks", probe, true, u"started"_s, u'"' + probe + u'"'},
        {"quoted command line with arguments", quoted, true, u"quoted"_s, quoted},
        {"plain path of a missing program", box.nativePath(u"none.exe"_s), false},
        {"plain path that only a split would find", box.nativePath(u"probe.exe mark split"_s), false},
        {"quoted missing program", u'"' + box.nativePath(u"none.exe"_s) + u'"', false},
        {"empty", QString(), false},
    };
    // clang-format on
    platform::WinPrograms programs;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(programs.startDetached(row.value), row.started);
        if (row.started) {
            EXPECT_EQ(markLeft(box.folder + u'/' + row.mark + u".txt"_s), row.commandLineSeen);
        }
    }
    EXPECT_FALSE(QFile::exists(box.dir.filePath(u"started.txt"_s)));
}

// The About box's launcher, end to end through the real registry and start.
TEST(WinPrograms, SystemInformationStartsFromQuotedRegistryValue)
{
    Sandbox box;
    const QString value = u'"' + box.nativePath(u"probe.exe"_s) + u"\" mark sysinfo"_s;
    ASSERT_EQ(writeToolPath(u"REG_SZ"_s, value), 0);
    FakeServices fakes;
    platform::WinRegistry registry;
    platform::WinPrograms programs;
    platform::Services services{fakes.dialogs, fakes.shell, fakes.clipboard,    fakes.zOrder,
                                registry,      programs,    fakes.instanceGuard};
    ui::StartSysInfo(services, u"Quorvel"_s);
    EXPECT_TRUE(fakes.dialogs.messages.empty());
    EXPECT_EQ(markLeft(box.folder + u"/sysinfo.txt"_s), value);
    reg({u"delete"_s, kToolKey, u"/f"_s});
}

TEST(WinShell, RefusesProgramsAndOpensNothing)
{
    Sandbox box;
    QFile::copy(probePath(), box.folder + u"/disguised.txt"_s);
    platform::WinShell shell;
    EXPECT_EQ(shell.open(box.nativePath(u"probe.exe"_s)), platform::kShellAccessDenied);
    EXPECT_EQ(shell.open(box.nativePath(u"disguised.txt"_s)), platform::kShellAccessDenied)
        << "a program under a document's name";
    EXPECT_EQ(shell.open(box.nativePath(u"none.pdf"_s)), platform::kShellFileNotFound);
    // Anything started would have left its mark by now.
    QTest::qWait(2000);
    EXPECT_EQ(QDir(box.folder).entryList({u"*.txt"_s}), QStringList{u"disguised.txt"_s});
}

bool reportsTopmost(QWidget& window)
{
    const auto hwnd = reinterpret_cast<HWND>(window.winId());
    return (GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// Chosen before the window exists, then switched in place.
TEST(WinZOrder, TopmostFromTheStartThenOutAndInInPlace)
{
    ASSERT_EQ(QGuiApplication::platformName(), u"windows"_s) << "real windows are needed";
    QWidget window;
    window.setGeometry(200, 200, 320, 160);
    platform::WinZOrder zOrder;
    zOrder.setTopmost(&window, true);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_TRUE(reportsTopmost(window));
    const QRect before = window.geometry();
    for (const bool topmost : {false, true, false}) {
        SCOPED_TRACE(topmost ? "into the topmost band" : "out of it");
        zOrder.setTopmost(&window, topmost);
        QCoreApplication::processEvents();
        EXPECT_EQ(reportsTopmost(window), topmost);
        EXPECT_EQ(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint), topmost);
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(window.geometry(), before);
    }
}

} // namespace
} // namespace quorvel::test
