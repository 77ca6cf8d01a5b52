#include "engine/UrlParts.h"

#include <algorithm>

namespace quorvel::unwrap {

namespace {

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

bool isAscii(std::u16string_view text) noexcept
{
    return std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 128; });
}

UrlParts splitUrl(std::u16string_view url) noexcept
{
    UrlParts parts;
    std::size_t at = schemeEnd(url);
    if (at > 0) {
        parts.scheme = url.substr(0, at);
        ++at;
    }
    const auto isSlash = [&](std::size_t i) {
        return i < url.size() && (url[i] == u'/' || url[i] == u'\\');
    };
    if (isSlash(at) && isSlash(at + 1)) {
        const std::size_t start = at + 2;
        std::size_t end = start;
        while (end < url.size() && url[end] != u'/' && url[end] != u'\\' && url[end] != u'?' &&
               url[end] != u'#')
            ++end;
        parts.authority = url.substr(start, end - start);
        std::u16string_view host = parts.authority;
        if (const std::size_t user = host.rfind(u'@'); user != std::u16string_view::npos)
            host.remove_prefix(user + 1);
        const std::size_t bracket = host.rfind(u']');
        const std::size_t colon = host.rfind(u':');
        if (colon != std::u16string_view::npos &&
            (bracket == std::u16string_view::npos || colon > bracket))
            host = host.substr(0, colon);
        parts.host = host;
        at = end;
    }
    parts.tail = url.substr(at);
    const std::size_t hash = parts.tail.find(u'#');
    const std::u16string_view beforeHash = parts.tail.substr(0, hash);
    if (hash != std::u16string_view::npos)
        parts.fragment = parts.tail.substr(hash + 1);
    const std::size_t question = beforeHash.find(u'?');
    parts.path = beforeHash.substr(0, question);
    if (question != std::u16string_view::npos) {
        parts.hasQuery = true;
        parts.query = beforeHash.substr(question + 1);
    }
    return parts;
}

SchemeKind readScheme(std::u16string_view text, std::u16string* name)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] <= u' ')
        ++i;
    char16_t read[8];
    std::size_t length = 0;
    bool overlong = false;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (isSkipped(c))
            continue;
        if (c == u':')
            break;
        if (!(length == 0 ? isLetter(c) : isSchemeChar(c)))
            return SchemeKind::None;
        if (length < std::size(read))
            read[length++] = lowerAscii(c);
        else
            overlong = true;
        if (name)
            *name += lowerAscii(c);
    }
    if (i == text.size() || length == 0)
        return SchemeKind::None;
    const std::u16string_view scheme(read, length);
    const bool web = !overlong && (scheme == u"http" || scheme == u"https");
    return web ? SchemeKind::Web : SchemeKind::Other;
}

void cleanAsBrowser(std::u16string& text)
{
    std::erase_if(text, isSkipped);
    const auto blank = [](char16_t c) { return c <= u' '; };
    const auto last = std::find_if_not(text.rbegin(), text.rend(), blank).base();
    text.erase(last, text.end());
    text.erase(text.begin(), std::find_if_not(text.begin(), text.end(), blank));
}

} // namespace quorvel::unwrap
