#pragma once

#include "views/ViewContract.h"

#include <QString>
#include <QStringList>
#include <QVector>

// The option quotes of a stock: the calls ("Call"), the puts ("Put") and the whole
// chain ("Options"), all three from the symbol's "_op.Sh", the options site's raw
// reply (status line, headers and body, then CR LF). The body's table is plain
// comma-separated text: strike lines between consecutive CR LFs, fields 1 to 7 the
// call side and 8 to 14 the put side (name, last sale, net, bid, ask, volume, open
// interest). No markers are needed: a missing or empty page shows the headings and
// the title row with no strike rows, and no message.
//
// Grid: row 0 headings, row 1 the title row (twice the base height), row 2 hidden,
// strike rows from row 3; the option name columns look like links from row 2 down.

// How a strike line becomes a grid row.
enum class OptionRowRule {
    CallSide,  // up to and including the cut comma, the leading CR LF a blank
    PutSide,   // everything after the cut comma
    Chain,     // like CallSide, behind an empty first column, a line break before each "("
};

struct OptionsMember
{
    QString code;          // the view code
    QString word;          // "Calls", "Puts", "Options": loading text and title
    int titleCol = 0;      // the title cell is (1, titleCol)
    int cutComma = 0;      // a line needs this many commas to show
    OptionRowRule rule = OptionRowRule::CallSide;
    QStringList headings;  // one per column
    QVector<int> widths;   // per cent of the grid's width
    QVector<int> alignments;
    QVector<int> linkCols;
};

// The three members, "Call", "Put", "Options"; nullptr for any other code.
const OptionsMember* findOptionsMember(const QString& code);

// "Data is not available, connect to Internet, and update again ."
QString OptionsNoDataMessage();

// The loading state: headings, widths, alignments, and "Loading <word>, please
// wait.." in the title cell (bold, raised light, white).
void PaintOptionsLoading(const ViewContext& ctx, FlexGrid& grid);
// The fill from ctx.pagePath. Errors 5 and 53 end it with OptionsNoDataMessage();
// any other failure leaves the grid as it was.
void BuildOptionsSheet(const ViewContext& ctx, FlexGrid& grid);

// The grid rows (tab-separated) the member makes of an options page's text.
QStringList OptionRows(const OptionsMember& member, const QString& page);
