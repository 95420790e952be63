#include "services/frmSupport.h"

#include "services/LabelButtons.h"
#include "services/frmEmail.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QVBoxLayout>

#include <type_traits>

namespace {

const char* const kCaption = "Tradewright Technical Support ";

template <std::size_t N>
QButtonGroup* makeGroup(QWidget* parent, std::array<QRadioButton*, N>& buttons, const char* name,
                        std::array<const char*, N> captions, QHBoxLayout* row)
{
    auto* group = new QButtonGroup(parent);
    for (std::size_t i = 0; i < N; ++i) {
        buttons[i] = new QRadioButton(QString::fromLatin1(captions[i]), parent);
        buttons[i]->setObjectName(QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i));
        group->addButton(buttons[i], int(i));
        row->addWidget(buttons[i]);
    }
    row->addStretch(1);
    return group;
}

QLabel* question(QWidget* parent, const char* text)
{
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

frmSupport::frmSupport(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSupport"));
    setWindowTitle(QString::fromLatin1(kCaption));
    setModal(true);
    setMouseTracking(true);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(16, 12, 16, 10);
    outer->setSpacing(8);

    auto* heading = new QLabel(QString::fromLatin1(kCaption), this);
    QFont big = heading->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    heading->setFont(big);
    heading->setStyleSheet(QStringLiteral("color: #1a3f80;"));
    outer->addWidget(heading);
    auto* intro = new QLabel(
        QStringLiteral(" If you have any questions, feel free to ask. Just click and submit for a prompt reply."), this);
    intro->setWordWrap(true);
    outer->addWidget(intro);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    int row = 0;
    const auto addRow = [&](const char* text, auto* control) {
        grid->addWidget(question(this, text), row, 0);
        if constexpr (std::is_base_of_v<QLayout, std::remove_pointer_t<decltype(control)>>)
            grid->addLayout(control, row++, 1);
        else
            grid->addWidget(control, row++, 1);
    };
    const auto lineBox = [this](const char* name) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QString::fromLatin1(name));
        return box;
    };
    txtName = lineBox("txtName");
    addRow("Name:", txtName);
    txtEmail = lineBox("txtEmail");
    addRow("E-Mail:", txtEmail);
    cboSystem = new QComboBox(this);
    cboSystem->setObjectName(QStringLiteral("cboSystem"));
    addRow("Which operating system are you using:", cboSystem);

    auto* connectRow = new QHBoxLayout;
    m_connect = makeGroup<3>(this, optConnect, "optConnect", {"Network", "Modem", "Don't Know"}, connectRow);
    addRow("How do you connect to the Internet ?", connectRow);
    auto* proxyRow = new QHBoxLayout;
    m_proxy = makeGroup<3>(this, optProxy, "optProxy", {"Yes", "No", "Don't Know"}, proxyRow);
    addRow("Are you connecting through a proxy server?", proxyRow);
    auto* errorRow = new QHBoxLayout;
    m_error = makeGroup<2>(this, optError, "optError", {"Yes", "No"}, errorRow);
    addRow("Did you get an error message?", errorRow);
    txtError = lineBox("txtError");
    addRow("If yes, what exactly did it say", txtError);
    grid->setColumnStretch(1, 1);
    grid->setColumnMinimumWidth(1, 300);
    outer->addLayout(grid);

    outer->addWidget(question(this, "Please describe your problem being as specific as possible:"));
    txtDesc = new QPlainTextEdit(this);
    txtDesc->setObjectName(QStringLiteral("txtDesc"));
    txtDesc->setMinimumHeight(110);
    outer->addWidget(txtDesc, 1);
    chkError = new QCheckBox(QStringLiteral("Send Error Log"), this);
    chkError->setObjectName(QStringLiteral("chkError"));
    outer->addWidget(chkError);

    // The three label buttons; Shape1 frames the one under the pointer.
    auto* bar = new QWidget(this);
    bar->setFixedHeight(34);
    auto* barRow = new QHBoxLayout(bar);
    barRow->setContentsMargins(0, 0, 0, 0);
    barRow->setSpacing(12);
    barRow->addStretch(1);
    auto* buttons = new LabelButtons(bar, 3, this);
    Shape1 = buttons->shape();
    const char* captions[] = {"Exit", "Submit", "Reset"};
    for (int i = 0; i < 3; ++i) {
        Panel1[std::size_t(i)] = buttons->add(QString::fromLatin1(captions[i]), QStringLiteral("Panel1(%1)").arg(i),
                                              QSize(80, 28));
        barRow->addWidget(Panel1[std::size_t(i)]);
    }
    connect(buttons, &LabelButtons::clicked, this, &frmSupport::Panel1_Click);
    outer->addWidget(bar);

    connect(m_connect, &QButtonGroup::idClicked, this, [this](int id) { m_engine.optConnect_Click(id); });
    connect(m_proxy, &QButtonGroup::idClicked, this, [this](int id) { m_engine.optProxy_Click(id); });
    connect(m_error, &QButtonGroup::idClicked, this, [this](int id) { m_engine.optError_Click(id); });

    Form_Load();
}

void frmSupport::Form_Load()
{
    cboSystem->clear();
    cboSystem->addItems(SupportRequest::Systems());
    m_engine.Form_Load();
    showFields();
}

void frmSupport::showFields()
{
    txtName->setText(m_engine.txtName);
    txtEmail->setText(m_engine.txtEmail);
    txtError->setText(m_engine.txtError);
    if (txtDesc->toPlainText() != m_engine.txtDesc)
        txtDesc->setPlainText(m_engine.txtDesc);
    cboSystem->setCurrentIndex(m_engine.cboSystem);
    optConnect[std::size_t(m_engine.optConnect)]->setChecked(true);
    optProxy[std::size_t(m_engine.optProxy)]->setChecked(true);
    optError[std::size_t(m_engine.optError)]->setChecked(true);
    chkError->setChecked(m_engine.chkError);
}

void frmSupport::takeFields()
{
    m_engine.txtName = txtName->text();
    m_engine.txtEmail = txtEmail->text();
    m_engine.txtError = txtError->text();
    // The box keeps line breaks as LF; the mail text uses CR LF throughout.
    m_engine.txtDesc = txtDesc->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    m_engine.cboSystem = cboSystem->currentIndex();
    m_engine.chkError = chkError->isChecked();
}

void frmSupport::Reset()
{
    takeFields();
    m_engine.Reset();
    showFields();
}

void frmSupport::SendData()
{
    if (m_closing)
        return;
    takeFields();
    QPointer<frmSupport> self(this);
    const SupportRequest::SubmitOutcome outcome = m_engine.SendData();
    if (!self)
        return;
    if (outcome == SupportRequest::SubmitOutcome::Ignored)
        return;
    // The address the request went out from (typed, stored or asked for) shows in its box.
    txtEmail->setText(m_engine.txtEmail);
    if (outcome == SupportRequest::SubmitOutcome::Sent)
        CloseForm();
}

void frmSupport::CloseForm()
{
    RollMailWindowClosed(this, m_closing);
}

void frmSupport::Panel1_Click(int Index)
{
    switch (Index) {
    case 0:
        CloseForm();
        break;
    case 1:
        SendData();
        break;
    case 2:
        Reset();
        break;
    default:
        break;
    }
}

bool frmSupport::Form_KeyDown(int KeyCode, Qt::KeyboardModifiers Shift)
{
    const bool alt = Shift & Qt::AltModifier;
    if (KeyCode == Qt::Key_Escape || (alt && KeyCode == Qt::Key_X))
        Panel1_Click(0);
    else if (alt && KeyCode == Qt::Key_S)
        Panel1_Click(1);
    else if (alt && KeyCode == Qt::Key_R)
        Panel1_Click(2);
    else
        return false;
    return true;
}

void frmSupport::keyPressEvent(QKeyEvent* event)
{
    if (Form_KeyDown(event->key(), event->modifiers()))
        event->accept();
    else
        QDialog::keyPressEvent(event);
}

void frmSupport::mouseMoveEvent(QMouseEvent* event)
{
    Shape1->hide();
    QDialog::mouseMoveEvent(event);
}
