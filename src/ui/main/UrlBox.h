#pragma once

#include <QPlainTextEdit>

namespace quorvel::ui {

// A multi-line box without scroll bars in which a long URL wraps.
class UrlBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit UrlBox(QWidget* parent = nullptr);

    // The box's text as typed: no blank or line-break conversions.
    QString text() const;
    // Writes the text unless the box already holds it, sparing a re-layout.
    void setTextIfChanged(const QString& text);
};

} // namespace quorvel::ui
