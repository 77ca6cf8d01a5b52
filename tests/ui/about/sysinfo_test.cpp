#include "engine/RuntimeError.h"
#include "fakes/FakeServices.h"
#include "platform/qt/QtPrograms.h"
#include "platform/qt/QtRegistry.h"
#include "ui/about/SysInfo.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <optional>

namespace quorvel::test {
namespace {

using Bytes = std::vector<unsigned char>;

const std::string kPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const ShownMessage kNotice{QStringLiteral("System Information Is Unavailable At This Time"),
                           QStringLiteral("Quorvel"), 0};

// The bytes of a C string with its terminator.
Bytes sz(const char* text)
{
    return Bytes(text, text + std::strlen(text) + 1);
}

bool readPath(platform::Registry& registry, QString& value)
{
    return ui::GetKeyValue(registry, platform::Registry::kLocalMachine,
                           QString::fromStdString(kPathKey), QStringLiteral("PATH"), value);
}

TEST(GetKeyValue, ReadsStringsAndNumbersOrEmptiesTheValue)
{
    struct Case {
        const char* what;
        unsigned long type;
        Bytes data;
        long openStatus;
        bool read;
        QString expected;
    };
    const std::vector<Case> cases = {
        {"string with terminator", 1, sz("C:\\info.exe"), 0, true, "C:\\info.exe"},
        {"string without terminator", 1, {'a', 'b', 'c'}, 0, true, "abc"},
        {"terminator only", 1, {0}, 0, true, ""},
        {"1024 bytes fill the buffer", 1, Bytes(1024, 'x'), 0, true, QString(1024, u'x')},
        {"1025 bytes count as missing", 1, Bytes(1025, 'x'), 0, false, ""},
        {"number with a zero high byte", 4, {0x10, 0, 0, 0}, 0, true, "16"},
        {"number, byte order", 4, {0x78, 0x56, 0x34, 0x12}, 0, true, "305419896"},
        // Digits of a byte below 16 keep their zero, or 0x0105 would read as 0x15.
        {"byte below 16 keeps its zero digit", 4, {0x05, 0x01, 0, 0}, 0, true, "261"},
        {"unexpected type keeps the value", 7, sz("a"), 0, true, "before"},
        {"refused opening", 1, sz("a"), 5, false, ""},
    };
    FakeRegistry registry;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        registry.keys[kPathKey]["PATH"] = {c.type, c.data};
        registry.openStatus = c.openStatus;
        QString value = QStringLiteral("before");
        EXPECT_EQ(readPath(registry, value), c.read);
        EXPECT_EQ(value, c.expected);
        EXPECT_EQ(registry.openHandles, 0); // closed if opened, never closed otherwise
    }
    EXPECT_EQ(registry.accessRequested, std::vector<unsigned long>(cases.size(), 0x2003Fu));

    // Size 0 has no last byte to look at: a run-time error, and the key is closed.
    registry.keys[kPathKey]["PATH"] = {1, {}};
    registry.openStatus = 0;
    QString value;
    int error = 0;
    try {
        readPath(registry, value);
    } catch (const RuntimeError& raised) {
        error = raised.number();
    }
    EXPECT_EQ(error, 5);
    EXPECT_EQ(registry.openHandles, 0);
}

TEST(StartSysInfo, StartsWhatTheRegistryNamesOrShowsTheNotice)
{
    const QString tool = QStringLiteral("C:\\Info\\MSINFO32.EXE");
    const QString slashes = QStringLiteral("C:\\Info\\\\MSINFO32.EXE");
    using Value = FakeRegistry::Value;
    const Value gone{1, sz("C:\\gone.exe")}, otherType{2, sz("x")}, empty{1, {}};
    struct Case {
        const char* what;
        std::optional<Value> path;
        const char* folder; // the tool is in C:\Info only
        bool startSucceeds;
        long openStatus;
        QStringList started;
        std::size_t keysRead;
    };
    const Case cases[] = {
        {"path started untested", gone, "C:\\Info", true, 0, {"C:\\gone.exe"}, 1},
        {"path that cannot start", gone, "C:\\Info", false, 0, {"C:\\gone.exe"}, 1},
        {"folder with the tool", {}, "C:\\Info", true, 0, {tool}, 2},
        {"folder ending in a backslash", {}, "C:\\Info\\", true, 0, {slashes}, 2},
        {"folder without the tool", {}, "C:\\Other", true, 0, {}, 2},
        {"no values", {}, nullptr, true, 0, {}, 2},
        {"unexpected type: empty path", otherType, "C:\\Info", true, 0, {}, 1},
        {"empty path value", empty, "C:\\Info", true, 0, {}, 1},
        {"keys refused", gone, "C:\\Info", true, 5, {}, 2},
    };
    const std::vector<std::string> keys{kPathKey, kFolderKey};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeServices fakes;
        if (c.path)
            fakes.registry.keys[kPathKey]["PATH"] = *c.path;
        if (c.folder)
            fakes.registry.keys[kFolderKey]["MSINFO"] = {1, sz(c.folder)};
        fakes.programs.ordinaryFiles = {tool, slashes};
        fakes.programs.startSucceeds = c.startSucceeds;
        fakes.registry.openStatus = c.openStatus;
        ui::StartSysInfo(fakes.services, QStringLiteral("Quorvel"));
        EXPECT_EQ(fakes.programs.started, c.started);
        EXPECT_EQ(fakes.registry.openedKeys,
                  std::vector<std::string>(keys.begin(), keys.begin() + c.keysRead));
        EXPECT_EQ(fakes.registry.openHandles, 0);
        const bool ran = !c.started.isEmpty() && c.startSucceeds;
        EXPECT_EQ(fakes.dialogs.messages,
                  ran ? std::vector<ShownMessage>{} : std::vector<ShownMessage>{kNotice});
    }
}

TEST(SysInfoOnThisPlatform, NoRegistryKeyOrdinaryFilesAndDetachedStarts)
{
    // No registry here: every lookup fails like a missing key.
    platform::QtRegistry registry;
    QString value = QStringLiteral("before");
    EXPECT_FALSE(readPath(registry, value));
    EXPECT_EQ(value, QString());

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto at = [&dir](const char* name) { return dir.filePath(QLatin1String(name)); };
    for (const char* name : {"tool", ".hidden"})
        ASSERT_TRUE(QFile(at(name)).open(QIODevice::WriteOnly));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    ASSERT_TRUE(QFile::link(at("missing"), at("dangling")));
    platform::QtPrograms programs;
    EXPECT_TRUE(programs.isOrdinaryFile(at("tool")));
    for (const char* name : {".hidden", "folder", "missing", "dangling"})
        EXPECT_FALSE(programs.isOrdinaryFile(at(name))) << name;
    EXPECT_FALSE(programs.startDetached(at("missing")));
    EXPECT_TRUE(programs.startDetached(QStringLiteral("/bin/true")));
}

} // namespace
} // namespace quorvel::test
