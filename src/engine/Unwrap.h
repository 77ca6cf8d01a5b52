#pragma once

// Unwrapping: the target that mail gateways, search engines and social sites
// wrap a link around, found offline, one layer at a time, with a record of
// every step. Nothing here opens or fetches anything.

#include "engine/Translate.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::unwrap {

// Host-name services the engine takes from the system (Qt's IDNA and script
// data on both platforms). Only hosts that are not plain ASCII, or that hold
// an "xn--" label, are passed here: the common case costs nothing.
class HostNames {
public:
    virtual ~HostNames() = default;
    // The host in ASCII (A-labels, lower case); nothing when it is not a valid name.
    virtual std::optional<std::u16string> toAscii(std::u16string_view host) const = 0;
    // The host as a browser would show it (U-labels).
    virtual std::u16string toUnicode(std::u16string_view asciiHost) const = 0;
    // Whether one label of the Unicode form mixes scripts (Common and
    // Inherited characters, digits and hyphens aside), or shows in a script
    // other than Latin, so that its ASCII form hides what a reader sees.
    virtual bool looksDeceptive(std::u16string_view unicodeHost) const = 0;
};

enum class Scope {
    Known, // the rules of the table only
    All,   // the rules, then generic detection where none matched
};

// How a walk ended. Done covers "nothing to unwrap" too (layers == 0).
enum class Status { Done, Refused, Opaque, Ambiguous, ReturnAddress, DepthLimit };

// "ok", "refused", "opaque", "ambiguous", "return-address", "depth-limit".
std::u16string_view statusName(Status status);

// One layer removed.
struct Step {
    std::u16string wrapper;                // the family's name, e.g. u"Microsoft Safe Links"
    bool generic = false;                  // found by generic detection, not by a rule
    std::u16string carrier;                // where the target was, e.g. u"query parameter url"
    std::vector<std::u16string> decodings; // in order, e.g. u"percent-decode once"
    std::u16string result;                 // the URL this layer led to
    std::u16string host;                   // its host, in ASCII
};

struct Result {
    // The final target, or the last safe URL; the trimmed input when layers == 0.
    std::u16string target;
    int layers = 0; // layers removed, at most 10
    Status status = Status::Done;
    std::u16string detail; // for a status other than Done: what stopped the walk, in words
    std::u16string hostAscii;
    std::u16string hostUnicode;
    std::vector<std::u16string> warnings; // lookalike hosts, resolved relative targets
    std::vector<Step> steps;
};

struct Options {
    Scope scope = Scope::All;
    // The ending of the Translate command: removed at the end of the line and
    // of each decoded layer, and by Quorvel's own action= rule.
    TrailingOptions trailing;
    // Without the record, only target, layers, status, detail and warnings
    // are filled (steps and hosts stay empty): for a caller that shows the
    // target alone.
    bool record = true;
};

inline constexpr int kMaxLayers = 10;

// Unwraps one link as pasted (surrounding <...> and quotes, &amp; separators
// and the ending allowed). Never throws for any input but std::bad_alloc.
Result unwrapLink(std::u16string_view input, const Options& options, const HostNames& hosts);

// The same into a result kept from an earlier call, whose buffers it reuses:
// for a caller that unwraps many links.
void unwrapLink(std::u16string_view input, const Options& options, const HostNames& hosts,
                Result& result);

} // namespace quorvel::unwrap
