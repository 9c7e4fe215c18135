#pragma once

class QPrinter;
class QTextDocument;

// Prints the document on the printer as it is set up (paper, file, job
// title), one inch in from every edge of the paper, page after page. False
// when the printer could not be started or the paper is too small.
bool printWithOneInchMargins(const QTextDocument& document, QPrinter& printer);
