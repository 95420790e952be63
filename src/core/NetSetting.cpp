#include "core/NetSetting.h"

#include "core/SplashProgress.h"
#include "core/WindowEffects.h"
#include "platform/WindowPlacement.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

int g_initDelayMs = 2000;

QPointer<NetSetting>& netInstance()
{
    static QPointer<NetSetting> w;
    return w;
}

} // namespace

void NetSetting::SetInitDelay(int ms)
{
    g_initDelayMs = ms < 0 ? 0 : ms;
}

NetSetting* NetSetting::instance()
{
    return netInstance();
}

NetSetting::NetSetting(std::function<void()> afterClose)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint)
    , m_afterClose(std::move(afterClose))
{
    setObjectName(QStringLiteral("NetSetting"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Tradewright Setting"));
    netInstance() = this;

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(16, 16, 16, 12);
    outer->setSpacing(10);

    auto* intro = new QLabel(QStringLiteral("Tradewright uses these servers to send your mail and read the newsgroups."),
                             this);
    intro->setWordWrap(true);
    outer->addWidget(intro);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    Label1 = new QLabel(QStringLiteral("Enter your Email server (e.g. mail.example.com):"), this);
    Label2 = new QLabel(QStringLiteral("Enter your news server (e.g. news.example.com):"), this);
    Label3 = new QLabel(QStringLiteral("Enter your Email address (e.g. you@example.com):"), this);
    QLabel* const labels[] = {Label1, Label2, Label3};
    for (int i = 0; i < 3; ++i) {
        txtData[i] = new QLineEdit(this);
        txtData[i]->setObjectName(QStringLiteral("txtData%1").arg(i));
        txtData[i]->setMinimumWidth(220);
        grid->addWidget(labels[i], i, 0);
        grid->addWidget(txtData[i], i, 1);
    }
    outer->addLayout(grid);

    Check1 = new QCheckBox(QStringLiteral("Prompt me to dial when connection is neaded"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    outer->addWidget(Check1);

    auto* proxyRow = new QHBoxLayout;
    chkProxy = new QCheckBox(QStringLiteral("Use proxy server:"), this);
    chkProxy->setObjectName(QStringLiteral("chkProxy"));
    txtProxy = new QLineEdit(this);
    txtProxy->setObjectName(QStringLiteral("txtProxy"));
    txtProxy->setPlaceholderText(QStringLiteral("host:port"));
    proxyRow->addWidget(chkProxy);
    proxyRow->addWidget(txtProxy, 1);
    outer->addLayout(proxyRow);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    cmdclose = new QPushButton(QStringLiteral("&Close"), this);
    cmdclose->setObjectName(QStringLiteral("cmdclose"));
    cmdclose->setDefault(true);
    buttons->addWidget(cmdclose);
    outer->addLayout(buttons);

    txtProxy->setEnabled(false);

    // clicked, not toggled: filling the boxes at load writes nothing.
    connect(Check1, &QCheckBox::clicked, this, [this] { Check1_Click(); });
    connect(chkProxy, &QCheckBox::clicked, this, [this] { chkProxy_Click(); });
    connect(cmdclose, &QPushButton::clicked, this, [this] { cmdclose_Click(); });
}

NetSetting::~NetSetting()
{
    if (netInstance() == this)
        netInstance() = nullptr;
}

void NetSetting::ShowFirstRun()
{
    QPointer<NetSetting> self(this);
    init([self] {
        if (!self)
            return;
        self->adjustSize();
        CentreOnScreen(*self);
        self->show();
        self->raise();
        self->activateWindow();
    });
}

void NetSetting::init(std::function<void()> then)
{
    // The splash stays on screen a little longer before this window replaces it.
    QTimer::singleShot(g_initDelayMs, this, [this, then] {
        closeSplash();  // unloads on the next turn of the loop, after `then` showed us
        fill(NetSettingStore::Load());
        NetSettingStore::MarkFirstRunDone();
        if (then)
            then();
    });
}

void NetSetting::fill(const NetSettingStore::Values& v)
{
    txtData[1]->setText(v.newsServer);
    txtData[0]->setText(v.emailServer);
    txtData[2]->setText(v.email);
    Check1->setChecked(v.prompt);
    chkProxy->setChecked(v.proxyE);
    txtProxy->setText(v.proxy);
    txtProxy->setEnabled(v.proxyE);
}

NetSettingStore::Values NetSetting::values() const
{
    NetSettingStore::Values v;
    v.emailServer = txtData[0]->text();
    v.newsServer = txtData[1]->text();
    v.email = txtData[2]->text();
    v.prompt = Check1->isChecked();
    v.proxyE = chkProxy->isChecked();
    v.proxy = txtProxy->text();
    return v;
}

void NetSetting::Check1_Click()
{
    NetSettingStore::StorePrompt(Check1->isChecked());
}

void NetSetting::chkProxy_Click()
{
    txtProxy->setEnabled(chkProxy->isChecked());
    NetSettingStore::StoreProxyE(chkProxy->isChecked());
}

void NetSetting::cmdclose_Click()
{
    if (m_closing)
        return;
    m_closing = true;
    NetSettingStore::StoreOnClose(values());
    QPointer<NetSetting> self(this);
    auto afterClose = m_afterClose;
    RollWindow(this, 25);
    // The questionnaire shows before this window goes, so the program is never
    // left without a window in between.
    if (afterClose)
        afterClose();
    if (self)
        self->close();
}
