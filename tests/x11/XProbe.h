#pragma once

// Reads what the X server and the window manager say about a window, through
// the standard X utilities, so the tests see the real state and not Qt's copy.

#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include <vector>

namespace quorvel::test::x11 {

inline QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(5000))
        return {};
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

inline QString windowId(const QWidget& window)
{
    return QStringLiteral("0x%1").arg(window.winId(), 0, 16);
}

// The atoms of the window's _NET_WM_STATE.
inline QStringList netWmState(const QWidget& window)
{
    const QString line = run(QStringLiteral("xprop"), {QStringLiteral("-id"), windowId(window),
                                                       QStringLiteral("_NET_WM_STATE")});
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0)
        return {};
    QStringList atoms = line.mid(equals + 1).split(u',', Qt::SkipEmptyParts);
    for (QString& atom : atoms)
        atom = atom.trimmed();
    return atoms;
}

// True once a window manager runs that supports the given _NET_SUPPORTED atom;
// it may still be starting when the test begins.
inline bool waitForWindowManager(const QString& feature)
{
    return QTest::qWaitFor(
        [&feature] {
            return run(QStringLiteral("xprop"),
                       {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTED")})
                .contains(feature);
        },
        10000);
}

inline std::vector<WId> rootWindowList(const char* property)
{
    const QString line =
        run(QStringLiteral("xprop"), {QStringLiteral("-root"), QString::fromLatin1(property)});
    std::vector<WId> ids;
    static const QRegularExpression hex(QStringLiteral("0x[0-9a-fA-F]+"));
    for (const auto& match : hex.globalMatch(line))
        ids.push_back(match.captured().toULongLong(nullptr, 16));
    return ids;
}

// Managed windows from bottom to top, as the window manager stacks them.
inline std::vector<WId> stackingOrder()
{
    return rootWindowList("_NET_CLIENT_LIST_STACKING");
}

inline WId activeWindow()
{
    const std::vector<WId> ids = rootWindowList("_NET_ACTIVE_WINDOW");
    return ids.empty() ? 0 : ids.front();
}

inline bool isTopmostManaged(const QWidget& window)
{
    const std::vector<WId> order = stackingOrder();
    return !order.empty() && order.back() == window.winId();
}

struct XGeometry {
    QRect rect; // absolute position and size of the client area
    bool viewable = false;
    bool operator==(const XGeometry&) const = default;
};

inline XGeometry xGeometry(const QWidget& window)
{
    const QString info = run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), windowId(window)});
    auto field = [&info](const char* name) {
        const QRegularExpression pattern(QString::fromLatin1(name) +
                                         QStringLiteral(":\\s*(-?\\d+)"));
        return pattern.match(info).captured(1).toInt();
    };
    return {QRect(field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"),
                  field("Height")),
            info.contains(QStringLiteral("IsViewable"))};
}

} // namespace quorvel::test::x11
