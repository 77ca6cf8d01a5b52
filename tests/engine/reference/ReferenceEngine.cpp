#include "engine/reference/ReferenceEngine.h"

#include "engine/RuntimeError.h"
#include "engine/Text.h"

#include <new>

namespace quorvel::reference {

namespace {

using Str = std::u16string;
using Int = std::int16_t;

// The string primitives, 1-based, with their usual forgiving bounds.
Str left(const Str& s, long long count)
{
    return s.substr(0, static_cast<std::size_t>(count));
}

Str mid(const Str& s, long long start, long long count = -1)
{
    if (start > static_cast<long long>(s.size()))
        return {};
    return count < 0
               ? s.substr(static_cast<std::size_t>(start - 1))
               : s.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count));
}

Str right(const Str& s, long long count)
{
    return count >= static_cast<long long>(s.size())
               ? s
               : s.substr(s.size() - static_cast<std::size_t>(count));
}

bool sameUnit(char16_t a, char16_t b, bool textCompare)
{
    return textCompare ? upperCaseChar(a) == upperCaseChar(b) : a == b;
}

// 1-based position of the first match at or after start, or 0.
long long inStr(long long start, const Str& s, const Str& target, bool textCompare)
{
    const long long n = static_cast<long long>(s.size());
    const long long m = static_cast<long long>(target.size());
    for (long long i = start; i + m - 1 <= n; ++i) {
        long long k = 0;
        while (k < m && sameUnit(s[i - 1 + k], target[k], textCompare))
            ++k;
        if (k == m)
            return i;
    }
    return 0;
}

// "&H" followed by the two characters, read as a numeric literal: digits until
// the first other character, blanks, tabs and line feeds skipped.
double hexValue(const Str& two)
{
    double value = 0;
    for (char16_t c : two) {
        if (c == u' ' || c == u'\t' || c == u'\n')
            continue;
        int digit = -1;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        else if (c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        if (digit < 0)
            break;
        value = value * 16 + digit;
    }
    return value;
}

Str trimBlanks(const Str& s)
{
    long long first = 1;
    long long last = static_cast<long long>(s.size());
    while (first <= last && s[first - 1] == u' ')
        ++first;
    while (last >= first && s[last - 1] == u' ')
        --last;
    return mid(s, first, last - first + 1);
}

Str cutAtMarker(const Str& source)
{
    const Int p = checked16(inStr(1, source, u"action=", true));
    if (p > 0)
        return mid(source, checked16(p + 7));
    return source;
}

template <class Body> void handled(Reporter& reporter, const char16_t* title, Body&& body)
{
    try {
        body();
    } catch (const RuntimeError& error) {
        reporter.message(errorMessageText(error), title, kStyleCritical);
    } catch (const std::bad_alloc&) {
        reporter.message(errorMessageText(outOfMemoryError()), title, kStyleCritical);
    }
}

} // namespace

std::u16string sRemoveReplaceMulti(Reporter& reporter, std::u16string strSource,
                                   std::u16string strTarget, std::u16string strCaseSen,
                                   std::int16_t& iNumReplacementsMade,
                                   std::u16string strReplacement)
{
    Str result;
    Int count = 0;
    handled(reporter, u"sRemoveReplaceMulti", [&] {
        if (strTarget.empty() || strSource.empty()) {
            result = strSource;
            return;
        }
        strCaseSen = upperCase(strCaseSen);
        if (strCaseSen != u"T" && strCaseSen != u"F") {
            reporter.message(u"Value for case sensitive must be T or F", u"sRemoveReplaceMulti",
                             kStyleCritical);
            result = Str();
            return;
        }
        const long long length = static_cast<long long>(strTarget.size());
        const bool textCompare = strCaseSen == u"F";
        Str remaining = strSource;
        Str output;
        long long pos = inStr(1, remaining, strTarget, textCompare);
        while (pos > 0) {
            output += left(remaining, pos - 1) + strReplacement;
            remaining = mid(remaining, pos + length);
            count = checked16(count + 1);
            pos = inStr(1, remaining, strTarget, textCompare);
        }
        result = output + remaining;
        iNumReplacementsMade = count;
    });
    return result;
}

std::u16string RemoveTrailing(std::u16string text, const std::u16string& trailingChars)
{
    text = trimBlanks(text);
    const Int n = checked16(static_cast<long long>(trailingChars.size()));
    if (n <= static_cast<long long>(text.size()) && upperCase(right(text, n)) == trailingChars)
        text = left(text, static_cast<long long>(text.size()) - n);
    return text;
}

void FixTheURLPredef(Reporter& reporter, const CodeTable& maCode, const CodeTable& maChar,
                     const TrailingOptions& options, const std::u16string& source,
                     std::u16string& result, std::int16_t& count)
{
    handled(reporter, u"FixTheURLPredef", [&] {
        const Str sourceCopy = source;
        if (sourceCopy.empty()) {
            result = Str();
            return;
        }
        Str work = cutAtMarker(sourceCopy);
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
    });
}

void FixTheURLDyn(Reporter& reporter, const TrailingOptions& options, const std::u16string& source,
                  std::u16string& result, std::int16_t& count)
{
    const Str sourceCopy = source;
    handled(reporter, u"FixTheURLDyn", [&] {
        if (sourceCopy.empty()) {
            result = Str();
            return;
        }
        Str work = cutAtMarker(sourceCopy);
        Int made = 0;
        Int p = checked16(inStr(1, work, u"%", false));
        while (p >= 1) {
            if (checked16(p + 2) <= static_cast<long long>(work.size())) {
                const Str two = mid(work, checked16(p + 1), 2);
                const double value = hexValue(two);
                if (value > 31 && value < 127) {
                    const Str decoded(1, static_cast<char16_t>(value));
                    work = left(work, p - 1) + decoded + mid(work, checked16(p + 3));
                    made = checked16(made + 1);
                }
            }
            p = checked16(inStr(checked16(p + 1), work, u"%", false));
        }
        if (options.removeTrailing)
            work = reference::RemoveTrailing(work, options.trailingChars);
        result = work;
        count = made;
    });
}

} // namespace quorvel::reference
