#pragma once

// A URL taken apart the way a browser reads one, as views into the text.

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvel::unwrap {

struct UrlParts {
    std::u16string_view scheme;    // as written, without ':'; empty when there is none
    std::u16string_view authority; // between "//" and the path; empty when there is none
    std::u16string_view host;      // the authority without user and port
    std::u16string_view tail;      // everything after the authority: path, query, fragment
    std::u16string_view path;      // up to '?' or '#'
    std::u16string_view query;     // after '?', up to '#'
    std::u16string_view fragment;  // after '#'
    bool hasQuery = false;
};

UrlParts splitUrl(std::u16string_view url) noexcept;
// The same in two halves: up to the tail, then the tail's parts.
UrlParts splitAuthority(std::u16string_view url) noexcept;
void splitTail(UrlParts& parts) noexcept;

enum class SchemeKind { Web, None, Other };

// The scheme as a browser reads it: leading blanks and control characters
// dropped, tabs and line breaks skipped, any letter case. Web is http or
// https; None is a relative reference. `name` receives the scheme read.
SchemeKind readScheme(std::u16string_view text, std::u16string* name = nullptr);

// The text without the blanks and control characters up to U+0020 at
// either end, which a browser drops from an address. Inline: the walk trims
// several times a link.
inline std::u16string_view trimmedAsBrowser(std::u16string_view text) noexcept
{
    while (!text.empty() && text.front() <= u' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() <= u' ')
        text.remove_suffix(1);
    return text;
}

// What a browser does to an address before it reads it: blanks and control
// characters at both ends dropped, tabs and line breaks anywhere removed.
// False when the text held none of them (and nothing changed).
bool cleanAsBrowser(std::u16string& text);

// An address cleaned as above whose scheme is http or https, written as
// browsers read it: the scheme in lower case, then exactly two slashes (a
// browser goes to the same host for "https:host" and "https:\\host").
void normalizeWebScheme(std::u16string& url);

bool equalsIgnoringCase(std::u16string_view a, std::u16string_view b) noexcept;
bool startsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix) noexcept;
// find(), through the engine's vector scan; npos when c is not there.
std::size_t findUnit(std::u16string_view text, char16_t c, std::size_t from = 0) noexcept;
// The first blank or control character from `from` on, or npos.
std::size_t findBlankOrControl(std::u16string_view text, std::size_t from = 0) noexcept;

// Calls visit(name, value, start of the pair) for each pair of the query,
// split on '&' only; a pair without '=' has an empty value. Stops when visit
// returns false.
template <class Visit> void forEachParameter(std::u16string_view query, Visit&& visit)
{
    std::size_t start = 0;
    while (start <= query.size()) {
        std::size_t end = findUnit(query, u'&', start);
        if (end == std::u16string_view::npos)
            end = query.size();
        const std::u16string_view pair = query.substr(start, end - start);
        const std::size_t eq = findUnit(pair, u'=');
        const bool more = eq == std::u16string_view::npos
                              ? visit(pair, std::u16string_view{}, start)
                              : visit(pair.substr(0, eq), pair.substr(eq + 1), start);
        if (!more)
            return;
        start = end + 1;
    }
}

} // namespace quorvel::unwrap
