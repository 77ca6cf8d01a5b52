#include "platform/shared/DropFormats.h"

#include <QMimeData>
#include <QUrl>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace quorvel::test {
namespace {

using Offer = std::pair<const char*, QByteArray>;

struct DropCase {
    const char* what;
    std::vector<Offer> offers;
    bool text;
    const char* content; // the text taken, when there is one
    const char* name;    // the name in the warning otherwise
};

const QByteArray kAny("x");

const DropCase kCases[] = {
    {"browser link: text and a web URL list",
     {{"text/uri-list", "https://a.example/r?action=x%2Fy\r\n"},
      {"text/plain", "https://a.example/r?action=x%2Fy"}},
     true,
     "https://a.example/r?action=x%2Fy",
     nullptr},
    {"text with a trailing line break and several lines",
     {{"text/plain", "one\r\ntwo\n"}},
     true,
     "one\r\ntwo\n",
     nullptr},
    {"UTF-8 text of a GTK source",
     {{"text/plain;charset=utf-8", "caf\xc3\xa9"}},
     true,
     "caf\u00e9",
     nullptr},
    {"Latin-1 text", {{"text/plain;charset=ISO-8859-1", "caf\xe9"}}, true, "caf\u00e9", nullptr},
    {"empty text", {{"text/plain", ""}}, true, "", nullptr},
    {"web URL list alone, comments dropped",
     {{"text/uri-list", "# from a page\r\nhttps://a.example/1\r\nhttps://b.example/2\r\n"}},
     true,
     "https://a.example/1\r\nhttps://b.example/2",
     nullptr},
    {"text beside a picture is still text",
     {{"image/png", kAny}, {"text/plain", "https://a.example/p.png"}},
     true,
     "https://a.example/p.png",
     nullptr},
    {"file manager: file URLs with their paths as text",
     {{"text/uri-list", "file:///home/u/a.txt\r\n"}, {"text/plain", "/home/u/a.txt"}},
     false,
     nullptr,
     "Files"},
    {"Windows file drop",
     {{"application/x-qt-windows-mime;value=\"FileNameW\"", kAny}},
     false,
     nullptr,
     "Files"},
    {"Qt image", {{"application/x-qt-image", kAny}}, false, nullptr, "bitmap"},
    {"PNG picture", {{"image/png", kAny}}, false, nullptr, "bitmap"},
    {"bitmap and DIB: the bitmap wins",
     {{"image/bmp", kAny}, {"image/jpeg", kAny}},
     false,
     nullptr,
     "bitmap"},
    {"DIB alone", {{"image/x-MS-bmp", kAny}}, false, nullptr, "DIB"},
    {"metafile", {{"image/x-wmf", kAny}}, false, nullptr, "Metafile"},
    {"metafile before enhanced metafile",
     {{"image/emf", kAny}, {"image/wmf", kAny}},
     false,
     nullptr,
     "Metafile"},
    {"enhanced metafile before DIB",
     {{"image/bmp", kAny}, {"image/x-emf", kAny}},
     false,
     nullptr,
     "EMetafile"},
    {"picture before files",
     {{"text/uri-list", "file:///a.png"}, {"image/png", kAny}},
     false,
     nullptr,
     "bitmap"},
    {"files before rich text",
     {{"text/rtf", kAny}, {"text/uri-list", "file:///a.rtf"}},
     false,
     nullptr,
     "Files"},
    {"rich text", {{"application/rtf", kAny}}, false, nullptr, "RTF"},
    {"Windows rich text",
     {{"application/x-qt-windows-mime;value=\"Rich Text Format\"", kAny}},
     false,
     nullptr,
     "RTF"},
    {"vector drawing is no bitmap", {{"image/svg+xml", kAny}}, false, nullptr, "Unknown"},
    {"HTML alone", {{"text/html", "<b>x</b>"}}, false, nullptr, "Unknown"},
    {"nothing at all", {}, false, nullptr, "Unknown"},
};

TEST(DropFormats, TextIsTakenWholeAndOtherObjectsAreNamedByTheirFirstFormat)
{
    for (const DropCase& drop : kCases) {
        SCOPED_TRACE(drop.what);
        QMimeData data;
        for (const auto& [format, bytes] : drop.offers)
            data.setData(QString::fromLatin1(format), bytes);
        ASSERT_EQ(platform::dropOffersText(data), drop.text);
        if (drop.text)
            EXPECT_EQ(platform::dropText(data), QString::fromUtf8(drop.content));
        else
            EXPECT_EQ(platform::dropObjectTypeName(data), QString::fromLatin1(drop.name));
    }
}

TEST(DropFormats, TextSetThroughQtIsOfferedAsText)
{
    QMimeData data;
    data.setText(QStringLiteral("a%20b\n"));
    EXPECT_TRUE(platform::dropOffersText(data));
    EXPECT_EQ(platform::dropText(data), QStringLiteral("a%20b\n"));

    // Qt itself counts URLs as text; a file among them makes it a file drop.
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/a.txt"))});
    EXPECT_FALSE(platform::dropOffersText(files));
    EXPECT_EQ(platform::dropObjectTypeName(files), QStringLiteral("Files"));
}

} // namespace
} // namespace quorvel::test
