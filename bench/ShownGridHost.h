#pragma once

#include "platform/FlexGrid.h"
#include "platform/FlexGridView.h"
#include "views/ViewHost.h"

// A shown main grid, as the main window has one (offscreen); zoom windows are not
// used by the benchmarks.
class ShownGridHost : public ViewHost
{
public:
    ShownGridHost()
    {
        view.setGrid(&main);
        view.resize(1000, 700);
        view.show();
    }
    FlexGrid* mainGrid() override { return &main; }
    FlexGrid* newZoomGrid() override { return nullptr; }
    void showZoom(FlexGrid*) override {}

    FlexGrid main;
    FlexGridView view;
};
