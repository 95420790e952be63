#pragma once

#include <QString>
#include <QStringList>

// A stock's cached headlines as the ticker and the speech read them. The news
// update writes them to Cache/News/<symbol>.txt, one headline a line: a text in
// double quotes that ends with ";" and carries the headline's link address between
// two "#" marks.

// The text that asks for a news update when a stock has no headline file yet.
QString PleaseUpdateNewsText();  // "Please Update For Latest News"

// The stock's headline items: every line of its headline file without its first
// and last character (the quotes), joined without separators. Lines of fewer than
// two characters are passed over. "" when the file is missing or cannot be read,
// and for a symbol that may not name a file.
QString LoadNewsHeadlines(const QString& symbol);
// Whether the stock has no headline file to read (a symbol that may not name a
// file has none).
bool NewsHeadlinesMissing(const QString& symbol);

// In a headline text every "#" toggles between shown text and link text.
// The link addresses, in order: the text between each opening "#" and the next
// closing one ("##" gives an empty address; a "#" without its partner gives none).
QStringList CollectHeadlineLinks(const QString& text);
// The shown text: without the "#" marks and everything between them; after a "#"
// without its partner nothing more.
QString StripHeadlineLinks(const QString& text);
