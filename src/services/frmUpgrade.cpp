#include "services/frmUpgrade.h"

#include "core/Misc.h"
#include "core/Options.h"
#include "core/OptionsHost.h"
#include "core/WindowEffects.h"
#include "platform/Sites.h"
#include "platform/WindowPlacement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>

namespace {

constexpr int kWidth = 470;
constexpr int kHalf = 190;

const char* const kAnnouncement = "Orvane is pleased to announced the new version of Tradewright.";

} // namespace

frmUpgrade::frmUpgrade(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_halfHeight(kHalf)
{
    setObjectName(QStringLiteral("frmUpgrade"));
    setWindowTitle(QStringLiteral("Tradewright Upgrade"));
    setMouseTracking(true);
    resize(kWidth, kHalf);

    Label1 = new QLabel(QString::fromLatin1(kAnnouncement), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setGeometry(16, 12, kWidth - 32, 40);
    const char* const captions[] = {"Start Download", "Get More Information", "Take Me To Download Area", "Close"};
    for (int i = 0; i < 4; ++i) {
        auto* link = new QLabel(QString::fromLatin1(captions[i]), this);
        link->setObjectName(QStringLiteral("lblNav%1").arg(i));
        link->setGeometry(32, 60 + i * 28, 260, 24);
        link->setCursor(Qt::PointingHandCursor);
        link->setMouseTracking(true);
        link->installEventFilter(this);
        lblNav[std::size_t(i)] = link;
    }
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(300, 60, kWidth - 316, 24);
    Label3 = new QLabel(this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setGeometry(300, 88, kWidth - 316, 24);
    Label4 = new QLabel(this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setGeometry(300, 116, kWidth - 316, 24);
    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    Text1->setGeometry(16, kHalf, kWidth - 32, kHalf - 16);
    paintLinks(-1);

    connect(&m_ftp, &FtpDownload::changed, this, &frmUpgrade::refresh);
    connect(&m_ftp, &FtpDownload::finished, this, [this](bool) {
        QApplication::restoreOverrideCursor();
        CloseForm();
    });
    refresh();
}

frmUpgrade::~frmUpgrade() = default;

frmUpgrade& frmUpgrade::Instance()
{
    static QPointer<frmUpgrade> instance;
    if (!instance) {
        instance = new frmUpgrade;
        instance->setAttribute(Qt::WA_DeleteOnClose);
    }
    return *instance;
}

void frmUpgrade::refresh()
{
    if (m_ftp.BytesReceived > 0)
        Label1->setText(m_ftp.Label1);
    Label2->setText(m_ftp.Label2);
    Label3->setText(m_ftp.Label3);
    if (Text1->toPlainText() != m_ftp.Text1)
        Text1->setPlainText(m_ftp.Text1);
    lblNav[0]->setEnabled(m_ftp.StartEnabled);
}

void frmUpgrade::paintLinks(int red)
{
    for (int i = 0; i < 4; ++i)
        lblNav[std::size_t(i)]->setStyleSheet(i == red ? QStringLiteral("color: rgb(255,0,0)")
                                                       : QStringLiteral("color: rgb(0,0,255)"));
}

bool frmUpgrade::eventFilter(QObject* watched, QEvent* event)
{
    for (int i = 0; i < 4; ++i) {
        if (watched != lblNav[std::size_t(i)])
            continue;
        if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter)
            paintLinks(i);
        else if (event->type() == QEvent::MouseButtonRelease && lblNav[std::size_t(i)]->isEnabled())
            lblNav_Click(i);
    }
    return QWidget::eventFilter(watched, event);
}

void frmUpgrade::mouseMoveEvent(QMouseEvent* event)
{
    paintLinks(-1);
    QWidget::mouseMoveEvent(event);
}

void frmUpgrade::StartDownload()
{
    resize(width(), m_halfHeight * 2);
    // Grown downwards, it stays on the screen.
    KeepOnScreen(*this);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool started = m_ftp.StartDownload();
    refresh();
    if (!started)
        QApplication::restoreOverrideCursor();
}

void frmUpgrade::lblNav_Click(int Index)
{
    switch (Index) {
    case 0:
        StartDownload();
        break;
    case 1:
        OpenURL(Sites::Address(Site::Maker, QStringLiteral("/tradewright.htm")));
        CloseForm();
        break;
    case 2:
        OpenURL(Sites::Address(Site::Maker, QStringLiteral("/tradewright.htm#download")));
        CloseForm();
        break;
    case 3: {
        QWidget* owner = optionsHost() ? optionsHost()->mainWindowWidget() : nullptr;
        CloseForm();
        Options::ShowOptions(owner);
        break;
    }
    default:
        CloseForm();
        break;
    }
}

void frmUpgrade::CloseForm()
{
    if (m_ftp.busy())
        QApplication::restoreOverrideCursor();
    m_ftp.Abort();
    RollWindow(this, 25);
    QCoreApplication::processEvents();
    close();
}

void frmUpgrade::closeEvent(QCloseEvent* event)
{
    // Closing mid-transfer ends both connections and drops the partial file.
    if (m_ftp.busy())
        QApplication::restoreOverrideCursor();
    m_ftp.Abort();
    QWidget::closeEvent(event);
}
