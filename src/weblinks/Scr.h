#pragma once

#include "weblinks/Screener.h"

#include <QPixmap>
#include <QWidget>

#include <array>
#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

// The screener window "Tradewright Screen": eight option groups, the industry list
// and the query, reset, help and close buttons over a tiled background. Its
// criteria and address are Screener::Criteria's.
class Scr : public QWidget
{
    Q_OBJECT
public:
    explicit Scr(QWidget* owner = nullptr);

    void Form_Load();
    void cmdShow_Click();
    void cmdReset_Click();
    void cmdHelp_Click();
    void cmdclose_Click();
    // One handler for every option group: the clicked option becomes the group's
    // choice and the group is recoloured.
    void optionClick(int group, int Index);

    const Screener::Criteria& criteria() const { return m_criteria; }
    // The background tile (drawn, never loaded).
    static QPixmap BackgroundTile();

    std::array<QGroupBox*, Screener::GroupCount> Frame{};
    std::array<std::vector<QRadioButton*>, Screener::GroupCount> opt;
    QListWidget* lstIndestry = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* cmdShow = nullptr;
    QPushButton* cmdReset = nullptr;
    QPushButton* cmdHelp = nullptr;
    QPushButton* cmdClose = nullptr;
    QLineEdit* Text1 = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void syncColours();

    Screener::Criteria m_criteria;
    QPixmap m_tile;
};
