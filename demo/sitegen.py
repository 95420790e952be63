"""The pages of the demo's sample site, made up afresh each time the demo starts.

Every figure here is sample data: the companies of the market lists, the funds, the
IPOs and the analysts are invented, and the three stocks of the sample set carry
made-up prices and statements. The pages keep the layout the program reads (see
the page readers under src/sheets and src/market); dates are counted from the day
the site is made, so the calendars, headlines and filings always look current. The
same day gives the same pages: every random draw comes from a generator seeded with
the page's own name.

    write_site(folder, today, link)

writes every page under folder (the route table routes.txt of this directory says
which page answers which request); link(site, path) gives the address of a page of
the demo server as the program would build it, for the links a page carries.
"""

import datetime
import math
import os
import random
import zlib

# The word that pads a page to its kind's keep size. It names nothing a page reader
# looks for (no section marker, no region, no column title).
PAD = ("sample data of the demonstration site: invented figures for trying the program, "
       "not quotes, not advice. ")


def padded(body, size=3000, before="<html>"):
    """body with a comment before its first `before` that brings it to size bytes."""
    missing = size - len(body.encode("cp1252"))
    if missing <= 0:
        return body
    comment = "<!-- " + (PAD * (missing // len(PAD) + 1))[:missing] + " -->\n"
    at = body.find(before)
    at = 0 if at < 0 else at
    return body[:at] + comment + body[at:]


def clean(word):
    """Whether word keeps its letter case in every page reader: the readers make "Th",
    "Tr", "Td" and their capitals lower case wherever they stand."""
    return not any(pair in word for pair in ("Th", "TH", "Tr", "TR", "Td", "TD"))


def rng(name):
    return random.Random(zlib.crc32(name.encode()))


def money(x, places=2):
    return f"{x:,.{places}f}"


def signed(x, places=2):
    return f"{x:+,.{places}f}"


def fraction(x, denominator=8):
    """A price in the fractions of the option tables: "12 3/8", "0 1/16"."""
    whole = int(x)
    part = round((x - whole) * denominator)
    if part == denominator:
        whole, part = whole + 1, 0
    if part == 0:
        return str(whole)
    while part % 2 == 0 and denominator > 2:
        part //= 2
        denominator //= 2
    return f"{whole} {part}/{denominator}" if whole else f"{part}/{denominator}"


def weekday_on_or_before(day):
    while day.weekday() >= 5:
        day -= datetime.timedelta(days=1)
    return day


def mon_day(day):
    return day.strftime("%b ") + str(day.day)


def long_date(day):
    return f"{day.strftime('%b')} {day.day}, {day.year}"


def mmdd(day):
    return day.strftime("%m/%d")


def mdy(day):
    return day.strftime("%m/%d/%Y")


# ---- the sample set -------------------------------------------------------------

class Stock:
    def __init__(self, symbol, name, exchange, last, prev, low, high, volume, avg_volume, low52, high52,
                 eps, shares, dividend, revenue, fiscal_month, about, city):
        self.symbol, self.name, self.exchange = symbol, name, exchange
        self.last, self.prev, self.low, self.high = last, prev, low, high
        self.volume, self.avg_volume, self.low52, self.high52 = volume, avg_volume, low52, high52
        self.eps, self.shares, self.dividend = eps, shares, dividend
        self.revenue, self.fiscal_month = revenue, fiscal_month
        self.about, self.city = about, city

    @property
    def change(self):
        return round(self.last - self.prev, 2)

    @property
    def pct(self):
        return 100 * self.change / self.prev

    @property
    def open(self):
        return round((self.prev + self.last) / 2 + (self.high - self.low) / 6, 2)

    @property
    def pe(self):
        return "N/A" if self.eps <= 0 else f"{self.last / self.eps:.2f}"

    @property
    def market_cap(self):
        return f"{self.last * self.shares / 1000:.1f}B"

    @property
    def yield_pct(self):
        return f"{100 * self.dividend / self.last:.2f}"


# The symbols and names are those of the sample set file (scripts/demo-site).
STOCKS = [
    Stock("IBM", "International Business Machines", "NYSE", 118.40, 117.15, 116.90, 118.95, 5412300, 6120000,
          96.30, 126.39, 6.18, 1723, 0.64, 85866, 12,
          "International Business Machines makes computers, storage systems and software and runs the "
          "data centres of other firms. Its services arm has about half of its revenue. It sells in more "
          "than 160 countries. Its research laboratories hold more patents than those of any other "
          "computer maker.", "Armonk, New York"),
    Stock("MSFT", "Microsoft Corporation", "Nasdaq", 62.35, 62.90, 61.95, 63.10, 31284500, 29800000,
          49.71, 72.15, 1.45, 5427, 0.00, 25296, 6,
          "Microsoft Corporation writes operating systems, office programs and server software for personal "
          "computers and networks. It also sells games, mice and keyboards. Its programs are sold through "
          "computer makers, dealers and directly to large firms. It has offices in more than 60 countries.",
          "Redmond, Washington"),
    Stock("AOL", "AOL Time Warner Inc", "NYSE", 27.90, 27.45, 27.30, 28.10, 14876200, 12500000,
          21.88, 49.40, -1.11, 4455, 0.00, 38234, 12,
          "AOL Time Warner Inc runs online services, cable television networks, film studios, music labels "
          "and magazines. Its online service has more than 30 million members. Its cable systems reach "
          "about 13 million homes. It publishes more than 60 magazines.", "New York, New York"),
]

BROKERS = ["Harbourline Securities", "Kestrel Partners", "Marlow & Finch", "Northgate Capital", "Pinewood Research",
           "Quayside Brokers", "Redcliff Equities", "Stanmore Bank", "Ashbury Advisers", "Westbrook Markets"]
INSIDERS = ["ALDEN MARGARET", "BRANSON PETER", "COLLIER JAMES", "DUNMORE ELLEN", "FAIRFIELD TOM",
            "HOLLOWAY ROSE", "KENDRICK PAUL", "LINDQVIST ANNA", "MERCER DAVID", "OKAFOR GRACE"]


def quote_page(s, now):
    name = s.name.replace("&", "&amp;")
    body = f"""<HTML><head><title>{s.symbol}: Summary for {name}</title></head><body>
<table><tr><td><a href="/q?s={s.symbol.lower()}">Quotes</a> &amp; Views: Basic | Detailed | Chart</td></tr></table>
<table width="100%"><TR><TD class="name"><b>{name}</b>
 ({s.exchange}: {s.symbol})</TD></TR></table>
<table class="quote">
<tr><td class="l">Last Trade<br>{now} &#183; <b>{s.last:.2f}</b></td>
<td class="l">Change<br><b>{signed(s.change)}</b> ({s.pct:+.2f}%)</td>
<td class="l">Prev Cls<br>{s.prev:.2f}</td>
<td class="l">Volume<br>{s.volume:,}</td>
<td class="l">Day's Range<br>{s.low:.2f} - {s.high:.2f}</td></tr>
<tr><td>Bid<br>{s.last - 0.05:.2f}<sup>x</sup> 100</td><td>Ask<br>{s.last + 0.05:.2f}</td><td>Open<br>{s.open:.2f}</td>
<td>Avg Vol<br>{s.avg_volume:,}</td><td>Ex-Div<br>{"N/A" if s.dividend == 0 else "Nov 8"}</td><td>52-week Range<br>{s.low52:.2f} - {s.high52:.2f}</td></tr>
<tr><td>Earn/Shr<br>{s.eps:.2f}</td><td>P/E<br>{s.pe}</td><td>Mkt Cap<br>{s.market_cap}</td>
<td>Div/Shr<br>{s.dividend:.2f}</td><td>Yield<br>{s.yield_pct}</td></tr>
</table></body></HTML>
"""
    return padded(body, 1500, "<HTML>")


def quotes_line(s, day):
    return (f'"{s.symbol}",{s.last:.2f},"{day.month}/{day.day}/{day.year}","4:01pm",{s.change:+.2f},'
            f'{s.open:.2f},{s.high:.2f},{s.low:.2f},{s.volume}')


HEADLINES = [
    ("{name} wins a $400 million services contract", "Reuters"),
    ("{name} raises its quarterly outlook", "AP"),
    ("Analysts split over {name} after the investor day", "Dow Jones"),
    ("{name} names a new chief financial officer", "PR Wire"),
    ("{name} opens a research centre in Dublin", "Reuters"),
    ("{name} shares rise on a broker upgrade", "AP"),
    ("{name} to buy back $2 billion of stock", "Dow Jones"),
    ("{name} settles a patent suit", "Reuters"),
]


def news_page(s, today, link):
    rows = []
    for n, (text, source) in enumerate(HEADLINES):
        day = today - datetime.timedelta(days=n // 2)
        story = link("Quotes", f"/story/{s.symbol.lower()}-{n + 1}.html")
        rows.append(f'<TR><TD>&#187;</TD><TD>{mon_day(day)}</TD><TD>{text.format(name=s.name)}</TD>'
                    f'<TD>{source}</TD><TD><a href="{story}">Full story</a></TD></TR>')
    body = (f"<HTML><head><title>{s.symbol} news</title></head><body>\n"
            f"<table><tr><td>Quote</td></tr></table>\n<b>Recent News</b>\n"
            f"<table><tr><td>Headlines for {s.symbol}</td></tr></table>\n<TABLE>\n" + "\n".join(rows) +
            "\n</TABLE>\n<table><tr><td>More headlines</td></tr></table>\n</body></HTML>\n")
    return body


def story_pages(s, today):
    pages = {}
    for n, (text, source) in enumerate(HEADLINES):
        day = today - datetime.timedelta(days=n // 2)
        title = text.format(name=s.name)
        pages[f"story/{s.symbol.lower()}-{n + 1}.html"] = (
            f"<html><head><title>{title}</title></head><body>\n<h2>{title}</h2>\n"
            f"<p><i>{source}, {long_date(day)}</i></p>\n"
            f"<p>This story is sample data of the Tradewright demo: the program opens the address the "
            f"headline carries in the browser, and this page stands in for the story.</p>\n</body></html>\n")
    return pages


def rec_page(s):
    r = rng("rec" + s.symbol)
    now = round(r.uniform(1.6, 2.9), 1)
    before = round(now + r.choice([-0.2, -0.1, 0.1, 0.2]), 1)
    body = f"""<html><head><title>Free Company Report</title></head>
<body>
<h2>{s.name} ({s.symbol})</h2>
<table width="100%">
<tr><td><b>Broker Recommendations</b></td></tr>
<tr><td>Current Average Recommendation
</td><td align=right><font face=arial size=2 color=#0000ee>{now}</font></td></tr>
<tr><td>Recommendation one month ago</td><td><font color=#0000ee>{before}</font></td></tr>
<tr><td>Strong Buy (1)</td><td>{r.randint(3, 8)}</td></tr>
<tr><td>Moderate Buy (2)</td><td>{r.randint(2, 6)}</td></tr>
<tr><td>Hold (3)</td><td>{r.randint(2, 7)}</td></tr>
<tr><td>Moderate Sell (4)</td><td>{r.randint(0, 2)}</td></tr>
<tr><td>Strong Sell (5)</td><td>{r.randint(0, 1)}</td></tr>
</table>
</body></html>
"""
    return padded(body, 2000)


def fiscal_years(s, today):
    last = today.year if today.month > s.fiscal_month + 1 else today.year - 1
    return [f"{s.fiscal_month:02d}/{(last - k) % 100:02d}" for k in range(5)]


def series(r, start, growth=0.06, wobble=0.04):
    """Five yearly values, the newest first, growing backwards into the past."""
    values = [start]
    for _ in range(4):
        values.append(values[-1] / (1 + growth + r.uniform(-wobble, wobble)))
    return values


def row(label, values, money_places=0):
    cells = "".join(f"<TD>{v}</TD>" if isinstance(v, str) else f"<TD>{money(v, money_places)}</TD>" for v in values)
    return f"<TR><TD>{label}</TD>{cells}</TR>"


def balance_sheet(s, today):
    r = rng("abs" + s.symbol)
    rev = series(r, s.revenue)
    scale = [v / s.revenue for v in rev]
    years = fiscal_years(s, today)

    def part(share):
        base = s.revenue * share * r.uniform(0.85, 1.15)
        return [base * k * r.uniform(0.95, 1.05) for k in scale]

    assets = [part(x) for x in (0.05, 0.08, 0.27, 0.06, 0.05)]
    current = [sum(col) for col in zip(*assets)]
    longterm = [part(x) for x in (0.20, 0.11, 0.07, 0.02, 0.01, 0.06)]
    total_assets = [c + sum(col) for c, col in zip(current, zip(*longterm))]
    # Grid rows 15, 24 and 32 are the totals the program marks, 41 the equity total.
    current_items = [part(x) for x in (0.11, 0.06, 0.05, 0.01, 0.02, 0.03, 0.04)]
    current_liab = [sum(col) for col in zip(*current_items)]
    longterm_items = [part(x) for x in (0.17, 0.03, 0.05, 0.001, 0.04, 0.02, 0.03)]
    total_liab = [c + sum(col) for c, col in zip(current_liab, zip(*longterm_items))]
    equity = [a - l for a, l in zip(total_assets, total_liab)]
    common = [e * 0.25 for e in equity]
    surplus = [e * 0.08 for e in equity]
    retained = [e * 0.84 for e in equity]
    repurchased = [-e * 0.19 for e in equity]
    currency = [e * 0.01 for e in equity]
    other = [e - c - su - re - rp - cu for e, c, su, re, rp, cu in
             zip(equity, common, surplus, retained, repurchased, currency)]
    rows = [
        "<TR><TD>Fiscal Year End</TD>" + "".join(f"<TD>{y}</TD>" for y in years) + "</TR>",
        "<TR><TD><font><font><b>Assets</b></font></font></TD><TD>(in millions)</TD></TR>",
        row("Cash &amp; Equivalents", assets[0]), row("Short Term Investments", assets[1]),
        row("Receivables (net)", assets[2]), row("Inventories", assets[3]), row("Other Current Assets", assets[4]),
        row("Total Current Assets", current),
        row("Property, Plant &amp; Equipment (net)", longterm[0]), row("Long Term Investments", longterm[1]),
        row("Goodwill", longterm[2]), row("Intangible Assets", longterm[3]), row("Deferred Charges", longterm[4]),
        row("Other Long Term Assets", longterm[5]),
        row("Total Assets", total_assets),
        "<TR><TD><b>Liabilities &amp; Shareholder's Equity</b></TD><TD>(in millions)</TD></TR>",
        row("Accounts Payable", current_items[0]), row("Short Term Debt", current_items[1]),
        row("Accrued Expenses", current_items[2]), row("Income Taxes Payable", current_items[3]),
        row("Current Portion of Long Term Debt", current_items[4]), row("Deferred Revenue", current_items[5]),
        row("Other Current Liabilities", current_items[6]), row("Total Current Liabilities", current_liab),
        row("Long Term Debt", longterm_items[0]), row("Deferred Income Taxes", longterm_items[1]),
        row("Pension Obligations", longterm_items[2]), row("Minority Interest", longterm_items[3]),
        row("Retiree Benefits", longterm_items[4]), row("Reserves", longterm_items[5]),
        row("Other Long Term Liabilities", longterm_items[6]),
        row("Total Liabilities", total_liab),
        "<TR><TD><b>Shareholders' Equity</b></TD><TD>(in millions)</TD></TR>",
        row("Preferred Stock", [0.0] * 5), row("Common Stock", common), row("Capital Surplus", surplus),
        row("Retained Earnings", retained), row("Repurchased Stock", repurchased),
        row("Currency Adjustment", currency), row("Other Equity", other),
        row("Total Shareholders' Equity", equity),
        row("Total Liabilities &amp; Equity", total_assets),
    ]
    body = ("<html><head><title>" + s.symbol + " annual report</title></head><body>\n"
            "<p>Annual Balance Sheet | Annual Income Statement</p>\n<h2>Annual Balance Sheet</h2>\n"
            "<TABLE border=0 width=600>\n" + "\n".join(rows) + "\n</TABLE>\n"
            "<p>Figures in millions of dollars; sample data.</p></body></html>\n")
    return padded(body, 1500)


def income_statement(s, today):
    r = rng("ais" + s.symbol)
    years = fiscal_years(s, today)
    sales = series(r, s.revenue)
    cost = [v * r.uniform(0.55, 0.62) for v in sales]
    gross = [a - b for a, b in zip(sales, cost)]
    sga = [v * r.uniform(0.18, 0.22) for v in sales]
    ebitda = [g - x for g, x in zip(gross, sga)]
    dep = [v * 0.05 for v in sales]
    other = [v * 0.004 for v in sales]
    ebit = [e - d + o for e, d, o in zip(ebitda, dep, other)]
    interest = [v * 0.008 for v in sales]
    minority = [0.0] * 5
    pretax = [e - i for e, i in zip(ebit, interest)]
    if s.eps < 0:
        pretax = [p - v * 0.2 for p, v in zip(pretax, sales)]
    taxes = [max(p, 0) * 0.3 for p in pretax]
    cont = [p - t for p, t in zip(pretax, taxes)]
    extra = [0.0] * 5
    net = [c + x for c, x in zip(cont, extra)]
    shares = [s.shares * k for k in (1, 1.01, 1.02, 1.03, 1.05)]
    eps = [n / sh for n, sh in zip(net, shares)]
    dil = [e * 0.98 for e in eps]
    div = [s.dividend * k for k in (1, 0.95, 0.9, 0.85, 0.8)]
    payout = [f"{100 * d / e:.1f}%" if e > 0 else "N/A" for d, e in zip(div, eps)]
    heading = "<TR><TD><b>{}</b></TD><TD colspan=5></TD></TR>"
    rows = [
        "<TR><TD>Fiscal Year Ending</TD>" + "".join(f"<TD>{y}</TD>" for y in years) + "</TR>",
        row("Net Sales or Revenues", sales), row("Cost of Goods Sold", cost), row("Gross Operating Profit", gross),
        row("Selling, General &amp; Admin. Expense", sga), row("Operating Income before Depreciation", ebitda),
        row("Depreciation &amp; Amortization", dep), row("Other Income", other), row("EBIT", ebit),
        row("Interest Expense", interest), row("Minority Interest", minority), row("Pre-tax Income", pretax),
        row("Income Taxes", taxes), row("Income from Continuing Operations", cont),
        row("Extraordinary Items", extra), row("Net Income", net),
        heading.format("Per Share Data"),
        row("Primary EPS", [f"{e:.2f}" for e in eps]), row("Diluted EPS", [f"{e:.2f}" for e in dil]),
        row("EPS from Continuing Operations", [f"{e:.2f}" for e in eps]),
        heading.format("Dividends"),
        row("Dividends per Share", [f"{d:.2f}" for d in div]), row("Shares Outstanding (millions)", shares),
        row("Payout Ratio", payout),
    ]
    body = ("<html><head><title>" + s.symbol + " income</title></head><body>\n<h2>Annual Income Statement</h2>\n"
            "<TABLE border=0>\n" + "\n".join(rows) + "\n</TABLE>\n</body></html>\n")
    return padded(body, 1500)


def quarter_label(day):
    return day.strftime("%b %y")


def earnings_page(s, today):
    r = rng("ee" + s.symbol)
    q = today.month - (today.month - 1) % 3 + 2  # the last month of this quarter
    this_q = datetime.date(today.year, q, 1)
    next_q = datetime.date(today.year + (q + 3 > 12), (q + 3 - 1) % 12 + 1, 1)
    year_end = datetime.date(today.year, 12, 1)
    next_year = datetime.date(today.year + 1, 12, 1)
    base = abs(s.eps) / 4 if s.eps > 0 else 0.12
    est = [base * 1.02, base * 1.08, base * 4.1, base * 4.6]
    cols = []
    for n, e in enumerate(est):
        analysts = r.randint(8, 18)
        cols.append((e, analysts, e * r.uniform(0.88, 0.95), e * r.uniform(1.05, 1.12), e / r.uniform(1.04, 1.18)))
    estimates = "".join(
        f"<TD>{e:.2f}<br>{a}<br>{lo:.2f}<br>{hi:.2f}<br>{ago:.2f}<br>{100 * (e / ago - 1):.1f}%</TD>"
        for e, a, lo, hi, ago in cols)
    trend = "".join(f"<TD>{e:.2f}<br>{e:.2f}<br>{e * 0.99:.2f}<br>{e * 0.98:.2f}<br>{e * 0.97:.2f}</TD>"
                    for e, *_ in cols)
    history_heads, history = [], []
    for k in range(4, 0, -1):
        month = this_q.month - 3 * k
        day = datetime.date(this_q.year + (month - 1) // 12, (month - 1) % 12 + 1, 1)
        e = base * r.uniform(0.9, 1.0)
        a = e * r.uniform(0.95, 1.1)
        history_heads.append(f"<th>{quarter_label(day)}</th>")
        history.append(f"<td>{e:.2f}<br>{a:.2f}<br>{a - e:+.2f}<br>{100 * (a - e) / e:+.1f}%</td>")
    growth = [r.uniform(5, 15) for _ in range(3)]
    body = f"""<html><head><title>{s.symbol} earnings</title></head><body>
<TABLE><TR><TD><B>Earnings Estimates &amp; Recommendations</B></TD></TR></TABLE>
<TABLE width=600><tr><th></th><th>Current Qtr ({quarter_label(this_q)})</th><th>Next Qtr ({quarter_label(next_q)})</th><th>Current Year ({quarter_label(year_end)})</th><th>Next Year ({quarter_label(next_year)})</th></tr></TABLE>
<p><b>Earnings Estimates<br>per share</b></p>
<TABLE><TR><TD><TABLE><TR><TD>Avg Estimate</TD></TR>
<TR><TD>No. of Analysts</TD></TR>
<TR><TD>Low Estimate</TD></TR>
<TR><TD>High Estimate</TD></TR>
<TR><TD>Year Ago EPS</TD></TR>
<TR><TD>Growth &amp; Change</TD></TR>
</TABLE></TD>{estimates}</TR></TABLE>
<p><b>Consensus EPS Trend</b></p>
<TABLE><TR><TD><TABLE><TR><TD>Current</TD></TR>
<TR><TD>7 Days Ago</TD></TR>
<TR><TD>30 Days Ago</TD></TR>
<TR><TD>60 Days Ago</TD></TR>
<TR><TD>90 Days Ago</TD></TR>
</TABLE></TD>{trend}</TR></TABLE>
<p><b>Earnings History</b></p>
<TABLE><tr><th></th>{"".join(history_heads)}</tr>
<tr><td>EPS Est<br>EPS Actual<br>Difference<br>Surprise %</td>{"".join(history)}</tr></TABLE>
<p><b>Earnings Growth</b></p>
<TABLE><tr><th></th><th>{s.symbol}</th><th>Industry</th><th>Sector</th><th>S&amp;P 500</th></tr>
<tr><td>Last 5 Years<br>This Year<br>Next Year</td><td>{growth[0]:.1f}%<br>{growth[1]:.1f}%<br>{growth[2]:.1f}%</td><td>9.5%<br>8.1%<br>11.2%</td><td>10.4%<br>7.7%<br>12.0%</td><td>7.0%<br>6.2%<br>9.8%</td></tr></TABLE>
</body></html>
"""
    return padded(body, 1500)


def insider_page(s, today):
    r = rng("it" + s.symbol)
    rows = []
    day = today
    for n in range(12):
        day -= datetime.timedelta(days=r.randint(3, 12))
        who = r.choice(INSIDERS)
        action = r.choice(["Sale", "Sale", "Purchase", "Option Exercise"])
        shares = r.randint(5, 200) * 100
        price = s.last * r.uniform(0.88, 1.06)
        slug = who.lower().replace(" ", "-")
        rows.append(f'<tr><td>{long_date(day)}</td><td><a href="/ins/{slug}.html">{who}</a></td><td>{action}</td>'
                    f'<td>{shares:,}</td><td>{r.choice(["Direct", "Indirect"])}</td><td>${price:.2f}</td>'
                    f'<td>${shares * price:,.0f}</td></tr>')
    body = (f"<html><head><title>{s.symbol} insider trades</title></head>\n<body>\n"
            "<table><tr><td>menu</td></tr></table>\n<h1>Insider Trades</h1>\n"
            f"<table><tr><td>{s.name}</td></tr></table>\n"
            "<table><tr><td>Net shares sold in six months</td><td>"
            f"{r.randint(20, 90) * 1000:,}</td></tr></table>\n"
            "<table><tr><td>Reported to the regulator within two business days</td></tr></table>\n<table>\n"
            "<tr><th>Date</th><th>Insider</th><th>Action</th><th>Shares</th><th>Type</th><th>Price</th>"
            "<th>Value</th></tr>\n" + "\n".join(rows) + "\n</table>\n<p>footer</p>\n</body></html>\n")
    return padded(body, 1500)


FORMS = [("10-Q", "Quarterly report"), ("8-K", "Current report of a material event"),
         ("4", "Statement of changes in beneficial ownership"), ("10-K", "Annual report"),
         ("DEF 14A", "Definitive proxy statement"), ("S-8", "Securities offered to employees"),
         ("SC 13G", "Statement of beneficial ownership by an institution"), ("11-K", "Annual report of an employee plan")]


def filings_page(s, today):
    r = rng("qr" + s.symbol)
    rows = []
    day = today
    for n in range(12):
        day -= datetime.timedelta(days=r.randint(5, 25))
        form, text = FORMS[0] if n % 4 == 0 else r.choice(FORMS[1:])
        doc = f"/Archives/{s.symbol.lower()}/{day.strftime('%Y%m%d')}-{n}.htm"
        rows.append(f'<TR><TD>{day.isoformat()}</TD><TD><A HREF="{doc}">{form}</A></TD><TD>{text}</TD></TR>')
    body = (f"<html><head><title>{s.symbol} filings</title></head>\n<body>\n"
            "<table><tr><td>Sort By: <b>Date</b></td></tr></table>\n<TABLE>\n"
            "<TR><TD>Date</TD><TD>Form</TD><TD>Description</TD></TR>\n" + "\n".join(rows) +
            "\n</TABLE>\n</body></html>\n")
    return padded(body, 1500)


def profile_page(s):
    body = (f'<html><head><link rel="stylesheet" href="/style.css"></head>\n'
            f'<body><a href="/home">Home</a> <b>{s.symbol}</b>\n<hr size=1>\n{s.about}\n<hr>\n'
            f"<p>Head office: {s.city}</p>\n</body></html>\n")
    return padded(body, 3000)


def short_interest_page(s, today):
    r = rng("si" + s.symbol)
    rows = []
    day = today.replace(day=15) if today.day >= 15 else today.replace(day=1) - datetime.timedelta(days=1)
    short = s.avg_volume * r.uniform(1.5, 3.0)
    for n in range(6):
        volume = s.avg_volume * r.uniform(0.8, 1.2)
        rows.append(f"<TR><TD>{mdy(day)}</TD><TD>{short:,.0f}</TD><TD>{volume:,.0f}</TD>"
                    f"<TD>{short / volume:.2f}</TD></TR>")
        short *= r.uniform(0.9, 1.1)
        day = day.replace(day=1) - datetime.timedelta(days=1) if day.day == 15 else day.replace(day=15)
    body = (f"<html><body>\n<table><tr><td>Short interest of {s.symbol}</td></tr></table>\n<TABLE>\n"
            "<TR><TH>Settlement Date</TH><TH>Short Interest</TH><TH>Avg Daily Share Volume</TH>"
            "<TH>Days to Cover</TH></TR>\n" + "\n".join(rows) + "\n</TABLE>\n</body></html>\n")
    return padded(body, 3000)


def option_months(today):
    months = []
    m = today.replace(day=1)
    while len(months) < 3:
        m = (m + datetime.timedelta(days=32)).replace(day=1)
        months.append(m)
    return months


def options_page(s, today):
    r = rng("op" + s.symbol)
    step = 5 if s.last > 40 else 2.5
    middle = round(s.last / step) * step
    strikes = [middle + step * k for k in range(-4, 4)]
    lines = [f"Option quotes for {s.symbol}",
             "Calls,Last Sale,Net,Bid,Ask,Vol,Open Int,Puts,Last Sale,Net,Bid,Ask,Vol,Open Int"]
    for m_index, month in enumerate(option_months(today)):
        name = month.strftime("%b")
        time_value = s.last * 0.03 * (m_index + 1) ** 0.5
        for k, strike in enumerate(strikes):
            strike_text = f"{strike:g}"
            away = math.exp(-abs(s.last - strike) / (0.08 * s.last))
            call = max(s.last - strike, 0) + time_value * away * r.uniform(0.92, 1.08)
            put = max(strike - s.last, 0) + time_value * away * r.uniform(0.92, 1.08)
            code = "ABCDEFGHIJKL"[month.month - 1], "MNOPQRSTUVWX"[month.month - 1], "DEFGHIJKLMNOPQRS"[k]

            def side(price, letter):
                net = r.choice([-3, -2, -1, 0, 1, 2, 3]) / 8
                net_text = "0" if net == 0 else ("+" if net > 0 else "-") + fraction(abs(net))
                return (f"{fraction(price)},{net_text},"
                        f"{fraction(max(price - 0.125, 0))},{fraction(price + 0.125)},{r.randint(5, 900)},"
                        f"{r.randint(100, 9000)}")
            lines.append(f"{name} {strike_text} ({s.symbol} {code[0]}{code[2]}),{side(call, code[0])},"
                         f"{name} {strike_text} ({s.symbol} {code[1]}{code[2]}),{side(put, code[1])},")
    lines.append("Prices delayed at least 20 minutes; open interest as of the previous session")
    return "\r\n".join(lines) + "\r\n"


def history_page(kind, s, today):
    """The splits, upgrades, downgrades and broker reports pages of one stock."""
    r = rng(kind + s.symbol)
    title = {"splits": "Splits History", "upgrades": "Upgrades History", "downgrades": "Downgrades History",
             "reports": "Broker Reports"}[kind]
    marker = "begin reports" if kind == "reports" else "begin splits"
    rows = []
    if kind == "splits":
        head = "<tr><td>Type</td><td>Amount</td><td>Ex</td><td>Pay</td><td>Rec</td><td>Announced</td></tr>"
        year = today.year - 2
        for amount in ("3-for-2", "2-for-1", "2-for-1", "3-for-1"):
            ex = datetime.date(year, r.randint(2, 11), r.randint(1, 28))
            rows.append(f"<tr><td>Split</td><td>{amount}</td><td>{mdy(ex)}</td>"
                        f"<td>{mdy(ex + datetime.timedelta(days=14))}</td>"
                        f"<td>{mdy(ex - datetime.timedelta(days=12))}</td>"
                        f"<td>{mdy(ex - datetime.timedelta(days=40))}</td></tr>")
            year -= r.randint(3, 5)
    else:
        head = "<tr><td>Date</td><td>Brokerage</td><td>Comment</td></tr>"
        ratings = ["Strong Buy", "Buy", "Outperform", "Market Perform", "Hold", "Underperform", "Sell"]
        day = today
        for n in range(10):
            day -= datetime.timedelta(days=r.randint(6, 40))
            broker = r.choice(BROKERS).replace("&", "&amp;")
            a = r.randint(0, 5)
            if kind == "upgrades":
                text = f"Upgraded from {ratings[a + 1]} to {ratings[a]}"
            elif kind == "downgrades":
                text = f"Downgraded from {ratings[a]} to {ratings[a + 1]}"
            else:
                target = s.last * r.uniform(0.9, 1.35)
                text = f"{ratings[a]}; price target ${target:.0f}; {r.choice(['earnings preview', 'industry review', 'quarterly results', 'initiating coverage'])}"
            rows.append(f"<tr><td>{day.strftime('%d-%b-%y')}</td><td>{broker}</td><td>{text}</td></tr>")
    body = (f"<html><head><title>{title} for {s.symbol}</title></head>\n<body>\n<h2>{title}: {s.symbol}</h2>\n"
            f"<!-- {marker} --><table>\n{head}\n" + "\n".join(rows) +
            f"\n</table><!-- end {kind} -->\n</body></html>\n")
    return padded(body, 3000)


def momentum_page(s):
    r = rng("mr" + s.symbol)
    buys, holds, sells = r.randint(8, 16), r.randint(2, 8), r.randint(0, 2)
    body = (f"<html><head><title>Momentum Rating for {s.symbol}</title></head>\n<body>\n"
            f"<h2>Momentum Rating: {s.symbol}</h2>\n"
            '<a href="/n">News</a> <a href="/c">Chart</a> <a href="/x">Compare</a>\n'
            "<table><tr><th>Rank</th><th>Momentum Rating</th><th>Buys</th><th>Holds</th><th>Sells</th></tr>\n"
            f"<tr><td>{r.randint(20, 900):,}</td><td>{2 * buys + holds - sells}</td><td>{buys}</td><td>{holds}</td>"
            f"<td>{sells}</td></tr>\n</table>\n"
            "<p>The rating counts the broker reports of the last 90 days only.</p>\n</body></html>\n")
    return padded(body, 3000)


def stock_pages(s, today, link, now):
    sym = s.symbol.lower()
    pages = {
        f"quote/{sym}.htm": quote_page(s, now),
        f"news/{sym}.htm": news_page(s, today, link),
        f"rec/{sym}.html": rec_page(s),
        f"annual/{sym}_abs.htm": balance_sheet(s, today),
        f"annual/{sym}_ais.htm": income_statement(s, today),
        f"earnings/{sym}.htm": earnings_page(s, today),
        f"insider/{sym}.htm": insider_page(s, today),
        f"filings/{sym}.htm": filings_page(s, today),
        f"profile/{sym}.htm": profile_page(s),
        f"shortint/{sym}.htm": short_interest_page(s, today),
        f"options/{sym}_op.txt": options_page(s, today),
        f"splits/{sym}.htm": history_page("splits", s, today),
        f"upgrades/{sym}.htm": history_page("upgrades", s, today),
        f"downgrades/{sym}.htm": history_page("downgrades", s, today),
        f"brokerreports/{sym}.htm": history_page("reports", s, today),
        f"momentum/{sym}.htm": momentum_page(s),
    }
    pages.update(story_pages(s, today))
    return pages


def any_stock():
    """A stock the user adds to the set: its pages carry {SYM}, replaced on the way out."""
    return Stock("{SYM}", "{SYM} Holdings Inc", "NYSE", 42.10, 41.80, 41.55, 42.40, 1203400, 1100000, 33.20, 48.75,
                 2.35, 310, 0.40, 8210, 12,
                 "{SYM} Holdings Inc is a company of the sample site. Its figures are made up for the demo. "
                 "Every stock the sample site does not know gets the same pages.", "Springfield")


# ---- the market ---------------------------------------------------------------

FIRST = ["Acorn", "Bayview", "Cedar", "Delmar", "Ember", "Falcon", "Granite", "Harbor", "Iris", "Juniper", "Keystone",
         "Lakeside", "Meridian", "Northstar", "Oakridge", "Pioneer", "Quarry", "Riverton", "Summit", "Tidewater",
         "Upland", "Vantage", "Willow", "Yardley", "Zenith", "Aspen", "Beacon", "Cobalt", "Dunmore", "Evergreen"]
SECOND = ["Systems", "Foods", "Energy", "Biotech", "Networks", "Holdings", "Industries", "Pharmaceuticals",
          "Software", "Mining", "Semiconductor", "Retail", "Logistics", "Financial", "Media", "Devices"]
FORMS_OF = ["Inc", "Corp", "Co", "Ltd", "Group"]
EXCHANGES = {"NASDAQ": (4, 0), "NYSE": (3, 1), "AMEX": (3, 2)}


def companies(exchange, count=40):
    """count companies of one exchange: (symbol, name)."""
    length, seed = EXCHANGES[exchange]
    r = rng("companies" + exchange)
    seen, out = set(), []
    while len(out) < count:
        a, b = r.choice(FIRST), r.choice(SECOND)
        name = f"{a} {b} {r.choice(FORMS_OF)}"
        symbol = (a[:2] + b[:length - 2]).upper() if length == 4 else (a[0] + b[:2]).upper()
        if symbol in seen:
            symbol = (a[:1] + b[:1] + r.choice("BCDFGHJKLMNPRSTVWXZ") + ("" if length == 3 else "X")).upper()
        if symbol in seen or not clean(symbol) or name in (n for _, n in out):
            continue
        seen.add(symbol)
        out.append((symbol, name))
    return out


class Mover:
    def __init__(self, r, symbol, name):
        self.symbol, self.name = symbol, name
        self.close = round(r.uniform(3, 95), 2)
        self.pct = 0.0
        self.volume = r.randint(20, 9000) * 1000
        self.avg_volume = int(self.volume * r.uniform(0.4, 1.6))
        self.pe = r.choice([str(r.randint(6, 60)), str(r.randint(6, 60)), "N/A"])

    def move(self, pct):
        self.pct = pct
        self.change = round(self.close * pct / (100 + pct), 2)
        return self


def movers(list_name, exchange, count, r):
    pool = companies(exchange)
    picked = r.sample(pool, count)
    return [Mover(r, s, n) for s, n in picked]


def bigmovers_page(report, exchange, today):
    """One list of the big-movers report (report 1 to 8) of one exchange."""
    r = rng(f"bigmovers{report}{exchange}")
    ms = movers(report, exchange, 20, r)
    rows = []
    if report in (1, 2):        # price gain, price loss
        for m in ms:
            m.move(r.uniform(4, 45) * (1 if report == 1 else -0.6))
        ms.sort(key=lambda m: -abs(m.pct))
        cells = [(f"{m.pct:+.1f}%" if report == 2 else f"{m.pct:.1f}%", f"{m.volume:,}", f"{m.close:.2f}",
                  signed(m.change), m.pe) for m in ms]
    elif report in (3, 4):      # volume gain, volume loss
        for m in ms:
            m.move(r.uniform(-6, 6))
        vol = [r.uniform(150, 900) if report == 3 else -r.uniform(40, 90) for _ in ms]
        order = sorted(range(len(ms)), key=lambda i: -abs(vol[i]))
        ms = [ms[i] for i in order]
        vol = [vol[i] for i in order]
        cells = [(f"{v:.0f}%" if v > 0 else f"{v:.0f}%", f"{m.volume:,}", f"{m.close:.2f}", signed(m.change), m.pe)
                 for m, v in zip(ms, vol)]
    elif report in (5, 6):      # new 52-week highs, lows
        cells = []
        for m in ms:
            m.move(r.uniform(1, 8) * (1 if report == 5 else -1))
            high = m.close if report == 5 else m.close * r.uniform(1.4, 2.5)
            low = m.close * r.uniform(0.4, 0.7) if report == 5 else m.close
            cells.append((f"{m.close:.2f}", signed(m.change), f"{high:.2f}", f"{low:.2f}",
                          f"{r.uniform(-30, 160):+.0f}%"))
    elif report == 7:           # most active
        for m in ms:
            m.move(r.uniform(-5, 5))
            m.volume = r.randint(5000, 60000) * 1000
        ms.sort(key=lambda m: -m.volume)
        cells = [(f"{m.volume:,}", f"{int(m.volume * r.uniform(0.6, 1.1)):,}", f"{m.close:.2f}", signed(m.change),
                  m.pe) for m in ms]
    else:                       # largest money movers
        for m in ms:
            m.move(r.uniform(-5, 5))
            m.volume = r.randint(2000, 40000) * 1000
        ms.sort(key=lambda m: -m.volume * m.close)
        cells = [(f"${m.volume * m.close:,.0f}", f"{m.avg_volume:,}", f"{m.close:.2f}", signed(m.change), m.pe)
                 for m in ms]
    for rank, (m, c) in enumerate(zip(ms, cells), 1):
        rows.append(f'<TR><TD>{rank}</TD><TD><A HREF="/research?sym={m.symbol}">{m.name}</A></TD>'
                    f"<TD>{m.symbol}</TD>" + "".join(f"<TD>{x}</TD>" for x in c) + "</TR>")
    body = ("<html><head><title>Big movers</title></head><body>\n<TABLE width=\"100%\">\n"
            "<TR><TH>Rank</TH><TH>Company</TH><TH>Symbol</TH><TH>Figure</TH><TH>Volume</TH><TH>Close</TH>"
            "<TH>Change</TH><TH>P/E<BR>Ratio</TH></TR>\n" + "\n".join(rows) +
            "\n<TR><TD></TD></TR>\n</TABLE>\n<p>Show more lists</p>\n</body></html>\n")
    return body


def screener_page(screen, exchange):
    """Most active by dollars traded (8), by price up (9), by price down (10)."""
    r = rng(f"screener{screen}{exchange}")
    ms = movers(screen, exchange, 20, r)
    for m in ms:
        m.volume = r.randint(500, 30000) * 1000
        m.move(r.uniform(2, 18) if screen == 9 else -r.uniform(2, 15) if screen == 10 else r.uniform(-4, 4))
    if screen == 8:
        ms.sort(key=lambda m: -m.volume * m.close)
    else:
        ms.sort(key=lambda m: -abs(m.pct))
    rows = []
    for rank, m in enumerate(ms, 1):
        rows.append(f"<TR><TD>{rank}</TD><TD>{m.symbol}</TD><TD>{m.name}</TD><TD>{m.close:.2f}</TD><TD>chart</TD>"
                    f"<TD>{signed(m.change)}</TD><TD>{m.pct:+.1f}%</TD><TD>{m.volume:,}</TD>"
                    f'<TD>{m.volume * m.close:,.0f}</TD><TD><IMG SRC="/img/icon_news.gif"></TD></TR>')
    return ("<html><body>\n<p>Go To another screen</p>\n<TABLE>\n" + "\n".join(rows) +
            "\n</TABLE>\n<p>Click Here for help</p>\n</body></html>\n")


def winners_losers_page(winners):
    title = "Percentage Winners" if winners else "Percentage Losers"
    r = rng(title)
    tables = []
    for n, exchange in enumerate(("NASDAQ", "NYSE", "AMEX")):
        ms = movers(title, exchange, 15, r)
        for m in ms:
            m.move(r.uniform(8, 60) if winners else -r.uniform(8, 40))
        ms.sort(key=lambda m: -abs(m.pct))
        rows = [f"<TR><TD>{k}</TD><TD>{m.symbol}</TD><TD>{exchange[0]}</TD><TD>{m.name}</TD><TD>{m.close:.2f}</TD>"
                f"<TD>{m.volume:,}</TD><TD>{signed(m.change)}</TD><TD>{m.pct:+.1f}%</TD></TR>"
                for k, m in enumerate(ms, 1)]
        head = ("<TR><TD></TD><TD>Symbol</TD><TD></TD><TD>Company</TD><TD>Last</TD><TD>Volume</TD>"
                "<TD>Change</TD><TD>Pct</TD></TR>")
        links = "" if n == 0 else "<TR><TD>Top of page</TD></TR>\n"
        tables.append(f"<TABLE>\n{links}<TR><TD colspan=8>{exchange}</TD></TR>\n{head}\n" + "\n".join(rows) +
                      "\n</TABLE>")
    body = (f"<html><body>\n<h1>{title}</h1>\n" + "\n".join(tables) +
            "\n<p>Copyright 2001 All Rights Reserved</p>\n</body></html>\n")
    return padded(body, 3000)


def surprises_page():
    r = rng("surprises")
    rows = []
    picks = r.sample(companies("NYSE") + companies("NASDAQ"), 25)
    items = []
    for symbol, name in picks:
        est = r.uniform(0.05, 1.5)
        actual = est * (1 + r.uniform(0.1, 0.9))
        items.append((100 * (actual - est) / est, symbol, name, actual, est))
    items.sort(reverse=True)
    for pct, symbol, name, actual, est in items:
        rows.append(f'<TR><TD><A HREF="/q?s={symbol}">{symbol}</A></TD><TD>{name}</TD><TD>{actual:.2f}</TD>'
                    f"<TD>{est:.2f}</TD><TD>{pct:.0f}%</TD></TR>")
    return ("<html><body>\n<TABLE>\n<TR><TH colspan=5>Top 25 Earnings Surprises</TH></TR>\n"
            "<TR><TD>Symbol</TD><TD>Company</TD><TD>Actual</TD><TD>Estimate</TD><TD>Surprise</TD></TR>\n" +
            "\n".join(rows) + "\n</TABLE>\n</body></html>\n")


def analyst_actions_page():
    r = rng("updown")
    ratings = ["Strong Buy", "Buy", "Outperform", "Neutral", "Underperform", "Sell"]
    picks = r.sample(companies("NYSE") + companies("NASDAQ"), 24)
    sections = []
    for title, items in (("Upgrades", picks[:8]), ("Downgrades", picks[8:16]), ("Coverage Initiated", picks[16:])):
        if title == "Coverage Initiated":
            head = "<TR><TH>Company</TH><TH>Symbol</TH><TH>Brokerage</TH><TH>Rating</TH><TH>Details</TH></TR>"
        else:
            head = ("<TR><TH>Company</TH><TH>Symbol</TH><TH>Brokerage</TH><TH>From</TH><TH>To</TH>"
                    "<TH>Details</TH></TR>")
        rows = []
        for symbol, name in items:
            broker = r.choice(BROKERS).replace("&", "&amp;")
            a = r.randint(0, 4)
            if title == "Upgrades":
                grade = f"<TD>{ratings[a + 1]}</TD><TD>{ratings[a]}</TD>"
            elif title == "Downgrades":
                grade = f"<TD>{ratings[a]}</TD><TD>{ratings[a + 1]}</TD>"
            else:
                grade = f"<TD>{ratings[a]}</TD>"
            rows.append(f'<TR><TD>{name}</TD><TD>{symbol}</TD><TD>{broker}</TD>{grade}'
                        f'<TD><A HREF="/u?s={symbol}">More</A></TD></TR>')
        # The row under the column titles takes the list's title.
        blank = "<TR>" + "<TD></TD>" * head.count("<TH>") + "</TR>"
        sections.append(f"<big><b>{title}</b></big>\n<TABLE>\n{head}\n{blank}\n" + "\n".join(rows) + "\n</TABLE>")
    body = ("<HTML><head><title>Analyst actions</title></head><body>\n" + "\n".join(sections) + "\n</body></HTML>\n")
    return padded(body, 3000, "<HTML>")


US_INDICES = [("30 Industrials", 10238.35), ("20 Transportation", 2412.80), ("15 Utilities", 286.41),
              ("65 Composite", 3047.18), ("Volume in 000's", 1248310), ("Composite", 5871.22), ("Tick", 312),
              ("ARMS", 0.87), ("Composite", 1963.41), ("Volume in 000's", 1721950),
              ("National Market Composite", 1588.24), ("Nasdaq 100", 1561.92), ("500 Index", 1108.51),
              ("100 Index", 551.37), ("400 MidCap", 514.88), ("600 SmallCap", 243.66), ("AMEX Composite", 897.03),
              ("AMEX Internet", 112.58), ("AMEX Networking", 232.47), ("Indi 500", 392.15), ("Major Market", 1051.60),
              ("Pacific Exchange Technology", 708.34), ("Philadelphia Semiconductor", 482.95),
              ("Russell 1000", 582.44), ("Russell 2000", 478.62), ("Russell 3000", 600.27), ("TSC Internet", 38.19),
              ("Value Line", 371.46), ("Wilshire 5000", 10512.36), ("30-Year Bond", 53.74), ("10-Year Note", 49.61),
              ("5-Year Note", 42.89), ("13-Week Bill", 17.05), ("Dow Jones Spot", 104.62),
              ("Dow Jones Futures", 117.08), ("Goldman Sachs Commodity", 193.87),
              ("Philadelphia Gold & Silver", 62.30)]


def us_page():
    r = rng("us")
    rows = []
    for label, value in US_INDICES:
        pct = r.uniform(-1.6, 1.8)
        change = value * pct / 100
        places = 0 if value > 100000 or label == "Tick" else 2
        rows.append(f'<TR><TD><B>{label.replace("&", "&amp;")}</B></TD><TD><A HREF="/c">Chart</A></TD>\n'
                    f"<TD>4:01PM</TD><TD>{money(value, places)}</TD><TD>{signed(change, places)}</TD>"
                    f"<TD>{pct:+.2f}%</TD><TD>Intraday</TD></TR>")
    return padded("<HTML><BODY>\n<TABLE>\n" + "\n".join(rows) + "\n</TABLE></BODY></HTML>\n", 1500, "<HTML>")


WORLD = [
    ("Americas", [("Argentina", "Merval", "^MERV", 412.30), ("Brazil", "Bovespa", "^BVSP", 13428.50),
                  ("Canada", "S&amp;P TSX", "^GSPTSE", 7612.40), ("Mexico", "IPC", "^MXX", 6122.87),
                  ("Chile", "IPSA", "^IPSA", 101.92)]),
    ("Asia", [("Australia", "All Ordinaries", "^AORD", 3331.70), ("Hong Kong", "Hang Seng", "^HSI", 10311.25),
              ("India", "BSE 30", "^BSESN", 3274.46), ("Japan", "Nikkei 225", "^N225", 10214.22),
              ("Singapore", "Straits Times", "^STI", 1520.31), ("South Korea", "Seoul Composite", "^KS11", 782.19),
              ("Taiwan", "Taiwan Weighted", "^TWII", 5208.72)]),
    ("Europe", [("Austria", "ATX", "^ATX", 1187.65), ("Belgium", "BEL-20", "^BFX", 2596.04),
                ("France", "CAC 40", "^FCHI", 4317.11), ("Germany", "DAX", "^GDAXI", 4933.82),
                ("Italy", "MIB 30", "^MIB30", 29613.00), ("Netherlands", "AEX General", "^AEX", 489.42),
                ("Spain", "IBEX 35", "^IBEX", 7902.50), ("Sweden", "Stockholm General", "^SSVX", 211.43),
                ("Switzerland", "Swiss Market", "^SSMI", 6307.60), ("United Kingdom", "FTSE 100", "^FTSE", 5100.90)]),
    ("Africa", [("Egypt", "CMA", "^CCSI", 689.55), ("Israel", "TA-100", "^TA100", 402.17),
                ("South Africa", "All Share", "^JALSH", 10408.33)]),
]


def world_page(today):
    r = rng("world")
    day = weekday_on_or_before(today - datetime.timedelta(days=1))
    rows = []
    for region, markets in WORLD:
        rows.append(f"<TR><TD>{region}</TD></TR>")
        for country, index, symbol, value in markets:
            pct = r.uniform(-1.5, 1.5)
            rows.append(f"<TR><TD>{country}</TD><TD>{index}</TD><TD>{symbol}</TD><TD>{day.month}/{day.day}</TD>"
                        f"<TD>{value:.2f}</TD><TD>{value * pct / 100:+.2f}</TD><TD>{pct:+.2f}%</TD>"
                        f"<TD>Chart</TD></TR>")
        rows.append("<TR><TD></TD></TR>")  # the blank row the region's title takes
    return padded("<html><body>\n<TABLE>\n" + "\n".join(rows) + "\n</TABLE>\n</body></html>\n", 1500)


IPO_FIRST = ["Arcadia", "Brightwater", "Clearpath", "Driftwood", "Elmstone", "Foxglove", "Glasshouse", "Hollybrook",
             "Ironbark", "Jadeport", "Kingsmere", "Larkspur", "Moonrise", "Nettlebed", "Orchard", "Palisade"]
IPO_SECOND = ["Genomics", "Networks", "Medicines", "Software", "Solar", "Payments", "Robotics", "Devices"]


def ipos(seed, count):
    r = rng(seed)
    out, seen = [], set()
    while len(out) < count:
        a, b = r.choice(IPO_FIRST), r.choice(IPO_SECOND)
        symbol = (a[:3] + b[0]).upper()
        if symbol in seen or not clean(symbol):
            continue
        seen.add(symbol)
        low = r.randint(8, 20)
        out.append(dict(symbol=symbol, name=f"{a} {b} Inc", low=low, high=low + 2, price=low + r.choice([0, 1, 2, 3]),
                        shares=r.randint(30, 120) * 100000))
    return out


def ipo_pricings(today):
    rows = []
    for k, ipo in enumerate(ipos("pricings", 10)):
        day = weekday_on_or_before(today - datetime.timedelta(days=k))
        rows.append(f"<TR><TD>{mmdd(day)}</TD><TD>{ipo['name']}</TD><TD>{ipo['symbol']}</TD>"
                    f"<TD>${ipo['low']}-{ipo['high']}</TD><TD>${ipo['price']}</TD><TD>News,Chart,Profile</TD></TR>")
    return padded("<html><body>\n<table>\n<tr><td>Offer Date</td><td>Company</td><td>Symbol</td><td>Proposed</td>"
                  "<td>Initial</td><td>More Info</td></tr>\n" + "\n".join(rows) + "\n</table>\n</body></html>\n")


def ipo_performance(today, gainers):
    r = rng("gainers" if gainers else "losers")
    items = []
    for ipo in ipos("performance" + str(gainers), 12):
        day = today - datetime.timedelta(days=r.randint(10, 80))
        pct = r.uniform(20, 180) if gainers else -r.uniform(10, 60)
        items.append((pct, day, ipo))
    items.sort(key=lambda x: -abs(x[0]))
    rows = [f"<tr><td>{ipo['name']}</td><td>{ipo['symbol']}</td><td>{mmdd(day)}</td><td>${ipo['price']}</td>"
            f"<td>${ipo['price'] * (1 + pct / 100):.2f}</td><td>{pct:+.0f}%</td><td>News,Chart</td></tr>"
            for pct, day, ipo in items]
    return padded("<html><body>\n<table>\n<tr><td>Company</td><td>Symbol</td><td>Offer Date</td><td>Offer</td>"
                  "<td>Close</td><td>Gain</td><td>More Info</td></tr>\n" + "\n".join(rows) +
                  "\n</table>\n</body></html>\n")


def ipo_registrations(today):
    r = rng("registrations")
    rows = []
    for k, ipo in enumerate(ipos("registrations", 10)):
        day = today - datetime.timedelta(days=2 * k + 1)
        expected = today + datetime.timedelta(days=r.randint(20, 90))
        rows.append(f"<tr><td>{mmdd(day)}</td><td>{ipo['name']}</td><td>{ipo['symbol']}</td>"
                    f"<td>{ipo['shares']:,}</td><td>${ipo['shares'] * ipo['high'] / 1e6:.0f}M</td>"
                    f"<td>${ipo['low']}-{ipo['high']}</td><td>{expected.strftime('%b %Y')}</td><td>Profile</td></tr>")
    return padded("<HTML><body><table>\n<tr><td>File Date</td><td>Company</td><td>Symbol</td><td>Shares</td>"
                  "<td>Amount</td><td>Price</td><td>Expected</td><td>More Info</td></tr>\n" + "\n".join(rows) +
                  "\n</table></body></html>\n", 3000, "<HTML>")


def ipo_withdrawals(today):
    r = rng("withdrawals")
    rows = []
    for k, ipo in enumerate(ipos("withdrawals", 8)):
        day = today - datetime.timedelta(days=3 * k + 1)
        filed = day - datetime.timedelta(days=r.randint(60, 200))
        rows.append(f"<tr><td>{mmdd(day)}<td>{ipo['name']}<td>{ipo['symbol']}<td>{ipo['shares']:,}"
                    f"<td>${ipo['price']}<td>{mmdd(filed)}<td>Profile</td></tr>")
    return padded("<html><body><table>\n<tr><td>Date</td><td>Company</td><td>Symbol</td><td>Shares</td>"
                  "<td>Price</td><td>File</td><td>More Info</td></tr>\n" + "\n".join(rows) +
                  "\n</table></body></html>\n")


def ipo_latest(today):
    def rows(items, action, more, start):
        out = []
        for k, ipo in enumerate(items):
            day = weekday_on_or_before(today - datetime.timedelta(days=start + k))
            out.append(f"<tr><td>{mmdd(day)}</td><td>{ipo['symbol']}</td><td>{ipo['name']}</td>"
                       f"<td>${ipo['price']}</td><td>{action}</td><td>{more}</td></tr>")
        return "\n".join(out)
    # Each list starts with an empty row: the program writes the list's title there.
    first = "<tr><td></td></tr>\n"
    return padded("<html><body>\n<h2>Pricings</h2>\n<table>\n" + first + rows(ipos("pricings", 5), "Priced", "News,Chart", 0) +
                  "\n</table>\n<h2>Filings</h2>\n<table>\n" + first + rows(ipos("registrations", 5), "Filed", "Profile", 1) +
                  "\n</table>\n<h2>Withdrawals</h2>\n<table>\n" + first +
                  rows(ipos("withdrawals", 3), "Withdrawn", "Profile", 1) +
                  "\n</table>\n<h2>News</h2>\n</body></html>\n")


def ipo_news(today, link):
    items = []
    for k, ipo in enumerate(ipos("pricings", 5) + ipos("registrations", 4)):
        what = "prices its offering" if k < 5 else "files for an offering"
        items.append(f'<li><a href="/n/ipo/{ipo["symbol"].lower()}.html">{ipo["name"]} {what}</a>'
                     f" - {'Wire One' if k % 2 else 'Wire Two'} - {9 + k}:{15 * (k % 4):02d}</li>")
    return padded(f"<!-- saved {mmdd(today)} -->\n<html><head><title>IPO headlines</title></head><body>\n<ul>\n" +
                  "\n".join(items) + "\n</ul>\n<p>end of list</p>\n</body></html>\n")


def options_summary():
    r = rng("optsum")
    names = [s for s, _ in companies("NASDAQ")[:12] + companies("NYSE")[:12]]
    months = ["Jan", "Feb", "Mar"]

    def table(title, sign):
        rows = []
        picks = r.sample(names, 10)
        items = []
        for sym in picks:
            last = r.uniform(0.5, 12)
            pct = r.uniform(-40, 40) if sign == 0 else r.uniform(30, 250) * sign if sign > 0 else -r.uniform(30, 90)
            items.append((pct, sym, last, r.randint(200, 40000)))
        items.sort(key=lambda x: -x[3] if sign == 0 else -abs(x[0]))
        for pct, sym, last, volume in items:
            name = f"{sym} {r.choice(months)} {r.randint(2, 18) * 5} {r.choice(['Call', 'Put'])}"
            change = last * pct / (100 + pct)
            rows.append(f"<TR><TD>{name}</TD><TD>{fraction(last, 16)}</TD><TD>{'+' if change >= 0 else '-'}"
                        f"{fraction(abs(change), 16)}</TD><TD>{pct:+.0f}%</TD><TD>{volume:,}</TD></TR>")
        return f"<TABLE>\n<TR><TD>{title}</TD></TR>\n" + "\n".join(rows) + "\n</TABLE>"
    return ("<HTML><BODY>\n<P>Leaders</P>\n" + table("Most active options", 0) + "\n<P>Gainers</P>\n" +
            table("Percentage gainers", 1) + "\n<P>Losers</P>\n" + table("Percentage losers", -1) +
            "\n</BODY></HTML>\n")


# The fund lists: page, title, and the kind of fund the list holds.
FUNDS = [("convbndt.html", "Largest Convertible Bond Funds", None, "Convertible Securities"),
         ("agggrot.html", "Largest Growth Funds", None, "Growth"),
         ("mut10t.html", "Largest Equity Funds", None, "Equity Income"),
         ("hiyldt.html", "Largest High-Yield Bond Funds", None, "High Yield Bond"),
         ("mon11t.html", "Largest Money Market Funds", None, "Money Market"),
         ("intert.html", "Largest International Funds", None, "International Equity"),
         ("premetlt.html", "Largest Precious Metals Funds", None, "Gold and Precious Metals"),
         ("sbmmt.html", "Smith Barney", "Smith Barney", None), ("aimmmt.html", "AIM", "AIM", None),
         ("benmmt.html", "Benham", "Benham", None), ("dwmmt.html", "Dean Witter", "Dean Witter", None),
         ("frtmmt.html", "Franklin/Templeton", "Franklin Templeton", None),
         ("fidmmt.html", "Fidelity", "Fidelity", None), ("mlmmt.html", "Merrill Lynch", "Merrill Lynch", None),
         ("janmmt.html", "Janus", "Janus", None), ("putmmt.html", "Putnam", "Putnam", None),
         ("scdmmt.html", "Scudder", "Scudder", None), ("Ssgcmmt.htmls", "Stagecoach", "Stagecoach", None),
         ("strmmt.html", "Strong", "Strong", None), ("trpmmt.html", "T. Rowe Price", "T. Rowe Price", None),
         ("twcmmt.html", "Twentieth Century", "Twentieth Century", None),
         ("vanmmt.html", "Vanguard", "Vanguard", None)]
FUND_KINDS = ["Growth", "Value", "Income", "Balanced", "Small Cap", "International", "Bond", "Municipal Bond",
              "Money Market", "Tax-Free Money", "Equity Index", "Technology"]
SPONSORS = ["Bayview", "Cedar Hill", "Granite Street", "Harbor Light", "Keystone Mutual", "Northstar",
            "Pioneer Valley", "Summit Street", "Tidewater", "Willow Creek"]


def fund_page(page, today):
    _, title, family, kind = next(f for f in FUNDS if f[0] == page)
    r = rng("fund" + page)
    day = weekday_on_or_before(today - datetime.timedelta(days=1))
    rows, seen, seen_symbols = [], set(), set()
    while len(rows) < 15:
        if family:
            name = f"{family} {r.choice(FUND_KINDS)} Fund"
            if r.random() < 0.3:
                name = name.replace(" Fund", " Fund Class " + r.choice("ABC"))
        else:
            name = f"{r.choice(SPONSORS)} {kind} {r.choice(['Fund', 'Fund II', 'Shares', 'Portfolio'])}"
        if name in seen:
            continue
        initials = "".join(w[0] for w in name.split()[:2]).upper()
        if not clean(initials):
            initials = initials[::-1]
        symbol = initials + r.choice("BCFGKLMNPS") + r.choice("BCFGKLMNPS") + "X"
        if symbol in seen_symbols:
            continue
        seen.add(name)
        seen_symbols.add(symbol)
        money_market = "Money" in name
        nav = 1.0 if money_market else r.uniform(8, 90)
        change = 0.0 if money_market else nav * r.uniform(-0.012, 0.012)
        rows.append(f"<TR><TD>{symbol}</TD><TD>{name}</TD><TD>{nav:.2f}</TD>"
                    f"<TD>{'unch' if abs(change) < 0.005 else signed(change)}</TD><TD>{mmdd(day)}</TD></TR>")
    return padded(f"<html><body>\n<h3>{title}</h3>\n<table>\n"
                  "<TR><TD>Symbol</TD><TD>Fund</TD><TD>Last</TD><TD>Change</TD><TD>Date</TD></TR>\n" +
                  "\n".join(rows) + "\n</TABLE>\n</body></html>\n", 1500)


def splits_calendar(kind, today):
    r = rng("splits" + kind)
    pool = companies("NYSE") + companies("NASDAQ")
    monday = today - datetime.timedelta(days=today.weekday())
    amounts = ["2-for-1", "3-for-2", "3-for-1", "5-for-4", "4-for-3"]
    if kind == "today":
        days = [today] * 4
    elif kind == "thisweek":
        days = [monday + datetime.timedelta(days=k % 5) for k in range(8)]
    elif kind == "nextweek":
        days = [monday + datetime.timedelta(days=7 + k % 5) for k in range(7)]
    elif kind == "recent":
        days = [today - datetime.timedelta(days=k) for k in range(10)]
    else:
        days = []
    picks = r.sample(pool, max(len(days), 10))
    if kind == "tech":
        rows = [f"<TR><TD>{sym}</TD><TD>{name}</TD><TD>{n}</TD></TR>"
                for (sym, name), n in zip(picks, sorted((r.randint(3, 11) for _ in picks), reverse=True))]
        body = "<HTML><BODY>\n<H3>Tech Stocks with The Most Splits</H3>\n<TABLE>\n" + "\n".join(rows) + \
            "\n</TABLE></BODY></HTML>\n"
        return padded(body, 3000, "<HTML>")
    rows = []
    for (sym, name), day in zip(picks, sorted(days)):
        amount = r.choice(amounts)
        if kind == "recent":
            ex = day + datetime.timedelta(days=r.randint(14, 40))
            rows.append(f"<tr><td>{sym}</td><td>{name}</td><td>{amount}</td><td>{mdy(day)}</td><td>{mdy(ex)}</td>"
                        f"<td>{mdy(ex - datetime.timedelta(days=1))}</td></tr>")
        else:
            rows.append(f"<TR><TD>{sym}</TD><TD>{name}</TD><TD>{amount}</TD><TD>{mdy(day)}</TD>"
                        f"<TD>{mdy(day - datetime.timedelta(days=1))}</TD></TR>")
    if kind == "recent":
        head = ("<tr><td>Symbol</td><td>Company</td><td>Amount</td><td>Announced</td><td>Ex</td>"
                "<td>Pay-date</td></tr>")
    else:
        head = "<TR><TD>Ticker</TD><TD>Company</TD><TD>Amount</TD><TD>Ex-Date</TD><TD>Pay-date</TD></TR>"
    return padded("<html><body><TABLE>\n" + head + "\n" + "\n".join(rows) + "\n</TABLE></body></html>\n")


def broker_reports_today(today):
    r = rng("brokerreports")
    picks = r.sample(companies("NYSE") + companies("NASDAQ"), 18)
    rows = []
    for sym, name in picks[:12]:
        target = r.randint(12, 120)
        rows.append(f"<tr><td>{sym}</td><td>{name}</td><td>{r.choice(BROKERS).replace('&', '&amp;')}</td>"
                    f"<td>{r.choice(['Buy', 'Hold', 'Outperform', 'Strong Buy', 'Underperform'])}; "
                    f"target ${target}</td></tr>")
    news = []
    for sym, name in picks[12:]:
        verb = r.choice(["raised to buy", "cut to hold", "started at outperform", "target lifted"])
        news.append(f"<tr><td>{mmdd(today)}</td><td>{sym}</td><td>{name} {verb} by "
                    f"{r.choice(BROKERS).replace('&', '&amp;')}</td><td>BN</td></tr>")
    return padded("<html><body>\n<div class=\"/Breadcrumb\">Home</div>\n<TABLE><TR><TD>menu</TD></TR></TABLE>\n"
                  "<table>\n<tr><td>Ticker</td><td>Company</td><td>Broker</td><td>Report</td></tr>\n" +
                  "\n".join(rows) + "\n</table>\n<!-- START BLOOMBERG NEWS -->\n<table>\n" + "\n".join(news) +
                  "\n</table>\n</body></html>\n", 1500)


def tip_text(today):
    monday = today - datetime.timedelta(days=today.weekday())
    text = (f"Dear all Tradewright users,\n\nThe weekly letter of {long_date(monday)} (sample data of the "
            "demonstration site: invented, not advice).\n\n"
            "The market closed the week a little higher on light volume. Technology shares led while the "
            "utilities lagged; the bond market was quiet. We keep our stance: stay invested, keep some cash for "
            "the dips, and review every position whose reason for buying no longer holds.\n\n"
            "Three ideas for the week:\n"
            "1. Look at the quarterly reports of the stocks you hold before their earnings dates. The Tradewright "
            "tree lists the filings and the earnings estimates of every stock of your set.\n"
            "2. Compare the momentum rating with the broker reports. A rating of 20 or more with few sells has "
            "often come before a rise.\n"
            "3. Watch the short interest. Days to cover above five mean that a good surprise can move the price "
            "fast.\n\n"
            "Sectors we like: software, semiconductors, medical devices. Sectors we avoid: airlines, "
            "department stores.\n\n")
    while len(text) < 2800:
        text += ("Keep a stop under every position and write down why you bought it. Review the list "
                 "each weekend. A loss taken early is the cheapest one. ")
    text += "\n\nGood investing!\nThe Harbourline Market Letter\n"
    # The Adviser window breaks lines at a carriage return and joins them at a line feed.
    return text.replace("\n", "\r")


# ---- the whole site --------------------------------------------------------------

def market_pages(today, link):
    pages = {}
    for report in range(1, 9):
        for data, exchange in ((2, "NASDAQ"), (1, "NYSE"), (3, "AMEX")):
            pages[f"market/bigmovers_{report}_{data}.htm"] = bigmovers_page(report, exchange, today)
    for screen in (8, 9, 10):
        for number, exchange in ((15, "NASDAQ"), (13, "NYSE"), (14, "AMEX")):
            pages[f"market/screener_{screen}_{number}.htm"] = screener_page(screen, exchange)
    pages["dljd/mwwinners.htm"] = winners_losers_page(True)
    pages["dljd/mwlosers.htm"] = winners_losers_page(False)
    pages["cgi-bin/25_surp"] = surprises_page()
    pages["c/u.html"] = analyst_actions_page()
    pages["market/us.htm"] = us_page()
    pages["market/world.htm"] = world_page(today)
    pages["market/ipo_pricings.htm"] = ipo_pricings(today)
    pages["market/ipo_gainers.htm"] = ipo_performance(today, True)
    pages["market/ipo_losers.htm"] = ipo_performance(today, False)
    pages["market/ipo_registrations.htm"] = ipo_registrations(today)
    pages["market/ipo_withdrawals.htm"] = ipo_withdrawals(today)
    pages["market/ipo_latest.htm"] = ipo_latest(today)
    pages["market/ipo_news.htm"] = ipo_news(today, link)
    pages["market/optsum.htm"] = options_summary()
    for page, *_ in FUNDS:
        pages[f"market/funds/{page.lower()}"] = fund_page(page, today)
    for kind in ("today", "thisweek", "nextweek", "recent", "tech"):
        pages[f"market/splits_{kind}.htm"] = splits_calendar(kind, today)
    pages["market/broker_reports.htm"] = broker_reports_today(today)
    pages["orvane/tip.txt"] = tip_text(today)
    pages["Trw55.txt"] = ("Tradewright 5.5 (sample data of the demonstration site)\r\n"
                          "New version Available\r\n")
    return pages


def write_site(folder, today, link):
    now = "4:01PM"
    pages = market_pages(today, link)
    for s in STOCKS:
        pages.update(stock_pages(s, today, link, now))
    pages.update(stock_pages(any_stock(), today, link, now))
    for name in list(pages):
        if "{sym}" in name:
            pages[name.replace("{sym}", "_any")] = pages.pop(name)
    day = weekday_on_or_before(today)
    pages["quotes.csv"] = "\r\n".join(quotes_line(s, day) for s in STOCKS) + "\r\n"
    for name, text in pages.items():
        path = os.path.join(folder, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(text.encode("cp1252"))
    return sorted(pages)
