#pragma once

#include <QObject>

// The use cases on the stock sets that more than one window starts, and what they
// announce. The windows above this layer connect to the signals and redraw what
// they show; nothing here knows a widget. One instance, held by the main window and
// given to whoever edits the sets (the set editor, the popup actions); tests make
// their own.
class StockSets : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Makes set `index` (0..20) current: stores it as LastGroup, reads its file into
    // Stocks (CurrentSet, StockCount) and announces currentSetChanged. An index
    // outside 0..20 changes nothing and returns false.
    bool makeCurrent(int index);

    // Announce a change the caller has made (and saved).
    void stocksEdited() { emit stocksChanged(); }
    void namesEdited() { emit namesChanged(); }

signals:
    // Another set (or the same set read again) is in Stocks.
    void currentSetChanged(int index);
    // Rows of the current set were added or removed.
    void stocksChanged();
    // The display names of the sets (the Groups key) changed.
    void namesChanged();
};
