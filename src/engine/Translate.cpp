#include "engine/Translate.h"

#include "engine/ErrorHandler.h"
#include "engine/RuntimeError.h"
#include "engine/Scan.h"
#include "engine/Text.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace quorvel {

namespace {

constexpr char16_t kReplaceTitle[] = u"sRemoveReplaceMulti";
constexpr char16_t kPredefTitle[] = u"FixTheURLPredef";
constexpr char16_t kDynTitle[] = u"FixTheURLDyn";
constexpr std::size_t kMarkerLength = 7;
constexpr std::size_t kMax16 = 32767;

// Moves a span down to a lower index, or into another buffer; short spans,
// the usual case between escape codes, are not worth a library call.
inline void moveDown(char16_t* to, const char16_t* from, std::size_t length) noexcept
{
    if (length >= 32) {
        std::memmove(to, from, length * sizeof(char16_t));
    } else {
        for (std::size_t i = 0; i < length; ++i)
            to[i] = from[i];
    }
}

// Keeps the units of in up to the next percent sign (or the end), writing
// them to out (which may be in itself): a few one by one, as codes tend to
// come close together, then whole blocks.
inline void keepToPercent(const char16_t* in, char16_t* out, std::size_t& r, std::size_t& w,
                          std::size_t n) noexcept
{
    for (const std::size_t near = n - r < 8 ? n : r + 8; r < near; ++r) {
        const char16_t c = in[r];
        if (c == u'%')
            return;
        out[w++] = c;
    }
    const std::size_t q = scan::findUnit(in, r, n, u'%');
    if (out + w != in + r)
        moveDown(out + w, in + r, q - r);
    w += q - r;
    r = q;
}

// Where the working text starts in the source: behind the first "action="
// (any letter case), or at 0. The marker's 1-based position and that plus 7
// are 16-bit. Also where the first percent sign of the working text is, when
// the marker scan found that out on its way.
struct Cut {
    std::size_t start = 0;
    std::size_t firstPercent = 0; // index in the working text; 0 when unknown
};

Cut markerCut(const char16_t* s, std::size_t n)
{
    const scan::MarkerScan found = scan::findMarker(s, n);
    if (found.marker == n)
        return {0, found.firstPercent};
    const long long p = static_cast<long long>(found.marker) + 1;
    checked16(p);
    checked16(p + static_cast<long long>(kMarkerLength));
    return {found.marker + kMarkerLength, 0};
}

// Below this 1-based position no step of the dynamic scan can overflow: the
// largest value it forms is the position plus 3.
constexpr std::size_t kDynamicSafeLimit = kMax16 - 7;

// The dynamic scan of in[0, n) into out, which is in itself or has room for
// n units: whole blocks first where nothing can overflow, then one code at a
// time. A percent sign at r stands at 1-based position w + 1 of the text as
// rewritten so far. Returns the count and leaves the new length in `length`.
std::int16_t decodeDynamic(const char16_t* in, char16_t* out, std::size_t n,
                           std::size_t firstPercent, std::size_t& length)
{
    if (out != in)
        std::copy(in, in + firstPercent, out);
    scan::Cursor cursor{firstPercent, firstPercent, 0};
    scan::dynamicBlocks(in, out, n, kDynamicSafeLimit, cursor);
    std::size_t r = cursor.r;
    std::size_t w = cursor.w;
    std::int16_t count = checked16(cursor.count);
    for (;;) {
        keepToPercent(in, out, r, w, n);
        if (r == n)
            break;
        const int value = r + 2 < n ? scan::hexPair(in[r + 1], in[r + 2]) : -1;
        const bool decode = value > 31 && value < 127;
        if (w + 1 + 3 > kMax16) [[unlikely]] {
            // The position itself, p + 2 in the length test, and p + 3 when
            // the code is replaced.
            const long long p = static_cast<long long>(w) + 1;
            checked16(p);
            checked16(p + 2);
            if (decode)
                checked16(p + 3);
        }
        if (decode) {
            out[w++] = static_cast<char16_t>(value);
            r += 3;
            count = checked16(count + 1);
        } else {
            out[w++] = u'%';
            ++r;
        }
    }
    length = w;
    return count;
}

// The 25 table passes folded into one scan, valid when every code is a
// percent sign with two hexadecimal digits, the codes differ, and no
// replacement is a hexadecimal digit. Then only a percent sign made by a pass
// can form a new code: with the two original characters behind it, taken by a
// later pass.
bool buildPlan(const std::array<std::uint64_t, kTableSize>& entries, scan::TablePlan& plan)
{
    plan.entryOf.fill(-1);
    plan.percentEntry = -1;
    plan.percentValue = -1;
    plan.identity = true;
    plan.rowLow.fill(0);
    plan.rowHigh.fill(0);
    for (std::size_t i = 0; i < kTableSize; ++i) {
        const auto unit = [&](int k) { return static_cast<char16_t>(entries[i] >> (16 * k)); };
        if (unit(0) != u'%')
            return false;
        const int value = scan::hexPair(unit(1), unit(2));
        if (value < 0 || plan.entryOf[value] >= 0)
            return false;
        // Compared ignoring case, a replacement that is a digit of either case
        // could form a code; no other character upper-cases to one.
        const char16_t c = unit(3);
        if (c < 128 && scan::kHexDigit[c] >= 0)
            return false;
        if (c == u'%') {
            if (plan.percentEntry >= 0)
                return false;
            plan.percentEntry = static_cast<int>(i);
            plan.percentValue = value;
        }
        plan.entryOf[value] = static_cast<signed char>(i);
        plan.replacement[i] = c;
        plan.identity = plan.identity && c == value;
        auto& row = (value & 15) < 8 ? plan.rowLow : plan.rowHigh;
        row[value >> 4] = static_cast<unsigned char>(row[value >> 4] | (1u << (value & 7)));
    }
    return true;
}

// The plan for the tables passed in, or nullptr when they rule out the
// one-scan method. The window passes the same tables every time, so the last
// plan is kept, keyed by the tables' contents.
const scan::TablePlan* planFor(const CodeTable& maCode, const CodeTable& maChar)
{
    thread_local struct {
        std::array<std::uint64_t, kTableSize> entries{};
        scan::TablePlan plan;
        bool built = false;
        bool usable = false;
    } last;
    // Each entry as one word: the code's three units and the character. The
    // loads take the terminating null along, which every string has.
    std::array<std::uint64_t, kTableSize> entries;
    std::uint64_t changed = 0;
    for (std::size_t i = 0; i < kTableSize; ++i) {
        if (maCode[i].size() != 3 || maChar[i].size() != 1)
            return nullptr;
        std::uint64_t code;
        std::uint32_t c;
        std::memcpy(&code, maCode[i].c_str(), sizeof code);
        std::memcpy(&c, maChar[i].c_str(), sizeof c);
        entries[i] = code | std::uint64_t{c} << 48;
        changed |= entries[i] ^ last.entries[i];
    }
    if (!last.built || changed != 0) {
        last.entries = entries;
        last.usable = buildPlan(entries, last.plan);
        last.built = true;
    }
    return last.usable ? &last.plan : nullptr;
}

// The one-scan table method on s[0, n), in place. Returns the number of
// replacements of all passes together and leaves the new length in
// `length`; with perPass it also counts each pass, exactly.
long long decodeWithPlan(char16_t* s, std::size_t n, std::size_t firstPercent,
                         const scan::TablePlan& plan, std::array<long long, kTableSize>* perPass,
                         std::size_t& length)
{
    scan::Cursor cursor{firstPercent, firstPercent, 0};
    if (!perPass)
        scan::tableBlocks(s, n, plan, cursor);
    std::size_t r = cursor.r;
    std::size_t w = cursor.w;
    long long total = cursor.count;
    const auto entryAt = [&](std::size_t at) {
        const int value = at + 2 < n ? scan::hexPair(s[at + 1], s[at + 2]) : -1;
        return value < 0 ? -1 : static_cast<int>(plan.entryOf[value]);
    };
    for (;;) {
        keepToPercent(s, s, r, w, n);
        if (r == n)
            break;
        int entry = entryAt(r);
        if (entry < 0) {
            s[w++] = u'%';
            ++r;
            continue;
        }
        if (perPass)
            ++(*perPass)[entry];
        ++total;
        if (entry == plan.percentEntry) {
            // The new percent sign stands where the code's last digit was.
            const int later = entryAt(r + 2);
            if (later > entry) {
                if (perPass)
                    ++(*perPass)[later];
                ++total;
                entry = later;
                r += 2;
            }
        }
        r += 3;
        s[w++] = plan.replacement[entry];
    }
    length = w;
    return total;
}

// KMP search, restarted behind each match so matches never overlap. With
// ignoreCase the comparison is on upper-cased units.
class Finder {
public:
    Finder(const std::u16string& target, bool ignoreCase)
        : target_(ignoreCase ? upperCase(target) : target), ignoreCase_(ignoreCase),
          fail_(target_.size(), 0)
    {
        for (std::size_t i = 1, k = 0; i < target_.size(); ++i) {
            while (k > 0 && target_[i] != target_[k])
                k = fail_[k - 1];
            if (target_[i] == target_[k])
                ++k;
            fail_[i] = k;
        }
    }

    // Start of the first match in s[from, n), or n.
    std::size_t find(const char16_t* s, std::size_t from, std::size_t n) const noexcept
    {
        const std::size_t m = target_.size();
        std::size_t k = 0;
        for (std::size_t i = from; i < n; ++i) {
            const char16_t c = ignoreCase_ ? upperCaseChar(s[i]) : s[i];
            while (k > 0 && c != target_[k])
                k = fail_[k - 1];
            if (c == target_[k] && ++k == m)
                return i + 1 - m;
        }
        return n;
    }

private:
    std::u16string target_;
    bool ignoreCase_;
    std::vector<std::size_t> fail_;
};

std::u16string_view trimmed(std::u16string_view text) noexcept
{
    const std::size_t last = text.find_last_not_of(u' ');
    if (last == std::u16string_view::npos)
        return {};
    const std::size_t first = text.find_first_not_of(u' ');
    return text.substr(first, last + 1 - first);
}

// Trims blanks, then cuts trailingChars off the end once (case ignored).
std::u16string_view cutTrailing(std::u16string_view text, const std::u16string& trailingChars)
{
    text = trimmed(text);
    const std::size_t n =
        static_cast<std::size_t>(checked16(static_cast<long long>(trailingChars.size())));
    if (n > text.size())
        return text;
    const std::size_t start = text.size() - n;
    for (std::size_t i = 0; i < n; ++i)
        if (upperCaseChar(text[start + i]) != trailingChars[i])
            return text;
    return text.substr(0, start);
}

// The dynamic method's body behind the cut: decodes the working text into
// out (the text itself, or room for as many units) and removes the ending.
std::u16string_view dynamicBehindCut(const TrailingOptions& options, const char16_t* in,
                                     char16_t* out, std::size_t n, std::size_t firstPercent,
                                     std::int16_t& count)
{
    std::size_t length = 0;
    const std::int16_t made = decodeDynamic(in, out, n, firstPercent, length);
    std::u16string_view work(out, length);
    if (options.removeTrailing)
        work = cutTrailing(work, options.trailingChars);
    count = made;
    return work;
}

// The bodies of the two methods on a source they may overwrite, s[0, n) with
// n > 0. They raise what the methods' error handlers report, and return the
// result as a view into s.
std::u16string_view dynamicInPlace(const TrailingOptions& options, char16_t* s, std::size_t n,
                                   std::int16_t& count)
{
    const Cut cut = markerCut(s, n);
    char16_t* const work = s + cut.start;
    return dynamicBehindCut(options, work, work, n - cut.start, cut.firstPercent, count);
}

// Tables whose replacements are longer than their codes can make the text
// longer than the source; the result is then kept here, until the next call.
thread_local std::u16string longerResult;

std::u16string_view predefinedInPlace(Reporter& reporter, const CodeTable& maCode,
                                      const CodeTable& maChar, const TrailingOptions& options,
                                      char16_t* s, std::size_t n, std::int16_t& count)
{
    const Cut cut = markerCut(s, n);
    char16_t* const start = s + cut.start;
    std::size_t length = n - cut.start;
    std::u16string_view work;
    std::int16_t total = 0;
    if (const scan::TablePlan* plan = planFor(maCode, maChar)) {
        // Each replacement takes 2.5 units at least, so only a long text can
        // pass 32767; which pass or total overflows first then needs the
        // count of each pass, taken in the same scan.
        std::array<long long, kTableSize> perPass{};
        const bool mayOverflow = length * 2 >= (kMax16 + 1) * 5;
        const long long all = decodeWithPlan(start, length, cut.firstPercent, *plan,
                                             mayOverflow ? &perPass : nullptr, length);
        work = {start, length};
        if (all <= static_cast<long long>(kMax16)) {
            total = static_cast<std::int16_t>(all);
        } else {
            for (long long pass : perPass) {
                if (pass > static_cast<long long>(kMax16)) {
                    // That pass's replace call fails on its own and leaves
                    // nothing for the passes after it.
                    reportRuntimeError(reporter, overflowError(), kReplaceTitle);
                    work = {};
                    break;
                }
                total = checked16(total + pass);
            }
        }
    } else {
        std::u16string text(start, length);
        for (std::size_t i = 0; i < kTableSize; ++i) {
            std::int16_t pass = 0;
            text = sRemoveReplaceMulti(reporter, std::move(text), maCode[i], u"F", pass, maChar[i]);
            total = checked16(total + pass);
        }
        if (text.size() <= length) {
            std::copy(text.begin(), text.end(), start);
            work = {start, text.size()};
        } else {
            longerResult = std::move(text);
            work = longerResult;
        }
    }
    if (options.removeTrailing)
        work = cutTrailing(work, options.trailingChars);
    count = total;
    return work;
}

} // namespace

std::u16string sRemoveReplaceMulti(Reporter& reporter, std::u16string strSource,
                                   std::u16string strTarget, std::u16string strCaseSen,
                                   std::int16_t& iNumReplacementsMade,
                                   std::u16string strReplacement)
{
    std::u16string result;
    withErrorHandler(reporter, kReplaceTitle, [&] {
        if (strTarget.empty() || strSource.empty()) {
            result = std::move(strSource);
            return;
        }
        const std::u16string flag = upperCase(strCaseSen);
        if (flag != u"T" && flag != u"F") {
            reporter.message(u"Value for case sensitive must be T or F", kReplaceTitle,
                             MessageStyle::Critical);
            return;
        }
        const Finder finder(strTarget, flag == u"F");
        const char16_t* s = strSource.data();
        const std::size_t n = strSource.size();
        const std::size_t length = strTarget.size();
        std::u16string output;
        std::int16_t count = 0;
        std::size_t from = 0;
        for (std::size_t pos = finder.find(s, 0, n); pos < n; pos = finder.find(s, from, n)) {
            if (output.empty())
                output.reserve(n);
            output.append(s + from, pos - from);
            output += strReplacement;
            from = pos + length;
            count = checked16(count + 1);
        }
        output.append(s + from, n - from);
        result = std::move(output);
        iNumReplacementsMade = count;
    });
    return result;
}

std::u16string RemoveTrailing(std::u16string text, const std::u16string& trailingChars)
{
    keepOnly(text, cutTrailing(text, trailingChars));
    return text;
}

void FixTheURLPredef(Reporter& reporter, const CodeTable& maCode, const CodeTable& maChar,
                     const TrailingOptions& options, const std::u16string& source,
                     std::u16string& result, std::int16_t& count)
{
    withErrorHandler(reporter, kPredefTitle, [&] {
        if (source.empty()) {
            result.clear();
            return;
        }
        std::u16string work(source);
        std::int16_t made = 0;
        keepOnly(work, predefinedInPlace(reporter, maCode, maChar, options, work.data(),
                                         work.size(), made));
        result = std::move(work);
        count = made;
    });
}

void FixTheURLDyn(Reporter& reporter, const TrailingOptions& options, const std::u16string& source,
                  std::u16string& result, std::int16_t& count)
{
    withErrorHandler(reporter, kDynTitle, [&] {
        if (source.empty()) {
            result.clear();
            return;
        }
        // Decoded from the source into the result, which saves a copy.
        const Cut cut = markerCut(source.data(), source.size());
        std::u16string work(source.size() - cut.start, u'\0');
        std::int16_t made = 0;
        keepOnly(work, dynamicBehindCut(options, source.data() + cut.start, work.data(),
                                        work.size(), cut.firstPercent, made));
        result = std::move(work);
        count = made;
    });
}

Translation translateForDisplay(Reporter& reporter, TranslationMethod method,
                                const CodeTable& maCode, const CodeTable& maChar,
                                const TrailingOptions& options, const std::u16string& source)
{
    std::u16string buffer(source);
    const TranslationView shown =
        translateInPlace(reporter, method, maCode, maChar, options, buffer);
    return {std::u16string(shown.text), shown.count};
}

TranslationView translateInPlace(Reporter& reporter, TranslationMethod method,
                                 const CodeTable& maCode, const CodeTable& maChar,
                                 const TrailingOptions& options, std::span<char16_t> text)
{
    if (text.empty() || method == TranslationMethod::None)
        return {};
    const bool predefined = method == TranslationMethod::Predefined;
    TranslationView shown;
    // Set last in the body: the Windows build (mingw at -O2, unwinding under
    // Wine) was seen to keep the view a failed body had half made.
    bool finished = false;
    withErrorHandler(reporter, predefined ? kPredefTitle : kDynTitle, [&] {
        std::int16_t made = 0;
        const std::u16string_view result =
            predefined ? predefinedInPlace(reporter, maCode, maChar, options, text.data(),
                                           text.size(), made)
                       : dynamicInPlace(options, text.data(), text.size(), made);
        shown = {trimmed(result), made};
        finished = true;
    });
    return finished ? shown : TranslationView{};
}

std::int16_t translateDynamicInto(Reporter& reporter, const TrailingOptions& options,
                                  std::u16string_view source, std::u16string& out)
{
    out.resize(source.size());
    std::u16string_view shown;
    std::int16_t count = 0;
    withErrorHandler(reporter, kDynTitle, [&] {
        if (source.size() < kMarkerLength)
            return;
        std::int16_t made = 0;
        const std::u16string_view result =
            dynamicBehindCut(options, source.data() + kMarkerLength, out.data(),
                             source.size() - kMarkerLength, 0, made);
        shown = trimmed(result);
        count = made;
    });
    keepOnly(out, shown);
    return count;
}

} // namespace quorvel
