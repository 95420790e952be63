#pragma once

#include <QByteArray>
#include <QFile>

#include <sys/resource.h>

namespace test {

// How far the process's resident memory rises above where it stood at construction,
// at its highest, in KiB. Where the system lets a process reset its recorded peak
// (/proc/self/clear_refs), the peak is reset first and the measure is exact;
// elsewhere it is the rise of the lifetime peak (getrusage), which reads low, never
// high, when the process was bigger before. Either way a bound on it fails only
// when the code measured needs more than the bound.
class PeakMemory
{
public:
    PeakMemory()
    {
        QFile clear(QStringLiteral("/proc/self/clear_refs"));
        m_reset = clear.open(QIODevice::WriteOnly) && clear.write("5") == 1 && clear.flush();
        m_start = m_reset ? statusKiB("VmRSS:") : lifetimePeakKiB();
        if (m_reset && m_start < 0) {
            m_reset = false;
            m_start = lifetimePeakKiB();
        }
    }

    long growthKiB() const
    {
        const long peak = m_reset ? statusKiB("VmHWM:") : lifetimePeakKiB();
        return peak > m_start ? peak - m_start : 0;
    }

private:
    static long lifetimePeakKiB()
    {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        return usage.ru_maxrss;
    }

    // A "Name:   123 kB" line of /proc/self/status; -1 when there is none.
    static long statusKiB(const char* name)
    {
        QFile status(QStringLiteral("/proc/self/status"));
        if (!status.open(QIODevice::ReadOnly))
            return -1;
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith(name))
                return line.mid(qsizetype(qstrlen(name))).trimmed().split(' ').value(0).toLong();
        }
        return -1;
    }

    bool m_reset = false;
    long m_start = 0;
};

} // namespace test
