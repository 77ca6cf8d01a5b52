// quorvel-translate: the Translate command as a filter. One link per line on
// standard input, one "count<TAB>text" line per link on standard output.

#include "engine/ErrorHandler.h"
#include "engine/Reporter.h"
#include "engine/Tables.h"
#include "engine/Text.h"
#include "engine/Translate.h"
#include "engine/Utf8.h"

#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>

namespace {

using namespace quorvel;

constexpr char kUsage[] =
    "usage: quorvel-translate [--predefined] [--keep-ending] [--ending TEXT] [--help]\n";

constexpr char kHelp[] =
    "Reads links from standard input, one per line, and writes for each the\n"
    "number of replacements, a tab and the translated link.\n"
    "\n"
    "  --predefined    translate with the table of predefined codes\n"
    "                  (default: decode every printable escape code)\n"
    "  --keep-ending   do not remove the trailing characters\n"
    "  --ending TEXT   the trailing characters to remove (default ');),\n"
    "                  upper-cased, trailing blanks removed, ignored when blank\n"
    "\n"
    "Message boxes go to standard error as \"title: text\". Exit status: 0, or 1\n"
    "when any message was written, 2 on bad options.\n";

// Message boxes become lines on standard error.
class StderrReporter : public Reporter {
public:
    void message(const std::u16string& text, const std::u16string& title, MessageStyle) override
    {
        std::string line = encodeUtf8(title) + ": ";
        const std::string body = encodeUtf8(text);
        for (std::size_t i = 0; i < body.size(); ++i) {
            if (body[i] == '\r' && i + 1 < body.size() && body[i + 1] == '\n')
                continue; // a CR LF line break is shown as a plain line break
            line += body[i];
        }
        std::cout.flush();
        std::cerr << line << '\n';
        raised = true;
    }
    bool raised = false;
};

struct Options {
    TranslationMethod method = TranslationMethod::Dynamic;
    TrailingOptions trailing;
};

int usageError(const std::string& problem)
{
    std::cerr << "quorvel-translate: " << problem << '\n' << kUsage;
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help") {
            std::cout << kUsage << '\n' << kHelp;
            return 0;
        }
        if (arg == "--predefined") {
            options.method = TranslationMethod::Predefined;
        } else if (arg == "--keep-ending") {
            options.trailing.removeTrailing = false;
        } else if (arg == "--ending" || arg.rfind("--ending=", 0) == 0) {
            std::string_view entry;
            if (arg == "--ending") {
                if (i + 1 >= argc)
                    return usageError("--ending needs a value");
                entry = argv[++i];
            } else {
                entry = arg.substr(9);
            }
            if (auto stored = trailingCharsFromEntry(decodeUtf8(entry)))
                options.trailing.trailingChars = std::move(*stored);
        } else {
            return usageError("unknown argument '" + std::string(arg) + "'");
        }
    }

    CodeTable codes, chars;
    buildTranslationTables(codes, chars);
    StderrReporter reporter;
    std::ios::sync_with_stdio(false);
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        Translation shown;
        withErrorHandler(reporter, u"cmdTrans", [&] {
            shown = translateForDisplay(reporter, options.method, codes, chars, options.trailing,
                                        decodeUtf8(line));
        });
        std::cout << shown.count << '\t' << encodeUtf8(shown.text) << '\n';
        // Batches go out in large writes; a line typed or piped alone is
        // answered at once.
        if (std::cin.rdbuf()->in_avail() <= 0)
            std::cout.flush();
    }
    std::cout.flush();
    return reporter.raised ? 1 : 0;
}
