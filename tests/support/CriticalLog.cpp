#include "CriticalLog.h"

#include <QtGlobal>

namespace test {

namespace {

CriticalLog* g_log = nullptr;
QtMessageHandler g_previous = nullptr;

void collect(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtCriticalMsg && g_log) {
        g_log->messages << QString::fromLatin1(context.category ? context.category : "default") +
                               QStringLiteral(": ") + text;
        return;
    }
    if (g_previous)
        g_previous(type, context, text);
}

} // namespace

CriticalLog::CriticalLog()
{
    g_log = this;
    g_previous = qInstallMessageHandler(collect);
}

CriticalLog::~CriticalLog()
{
    qInstallMessageHandler(g_previous);
    g_previous = nullptr;
    g_log = nullptr;
}

} // namespace test
