#pragma once

#include <QString>

// The program's help: one local HTML page per topic number, written below the
// program folder's Cache/Reports/Help on first use and opened in the browser.
namespace Help {

// Opens the page of topic number; false when it could not be written or opened.
bool ShowTopic(int number);
// The page's path (written when missing); "" when it could not be written.
QString TopicPage(int number);

} // namespace Help
