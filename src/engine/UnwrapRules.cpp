#include "engine/UnwrapRules.h"

#include "engine/UrlParts.h"

#include <algorithm>
#include <bitset>
#include <string>
#include <vector>

namespace quorvel::unwrap {

using namespace std::string_view_literals;

namespace {

using enum HostMatch;
using D = Decoding;
using C = Carrier;

// clang-format off
constexpr Rule kRules[] = {
    {.family = u"Quorvel's own family", .sites = {}, .carrier = C::Action},
    {.family = u"Google search and Gmail",
     .sites = {{{u"www.google", GoogleCountry, u"/url", u"q|url"}}},
     .decodings = {D::PercentOnce}, .ownParameters = u"sa|source|ust|usg|ved"},
    {.family = u"Google ads",
     .sites = {{{u"www.googleadservices.com", Exact, u"/pagead/aclk", u"adurl"},
                {u"syndicatedsearch.goog", Exact, u"/aclk", u"adurl"}}},
     .decodings = {D::PercentOnce}, .ownParameters = u"rurl"},
    {.family = u"AMP",
     .sites = {{{u"www.google", GoogleCountry, u"/amp/*"},
                {u"cdn.ampproject.org", Subdomain, u"/c/*"},
                {u"cdn.ampproject.org", Subdomain, u"/i/*"},
                {u"cdn.ampproject.org", Subdomain, u"/r/*"}}},
     .carrier = C::PathRest, .decodings = {D::AmpScheme}},
    {.family = u"DuckDuckGo",
     .sites = {{{u"duckduckgo.com", OrSubdomain, u"/l/", u"uddg"}}},
     .decodings = {D::PercentOnce}, .ownParameters = u"rut"},
    {.family = u"Bing",
     .sites = {{{u"bing.com", OrSubdomain, u"/ck/a", u"u"}}},
     .decodings = {D::BingA1}},
    {.family = u"Yahoo",
     .sites = {{{u"r.search.yahoo.com", Exact, u"*"}}},
     .carrier = C::PathBetween, .decodings = {D::PercentOnce}, .from = u"/RU=", .to = u"/"},
    {.family = u"Facebook, Messenger, Instagram",
     .sites = {{{u"l.facebook.com", Exact, u"/l.php", u"u"},
                {u"lm.facebook.com", Exact, u"/l.php", u"u"},
                {u"l.messenger.com", Exact, u"/l.php", u"u"},
                {u"l.instagram.com", Exact, u"/", u"u"}}},
     .decodings = {D::PercentOnce}, .ownParameters = u"h|e"},
    {.family = u"YouTube",
     .sites = {{{u"youtube.com", OrSubdomain, u"/redirect", u"q"},
                {u"youtube.com", OrSubdomain, u"/attribution_link", u"u"}}},
     .decodings = {D::PercentOnce, D::YouTubeRelative}, .ownParameters = u"v"},
    {.family = u"Reddit, Steam, VK, Slack, LinkedIn",
     .sites = {{{u"out.reddit.com", Exact, u"*", u"url"},
                {u"steamcommunity.com", Exact, u"/linkfilter/*", u"url"},
                {u"vk.com", OrSubdomain, u"/away.php", u"to"},
                {u"slack-redir.net", Exact, u"/link", u"url"},
                {u"www.linkedin.com", Exact, u"/redir/redirect", u"url"},
                {u"www.linkedin.com", Exact, u"/safety/go", u"url"}}},
     .decodings = {D::PercentOnce}},
    {.family = u"Teams, Outlook on the web",
     .sites = {{{u"statics.teams.cdn.office.net", Exact, u"/evergreen-assets/safelinks/*", u"url"},
                {u"outlook.office.com", Exact, u"/mail/safelink.html", u"url"}}},
     .decodings = {D::PercentOnce}, .ownParameters = u"locale|corid|country|dgcid"},
    {.family = u"Microsoft Safe Links",
     .sites = {{{u"safelinks.protection.outlook.com", OrSubdomain, u"*", u"url"},
                {u"safelinks.protection.office365.us", OrSubdomain, u"*", u"url"}}},
     .decodings = {D::PercentOnce}, .ownParameters = u"data|sdata|reserved"},
    {.family = u"Proofpoint v1",
     .sites = {{{u"urldefense.proofpoint.com", Exact, u"/v1/url", u"u"}}},
     .decodings = {D::PercentOnce, D::HtmlEntities}, .ownParameters = u"k|r|m|s"},
    {.family = u"Proofpoint v2",
     .sites = {{{u"urldefense.proofpoint.com", Exact, u"/v2/url", u"u"}}},
     .decodings = {D::ProofpointV2}, .ownParameters = u"d|c|r|m|s|e"},
    {.family = u"Proofpoint v3",
     .sites = {{{u"urldefense.com", Exact, u"/v3/__*"}, {u"urldefense.us", Exact, u"/v3/__*"}}},
     .carrier = C::ProofpointV3},
    {.family = u"Barracuda",
     .sites = {{{u"linkprotect.cudasvc.com", Exact, u"/url", u"a"}}},
     .decodings = {D::PercentOnce}, .ownParameters = u"c|p"},
    {.family = u"Trend Micro",
     .sites = {{{u"*-ctp.trendmicro.com", LabelWildcard, u"/wis/clicktime/v1/query", u"url"}}},
     .decodings = {D::PercentOnce}, .ownParameters = u"umid|auth"},
    {.family = u"Trellix / FireEye",
     .sites = {{{u"protect2.fireeye.com", Exact, u"/v1/url", u"u"}}},
     .decodings = {D::PercentOnce}, .ownParameters = u"k"},
    {.family = u"Sophos",
     .sites = {{{u"protection.sophos.com", Subdomain, u"*", u"u"}}},
     .decodings = {D::PercentOnce, D::Base64}},
    {.family = u"Cisco Secure Email",
     .sites = {{{u"secure-web.cisco.com", Exact, u"*"}}},
     .carrier = C::AfterSegments, .decodings = {D::PercentOnce}, .segments = 1},
    {.family = u"Check Point",
     .sites = {{{u"protect.checkpoint.com", Exact, u"/v2/___*"}}},
     .carrier = C::PathBetween, .from = u"/v2/___", .to = u"___"},
    {.family = u"Amazon SES click tracking",
     .sites = {{{u"awstrack.me", Subdomain, u"/L0/*"}}},
     .carrier = C::PathBetween, .decodings = {D::PercentOnce}, .from = u"/L0/", .to = u"/1/"},
    {.family = u"Mozilla outgoing",
     .sites = {{{u"outgoing.prod.mozaws.net", Exact, u"/v1/*"}}},
     .carrier = C::AfterSegments, .segments = 2},
    {.family = u"Affiliate networks",
     .sites = {{{u"www.awin1.com", Exact, u"/cread.php", u"ued"},
                {u"go.skimresources.com", Exact, u"/", u"url"},
                {u"digidip.net", Subdomain, u"/visit", u"url"},
                {u"redirect.viglink.com", Exact, u"/", u"u"}}},
     .decodings = {D::PercentOnce}, .ownParameters = u"xcust|ppref|currurl"},
    {.family = u"Key-less query",
     .sites = {{{u"www.pixiv.net", Exact, u"/jump.php"}}},
     .carrier = C::WholeQuery, .decodings = {D::PercentOnce}},
    {.family = u"Opaque",
     .sites = {{{u"protect-*.mimecast.com", LabelWildcard, u"/s/*"},
                {u"ct.sendgrid.net", Subdomain, u"/ls/click*"},
                {u"t.co", Exact, u"*"},
                {u"lnkd.in", Exact, u"*"},
                {u"bit.ly", Exact, u"*"}}},
     .carrier = C::Opaque},
};
// clang-format on

bool endsWithLabel(std::u16string_view host, std::u16string_view name) noexcept
{
    return host.size() > name.size() && host.ends_with(name) &&
           host[host.size() - name.size() - 1] == u'.';
}

bool isCountryDomain(std::u16string_view tld) noexcept
{
    const auto isLabel = [](std::u16string_view label) {
        return !label.empty() && std::all_of(label.begin(), label.end(),
                                             [](char16_t c) { return c >= u'a' && c <= u'z'; });
    };
    const std::size_t dot = tld.find(u'.');
    if (dot == std::u16string_view::npos)
        return isLabel(tld);
    const std::u16string_view second = tld.substr(0, dot);
    return (second == u"co"sv || second == u"com"sv) && isLabel(tld.substr(dot + 1));
}

bool wildcardMatches(std::u16string_view pattern, std::u16string_view host) noexcept
{
    const std::size_t dot = pattern.find(u'.');
    const std::size_t hostDot = host.find(u'.');
    if (hostDot == std::u16string_view::npos || host.substr(hostDot) != pattern.substr(dot))
        return false;
    const std::u16string_view label = pattern.substr(0, dot);
    const std::u16string_view hostLabel = host.substr(0, hostDot);
    const std::size_t star = label.find(u'*');
    const std::u16string_view before = label.substr(0, star);
    const std::u16string_view after = label.substr(star + 1);
    return hostLabel.size() > before.size() + after.size() && hostLabel.starts_with(before) &&
           hostLabel.ends_with(after);
}

bool pathMatches(std::u16string_view pattern, std::u16string_view path) noexcept
{
    if (path.empty())
        path = u"/";
    if (!pattern.empty() && pattern.back() == u'*') {
        pattern.remove_suffix(1);
        return path.starts_with(pattern);
    }
    return path == pattern;
}

// The last two labels: what the index of the table is keyed on. Hosts are
// short: read from the end, unit by unit.
std::u16string_view lastTwoLabels(std::u16string_view host) noexcept
{
    bool secondDot = false;
    for (std::size_t i = host.size(); i-- > 0;) {
        if (host[i] != u'.')
            continue;
        if (secondDot)
            return host.substr(i + 1);
        secondDot = true;
    }
    return host;
}

// Keys by length first: most keys a host meets differ from it in length.
bool keyBefore(std::u16string_view a, std::u16string_view b) noexcept
{
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

struct IndexEntry {
    std::u16string_view key;
    const Rule* rule;
    const Site* site;
};

// A host's bit in the index's filter: from its last five units, which it
// shares with the key of any site that it may match.
std::size_t tailBit(std::u16string_view text) noexcept
{
    const std::u16string_view tail =
        text.substr(text.size() - std::min<std::size_t>(5, text.size()));
    std::size_t hash = tail.size();
    for (const char16_t c : tail)
        hash = hash * 31 + c;
    return hash % 4096;
}

struct SiteIndex {
    std::vector<IndexEntry> entries;
    std::bitset<4096> tails; // the bits of all keys: most hosts miss them all
};

// Every site but Google's by the last two labels of its host, in rank order
// within a key, so that a host is compared with a few sites only.
const SiteIndex& siteIndex()
{
    static const SiteIndex index = [] {
        SiteIndex made;
        for (const Rule& rule : kRules)
            for (const Site& site : rule.sites)
                if (!site.host.empty() && site.match != GoogleCountry)
                    made.entries.push_back({lastTwoLabels(site.host), &rule, &site});
        std::stable_sort(
            made.entries.begin(), made.entries.end(),
            [](const IndexEntry& a, const IndexEntry& b) { return keyBefore(a.key, b.key); });
        for (const IndexEntry& entry : made.entries) {
            // A host under a short key ends in the key or in '.' and the key.
            const std::u16string_view key = entry.key;
            if (key.size() < 4)
                made.tails.set();
            made.tails.set(tailBit(key));
            if (key.size() < 5)
                made.tails.set(tailBit(u"." + std::u16string(key)));
        }
        return made;
    }();
    return index;
}

bool mayBeGoogle(std::u16string_view host) noexcept
{
    return host.starts_with(u"google."sv) || host.starts_with(u"www.google."sv);
}

} // namespace

std::span<const Rule> rules() noexcept
{
    return kRules;
}

bool hostMatches(const Site& site, std::u16string_view host) noexcept
{
    switch (site.match) {
    case Exact:
        return host == site.host;
    case OrSubdomain:
        return host == site.host || endsWithLabel(host, site.host);
    case Subdomain:
        return endsWithLabel(host, site.host);
    case LabelWildcard:
        return wildcardMatches(site.host, host);
    case GoogleCountry:
        if (host.starts_with(u"www."sv))
            host.remove_prefix(4);
        return host.starts_with(u"google."sv) && isCountryDomain(host.substr(7));
    }
    return false;
}

bool mayHaveRule(std::u16string_view host)
{
    return mayBeGoogle(host) || siteIndex().tails.test(tailBit(host));
}

const Rule* ruleFor(std::u16string_view host, std::u16string_view path, const Site** matched)
{
    const auto accept = [&](const Rule* rule, const Site* site) {
        if (matched)
            *matched = site;
        return rule;
    };
    if (mayBeGoogle(host)) {
        for (const Rule& rule : kRules)
            for (const Site& site : rule.sites)
                if (site.match == GoogleCountry && hostMatches(site, host) &&
                    pathMatches(site.path, path))
                    return accept(&rule, &site);
    }
    if (!mayHaveRule(host))
        return nullptr;
    const SiteIndex& sites = siteIndex();
    const std::u16string_view key = lastTwoLabels(host);
    const std::vector<IndexEntry>& index = sites.entries;
    auto it = std::lower_bound(
        index.begin(), index.end(), key,
        [](const IndexEntry& e, std::u16string_view k) { return keyBefore(e.key, k); });
    for (; it != index.end() && it->key == key; ++it)
        if (hostMatches(*it->site, host) && pathMatches(it->site->path, path))
            return accept(it->rule, it->site);
    return nullptr;
}

} // namespace quorvel::unwrap
