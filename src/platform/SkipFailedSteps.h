#pragma once

#include <QLoggingCategory>

#include <exception>
#include <utility>

// The rule of the sequences in which every statement is worth trying on its own (a
// view's drawing, a grid's restore, the follow-up steps of a selection, the start):
// a step that throws is skipped, its failure leaves a trace, and the next step runs.
//
//     const SkipFailedSteps step(lcPortfolioViews, "FG_Portfolio");
//     step([&] { g.setRows(2); });
//
// The trace goes to a logging category with the place it happened, or, for the few
// sequences whose failures the user mails to support, to a report function of the
// caller (ErrorLog.txt).
class SkipFailedSteps
{
public:
    using Category = const QLoggingCategory& (*)();
    // error is nullptr when the step threw something that is no std::exception.
    using Report = void (*)(const std::exception* error);

    constexpr SkipFailedSteps(Category category, const char* where) : m_category(category), m_where(where) {}
    constexpr explicit SkipFailedSteps(Report report) : m_report(report) {}

    // Runs step; true when it ran to its end, false when it threw.
    template <typename Step>
    bool operator()(Step&& step) const
    {
        try {
            std::forward<Step>(step)();
            return true;
        } catch (const std::exception& e) {
            skipped(&e);
        } catch (...) {
            skipped(nullptr);
        }
        return false;
    }

private:
    void skipped(const std::exception* error) const;

    Category m_category = nullptr;
    const char* m_where = "";
    Report m_report = nullptr;
};
