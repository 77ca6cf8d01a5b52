// quorvel-translate: the Translate command as a filter. One link per line on
// standard input, one "count<TAB>text" line per link on standard output.

#include "LineFilter.h"
#include "StdStreams.h"
#include "engine/Text.h"
#include "engine/Utf8.h"

#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace quorvel;
using namespace quorvel::cli;

constexpr char kUsage[] = "usage: quorvel-translate [--predefined] [--keep-ending] [--ending TEXT] "
                          "[--help] [--version]\n";

constexpr char kHelp[] =
    "Reads links from standard input, one per line (a line ends with LF, CR LF\n"
    "or CR), and writes for each the number of replacements, a tab and the\n"
    "translated link.\n"
    "\n"
    "  --predefined    translate with the table of predefined codes\n"
    "                  (default: decode every printable escape code)\n"
    "  --keep-ending   do not remove the trailing characters\n"
    "  --ending TEXT   the trailing characters to remove (default ');),\n"
    "                  upper-cased, trailing blanks removed, ignored when blank\n"
    "\n"
    "Message boxes go to standard error as \"title: text\".\n"
    "Exit status: 0 when all went well; 1 when any message was written; 2 on bad\n"
    "options; 3 when standard input could not be read or standard output not\n"
    "written (the reason goes to standard error).\n";

int usageError(const std::string& problem)
{
    writeError("quorvel-translate: " + problem + '\n' + kUsage);
    return kExitUsage;
}

// --help and --version: text on standard output, checked like any output.
int show(const std::string& text)
{
    if (writeOutput(text.data(), text.size()))
        return kExitOk;
    writeError("quorvel-translate: cannot write output: " + failureReason() + '\n');
    return kExitStreams;
}

} // namespace

int main(int argc, char** argv)
{
    prepareStandardStreams();
    const std::vector<std::string> args = commandLineArguments(argc, argv);
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--help")
            return show(std::string(kUsage) + '\n' + kHelp);
        if (arg == "--version")
            return show("quorvel-translate " QUORVEL_VERSION "\n");
        if (arg == "--predefined") {
            options.method = TranslationMethod::Predefined;
        } else if (arg == "--keep-ending") {
            options.trailing.removeTrailing = false;
        } else if (arg == "--ending" || arg.rfind("--ending=", 0) == 0) {
            std::string_view entry;
            if (arg == "--ending") {
                if (i + 1 >= args.size())
                    return usageError("--ending needs a value");
                entry = args[++i];
            } else {
                entry = arg.substr(9);
            }
            if (auto stored = trailingCharsFromEntry(decodeUtf8(entry)))
                options.trailing.trailingChars = std::move(*stored);
        } else {
            return usageError("unknown argument '" + std::string(arg) + "'");
        }
    }
    return LineFilter(options).run();
}
