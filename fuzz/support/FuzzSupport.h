#pragma once

// What every fuzz target shares: a Qt application object, a throw-away program
// folder and settings file, no dialog that waits for a person, and one way to
// report a broken promise (an abort, which libFuzzer keeps as a finding). The
// support defines LLVMFuzzerInitialize, which sets all this up once; a target
// defines LLVMFuzzerTestOneInput only.

#include "platform/AppPath.h"
#include "platform/Codec.h"
#include "platform/FlexGrid.h"
#include "views/ViewHost.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace fuzz {

// The input as the Windows-1252 bytes every file of the program holds.
QByteArray bytes(const std::uint8_t* data, std::size_t size);

// Writes a whole file, or stops the run: a target that cannot lay out its input
// proves nothing.
void writeFile(const QString& path, const QByteArray& content);

// A promise the code under test broke: stops here, so the input is kept.
void check(bool ok, const char* what);

// Parsers that fail log to the program folder's error log; a long run would
// otherwise grow it without end.
void trimErrorLog();

// Grids without windows for running views: the main grid, and zoom grids that are
// dropped when the next one is made; `shown` is the zoom grid shown last.
class PlainHost final : public ViewHost
{
public:
    FlexGrid* mainGrid() override { return &m_main; }
    FlexGrid* newZoomGrid() override
    {
        m_zoom = std::make_unique<FlexGrid>();
        return m_zoom.get();
    }
    void showZoom(FlexGrid* grid) override { shown = grid; }
    void discardZoom(FlexGrid*) override {}

    FlexGrid* shown = nullptr;

private:
    FlexGrid m_main;
    std::unique_ptr<FlexGrid> m_zoom;
};

} // namespace fuzz
