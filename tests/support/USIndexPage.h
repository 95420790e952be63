#pragma once

#include "market/USIndices.h"

#include <QByteArray>
#include <QSet>

namespace test {

// A US indices page of the 37 figures in table order, behind 40 KB of head text (so
// every figure lies past character 32,767). Row k: the label's cell, a cell passed
// over, then "t<k>", "l<k>", the change, "p<k>" and "x<k>". The change is "+k.00",
// "-k.00" or "0.00" by k modulo 3. Rows in `missing` are left out; rows in `lowerCase`
// write their value cells "<td>".
inline QByteArray USIndicesPage(const QSet<int>& missing = {}, const QSet<int>& lowerCase = {})
{
    QByteArray page = "<HTML><HEAD><META NAME=\"filler\" CONTENT=\"" + QByteArray(40 * 1024, 'x') +
                      "\"></HEAD><BODY>\r\n<TABLE>\r\n";
    const auto& list = USIndexList();
    for (int k = 0; k < int(list.size()); ++k) {
        if (missing.contains(k))
            continue;
        const QByteArray n = QByteArray::number(k);
        const QByteArray change = k % 3 == 0 ? "+" + n + ".00" : k % 3 == 1 ? "-" + n + ".00" : QByteArray("0.00");
        const QByteArray open = lowerCase.contains(k) ? "<td>" : "<TD>";
        const QByteArray close = lowerCase.contains(k) ? "</td>" : "</TD>";
        page += "<TR><TD><B>" + QByteArray(list[size_t(k)].label) + "</B></TD><TD><A HREF=\"/c\">Chart</A></TD>\r\n";
        for (const QByteArray& v : {"t" + n, "l" + n, change, "p" + n, "x" + n})
            page += open + v + close;
        page += "</TR>\r\n";
    }
    return page + "</TABLE></BODY></HTML>\r\n";
}

} // namespace test
