#include "engine/Unwrap.h"

#include "engine/Scan.h"
#include "engine/Text.h"
#include "engine/UnwrapDecode.h"
#include "engine/UnwrapRules.h"
#include "engine/UrlParts.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace quorvel::unwrap {

using namespace std::string_view_literals;

namespace {

// Names under which sites pass the page a visitor came from: never a target.
constexpr std::u16string_view kReferrers[] = {u"ref"sv,   u"referrer"sv, u"referer"sv,
                                              u"from"sv,  u"source"sv,   u"rurl"sv,
                                              u"ppref"sv, u"currurl"sv};

// Names under which sites pass where to send a visitor back after a login or
// a form: reported, never followed.
constexpr std::u16string_view kReturnAddresses[] = {
    u"returnurl"sv,    u"return_url"sv, u"returnto"sv, u"return_to"sv,
    u"redirect_uri"sv, u"continue"sv,   u"next"sv,     u"rd"sv,
    u"wreply"sv,       u"relaystate"sv, u"callback"sv};

bool isOneOf(std::u16string_view name, std::span<const std::u16string_view> names)
{
    return std::any_of(names.begin(), names.end(),
                       [&](std::u16string_view n) { return equalsIgnoringCase(name, n); });
}

// Whether `name` is one of the '|'-separated names of `list`.
bool listed(std::u16string_view list, std::u16string_view name)
{
    while (!list.empty()) {
        const std::size_t bar = list.find(u'|');
        if (equalsIgnoringCase(list.substr(0, bar), name))
            return true;
        if (bar == std::u16string_view::npos)
            break;
        list.remove_prefix(bar + 1);
    }
    return false;
}

bool startsWithWebScheme(std::u16string_view text)
{
    return startsWithIgnoringCase(text, u"http://"sv) ||
           startsWithIgnoringCase(text, u"https://"sv);
}

bool startsWithEncodedScheme(std::u16string_view text)
{
    if (text.size() < 13 || (text[4] != u'%' && text[5] != u'%'))
        return false;
    return startsWithIgnoringCase(text, u"http%3a%2f%2f"sv) ||
           startsWithIgnoringCase(text, u"https%3a%2f%2f"sv);
}

// A value that generic detection takes for a link: a web address, plain or
// percent-encoded, "www.", "//", or base64 of "http" or "www".
enum class LinkForm { None, Text, Base64 };

LinkForm linkForm(std::u16string_view value)
{
    if (value.empty() ||
        std::u16string_view(u"hHwW/%ad"sv).find(value[0]) == std::u16string_view::npos)
        return LinkForm::None;
    if (startsWithWebScheme(value) || startsWithEncodedScheme(value) ||
        startsWithIgnoringCase(value, u"www."sv) || value.starts_with(u"//"sv) ||
        startsWithIgnoringCase(value, u"%2f%2f"sv))
        return LinkForm::Text;
    if (value.starts_with(u"aHR0c"sv) || value.starts_with(u"d3d3"sv))
        return LinkForm::Base64;
    return LinkForm::None;
}

scan::HostLetters lowerAsciiInto(std::u16string_view text, std::u16string& out)
{
    out.resize(text.size());
    return scan::lowerHostInto(text.data(), out.data(), text.size());
}

bool hasPunycodeLabel(std::u16string_view host)
{
    if (findUnit(host, u'-') == std::u16string_view::npos)
        return false;
    for (std::size_t at = 0; at < host.size();) {
        if (startsWithIgnoringCase(host.substr(at), u"xn--"sv))
            return true;
        const std::size_t dot = host.find(u'.', at);
        if (dot == std::u16string_view::npos)
            break;
        at = dot + 1;
    }
    return false;
}

// Labels repeat from link to link in a kept result: equal ones are left as
// they are.
void assignIfDifferent(std::u16string& to, std::u16string_view from)
{
    if (to.size() != from.size() ||
        std::memcmp(to.data(), from.data(), from.size() * sizeof(char16_t)) != 0)
        to.assign(from);
}

// A value not in the expected form (the rule yields nothing).
struct NoTarget {};

class SilentReporter : public Reporter {
public:
    void message(const std::u16string&, const std::u16string&, MessageStyle) override
    {
        raised = true;
    }
    bool raised = false;
};

// Buffers kept from one link to the next on the same thread.
struct Buffers {
    std::u16string current, value, scratch, host, name;
    std::string bytes;
    std::array<Step, 2> unrecorded; // a layer's step and the one before it
};

class Walk {
public:
    Walk(const Options& options, const HostNames& hosts, Result& result)
        : options_(options), hosts_(hosts), result_(result), b_(buffers())
    {}

    void run(std::u16string_view input);

private:
    enum class Found { Nothing, Target, Stop };

    static Buffers& buffers()
    {
        thread_local Buffers kept;
        return kept;
    }

    void reset();
    void prepare(std::u16string_view text);
    std::u16string_view withoutEnding(std::u16string_view text) const;
    void removeEnding(std::u16string& text) const;
    Found findTarget();
    Found tryAction(std::size_t marker);
    Found tryRule(const Rule& rule, const Site& site, const UrlParts& parts);
    Found tryGeneric(const UrlParts& parts);
    bool carry(const Rule& rule, const Site& site, const UrlParts& parts, Step& step);
    bool takeParameter(const Rule& rule, const Site& site, const UrlParts& parts, Step& step);
    void decode(Decoding decoding, Step& step);
    Found finish(Step& step);
    bool resolveRelative();
    void settleHost(std::u16string& url, std::u16string& asciiHost);
    void describeHost(std::u16string_view trimmed);
    Found stop(Status status, std::u16string detail);

    Step& step(std::u16string_view wrapper);
    Step& stepAt(std::size_t layer) const;
    void addDecoding(Step& step, std::u16string_view what);
    void swapValue(std::u16string& decoded) { std::swap(b_.value, decoded); }

    const Options& options_;
    const HostNames& hosts_;
    Result& result_;
    Buffers& b_;
    std::size_t decodings_ = 0;
    // The link being read: the prepared input, or b_.current after a layer.
    std::u16string_view current_;
    // Its host in ASCII, until the next step() (which may move the steps).
    std::u16string_view host_;
    // The family of the layer being removed, for messages.
    std::u16string_view wrapper_;
    // The parts of the URL that settleHost read last, valid while the text
    // they were read from stays where it is.
    struct {
        UrlParts parts;
        const char16_t* data = nullptr;
        std::size_t size = 0;
    } parsed_;
    bool unencoded_ = false;        // the carried value was left unencoded
    bool inputHostSettled_ = false; // b_.host holds the input's host
};

// Without the record, the step's labels are left empty.
Step& Walk::step(std::u16string_view wrapper)
{
    const std::size_t at = static_cast<std::size_t>(result_.layers);
    if (options_.record && result_.steps.size() <= at)
        result_.steps.resize(at + 1);
    Step& s = stepAt(at);
    s.generic = false;
    decodings_ = 0;
    wrapper_ = wrapper;
    if (options_.record)
        assignIfDifferent(s.wrapper, wrapper);
    return s;
}

// Where a layer's step is kept: in the result, or, without the record, in
// one of two buffers (the layer's and the one before it).
Step& Walk::stepAt(std::size_t layer) const
{
    return options_.record ? result_.steps[layer] : b_.unrecorded[layer % 2];
}

void Walk::addDecoding(Step& step, std::u16string_view what)
{
    if (!options_.record)
        return;
    if (step.decodings.size() <= decodings_)
        step.decodings.emplace_back();
    assignIfDifferent(step.decodings[decodings_++], what);
    step.decodings.resize(decodings_);
}

void Walk::reset()
{
    result_.target.clear();
    result_.layers = 0;
    result_.status = Status::Done;
    result_.detail.clear();
    result_.hostAscii.clear();
    result_.hostUnicode.clear();
    result_.warnings.clear();
}

std::u16string_view Walk::withoutEnding(std::u16string_view text) const
{
    const TrailingOptions& trailing = options_.trailing;
    const std::u16string& ending = trailing.trailingChars;
    text = trimmedAsBrowser(text);
    if (!trailing.removeTrailing || ending.empty() || ending.size() > text.size())
        return text;
    const std::size_t start = text.size() - ending.size();
    // ASCII last units that differ in more than the case bit end the test.
    const char16_t last = text.back();
    const char16_t wanted = ending.back();
    if ((last | wanted) < 0x80 && (last | 0x20) != (wanted | 0x20))
        return text;
    if (text.substr(start) != ending) {
        for (std::size_t i = 0; i < ending.size(); ++i)
            if (upperCaseChar(text[start + i]) != upperCaseChar(ending[i]))
                return text;
    }
    return trimmedAsBrowser(text.substr(0, start));
}

void Walk::removeEnding(std::u16string& text) const
{
    if (const std::u16string_view kept = withoutEnding(text); kept.size() != text.size())
        keepOnly(text, kept);
}

// As pasted from mail or a page: the ending, angle brackets or quotes around
// the link, and "&amp;" for '&'. The input is read where it is unless an
// "&amp;" has to be rewritten.
void Walk::prepare(std::u16string_view text)
{
    for (int round = 0; round < 3; ++round) {
        text = withoutEnding(text);
        if (text.size() < 2)
            break;
        const char16_t first = text.front();
        const char16_t last = text.back();
        if (!((first == u'<' && last == u'>') || (first == u'"' && last == u'"') ||
              (first == u'\'' && last == u'\'')))
            break;
        text = text.substr(1, text.size() - 2);
    }
    current_ = text;
    // Found by the ';', which links hold far less often than '&'; an '&'
    // kept by one replacement starts no other.
    const auto entityEndsAt = [](std::u16string_view in, std::size_t at, std::size_t from) {
        return at >= from + 4 && in.substr(at - 4, 5) == u"&amp;"sv;
    };
    std::size_t at = findUnit(text, u';', 4);
    while (at != std::u16string_view::npos && !entityEndsAt(text, at, 0))
        at = findUnit(text, u';', at + 1);
    if (at == std::u16string_view::npos)
        return;
    std::u16string& owned = b_.current;
    owned.assign(text);
    for (std::size_t from = 0; at != std::u16string::npos; at = findUnit(owned, u';', at + 1)) {
        if (entityEndsAt(owned, at, from)) {
            owned.erase(at - 3, 4);
            at -= 4;
            from = at + 1;
        }
    }
    current_ = owned;
}

void Walk::run(std::u16string_view input)
{
    reset();
    const std::u16string_view trimmed = trimmedAsBrowser(input);
    prepare(trimmed);
    for (;;) {
        const Found found = findTarget();
        if (found != Found::Target)
            break;
        if (result_.layers == kMaxLayers) {
            stop(Status::DepthLimit, u"more than 10 layers: the walk stopped after the tenth");
            break;
        }
        ++result_.layers;
        std::swap(b_.current, b_.value);
        current_ = b_.current;
    }
    result_.steps.resize(options_.record ? static_cast<std::size_t>(result_.layers) : 0);
    if (result_.layers == 0)
        result_.target.assign(trimmed);
    else
        std::swap(result_.target, b_.current); // buffers trade places: nothing copied
    if (options_.record)
        describeHost(trimmed);
}

Walk::Found Walk::stop(Status status, std::u16string detail)
{
    result_.status = status;
    result_.detail = std::move(detail);
    return Found::Stop;
}

Walk::Found Walk::findTarget()
{
    // The input holds its marker early if at all, and everything in it is
    // read below; a layer's result is read whole, once, for both.
    const scan::LinkScan scanned =
        result_.layers == 0
            ? scan::LinkScan{scan::findMarkerOnly(current_.data(), current_.size()), true}
            : scan::findMarkerOrLink(current_.data(), current_.size());
    if (scanned.marker != current_.size()) {
        if (const Found action = tryAction(scanned.marker); action != Found::Nothing)
            return action;
    }
    // A layer's result was read as its host was settled; its host is in ASCII.
    UrlParts parts = parsed_.data == current_.data() && parsed_.size == current_.size()
                         ? parsed_.parts
                         : splitAuthority(current_);
    if (result_.layers > 0) {
        host_ = stepAt(static_cast<std::size_t>(result_.layers) - 1).host;
    } else if (readScheme(parts.scheme.empty() ? std::u16string_view{} : current_) !=
               SchemeKind::Web) {
        return Found::Nothing;
    } else {
        // The host may be rewritten in ASCII: the input is copied first.
        if (current_.data() != b_.current.data())
            b_.current.assign(current_);
        settleHost(b_.current, b_.host);
        current_ = b_.current;
        host_ = b_.host;
        inputHostSettled_ = true;
        parts = parsed_.parts;
    }
    // Most links name no wrapper's host and hold no other link: their path
    // and query need not be read.
    const bool generic = options_.scope == Scope::All && scanned.link;
    if (!generic && !mayHaveRule(host_))
        return Found::Nothing;
    splitTail(parts);
    const Site* site = nullptr;
    if (const Rule* rule = ruleFor(host_, parts.path, &site))
        return tryRule(*rule, *site, parts);
    return generic ? tryGeneric(parts) : Found::Nothing;
}

// Quorvel's own family, exactly as the Translate command reads it.
Walk::Found Walk::tryAction(std::size_t marker)
{
    std::u16string& text = b_.value;
    // From the marker on: the same cut, found again at once, and no 16-bit
    // limit on where the marker stands in a long line.
    SilentReporter reporter;
    translateDynamicInto(reporter, options_.trailing, current_.substr(marker), text);
    if (reporter.raised) {
        // Past the Translate command's 16-bit positions: it would only show
        // an error box, so the link is left to the other rules.
        result_.warnings.push_back(u"too long for the Translate command's action= rule");
        return Found::Nothing;
    }
    Step& s = step(rules()[0].family);
    if (options_.record)
        assignIfDifferent(s.carrier, u"query parameter action"sv);
    addDecoding(s, u"printable escapes decoded (the Translate command)"sv);
    return finish(s);
}

Walk::Found Walk::tryRule(const Rule& rule, const Site& site, const UrlParts& parts)
{
    if (rule.carrier == Carrier::Opaque) {
        std::u16string detail(rule.family);
        detail += u": "sv;
        detail += host_;
        detail += u" keeps its target on its server; only a request would reveal it"sv;
        return stop(Status::Opaque, std::move(detail));
    }
    Step& s = step(rule.family);
    if (!carry(rule, site, parts, s))
        return Found::Nothing;
    try {
        for (const Decoding decoding : rule.decodings)
            decode(decoding, s);
    } catch (const NoTarget&) {
        return Found::Nothing;
    }
    return finish(s);
}

// Puts the carried value, still encoded, in b_.value.
bool Walk::carry(const Rule& rule, const Site& site, const UrlParts& parts, Step& step)
{
    const std::u16string_view tail = parts.tail;
    switch (rule.carrier) {
    case Carrier::Parameter:
        return takeParameter(rule, site, parts, step);
    case Carrier::WholeQuery:
        step.carrier.assign(u"the whole query"sv);
        b_.value.assign(parts.query);
        return !parts.query.empty();
    case Carrier::PathRest: {
        const std::u16string_view prefix = site.path.substr(0, site.path.size() - 1);
        step.carrier.assign(u"the path after "sv);
        step.carrier += prefix;
        b_.value.assign(tail.substr(std::min(prefix.size(), tail.size())));
        return !b_.value.empty();
    }
    case Carrier::PathBetween: {
        const std::size_t from = tail.find(rule.from);
        if (from == std::u16string_view::npos)
            return false;
        const std::size_t start = from + rule.from.size();
        const std::size_t end = tail.find(rule.to, start);
        step.carrier.assign(u"the path between "sv);
        step.carrier.append(rule.from).append(u" and "sv).append(rule.to);
        b_.value.assign(tail.substr(start, end == std::u16string_view::npos ? end : end - start));
        return !b_.value.empty();
    }
    case Carrier::AfterSegments: {
        std::size_t at = 0;
        for (int k = 0; k < rule.segments && at != std::u16string_view::npos; ++k)
            at = tail.find(u'/', at + 1);
        if (at == std::u16string_view::npos)
            return false;
        step.carrier.assign(rule.segments == 1 ? u"the path after its first segment"sv
                                               : u"the path after its first two segments"sv);
        b_.value.assign(tail.substr(at + 1));
        return !b_.value.empty();
    }
    case Carrier::ProofpointV3: {
        const std::u16string_view rest = tail.substr(std::min<std::size_t>(6, tail.size()));
        const std::size_t end = rest.find(u"__;"sv);
        if (end == std::u16string_view::npos)
            return false;
        std::u16string_view blob = rest.substr(end + 3);
        blob = blob.substr(0, blob.find(u'!'));
        if (!decodeBase64(blob, b_.bytes) ||
            !substituteProofpointV3(rest.substr(0, end), b_.bytes, b_.value))
            return false;
        step.carrier.assign(u"the path between __ and __;"sv);
        addDecoding(step, u"each * replaced from the base64url bytes after ;"sv);
        return !b_.value.empty();
    }
    case Carrier::Action:
    case Carrier::Opaque:
        break;
    }
    return false;
}

// The parameter's value; a value left unencoded (its own scheme and '?' as
// written) runs on up to the first parameter that the wrapper adds itself.
bool Walk::takeParameter(const Rule& rule, const Site& site, const UrlParts& parts, Step& step)
{
    std::u16string_view name, value;
    forEachParameter(parts.query, [&](std::u16string_view n, std::u16string_view v, std::size_t) {
        if (!listed(site.parameters, n))
            return true;
        name = n;
        value = v;
        return false;
    });
    if (value.empty())
        return false;
    step.carrier.assign(u"query parameter "sv).append(name);
    unencoded_ = startsWithWebScheme(value) && value.find(u'?') != std::u16string_view::npos;
    if (!unencoded_) {
        b_.value.assign(value);
        return true;
    }
    const std::u16string_view rest =
        parts.tail.substr(static_cast<std::size_t>(value.data() - parts.tail.data()));
    std::size_t end = rest.size();
    forEachParameter(rest, [&](std::u16string_view n, std::u16string_view, std::size_t at) {
        if (at > 0 && listed(rule.ownParameters, n)) {
            end = at - 1;
            return false;
        }
        return true;
    });
    b_.value.assign(rest.substr(0, end));
    return true;
}

void Walk::decode(Decoding decoding, Step& step)
{
    std::u16string& out = b_.scratch;
    switch (decoding) {
    case Decoding::None:
        return;
    case Decoding::PercentOnce:
        if (unencoded_) {
            addDecoding(step, u"none: the value was not encoded"sv);
            return;
        }
        percentDecodeOnce(b_.value, out);
        addDecoding(step, u"percent-decode once"sv);
        break;
    case Decoding::HtmlEntities:
        decodeHtmlEntities(b_.value, out);
        addDecoding(step, u"HTML entities"sv);
        break;
    case Decoding::ProofpointV2:
        std::replace(b_.value.begin(), b_.value.end(), u'-', u'%');
        std::replace(b_.value.begin(), b_.value.end(), u'_', u'/');
        percentDecodeOnce(b_.value, out);
        addDecoding(step, u"- to % and _ to /, then percent-decode once"sv);
        break;
    case Decoding::Base64:
        if (!decodeBase64(b_.value, b_.bytes))
            throw NoTarget{};
        out.clear();
        appendBytes(b_.bytes, out);
        addDecoding(step, u"base64"sv);
        break;
    case Decoding::BingA1:
        if (!b_.value.starts_with(u"a1"sv) ||
            !decodeBase64(std::u16string_view(b_.value).substr(2), b_.bytes))
            throw NoTarget{};
        out.clear();
        appendBytes(b_.bytes, out);
        addDecoding(step, u"a1 and base64url"sv);
        break;
    case Decoding::AmpScheme: {
        const bool secure = b_.value.starts_with(u"s/"sv);
        out.assign(secure ? u"https://"sv : u"http://"sv);
        out.append(std::u16string_view(b_.value).substr(secure ? 2 : 0));
        addDecoding(step, secure ? u"s/ read as https://"sv : u"no s/: read as http://"sv);
        break;
    }
    case Decoding::YouTubeRelative:
        if (!b_.value.starts_with(u"/"sv) || b_.value.starts_with(u"//"sv))
            return;
        out.assign(u"https://www.youtube.com"sv).append(b_.value);
        addDecoding(step, u"resolved against https://www.youtube.com"sv);
        result_.warnings.push_back(u"relative target " + b_.value +
                                   u" resolved against https://www.youtube.com");
        break;
    }
    swapValue(out);
}

// Every layer's value, whoever found it: one more decoding when it is still
// an encoded scheme, the ending, the safety check, the host in ASCII.
Walk::Found Walk::finish(Step& step)
{
    unencoded_ = false;
    // Trimming, the ending and the scheme's slashes bring no blank in: a
    // value without one at first is scanned once.
    bool blanks = cleanAsBrowser(b_.value);
    if (startsWithEncodedScheme(b_.value)) {
        percentDecodeOnce(b_.value, b_.scratch);
        swapValue(b_.scratch);
        blanks = cleanAsBrowser(b_.value);
        addDecoding(step, u"percent-decode again: the value was still an encoded scheme"sv);
    }
    removeEnding(b_.value);
    b_.name.clear();
    switch (readScheme(b_.value, &b_.name)) {
    case SchemeKind::Web:
        break;
    case SchemeKind::Other:
        return stop(Status::Refused, u"a " + b_.name + u": target is never followed; " +
                                         std::u16string(wrapper_) + u" led to it");
    case SchemeKind::None:
        if (!resolveRelative())
            return Found::Nothing;
        blanks = true; // the base's authority came in unchecked
        break;
    }
    normalizeWebScheme(b_.value);
    if (blanks)
        escapeBlanksAndControls(b_.value, b_.scratch);
    settleHost(b_.value, step.host);
    if (options_.record)
        step.result.assign(b_.value);
    return Found::Target;
}

// A target without a scheme, against the address that carried it: only the
// forms that are clearly addresses ("//host", "/path", "www.").
bool Walk::resolveRelative()
{
    const UrlParts base = splitUrl(current_);
    if (readScheme(base.scheme.empty() ? std::u16string_view{} : current_) != SchemeKind::Web)
        return false;
    std::u16string& out = b_.scratch;
    out.assign(base.scheme);
    if (b_.value.starts_with(u"//"sv)) {
        out += u':';
    } else if (b_.value.starts_with(u"/"sv)) {
        out.append(u"://"sv).append(base.authority);
    } else if (startsWithIgnoringCase(b_.value, u"www."sv)) {
        out.append(u"://"sv);
    } else {
        return false;
    }
    out += b_.value;
    result_.warnings.push_back(u"relative target " + b_.value + u" resolved as " + out);
    swapValue(out);
    return true;
}

// Writes the host in ASCII into the URL and warns of a lookalike.
// Keeps the parts of the URL for the next layer's rules.
void Walk::settleHost(std::u16string& url, std::u16string& asciiHost)
{
    const UrlParts parts = splitAuthority(url);
    parsed_ = {parts, url.data(), url.size()};
    const std::size_t at = static_cast<std::size_t>(parts.host.data() - url.data());
    const std::size_t length = parts.host.size();
    if (const scan::HostLetters letters = lowerAsciiInto(parts.host, asciiHost); letters.ascii) {
        if (!letters.hyphen || !hasPunycodeLabel(asciiHost))
            return;
    } else if (auto ascii = hosts_.toAscii(parts.host)) {
        asciiHost = std::move(*ascii);
        url.replace(at, length, asciiHost);
        parsed_ = {splitAuthority(url), url.data(), url.size()};
    } else {
        asciiHost.assign(parts.host);
        result_.warnings.push_back(u"host " + asciiHost + u" is not a valid name");
        return;
    }
    const std::u16string unicode = hosts_.toUnicode(asciiHost);
    if (hosts_.looksDeceptive(unicode))
        result_.warnings.push_back(u"lookalike host: " + unicode + u" is " + asciiHost);
}

void Walk::describeHost(std::u16string_view trimmed)
{
    if (result_.layers > 0) {
        result_.hostAscii = result_.steps.back().host;
    } else if (inputHostSettled_) {
        result_.hostAscii = b_.host;
    } else {
        b_.value.assign(trimmed);
        if (readScheme(b_.value) == SchemeKind::Web) {
            const std::size_t warnings = result_.warnings.size();
            settleHost(b_.value, result_.hostAscii);
            result_.warnings.resize(warnings);
        }
    }
    // Assigned, not built as a temporary: the buffer is kept from link to link.
    if (hasPunycodeLabel(result_.hostAscii))
        result_.hostUnicode = hosts_.toUnicode(result_.hostAscii);
    else
        result_.hostUnicode = result_.hostAscii;
}

// Query parameters and the fragment that hold a link, when no rule knows the
// host: exactly one is followed; referrers are passed over, return addresses
// reported.
Walk::Found Walk::tryGeneric(const UrlParts& parts)
{
    std::u16string_view chosenName, chosenRaw, returnName;
    LinkForm chosenForm = LinkForm::None;
    bool ambiguous = false;
    std::u16string_view otherName;
    const auto consider = [&](std::u16string_view name, std::u16string_view value) {
        const LinkForm form = linkForm(value);
        if (form == LinkForm::None || isOneOf(name, kReferrers))
            return true;
        if (isOneOf(name, kReturnAddresses)) {
            if (returnName.empty())
                returnName = name;
            return true;
        }
        if (chosenForm == LinkForm::None) {
            chosenName = name;
            chosenRaw = value;
            chosenForm = form;
        } else if (value != chosenRaw) {
            ambiguous = true;
            otherName = name;
        }
        return true;
    };
    forEachParameter(parts.query, [&](std::u16string_view name, std::u16string_view value,
                                      std::size_t) { return consider(name, value); });
    if (!parts.fragment.empty())
        consider(u"#"sv, parts.fragment);
    if (ambiguous) {
        return stop(Status::Ambiguous, u"both " + std::u16string(chosenName) + u" and " +
                                           std::u16string(otherName) +
                                           u" hold a link; neither is followed");
    }
    if (chosenForm == LinkForm::None) {
        if (returnName.empty())
            return Found::Nothing;
        return stop(Status::ReturnAddress, u"parameter " + std::u16string(returnName) +
                                               u" holds a return address, which is not followed");
    }
    Step& s = step(u"generic"sv);
    s.generic = true;
    if (chosenName == u"#"sv)
        s.carrier.assign(u"the fragment"sv);
    else
        s.carrier.assign(u"query parameter "sv).append(chosenName);
    if (chosenName != u"#"sv && startsWithWebScheme(chosenRaw) &&
        chosenRaw.find(u'?') != std::u16string_view::npos) {
        // Not encoded: its own query runs to the end of the wrapper's.
        const std::size_t start = static_cast<std::size_t>(chosenRaw.data() - parts.query.data());
        b_.value.assign(parts.query.substr(start));
        addDecoding(s, u"none: the value was not encoded"sv);
        return finish(s);
    }
    percentDecodeOnce(chosenRaw, b_.value);
    addDecoding(s, u"percent-decode once"sv);
    if (chosenForm == LinkForm::Base64) {
        if (!decodeBase64(b_.value, b_.bytes))
            return Found::Nothing;
        b_.value.clear();
        appendBytes(b_.bytes, b_.value);
        addDecoding(s, u"base64"sv);
    }
    return finish(s);
}

} // namespace

std::u16string_view statusName(Status status)
{
    switch (status) {
    case Status::Done:
        return u"ok"sv;
    case Status::Refused:
        return u"refused"sv;
    case Status::Opaque:
        return u"opaque"sv;
    case Status::Ambiguous:
        return u"ambiguous"sv;
    case Status::ReturnAddress:
        return u"return-address"sv;
    case Status::DepthLimit:
        return u"depth-limit"sv;
    }
    return u"ok"sv;
}

void unwrapLink(std::u16string_view input, const Options& options, const HostNames& hosts,
                Result& result)
{
    Walk(options, hosts, result).run(input);
}

Result unwrapLink(std::u16string_view input, const Options& options, const HostNames& hosts)
{
    Result result;
    unwrapLink(input, options, hosts, result);
    return result;
}

} // namespace quorvel::unwrap
