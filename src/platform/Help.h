#pragma once

#include <QList>
#include <QString>

#include <array>

// The program's help: one HTML page per topic number, shipped in the resources
// (":/help/topic<number>.html", with their style sheet "help.css"). Opening a topic
// writes the shipped pages below the program folder's Cache/Reports/Help, so that
// their links to each other work, and opens the topic's page in the browser. The
// Help menu and every window's Help button come here.
namespace Help {

// Every topic the program opens, the Help menu's first, then the windows'.
const QList<int>& Topics();
// The topics of the Help menu's items 0 to 5, in menu order.
const std::array<int, 6>& MenuTopics();

// The shipped page of topic `number`; "" for a number without one.
QString PageHtml(int number);
// The page's path, written when missing or when it differs from the shipped page;
// a number without a shipped page gets a page that leads to the contents, written
// when missing. "" when it could not be written.
QString TopicPage(int number);
// Opens the page of topic number; false when it could not be written or opened.
bool ShowTopic(int number);
// Opens the page of Help menu item `index` (0 to 5); false for another index.
bool ShowMenuTopic(int index);

} // namespace Help
