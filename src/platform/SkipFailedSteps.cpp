#include "platform/SkipFailedSteps.h"

void SkipFailedSteps::skipped(const std::exception* error) const
{
    if (m_report) {
        m_report(error);
        return;
    }
    if (m_category)
        qCWarning(m_category).noquote() << m_where << "skipped a step:" << (error ? error->what() : "unknown failure");
}
