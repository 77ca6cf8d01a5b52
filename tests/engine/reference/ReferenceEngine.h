#pragma once

// A plain transliteration of the translation procedures: strings rebuilt at
// every step, 25 real table passes, every 16-bit position and count checked
// where the original arithmetic would check it. Slow on purpose; the engine
// is measured and tested against it.

#include "engine/Translate.h"

namespace quorvel::reference {

// The engine's signatures, so that either can stand in for the other.
decltype(quorvel::sRemoveReplaceMulti) sRemoveReplaceMulti;
decltype(quorvel::RemoveTrailing) RemoveTrailing;
decltype(quorvel::FixTheURLPredef) FixTheURLPredef;
decltype(quorvel::FixTheURLDyn) FixTheURLDyn;

} // namespace quorvel::reference
