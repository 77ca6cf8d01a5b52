// The unwrapping on any text: it never throws, never leaves more than ten
// layers, hands over only web addresses unless it refused one, and gives
// the same result into a reused Result as into a new one, with the plain
// loops as with the vector scans, and without its record as with it. The
// first byte picks the options; the rest is the link, as UTF-8.
#include "engine/Scan.h"
#include "engine/Unwrap.h"
#include "engine/Utf8.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <tuple>

namespace {

using namespace quorvel;
using namespace quorvel::unwrap;

// Stands in for the system's IDNA: a name of its own for every host that is
// not ASCII, none for one with a '%', a lookalike for every other one.
class FuzzHostNames : public HostNames {
public:
    std::optional<std::u16string> toAscii(std::u16string_view host) const override
    {
        if (host.find(u'%') != std::u16string_view::npos)
            return std::nullopt;
        return u"xn--" + std::u16string(host.size() % 7 + 1, u'a') + u".example";
    }
    std::u16string toUnicode(std::u16string_view asciiHost) const override
    {
        return u"\u0435" + std::u16string(asciiHost);
    }
    bool looksDeceptive(std::u16string_view unicodeHost) const override
    {
        return unicodeHost.size() % 2 == 0;
    }
};

void require(bool holds, const char* what)
{
    if (holds)
        return;
    std::fprintf(stderr, "unwrapping: %s\n", what);
    std::abort();
}

auto fields(const Result& r)
{
    return std::tie(r.target, r.layers, r.status, r.detail, r.warnings, r.hostAscii, r.hostUnicode);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    Options options;
    options.scope = data[0] & 1 ? Scope::Known : Scope::All;
    options.trailing.removeTrailing = (data[0] & 2) == 0;
    if (data[0] & 4)
        options.trailing.trailingChars = u"&";
    const std::u16string input =
        decodeUtf8(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
    static const FuzzHostNames hosts;
    const Result result = unwrapLink(input, options, hosts);

    require(result.layers >= 0 && result.layers <= kMaxLayers, "layers out of range");
    require(result.steps.size() == static_cast<std::size_t>(result.layers), "a step per layer");
    require(result.layers == 0 || result.status == Status::Refused ||
                result.target.starts_with(u"http://") || result.target.starts_with(u"https://"),
            "a target that is not a web address");

    static Result reused;
    unwrapLink(input, options, hosts, reused);
    const auto stepFields = [](const Step& s) {
        return std::tie(s.wrapper, s.generic, s.carrier, s.decodings, s.result, s.host);
    };
    require(fields(reused) == fields(result) &&
                std::ranges::equal(reused.steps, result.steps, {}, stepFields, stepFields),
            "a reused result differs from a new one");

    scan::useVectorCode(false);
    const Result plain = unwrapLink(input, options, hosts);
    scan::useVectorCode(true);
    require(fields(plain) == fields(result), "the plain loops differ from the vector scans");

    Options bare = options;
    bare.record = false;
    unwrapLink(input, bare, hosts, reused);
    const auto shown = [](const Result& r) {
        return std::tie(r.target, r.layers, r.status, r.detail, r.warnings);
    };
    require(shown(reused) == shown(result) && reused.steps.empty() && reused.hostAscii.empty(),
            "the walk without its record differs");
    return 0;
}
