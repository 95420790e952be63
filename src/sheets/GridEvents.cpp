#include "sheets/GridEvents.h"

#include "platform/Sites.h"

#include <QUrl>

#include <cmath>

namespace {

// The row's facts that depend on the key apply only to the keys the row names.
const ViewRow* linkRow(const QString& view)
{
    QString key;
    const ViewRow* row = findViewFor(view, &key);
    if (!row || (!row->linkKeys.isEmpty() && !row->linkKeys.contains(key)))
        return nullptr;
    return row;
}

QString cell(const QStringList& texts, int col)
{
    return col >= 0 && col < texts.size() ? texts.at(col) : QString();
}

// A symbol in a path or query: letters, digits and . - ^ = stay, the rest as %XX
// of its UTF-8 bytes (an inner blank becomes %20).
QString encodeSymbol(const QString& symbol)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(symbol, QByteArrayLiteral(".-^="), QByteArrayLiteral("_~")));
}

bool isHex(QChar ch)
{
    return (ch >= u'0' && ch <= u'9') || (ch >= u'a' && ch <= u'f') || (ch >= u'A' && ch <= u'F');
}

// A link text from a page keeps its own / ? # & = ^ and the like and its %XX;
// blanks, controls, backslashes, a "%" that starts no %XX and anything outside
// ASCII go out as %XX.
QString encodeLinkText(const QString& text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        const char16_t u = ch.unicode();
        const bool escape = u == u'%' && !(i + 2 < text.size() && isHex(text.at(i + 1)) && isHex(text.at(i + 2)));
        if (!escape && u > 0x20 && u < 0x7F && u != u'\\' && u != u'"' && u != u'<' && u != u'>' && u != u'`' && u != u'{'
            && u != u'}' && u != u'|')
            out += ch;
        else
            out += QString::fromLatin1(QUrl::toPercentEncoding(QString(ch)));
    }
    return out;
}

bool isWebAddress(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
           && !url.host().isEmpty();
}

// The address when it parses as an http address on site's host and port, else "".
// (Parsed leniently: the pages' own links and the index symbols carry "^".)
QString onSite(Site site, const QString& address)
{
    const QUrl url(address, QUrl::TolerantMode);
    const QUrl base(Sites::Address(site, QStringLiteral("/")));
    if (!isWebAddress(url) || url.scheme() != base.scheme() || url.host().compare(base.host(), Qt::CaseInsensitive) != 0
        || url.port(80) != base.port(80) || !url.userInfo().isEmpty())
        return QString();
    return address;
}

// A whole address from a cell: an absolute http or https address, else "".
QString wholeAddress(const QString& text)
{
    const QString address = encodeLinkText(text.trimmed());
    if (address.size() < 2)
        return QString();
    const QUrl url(address, QUrl::TolerantMode);
    return isWebAddress(url) && url.userInfo().isEmpty() ? address : QString();
}

QString quotePage(const QString& sym, const char* kind)
{
    return Sites::Address(Site::Quotes, QStringLiteral("/q?s=") + sym + QLatin1String(kind));
}

// The link-word table over an encoded symbol (with "^" before it in the caret form).
QString linkWordAddress(const QString& word, const QString& sym)
{
    if (word == QLatin1String("News"))
        return Sites::Address(Site::BusinessNews, QStringLiteral("/n/i/") + sym + QStringLiteral(".html"));
    if (word == QLatin1String("Chart"))
        return quotePage(sym, "&d=3m");
    if (word == QLatin1String("Profile"))
        return Sites::Address(Site::BusinessNews, QStringLiteral("/p/e/") + sym + QStringLiteral(".html"));
    if (word == QLatin1String("SEC"))
        return Sites::Address(Site::FilingPages, QStringLiteral("/e/l/u/") + sym + QStringLiteral(".html"));
    if (word == QLatin1String("Msgs"))
        return Sites::Address(Site::MessageBoards, QStringLiteral("/?action=q&board=") + sym);
    if (word == QLatin1String("Insider"))
        return Sites::Address(Site::BusinessNews, QStringLiteral("/t/u/") + sym + QStringLiteral(".html"));
    if (word == QLatin1String("Research"))
        return quotePage(sym, "&d=r");
    return quotePage(sym, "&d=t");
}

} // namespace

const ViewRow* GridViewRow(const QString& view)
{
    return findViewFor(view);
}

bool SortsOnDblClick(const QString& view)
{
    const ViewRow* row = GridViewRow(view);
    return row && row->sortsOnDblClick;
}

int LinkPointer(const QString& view, int col, GridWindow window)
{
    const ViewRow* row = linkRow(view);
    if (!row)
        return 0;
    const ColumnSet& columns = window == GridWindow::Main ? row->pointerColumns : row->zoomPointerColumns;
    return columns.contains(col) ? kLinkPointer : 0;
}

std::optional<GridPopupState> MainGridPopup(const QString& view, const QString& holdingKey)
{
    const ViewRow* row = GridViewRow(view);
    if (!row || row->popup == GridPopup::None)
        return std::nullopt;
    return GridPopupStates(row->code, holdingKey);
}

bool ZoomGridPopup(const QString& view)
{
    const ViewRow* row = GridViewRow(view);
    return row && row->popupInZoom;
}

bool MovableHeaderCell(int mouseRow, int mouseCol, int fixedCols)
{
    return mouseRow == 0 && mouseCol >= 0 && !(mouseCol == 0 && fixedCols == 1);
}

void ArmColumnDrag(ColumnDrag& drag, double x, double y)
{
    drag.startX = std::int32_t(std::lround(x));
    drag.startY = std::int32_t(std::lround(y));
    drag.col = -1;
    drag.armed = true;
}

bool StartsColumnDrag(const ColumnDrag& drag, const QString& view, int button, double x, double y, int mouseRow)
{
    if (view.startsWith(QLatin1String("F_")))
        return false;
    if (!drag.armed || button != 1 || drag.col != -1 || mouseRow != 0)
        return false;
    return std::abs(drag.startX - x) + std::abs(drag.startY - y) >= kDragDistance;
}

std::optional<QString> OptionTicker(const QString& text)
{
    const int open = text.indexOf(QLatin1Char('('));
    if (open < 0)
        return std::nullopt;
    const int close = text.indexOf(QLatin1Char(')'), open);
    if (close < 0)
        return std::nullopt;
    return text.mid(open + 1, close - open - 1).remove(QLatin1Char(')')).trimmed();
}

GridLinkAction GridLinkAddress(const QString& view, int col, int row, const QStringList& rowTexts)
{
    GridLinkAction action;
    const ViewRow* facts = linkRow(view);
    if (!facts || facts->link == GridLink::None || !facts->linkColumns.contains(col))
        return action;
    if (facts->link == GridLink::MarkRed) {
        action.markRed = true;
        return action;
    }
    if (row < 2)
        return action;

    const QString text = cell(rowTexts, facts->linkTextColumn >= 0 ? facts->linkTextColumn : col);
    const QString sym = encodeSymbol(text);
    QString address;
    switch (facts->link) {
    case GridLink::None:
    case GridLink::MarkRed: break;
    case GridLink::FilingText:
        address = onSite(Site::Filings, Sites::Address(Site::Filings, QStringLiteral("/auth/doctrans"))
                                            + encodeLinkText(text));
        break;
    case GridLink::QuoteThenNews:
        if (col == facts->linkColumns.columns.value(0))
            address = quotePage(sym, "&d=t");
        else
            address = Sites::Address(Site::BusinessNews, QStringLiteral("/c/") + encodeSymbol(text.left(1).toLower())
                                                             + QLatin1Char('/') + sym + QStringLiteral(".html"));
        break;
    case GridLink::CompanyDigest:
        address = Sites::Address(Site::CompanyDigest,
                                 QStringLiteral("/cgi/inet/qndigest.trn?selection=company_digest&symbol=") + sym);
        break;
    case GridLink::BrokerResearch:
        address = Sites::Address(Site::BrokerResearch,
                                 QStringLiteral("/ows-bin/owa/zbrc?tick=") + sym + QStringLiteral("&comp_id=main&search=1"));
        break;
    case GridLink::NewsRelative:
        address = onSite(Site::BusinessNews,
                         Sites::Address(Site::BusinessNews, QStringLiteral("/")) + encodeLinkText(text));
        break;
    case GridLink::OptionTicker:
    case GridLink::OptionTickerJoined: {
        const std::optional<QString> ticker = OptionTicker(text);
        if (!ticker)
            break;
        // The "Options" view takes every blank out of the address; the site's part
        // has none, so only the ticker's go.
        const QString joined = facts->link == GridLink::OptionTickerJoined ? QString(*ticker).remove(QLatin1Char(' '))
                                                                            : *ticker;
        address = Sites::Address(Site::OptionQuotes, QStringLiteral("/cgi-bin/cboeget.exe?TICKER=") + encodeSymbol(joined));
        break;
    }
    case GridLink::WholeAddress: address = wholeAddress(text); break;
    case GridLink::IpoProfile:
        address = Sites::Address(Site::BusinessNews, QStringLiteral("/p/") + sym + QStringLiteral(".html"));
        break;
    case GridLink::LinkWord:
    case GridLink::LinkWordCaret: {
        QString symbol = encodeSymbol(text.left(4).trimmed());
        if (facts->link == GridLink::LinkWordCaret)
            symbol.prepend(QLatin1Char('^'));
        address = linkWordAddress(cell(rowTexts, col), symbol);
        break;
    }
    case GridLink::Momentum:
        address = Sites::Address(Site::MomentumRating,
                                 QStringLiteral("/quote.asp?symbol=") + sym + QStringLiteral("&Whattoget=detailquote"));
        break;
    }
    if (address.size() >= 2)
        action.address = address;
    return action;
}
