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
#include <tuple>

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

using AboutBox = MainWindowFixture;

// The box loaded over the main window and shown without a modal loop.
TEST_F(AboutBox, TextsLinkColoursAndLinkFailures)
{
    window->show();
    auto* box = new ui::frmAbout(fakes.services, window);
    box->Form_Load();
    box->show();
    EXPECT_EQ(box->windowTitle(), u"About "_s + ui::executableName());
    EXPECT_EQ(box->lblVersion->text(), u"Version 2.2.1"_s);
    // Two sentences, two blanks after the first stop, then the address line.
    const QRegularExpression note(u"^[^.\n]+\\.  [^. ][^.\n]*\\.\n\n       Veskard at "_s);
    EXPECT_TRUE(note.match(box->lblShareware->text()).hasMatch());
    EXPECT_TRUE(box->lblemail->font().underline() && box->lblURL->font().underline());

    // Red under the pointer; over other controls the colours stay, over the background both
    // turn blue.
    const std::tuple<QWidget*, QColor, QColor> moves[] = {
        {box->cmdOK, kBlue, kBlue}, {box->lblemail, kRed, kBlue},  {box->lblAuthor, kRed, kBlue},
        {box->lblURL, kRed, kRed},  {box->cmdSysInfo, kRed, kRed}, {box, kBlue, kBlue}};
    for (const auto& [over, email, url] : moves) {
        SCOPED_TRACE(over->objectName().toStdString());
        QTest::mouseMove(over, over == box ? QPoint(2, box->height() - 2) : QPoint(1, 1));
        EXPECT_EQ(colour(box->lblemail), email);
        EXPECT_EQ(colour(box->lblURL), url);
    }

    for (const int result : {42, 31}) {
        fakes.shell.result = result;
        QTest::mouseClick(box->lblemail, Qt::LeftButton);
        QTest::mouseClick(box->lblURL, Qt::LeftButton);
    }
    // Let go outside the link: no click.
    QTest::mousePress(box->lblURL, Qt::LeftButton, {}, QPoint(1, 1));
    QTest::mouseRelease(box->lblURL, Qt::LeftButton, {}, QPoint(box->lblURL->width() + 5, 1));
    box->cmdSysInfo->click();
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

// Keep on top is lifted while the box is open, and restored after it only
// while the option is still checked.
TEST_F(AboutBox, OpensModalCentredAfreshAndSuspendsKeepOnTop)
{
    window->show();
    // How the box is closed and by which key (none: the close box), the option at the
    // opening, whether it is unchecked while the box is open, and the calls after the box.
    const std::tuple<const char*, Qt::Key, bool, bool, std::vector<bool>> cases[] = {
        {"Enter", Qt::Key_Return, false, false, {}},
        {"Escape", Qt::Key_Escape, true, false, {false, true}},
        {"close box", Qt::Key(0), true, true, {false}}};
    std::vector<bool> topmost;
    fakes.zOrder.onCall = [&](const FakeZOrder::Call& call) {
        EXPECT_EQ(call.window, window.data());
        topmost.push_back(call.topmost);
    };
    for (const auto& [way, key, keepOnTop, uncheckWhileOpen, after] : cases) {
        SCOPED_TRACE(way);
        window->mnuOptionsKeepOnTop->setChecked(keepOnTop);
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
            EXPECT_EQ(opened->focusWidget(), opened->cmdOK);
            EXPECT_EQ(topmost, std::vector<bool>(keepOnTop, false));
            if (uncheckWhileOpen)
                window->mnuOptionsKeepOnTop->setChecked(false);
            key ? QTest::keyClick(opened, key) : (void)opened->close();
            closed = !opened || !opened->isVisible();
            if (opened)
                opened->close(); // a box left open would hang the test
        });
        window->mnuHelpAbout->trigger();
        EXPECT_TRUE(closed);
        EXPECT_TRUE(opened.isNull()); // unloaded, not just hidden
        EXPECT_EQ(topmost, after);
    }
}

TEST(GetKeyValue, ReadsStringsAndNumbersOrEmptiesTheValue)
{
    // What is stored, the status of the opening, then whether it is read, the value and the
    // run-time error raised.
    const std::tuple<const char*, unsigned long, Bytes, long, bool, QString, int> cases[] = {
        {"string with terminator", 1, sz("C:\\info.exe"), 0, true, "C:\\info.exe", 0},
        {"string without terminator", 1, {'a', 'b', 'c'}, 0, true, "abc", 0},
        {"1024 bytes fill the buffer", 1, Bytes(1024, 'x'), 0, true, QString(1024, u'x'), 0},
        {"1025 bytes count as missing", 1, Bytes(1025, 'x'), 0, false, "", 0},
        {"number with a zero high byte", 4, {0x10, 0, 0, 0}, 0, true, "16", 0},
        // Digits of a byte below 16 keep their zero, or 0x0105 would read as 0x15.
        {"byte below 16 keeps its zero digit", 4, {0x05, 0x01, 0, 0}, 0, true, "261", 0},
        {"unexpected type keeps the value", 7, sz("a"), 0, true, "before", 0},
        {"refused opening", 1, sz("a"), 5, false, "", 0},
        // Size 0 has no last byte to look at.
        {"size 0", 1, {}, 0, false, "before", 5},
    };
    FakeRegistry registry;
    for (const auto& [what, type, data, openStatus, read, expected, error] : cases) {
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
    EXPECT_EQ(registry.accessRequested, std::vector<unsigned long>(std::size(cases), 0x2003Fu));
}

// The folder key is read only when the path key has no value.
TEST(StartSysInfo, StartsWhatTheRegistryNamesOrShowsTheNotice)
{
    const QString tool = u"C:\\Info\\MSINFO32.EXE"_s;
    using Value = FakeRegistry::Value;
    const Value gone{1, sz("C:\\gone.exe")};
    // The path value, the folder value (the tool is in C:\Info only), whether the start
    // succeeds, and what is started.
    const std::tuple<const char*, std::optional<Value>, const char*, bool, QStringList> cases[] = {
        {"path started untested", gone, "C:\\Info", true, {"C:\\gone.exe"}},
        {"path that cannot start", gone, "C:\\Info", false, {"C:\\gone.exe"}},
        {"folder with the tool", {}, "C:\\Info", true, {tool}},
        {"folder without the tool", {}, "C:\\Other", true, {}},
        {"no values", {}, nullptr, true, {}},
        {"unexpected type: empty path", Value{2, sz("x")}, "C:\\Info", true, {}},
        {"empty path value", Value{1, {}}, "C:\\Info", true, {}},
    };
    for (const auto& [what, path, folder, startSucceeds, started] : cases) {
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
