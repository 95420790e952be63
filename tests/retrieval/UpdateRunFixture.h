#pragma once

#include "RetrievalFixture.h"
#include "QtPrint.h"

#include "core/Settings.h"
#include "core/UpdateChoices.h"
#include "platform/RegistryStore.h"
#include "retrieval/RunServicePorts.h"
#include "retrieval/UpdateRun.h"
#include "shell/RealRunServices.h"
#include "views/ViewHost.h"

#include <QStringList>

#include <functional>
#include <initializer_list>
#include <memory>

// The main window's busy frame, task panel, pointer, tree and grid as the run sees
// them; the grid is the installed view host's, as the main window answers.
class RecordingFrame : public UpdateRunPort
{
public:
    QString buttonCaption = QStringLiteral("Update");
    QString picture = QStringLiteral("B1");
    QString trayCaption = QStringLiteral("Update");
    bool groupsEnabled = true;
    bool stocksEnabled = true;
    bool busyPointer = false;
    QStringList buttonCaptions;  // every caption lblDesc(0) was given, in order
    QStringList taskTexts;       // every text Panel1(7) was given
    QList<bool> pointers;
    QStringList selectedNodes;

    QString updateButtonCaption() const override { return buttonCaption; }
    void setUpdateButtonCaption(const QString& text) override
    {
        buttonCaption = text;
        buttonCaptions << text;
    }
    void setUpdateButtonPicture(const QString& resource) override { picture = resource; }
    void setTrayUpdateCaption(const QString& text) override { trayCaption = text; }
    void setGroupsButtonEnabled(bool enabled) override { groupsEnabled = enabled; }
    void setStocksButtonEnabled(bool enabled) override { stocksEnabled = enabled; }
    void setTaskText(const QString& text) override { taskTexts << text; }
    void setBusyPointer(bool busy) override
    {
        busyPointer = busy;
        pointers << busy;
    }
    bool selectStockNode(const QString& symbol) override
    {
        selectedNodes << symbol;
        return true;
    }
    FlexGrid* mainGrid() override { return viewHost().mainGrid(); }

    bool isIdle() const
    {
        return buttonCaption == QLatin1String("Update") && trayCaption == QLatin1String("Update") &&
               picture == QLatin1String("B1") && groupsEnabled && stocksEnabled;
    }
};

// The quote parsers and the mail sender as the run sees them: each call goes to the
// test's script (nothing parsed, no mail sent when there is none), or to the
// program's own parsers and sender once a test asks for them.
class ScriptedQuotes final : public QuoteParsing
{
public:
    QuoteParsing* program = nullptr;
    std::function<void()> loadQuotesCsv;
    std::function<QString(int row)> parseQuote;

    void LoadQuotesCsv() override
    {
        if (program)
            program->LoadQuotesCsv();
        else if (loadQuotesCsv)
            loadQuotesCsv();
    }
    QString ParseQuote(int row) override
    {
        if (program)
            return program->ParseQuote(row);
        return parseQuote ? parseQuote(row) : QString();
    }
    void ParseRecentNews(const QString& symbol, const QString& pageFile, const QString& newsFile) override
    {
        if (program)
            program->ParseRecentNews(symbol, pageFile, newsFile);
    }
    int usParses = 0;  // how often the run asked for the US page to be parsed
    void ParseUS() override
    {
        ++usParses;
        if (program)
            program->ParseUS();
    }
};

class ScriptedMail final : public MailSending
{
public:
    MailSending* program = nullptr;

    MailOutcome SendEmail(const QString& Server, const QString& From, const QString& FromEmail,
                          const QString& ToName, const QString& ToEmail, const QString& Subject,
                          const QString& Body) override
    {
        if (program)
            return program->SendEmail(Server, From, FromEmail, ToName, ToEmail, Subject, Body);
        return MailOutcome{false, QStringLiteral("no mail sender in this test")};
    }
};

// A fresh program folder and settings file, every site on the loopback server, the
// connection check answering "connected" (it does not ask), scripted parsers and
// mail, and the update choices read afresh from the (empty) settings.
class UpdateRunTest : public RetrievalTest
{
protected:
    void SetUp() override
    {
        // A settings file of this test's own, in place before the sites are pointed
        // at the loopback server.
        m_oldStore = RegistryStore::filePath();
        RegistryStore::setFilePath(m_home.path() + QStringLiteral("/config/Orvane/Tradewright5.ini"));
        RegistryStore::createKey(QString::fromLatin1(Settings::ProductKey));
        RetrievalTest::SetUp();
        Settings::SaveSetting(QString::fromLatin1(Settings::Prompt), QStringLiteral("0"));
        updateChoices().unload();
        run = std::make_unique<UpdateRun>(port, frame, *transports, *downloaders, quotes, mail);
        run->Timer1.stop();  // ticks are driven by hand
    }
    void TearDown() override
    {
        run.reset();
        updateChoices().unload();
        RetrievalTest::TearDown();
        RegistryStore::setFilePath(m_oldStore);
    }

    // Ticks exactly the given boxes (in memory, as the Options window holds them).
    static void tickOnly(std::initializer_list<int> items)
    {
        UpdateChoices& choices = updateChoices();
        choices.load();
        for (int n = 0; n < UpdateChoices::Count; ++n)
            choices.setTicked(n, false);
        for (int n : items)
            choices.setTicked(n, true);
    }

    // The request targets received so far, without the loopback origin.
    QStringList targets() const
    {
        QStringList list;
        for (int i = 0; i < server->requestPaths().size(); ++i)
            list << requestTarget(i);
        return list;
    }

    // The program's own quote parsers and mail sender from here on.
    void useProgramServices()
    {
        quotes.program = &m_programQuotes;
        mail.program = &m_programMail;
    }

    RecordingFrame frame;
    ScriptedQuotes quotes;
    ScriptedMail mail;
    std::unique_ptr<UpdateRun> run;
    QString m_oldStore;
    SheetQuoteParsing m_programQuotes;
    SmtpMailSending m_programMail;
};
