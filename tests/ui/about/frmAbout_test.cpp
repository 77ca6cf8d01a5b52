#include "engine/RuntimeError.h"
#include "support/MainWindowFixture.h"
#include "ui/about/SysInfo.h"
#include "ui/about/frmAbout.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstring>
#include <optional>

namespace quorvel::test {
namespace {

using namespace Qt::StringLiterals;
using Bytes = std::vector<unsigned char>;

const QColor kBlue(Qt::blue), kRed(Qt::red);
const auto colour = [](const QLabel* link) { return link->palette().color(QPalette::WindowText); };
const ShownMessage kNotice{u"System Information Is Unavailable At This Time"_s, u"Quorvel"_s, 0};
const std::string kPathKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
// The bytes of a C string with its terminator.
const auto sz = [](const char* text) { return Bytes(text, text + std::strlen(text) + 1); };

// The box loaded over the main window and shown without a modal loop.
class AboutBox : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        window->show();
        box->Form_Load();
        box->show();
    }

    ui::frmAbout* const box = new ui::frmAbout(fakes.services, window);
    QLabel* const lblemail = control<QLabel>(box, "lblemail");
    QLabel* const lblURL = control<QLabel>(box, "lblURL");
};

TEST_F(AboutBox, TextsAndUnderlinedLinks)
{
    EXPECT_EQ(box->windowTitle(), u"About "_s + ui::executableName());
    EXPECT_EQ(control<QLabel>(box, "lblVersion")->text(), u"Version 2.2.1"_s);
    // Two sentences, two blanks after the first stop, then the address line.
    const QRegularExpression note(u"^[^.\n]+\\.  [^. ][^.\n]*\\.\n\n       Veskard at "_s);
    EXPECT_TRUE(note.match(control<QLabel>(box, "lblShareware")->text()).hasMatch());
    EXPECT_TRUE(lblemail->font().underline() && lblURL->font().underline());
}

// Red under the pointer; over other controls the colours stay, over the background both
// turn blue.
TEST_F(AboutBox, LinkColoursFollowThePointer)
{
    struct Move {
        QWidget* over;
        QColor email, url;
    };
    const Move rows[] = {
        {control<QPushButton>(box, "cmdOK"), kBlue, kBlue},    {lblemail, kRed, kBlue},
        {control<QLabel>(box, "lblAuthor"), kRed, kBlue},      {lblURL, kRed, kRed},
        {control<QPushButton>(box, "cmdSysInfo"), kRed, kRed}, {box, kBlue, kBlue}};
    for (const auto& [over, email, url] : rows) {
        SCOPED_TRACE(over->objectName().toStdString());
        QTest::mouseMove(over, over == box ? QPoint(2, box->height() - 2) : QPoint(1, 1));
        EXPECT_EQ(colour(lblemail), email);
        EXPECT_EQ(colour(lblURL), url);
    }
}

TEST_F(AboutBox, LinksOpenOrReportTheShellsFailureTheBoxStaysOpen)
{
    for (const int result : {42, 31}) {
        fakes.shell.result = result;
        QTest::mouseClick(lblemail, Qt::LeftButton);
        QTest::mouseClick(lblURL, Qt::LeftButton);
    }
    // Let go outside the link: no click.
    QTest::mousePress(lblURL, Qt::LeftButton, {}, QPoint(1, 1));
    QTest::mouseRelease(lblURL, Qt::LeftButton, {}, QPoint(lblURL->width() + 5, 1));
    control<QPushButton>(box, "cmdSysInfo")->click();
    const QStringList links{u"mailto:veskard@veskard.example?Subject=Quorvel Program"_s,
                            ui::kAuthorWebSite};
    EXPECT_EQ(fakes.shell.opened, links + links);
    const QString failed = u"Could not execute function - Error code 31\r\n\r\n"
                           "Make sure you have a working, default "_s;
    EXPECT_EQ(fakes.dialogs.messages,
              (std::vector<ShownMessage>{{failed + "email program!", "Error", 48},
                                         {failed + "browser!", "Error", 48},
                                         kNotice}));
    EXPECT_TRUE(box->isVisible());
}

using AboutMenu = MainWindowFixture;

// Keep on top is lifted while the box is open, and restored after it only
// while the option is still checked.
TEST_F(AboutMenu, OpensTheBoxModalCentredAfreshAndSuspendsKeepOnTop)
{
    window->show();
    struct Closing {
        const char* name;
        Qt::Key key = {};       // none: the close box
        bool keepOnTop = false; // at the opening
        bool uncheckWhileOpen = false;
        std::vector<bool> after = {}; // z-order calls once the box is gone
    };
    const Closing rows[] = {
        {.name = "Enter", .key = Qt::Key_Return},
        {.name = "Escape", .key = Qt::Key_Escape, .keepOnTop = true, .after = {false, true}},
        {.name = "close box", .keepOnTop = true, .uncheckWhileOpen = true, .after = {false}}};
    std::vector<bool> topmost;
    fakes.zOrder.onCall = [&](const FakeZOrder::Call& call) {
        EXPECT_EQ(call.window, window.data());
        topmost.push_back(call.topmost);
    };
    for (const auto& [way, key, keepOnTop, uncheckWhileOpen, after] : rows) {
        SCOPED_TRACE(way);
        mnuOptionsKeepOnTop->setChecked(keepOnTop);
        topmost.clear();
        QPointer<ui::frmAbout> opened;
        bool closed = false;
        QObject scope; // ends the check below with the case, should no box open
        QTimer::singleShot(0, &scope, [&] {
            opened = qobject_cast<ui::frmAbout*>(QApplication::activeModalWidget());
            ASSERT_FALSE(opened.isNull());
            EXPECT_EQ(opened->parentWidget(), window);
            const QPoint offset = opened->geometry().center() - window->geometry().center();
            EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << "," << offset.y();
            EXPECT_EQ(opened->focusWidget(), control<QPushButton>(opened, "cmdOK"));
            EXPECT_EQ(topmost, std::vector<bool>(keepOnTop, false));
            if (uncheckWhileOpen)
                mnuOptionsKeepOnTop->setChecked(false);
            key ? QTest::keyClick(opened, key) : (void)opened->close();
            closed = !opened || !opened->isVisible();
            if (opened)
                opened->close(); // a box left open would hang the test
        });
        mnuHelpAbout->trigger();
        EXPECT_TRUE(closed);
        EXPECT_TRUE(opened.isNull()); // unloaded, not just hidden
        EXPECT_EQ(topmost, after);
    }
}

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
    const Stored rows[] = {
        {.name = "string with terminator", .data = sz("C:\\info.exe"), .value = "C:\\info.exe"},
        {.name = "string without terminator", .data = {'a', 'b', 'c'}, .value = "abc"},
        {.name = "1024 bytes fill the buffer",
         .data = Bytes(1024, 'x'),
         .value = QString(1024, u'x')},
        {.name = "1025 bytes count as missing", .data = Bytes(1025, 'x'), .read = false},
        {.name = "number with a zero high byte", .type = 4, .data = {0x10, 0, 0, 0}, .value = "16"},
        // Digits of a byte below 16 keep their zero, or 0x0105 would read as 0x15.
        {.name = "byte below 16", .type = 4, .data = {0x05, 0x01, 0, 0}, .value = "261"},
        {.name = "unexpected type keeps the value", .type = 7, .data = sz("a"), .value = "before"},
        {.name = "refused opening", .data = sz("a"), .openStatus = 5, .read = false},
        // Size 0 has no last byte to look at.
        {.name = "size 0", .read = false, .value = "before", .error = 5},
    };
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
        EXPECT_EQ(wasRead, read);
        EXPECT_EQ(raised, error);
        EXPECT_EQ(value, expected);
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
    const Lookup rows[] = {
        {.name = "path started untested", .path = gone, .started = {"C:\\gone.exe"}},
        {.name = "path that cannot start",
         .path = gone,
         .startSucceeds = false,
         .started = {"C:\\gone.exe"}},
        {.name = "folder with the tool", .started = {tool}},
        {.name = "folder without the tool", .folder = "C:\\Other"},
        {.name = "no values", .folder = nullptr},
        {.name = "unexpected type: empty path", .path = Value{2, sz("x")}},
        {.name = "empty path value", .path = Value{1, {}}},
    };
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
