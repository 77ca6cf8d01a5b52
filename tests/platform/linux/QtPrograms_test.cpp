#include "fakes/FakeServices.h"
#include "platform/linux/QtPrograms.h"
#include "platform/linux/QtRegistry.h"
#include "ui/about/SysInfo.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

using namespace Qt::StringLiterals;

// No registry here: both lookups fail like missing keys; only ordinary files start.
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
