#pragma once

#include "reports/SummarySections.h"

#include <QString>

#include <array>

// What the summary chooser does, without its widgets: the nineteen check-box
// values (0, 1, or 2 for a grayed box), the stored choice "SummaryOpt", the
// empty-choice check and the build.
class SummaryChoice
{
public:
    static constexpr int kBoxes = summary::FlagCount;

    // The caption of chk(i), as the window shows it.
    static QString Caption(int i);
    // The ticks used when nothing is stored: all but the slow sections and Short Interest.
    static std::array<int, kBoxes> InitialTicks();

    SummaryChoice();

    int value(int i) const { return m_chk[static_cast<std::size_t>(i)]; }
    void setValue(int i, int v) { m_chk[static_cast<std::size_t>(i)] = v; }

    // Sets the boxes from the stored value: one character between two commas per
    // box; a character other than 0, 1 or 2, or a box beyond the last, is skipped.
    void LoadOptions();
    // ",v0,v1,...,v18," in the settings store.
    void SaveOptions() const;
    // true when a box holds a value; else ticks Profile and says so.
    bool CheckOptions();
    // The values as GanarateHTML's flags (its parameter order: Split History, chk(16),
    // comes eleventh).
    summary::Flags flags() const;

    // Generate: false when nothing was chosen (the window stays open); otherwise the
    // choice is stored, the page built, and true (the window closes). An error of
    // the build is logged.
    bool cndGenerate_Click(summary::Progress& progress);

    // The note label's text before a build.
    static QString NoteText();

private:
    std::array<int, kBoxes> m_chk;
};
