#include "GRP.h"

#include "core/ClsManip.h"
#include "core/WindowEffects.h"
#include "platform/AppPath.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSlider>

namespace {

QPointer<GRP> g_instance;

// The picture box is 5085 x 2205 twips.
constexpr int kPictW = 339;
constexpr int kPictH = 147;

bool running(const ClsManip* manip)
{
    return manip && manip->IsPlay() == QLatin1String("False");
}

} // namespace

QString GRP::PictureFile()
{
    const QString local = AppPath() + QStringLiteral("\\dollar.gif");
    if (FileExists(local))
        return local;
    return QStringLiteral(":/dollar.gif");
}

GRP::GRP(QWidget* owner) : QWidget(owner, Qt::Window)
{
    setObjectName(QStringLiteral("GRP"));
    setWindowTitle(QStringLiteral("Relax"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(kPictW + 60, kPictH + 56);

    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(8, 8, kPictW, kPictH);
    Picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Picture1->hide();
    Pictbox = new QLabel(this);
    Pictbox->setObjectName(QStringLiteral("Pictbox"));
    Pictbox->setGeometry(8, 8, kPictW, kPictH);
    Pictbox->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Pictbox->setFrameShape(QFrame::Box);

    Slider1 = new QSlider(Qt::Vertical, this);
    Slider1->setObjectName(QStringLiteral("Slider1"));
    Slider1->setGeometry(kPictW + 20, 8, 30, kPictH);
    Slider1->setRange(1, 10);
    Slider1->setValue(1);
    Slider1->setTickPosition(QSlider::TicksRight);
    Slider1->setToolTip(QStringLiteral("Speed"));

    Command1 = new QPushButton(QStringLiteral("Start"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(8, kPictH + 18, 90, 28);
    cmdClose = new QPushButton(QStringLiteral("E&xit"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setToolTip(QStringLiteral("Close"));
    cmdClose->setGeometry(106, kPictH + 18, 90, 28);
    Text1 = new QLineEdit(QStringLiteral("0.4"), this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(kPictW - 52, kPictH + 20, 60, 24);

    // Form_Load.
    m_manip = std::make_unique<ClsManip>();
    m_rippleFrq = 1.0f / 10.0f;
    m_manip->IntCls(this, Pictbox, Picture1);
    m_manip->IntRipple(PictureFile(), m_rippleFrq);

    connect(Command1, &QPushButton::clicked, this, &GRP::Command1_Click);
    connect(cmdClose, &QPushButton::clicked, this, &GRP::cmdClose_Click);
    connect(Slider1, &QSlider::actionTriggered, this, [this](int) { Slider1_Scroll(); });
    connect(Slider1, &QSlider::valueChanged, this, &GRP::Slider1_Change);
}

GRP::~GRP() = default;

GRP* GRP::ShowRelax(QWidget* owner)
{
    if (!g_instance)
        g_instance = new GRP(owner);
    g_instance->show();
    g_instance->raise();
    g_instance->activateWindow();
    return g_instance;
}

void GRP::Command1_Click()
{
    if (!m_manip)
        return;
    if (!running(m_manip.get()))
        Command1->setText(QStringLiteral("Stop"));
    else
        Command1->setText(QStringLiteral("Start"));
    m_manip->DoRipple(m_rippleFrq);
}

void GRP::Slider1_Scroll()
{
    if (running(m_manip.get())) {
        Command1->setText(QStringLiteral("Start"));
        m_manip->DoRipple(m_rippleFrq);
    }
}

void GRP::Slider1_Change(int value)
{
    m_rippleFrq = float(value) / 10.0f;
}

void GRP::cmdClose_Click()
{
    if (running(m_manip.get()))
        m_manip->DoRipple(m_rippleFrq);
    RollWindow(this, 25);
    m_manip.reset();
    close();
}
