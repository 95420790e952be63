// The news client's reply handler: the input chooses the commands awaited (a group
// list, a group walk, a body) and where the server's bytes are cut into arrivals.
// However the bytes are cut, the handler announces the same groups, articles, grid
// rows, bodies and status texts and sends the same commands as when they come in one
// piece, and it holds no more of an unfinished line than the cap allows.
//
// Seeds: tests/fixtures/news/*.txt

#include "FuzzSupport.h"

#include "services/NntpSession.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QStringList>

namespace {

// Everything the session announces, in order, as one list of texts.
struct Record
{
    QStringList events;

    void attach(NntpSession& s)
    {
        QObject::connect(&s, &NntpSession::groupsAdded, [this](const QStringList& g) {
            for (const QString& name : g)
                events << QStringLiteral("group ") + name;
        });
        QObject::connect(&s, &NntpSession::articleAdded, [this](const QString& a) { events << "article " + a; });
        QObject::connect(&s, &NntpSession::articlesCleared, [this] { events << QStringLiteral("clear"); });
        QObject::connect(&s, &NntpSession::headerRow, [this](const QStringList& r) { events << "row " + r.join('\t'); });
        QObject::connect(&s, &NntpSession::bodyChanged, [this](const QString& b) { events << "body " + b; });
        QObject::connect(&s, &NntpSession::statusChanged, [this](const QString& t) { events << "status " + t; });
        QObject::connect(&s, &NntpSession::commandSent, [this](const QString& c) {
            fuzz::check(!c.contains(u'\r') && !c.contains(u'\n') && !c.contains(QChar(0)),
                        "no command carries a line break");
            events << "sent " + c;
        });
    }
};

// A session as if connected, awaiting the commands chosen by mode.
void prime(NntpSession& s, int mode, const QString& argument)
{
    s.NewsConnected = true;  // the socket is not open: what is sent goes nowhere
    if (mode & 1)
        s.List();
    if (mode & 2)
        s.Group(argument);
    if (mode & 4)
        s.Body(argument);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    const int mode = provider.ConsumeIntegralInRange<int>(0, 7);
    const std::size_t cuts = provider.ConsumeIntegralInRange<std::size_t>(0, 16);
    std::vector<std::size_t> pieces;
    for (std::size_t i = 0; i < cuts; ++i)
        pieces.push_back(provider.ConsumeIntegralInRange<std::size_t>(0, 64));
    const QString argument = QString::fromLatin1(provider.ConsumeRandomLengthString(16).c_str());
    const std::vector<std::uint8_t> rest = provider.ConsumeRemainingBytes<std::uint8_t>();
    const QByteArray stream = fuzz::bytes(rest.data(), rest.size());

    NntpSession whole;
    Record expected;
    expected.attach(whole);
    prime(whole, mode, argument);
    whole.handleData(stream);

    NntpSession cut;
    Record got;
    got.attach(cut);
    prime(cut, mode, argument);
    qsizetype at = 0;
    for (std::size_t piece : pieces) {
        cut.handleData(stream.mid(at, static_cast<qsizetype>(piece)));
        at += static_cast<qsizetype>(piece);
        // The cap counts a line without its CR LF: a CR that may come before the LF is held too.
        fuzz::check(cut.NewsBuffer.size() <= NntpSession::MaxLineBytes + 1, "an unfinished line stays under the cap");
    }
    cut.handleData(stream.mid(at));

    if (stream.size() <= NntpSession::MaxLineBytes)
        fuzz::check(got.events == expected.events, "the handler does not depend on how the bytes were cut");
    fuzz::check(cut.NewsBuffer == whole.NewsBuffer || stream.size() > NntpSession::MaxLineBytes,
                "the same unfinished line is held");
    return 0;
}
