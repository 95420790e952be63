#pragma once

#include <QString>

// The text the Ticker menu's "Put on air" items read aloud: 0 the selected stock's
// headlines, 1 its prices, 2 the headlines of every stock of the set, 3 every
// stock's prices; "" for any other index.
QString SpokenText(int Index);
