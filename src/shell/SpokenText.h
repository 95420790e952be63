#pragma once

#include <QString>

// The text the Ticker menu's "Put on air" items read aloud: 0 the selected stock's
// headlines, 1 its prices, 2 each stock of the set with its headlines, 3 every
// stock's prices; "" for any other index. A stock without a headline file has no
// headlines; the ticker is left as it is.
QString SpokenText(int Index);
