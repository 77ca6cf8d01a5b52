#include "engine/RuntimeError.h"
#include "fakes/FakeServices.h"
#include "ui/about/SysInfo.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <tuple>

namespace quorvel::test {
namespace {

using namespace Qt::StringLiterals;
using Bytes = std::vector<unsigned char>;

const ShownMessage kNotice{u"System Information Is Unavailable At This Time"_s, u"Quorvel"_s, 0};
const std::string kPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
// The bytes of a C string with its terminator.
const auto sz = [](const char* text) { return Bytes(text, text + std::strlen(text) + 1); };

TEST(GetKeyValue, ReadsStringsAndNumbersOrEmptiesTheValue)
{
    struct Stored {
        const char* name;
        unsigned long type = 1; // 1 text, 4 number
        Bytes data = {};
        long openStatus = 0;
        bool read = true;
        QString value = {}; // afterwards; it was "before"
        int error = 0;      // the run-time error raised
    };
    // clang-format off
    const Stored rows[] = {
        {.name = "string with terminator", .data = sz("C:\\info.exe"), .value = "C:\\info.exe"},
        {.name = "string without terminator", .data = {'a', 'b', 'c'}, .value = "abc"},
        {.name = "1024 bytes fill the buffer", .data = Bytes(1024, 'x'), .value = QString(1024, u'x')},
        {.name = "1025 bytes count as missing", .data = Bytes(1025, 'x'), .read = false},
        {.name = "number with a zero high byte", .type = 4, .data = {0x10, 0, 0, 0}, .value = "16"},
        // Digits of a byte below 16 keep their zero, or 0x0105 would read as 0x15.
        {.name = "byte below 16", .type = 4, .data = {0x05, 0x01, 0, 0}, .value = "261"},
        {.name = "unexpected type keeps the value", .type = 7, .data = sz("a"), .value = "before"},
        {.name = "refused opening", .data = sz("a"), .openStatus = 5, .read = false},
        // Size 0 has no last byte to look at.
        {.name = "size 0", .read = false, .value = "before", .error = 5},
    };
    // clang-format on
    FakeRegistry registry;
    for (const auto& [what, type, data, openStatus, read, expected, error] : rows) {
        SCOPED_TRACE(what);
        registry.keys[kPathKey]["PATH"] = {type, data};
        registry.openStatus = openStatus;
        QString value = u"before"_s;
        bool wasRead = false;
        int raised = 0;
        try {
            wasRead = ui::GetKeyValue(registry, platform::Registry::kLocalMachine,
                                      QString::fromStdString(kPathKey), u"PATH"_s, value);
        } catch (const RuntimeError& runtimeError) {
            raised = runtimeError.number();
        }
        EXPECT_EQ(std::tuple(wasRead, raised, value.toStdString()),
                  std::tuple(read, error, expected.toStdString()));
        EXPECT_EQ(registry.openHandles, 0); // closed if opened, never closed otherwise
    }
    EXPECT_EQ(registry.accessRequested, std::vector<unsigned long>(std::size(rows), 0x2003Fu));
}

// The folder key is read only when the path key has no value.
TEST(StartSysInfo, StartsWhatTheRegistryNamesOrShowsTheNotice)
{
    const QString tool = u"C:\\Info\\MSINFO32.EXE"_s;
    using Value = FakeRegistry::Value;
    const Value gone{1, sz("C:\\gone.exe")};
    struct Lookup {
        const char* name;
        std::optional<Value> path = {};
        const char* folder = "C:\\Info"; // the tool is in C:\Info only
        bool startSucceeds = true;
        QStringList started = {};
    };
    // clang-format off
    const Lookup rows[] = {
        {.name = "path started untested", .path = gone, .started = {"C:\\gone.exe"}},
        {.name = "path that cannot start", .path = gone, .startSucceeds = false, .started = {"C:\\gone.exe"}},
        {.name = "folder with the tool", .started = {tool}},
        {.name = "folder without the tool", .folder = "C:\\Other"},
        {.name = "no values", .folder = nullptr},
        {.name = "unexpected type: empty path", .path = Value{2, sz("x")}},
        {.name = "empty path value", .path = Value{1, {}}},
    };
    // clang-format on
    for (const auto& [what, path, folder, startSucceeds, started] : rows) {
        SCOPED_TRACE(what);
        FakeServices fakes;
        if (path)
            fakes.registry.keys[kPathKey]["PATH"] = *path;
        if (folder)
            fakes.registry.keys[kFolderKey]["MSINFO"] = {1, sz(folder)};
        fakes.programs.ordinaryFiles = {tool};
        fakes.programs.startSucceeds = startSucceeds;
        ui::StartSysInfo(fakes.services, u"Quorvel"_s);
        EXPECT_EQ(fakes.programs.started, started);
        EXPECT_EQ(fakes.registry.openedKeys,
                  (path ? std::vector{kPathKey} : std::vector{kPathKey, kFolderKey}));
        const bool ran = !started.isEmpty() && startSucceeds;
        EXPECT_EQ(fakes.dialogs.messages, ran ? std::vector<ShownMessage>{} : std::vector{kNotice});
    }
}

} // namespace
} // namespace quorvel::test
