#pragma once

#include "engine/Reporter.h"
#include "engine/Tables.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quorvel {

// Window values the methods read, taken at the moment of the call.
struct TrailingOptions {
    bool removeTrailing = true;            // check mark of "Remove trailing characters"
    std::u16string trailingChars = u"');"; // msTrailingChars, never holds lower-case letters
};

// Replaces every occurrence of strTarget ("T": ordinal, "F": ignoring case).
// The count is written only on the normal path.
std::u16string sRemoveReplaceMulti(Reporter& reporter, std::u16string strSource,
                                   std::u16string strTarget, std::u16string strCaseSen,
                                   std::int16_t& iNumReplacementsMade,
                                   std::u16string strReplacement = {});

// Trims blanks, then cuts trailingChars off the end once (case ignored).
// Raises the overflow error for an ending longer than 32767 characters.
std::u16string RemoveTrailing(std::u16string text, const std::u16string& trailingChars);

// The two translation methods. Result and count are written together as the
// last step of a successful run; an empty source writes only the result.
void FixTheURLPredef(Reporter& reporter, const CodeTable& maCode, const CodeTable& maChar,
                     const TrailingOptions& options, const std::u16string& source,
                     std::u16string& result, std::int16_t& count);
void FixTheURLDyn(Reporter& reporter, const TrailingOptions& options, const std::u16string& source,
                  std::u16string& result, std::int16_t& count);

enum class TranslationMethod { None, Dynamic, Predefined };

struct Translation {
    std::u16string text; // method result with outer blanks trimmed
    std::int16_t count = 0;
};

// What the Translate command shows for a source: the chosen method's result,
// trimmed, and its count (empty and 0 after a method's error).
Translation translateForDisplay(Reporter& reporter, TranslationMethod method,
                                const CodeTable& maCode, const CodeTable& maChar,
                                const TrailingOptions& options, const std::u16string& source);

struct TranslationView {
    std::u16string_view text;
    std::int16_t count = 0;
};

// The same for a caller that keeps one buffer for many sources: the source is
// overwritten, and the text shown is a view into it (or, with tables whose
// replacements are longer than their codes, into storage that the next call
// on the same thread reuses).
TranslationView translateInPlace(Reporter& reporter, TranslationMethod method,
                                 const CodeTable& maCode, const CodeTable& maChar,
                                 const TrailingOptions& options, std::span<char16_t> text);

// The dynamic method as translateInPlace runs it on a source that starts
// with its first "action=" (the marker at position 1 needs no 16-bit check),
// read from a source that stays as it is: `out` becomes the text shown, and
// the count is returned (0 after the method's error, which is reported).
std::int16_t translateDynamicInto(Reporter& reporter, const TrailingOptions& options,
                                  std::u16string_view source, std::u16string& out);

} // namespace quorvel
