#pragma once

#include "core/help/RtfDocument.h"

class QTextDocument;

// Fills a text document with the paragraphs of a rich text file: runs keep
// their weight, slant, size and colour; consecutive list items form one
// bulleted list. The document's own default font gives the family.
void fillTextDocument(QTextDocument& document, const RtfDocument& rtf);
