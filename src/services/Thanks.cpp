#include "services/Thanks.h"

#include "core/ErrorLog.h"
#include "core/Settings.h"
#include "core/WindowEffects.h"
#include "platform/RuntimeError.h"
#include "platform/WindowPlacement.h"
#include "stockdata/Portfolio.h"
#include "stockdata/Stocks.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include <exception>

namespace {

QPointer<Thanks>& thanksInstance()
{
    static QPointer<Thanks> w;
    return w;
}


void logFailure(const std::exception& e, const QString& tag)
{
    if (const auto* re = dynamic_cast<const RuntimeError*>(&e))
        LogError(*re, tag, false);
    else
        LogError(QString::fromLocal8Bit(e.what()), 0.0f, QStringLiteral("Tradewright"), tag, false);
}

QComboBox* makeList(QWidget* parent, const char* name)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setMaxVisibleItems(16);
    return box;
}

} // namespace

Thanks* Thanks::ShowThanks()
{
    Thanks* w = thanksInstance();
    if (!w || w->m_unloading) {
        w = new Thanks;
        w->adjustSize();
        CentreOnScreen(*w);
    }
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}

Thanks* Thanks::instance()
{
    Thanks* w = thanksInstance();
    return (w && !w->m_unloading) ? w : nullptr;
}

ThanksEvents& Thanks::events()
{
    static ThanksEvents events;
    return events;
}

Thanks::Thanks()
    : QWidget(nullptr, Qt::Window)
{
    setObjectName(QStringLiteral("Thanks"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Thank You"));
    thanksInstance() = this;

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(16, 14, 16, 12);
    outer->setSpacing(8);

    Label7 = new QLabel(QStringLiteral("Thank you for choosing Tradewright. The fastest and smarter way to collect "
                                       "finance information from the web"),
                        this);
    Label7->setObjectName(QStringLiteral("Label7"));
    Label7->setWordWrap(true);
    QFont big = Label7->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.15);
    Label7->setFont(big);
    outer->addWidget(Label7);

    Label8 = new QLabel(QStringLiteral("In order to better serve you and help us keep Tradewright up-to-date, Please "
                                       "answer these few questions:"),
                        this);
    Label8->setObjectName(QStringLiteral("Label8"));
    Label8->setWordWrap(true);
    outer->addWidget(Label8);

    auto* body = new QHBoxLayout;
    body->setSpacing(16);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);

    cboGroup = makeList(this, "cboGroup");
    cboGender = makeList(this, "cboGender");
    cboCountry = makeList(this, "cboCountry");
    txtZip = new QLineEdit(this);
    txtZip->setObjectName(QStringLiteral("txtZip"));
    cboPar = makeList(this, "cboPar");
    cboWhere = makeList(this, "cboWhere");

    const std::pair<const char*, QWidget*> questions[] = {
        {"What is your age group?", cboGroup},
        {"What is your gender?", cboGender},
        {"What country you live in?", cboCountry},
        {"Zip Code?", txtZip},
        {"Have you purchased anything on the Internet before?", cboPar},
        {"Where did you hear about us? ", cboWhere},
    };
    int row = 0;
    for (const auto& [question, control] : questions) {
        grid->addWidget(new QLabel(QString::fromLatin1(question), this), row, 0);
        grid->addWidget(control, row, 1);
        ++row;
    }
    grid->addWidget(new QLabel(QStringLiteral("Comments:"), this), row, 0, Qt::AlignTop);
    txtComments = new QPlainTextEdit(this);
    txtComments->setObjectName(QStringLiteral("txtComments"));
    txtComments->setFixedHeight(72);
    grid->addWidget(txtComments, row, 1);
    grid->setColumnMinimumWidth(1, 230);
    body->addLayout(grid, 1);

    auto* side = new QVBoxLayout;
    Text2 = new QPlainTextEdit(this);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setReadOnly(true);
    Text2->setPlainText(QStringLiteral("The information you provide will be \nheld in strict confidence.\nFor more "
                                       "information, please see our \nInternet privacy policy\n"));
    Text2->setFixedSize(280, 96);
    Text2->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text2->setFrameShape(QFrame::NoFrame);
    Text2->setStyleSheet(QStringLiteral("background: transparent; color: #404040;"));
    side->addWidget(Text2);
    Label6 = new QLabel(QStringLiteral("Private Policy"), this);
    Label6->setObjectName(QStringLiteral("Label6"));
    Label6->setStyleSheet(QStringLiteral("color: #1a4fa0; text-decoration: underline;"));
    side->addWidget(Label6);
    side->addStretch(1);
    body->addLayout(side);
    outer->addLayout(body);

    // Holds the user's address while the message is built; never shown.
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setVisible(false);

    auto* bottom = new QHBoxLayout;
    chkPrompt = new QCheckBox(QStringLiteral("Don't Show this massage anymore."), this);
    chkPrompt->setObjectName(QStringLiteral("chkPrompt"));
    bottom->addWidget(chkPrompt);
    bottom->addStretch(1);
    cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setDefault(true);
    bottom->addWidget(cmdClose);
    outer->addLayout(bottom);

    // Every change of the box is stored, the one made by the load included.
    connect(chkPrompt, &QCheckBox::toggled, this, [this] { chkPrompt_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdclose_Click(); });

    Form_Load();
}

Thanks::~Thanks()
{
    if (thanksInstance() == this)
        thanksInstance() = nullptr;
}

void Thanks::Form_Load()
{
    try {
        const QString stored = Settings::GetSetting(QString::fromLatin1(Settings::Thanks));
        chkPrompt->setChecked(ThanksFeedback::PromptTicked(stored));
        const std::pair<QComboBox*, const QStringList*> lists[] = {
            {cboGroup, &ThanksFeedback::AgeGroups()},   {cboGender, &ThanksFeedback::Genders()},
            {cboPar, &ThanksFeedback::Purchases()},     {cboCountry, &ThanksFeedback::Countries()},
            {cboWhere, &ThanksFeedback::WhereHeard()},
        };
        for (const auto& [box, items] : lists) {
            box->addItems(*items);
            box->setCurrentIndex(-1);  // nothing chosen until the user picks
        }
    } catch (const std::exception& e) {
        logFailure(e, QStringLiteral("Thanks_Form_Load"));
    }
}

void Thanks::chkPrompt_Click()
{
    Settings::SaveSetting(QString::fromLatin1(Settings::Thanks),
                          chkPrompt->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
}

ThanksFeedback::Answers Thanks::answers() const
{
    ThanksFeedback::Answers a;
    a.group = cboGroup->currentText();
    a.gender = cboGender->currentText();
    a.country = cboCountry->currentText();
    a.zip = txtZip->text();
    a.par = cboPar->currentText();
    a.where = cboWhere->currentText();
    // The box keeps line breaks as LF; the mail text uses CR LF throughout.
    a.comments = txtComments->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return a;
}

bool Thanks::SendData()
{
    try {
        QString email;
        const bool queued = ThanksFeedback::SendData(answers(), &email);
        if (queued)
            Text1->setText(email);
        return queued;
    } catch (const std::exception& e) {
        logFailure(e, QStringLiteral("Thanks_SendData"));
        return false;
    }
}

void Thanks::queueLoadAndShow()
{
    SendData();
    QCoreApplication::processEvents();
    LoadPortfolio();
    QCoreApplication::processEvents();
    // The main window shows (or comes to the front) before this one goes.
    emit events().mainWindowWanted();
    QCoreApplication::processEvents();
}

void Thanks::cmdclose_Click()
{
    if (m_closing || m_unloading)
        return;
    m_closing = true;
    try {
        queueLoadAndShow();
    } catch (const std::exception& e) {
        logFailure(e, QStringLiteral("Thanks_cmdclose_Click"));
        m_closing = false;
        return;
    }
    QPointer<Thanks> self(this);
    RollWindow(this, 25);
    if (self) {
        self->m_unloading = true;
        self->close();
    }
    reloadSet();
}

void Thanks::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (m_unloading || m_closing) {
        // Unloading at the end of the close sequence, or the frame closed the
        // window while it rolled up: the sequence finishes without it.
        m_unloading = true;
        return;
    }
    // The window frame's close does the Close button's work (without the roll),
    // so the answers are queued and the main window opens: the program never goes
    // on with no window.
    m_unloading = true;
    try {
        queueLoadAndShow();
    } catch (const std::exception& e) {
        logFailure(e, QStringLiteral("Thanks_cmdclose_Click"));
        return;
    }
    reloadSet();
}

void Thanks::reloadSet()
{
    try {
        ReadStocks();
        QCoreApplication::processEvents();
    } catch (const std::exception& e) {
        logFailure(e, QStringLiteral("Thanks_cmdclose_Click"));
    }
}
