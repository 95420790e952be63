#include "core/frmSplash.h"

#include "core/SplashProgress.h"
#include "core/frmSplashInfo.h"
#include "platform/WindowPlacement.h"

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cstring>

namespace {

QPointer<frmSplash>& splashInstance()
{
    static QPointer<frmSplash> w;
    return w;
}

constexpr int kWidth = 480;
constexpr int kPictureHeight = 210;

// The splash picture: a night-blue field with a rising price line and the
// product's name. Drawn here so the window needs no picture file.
void paintSplashPicture(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, kPictureHeight);
    sky.setColorAt(0.0, QColor(12, 32, 72));
    sky.setColorAt(1.0, QColor(28, 78, 140));
    p.fillRect(QRect(0, 0, kWidth, kPictureHeight), sky);

    // A faint grid like a chart's: lines a pixel wide, centred on the grid's
    // points (filled as thin rectangles, which keeps each fill to a few spans a row).
    const QColor grid(255, 255, 255, 28);
    for (int x = 0; x < kWidth; x += 40)
        p.fillRect(QRectF(x - 0.5, 0, 1, kPictureHeight), grid);
    for (int y = 0; y < kPictureHeight; y += 30)
        p.fillRect(QRectF(0, y - 0.5, kWidth, 1), grid);

    // The price line with its shaded area.
    const int pts[][2] = {{0, 178}, {40, 170}, {80, 174}, {120, 150}, {160, 156}, {200, 132}, {240, 140},
                          {280, 112}, {320, 118}, {360, 92},  {400, 98},  {440, 70},  {480, 58}};
    QPainterPath line;
    line.moveTo(pts[0][0], pts[0][1]);
    for (const auto& pt : pts)
        line.lineTo(pt[0], pt[1]);
    QPainterPath area = line;
    area.lineTo(kWidth, kPictureHeight);
    area.lineTo(0, kPictureHeight);
    area.closeSubpath();
    QLinearGradient fill(0, 60, 0, kPictureHeight);
    fill.setColorAt(0.0, QColor(90, 200, 120, 140));
    fill.setColorAt(1.0, QColor(90, 200, 120, 10));
    p.fillPath(area, fill);
    p.setPen(QPen(QColor(120, 230, 150), 3));
    p.drawPath(line);

    QFont title(QStringLiteral("Sans Serif"));
    title.setPixelSize(46);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(24, 18, kWidth - 48, 60), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tradewright"));

    QFont sub(QStringLiteral("Sans Serif"));
    sub.setPixelSize(15);
    p.setFont(sub);
    p.setPen(QColor(200, 220, 255));
    p.drawText(QRect(26, 76, kWidth - 48, 24), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Market information for the private investor"));
}

// Qt's raster engine hands a fill of more than about a hundred spans to a pool of
// threads, which it starts on first use, one a processor. The splash is the first
// thing the program paints, and drawn whole its picture would start them all for a
// few tall lines. Drawn in low bands, each band's fills stay on the GUI thread; the
// pixels are the same.
QPixmap drawSplashPicture()
{
    constexpr int kBand = 16;
    QImage picture(kWidth, kPictureHeight, QImage::Format_RGB32);
    QImage band(kWidth, kBand, QImage::Format_RGB32);
    for (int top = 0; top < kPictureHeight; top += kBand) {
        {
            QPainter p(&band);
            p.translate(0, -top);
            paintSplashPicture(p);
        }
        const int rows = std::min(kBand, kPictureHeight - top);
        for (int y = 0; y < rows; ++y)
            std::memcpy(picture.scanLine(top + y), band.constScanLine(y), size_t(band.bytesPerLine()));
    }
    return QPixmap::fromImage(std::move(picture));
}

} // namespace

frmSplash::frmSplash(QWidget* owner, bool about)
    : QDialog(owner), m_about(about)
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    if (about) {
        setWindowTitle(QStringLiteral("About Tradewright"));
    } else {
        setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
        setWindowTitle(QStringLiteral("Tradewright"));
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 10);
    layout->setSpacing(4);
    // The window is as big as its contents, never squeezed.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setPixmap(drawSplashPicture());
    Image2->setFixedSize(kWidth, kPictureHeight);
    Image2->installEventFilter(this);
    layout->addWidget(Image2);
    layout->addSpacing(6);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setWordWrap(true);
    Label2->setCursor(Qt::PointingHandCursor);
    Label2->installEventFilter(this);
    lblEmail = new QLabel(SplashInfo::EmailCaption(), this);
    lblEmail->setObjectName(QStringLiteral("lblEmail"));
    // Blue and underlined like a link; through the palette and the font, as a
    // style sheet would give the splash a style of its own to set up.
    QPalette link = lblEmail->palette();
    link.setColor(QPalette::WindowText, QColor(0x1a, 0x4f, 0xa0));
    lblEmail->setPalette(link);
    QFont underlined = lblEmail->font();
    underlined.setUnderline(true);
    lblEmail->setFont(underlined);
    lblEmail->setCursor(Qt::PointingHandCursor);
    lblEmail->installEventFilter(this);
    for (QLabel* l : {Label1, Label2, lblEmail}) {
        l->setContentsMargins(14, 0, 14, 0);
        l->setFixedWidth(kWidth);
        layout->addWidget(l);
    }

    pb1 = new QProgressBar(this);
    pb1->setObjectName(QStringLiteral("pb1"));
    pb1->setRange(0, 100);
    pb1->setValue(0);
    pb1->setTextVisible(false);
    pb1->setFixedHeight(12);
    pb1->setVisible(false);
    auto* bar = new QVBoxLayout;
    bar->setContentsMargins(14, 4, 14, 0);
    bar->addWidget(pb1);
    layout->addLayout(bar);

    Form_Load();
}

frmSplash::~frmSplash()
{
    if (!m_about && splashInstance() == this) {
        SplashProgress::install({});
        splashInstance() = nullptr;
    }
}

frmSplash* frmSplash::ShowSplash()
{
    frmSplash* w = splashInstance();
    if (!w || w->m_unloading) {
        w = new frmSplash(nullptr, false);
        splashInstance() = w;
        QPointer<frmSplash> guard(w);
        SplashProgress::install({[guard](int percent) {
                                     if (guard)
                                         guard->setProgress(percent);
                                 },
                                 [guard] {
                                     if (guard)
                                         guard->unloadLater();
                                 }});
    }
    w->adjustSize();
    CentreOnScreen(*w);
    w->pb1->setVisible(true);
    w->show();
    w->raise();
    return w;
}

frmSplash* frmSplash::ShowAbout(QWidget* owner)
{
    auto* w = new frmSplash(owner, true);
    w->adjustSize();
    w->setWindowModality(owner ? Qt::WindowModal : Qt::ApplicationModal);
    w->open();
    return w;
}

frmSplash* frmSplash::instance()
{
    frmSplash* w = splashInstance();
    return (w && !w->m_unloading) ? w : nullptr;
}

void frmSplash::setProgress(int percent)
{
    pb1->setValue(std::clamp(percent, 0, 100));
}

int frmSplash::progress() const
{
    return pb1->value();
}

bool frmSplash::progressVisible() const
{
    return pb1->isVisibleTo(const_cast<frmSplash*>(this));
}

void frmSplash::Form_Load()
{
    Label1->setText(SplashInfo::LegalTrademarks());
    Label2->setText(SplashInfo::LegalCopyright());
}

void frmSplash::Image2_Click()
{
    close();
}

void frmSplash::Label2_MouseDown()
{
    SplashInfo::OpenHomePage();
}

void frmSplash::lblEmail_Click()
{
    SplashInfo::OpenSupportMail();
}

void frmSplash::unloadLater()
{
    if (m_unloading)
        return;
    m_unloading = true;
    if (!m_about && splashInstance() == this)
        SplashProgress::install({});
    QTimer::singleShot(0, this, [this] { close(); });
}

bool frmSplash::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && watched == Label2) {
        Label2_MouseDown();
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* me = static_cast<QMouseEvent*>(event);
        if (watched == Image2 && me->button() == Qt::LeftButton) {
            Image2_Click();
            return true;
        }
        if (watched == lblEmail && me->button() == Qt::LeftButton) {
            lblEmail_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
