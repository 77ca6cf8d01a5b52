// quorvel-translate: the Translate command as a filter. One link per line on
// standard input or from files, one "count<TAB>text" line per link on
// standard output; or, with --unwrap, the link's wrappers removed.

#include "LineFilter.h"
#include "StdStreams.h"
#include "engine/Text.h"
#include "engine/Utf8.h"
#include "platform/qt/QtHostNames.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace quorvel;
using namespace quorvel::cli;

constexpr char kUsage[] =
    "usage: quorvel-translate [--predefined] [--keep-ending] [--ending TEXT]\n"
    "                         [--unwrap[=known] [--json] [--trace]] [--help] [--version]\n"
    "                         [FILE...]\n";

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
    "  --unwrap        instead of translating, remove the layers that link\n"
    "                  wrappers put around a link, offline, and write for each\n"
    "                  line the number of layers removed, a tab and the target;\n"
    "                  a walk that stops early (refused, opaque, ambiguous,\n"
    "                  return-address, depth-limit) writes the last safe URL\n"
    "                  and \"line N: STATUS: DETAIL\" to standard error\n"
    "  --unwrap=known  the same with the known wrappers only, without generic\n"
    "                  detection\n"
    "  --json          with --unwrap: one JSON object a line instead\n"
    "  --trace         with --unwrap: the layers removed, in words, to standard\n"
    "                  error\n"
    "  --              every argument after it is a file name\n"
    "\n"
    "Message boxes go to standard error as \"title: text\".\n"
    "Exit status: 0 when all went well; 1 when any message was written or an\n"
    "unwrapping stopped early; 2 on bad options; 3 when input could not be read\n"
    "or standard output not written (the reason goes to standard error; a file\n"
    "that cannot be read is named, and the others are still read).\n";

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
        } else if (arg == "--unwrap") {
            options.unwrap = unwrap::Scope::All;
        } else if (arg == "--unwrap=known") {
            options.unwrap = unwrap::Scope::Known;
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--trace") {
            options.trace = true;
        } else {
            return usageError("unknown argument '" + std::string(arg) + "'");
        }
    }
    if ((options.json || options.trace) && !options.unwrap)
        return usageError("--json and --trace need --unwrap");
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv)
{
    prepareStandardStreams();
    Options options;
    if (const std::optional<int> status = parse(commandLineArguments(argc, argv), options))
        return *status;
    const platform::QtHostNames hosts;
    return LineFilter(options, &hosts).run();
}
