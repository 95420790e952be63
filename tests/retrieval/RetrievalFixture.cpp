#include "RetrievalFixture.h"

#include "platform/AppPath.h"
#include "platform/Clock.h"
#include "retrieval/CacheFiles.h"
#include "stockdata/ProgramState.h"

#include <QDir>
#include <QFile>

void RetrievalTest::SetUp()
{
    m_oldAppPath = AppPath();
    SetAppPath(m_home.path());
    ASSERT_TRUE(CreateCacheFolders());
    ResetProgramState();
    test::dialogs().reset();
    server = std::make_unique<test::LoopbackHttpServer>();
    for (Site site : Sites::All())
        Sites::Override(site, test::LoopbackHttpServer::host(), server->port());
    port.state.OrigCaption = QStringLiteral("Tradewright 5.0");
    transports = std::make_unique<Transports>(port);
    transports->setWaitLimitMs(5000);
    transports->Inet1.setRequestTimeout(5);
    downloaders = std::make_unique<Downloaders>(*transports, port);
}

void RetrievalTest::TearDown()
{
    downloaders.reset();
    transports.reset();
    server.reset();
    for (Site site : Sites::All())
        Sites::Override(site, QString(), 0);
    Clock::setFixed(QDateTime());
    ResetProgramState();
    SetAppPath(m_oldAppPath);
}

void RetrievalTest::setStocks(const QStringList& symbols)
{
    for (int i = 0; i < symbols.size(); ++i)
        Stocks()[std::size_t(i)].Symbol = symbols[i];
    StockCount() = std::int16_t(symbols.size());
}

QString RetrievalTest::cachePath(const QString& name) const
{
    return CacheFolder() + name;
}

QByteArray RetrievalTest::readCache(const QString& name) const
{
    QFile f(cachePath(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void RetrievalTest::writeCache(const QString& name, const QByteArray& bytes) const
{
    QFile f(cachePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QString RetrievalTest::requestTarget(int i) const
{
    const QStringList paths = server->requestPaths();
    if (i < 0 || i >= paths.size())
        return QString();
    QString target = paths[i];
    const QString origin = QStringLiteral("http://127.0.0.1:") + QString::number(server->port());
    if (target.startsWith(origin))
        target = target.mid(origin.size());
    return target;
}

QByteArray RetrievalTest::page(int n)
{
    QByteArray body = "<html>";
    body += QByteArray(qMax(0, n - 13), 'x');
    body += "</html>";
    return body.left(n);
}

QByteArray RetrievalTest::rawReply(int n)
{
    QByteArray head = "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n";
    return head + page(n - head.size());
}
