#pragma once

#include <QString>

// Data texts that go into a page the program writes (a report, the summary
// page): "<" and ">" become entities, and so does an "&" that does not already
// begin an entity ("&nbsp;", "&#160;", "&#xA0;" stay as they are, so a cleaned
// cell keeps its blanks). A text without these characters comes back unchanged.
QString EscapeHtmlText(const QString& text);
// The same for a value inside a double-quoted attribute: also the double quote.
QString EscapeHtmlAttribute(const QString& text);
