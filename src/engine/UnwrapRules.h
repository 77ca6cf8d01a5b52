#pragma once

// The wrappers the unwrapping knows, as data: where each family lives (host
// and path), where it carries the target, and how it encodes it.

#include <array>
#include <span>
#include <string_view>

namespace quorvel::unwrap {

enum class HostMatch {
    Exact,
    OrSubdomain,   // the name itself or any name below it
    Subdomain,     // a name below it only
    LabelWildcard, // '*' stands for part of the first label: "*-ctp.trendmicro.com"
    GoogleCountry, // "google." and a country's domain, "www." allowed in front
};

// One place a family lives. The path is matched exactly, or as a prefix when
// it ends in '*' ("*" alone: any path). Parameters: names separated by '|'.
struct Site {
    std::u16string_view host;
    HostMatch match = HostMatch::Exact;
    std::u16string_view path = u"*";
    std::u16string_view parameters{};
};

enum class Carrier {
    Action,        // Quorvel's own: the Translate command's rules
    Parameter,     // the value of one of the site's query parameters
    WholeQuery,    // the query without a name
    PathRest,      // the address after the site's path prefix
    PathBetween,   // between the markers `from` and `to`
    AfterSegments, // the address after the first `segments` path segments
    ProofpointV3,  // between "__" and "__;", bytes after ';' up to '!'
    Opaque,        // not in the link at all
};

enum class Decoding {
    None,
    PercentOnce,
    HtmlEntities,
    ProofpointV2,    // '-' to '%', '_' to '/', then percent-decode once
    Base64,          // either alphabet, padding optional
    BingA1,          // "a1" then unpadded base64url
    AmpScheme,       // "s/" means https, none http
    YouTubeRelative, // a relative target resolves against https://www.youtube.com
};

struct Rule {
    std::u16string_view family{};
    std::array<Site, 6> sites{};
    Carrier carrier = Carrier::Parameter;
    std::array<Decoding, 2> decodings{};
    // Parameters the wrapper adds after the target; a target left unencoded
    // (scheme and '?' as they are) runs up to the first of them.
    std::u16string_view ownParameters{};
    std::u16string_view from{};
    std::u16string_view to{};
    int segments = 0;
};

// In rank order: Quorvel's own family first.
std::span<const Rule> rules() noexcept;

// The rule for a lower-case ASCII host and a path, or nullptr; the site
// matched in `site`. Quorvel's own family matches no host: it is tried by
// its marker.
const Rule* ruleFor(std::u16string_view host, std::u16string_view path,
                    const Site** site = nullptr);

// False when ruleFor finds no rule for the host whatever the path: most
// hosts are told apart by their last units alone.
bool mayHaveRule(std::u16string_view host);

// How a site's host pattern matches a lower-case ASCII host.
bool hostMatches(const Site& site, std::u16string_view host) noexcept;

} // namespace quorvel::unwrap
