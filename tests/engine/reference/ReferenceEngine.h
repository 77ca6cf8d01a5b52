#pragma once

// A plain transliteration of the translation procedures: strings rebuilt at
// every step, 25 real table passes, every 16-bit position and count checked
// where the original arithmetic would check it. Slow on purpose; the fast
// engine is measured and tested against it.

#include "engine/Reporter.h"
#include "engine/Tables.h"
#include "engine/Translate.h"

#include <cstdint>
#include <string>

namespace quorvel::reference {

std::u16string sRemoveReplaceMulti(Reporter& reporter, std::u16string strSource,
                                   std::u16string strTarget, std::u16string strCaseSen,
                                   std::int16_t& iNumReplacementsMade,
                                   std::u16string strReplacement = {});

std::u16string RemoveTrailing(std::u16string text, const std::u16string& trailingChars);

void FixTheURLPredef(Reporter& reporter, const CodeTable& maCode, const CodeTable& maChar,
                     const TrailingOptions& options, const std::u16string& source,
                     std::u16string& result, std::int16_t& count);
void FixTheURLDyn(Reporter& reporter, const TrailingOptions& options, const std::u16string& source,
                  std::u16string& result, std::int16_t& count);

} // namespace quorvel::reference
