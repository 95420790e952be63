#pragma once

#include <QString>

#include <array>

// The program's own help: six topics, each a local HTML page opened in the browser.
// A topic is shown in one of two window types: "Box" (a wide page for reading) or
// "Small" (a narrow card for a short list).
enum class HelpWindow { Box, Small };

struct HelpTopic
{
    int number;         // the topic's number
    HelpWindow window;  // its window type
    const char* title;
};

// The topics of the help menu's items 0 to 5, in menu order.
const std::array<HelpTopic, 6>& HelpMenuTopics();
// The page of topic `number` (one of HelpMenuTopics) in its window type's layout;
// "" for another number.
QString HelpPageHtml(int number);
// Writes the page of help menu item `index` (0 to 5) and opens it; false for
// another index or when it could not be written or opened.
bool ShowHelpMenuTopic(int index);
