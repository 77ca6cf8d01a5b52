// Time from one key press in the upper box to the lower box and the count
// label showing the new translation, with a 32,000-character link in the box.
#include "platform/Services.h"
#include "ui/common/Forms.h"
#include "ui/main/UrlBox.h"
#include "ui/main/frmMain.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

using namespace quorvel;

// Services that never block: a message box here would be a fault of the run.
struct QuietServices : platform::Dialogs,
                       platform::Shell,
                       platform::Clipboard,
                       platform::ZOrder,
                       platform::Registry,
                       platform::Programs,
                       platform::InstanceGuard {
    void messageBox(const QString& text, const QString&, MessageStyle) override
    {
        qFatal("unexpected message box: %s", qPrintable(text));
    }
    QString inputBox(const QString&, const QString&, const QString&) override { return {}; }
    int open(const QString&) override { return 42; }
    void clear() override {}
    void setText(const QString&) override {}
    void setTopmost(QWidget*, bool) override {}
    long openKey(Key, const std::string&, unsigned long, Key&) override { return 2; }
    long queryValue(Key, const std::string&, unsigned long&, unsigned char*,
                    unsigned long&) override
    {
        return 2;
    }
    long closeKey(Key) override { return 0; }
    bool isOrdinaryFile(const QString&) override { return false; }
    bool startDetached(const QString&) override { return false; }
    bool anotherInstanceRunning() override { return false; }

    platform::Services services{*this, *this, *this, *this, *this, *this, *this};
};

QString longRedirectLink(int length)
{
    QString link = QStringLiteral("http://www.redirect.example/out?id=7&action=");
    const QString piece =
        QStringLiteral("http%3A%2F%2Fwww.target.example%2Fpath%3Fq%3Dword%26n%3D1");
    while (link.size() + piece.size() < length)
        link += piece;
    link += QString(length - link.size(), u'x');
    return link;
}

void typeOneKey(benchmark::State& state, bool repaint)
{
    QuietServices quiet;
    ui::Forms forms;
    auto* window = new ui::frmMain(quiet.services, forms);
    window->Form_Load();
    window->show();
    auto* const upper = window->findChild<ui::UrlBox*>(QStringLiteral("txtBadURL"));
    auto* const lower = window->findChild<ui::UrlBox*>(QStringLiteral("txtGoodURL"));
    auto* const count = window->findChild<QLabel*>(QStringLiteral("lblReps"));
    upper->setPlainText(longRedirectLink(32000));
    upper->moveCursor(QTextCursor::End);
    upper->setFocus();
    QCoreApplication::processEvents();

    bool add = true;
    for (auto _ : state) {
        QTest::keyClick(upper, add ? Qt::Key_A : Qt::Key_Backspace);
        if (repaint)
            window->repaint();
        add = !add;
    }
    if (lower->text().isEmpty() || count->text() == QStringLiteral("0"))
        state.SkipWithError("the translation did not show");
    state.counters["result_chars"] = static_cast<double>(lower->text().size());
    delete window;
}

void BM_KeyToTranslationShown(benchmark::State& state)
{
    typeOneKey(state, false);
}

void BM_KeyToWindowRepainted(benchmark::State& state)
{
    typeOneKey(state, true);
}

BENCHMARK(BM_KeyToTranslationShown)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_KeyToWindowRepainted)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return EXIT_SUCCESS;
}
