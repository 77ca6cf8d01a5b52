#include "UnwrapReport.h"

#include "engine/Utf8.h"

#include <vector>

namespace quorvel::cli {

namespace {

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void appendEscaped(std::string& out, char32_t c)
{
    static constexpr char kHex[] = "0123456789abcdef";
    switch (c) {
    case '"':
        out += "\\\"";
        return;
    case '\\':
        out += "\\\\";
        return;
    case '\b':
        out += "\\b";
        return;
    case '\f':
        out += "\\f";
        return;
    case '\n':
        out += "\\n";
        return;
    case '\r':
        out += "\\r";
        return;
    case '\t':
        out += "\\t";
        return;
    default:
        break;
    }
    if (c < 0x20) {
        out += "\\u00";
        out += kHex[c >> 4];
        out += kHex[c & 0xF];
    } else {
        appendUtf8(out, c);
    }
}

// A JSON string: quotes, backslashes and control characters escaped, a lone
// surrogate (which UTF-8 cannot hold) as U+FFFD.
void appendString(std::string& out, std::u16string_view text)
{
    out += '"';
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;
        }
        appendEscaped(out, c);
    }
    out += '"';
}

void appendStrings(std::string& out, const std::vector<std::u16string>& list)
{
    out += '[';
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i > 0)
            out += ',';
        appendString(out, list[i]);
    }
    out += ']';
}

void appendField(std::string& out, std::string_view key, std::u16string_view value)
{
    out += ",\"";
    out += key;
    out += "\":";
    appendString(out, value);
}

void appendStep(std::string& out, const unwrap::Step& step)
{
    out += "{\"wrapper\":";
    appendString(out, step.wrapper);
    out += step.generic ? ",\"generic\":true" : ",\"generic\":false";
    appendField(out, "carrier", step.carrier);
    out += ",\"decodings\":";
    appendStrings(out, step.decodings);
    appendField(out, "result", step.result);
    appendField(out, "host", step.host);
    out += '}';
}

std::string linePrefix(std::size_t line)
{
    return "line " + std::to_string(line) + ": ";
}

} // namespace

std::string jsonLine(std::u16string_view input, const unwrap::Result& result)
{
    std::string out = "{\"input\":";
    appendString(out, input);
    appendField(out, "target", result.target);
    out += ",\"layers\":" + std::to_string(result.layers);
    appendField(out, "status", unwrap::statusName(result.status));
    appendField(out, "detail", result.detail);
    appendField(out, "hostAscii", result.hostAscii);
    appendField(out, "hostUnicode", result.hostUnicode);
    out += ",\"warnings\":";
    appendStrings(out, result.warnings);
    out += ",\"steps\":[";
    for (std::size_t i = 0; i < result.steps.size(); ++i) {
        if (i > 0)
            out += ',';
        appendStep(out, result.steps[i]);
    }
    out += "]}\n";
    return out;
}

std::string traceText(std::size_t line, const unwrap::Result& result)
{
    const std::string prefix = linePrefix(line);
    std::string out = result.steps.empty() ? prefix + "no layer removed\n" : std::string();
    for (std::size_t i = 0; i < result.steps.size(); ++i) {
        const unwrap::Step& step = result.steps[i];
        out += prefix + "layer " + std::to_string(i + 1) + ": " +
               (step.generic ? "found by generic detection" : encodeUtf8(step.wrapper)) + ", " +
               encodeUtf8(step.carrier);
        for (const std::u16string& decoding : step.decodings)
            out += ", " + encodeUtf8(decoding);
        out += " -> " + encodeUtf8(step.result) + '\n';
    }
    for (const std::u16string& warning : result.warnings)
        out += prefix + "warning: " + encodeUtf8(warning) + '\n';
    return out;
}

std::string problemText(std::size_t line, const unwrap::Result& result)
{
    return linePrefix(line) + encodeUtf8(unwrap::statusName(result.status)) + ": " +
           encodeUtf8(result.detail) + '\n';
}

} // namespace quorvel::cli
