#include "clsFormResize.h"

#include "platform/InputCodes.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QStatusBar>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeView>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

// The kinds whose place and size follow the window, in the order they are tested.
const QStringList& movableKinds()
{
    static const QStringList kinds = {
        QStringLiteral("Frame"),  QStringLiteral("PictureBox"),    QStringLiteral("MSFlexGrid"),
        QStringLiteral("TreeView"), QStringLiteral("Label"),       QStringLiteral("TextBox"),
        QStringLiteral("CommandButton"), QStringLiteral("ListBox"), QStringLiteral("ComboBox"),
    };
    return kinds;
}

// Kinds that are not recorded at all.
bool skippedKind(const QString& kind)
{
    static const QStringList kinds = {
        QStringLiteral("Winsock"), QStringLiteral("Inet"),     QStringLiteral("Timer"),
        QStringLiteral("ImageList"), QStringLiteral("TrayIcon"), QStringLiteral("Menu"),
    };
    return kinds.contains(kind);
}

bool containerKind(const QString& kind)
{
    return kind == QLatin1String("Frame") || kind == QLatin1String("PictureBox");
}

int toPixels(double twips)
{
    return int(std::lround(twips / input::TwipsPerPixel));
}

} // namespace

clsFormResize::TagFlags clsFormResize::ParseTag(const QString& tag)
{
    const QString t = tag.toUpper();
    TagFlags f;
    if (t.isEmpty() || !t.startsWith(u'@'))
        return f;
    f.T = t.contains(u'T');
    f.H = t.contains(u'H');
    f.L = t.contains(u'L');
    f.W = t.contains(u'W');
    return f;
}

QString clsFormResize::ControlTypeName(const QWidget* w)
{
    const QVariant named = w->property("TypeName");
    if (named.isValid() && !named.toString().isEmpty())
        return named.toString();
    const QByteArray cls = w->metaObject()->className();
    if (cls == "FlexGridView")
        return QStringLiteral("MSFlexGrid");
    if (qobject_cast<const QMenuBar*>(w))
        return QStringLiteral("Menu");
    if (qobject_cast<const QStatusBar*>(w))
        return QStringLiteral("StatusBar");
    if (qobject_cast<const QGroupBox*>(w))
        return QStringLiteral("Frame");
    if (qobject_cast<const QLabel*>(w))
        return QStringLiteral("Label");
    if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QTextEdit*>(w)
        || qobject_cast<const QPlainTextEdit*>(w))
        return QStringLiteral("TextBox");
    if (qobject_cast<const QCheckBox*>(w))
        return QStringLiteral("CheckBox");
    if (qobject_cast<const QRadioButton*>(w))
        return QStringLiteral("OptionButton");
    if (qobject_cast<const QPushButton*>(w) || qobject_cast<const QToolButton*>(w))
        return QStringLiteral("CommandButton");
    if (qobject_cast<const QComboBox*>(w))
        return QStringLiteral("ComboBox");
    if (qobject_cast<const QTreeView*>(w))
        return QStringLiteral("TreeView");
    if (qobject_cast<const QListView*>(w))
        return QStringLiteral("ListBox");
    if (qobject_cast<const QSlider*>(w))
        return QStringLiteral("Slider");
    if (qobject_cast<const QProgressBar*>(w))
        return QStringLiteral("ProgressBar");
    if (auto* frame = qobject_cast<const QFrame*>(w)) {
        if (cls == "QFrame") {
            const auto shape = frame->frameShape();
            if (shape == QFrame::HLine || shape == QFrame::VLine)
                return QStringLiteral("Line");
            return QStringLiteral("PictureBox");
        }
        return QString::fromLatin1(cls);
    }
    if (cls == "QWidget")
        return QStringLiteral("PictureBox");
    return QString::fromLatin1(cls);
}

QSize clsFormResize::SizeForScreen(int percent, const QSize& screenTwips)
{
    const double f = double(percent) / 100.0;
    return {int(std::floor(f * screenTwips.width())), int(std::floor(f * screenTwips.height()))};
}

QWidget* clsFormResize::clientArea() const
{
    if (auto* main = qobject_cast<QMainWindow*>(m_Form.data()))
        if (main->centralWidget())
            return main->centralWidget();
    return m_Form;
}

QSize clsFormResize::clientTwips() const
{
    const QWidget* area = clientArea();
    return area ? area->size() * input::TwipsPerPixel : QSize();
}

void clsFormResize::ScaleControls()
{
    if (!m_Form)
        return;
    // A minimised window or one without a client area has no layout worth
    // keeping: nothing is recorded or scaled until it has one.
    const QSize now = clientTwips();
    const bool noClient = m_Form->isMinimized() || now.width() <= 0 || now.height() <= 0;
    if (m_FirstTime) {
        if (!noClient)
            RecordGeometry();
        return;
    }
    if (noClient || m_OrigScaleWidth <= 0 || m_OrigScaleHeight <= 0)
        return;

    const double ry = double(now.height()) / double(m_OrigScaleHeight);
    const double rx = double(now.width()) / double(m_OrigScaleWidth);
    for (const ControlGeometry& g : m_Controls) {
        QWidget* c = g.Ctl.data();
        if (!c)
            continue;
        const TagFlags f = ParseTag(c->property("Tag").toString());
        if (g.kind == QLatin1String("Line")) {
            const QRect cur = c->geometry();
            const int x1 = f.L ? toPixels(g.Left * rx) : cur.left();
            const int y1 = f.T ? toPixels(g.Top * ry) : cur.top();
            const int x2 = f.W ? toPixels(g.Width * rx) : cur.left() + cur.width();
            const int y2 = f.H ? toPixels(g.Height * ry) : cur.top() + cur.height();
            c->setGeometry(x1, y1, std::max(0, x2 - x1), std::max(0, y2 - y1));
            continue;
        }
        if (!movableKinds().contains(g.kind))
            continue;
        QRect r = c->geometry();
        const int top = f.T ? toPixels(g.Top * ry) : r.top();
        // The platform sizes a combo box itself: its height is never set.
        const bool fixedHeight = g.kind == QLatin1String("ComboBox");
        const int height = f.H && !fixedHeight ? toPixels(g.Height * ry) : r.height();
        const int left = f.L ? toPixels(g.Left * rx) : r.left();
        const int width = f.W ? toPixels(g.Width * rx) : r.width();
        c->setGeometry(left, top, std::max(0, width), std::max(0, height));
    }
}

void clsFormResize::SizeFormToScreen(std::int16_t percent)
{
    if (!m_Form)
        return;
    QScreen* screen = m_Form->screen() ? m_Form->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QSize outer = SizeForScreen(percent, screen->geometry().size() * input::TwipsPerPixel);
    const QSize frame = m_Form->frameGeometry().size() - m_Form->size();
    m_Form->resize(std::max(0, toPixels(outer.width()) - frame.width()),
                   std::max(0, toPixels(outer.height()) - frame.height()));
}

void clsFormResize::ReInitialize()
{
    if (m_Form)
        RecordGeometry();
}

void clsFormResize::RecordGeometry()
{
    RecordFormSize();
    RecordControls();
}

void clsFormResize::RecordFormSize()
{
    const QSize s = clientTwips();
    m_OrigScaleWidth = s.width();
    m_OrigScaleHeight = s.height();
}

void clsFormResize::RecordControls()
{
    m_Controls.clear();
    std::function<void(QWidget*)> walk = [&](QWidget* parent) {
        const auto children = parent->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        for (QWidget* c : children) {
            if (c->isWindow())
                continue;
            const QString kind = ControlTypeName(c);
            if (skippedKind(kind))
                continue;
            ControlGeometry g;
            g.Ctl = c;
            g.kind = kind;
            const QRect r = c->geometry();
            if (kind == QLatin1String("Line")) {
                g.Left = r.left() * input::TwipsPerPixel;
                g.Top = r.top() * input::TwipsPerPixel;
                g.Width = (r.left() + r.width()) * input::TwipsPerPixel;
                g.Height = (r.top() + r.height()) * input::TwipsPerPixel;
            } else {
                g.Left = r.left() * input::TwipsPerPixel;
                g.Top = r.top() * input::TwipsPerPixel;
                g.Width = r.width() * input::TwipsPerPixel;
                g.Height = r.height() * input::TwipsPerPixel;
            }
            m_Controls << g;
            if (containerKind(kind))
                walk(c);
        }
    };
    if (QWidget* area = clientArea())
        walk(area);
    m_FirstTime = false;
}
