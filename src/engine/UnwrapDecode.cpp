#include "engine/UnwrapDecode.h"

#include "engine/Scan.h"
#include "engine/UrlParts.h"

#include <array>
#include <cstdint>

namespace quorvel::unwrap {

using namespace std::string_view_literals;

namespace {

constexpr char16_t kHexUpper[] = u"0123456789ABCDEF";

void appendCodePoint(char32_t cp, std::u16string& out)
{
    if (cp < 0x10000) {
        out += static_cast<char16_t>(cp);
        return;
    }
    cp -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (cp >> 10));
    out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
}

void appendEscaped(unsigned byte, std::u16string& out)
{
    const char16_t escape[] = {u'%', kHexUpper[byte >> 4], kHexUpper[byte & 15]};
    out.append(escape, 3);
}

// The length of the well-formed UTF-8 sequence that starts with byteAt(0),
// or 0; its code point in cp. byteAt(k) is -1 past the available bytes.
template <class ByteAt> int utf8Sequence(ByteAt byteAt, char32_t& cp)
{
    const int lead = byteAt(0);
    if (lead < 0x80) {
        cp = static_cast<char32_t>(lead);
        return 1;
    }
    int length = 0;
    int low = 0x80;
    int high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    cp = static_cast<char32_t>(lead & (0x7F >> length));
    for (int k = 1; k < length; ++k) {
        const int b = byteAt(k);
        if (b < (k == 1 ? low : 0x80) || b > (k == 1 ? high : 0xBF))
            return 0;
        cp = cp << 6 | static_cast<char32_t>(b & 0x3F);
    }
    return length;
}

int escapedByte(std::u16string_view in, std::size_t at)
{
    if (at >= in.size() || in.size() - at < 3)
        return -1;
    return in[at] == u'%' ? scan::hexPair(in[at + 1], in[at + 2]) : -1;
}

constexpr std::array<signed char, 128> kBase64 = [] {
    std::array<signed char, 128> t{};
    for (auto& v : t)
        v = -1;
    const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int i = 0; i < 62; ++i)
        t[static_cast<unsigned char>(alphabet[i])] = static_cast<signed char>(i);
    t['+'] = t['-'] = 62;
    t['/'] = t['_'] = 63;
    return t;
}();

} // namespace

void percentDecodeOnce(std::u16string_view in, std::u16string& out)
{
    out.clear();
    out.reserve(in.size());
    std::size_t i = 0;
    while (i < in.size()) {
        const std::size_t percent = findUnit(in, u'%', i);
        if (percent == std::u16string_view::npos) {
            out.append(in.substr(i));
            break;
        }
        out.append(in.substr(i, percent - i));
        i = percent;
        char32_t cp = 0;
        const int length = utf8Sequence(
            [&](int k) { return escapedByte(in, i + 3 * static_cast<std::size_t>(k)); }, cp);
        if (length == 0) {
            out.append(in.substr(i, 3 < in.size() - i ? 3 : in.size() - i));
            i += 3;
        } else {
            appendCodePoint(cp, out);
            i += 3 * static_cast<std::size_t>(length);
        }
    }
}

void appendBytes(std::string_view bytes, std::u16string& out)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        char32_t cp = 0;
        const int length = utf8Sequence(
            [&](int k) {
                const std::size_t at = i + static_cast<std::size_t>(k);
                return at < bytes.size() ? static_cast<unsigned char>(bytes[at]) : -1;
            },
            cp);
        if (length == 0) {
            appendEscaped(static_cast<unsigned char>(bytes[i]), out);
            ++i;
        } else {
            appendCodePoint(cp, out);
            i += static_cast<std::size_t>(length);
        }
    }
}

bool decodeBase64(std::u16string_view in, std::string& out)
{
    out.clear();
    while (!in.empty() && in.back() == u'=')
        in.remove_suffix(1);
    if (in.size() % 4 == 1)
        return false;
    std::uint32_t bits = 0;
    int held = 0;
    for (const char16_t c : in) {
        const int value = c < 128 ? kBase64[c] : -1;
        if (value < 0)
            return false;
        bits = bits << 6 | static_cast<std::uint32_t>(value);
        held += 6;
        if (held >= 8) {
            held -= 8;
            out += static_cast<char>((bits >> held) & 0xFF);
        }
    }
    return true;
}

void decodeHtmlEntities(std::u16string_view in, std::u16string& out)
{
    static constexpr std::pair<std::u16string_view, char16_t> kNamed[] = {{u"amp;"sv, u'&'},
                                                                          {u"lt;"sv, u'<'},
                                                                          {u"gt;"sv, u'>'},
                                                                          {u"quot;"sv, u'"'},
                                                                          {u"apos;"sv, u'\''}};
    out.clear();
    for (std::size_t i = 0; i < in.size(); ++i) {
        if (in[i] != u'&') {
            out += in[i];
            continue;
        }
        const std::u16string_view rest = in.substr(i + 1);
        bool done = false;
        for (const auto& [name, c] : kNamed) {
            if (rest.substr(0, name.size()) == name) {
                out += c;
                i += name.size();
                done = true;
                break;
            }
        }
        const std::size_t semicolon = rest.find(u';');
        if (!done && rest.size() > 2 && rest[0] == u'#' && semicolon != std::u16string_view::npos &&
            semicolon < 10) {
            const bool hex = rest[1] == u'x' || rest[1] == u'X';
            char32_t cp = 0;
            bool valid = semicolon > (hex ? 2u : 1u);
            for (std::size_t k = hex ? 2 : 1; valid && k < semicolon; ++k) {
                const int digit = rest[k] < 128 ? scan::kHexDigit[rest[k]] : -1;
                valid = digit >= 0 && (hex || digit < 10);
                cp = cp * (hex ? 16 : 10) + static_cast<char32_t>(digit);
            }
            if (valid && cp > 0 && cp < 0x110000 && (cp < 0xD800 || cp > 0xDFFF)) {
                appendCodePoint(cp, out);
                i += semicolon + 1;
                done = true;
            }
        }
        if (!done)
            out += u'&';
    }
}

bool substituteProofpointV3(std::u16string_view target, std::string_view bytes, std::u16string& out)
{
    static constexpr std::u16string_view kRunLengths =
        u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_"sv;
    out.clear();
    std::size_t used = 0;
    const auto take = [&](std::size_t count) {
        if (count > bytes.size() - used)
            return false;
        appendBytes(bytes.substr(used, count), out);
        used += count;
        return true;
    };
    for (std::size_t i = 0; i < target.size(); ++i) {
        if (target[i] != u'*') {
            out += target[i];
            continue;
        }
        if (i + 2 < target.size() && target[i + 1] == u'*') {
            const std::size_t index = kRunLengths.find(target[i + 2]);
            if (index == std::u16string_view::npos || !take(index + 2))
                return false;
            i += 2;
            continue;
        }
        if (used >= bytes.size())
            return false;
        const unsigned lead = static_cast<unsigned char>(bytes[used]);
        const std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        if (!take(length < bytes.size() - used ? length : bytes.size() - used))
            return false;
    }
    return true;
}

void escapeBlanksAndControls(std::u16string& text, std::u16string& scratch)
{
    std::size_t at = findBlankOrControl(text);
    if (at == std::u16string::npos)
        return;
    std::u16string& escaped = scratch;
    escaped.assign(text, 0, at);
    for (; at != std::u16string::npos;) {
        const char16_t c = text[at];
        if (c < 0x80) {
            appendEscaped(c, escaped);
        } else {
            appendEscaped(0xC0 | (c >> 6), escaped);
            appendEscaped(0x80 | (c & 0x3F), escaped);
        }
        const std::size_t next = findBlankOrControl(text, at + 1);
        escaped.append(text, at + 1, next == std::u16string::npos ? next : next - at - 1);
        at = next;
    }
    std::swap(text, escaped);
}

} // namespace quorvel::unwrap
