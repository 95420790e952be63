#include "Options.h"
#include "core/OptionsHost.h"
#include "core/VersionCheck.h"
#include "core/ErrorLog.h"
#include "platform/RuntimeError.h"

#include "core/Settings.h"
#include "core/UpdateChoices.h"
#include "core/WindowEffects.h"
#include "platform/InputCodes.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace {

// Geometry in pixels (15 twips each).
constexpr int kWindowW = 840;
constexpr int kWindowH = 560;
constexpr int kFrameX = 172;
constexpr int kFrameY = 8;
constexpr int kFrameW = 656;
constexpr int kFrameH = 498;
constexpr int kRow = 22;
constexpr int kFirstRow = 28;
constexpr int kButtonsY = 452;

// The exchange grid: boxes 360, 1080 and 1800 twips from the frame's left, rows
// 240 twips apart, NASDAQ, NYSE, AMEX from left to right.
constexpr int kGridTop = 176;
constexpr int kGridRow = 16;
constexpr int kGridX[3] = {24, 72, 120};

void setTextColour(QWidget* w, const QColor& colour)
{
    QPalette p = w->palette();
    if (p.color(QPalette::WindowText) == colour)
        return;
    p.setColor(QPalette::WindowText, colour);
    p.setColor(QPalette::ButtonText, colour);
    w->setPalette(p);
}

QLabel* label(const QString& text, QWidget* parent, int x, int y, int w = 190, int h = 22)
{
    auto* l = new QLabel(text, parent);
    l->setGeometry(x, y, w, h);
    return l;
}

QLineEdit* textBox(const QString& name, const QString& placeholder, QWidget* parent, QRect r)
{
    auto* t = new QLineEdit(placeholder, parent);
    t->setObjectName(name);
    t->setGeometry(r);
    return t;
}

QCheckBox* checkBox(const QString& name, const QString& caption, QWidget* parent, QRect r)
{
    auto* c = new QCheckBox(caption, parent);
    c->setObjectName(name);
    c->setGeometry(r);
    return c;
}

QPushButton* button(const QString& name, const QString& caption, QWidget* parent, QRect r)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setGeometry(r);
    b->setAutoDefault(false);
    return b;
}

} // namespace

Options::Options(QWidget* owner) : QDialog(owner), m_model(updateChoices())
{
    setObjectName(QStringLiteral("Options"));
    setWindowTitle(QStringLiteral("Options"));
    setModal(true);
    setFixedSize(kWindowW, kWindowH);
    build();
    qApp->installEventFilter(this);
}

Options::~Options()
{
    qApp->removeEventFilter(this);
}

void Options::ShowOptions(QWidget* owner, const std::function<void(QWidget*)>& place)
{
    Options window(owner);
    window.Form_Load();
    if (place)
        place(&window);
    window.exec();
}

void Options::ShowOptionsAt(QWidget* owner, int page, const std::function<void(QWidget*)>& place)
{
    Settings::SaveSetting(Settings::FrmNav, QString::number(page));
    ShowOptions(owner, place);
}

void Options::buildUpdateBox(int n, QWidget* parent, int x, int y, int width)
{
    auto* box = checkBox(QStringLiteral("chkUpdate%1").arg(n), UpdateChoices::item(n).caption,
                         parent, QRect(x, y, width, 20));
    box->setMouseTracking(true);
    box->installEventFilter(this);
    chkUpdate[std::size_t(n)] = box;
    connect(box, &QCheckBox::clicked, this, [this, n](bool checked) {
        m_model.boxes().setTicked(n, checked);
        refresh();
    });
}

void Options::build()
{
    // The page column.
    auto* navTitle = label(QStringLiteral("Options"), this, 14, 10, 150, 24);
    QFont titleFont = navTitle->font();
    titleFont.setBold(true);
    titleFont.setPointSize(titleFont.pointSize() + 2);
    navTitle->setFont(titleFont);
    for (int i = 0; i < OptionsModel::PageCount; ++i) {
        auto* l = label(OptionsModel::pageLabels()[i], this, 14, 48 + i * 34, 150, 24);
        l->setObjectName(QStringLiteral("lblNav%1").arg(i));
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        l->setCursor(Qt::PointingHandCursor);
        l->installEventFilter(this);
        lblNav[std::size_t(i)] = l;

        auto* frame = new QGroupBox(OptionsModel::frameCaptions()[i], this);
        frame->setObjectName(QStringLiteral("Frm%1").arg(i));
        frame->setGeometry(kFrameX, kFrameY, kFrameW, kFrameH);
        frame->setMouseTracking(true);
        frame->installEventFilter(this);
        frame->hide();
        Frm[std::size_t(i)] = frame;
    }

    // Update boxes of the plain pages, in the order of their page lists.
    // The funds page has two columns; the right one holds the longest captions.
    const auto column = [this](UpdatePage page, QGroupBox* frame, int perColumn) {
        const QList<int> items = UpdateChoices::pageItems(page);
        const int x[2] = {16, 314};
        const int width[2] = {perColumn < 20 ? 292 : 620, 334};
        int k = 0;
        for (int n : items) {
            if (UpdateChoices::item(n).column != ExchangeColumn::None)
                continue;
            const int col = std::min(1, k / perColumn);
            buildUpdateBox(n, frame, x[col], kFirstRow + (k % perColumn) * kRow, width[col]);
            ++k;
        }
    };
    column(UpdatePage::DailyConsultation, Frm[0], 20);
    column(UpdatePage::StocksData, Frm[1], 20);
    column(UpdatePage::MarketData, Frm[2], 20);
    column(UpdatePage::Funds, Frm[3], 11);

    // The exchange grid of the Daily Consultation page.
    const char* exchanges[3] = {"AMEX", "NYSE", "NASDAQ"};
    for (int i = 0; i < 3; ++i) {
        // lblExc(2) NASDAQ stands over the left column, lblExc(0) AMEX over the right.
        const int x = kGridX[2 - i] + 7 - 30;  // centred over its column of boxes
        auto* l = label(QString::fromLatin1(exchanges[i]), Frm[0], x, kGridTop - 24, 60, 20);
        l->setObjectName(QStringLiteral("lblExc%1").arg(i));
        l->setAlignment(Qt::AlignCenter);
        QFont f = l->font();
        f.setBold(true);
        f.setPointSize(std::max(6, f.pointSize() - 1));
        l->setFont(f);
        l->setCursor(Qt::PointingHandCursor);
        l->setToolTip(QStringLiteral("Tick or clear the whole column"));
        l->installEventFilter(this);
        lblExc[std::size_t(i)] = l;
    }
    for (const UpdateItem& it : UpdateChoices::items()) {
        if (it.column == ExchangeColumn::None)
            continue;
        // NASDAQ (2) left, NYSE (1) middle, AMEX (0) right with the row's caption.
        const int slot = 2 - static_cast<int>(it.column);
        const int width = it.column == ExchangeColumn::AMEX ? 440 : 18;
        buildUpdateBox(it.index, Frm[0], kGridX[slot], kGridTop + it.gridRow * kGridRow, width);
        chkUpdate[std::size_t(it.index)]->setFixedHeight(kGridRow);
    }

    // Select and clear buttons: (index, caption, page).
    struct Sel
    {
        int index;
        const char* caption;
        int page;
        int x;
    };
    const Sel selects[] = {
        {2, "&Select All", 0, 16}, {3, "C&lear All", 0, 136}, {0, "Select &All", 1, 16}, {1, "C&lear All", 1, 136},
        {5, "Select &All", 2, 16}, {4, "C&lear All", 2, 136}, {7, "Select &All", 3, 16}, {6, "C&lear All", 3, 136},
    };
    for (const Sel& s : selects) {
        auto* b = button(QStringLiteral("cmdSelect%1").arg(s.index), QString::fromLatin1(s.caption),
                         Frm[std::size_t(s.page)], QRect(s.x, kButtonsY, 110, 28));
        cmdSelect[std::size_t(s.index)] = b;
        const int index = s.index;
        connect(b, &QPushButton::clicked, this, [this, index] {
            m_model.cmdSelect_Click(index);
            refresh();
        });
    }

    // Voice.
    label(QStringLiteral("Select Broadcaster:"), Frm[4], 24, 40);
    cobVoice = new QComboBox(Frm[4]);
    cobVoice->setObjectName(QStringLiteral("cobVoice"));
    cobVoice->setGeometry(24, 66, 260, 26);
    cobVoice->addItems(OptionsModel::voiceEntries());
    cobVoice->setCurrentIndex(-1);
    connect(cobVoice, &QComboBox::activated, this, [this](int i) {
        m_model.cobVoice_Click(i);
        refresh();
    });

    // Network.
    chkPrompt = checkBox(QStringLiteral("chkPrompt"), QStringLiteral("Prompt me to dial when connection is neaded"),
                         Frm[5], QRect(24, 32, 420, 22));
    chkPrompt->setChecked(true);
    label(QStringLiteral("News server address:"), Frm[5], 24, 72);
    txtNewsServ = textBox(QStringLiteral("txtNewsServ"), QStringLiteral("Enter News Server"), Frm[5],
                          QRect(24, 94, 320, 24));
    label(QStringLiteral("Email server address:"), Frm[5], 24, 130);
    txtEmailServ = textBox(QStringLiteral("txtEmailServ"), QStringLiteral("Enter Email Server"), Frm[5],
                           QRect(24, 152, 320, 24));
    label(QStringLiteral("Email:"), Frm[5], 24, 188);
    txtEmailAddress = textBox(QStringLiteral("txtEmailAddress"), QStringLiteral("Enter Your Email Address"), Frm[5],
                              QRect(24, 210, 320, 24));
    chkProxy = checkBox(QStringLiteral("chkProxy"), QStringLiteral("Use proxy server:"), Frm[5],
                        QRect(24, 256, 150, 22));
    txtProxy = textBox(QStringLiteral("txtProxy"), QString(), Frm[5], QRect(180, 255, 260, 24));
    txtProxy->setEnabled(false);
    txtProxy->installEventFilter(this);
    connect(chkPrompt, &QCheckBox::clicked, this, [this](bool c) { m_model.setChkPrompt(c); refresh(); });
    connect(chkProxy, &QCheckBox::clicked, this, [this](bool c) { m_model.setChkProxy(c); refresh(); });
    connect(txtNewsServ, &QLineEdit::textEdited, this, [this](const QString& t) { m_model.txtNewsServ = t; });
    connect(txtEmailServ, &QLineEdit::textEdited, this, [this](const QString& t) { m_model.txtEmailServ = t; });
    connect(txtEmailAddress, &QLineEdit::textEdited, this,
            [this](const QString& t) { m_model.txtEmailAddress = t; });
    connect(txtProxy, &QLineEdit::textEdited, this, [this](const QString& t) { m_model.txtProxy = t; });

    // General.
    QWidget* g = Frm[6];
    label(QStringLiteral("Set Splash Delay:"), g, 24, 34);
    Text1 = textBox(QStringLiteral("Text1"), QStringLiteral("5"), g, QRect(220, 32, 60, 24));
    label(QStringLiteral("Set Screen Saver Delay:"), g, 24, 68);
    Text2 = textBox(QStringLiteral("Text2"), QStringLiteral("12"), g, QRect(220, 66, 60, 24));
    Text1->installEventFilter(this);
    Text2->installEventFilter(this);
    ChkNumeric[0] = checkBox(QStringLiteral("ChkNumeric0"), QStringLiteral("Display as fractions"), g,
                             QRect(24, 106, 300, 22));
    ChkNumeric[1] = checkBox(QStringLiteral("ChkNumeric1"), QStringLiteral("Volume in 100's"), g,
                             QRect(24, 132, 300, 22));
    label(QStringLiteral("Select Bar Style:"), g, 24, 174);
    cobStyle = new QComboBox(g);
    cobStyle->setObjectName(QStringLiteral("cobStyle"));
    cobStyle->setGeometry(220, 172, 200, 26);
    cobStyle->addItems(OptionsModel::styleEntries());
    cobStyle->setPlaceholderText(QStringLiteral("Select Bar Color"));
    cobStyle->setCurrentIndex(-1);
    label(QStringLiteral("Update Prices Every:"), g, 24, 210);
    cobSqd = new QComboBox(g);
    cobSqd->setObjectName(QStringLiteral("cobSqd"));
    cobSqd->setGeometry(220, 208, 200, 26);
    cobSqd->addItems(OptionsModel::intervalEntries());
    cobSqd->setPlaceholderText(QStringLiteral("Select Update Option"));
    cobSqd->setCurrentIndex(-1);
    chkShutDown = checkBox(QStringLiteral("chkShutDown"), QStringLiteral("Confirm on exit"), g,
                           QRect(24, 252, 300, 22));
    ChkUS = checkBox(QStringLiteral("ChkUS"), QStringLiteral("US zone (for industry reports)"), g,
                     QRect(24, 278, 300, 22));
    cmdEmpty = button(QStringLiteral("cmdEmpty"), QStringLiteral("&Empty Cache"), g, QRect(24, 330, 150, 30));
    cmdUpgrade = button(QStringLiteral("cmdUpgrade"), QStringLiteral("Check &for Upgrade"), g,
                        QRect(186, 330, 170, 30));
    connect(Text1, &QLineEdit::textEdited, this, [this](const QString& t) { m_model.Text1 = t; });
    connect(Text2, &QLineEdit::textEdited, this, [this](const QString& t) { m_model.Text2 = t; });
    for (int i = 0; i < 2; ++i)
        connect(ChkNumeric[std::size_t(i)], &QCheckBox::clicked, this,
                [this, i](bool c) { m_model.ChkNumeric[std::size_t(i)] = c; });
    connect(chkShutDown, &QCheckBox::clicked, this, [this](bool c) { m_model.setChkShutDown(c); refresh(); });
    connect(ChkUS, &QCheckBox::clicked, this, [this](bool c) { m_model.setChkUS(c); refresh(); });
    connect(cobStyle, &QComboBox::activated, this, [this](int i) {
        m_model.cobStyle_Click(i);
        refresh();
    });
    connect(cobSqd, &QComboBox::activated, this, [this](int i) {
        m_model.cobSqd_Click(i);
        refresh();
    });
    connect(cmdEmpty, &QPushButton::clicked, this, [this] { m_model.cmdEmpty_Click(); });
    connect(cmdUpgrade, &QPushButton::clicked, this, &Options::cmdUpgrade_Click);

    // Outside the pages.
    lblInfo = label(QString(), this, 14, kWindowH - 40, 360, 24);
    lblInfo->setObjectName(QStringLiteral("lblInfo"));
    const int by = kWindowH - 44;
    cmd_OK = button(QStringLiteral("cmd_OK"), QStringLiteral("&OK"), this, QRect(kWindowW - 330, by, 100, 32));
    cmd_cancel = button(QStringLiteral("cmd_cancel"), QStringLiteral("&Cancel"), this,
                        QRect(kWindowW - 222, by, 100, 32));
    cmdHelp = button(QStringLiteral("cmdHelp"), QStringLiteral("&Help"), this, QRect(kWindowW - 114, by, 100, 32));
    cmd_OK->setDefault(true);
    connect(cmd_OK, &QPushButton::clicked, this, [this] {
        if (m_closing)
            return;
        const bool close = m_model.cmd_OK_Click();
        refresh();
        if (close)
            closeRolled();
    });
    connect(cmd_cancel, &QPushButton::clicked, this, &Options::cancel);
    connect(cmdHelp, &QPushButton::clicked, this, [this] { m_model.cmdHelp_Click(); });
}

void Options::Form_Load()
{
    m_model.Form_Load();
    refresh();
}

void Options::refresh()
{
    if (m_refreshing)
        return;
    m_refreshing = true;
    const OptionsModel& m = m_model;
    for (int i = 0; i < OptionsModel::PageCount; ++i) {
        setTextColour(lblNav[std::size_t(i)], m.lblNavColour[std::size_t(i)]);
        Frm[std::size_t(i)]->setVisible(i == m.CurrentPage);
    }
    for (int n = 0; n < UpdateChoices::Count; ++n) {
        QCheckBox* box = chkUpdate[std::size_t(n)];
        const int v = m_model.boxes().value(n);
        box->setCheckState(v == UpdateChoices::Ticked   ? Qt::Checked
                           : v == UpdateChoices::Greyed ? Qt::PartiallyChecked
                                                        : Qt::Unchecked);
        setTextColour(box, m.chkUpdateColour[std::size_t(n)]);
    }
    const auto setText = [](QLineEdit* e, const QString& t) {
        if (e->text() != t)
            e->setText(t);
    };
    setText(Text1, m.Text1);
    setText(Text2, m.Text2);
    setText(txtNewsServ, m.txtNewsServ);
    setText(txtEmailServ, m.txtEmailServ);
    setText(txtEmailAddress, m.txtEmailAddress);
    setText(txtProxy, m.txtProxy);
    txtProxy->setEnabled(m.txtProxyEnabled);
    chkPrompt->setChecked(m.chkPrompt);
    chkProxy->setChecked(m.chkProxy);
    chkShutDown->setChecked(m.chkShutDown);
    ChkUS->setChecked(m.ChkUS);
    ChkNumeric[0]->setChecked(m.ChkNumeric[0]);
    ChkNumeric[1]->setChecked(m.ChkNumeric[1]);
    cobStyle->setCurrentIndex(m.cobStyle);
    cobSqd->setCurrentIndex(m.cobSqd);
    cobVoice->setCurrentIndex(m.cobVoice);
    m_refreshing = false;
}

bool Options::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();

    // The page keys: Alt with D, S, M, F, V, G or N anywhere in the window. They
    // come before the buttons' own Alt keys.
    if (type == QEvent::ShortcutOverride || type == QEvent::KeyPress) {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && w->window() == this) {
            auto* key = static_cast<QKeyEvent*>(event);
            const int shift = input::shiftState(key->modifiers());
            const int code = input::keyCode(key->key());
            if ((shift & input::vbAltMask) && QStringLiteral("DSMFVGN").contains(QChar(code))) {
                if (type == QEvent::KeyPress && m_model.Form_KeyDown(code, shift))
                    refresh();
                event->accept();
                return true;
            }
        }
        return false;
    }

    if (type == QEvent::MouseButtonRelease) {
        for (int i = 0; i < OptionsModel::PageCount; ++i)
            if (watched == lblNav[std::size_t(i)]) {
                m_model.lblNav_Click(i);
                refresh();
                return true;
            }
        for (int i = 0; i < 3; ++i)
            if (watched == lblExc[std::size_t(i)]) {
                m_model.lblExc_Click(i);
                refresh();
                return true;
            }
        return false;
    }

    if (type == QEvent::MouseMove) {
        for (int i = 0; i < OptionsModel::PageCount; ++i)
            if (watched == Frm[std::size_t(i)]) {
                m_model.Frm_MouseMove(i);
                refresh();
                return false;
            }
        auto* box = qobject_cast<QCheckBox*>(watched);
        if (box && box->objectName().startsWith(QLatin1String("chkUpdate"))) {
            m_model.chkUpdate_MouseMove(box->objectName().mid(9).toInt());
            refresh();
        }
        return false;
    }

    if (type == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Switching to another program or opening a menu is not leaving the box.
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason || m_inGuard)
            return false;
        if (watched == Text1 || watched == Text2) {
            m_inGuard = true;
            if (watched == Text1)
                m_model.Text1_LostFocus();
            else
                m_model.Text2_LostFocus();
            m_inGuard = false;
            refresh();
        } else if (watched == txtProxy) {
            m_model.txtProxy_LostFocus();
        }
        return false;
    }
    return false;
}

void Options::cmdUpgrade_Click()
{
    if (m_closing)
        return;
    VersionCheck::Result result = VersionCheck::Result::Failed;
    try {
        VersionCheck check;
        lblInfo->setText(QStringLiteral("Checking Tradewright Updates"));
        result = check.Run();
    } catch (const RuntimeError& e) {
        LogError(e, QStringLiteral("cmdUpgrade_Click"));
    }
    lblInfo->clear();
    // The window may have been closed while the check waited.
    if (result != VersionCheck::Result::Upgrade || m_closing)
        return;
    m_closing = true;
    QDialog::done(QDialog::Rejected);
    if (OptionsHost* host = optionsHost())
        host->showUpgradeWindow();
}

void Options::closeRolled()
{
    if (m_closing)
        return;
    m_closing = true;
    RollWindow(this, 25);
    QCoreApplication::processEvents();
    QDialog::done(QDialog::Accepted);
    QCoreApplication::processEvents();
}

void Options::cancel()
{
    if (m_closing)
        return;
    m_model.cmd_cancel_Click();
    closeRolled();
}

void Options::reject()
{
    if (m_closing) {
        QDialog::reject();
        return;
    }
    cancel();
}
