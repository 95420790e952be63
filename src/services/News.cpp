#include "services/News.h"

#include "core/Settings.h"
#include "core/Utilities.h"
#include "core/WindowEffects.h"
#include "core/clsFormResize.h"
#include "platform/Dialogs.h"
#include "platform/FlexGrid.h"
#include "platform/FlexGridView.h"
#include "stockdata/ProgramState.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>

namespace {

constexpr int kTwips = 15;
constexpr int kW = 640;
constexpr int kH = 480;
constexpr int kFrameTop = 40;
constexpr int kFrameH = 360;
constexpr int kListW = 150;  // the article list, left of the grid and the body

QPushButton* button(const QString& name, const QString& caption, QWidget* parent, const QRect& r)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setGeometry(r);
    return b;
}

} // namespace

News::News(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_grid(new FlexGrid(this))
    , m_resize(std::make_unique<clsFormResize>())
{
    setObjectName(QStringLiteral("News"));
    setWindowTitle(QStringLiteral("Tradewright Deruvu Reader"));
    resize(kW, kH);

    const char* const tabs[] = {"Groups", "Messages", "Options"};
    for (int i = 0; i < 3; ++i) {
        auto* tab = new QLabel(QString::fromLatin1(tabs[i]), this);
        tab->setObjectName(QStringLiteral("lblNav%1").arg(i));
        tab->setGeometry(12 + i * 100, 10, 90, 24);
        tab->setCursor(Qt::PointingHandCursor);
        tab->installEventFilter(this);
        lblNav[std::size_t(i)] = tab;
        auto* frame = new QGroupBox(QString::fromLatin1(tabs[i]), this);
        frame->setObjectName(QStringLiteral("Frm%1").arg(i));
        frame->setGeometry(8, kFrameTop, kW - 16, kFrameH);
        Frm[std::size_t(i)] = frame;
    }

    // Groups.
    List1 = new QListWidget(Frm[0]);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setGeometry(12, 24, 400, kFrameH - 36);
    const int bx = 424, bw = kW - 16 - bx - 12;
    cmdAdd = button(QStringLiteral("cmdAdd"), QStringLiteral("Add Group"), Frm[0], QRect(bx, 24, bw, 30));
    cmdRemove = button(QStringLiteral("cmdRemove"), QStringLiteral("Remove Group"), Frm[0], QRect(bx, 60, bw, 30));
    cmdListGroup = button(QStringLiteral("cmdListGroup"), QStringLiteral("List Group"), Frm[0], QRect(bx, 96, bw, 30));
    cmdServerList =
        button(QStringLiteral("cmdServerList"), QStringLiteral("Server List"), Frm[0], QRect(bx, 132, bw, 30));
    cmdSave = button(QStringLiteral("cmdSave"), QStringLiteral("Save List"), Frm[0], QRect(bx, 168, bw, 30));
    cmdLocal = button(QStringLiteral("cmdLocal"), QStringLiteral("Local List"), Frm[0], QRect(bx, 204, bw, 30));

    // Messages.
    FGView = new FlexGridView(Frm[1]);
    FGView->setObjectName(QStringLiteral("FG"));
    FGView->setGrid(m_grid);
    FGView->setToolTip(QStringLiteral("Click On Header To View Message"));
    Split = new QFrame(Frm[1]);
    Split->setObjectName(QStringLiteral("Split"));
    Split->setFrameShape(QFrame::HLine);
    Split->setCursor(Qt::SizeVerCursor);
    Split->setAutoFillBackground(true);
    Split->installEventFilter(this);
    Text2 = new QPlainTextEdit(Frm[1]);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setReadOnly(true);
    List2 = new QListWidget(Frm[1]);
    List2->setObjectName(QStringLiteral("List2"));
    List2->setGeometry(12, 20, kListW, kFrameH - 32);
    List2->setToolTip(QStringLiteral("Click On Header To View Message"));

    // Options.
    auto* prompt = new QLabel(QStringLiteral("Enter News Server Name:"), Frm[2]);
    prompt->setGeometry(16, 32, 220, 24);
    txtServer = new QLineEdit(Frm[2]);
    txtServer->setObjectName(QStringLiteral("txtServer"));
    txtServer->setGeometry(16, 60, 300, 26);
    cmdApply = button(QStringLiteral("cmdApply"), QStringLiteral("&Apply"), Frm[2], QRect(328, 58, 100, 30));
    cmdApply->setEnabled(false);

    const int cy = kFrameTop + kFrameH + 8;
    cmdConnect = button(QStringLiteral("cmdConnect"), QStringLiteral("Connect"), this, QRect(12, cy, 110, 30));
    cmdDisconnect =
        button(QStringLiteral("cmdDisconnect"), QStringLiteral("Disconnect"), this, QRect(130, cy, 110, 30));
    cmdClose = button(QStringLiteral("cmdClose"), QStringLiteral("Exit"), this, QRect(kW - 122, cy, 110, 30));
    for (QPushButton* b : {cmdConnect, cmdDisconnect, cmdClose})
        b->setFlat(true);
    cmdDisconnect->setEnabled(false);
    StatusBar1 = new QLabel(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFrameShape(QFrame::StyledPanel);
    StatusBar1->setGeometry(0, kH - 26, kW, 26);

    connect(cmdAdd, &QPushButton::clicked, this, &News::cmdAdd_Click);
    connect(cmdRemove, &QPushButton::clicked, this, &News::cmdRemove_Click);
    connect(cmdListGroup, &QPushButton::clicked, this, &News::cmdListGroup_Click);
    connect(cmdServerList, &QPushButton::clicked, this, &News::cmdServerList_Click);
    connect(cmdSave, &QPushButton::clicked, this, &News::cmdSave_Click);
    connect(cmdLocal, &QPushButton::clicked, this, &News::cmdLocal_Click);
    connect(cmdConnect, &QPushButton::clicked, this, &News::cmdConnect_Click);
    connect(cmdDisconnect, &QPushButton::clicked, this, &News::cmdDisconnect_Click);
    connect(cmdClose, &QPushButton::clicked, this, &News::cmdclose_Click);
    connect(cmdApply, &QPushButton::clicked, this, &News::cmdApply_Click);
    connect(txtServer, &QLineEdit::textChanged, this, [this] { cmdApply->setEnabled(true); });
    connect(List1, &QListWidget::itemDoubleClicked, this, &News::List1_DblClick);
    connect(List2, &QListWidget::itemClicked, this, &News::List2_Click);
    connect(FGView, &FlexGridView::Click, this, &News::FG_Click);
    connect(FGView, &FlexGridView::DblClick, this, &News::FG_DblClick);

    connect(&m_session, &NntpSession::statusChanged, this, &News::status);
    connect(&m_session, &NntpSession::groupsAdded, this, [this](const QStringList& groups) {
        List1->addItems(groups);
    });
    connect(&m_session, &NntpSession::articlesCleared, List2, &QListWidget::clear);
    connect(&m_session, &NntpSession::articleAdded, this, [this](const QString& line) { List2->addItem(line); });
    connect(&m_session, &NntpSession::headerRow, this, [this](const QStringList& cells) {
        m_grid->AddItem(cells.join(QLatin1Char('\t')));
    });
    connect(&m_session, &NntpSession::bodyChanged, Text2, &QPlainTextEdit::setPlainText);
    connect(&m_session, &NntpSession::beep, this, [] { QApplication::beep(); });
    connect(&m_session, &NntpSession::connectedChanged, this, [this](bool up) {
        for (QPushButton* b : {cmdListGroup, cmdServerList, cmdSave, cmdLocal})
            b->setEnabled(up || b == cmdLocal || b == cmdServerList);
        if (!up)
            setConnectedButtons(false);
    });
    connect(&m_session, &NntpSession::hostNotFound, this, [this] { setConnectedButtons(false); });

    Form_Load();
}

News::~News() = default;

News& News::Instance()
{
    static QPointer<News> instance;
    if (!instance) {
        instance = new News;
        instance->setAttribute(Qt::WA_DeleteOnClose);
    }
    return *instance;
}

void News::Form_Load()
{
    cmdListGroup->setEnabled(false);
    cmdSave->setEnabled(false);
    m_session.NewsState = QStringLiteral("None");
    m_session.NewsBuffer.clear();
    m_session.NewsConnected = false;
    lblNav_Click(0);
    m_session.NewsServer = Settings::GetSetting(QStringLiteral("NewsServer"));
    ResetGrid();
    layoutMessages();
    cmdLocal_Click();
    m_resize->setSourceForm(this);
}

void News::status(const QString& text)
{
    StatusBar1->setText(text);
}

void News::setConnectedButtons(bool connected)
{
    cmdConnect->setEnabled(!connected);
    cmdDisconnect->setEnabled(connected);
}

void News::lblNav_Click(int Index)
{
    if (Index < 0 || Index > 2)
        return;
    for (int i = 0; i < 3; ++i) {
        lblNav[std::size_t(i)]->setStyleSheet(QStringLiteral("color: rgb(0,0,255)"));
        Frm[std::size_t(i)]->hide();
    }
    Frm[std::size_t(Index)]->show();
    lblNav[std::size_t(Index)]->setStyleSheet(QStringLiteral("color: rgb(255,0,0)"));
    if (Index == 2) {
        const bool enabled = cmdApply->isEnabled();
        txtServer->setText(m_session.NewsServer);
        cmdApply->setEnabled(enabled);
    }
    m_tab = Index;
}

void News::cmdConnect_Click()
{
    if (m_session.NewsConnected) {
        status(QStringLiteral("Already connected : ") + m_session.NewsServer);
    } else if (m_session.NewsServer.isEmpty()) {
        lblNav_Click(2);
    } else {
        setConnectedButtons(true);
        m_session.Connect();
    }
}

void News::cmdDisconnect_Click()
{
    if (!m_session.NewsConnected)
        return;
    setConnectedButtons(false);
    m_session.Disconnect();
}

void News::cmdclose_Click()
{
    m_closing = true;
    cmdDisconnect_Click();
    QCoreApplication::processEvents();
    RollWindow(this, 25);
    close();
    QCoreApplication::processEvents();
}

void News::cmdApply_Click()
{
    m_session.NewsServer = txtServer->text();
    lblNav_Click(0);
    Settings::SaveSetting(QStringLiteral("NewsServer"), txtServer->text());
    cmdApply->setEnabled(false);
}

void News::cmdAdd_Click()
{
    const QString name = Dialogs::InputBox(QStringLiteral("Inset new Group"), QStringLiteral("Add Group"));
    if (name.isEmpty())
        return;
    List1->addItem(name);
    cmdSave->setEnabled(true);
}

void News::cmdRemove_Click()
{
    const int row = List1->currentRow();
    if (row < 0 || !List1->currentItem() || !List1->currentItem()->isSelected())
        return;  // nothing selected: nothing happens
    delete List1->takeItem(row);
    cmdSave->setEnabled(true);
}

void News::cmdServerList_Click()
{
    const int answer = Dialogs::MsgBox(
        QStringLiteral("This action will load all groups from the server.\r\nIt's might take time. We recommended "
                       "using the local list instead.\r\nAre you sure that you want to use server list?"),
        Dialogs::vbYesNo + Dialogs::vbDefaultButton2 + Dialogs::vbExclamation, QStringLiteral("Load All Groups?"));
    if (answer != Dialogs::vbYes)
        return;
    if (!m_session.NewsConnected)
        status(QStringLiteral("To get a list from the server you must connect to news server."));
    else
        m_session.List();
}

void News::cmdSave_Click()
{
    if (m_session.NewsConnected && m_session.NewsState == QLatin1String("LIST")) {
        status(QStringLiteral("Can Not save List Until, Server Lists Ends"));
    } else {
        QStringList groups;
        for (int i = 0; i < List1->count(); ++i)
            groups << List1->item(i)->text();
        NewsReader::SaveServerList(groups);
        if (!m_session.NewsConnected)
            status(QStringLiteral("Must Connect to News Server"));
    }
    cmdSave->setEnabled(false);
}

void News::cmdLocal_Click()
{
    bool exists = false;
    const QStringList groups = NewsReader::LoadServerList(&exists);
    if (!exists)
        return;
    status(QStringLiteral("Getting list from file"));
    List1->clear();
    List1->addItems(groups);
    status(QStringLiteral("Finished getting list."));
    QApplication::beep();
}

void News::sendGroup()
{
    lblNav_Click(1);
    const QListWidgetItem* item = List1->currentItem();
    m_session.Group(item ? item->text() : QString());
}

void News::cmdListGroup_Click()
{
    if (!m_session.NewsConnected) {
        status(QStringLiteral("Must Connect to News Server"));
        return;
    }
    sendGroup();
}

void News::List1_DblClick()
{
    if (!m_session.NewsConnected)
        status(QStringLiteral("You have to connect to the news server."));
    else
        sendGroup();
    ResetGrid();
}

void News::ResetGrid()
{
    FlexGrid& g = *m_grid;
    g.Clear();
    g.setRows(2);
    g.setCols(6);
    SetHeaders(g, {QString(), QStringLiteral("Subject"), QStringLiteral("Date"), QStringLiteral("From"),
                   QStringLiteral("Lines"), QStringLiteral("ID")});
    SetColWidths(g, {3, 58, 15, 15, 8, 0});
    for (int c = 1; c <= 3; ++c)
        g.setColAlignment(c, FlexGrid::flexAlignLeftCenter);
    for (int c = 4; c <= 5; ++c)
        g.setColAlignment(c, FlexGrid::flexAlignCenterCenter);
    g.setRowHeight(1, 0);
}

void News::FG_Click()
{
    const int row = m_grid->Row();
    if (row < 1 || row >= m_grid->Rows() || m_grid->TextMatrix(row, 5).isEmpty())
        return;  // the header row or the empty row under it
    m_session.Body(m_grid->TextMatrix(row, 5));
}

void News::FG_DblClick()
{
    SortAsc() = SortAsc() == FlexGrid::flexSortGenericAscending ? FlexGrid::flexSortGenericDescending
                                                                 : FlexGrid::flexSortGenericAscending;
    m_grid->setSort(SortAsc());
}

void News::List2_Click()
{
    const QListWidgetItem* item = List2->currentItem();
    if (item)
        m_session.Body(NntpSession::ArticleNumber(item->text()));
}

void News::layoutMessages()
{
    // Geometry of the Messages frame in twips; the bar starts in the middle.
    const int frameH = Frm[1]->height() * kTwips;
    const int top = Split->y() > 0 ? Split->y() * kTwips : frameH / 2;
    dropSplitter(top);
}

void News::dropSplitter(int top)
{
    const int frameH = Frm[1]->height() * kTwips;
    const int barTop = NewsReader::SplitterTop(top, frameH);
    // The grid, the bar and the body take the frame right of the article list.
    const int left = List2->x() + List2->width() + 8;
    const int width = std::max(0, Frm[1]->width() - 12 - left);
    Split->setGeometry(left, barTop / kTwips, width, 4);
    Text2->setGeometry(left, (barTop + 30) / kTwips, width, std::max(0, (frameH - 100 - barTop) / kTwips));
    FGView->setGeometry(left, 20, width, std::max(0, (barTop - 230) / kTwips));
    m_grid->setWidth(width * kTwips);
    SetColWidths(*m_grid, {3, 58, 15, 15, 8, 0});
}

bool News::eventFilter(QObject* watched, QEvent* event)
{
    for (int i = 0; i < 3; ++i)
        if (watched == lblNav[std::size_t(i)] && event->type() == QEvent::MouseButtonRelease)
            lblNav_Click(i);
    const bool mouseEvent = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseMove
                            || event->type() == QEvent::MouseButtonRelease;
    if (watched == Split && mouseEvent) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (event->type() == QEvent::MouseButtonPress) {
            if (mouse->button() == Qt::LeftButton) {
                Split->setStyleSheet(QStringLiteral("background: black"));
                m_dragOrigin = int(mouse->position().y());
            } else {
                m_dragOrigin = 2147483647;
            }
        } else if (event->type() == QEvent::MouseMove && m_dragOrigin != 2147483647) {
            const int y = int(mouse->position().y());
            if (y != m_dragOrigin)
                Split->move(Split->x(), Split->y() + y);
        } else if (event->type() == QEvent::MouseButtonRelease) {
            m_dragOrigin = 2147483647;
            Split->setStyleSheet(QString());
            dropSplitter(Split->y() * kTwips);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void News::keyPressEvent(QKeyEvent* event)
{
    const bool alt = event->modifiers() & Qt::AltModifier;
    switch (event->key()) {
    case Qt::Key_G: if (alt) lblNav_Click(0); break;
    case Qt::Key_M: if (alt) lblNav_Click(1); break;
    case Qt::Key_O: if (alt) lblNav_Click(2); break;
    case Qt::Key_C: if (alt) cmdConnect_Click(); break;
    case Qt::Key_D: if (alt) cmdDisconnect_Click(); break;
    case Qt::Key_X: if (alt) cmdclose_Click(); break;
    case Qt::Key_Escape: cmdclose_Click(); break;
    default: QWidget::keyPressEvent(event); return;
    }
}

void News::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!m_closing && m_resize->SourceForm())
        m_resize->ScaleControls();
}

void News::closeEvent(QCloseEvent* event)
{
    m_closing = true;
    if (m_session.NewsConnected)
        m_session.Disconnect();
    QWidget::closeEvent(event);
}
