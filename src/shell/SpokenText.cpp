#include "shell/SpokenText.h"

#include "platform/DoEvents.h"
#include "services/SpeechSession.h"

QString SpokenText(int Index)
{
    QString text;
    switch (Index) {
    case 1:
        text = SelectedStockPrices();
        DoEvents();
        break;
    case 3:
        text = AllStockPrices();
        DoEvents();
        break;
    default:
        break;
    }
    return text;
}
