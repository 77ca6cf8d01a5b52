#include "engine/RuntimeError.h"
#include "fakes/FakeServices.h"
#include "platform/qt/QtPrograms.h"
#include "platform/qt/QtRegistry.h"
#include "ui/about/SysInfo.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvel::test {
namespace {

using Bytes = std::vector<unsigned char>;

const std::string kPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const QString kNotice = QStringLiteral("System Information Is Unavailable At This Time");

Bytes bytesOf(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

Bytes terminated(const std::string& text)
{
    Bytes bytes = bytesOf(text);
    bytes.push_back(0);
    return bytes;
}

class GetKeyValueTest : public testing::Test {
protected:
    bool read(QString& value, const std::string& valueName = "PATH")
    {
        return ui::GetKeyValue(registry, platform::Registry::kLocalMachine,
                               QString::fromStdString(kPathKey), QString::fromStdString(valueName),
                               value);
    }
    void store(unsigned long type, Bytes data) { registry.keys[kPathKey]["PATH"] = {type, data}; }

    FakeRegistry registry;
};

TEST_F(GetKeyValueTest, ValuesReadAsText)
{
    struct Case {
        const char* what;
        unsigned long type;
        Bytes data;
        QString expected;
    };
    const std::vector<Case> cases = {
        {"string with terminator", 1, terminated("C:\\Tools\\info.exe"), "C:\\Tools\\info.exe"},
        {"string without terminator", 1, bytesOf("C:\\Tools\\info.exe"), "C:\\Tools\\info.exe"},
        {"empty string, terminator only", 1, Bytes{0}, ""},
        {"string filling the buffer", 1, Bytes(1024, 'x'), QString(1024, u'x')},
        {"number with a zero high byte", 4, Bytes{0x10, 0x00, 0x00, 0x00}, "16"},
        {"number with a byte below 16", 4, Bytes{0x05, 0x01, 0x00, 0x00}, "261"},
        {"number with all bytes set", 4, Bytes{0x01, 0x02, 0x03, 0x04}, "67305985"},
        {"largest number", 4, Bytes{0xFF, 0xFF, 0xFF, 0xFF}, "4294967295"},
        {"number zero", 4, Bytes{0, 0, 0, 0}, "0"},
        {"unexpected type keeps the value", 7, terminated("a"), "before"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        store(c.type, c.data);
        QString value = QStringLiteral("before");
        EXPECT_TRUE(read(value));
        EXPECT_EQ(value, c.expected);
        EXPECT_EQ(registry.openHandles, 0);
    }
    EXPECT_EQ(registry.accessRequested, std::vector<unsigned long>(cases.size(), 0x2003Fu));
}

TEST_F(GetKeyValueTest, FailuresEmptyTheValue)
{
    store(1, Bytes(1025, 'x'));
    registry.keys["other"] = {};
    struct Case {
        const char* what;
        std::string valueName;
        long openStatus;
    };
    for (const Case& c : {Case{"value larger than the buffer", "PATH", 0},
                          Case{"missing value", "NOPE", 0}, Case{"refused opening", "PATH", 5}}) {
        SCOPED_TRACE(c.what);
        registry.openStatus = c.openStatus;
        QString value = QStringLiteral("before");
        EXPECT_FALSE(read(value, c.valueName));
        EXPECT_EQ(value, QString());
        EXPECT_EQ(registry.openHandles, 0); // closed if opened, never closed otherwise
    }
    QString value = QStringLiteral("before");
    EXPECT_FALSE(ui::GetKeyValue(registry, platform::Registry::kLocalMachine,
                                 QStringLiteral("missing"), QStringLiteral("PATH"), value));
    EXPECT_EQ(value, QString());
}

TEST_F(GetKeyValueTest, BadDataRaisesRunTimeErrorsAndClosesTheKey)
{
    struct Case {
        const char* what;
        unsigned long type;
        Bytes data;
        int error;
    };
    for (const Case& c : {Case{"empty value", 1, Bytes{}, 5},
                          Case{"number wider than 32 bits", 4, Bytes{1, 2, 3, 4, 5}, 6}}) {
        SCOPED_TRACE(c.what);
        store(c.type, c.data);
        QString value;
        try {
            read(value);
            ADD_FAILURE() << "no error raised";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.number(), c.error);
        }
        EXPECT_EQ(registry.openHandles, 0);
    }
}

void startSysInfo(FakeServices& fakes)
{
    ui::StartSysInfo(fakes.services, QStringLiteral("Quorvel"));
}

void expectNotice(const FakeServices& fakes)
{
    EXPECT_EQ(fakes.dialogs.messages,
              (std::vector<ShownMessage>{{kNotice, QStringLiteral("Quorvel"), 0}}));
}

void setPath(FakeServices& fakes, unsigned long type, const Bytes& data)
{
    fakes.registry.keys[kPathKey]["PATH"] = {type, data};
}

void setFolder(FakeServices& fakes, const std::string& folder)
{
    fakes.registry.keys[kFolderKey]["MSINFO"] = {1, terminated(folder)};
}

TEST(StartSysInfo, PathValueIsStartedUntestedAndTheFolderKeyIsNotRead)
{
    FakeServices fakes;
    setPath(fakes, 1, terminated("C:\\Program Files\\Info\\msinfo32.exe"));
    setFolder(fakes, "C:\\Info");
    fakes.programs.ordinaryFiles = {"C:\\Info\\MSINFO32.EXE"};
    startSysInfo(fakes);
    EXPECT_EQ(fakes.programs.started, QStringList{"C:\\Program Files\\Info\\msinfo32.exe"});
    EXPECT_EQ(fakes.registry.openedKeys, std::vector<std::string>{kPathKey});
    EXPECT_TRUE(fakes.dialogs.messages.empty());
}

TEST(StartSysInfo, PathThatCannotStartShowsTheNotice)
{
    FakeServices fakes;
    setPath(fakes, 1, terminated("C:\\gone.exe"));
    setFolder(fakes, "C:\\Info");
    fakes.programs.ordinaryFiles = {"C:\\Info\\MSINFO32.EXE"};
    fakes.programs.startSucceeds = false;
    startSysInfo(fakes);
    EXPECT_EQ(fakes.programs.started, QStringList{"C:\\gone.exe"});
    EXPECT_EQ(fakes.registry.openedKeys, std::vector<std::string>{kPathKey});
    expectNotice(fakes);
}

TEST(StartSysInfo, FolderValueStartsTheToolOnlyWhenItIsAnOrdinaryFile)
{
    struct Case {
        std::string folder;
        QStringList ordinaryFiles;
        QStringList started;
    };
    const std::vector<Case> cases = {
        {"C:\\Info", {"C:\\Info\\MSINFO32.EXE"}, {"C:\\Info\\MSINFO32.EXE"}},
        {"C:\\Info\\", {"C:\\Info\\\\MSINFO32.EXE"}, {"C:\\Info\\\\MSINFO32.EXE"}},
        {"C:\\Info", {}, {}},
        {"C:\\Info", {"C:\\Info\\msinfo32.exe"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder + " " + c.ordinaryFiles.join(',').toStdString());
        FakeServices fakes;
        setFolder(fakes, c.folder);
        fakes.programs.ordinaryFiles = c.ordinaryFiles;
        startSysInfo(fakes);
        EXPECT_EQ(fakes.programs.started, c.started);
        EXPECT_EQ(fakes.registry.openedKeys, (std::vector<std::string>{kPathKey, kFolderKey}));
        if (c.started.isEmpty())
            expectNotice(fakes);
        else
            EXPECT_TRUE(fakes.dialogs.messages.empty());
    }
}

TEST(StartSysInfo, EveryOtherFailureEndsInTheNotice)
{
    struct Case {
        const char* what;
        void (*arrange)(FakeServices&);
    };
    const Case cases[] = {
        {"no registry value", [](FakeServices&) {}},
        {"unexpected type: empty path",
         [](FakeServices& f) { setPath(f, 2, terminated("C:\\x.exe")); }},
        {"empty path value", [](FakeServices& f) { setPath(f, 1, {}); }},
        {"keys refused",
         [](FakeServices& f) {
             setPath(f, 1, terminated("C:\\x.exe"));
             setFolder(f, "C:\\Info");
             f.programs.ordinaryFiles = {"C:\\Info\\MSINFO32.EXE"};
             f.registry.openStatus = 5;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeServices fakes;
        c.arrange(fakes);
        startSysInfo(fakes);
        EXPECT_TRUE(fakes.programs.started.isEmpty());
        EXPECT_EQ(fakes.registry.openHandles, 0);
        expectNotice(fakes);
    }
}

TEST(SysInfoOnThisPlatform, RegistryFindsNoKeySoTheNoticeShows)
{
    FakeServices fakes;
    platform::QtRegistry registry;
    platform::Services services{fakes.dialogs, fakes.shell,    fakes.clipboard,    fakes.zOrder,
                                registry,      fakes.programs, fakes.instanceGuard};
    ui::StartSysInfo(services, QStringLiteral("Quorvel"));
    EXPECT_TRUE(fakes.programs.started.isEmpty());
    EXPECT_EQ(fakes.dialogs.messages,
              (std::vector<ShownMessage>{{kNotice, QStringLiteral("Quorvel"), 0}}));
}

TEST(SysInfoOnThisPlatform, OrdinaryFileTest)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* name : {"tool", ".hidden"}) {
        QFile file(dir.filePath(QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("missing")),
                            dir.filePath(QStringLiteral("dangling"))));
    platform::QtPrograms programs;
    EXPECT_TRUE(programs.isOrdinaryFile(dir.filePath(QStringLiteral("tool"))));
    for (const char* name : {".hidden", "folder", "missing", "dangling"})
        EXPECT_FALSE(programs.isOrdinaryFile(dir.filePath(QLatin1String(name)))) << name;
    EXPECT_FALSE(programs.startDetached(dir.filePath(QStringLiteral("missing"))));
}

} // namespace
} // namespace quorvel::test
