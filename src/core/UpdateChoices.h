#pragma once

#include "pages/PageCatalogue.h"

#include <QList>
#include <QString>

#include <array>

// The update choices: 99 update items, each one box of the Options window and one
// downloader call of the update run. The items are read from the page catalogue
// (pages/PageCatalogue.h): the download that a box fetches gives its caption,
// Options page, place in the exchange grid and procedure; the few boxes that fetch
// no page stand in a small table of their own here. UpdateChoices holds the box
// values and reads and writes them as the settings Update0 .. Update98 (a missing
// value counts as ticked).
//
// The Options window edits the shared instance (updateChoices()) and stores it on
// OK; the update run reads it, box by box, each time it needs one. Reading a box
// while the choices are not loaded loads them from the settings first, the way
// touching the Options window's boxes loaded the window.

// UpdatePage and ExchangeColumn: see pages/PageCatalogue.h.

struct UpdateItem
{
    int index = -1;          // the box chkUpdate(index), 0 .. 98
    QString caption;         // the text beside the box as the Options window stores it ("&&"
                             // shows as one "&"; several end in a blank). In the exchange
                             // grid only the AMEX box carries the row caption; the others "".
    UpdatePage page = UpdatePage::DailyConsultation;
    int gridRow = -1;        // exchange-grid row 0 .. 12, -1 outside the grid
    ExchangeColumn column = ExchangeColumn::None;  // exchange-grid column, None outside the grid
    QString rowCaption;      // the grid row's caption for all three boxes; "" outside the grid
    QString procedure;       // the downloader the run calls ("UpdateBigMovers"); "" for the
                             // boxes that fetch nothing (44 to 49, 59)
};

class UpdateChoices
{
public:
    static constexpr int Count = 99;

    // Box values as the Options window's check boxes know them.
    static constexpr int Unticked = 0;
    static constexpr int Ticked = 1;
    static constexpr int Greyed = 2;  // shown, but does not count as ticked

    // The item table, in box order (also the order in which the run takes them).
    static int count() { return Count; }
    static const UpdateItem& item(int n);  // n outside 0 .. 98 throws std::out_of_range
    static const std::array<UpdateItem, Count>& items();
    // The caption as shown ("&&" -> "&"); for a grid box without its own caption
    // the row caption with the exchange, "Largest % Gain In Price (NASDAQ)".
    static QString displayCaption(int n);
    // Whether the run has a downloader to call for box n (false for 44 to 49, 59).
    static bool fetches(int n);

    // The boxes of a page in box order, and of one exchange column (the order of
    // the rows), as the Options window's select buttons and column labels use them.
    static QList<int> pageItems(UpdatePage page);
    static QList<int> columnItems(ExchangeColumn column);

    UpdateChoices();

    // Box values. A read loads the choices from the settings first when they are not
    // loaded. n outside 0 .. 98 reads as unticked and is not written.
    int value(int n);
    bool isTicked(int n);  // value is Ticked (a greyed box does not count)
    void setValue(int n, int value);
    void setTicked(int n, bool ticked);
    // Ticks or clears every box of list (the select buttons, the column labels).
    void setTicked(const QList<int>& list, bool ticked);
    int tickedCount();
    bool anyTicked();

    // Reads Update0 .. Update98: missing (empty) = ticked, "0" unticked, "1" ticked,
    // "2" greyed; anything else reads as unticked.
    void load();
    // Stores every box as Update<n> = its value ("0" or "1"; "2" for a greyed box).
    void save();
    // Forgets the values in memory: the next read loads them from the settings again
    // (the Options window's Cancel and close).
    void unload();
    bool isLoaded() const { return m_loaded; }

private:
    void ensureLoaded();

    std::array<int, Count> m_values{};
    bool m_loaded = false;
};

// The program's one set of update choices, shared by the Options window and the run.
UpdateChoices& updateChoices();
