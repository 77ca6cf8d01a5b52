// quorvel-translate: the Translate command as a filter. One link per line on
// standard input or from files, one "count<TAB>text" line per link on
// standard output.

#include "LineFilter.h"
#include "StdStreams.h"
#include "engine/Text.h"
#include "engine/Utf8.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace quorvel;
using namespace quorvel::cli;

constexpr char kUsage[] =
    "usage: quorvel-translate [--predefined] [--keep-ending] [--ending TEXT]\n"
    "                         [--help] [--version] [FILE...]\n";

constexpr char kHelp[] =
    "Reads links from the files named, in order, or from standard input when\n"
    "none is (\"-\" is standard input), one per line (a line ends with LF, CR LF\n"
    "or CR), and writes for each the number of replacements, a tab and the\n"
    "translated link.\n"
    "\n"
    "  --predefined    translate with the table of predefined codes\n"
    "                  (default: decode every printable escape code)\n"
    "  --keep-ending   do not remove the trailing characters\n"
    "  --ending TEXT   the trailing characters to remove (default ');),\n"
    "                  upper-cased, trailing blanks removed, ignored when blank\n"
    "  --              every argument after it is a file name\n"
    "\n"
    "Message boxes go to standard error as \"title: text\".\n"
    "Exit status: 0 when all went well; 1 when any message was written; 2 on bad\n"
    "options; 3 when input could not be read or standard output not written (the\n"
    "reason goes to standard error; a file that cannot be read is named, and the\n"
    "others are still read).\n";

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

// Parses the arguments into options; an exit status when the run ends here.
std::optional<int> parse(const std::vector<std::string>& args, Options& options)
{
    bool optionsDone = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (optionsDone || arg == "-" || arg.rfind('-', 0) != 0) {
            options.files.emplace_back(arg);
        } else if (arg == "--") {
            optionsDone = true;
        } else if (arg == "--help") {
            return show(std::string(kUsage) + '\n' + kHelp);
        } else if (arg == "--version") {
            return show("quorvel-translate " QUORVEL_VERSION "\n");
        } else if (arg == "--predefined") {
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
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv)
{
    prepareStandardStreams();
    Options options;
    if (const std::optional<int> status = parse(commandLineArguments(argc, argv), options))
        return *status;
    return LineFilter(options).run();
}
