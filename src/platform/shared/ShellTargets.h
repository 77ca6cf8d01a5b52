#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

namespace quorvel::platform {

// The shell's result codes that the adapters produce themselves.
inline constexpr int kShellFileNotFound = 2;
inline constexpr int kShellAccessDenied = 5;
inline constexpr int kShellNoAssociation = 31;
// Any value above 32 means success; this is the one the Linux adapter reports.
inline constexpr int kShellOpened = 42;

// How much of a file the content checks read.
inline constexpr qsizetype kProbedHeadSize = 8192;

// What the file system says about a local path.
struct LocalFileFacts {
    bool exists = false;
    bool directory = false;
    bool regularFile = false; // not a device, pipe or socket
    bool executable = false;  // the system would run it as a program
    QString absolutePath;     // the path as given, made absolute
    QString resolvedPath;     // after following links
    QByteArray head;          // the first bytes of a readable regular file
    QStringList contentTypes; // MIME types by content and name, by name alone, by content alone
};

using FileProbe = std::function<LocalFileFacts(const QString& path)>;

// Looks at the real file system and the desktop's MIME database; reads at
// most kProbedHeadSize bytes of the file itself.
LocalFileFacts probeLocalFile(const QString& path);

// What differs between the systems a shell belongs to.
struct ShellRules {
    FileProbe probe = probeLocalFile;
    // Extensions the system runs as programs beyond the fixed list (lower
    // case, no dot): Windows takes them from PATHEXT.
    QStringList runnableExtensions = {};
};

// "  .COM;.Exe;;.PY " -> com, exe, py
QStringList extensionsFromPathExt(const QString& pathExt);

enum class ShellVerdict {
    Open,    // hand it to the shell
    Refused, // not a web address, a mail link or a local document
    Missing, // a local path that does not exist
};

struct ShellDecision {
    ShellVerdict verdict = ShellVerdict::Missing;
    QUrl url;             // for a desktop handler
    QString nativeTarget; // for a native shell: the URL fully encoded, or the checked local path
};

// Decides what may happen to a target that came from outside (typically a
// decoded link): only http, https and mailto links without attachments, and
// local folders and documents, may open. Nothing is launched; only the file
// system is looked at.
ShellDecision decideShellTarget(const QString& target, const ShellRules& rules = {});

// Whether a content type is, or inherits from, a program, script, launcher,
// installer or package type.
bool isProgramType(const QString& mimeTypeName);

// The result code a refusal or a missing path stands for.
int resultCodeFor(ShellVerdict verdict);

} // namespace quorvel::platform
