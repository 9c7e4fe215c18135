#pragma once

#include <QList>
#include <QString>
#include <optional>

// The rich text of a help document, as read from a file in the rich text
// format: paragraphs made of runs of text that share one look.

struct RtfColour {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const RtfColour&, const RtfColour&) = default;
};

struct RtfRun {
    QString text; // tabs stay '\t'; a line break inside a paragraph is U+2028
    bool bold = false;
    bool italic = false;
    double pointSize = 12.0;
    std::optional<RtfColour> colour; // none: the reader's default text colour
    friend bool operator==(const RtfRun&, const RtfRun&) = default;
};

struct RtfParagraph {
    enum class Alignment { Left, Centre, Right, Justified };
    QList<RtfRun> runs;
    bool listItem = false; // a bulleted list item
    Alignment alignment = Alignment::Left;

    QString text() const;
};

struct RtfDocument {
    QList<RtfParagraph> paragraphs;

    // The text of every paragraph, one line each (list items start with "- ").
    QString plainText() const;
};
