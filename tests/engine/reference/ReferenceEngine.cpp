#include "engine/reference/ReferenceEngine.h"

#include "engine/RuntimeError.h"
#include "engine/Text.h"

#include <algorithm>
#include <string_view>

namespace quorvel::reference {
namespace {

using Str = std::u16string;
using Int = std::int16_t;

// 1-based position of the first match at or after start, or 0. Mid(s, k) is
// s.substr(k - 1) below: every k there is at most one past the end.
long long inStr(long long start, const Str& s, const Str& target, bool ignoreCase)
{
    const auto found = std::search(
        s.begin() + start - 1, s.end(), target.begin(), target.end(), [&](char16_t a, char16_t b) {
            return ignoreCase ? upperCaseChar(a) == upperCaseChar(b) : a == b;
        });
    return found == s.end() ? 0 : found - s.begin() + 1;
}

// "&H" and two characters as a numeric literal, where it is above 31: blanks
// in it are skipped and any other character ends it, so that takes two
// hexadecimal digits. 0 stands for every smaller value.
int hexValue(const Str& two)
{
    const std::u16string_view digits = u"0123456789abcdef0123456789ABCDEF";
    const std::size_t high = digits.find(two[0]), low = digits.find(two[1]);
    return high == digits.npos || low == digits.npos ? 0 : int(high % 16 * 16 + low % 16);
}

// The frame both methods share around their own steps: an error shows a box
// under the method's title and leaves the outputs not yet written as they were.
void frame(const char16_t* title, Reporter& reporter, const TrailingOptions& options,
           const Str& source, Str& result, Int& count, auto steps)
{
    try {
        if (source.empty()) {
            result = Str();
            return;
        }
        const Int p = checked16(inStr(1, source, u"action=", true));
        Str work = p > 0 ? source.substr(checked16(p + 7) - 1) : source;
        const Int made = steps(work);
        if (options.removeTrailing)
            work = reference::RemoveTrailing(work, options.trailingChars);
        result = work;
        count = made;
    } catch (const RuntimeError& error) {
        reporter.message(errorMessageText(error), title, MessageStyle::Critical);
    }
}

} // namespace

std::u16string sRemoveReplaceMulti(Reporter& reporter, std::u16string strSource,
                                   std::u16string strTarget, std::u16string strCaseSen,
                                   std::int16_t& iNumReplacementsMade,
                                   std::u16string strReplacement)
{
    try {
        if (strTarget.empty() || strSource.empty())
            return strSource;
        strCaseSen = upperCase(strCaseSen);
        if (strCaseSen != u"T" && strCaseSen != u"F") {
            reporter.message(u"Value for case sensitive must be T or F", u"sRemoveReplaceMulti",
                             MessageStyle::Critical);
            return Str();
        }
        Str remaining = strSource, output;
        Int count = 0;
        long long pos;
        while ((pos = inStr(1, remaining, strTarget, strCaseSen == u"F")) > 0) {
            output += remaining.substr(0, pos - 1) + strReplacement;
            remaining = remaining.substr(pos + strTarget.size() - 1);
            count = checked16(count + 1);
        }
        iNumReplacementsMade = count;
        return output + remaining;
    } catch (const RuntimeError& error) {
        reporter.message(errorMessageText(error), u"sRemoveReplaceMulti", MessageStyle::Critical);
        return Str();
    }
}

std::u16string RemoveTrailing(std::u16string text, const std::u16string& trailingChars)
{
    text = trimBlanks(text);
    const Int n = checked16(std::ssize(trailingChars));
    if (n <= std::ssize(text) && upperCase(text.substr(text.size() - n)) == trailingChars)
        text = text.substr(0, text.size() - n);
    return text;
}

void FixTheURLPredef(Reporter& reporter, const CodeTable& maCode, const CodeTable& maChar,
                     const TrailingOptions& options, const std::u16string& source,
                     std::u16string& result, std::int16_t& count)
{
    frame(u"FixTheURLPredef", reporter, options, source, result, count, [&](Str& work) {
        Int total = 0;
        for (Int i = 0; i <= static_cast<Int>(kTableSize - 1); i = checked16(i + 1)) {
            Int pass = 0;
            work = reference::sRemoveReplaceMulti(reporter, work, maCode[i], u"F", pass, maChar[i]);
            total = checked16(total + pass);
        }
        return total;
    });
}

void FixTheURLDyn(Reporter& reporter, const TrailingOptions& options, const std::u16string& source,
                  std::u16string& result, std::int16_t& count)
{
    frame(u"FixTheURLDyn", reporter, options, source, result, count, [&](Str& work) {
        Int made = 0;
        Int p = checked16(inStr(1, work, u"%", false));
        while (p >= 1) {
            if (checked16(p + 2) <= std::ssize(work)) {
                const int value = hexValue(work.substr(p, 2));
                if (value > 31 && value < 127) {
                    work = work.substr(0, p - 1) + static_cast<char16_t>(value) +
                           work.substr(checked16(p + 3) - 1);
                    made = checked16(made + 1);
                }
            }
            p = checked16(inStr(checked16(p + 1), work, u"%", false));
        }
        return made;
    });
}

} // namespace quorvel::reference
