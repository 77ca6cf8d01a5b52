// The unwrapping against the table of wrapped links in unwrap_cases.tsv (one
// row a line: name, options, input, what the filter prints, its exit status),
// and the rules table against hosts that only look like a wrapper's.
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
#include <vector>

namespace quorvel::unwrap {
namespace {

struct Case {
    int line;
    std::vector<std::string> fields; // name, options, input, output, status
};

// "\t" in a field is a tab.
std::string unescapeTabs(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool tab = text.compare(i, 2, "\\t") == 0;
        out += tab ? '\t' : text[i];
        i += tab;
    }
    return out;
}

std::vector<Case> tableRows()
{
    std::vector<Case> rows;
    std::istringstream table(kUnwrapCases);
    std::string line;
    for (int number = 1; std::getline(table, line); ++number) {
        if (line.empty() || line[0] == '#')
            continue;
        Case row{number, {}};
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, '\t');)
            row.fields.push_back(unescapeTabs(field));
        rows.push_back(row);
    }
    return rows;
}

Options optionsFrom(const std::string& text)
{
    Options options;
    std::istringstream words(text);
    for (std::string word; words >> word;) {
        if (word == "--unwrap")
            options.scope = Scope::All;
        else if (word == "--unwrap=known")
            options.scope = Scope::Known;
        else if (word == "--keep-ending")
            options.trailing.removeTrailing = false;
        else if (word == "--ending" && words >> word)
            options.trailing.trailingChars = *trailingCharsFromEntry(decodeUtf8(word));
        else
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
    const std::vector<Case> rows = tableRows();
    for (const Case& row : rows) {
        ASSERT_EQ(row.fields.size(), 5u) << "line " << row.line;
        const std::string& name = row.fields[0];
        const Result result =
            unwrapLink(decodeUtf8(row.fields[2]), optionsFrom(row.fields[1]), hostNames);
        EXPECT_EQ(std::to_string(result.layers) + "\t" + encodeUtf8(result.target), row.fields[3])
            << name << " (line " << row.line << ")";
        EXPECT_EQ(result.status == Status::Done ? "0" : "1", row.fields[4])
            << name << " (line " << row.line << "): " << encodeUtf8(result.detail);
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
            std::u16string path(site.path);
            if (path.back() == u'*')
                path.pop_back();
            const std::u16string host = exampleHost(site);
            EXPECT_EQ(ruleFor(host, path), &rule) << encodeUtf8(host);
            for (const std::u16string& lookalike : lookalikes(site, host))
                EXPECT_NE(ruleFor(lookalike, path), &rule) << encodeUtf8(lookalike);
        }
    }
}

TEST(Unwrap, LookalikeTargetsWarnWithBothForms)
{
    const struct {
        const char* name;
        std::u16string target;
        std::u16string unicode; // empty: no warning
        std::u16string ascii;
    } rows[] = {
        {"mixed scripts", u"%D0%B5xample.com", u"\u0435xample.com", u"xn--xample-2of.com"},
        {"ascii shows as cyrillic", u"xn--80ak6aa92e.com", u"\u0430\u0440\u0440\u04cf\u0435.com",
         u"xn--80ak6aa92e.com"},
        {"latin name", u"xn--bcher-kva.de", u"", u"xn--bcher-kva.de"},
        {"plain ascii", u"www.example.com", u"", u"www.example.com"},
    };
    for (const auto& row : rows) {
        const Result result =
            unwrapped(u"https://l.facebook.com/l.php?u=https%3A%2F%2F" + row.target + u"%2F");
        EXPECT_EQ(result.hostAscii, row.ascii) << row.name;
        ASSERT_EQ(result.warnings.size(), row.unicode.empty() ? 0u : 1u) << row.name;
        if (!row.unicode.empty()) {
            EXPECT_EQ(result.hostUnicode, row.unicode) << row.name;
            EXPECT_NE(result.warnings[0].find(row.unicode), std::u16string::npos) << row.name;
            EXPECT_NE(result.warnings[0].find(row.ascii), std::u16string::npos) << row.name;
        }
    }
}

TEST(Unwrap, StepsNameWrappersHostsAndGenericDetection)
{
    const Result result = unwrapped(
        u"https://eur01.safelinks.protection.outlook.com/"
        u"?url=https%3A%2F%2Furldefense.com%2Fv3%2F__"
        u"https%3A%2F%2Fclick.news.example.net%2Ftrack%3Fid%3D5%26url%3Dhttps*3A*2F*2Fwww.example."
        u"com*2Fsale__%3BJSUlJQ%21%21ABC%21xyz%24&reserved=0");
    ASSERT_EQ(result.steps.size(), 3u);
    const char16_t* wrappers[] = {u"Microsoft Safe Links", u"Proofpoint v3", u"generic"};
    const char16_t* hosts[] = {u"urldefense.com", u"click.news.example.net", u"www.example.com"};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(result.steps[i].wrapper, wrappers[i]);
        EXPECT_EQ(result.steps[i].host, hosts[i]);
        EXPECT_EQ(result.steps[i].generic, i == 2);
    }
    EXPECT_EQ(result.steps[0].carrier, u"query parameter url");
    EXPECT_EQ(result.steps[0].decodings, std::vector<std::u16string>{u"percent-decode once"});
    EXPECT_EQ(result.hostAscii, u"www.example.com");
}

// Past the Translate command's 16-bit positions the action= rule steps
// aside instead of raising its overflow error.
TEST(Unwrap, LongOwnFamilyLinkRaisesNothing)
{
    const std::u16string input = u"https://r.example.com/c?pad=" + std::u16string(40000, u'a') +
                                 u"&action=https%3A%2F%2Fwww.example.org%2F";
    const Result known = unwrapped(input, Scope::Known);
    EXPECT_EQ(known.layers, 0);
    EXPECT_EQ(known.warnings.size(), 1u);
    EXPECT_EQ(unwrapped(input).target, u"https://www.example.org/");
}

} // namespace
} // namespace quorvel::unwrap
