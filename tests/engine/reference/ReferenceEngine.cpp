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

// "&H" and two characters as a numeric literal: hexadecimal digits up to the
// first other character, blanks, tabs and line feeds skipped.
double hexValue(const Str& two)
{
    double value = 0;
    for (char16_t c : two) {
        const std::size_t digit = std::u16string_view(u"0123456789ABCDEFabcdef").find(c);
        if (digit != std::u16string_view::npos)
            value = value * 16 + static_cast<double>(digit < 16 ? digit : digit - 6);
        else if (c != u' ' && c != u'\t' && c != u'\n')
            break;
    }
    return value;
}

Str cutAtMarker(const Str& source)
{
    const Int p = checked16(inStr(1, source, u"action=", true));
    return p > 0 ? source.substr(checked16(p + 7) - 1) : source;
}

} // namespace

// Each procedure with an error handler shows the run-time error under its own
// title and ends; the outputs not yet written keep their values.
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
                             kStyleCritical);
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
        reporter.message(errorMessageText(error), u"sRemoveReplaceMulti", kStyleCritical);
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
    try {
        if (source.empty()) {
            result = Str();
            return;
        }
        Str work = cutAtMarker(source);
        Int total = 0;
        for (Int i = 0; i <= static_cast<Int>(kTableSize - 1); i = checked16(i + 1)) {
            Int pass = 0;
            work = reference::sRemoveReplaceMulti(reporter, work, maCode[i], u"F", pass, maChar[i]);
            total = checked16(total + pass);
        }
        if (options.removeTrailing)
            work = reference::RemoveTrailing(work, options.trailingChars);
        result = work;
        count = total;
    } catch (const RuntimeError& error) {
        reporter.message(errorMessageText(error), u"FixTheURLPredef", kStyleCritical);
    }
}

void FixTheURLDyn(Reporter& reporter, const TrailingOptions& options, const std::u16string& source,
                  std::u16string& result, std::int16_t& count)
{
    try {
        if (source.empty()) {
            result = Str();
            return;
        }
        Str work = cutAtMarker(source);
        Int made = 0;
        Int p = checked16(inStr(1, work, u"%", false));
        while (p >= 1) {
            if (checked16(p + 2) <= std::ssize(work)) {
                const double value = hexValue(work.substr(p, 2));
                if (value > 31 && value < 127) {
                    work = work.substr(0, p - 1) + static_cast<char16_t>(value) +
                           work.substr(checked16(p + 3) - 1);
                    made = checked16(made + 1);
                }
            }
            p = checked16(inStr(checked16(p + 1), work, u"%", false));
        }
        if (options.removeTrailing)
            work = reference::RemoveTrailing(work, options.trailingChars);
        result = work;
        count = made;
    } catch (const RuntimeError& error) {
        reporter.message(errorMessageText(error), u"FixTheURLDyn", kStyleCritical);
    }
}

} // namespace quorvel::reference
