#pragma once

#include <QString>

namespace quorvel::ui {

inline const QString kDirectionsTitle = QStringLiteral("Quick Directions");
inline const QString kHistoryTitle = QStringLiteral("Program History");

// The redirect link the directions show, and the plain URL it translates into.
inline const QString kExampleRedirectLink = QStringLiteral(
    "http://links.example.net/go?id=4711&action=http%3a%2f%2fwww.example.org%2fnews%2f"
    "story.html%3fid%3d42%26page%3d2");
inline const QString kExampleTarget =
    QStringLiteral("http://www.example.org/news/story.html?id=42&page=2");

// The help texts, with CR LF line breaks.
QString directionsText();
QString historyText();

} // namespace quorvel::ui
