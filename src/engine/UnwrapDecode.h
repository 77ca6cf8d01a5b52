#pragma once

// The decodings that wrappers apply to the link they carry, each applied
// exactly once: the unwrapping never decodes "until nothing changes".

#include <string>
#include <string_view>

namespace quorvel::unwrap {

// %XX escapes to the characters their UTF-8 bytes spell. '+' stays '+'; an
// escape that is not two hexadecimal digits, and a byte that is not part of
// well-formed UTF-8, stay as written.
void percentDecodeOnce(std::u16string_view in, std::u16string& out);

// Bytes as text: well-formed UTF-8 decoded, any other byte written %XX.
void appendBytes(std::string_view bytes, std::u16string& out);

// Base64, standard or URL-safe alphabet, padding optional. False (and out
// unspecified) for anything else.
bool decodeBase64(std::u16string_view in, std::string& out);

// &amp; &lt; &gt; &quot; &apos; and numeric character references.
void decodeHtmlEntities(std::u16string_view in, std::u16string& out);

// The substitution of the third Proofpoint format: each '*' of the target
// takes the next character of the decoded bytes, "**X" a run of bytes whose
// length X names. False when the bytes run short.
bool substituteProofpointV3(std::u16string_view target, std::string_view bytes,
                            std::u16string& out);

// Blanks and control characters as %XX, so that the link stays one token.
void escapeBlanksAndControls(std::u16string& text);

} // namespace quorvel::unwrap
