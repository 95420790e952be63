#pragma once

#include <QString>

#include <optional>

// The weekly adviser tip as the adviser window shows it.
namespace AdviserTip {

// AppPath & "/" & the tip's file (Tip.Sh, as its catalogue row names it).
QString TipFile();
// The two credit lines of the window.
QString CreditText();
// The part of the tip text the window shows: every LF becomes a blank, then every CR
// becomes CR LF; the text starts nine characters before the first "Tradewright"
// (exact case) and runs to its second-last character. nullopt when "Tradewright" is
// missing or stands within the first nine characters (the box then keeps its text).
// Positions are whole numbers of any size.
std::optional<QString> Cut(const QString& fileText);
// The tip's update box (item 19), "Weekly adviser service": 0 or 1.
int WeeklyService();
// Ticks or clears item 19 and stores it, so the next update run fetches the tip or not.
void setWeeklyService(int value);

} // namespace AdviserTip
