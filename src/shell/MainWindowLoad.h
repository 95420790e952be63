#pragma once

#include <QString>
#include <QVariant>

#include <optional>

class StockSets;
class UpdateRun;
class UrlFetch;

// The main window's load without its widgets: the steps LoadData (and Form_Load)
// take between their own on the skin, the set menu, the strip and the splash. Each
// reads what the last run stored; a damaged number counts as missing and is written
// to ErrorLog.txt under the load's tag, so the start always goes on to its end.
class MainWindowLoad
{
public:
    static const QString LoadDataTag;  // "frmMain_LoadData"
    static const QString FormLoadTag;  // "frmMain_Form_Load"

    explicit MainWindowLoad(StockSets& sets) : m_sets(sets) {}

    // Every folder of the page cache below AppPath that is missing, parents first.
    void makeCacheFolders();
    // Fractions and Volume as stored (invalid when missing): FractionsOpt, VolumeOpt.
    void readDisplayOptions();
    // The set of the last run (LastGroup, 0..20; set 0 when missing or damaged) made
    // current for the whole program.
    void openLastSet();
    // The fetch transport's access: a named proxy (Proxy) when ProxyE is 1, else direct.
    static void applyProxy(UrlFetch& inet);
    // Minutes between automatic updates (AutoUpdate, 0..32767; 0 when missing or damaged).
    static void readAutoUpdate(UpdateRun& run);
    // The saved column layout (LayOut.dat); layoutLoaded says whether it could be read,
    // for a layout that could not be read is never written back empty at the quit.
    void loadLayout();
    // The splitter between tree and grid where the last run left it (LastTreePos):
    // nullopt when none is stored, fallback when what is stored is no number.
    static std::optional<int> lastTreePos(int fallback);

    QVariant FractionsOpt;
    QVariant VolumeOpt;
    bool layoutLoaded = false;

private:
    StockSets& m_sets;
};
