// The TCP socket against a server on 127.0.0.1: the order of its events, the bytes
// both ways, the states, a refused connection, and listening for a connection.
#include "LoopbackHttpServer.h"

#include "platform/Socket.h"

#include <QTcpSocket>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Everything a socket reports, in order.
struct Recorder
{
    QStringList events;
    QByteArray data;
    QList<int> errors;
    QList<int> statesAtEvents;

    explicit Recorder(Socket& s)
    {
        QObject::connect(&s, &Socket::Connected, [this, &s] {
            events << "connect";
            statesAtEvents << s.State();
        });
        QObject::connect(&s, &Socket::DataArrival, [this, &s](qint64 total) {
            events << "data";
            EXPECT_EQ(total, s.BytesReceived());
            QByteArray chunk;
            s.GetData(chunk);
            data += chunk;
        });
        QObject::connect(&s, &Socket::Closed, [this, &s] {
            events << "close";
            statesAtEvents << s.State();
        });
        QObject::connect(&s, &Socket::Error, [this, &s](int number, const QString& description) {
            events << "error";
            errors << number;
            statesAtEvents << s.State();
            EXPECT_FALSE(description.isEmpty());
        });
    }
};

QByteArray allBytes()
{
    QByteArray b;
    for (int i = 1; i < 256; ++i)
        b += char(i);
    return b;
}

} // namespace

TEST(Socket, FetchesAPageWithEventsInOrder)
{
    test::LoopbackHttpServer server;
    const QByteArray reply = "HTTP/1.0 200 OK\r\n\r\n" + allBytes();
    server.setRawReply("/q", reply);

    Socket socket;
    Recorder rec(socket);
    QObject::connect(&socket, &Socket::Connected, [&] {
        socket.SendData(QStringLiteral("GET http://quotes.example/q?s=ibm HTTP/1.0\r\nAccept: */*\r\n\r\n"));
    });
    socket.setRemoteHost(server.host());
    socket.setRemotePort(server.port());
    EXPECT_EQ(socket.State(), Socket::sckClosed);
    ASSERT_TRUE(socket.Connect());
    EXPECT_NE(socket.State(), Socket::sckClosed);
    EXPECT_FALSE(socket.Connect());  // only a closed socket connects

    ASSERT_TRUE(QTest::qWaitFor([&] { return rec.events.contains("close"); }, 5000));
    EXPECT_EQ(rec.events.first(), "connect");
    EXPECT_EQ(rec.events.last(), "close");
    EXPECT_EQ(rec.events.count("error"), 0);
    EXPECT_EQ(rec.statesAtEvents, (QList<int>{Socket::sckConnected, Socket::sckClosing}));
    EXPECT_EQ(rec.data, reply);
    EXPECT_EQ(server.lastRequest(), QByteArray("GET http://quotes.example/q?s=ibm HTTP/1.0\r\nAccept: */*\r\n\r\n"));

    EXPECT_EQ(socket.State(), Socket::sckClosing);
    socket.Close();
    EXPECT_EQ(socket.State(), Socket::sckClosed);
}

TEST(Socket, TextGoesOutAndComesBackOneBytePerCharacter)
{
    test::LoopbackHttpServer server;
    server.setRawReply("/t", "caf\xe9 \x80 \x9f");
    Socket socket;
    QString received;
    bool closed = false;
    QObject::connect(&socket, &Socket::Connected, [&] { socket.SendData(QString::fromUtf8("GET /t HTTP/1.0 \u00e9\u20ac\r\n\r\n")); });
    QObject::connect(&socket, &Socket::DataArrival, [&](qint64) {
        QString part;
        socket.GetData(part);
        received += part;
    });
    QObject::connect(&socket, &Socket::Closed, [&] { closed = true; socket.Close(); });
    ASSERT_TRUE(socket.Connect(server.host(), server.port()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return closed; }, 5000));
    EXPECT_EQ(server.lastRequest(), QByteArray("GET /t HTTP/1.0 \xe9\x80\r\n\r\n"));
    EXPECT_EQ(received, QString::fromUtf8("caf\u00e9 \u20ac \u0178"));
    EXPECT_EQ(socket.State(), Socket::sckClosed);
}

TEST(Socket, ServerClosingWithoutReplyStillRaisesClose)
{
    test::LoopbackHttpServer server;
    server.setBehaviour("/x", test::LoopbackHttpServer::Behaviour::CloseWithoutReply);
    Socket socket;
    Recorder rec(socket);
    QObject::connect(&socket, &Socket::Connected, [&] { socket.SendData(QByteArray("GET /x HTTP/1.0\r\n\r\n")); });
    socket.Connect(server.host(), server.port());
    ASSERT_TRUE(QTest::qWaitFor([&] { return rec.events.contains("close"); }, 5000));
    EXPECT_EQ(rec.events, (QStringList{"connect", "close"}));
    EXPECT_TRUE(rec.data.isEmpty());
}

TEST(Socket, RefusedConnectionRaisesErrorAndCloseEndsIt)
{
    Socket socket;
    Recorder rec(socket);
    socket.setRemoteHost(QStringLiteral("127.0.0.1"));
    socket.setRemotePort(test::LoopbackHttpServer::unusedPort());
    ASSERT_TRUE(socket.Connect());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !rec.errors.isEmpty(); }, 5000));
    EXPECT_EQ(rec.errors, QList<int>{Socket::sckConnectionRefused});
    EXPECT_EQ(socket.State(), Socket::sckError);
    EXPECT_EQ(rec.events, QStringList{"error"});

    socket.Close();
    EXPECT_EQ(socket.State(), Socket::sckClosed);
    QTest::qWait(50);
    EXPECT_EQ(rec.events, QStringList{"error"});  // nothing after the close
}

TEST(Socket, UnusableAddressIsAnErrorEventNotAnException)
{
    Socket socket;
    Recorder rec(socket);
    ASSERT_TRUE(socket.Connect(QString(), 80));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !rec.errors.isEmpty(); }, 5000));
    EXPECT_EQ(socket.State(), Socket::sckError);
    socket.Close();
    ASSERT_TRUE(socket.Connect(QStringLiteral("127.0.0.1"), 0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return rec.errors.size() == 2; }, 5000));
}

TEST(Socket, CloseWhileWaitingDropsTheConnectionSilently)
{
    test::LoopbackHttpServer server;
    server.setBehaviour("/slow", test::LoopbackHttpServer::Behaviour::NeverAnswer);
    Socket socket;
    Recorder rec(socket);
    QObject::connect(&socket, &Socket::Connected, [&] { socket.SendData(QByteArray("GET /slow HTTP/1.0\r\n\r\n")); });
    socket.Connect(server.host(), server.port());
    ASSERT_TRUE(server.waitForRequests(1));
    socket.Close();
    EXPECT_EQ(socket.State(), Socket::sckClosed);
    QTest::qWait(50);
    EXPECT_EQ(rec.events, QStringList{"connect"});

    // The same object connects again afterwards.
    server.setRawReply("/again", "HTTP/1.0 200 OK\r\n\r\nok");
    QObject::disconnect(&socket, &Socket::Connected, nullptr, nullptr);
    QObject::connect(&socket, &Socket::Connected, [&] { socket.SendData(QByteArray("GET /again HTTP/1.0\r\n\r\n")); });
    rec.data.clear();
    QObject::connect(&socket, &Socket::DataArrival, [&](qint64) {
        QByteArray b;
        socket.GetData(b);
        rec.data += b;
    });
    ASSERT_TRUE(socket.Connect());
    ASSERT_TRUE(QTest::qWaitFor([&] { return socket.State() == Socket::sckClosing; }, 5000));
    EXPECT_TRUE(rec.data.endsWith("ok"));
}

TEST(Socket, ListensAndAcceptsAConnectionOnAnotherSocket)
{
    QObject owner;
    auto* listener = new Socket(&owner);
    auto* data = new Socket(&owner);
    qintptr request = -1;
    QObject::connect(listener, &Socket::ConnectionRequest, [&](qintptr id) { request = id; });
    Recorder rec(*data);

    listener->setLocalPort(0);
    ASSERT_TRUE(listener->Listen());
    EXPECT_EQ(listener->State(), Socket::sckListening);
    ASSERT_GT(listener->LocalPort(), 0);
    EXPECT_FALSE(listener->LocalIP().isEmpty());

    QTcpSocket peer;
    peer.connectToHost(QStringLiteral("127.0.0.1"), quint16(listener->LocalPort()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return request != -1; }, 5000));
    ASSERT_TRUE(data->Accept(request));
    EXPECT_EQ(data->State(), Socket::sckConnected);
    EXPECT_EQ(data->RemoteHostIP(), "127.0.0.1");

    peer.write("archive bytes");
    ASSERT_TRUE(QTest::qWaitFor([&] { return rec.data == "archive bytes"; }, 5000));
    peer.disconnectFromHost();
    ASSERT_TRUE(QTest::qWaitFor([&] { return rec.events.contains("close"); }, 5000));
    data->Close();
    listener->Close();
    EXPECT_EQ(listener->State(), Socket::sckClosed);
}

TEST(Socket, ListenOnAPortInUseReportsAnError)
{
    test::LoopbackHttpServer server;  // holds a port on 127.0.0.1
    Socket socket;
    Recorder rec(socket);
    socket.setLocalPort(server.port());
    // Listening on all addresses collides with the server's port.
    if (socket.Listen()) {
        socket.Close();
        GTEST_SKIP() << "this system lets two sockets share the port";
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return !rec.errors.isEmpty(); }, 5000));
    EXPECT_EQ(rec.errors.first(), Socket::sckAddressInUse);
}

TEST(Socket, AcceptAfterThePeerSentAndClosedStillDeliversBoth)
{
    // The upgrade download's way: the listening socket closes and accepts the request itself.
    Socket listener;
    qintptr request = -1;
    QObject::connect(&listener, &Socket::ConnectionRequest, [&](qintptr id) { request = id; });
    Recorder rec(listener);
    ASSERT_TRUE(listener.Listen());

    QTcpSocket peer;
    peer.connectToHost(QStringLiteral("127.0.0.1"), quint16(listener.LocalPort()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return request != -1; }, 5000));
    peer.write("early");
    peer.disconnectFromHost();
    QTest::qWait(100);  // the data and the close arrive before anyone accepts

    listener.Close();  // stops listening; the request still waits
    EXPECT_EQ(listener.State(), Socket::sckClosed);
    ASSERT_TRUE(listener.Accept(request));
    ASSERT_TRUE(QTest::qWaitFor([&] { return rec.events.contains("close"); }, 5000));
    EXPECT_EQ(rec.data, QByteArray("early"));
    EXPECT_EQ(rec.events, (QStringList{"data", "close"}));
}
