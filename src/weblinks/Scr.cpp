#include "weblinks/Scr.h"

#include "core/WindowEffects.h"
#include "platform/DoEvents.h"
#include "platform/Help.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// &HBBGGRR as a colour.
QColor bgr(std::uint32_t c)
{
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

} // namespace

Scr::Scr(QWidget* owner) : QWidget(owner, Qt::Window)
{
    setObjectName(QStringLiteral("Scr"));
    setWindowTitle(QStringLiteral("Tradewright Screen"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_tile = BackgroundTile();

    auto* grid = new QGridLayout;
    for (int g = 0; g < Screener::GroupCount; ++g) {
        const Screener::OptionGroup& group = Screener::kGroups[std::size_t(g)];
        QString caption = QLatin1String(group.caption);
        Frame[std::size_t(g)] = new QGroupBox(caption, this);
        Frame[std::size_t(g)]->setObjectName(QLatin1String(group.frame));
        auto* box = new QVBoxLayout(Frame[std::size_t(g)]);
        box->setSpacing(1);
        for (std::size_t i = 0; i < group.options.size(); ++i) {
            auto* option = new QRadioButton(QString::fromLatin1(group.options[i]).replace("&", "&&"), Frame[std::size_t(g)]);
            option->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(group.control)).arg(i));
            connect(option, &QRadioButton::clicked, this, [this, g, i] { optionClick(g, int(i)); });
            opt[std::size_t(g)].push_back(option);
            box->addWidget(option);
        }
        box->addStretch();
    }
    // The S&P question and the industry list share the first column.
    grid->addWidget(Frame[Screener::SP], 0, 0);
    auto* industryBox = new QVBoxLayout;
    Label1 = new QLabel(QStringLiteral("Industry Group"), this);
    lstIndestry = new QListWidget(this);
    lstIndestry->setObjectName(QStringLiteral("lstIndestry"));
    lstIndestry->setSelectionMode(QAbstractItemView::SingleSelection);
    industryBox->addWidget(Label1);
    industryBox->addWidget(lstIndestry);
    grid->addLayout(industryBox, 1, 0, 3, 1);
    const int places[][2] = {{0, 0}, {0, 1}, {0, 2}, {1, 1}, {1, 2}, {2, 1}, {2, 2}, {3, 1}};
    for (int g = 1; g < Screener::GroupCount; ++g)
        grid->addWidget(Frame[std::size_t(g)], places[g][0], places[g][1]);
    connect(lstIndestry, &QListWidget::currentRowChanged, this, [this](int row) { m_criteria.selectIndustry(row); });

    cmdShow = new QPushButton(QStringLiteral("&Query"), this);
    cmdReset = new QPushButton(QStringLiteral("&Reset"), this);
    cmdHelp = new QPushButton(QStringLiteral("&Help"), this);
    cmdClose = new QPushButton(QStringLiteral("&Close"), this);
    cmdShow->setObjectName(QStringLiteral("cmdShow"));
    cmdReset->setObjectName(QStringLiteral("cmdReset"));
    cmdHelp->setObjectName(QStringLiteral("cmdHelp"));
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    Text1 = new QLineEdit(QStringLiteral("Text1"), this);
    Text1->hide();
    connect(cmdShow, &QPushButton::clicked, this, &Scr::cmdShow_Click);
    connect(cmdReset, &QPushButton::clicked, this, &Scr::cmdReset_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &Scr::cmdHelp_Click);
    connect(cmdClose, &QPushButton::clicked, this, &Scr::cmdclose_Click);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {cmdShow, cmdReset, cmdHelp, cmdClose})
        buttons->addWidget(b);
    grid->addLayout(buttons, 3, 2);

    setLayout(grid);
    syncColours();
}

void Scr::Form_Load()
{
    lstIndestry->clear();
    for (const Screener::Industry& industry : Screener::kIndustries)
        lstIndestry->addItem(QLatin1String(industry.name));
}

void Scr::optionClick(int group, int Index)
{
    m_criteria.optionClick(group, Index);
    syncColours();
}

void Scr::syncColours()
{
    for (int g = 0; g < Screener::GroupCount; ++g) {
        const auto& options = opt[std::size_t(g)];
        for (std::size_t i = 0; i < options.size(); ++i) {
            QPalette p = options[i]->palette();
            p.setColor(QPalette::WindowText, bgr(m_criteria.colour(g, int(i))));
            options[i]->setPalette(p);
            options[i]->setChecked(m_criteria.selected(g) == int(i));
        }
    }
}

void Scr::cmdShow_Click()
{
    m_criteria.cmdShow_Click();
}

void Scr::cmdReset_Click()
{
    m_criteria.cmdReset_Click();
    syncColours();
    lstIndestry->setCurrentRow(m_criteria.industry());
}

void Scr::cmdHelp_Click()
{
    Help::ShowTopic(Screener::HelpTopic);
}

void Scr::cmdclose_Click()
{
    RollWindow(this, 25);
    DoEvents();
    close();
    DoEvents();
}

QPixmap Scr::BackgroundTile()
{
    // A soft woven tile: two shades and a light diagonal grain.
    QPixmap tile(48, 48);
    tile.fill(QColor(226, 232, 240));
    QPainter p(&tile);
    p.setPen(QPen(QColor(212, 220, 232), 1));
    for (int k = -48; k < 48; k += 6)
        p.drawLine(k, 0, k + 48, 48);
    p.setPen(QPen(QColor(238, 242, 248), 1));
    for (int k = 0; k < 96; k += 12)
        p.drawLine(k, 0, k - 48, 48);
    return tile;
}

void Scr::paintEvent(QPaintEvent*)
{
    // The background tiled from the top left; a tile without size is not drawn.
    if (m_tile.width() <= 0 || m_tile.height() <= 0)
        return;
    QPainter p(this);
    for (int x = 0; x < width(); x += m_tile.width())
        for (int y = 0; y < height(); y += m_tile.height())
            p.drawPixmap(x, y, m_tile);
}
