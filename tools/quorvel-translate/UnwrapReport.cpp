#include "UnwrapReport.h"

#include "engine/Utf8.h"

#include <vector>

namespace quorvel::cli {

namespace {

void appendEscaped(std::string& out, char16_t c)
{
    static constexpr char kHex[] = "0123456789abcdef";
    if (c == '"' || c == '\\') {
        out += '\\';
        out += static_cast<char>(c);
    } else {
        out += "\\u00";
        out += kHex[c >> 4];
        out += kHex[c & 0xF];
    }
}

// A JSON string: quotes, backslashes and control characters escaped, a lone
// surrogate (which UTF-8 cannot hold) as U+FFFD.
void appendString(std::string& out, std::u16string_view text)
{
    out += '"';
    std::size_t done = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0x20 && c != '"' && c != '\\')
            continue;
        out += encodeUtf8(text.substr(done, i - done));
        appendEscaped(out, c);
        done = i + 1;
    }
    out += encodeUtf8(text.substr(done));
    out += '"';
}

template <class Item, class AppendItem>
void appendArray(std::string& out, const std::vector<Item>& list, AppendItem appendItem)
{
    out += '[';
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i > 0)
            out += ',';
        appendItem(out, list[i]);
    }
    out += ']';
}

void appendStrings(std::string& out, const std::vector<std::u16string>& list)
{
    appendArray(out, list,
                [](std::string& to, std::u16string_view text) { appendString(to, text); });
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
    out += ",\"steps\":";
    appendArray(out, result.steps, appendStep);
    out += "}\n";
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
