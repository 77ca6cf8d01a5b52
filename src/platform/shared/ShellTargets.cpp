#include "platform/shared/ShellTargets.h"

#include "platform/shared/ProgramTypes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QRegularExpression>

#include <algorithm>

namespace quorvel::platform {

namespace {

ShellDecision refused()
{
    return {ShellVerdict::Refused, {}, {}};
}

ShellDecision missing()
{
    return {ShellVerdict::Missing, {}, {}};
}

// A native shell gets the URL fully encoded: a quote or a blank in it cannot
// split the handler's command line into further arguments.
ShellDecision openUrl(const QString& address)
{
    const QUrl url(address, QUrl::TolerantMode);
    return {ShellVerdict::Open, url, url.isValid() ? url.toString(QUrl::FullyEncoded) : QString()};
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

QString fullyPercentDecoded(QString text)
{
    // Each round removes at least one escape, so this ends.
    for (QString next; (next = QUrl::fromPercentEncoding(text.toUtf8())) != text;)
        text = next;
    return text;
}

// Mail programs attach local files named by "attach" or "attachment" (and
// variants). Decoded first and split at every separator a mail program might
// honour, so that no spelling of the parameter slips through.
bool mailtoCarriesAttachment(const QString& mailto)
{
    static const QRegularExpression separators(QStringLiteral("[?&;#]"));
    QStringList pieces = fullyPercentDecoded(mailto).split(separators);
    pieces.removeFirst(); // the address
    return std::any_of(pieces.cbegin(), pieces.cend(), [](QString key) {
        if (const qsizetype equals = key.indexOf(u'='); equals >= 0)
            key.truncate(equals);
        key.removeIf([](QChar c) { return c.unicode() <= 0x20 || c.isSpace(); });
        return key.contains(QStringLiteral("attach"), Qt::CaseInsensitive);
    });
}

bool isSlash(QChar c)
{
    return c == u'/' || c == u'\\';
}

// A network share cannot be checked without reaching out to it; "\\?\" and
// "\\.\" device paths start the same way.
bool isRemotePath(const QString& path)
{
    return path.size() >= 2 && isSlash(path.at(0)) && isSlash(path.at(1));
}

bool isProgramExtension(const QString& extension, const ShellRules& rules)
{
    // A folder named "name.{class id}" is a shell object, not a folder.
    if (extension.startsWith(u'{'))
        return true;
    const auto listed = [&extension](std::u16string_view e) { return extension == QStringView(e); };
    return std::any_of(std::begin(kProgramExtensions), std::end(kProgramExtensions), listed) ||
           rules.runnableExtensions.contains(extension);
}

bool namedAsProgram(const QString& path, const ShellRules& rules)
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
        if (dot >= 0 && isProgramExtension(piece.mid(dot + 1).toLower(), rules))
            return true;
    }
    return false;
}

bool headShowsProgram(const QByteArray& head)
{
    const auto bytes = [](std::string_view s) {
        return QByteArrayView(s.data(), static_cast<qsizetype>(s.size()));
    };
    // A byte order mark in front does not keep every loader from the line.
    const QByteArray body = head.startsWith("\xef\xbb\xbf") ? head.mid(3) : head;
    return body.startsWith(bytes(kShebang)) || head.startsWith(bytes(kElfMagic)) ||
           head.startsWith(bytes(kWindowsProgramMagic)) || head.contains(bytes(kLauncherHeader));
}

bool runsAsProgram(const LocalFileFacts& facts, const ShellRules& rules)
{
    if (namedAsProgram(facts.resolvedPath, rules))
        return true;
    if (facts.directory)
        return false;
    if (!facts.regularFile || facts.executable)
        return true;
    return std::any_of(facts.contentTypes.cbegin(), facts.contentTypes.cend(), isProgramType) ||
           headShowsProgram(facts.head);
}

ShellDecision decideLocalPath(const QString& path, const ShellRules& rules)
{
    if (isRemotePath(path) || namedAsProgram(path, rules))
        return refused();
    const LocalFileFacts facts = rules.probe(path);
    if (!facts.exists)
        return missing();
    if (runsAsProgram(facts, rules))
        return refused();
    return {ShellVerdict::Open, QUrl::fromLocalFile(facts.absolutePath),
            QDir::toNativeSeparators(facts.absolutePath)};
}

ShellDecision decideFileUrl(const QString& text, const ShellRules& rules)
{
    QUrl url(text);
    if (!url.isValid())
        return missing();
    if (url.host().compare(QStringLiteral("localhost"), Qt::CaseInsensitive) == 0)
        url.setHost(QString());
    if (!url.host().isEmpty())
        return refused();
    const QString path = url.toLocalFile();
    return path.isEmpty() ? missing() : decideLocalPath(path, rules);
}

void addTypes(QStringList& names, const QList<QMimeType>& types)
{
    for (const QMimeType& type : types) {
        if (type.isValid() && !names.contains(type.name()))
            names << type.name();
    }
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
    facts.regularFile = info.isFile();
    facts.executable = facts.regularFile && info.isExecutable();
    // Devices, pipes and sockets are nothing to open; a pipe would even block the read.
    if (!facts.regularFile)
        return facts;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        facts.head = file.read(kProbedHeadSize);
    // The name alone and the content alone too: a desktop may go by either,
    // and a link may be named unlike its target.
    const QMimeDatabase db;
    addTypes(facts.contentTypes, {db.mimeTypeForFile(info, QMimeDatabase::MatchDefault),
                                  db.mimeTypeForData(facts.head)});
    addTypes(facts.contentTypes, db.mimeTypesForFileName(info.fileName()));
    addTypes(facts.contentTypes, db.mimeTypesForFileName(QFileInfo(facts.resolvedPath).fileName()));
    return facts;
}

QStringList extensionsFromPathExt(const QString& pathExt)
{
    QStringList extensions;
    for (QString entry : pathExt.split(u';')) {
        entry = entry.trimmed().toLower();
        if (entry.startsWith(u'.'))
            entry.remove(0, 1);
        if (!entry.isEmpty())
            extensions << entry;
    }
    return extensions;
}

bool isProgramType(const QString& mimeTypeName)
{
    const QMimeType type = QMimeDatabase().mimeTypeForName(mimeTypeName);
    // Names and ancestors, for the entries that take a whole family.
    QStringList family{mimeTypeName};
    if (type.isValid())
        family << type.name() << type.aliases() << type.allAncestors();
    return std::any_of(
        std::begin(kProgramTypes), std::end(kProgramTypes), [&](std::u16string_view e) {
            const QString entry = QString::fromUtf16(e.data(), static_cast<qsizetype>(e.size()));
            if (entry.endsWith(u'*')) {
                const QString prefix = entry.chopped(1);
                return std::any_of(family.cbegin(), family.cend(), [&prefix](const QString& name) {
                    return name.startsWith(prefix, Qt::CaseInsensitive);
                });
            }
            return mimeTypeName.compare(entry, Qt::CaseInsensitive) == 0 ||
                   (type.isValid() && type.inherits(entry));
        });
}

ShellDecision decideShellTarget(const QString& target, const ShellRules& rules)
{
    const QString text = cleanedTarget(target);
    if (text.isEmpty())
        return missing();
    // Before the scheme test: "www.host.example:8080" would pass for a scheme.
    if (text.startsWith(QStringLiteral("www."), Qt::CaseInsensitive))
        return openUrl(QStringLiteral("http://") + text);
    const QString scheme = schemeOf(text);
    // One letter is a drive; a dot makes it a file name with a stream on Windows.
    if (scheme.size() < 2 || scheme.contains(u'.'))
        return decideLocalPath(text, rules);
    if (scheme == QStringLiteral("http") || scheme == QStringLiteral("https"))
        return openUrl(text);
    if (scheme == QStringLiteral("mailto"))
        return mailtoCarriesAttachment(text) ? refused() : openUrl(text);
    if (scheme == QStringLiteral("file"))
        return decideFileUrl(text, rules);
    // Every other scheme starts an application of its own, or reaches out to
    // a host that the link names.
    return refused();
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
