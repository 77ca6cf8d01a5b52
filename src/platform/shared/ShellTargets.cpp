#include "platform/shared/ShellTargets.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

namespace quorvel::platform {

namespace {

// Schemes whose handlers run what the link itself carries.
const QSet<QString> kCodeSchemes = {
    QStringLiteral("javascript"), QStringLiteral("vbscript"),     QStringLiteral("data"),
    QStringLiteral("shell"),      QStringLiteral("ms-msdt"),      QStringLiteral("search-ms"),
    QStringLiteral("mk"),         QStringLiteral("ms-officecmd"), QStringLiteral("ms-its"),
};

// File types that the desktop would run rather than show.
const QSet<QString> kProgramExtensions = {
    // Windows programs, scripts and shortcuts
    QStringLiteral("exe"), QStringLiteral("com"), QStringLiteral("bat"), QStringLiteral("cmd"),
    QStringLiteral("pif"), QStringLiteral("scr"), QStringLiteral("cpl"), QStringLiteral("msi"),
    QStringLiteral("msp"), QStringLiteral("mst"), QStringLiteral("msc"), QStringLiteral("vb"),
    QStringLiteral("vbs"), QStringLiteral("vbe"), QStringLiteral("js"), QStringLiteral("jse"),
    QStringLiteral("ws"), QStringLiteral("wsf"), QStringLiteral("wsc"), QStringLiteral("wsh"),
    QStringLiteral("ps1"), QStringLiteral("psm1"), QStringLiteral("psd1"), QStringLiteral("hta"),
    QStringLiteral("lnk"), QStringLiteral("url"), QStringLiteral("scf"), QStringLiteral("inf"),
    QStringLiteral("reg"), QStringLiteral("chm"), QStringLiteral("jar"),
    QStringLiteral("application"), QStringLiteral("appref-ms"), QStringLiteral("settingcontent-ms"),
    QStringLiteral("library-ms"), QStringLiteral("search-ms"), QStringLiteral("diagcab"),
    // Unix launchers and scripts
    QStringLiteral("desktop"), QStringLiteral("sh"), QStringLiteral("bash"), QStringLiteral("zsh"),
    QStringLiteral("csh"), QStringLiteral("ksh"), QStringLiteral("fish"), QStringLiteral("run"),
    QStringLiteral("bin"), QStringLiteral("appimage"), QStringLiteral("py"), QStringLiteral("pyw"),
    QStringLiteral("pl"), QStringLiteral("rb"), QStringLiteral("command")};

ShellDecision refused()
{
    return {ShellVerdict::Refused, {}, {}};
}

ShellDecision missing()
{
    return {ShellVerdict::Missing, {}, {}};
}

// Leading and trailing blanks and controls go, and so do tabs and line breaks
// inside, which browsers drop as well ("java<TAB>script:" is still script).
QString cleanedTarget(const QString& target)
{
    QString text = target;
    text.removeIf([](QChar c) { return c == u'\t' || c == u'\r' || c == u'\n'; });
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 0x20)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 0x20)
        --end;
    return text.mid(begin, end - begin);
}

QString schemeOf(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]*):"));
    const QRegularExpressionMatch match = pattern.match(text);
    return match.hasMatch() ? match.captured(1).toLower() : QString();
}

bool isSlash(QChar c)
{
    return c == u'/' || c == u'\\';
}

// A network share cannot be checked without reaching out to it.
bool isRemotePath(const QString& path)
{
    return path.size() >= 2 && isSlash(path.at(0)) && isSlash(path.at(1));
}

bool hasProgramExtension(const QString& path)
{
    qsizetype nameStart = path.size();
    while (nameStart > 0 && !isSlash(path.at(nameStart - 1)))
        --nameStart;
    // Windows ignores trailing dots and blanks, and "file:stream" names a part
    // of a file: every piece counts.
    const QStringList pieces = path.mid(nameStart).split(u':');
    for (QString piece : pieces) {
        while (piece.endsWith(u'.') || piece.endsWith(u' '))
            piece.chop(1);
        const qsizetype dot = piece.lastIndexOf(u'.');
        if (dot >= 0 && kProgramExtensions.contains(piece.mid(dot + 1).toLower()))
            return true;
    }
    return false;
}

bool headShowsProgram(const QByteArray& head)
{
    static const QByteArray elfMagic = QByteArrayLiteral("\x7f"
                                                         "ELF");
    return head.startsWith("#!") || head.startsWith(elfMagic) || head.startsWith("MZ") ||
           head.contains("[Desktop Entry]");
}

bool runsAsProgram(const LocalFileFacts& facts)
{
    if (hasProgramExtension(facts.resolvedPath))
        return true;
    if (facts.directory)
        return false;
    return facts.executable || headShowsProgram(facts.head);
}

ShellDecision decideLocalPath(const QString& path, const FileProbe& probe)
{
    if (isRemotePath(path) || hasProgramExtension(path))
        return refused();
    const LocalFileFacts facts = probe(path);
    if (!facts.exists)
        return missing();
    if (runsAsProgram(facts))
        return refused();
    return {ShellVerdict::Open, QUrl::fromLocalFile(facts.absolutePath),
            QDir::toNativeSeparators(facts.absolutePath)};
}

ShellDecision decideFileUrl(const QString& text, const FileProbe& probe)
{
    QUrl url(text);
    if (!url.isValid())
        return missing();
    if (url.host().compare(QStringLiteral("localhost"), Qt::CaseInsensitive) == 0)
        url.setHost(QString());
    if (!url.host().isEmpty())
        return refused();
    const QString path = url.toLocalFile();
    return path.isEmpty() ? missing() : decideLocalPath(path, probe);
}

} // namespace

LocalFileFacts probeLocalFile(const QString& path)
{
    const QFileInfo info(path);
    LocalFileFacts facts;
    facts.exists = info.exists();
    facts.absolutePath = info.absoluteFilePath();
    if (!facts.exists)
        return facts;
    facts.directory = info.isDir();
    facts.resolvedPath = info.canonicalFilePath();
    // Devices, pipes and sockets are nothing to open; a pipe would even block the read.
    facts.executable = !facts.directory && (!info.isFile() || info.isExecutable());
    if (info.isFile()) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            facts.head = file.read(1024);
    }
    return facts;
}

ShellDecision decideShellTarget(const QString& target, const FileProbe& probe)
{
    const QString text = cleanedTarget(target);
    if (text.isEmpty())
        return missing();
    // Before the scheme test: "www.host.example:8080" would pass for a scheme.
    if (text.startsWith(QStringLiteral("www."), Qt::CaseInsensitive)) {
        const QString address = QStringLiteral("http://") + text;
        return {ShellVerdict::Open, QUrl(address, QUrl::TolerantMode), address};
    }
    const QString scheme = schemeOf(text);
    // One letter is a drive; a dot makes it a file name with a stream on Windows.
    if (scheme.size() < 2 || scheme.contains(u'.'))
        return decideLocalPath(text, probe);
    if (kCodeSchemes.contains(scheme))
        return refused();
    if (scheme == QStringLiteral("file"))
        return decideFileUrl(text, probe);
    return {ShellVerdict::Open, QUrl(text, QUrl::TolerantMode), target};
}

int resultCodeFor(ShellVerdict verdict)
{
    switch (verdict) {
    case ShellVerdict::Refused:
        return kShellAccessDenied;
    case ShellVerdict::Missing:
        return kShellFileNotFound;
    case ShellVerdict::Open:
        break;
    }
    return kShellOpened;
}

} // namespace quorvel::platform
