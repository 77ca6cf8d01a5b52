#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <functional>

namespace quorvel::platform {

// The shell's result codes that the adapters produce themselves.
inline constexpr int kShellFileNotFound = 2;
inline constexpr int kShellAccessDenied = 5;
inline constexpr int kShellNoAssociation = 31;
// Any value above 32 means success; this is the one the Linux adapter reports.
inline constexpr int kShellOpened = 42;

// What the file system says about a local path.
struct LocalFileFacts {
    bool exists = false;
    bool directory = false;
    bool executable = false; // the system would run it as a program
    QString absolutePath;    // the path as given, made absolute
    QString resolvedPath;    // after following links
    QByteArray head;         // the first bytes of a readable file
};

using FileProbe = std::function<LocalFileFacts(const QString& path)>;

// Looks at the real file system; reads at most the first kilobyte.
LocalFileFacts probeLocalFile(const QString& path);

enum class ShellVerdict {
    Open,    // hand it to the shell
    Refused, // it would run a program, or cannot be checked without doing so
    Missing, // a local path that does not exist
};

struct ShellDecision {
    ShellVerdict verdict = ShellVerdict::Missing;
    QUrl url;             // for a desktop handler
    QString nativeTarget; // for a native shell: the target itself or the checked local path
};

// Decides what may happen to a target that came from outside (typically a
// decoded link). Nothing is launched; only the file system is looked at.
ShellDecision decideShellTarget(const QString& target, const FileProbe& probe = probeLocalFile);

// The result code a refusal or a missing path stands for.
int resultCodeFor(ShellVerdict verdict);

} // namespace quorvel::platform
