// The unwrapping against the table of wrapped links in unwrap_cases.tsv, and
// the rules table against hosts that only look like a wrapper's.
#include "UnwrapCases.h"
#include "engine/Text.h"
#include "engine/Unwrap.h"
#include "engine/UnwrapRules.h"
#include "engine/Utf8.h"
#include "platform/qt/QtHostNames.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace quorvel::unwrap {
namespace {

Options optionsFrom(const std::string& text)
{
    Options options;
    std::istringstream words(text);
    for (std::string word; words >> word;) {
        if (word == "--unwrap=known")
            options.scope = Scope::Known;
        else if (word == "--keep-ending")
            options.trailing.removeTrailing = false;
        else if (word == "--ending" && words >> word)
            options.trailing.trailingChars = *trailingCharsFromEntry(decodeUtf8(word));
        else if (word != "--unwrap") // all rules, the default
            ADD_FAILURE() << "unknown option " << word;
    }
    return options;
}

const platform::QtHostNames hostNames;

Result unwrapped(const std::u16string& input, Scope scope = Scope::All)
{
    Options options;
    options.scope = scope;
    return unwrapLink(input, options, hostNames);
}

TEST(Unwrap, TableOfWrappedLinks)
{
    std::map<std::u16string, int> rowsOfFamily;
    std::istringstream table(kUnwrapCases);
    std::string line;
    for (int number = 1; std::getline(table, line); ++number) {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> row; // name, options, input, output, status
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, '\t');)
            row.push_back(field);
        ASSERT_EQ(row.size(), 5u) << "line " << number;
        const Result result = unwrapLink(decodeUtf8(row[2]), optionsFrom(row[1]), hostNames);
        EXPECT_EQ(std::to_string(result.layers) + "\\t" + encodeUtf8(result.target) +
                      (result.status == Status::Done ? " 0" : " 1"),
                  row[3] + " " + row[4])
            << row[0] << " (line " << number << "): " << encodeUtf8(result.detail);
        for (const Step& step : result.steps)
            ++rowsOfFamily[step.wrapper];
        for (const Rule& rule : rules()) // a walk stopped by this family's layer
            if (result.detail.find(rule.family) != std::u16string::npos)
                ++rowsOfFamily[std::u16string(rule.family)];
    }
    for (const Rule& rule : rules())
        EXPECT_GE(rowsOfFamily[std::u16string(rule.family)], 2) << encodeUtf8(rule.family);
}

// A name each site's pattern stands for, and names that only look like it.
std::u16string exampleHost(const Site& site)
{
    const std::size_t star = site.host.find(u'*');
    std::u16string host(site.host.substr(0, star));
    if (star != std::u16string_view::npos)
        host.append(u"x").append(site.host.substr(star + 1));
    if (site.match == HostMatch::Subdomain)
        host.insert(0, u"x.");
    if (site.match == HostMatch::GoogleCountry)
        host += u".com";
    return host;
}

std::vector<std::u16string> lookalikes(const Site& site, const std::u16string& host)
{
    std::vector<std::u16string> names = {host + u".example.net", host + u"-example.net"};
    if (site.host.front() != u'*' && site.match != HostMatch::Subdomain)
        names.push_back(u"evil-" + host);
    const std::size_t dot = host.rfind(u'.', host.rfind(u'.') - 1);
    const std::size_t registered = dot == std::u16string::npos ? 0 : dot + 1;
    names.push_back(host.substr(0, registered) + u"evil-" + host.substr(registered));
    return names;
}

TEST(UnwrapRules, LookalikeHostsMatchNoRule)
{
    for (const Rule& rule : rules()) {
        for (const Site& site : rule.sites) {
            if (site.host.empty())
                continue;
            const std::u16string path(site.path.substr(0, site.path.find(u'*')));
            const std::u16string host = exampleHost(site);
            EXPECT_EQ(ruleFor(host, path), &rule) << encodeUtf8(host);
            for (const std::u16string& lookalike : lookalikes(site, host))
                EXPECT_NE(ruleFor(lookalike, path), &rule) << encodeUtf8(lookalike);
        }
    }
}

// The host in ASCII and in Unicode, then the warnings, which name both forms
// of a lookalike.
TEST(Unwrap, TargetHostsAndWarnings)
{
    const struct {
        const char* name;
        std::u16string value; // of a Facebook link's u=
        std::u16string expected;
    } rows[] = {
        {"mixed scripts", u"https%3A%2F%2F%D0%B5xample.com%2F",
         u"xn--xample-2of.com \u0435xample.com; lookalike host: \u0435xample.com is "
         u"xn--xample-2of.com"},
        {"ascii shows as cyrillic", u"https://xn--80ak6aa92e.com/",
         u"xn--80ak6aa92e.com \u0430\u0440\u0440\u04cf\u0435.com; lookalike host: "
         u"\u0430\u0440\u0440\u04cf\u0435.com is xn--80ak6aa92e.com"},
        {"latin name", u"https://xn--bcher-kva.de/", u"xn--bcher-kva.de b\u00fccher.de"},
        {"plain ascii", u"https://www.example.com/", u"www.example.com www.example.com"},
        {"capitals, shorter than eight", u"https://A.BC/", u"a.bc a.bc"},
        {"capitals at both ends of 17", u"https://ABCDEFGHIJKLMNOPQ/",
         u"abcdefghijklmnopq abcdefghijklmnopq"},
        {"xn-- in capitals, in the last eight only", u"https://EXAMPLE.XN--80A/",
         u"example.xn--80a example.\u0430; lookalike host: example.\u0430 is example.xn--80a"},
        {"not ascii in the last eight only", u"https://exampleb\u00fc.de/",
         u"xn--exampleb-e6a.de exampleb\u00fc.de"},
        {"ipv6", u"https://[2001:db8::1]/", u"[2001:db8::1] [2001:db8::1]"},
        {"ipv6 and a port", u"https://[2001:db8::1]:8080/", u"[2001:db8::1] [2001:db8::1]"},
        {"relative", u"%2Fa",
         u"l.facebook.com l.facebook.com; relative target /a resolved as https://l.facebook.com/a"},
    };
    for (const auto& row : rows) {
        const Result result = unwrapped(u"https://l.facebook.com/l.php?u=" + row.value);
        std::u16string got = result.hostAscii + u" " + result.hostUnicode;
        for (const std::u16string& warning : result.warnings)
            got += u"; " + warning;
        EXPECT_EQ(encodeUtf8(got), encodeUtf8(row.expected)) << row.name;
    }
}

// Each step's wrapper, carrier, decodings and host, generic detection's
// included, and the host of the target.
TEST(Unwrap, StepsNameWrappersCarriersDecodingsAndHosts)
{
    const Result result = unwrapped(
        u"https://eur01.safelinks.protection.outlook.com/"
        u"?url=https%3A%2F%2Furldefense.com%2Fv3%2F__"
        u"https%3A%2F%2Fclick.news.example.net%2Ftrack%3Fid%3D5%26url%3Dhttps*3A*2F*2Fwww.example."
        u"com*2Fsale__%3BJSUlJQ%21%21ABC%21xyz%24&reserved=0");
    std::u16string got = u"to " + result.hostAscii + u"\n";
    for (const Step& step : result.steps) {
        got += step.wrapper + (step.generic ? u" (generic), " : u", ") + step.carrier;
        for (const std::u16string& decoding : step.decodings)
            got += u", " + decoding;
        got += u" at " + step.host + u"\n";
    }
    EXPECT_EQ(
        encodeUtf8(got),
        "to www.example.com\n"
        "Microsoft Safe Links, query parameter url, percent-decode once at urldefense.com\n"
        "Proofpoint v3, the path between __ and __;, each * replaced from the base64url bytes "
        "after ; at click.news.example.net\n"
        "generic (generic), query parameter url, percent-decode once at www.example.com\n");
}

// Past the Translate command's 16-bit positions the action= rule steps
// aside instead of raising its overflow error; where the marker stands in a
// long line does not matter.
TEST(Unwrap, LongOwnFamilyLinks)
{
    const std::u16string link = u"action=https%3A%2F%2Fwww.example.org%2F", pad(40000, u'a');
    const Result past = unwrapped(u"https://r.example.com/c?" + link + pad + u"%41", Scope::Known);
    EXPECT_EQ(std::make_pair(past.layers, past.warnings.size()), std::make_pair(0, std::size_t{1}));
    EXPECT_EQ(unwrapped(u"https://r.example.com/c?pad=" + pad + u"&" + link, Scope::Known).target,
              u"https://www.example.org/");
}

} // namespace
} // namespace quorvel::unwrap
