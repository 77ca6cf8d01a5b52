#include "engine/UrlParts.h"

#include "engine/Scan.h"
#include "engine/Text.h"

#include <algorithm>
#include <cstring>

namespace quorvel::unwrap {

using namespace std::string_view_literals;

namespace {

// starts_with through memcmp, which the compiler turns into a few word
// compares for a literal prefix (the character-traits loop goes unit by unit).
template <std::size_t N> bool startsWith(std::u16string_view text, const char16_t (&prefix)[N])
{
    return text.size() >= N - 1 &&
           std::memcmp(text.data(), prefix, (N - 1) * sizeof(char16_t)) == 0;
}

constexpr char16_t lowerAscii(char16_t c) noexcept
{
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
}

bool isLetter(char16_t c) noexcept
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isSchemeChar(char16_t c) noexcept
{
    return isLetter(c) || (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.';
}

// Browsers skip these inside an address wherever they stand.
bool isSkipped(char16_t c) noexcept
{
    return c == u'\t' || c == u'\n' || c == u'\r';
}

std::size_t schemeEnd(std::u16string_view url) noexcept
{
    // Nearly every link that comes here.
    if (startsWith(url, u"https:"))
        return 5;
    if (startsWith(url, u"http:"))
        return 4;
    if (url.empty() || !isLetter(url[0]))
        return 0;
    for (std::size_t i = 1; i < url.size(); ++i) {
        if (url[i] == u':')
            return i;
        if (!isSchemeChar(url[i]))
            return 0;
    }
    return 0;
}

} // namespace

bool equalsIgnoringCase(std::u16string_view a, std::u16string_view b) noexcept
{
    return a.size() == b.size() && startsWithIgnoringCase(a, b);
}

bool startsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix) noexcept
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (lowerAscii(text[i]) != lowerAscii(prefix[i]))
            return false;
    return true;
}

std::size_t findUnit(std::u16string_view text, char16_t c, std::size_t from) noexcept
{
    const std::size_t at = scan::findAnyOf(text.data(), from, text.size(), {&c, 1});
    return at == text.size() ? std::u16string_view::npos : at;
}

std::size_t findBlankOrControl(std::u16string_view text, std::size_t from) noexcept
{
    const std::size_t at = scan::findBlankOrControl(text.data(), from, text.size());
    return at == text.size() ? std::u16string_view::npos : at;
}

UrlParts splitUrl(std::u16string_view url) noexcept
{
    UrlParts parts = splitAuthority(url);
    splitTail(parts);
    return parts;
}

UrlParts splitAuthority(std::u16string_view url) noexcept
{
    std::size_t at = schemeEnd(url);
    const std::u16string_view scheme = at > 0 ? url.substr(0, at++) : std::u16string_view{};
    std::u16string_view authority, host;
    const auto isSlash = [&](std::size_t i) {
        return i < url.size() && (url[i] == u'/' || url[i] == u'\\');
    };
    if (isSlash(at) && isSlash(at + 1)) {
        // The host follows the last '@' and ends at the last ':' behind it,
        // unless that colon is inside an IPv6 address's brackets.
        const std::size_t start = at + 2;
        const scan::AuthorityScan found = scan::findAuthority(url.data(), start, url.size());
        at = found.end;
        // A ':' before the last '@' belongs to the user's name.
        const bool user = found.lastAt < at;
        const std::size_t hostStart = user ? found.lastAt + 1 : start;
        std::size_t colon = found.lastColon < at && !(user && found.lastColon < found.lastAt)
                                ? found.lastColon
                                : at;
        if (colon < at && url[hostStart] == u'[' &&
            scan::findUnit(url.data(), colon, at, u']') < at)
            colon = at;
        authority = url.substr(start, at - start);
        host = url.substr(hostStart, colon - hostStart);
    }
    // Built whole: filling in a zeroed one costs a string store that takes
    // long to start.
    return {scheme, authority, host, url.substr(at), {}, {}, {}, false};
}

void splitTail(UrlParts& parts) noexcept
{
    const std::u16string_view tail = parts.tail;
    const auto firstOf = [&](std::size_t from, std::u16string_view set) {
        return scan::findAnyOf(tail.data(), from, tail.size(), set);
    };
    const std::size_t question = firstOf(0, u"?#"sv);
    const std::size_t hash =
        question < tail.size() && tail[question] == u'?' ? firstOf(question, u"#"sv) : question;
    parts.path = tail.substr(0, question);
    if (question < hash) {
        parts.hasQuery = true;
        parts.query = tail.substr(question + 1, hash - question - 1);
    }
    if (hash < tail.size())
        parts.fragment = tail.substr(hash + 1);
}

SchemeKind readScheme(std::u16string_view text, std::u16string* name)
{
    if (startsWith(text, u"https:") || startsWith(text, u"http:"))
        return SchemeKind::Web;
    std::size_t start = 0;
    while (start < text.size() && text[start] <= u' ')
        ++start;
    char16_t read[6];
    std::size_t length = 0;
    std::size_t i = start;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (isSkipped(c))
            continue;
        if (c == u':')
            break;
        if (!(length == 0 ? isLetter(c) : isSchemeChar(c)))
            return SchemeKind::None;
        if (length < std::size(read))
            read[length] = lowerAscii(c);
        ++length;
    }
    if (i == text.size() || length == 0)
        return SchemeKind::None;
    const std::u16string_view scheme(read, std::min(length, std::size(read)));
    if (length <= 5 && (scheme == u"http"sv || scheme == u"https"sv))
        return SchemeKind::Web;
    if (name) {
        for (const char16_t c : text.substr(start, i - start))
            if (!isSkipped(c))
                *name += lowerAscii(c);
    }
    return SchemeKind::Other;
}

bool cleanAsBrowser(std::u16string& text)
{
    const std::size_t first = scan::findBlankOrControl(text.data(), 0, text.size());
    if (first == text.size())
        return false;
    if (scan::findAnyOf(text.data(), first, text.size(), u"\t\n\r"sv) < text.size())
        std::erase_if(text, isSkipped);
    if (const std::u16string_view kept = trimmedAsBrowser(text); kept.size() != text.size())
        keepOnly(text, kept);
    return true;
}

void normalizeWebScheme(std::u16string& url)
{
    const auto written = [&](const auto& prefix) {
        const std::size_t n = std::size(prefix) - 1;
        return startsWith(url, prefix) && (url.size() == n || (url[n] != u'/' && url[n] != u'\\'));
    };
    if (written(u"https://") || written(u"http://"))
        return;
    const std::size_t colon = url.find(u':');
    if (colon == std::u16string::npos)
        return;
    std::transform(url.begin(), url.begin() + static_cast<std::ptrdiff_t>(colon), url.begin(),
                   lowerAscii);
    std::size_t end = colon + 1;
    while (end < url.size() && (url[end] == u'/' || url[end] == u'\\'))
        ++end;
    if (end == colon + 3 && url[colon + 1] == u'/' && url[colon + 2] == u'/')
        return;
    url.replace(colon + 1, end - colon - 1, u"//"sv);
}

} // namespace quorvel::unwrap
