#pragma once

#include <QDialog>
#include <QSize>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class DetailCard;
class QLabel;
class QLineEdit;
class QPushButton;

// The stock detail card window: shows one DetailCard, several at once. It deletes
// itself when closed.
class Properties : public QDialog
{
    Q_OBJECT

public:
    explicit Properties(std::unique_ptr<DetailCard> card, QWidget* parent = nullptr);
    ~Properties() override;

    DetailCard& card() const { return *m_card; }
    QLineEdit* txtTarget(int index) const { return m_target.at(index); }
    QLabel* lblData(int index) const { return m_data.at(index); }

    // Full size of a card in twips, taken by the last card loaded; every card
    // restores to it.
    static int PropWidth;
    static int PropHeight;

    // The sizes (twips) a full-size card of `full` passes through when it shrinks
    // to a tile: nine steps, each a tenth of the full height less and a tenth of
    // the full width less plus 120 twips.
    static std::vector<QSize> shrinkSteps(const QSize& full);
    // Shrinks a full-size card, restores a shrunk one.
    void ToggleSize();
    // The bar button: ToggleSize, then the narrow cards and zoom windows are tiled
    // below the main window's ticker.
    void Command1_Click();

    // The colour of the see-through card (&HBBGGRR): pure green.
    static constexpr std::uint32_t SeeThroughTint = 0x00FF00;

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void reject() override;

private:
    void refreshTargets();
    void showArrow();
    // OK and Cancel: roll the card up in `steps` (not after the title bar's close
    // button) and close it.
    void rollClosed(int steps, bool accepted);

    std::unique_ptr<DetailCard> m_card;
    QWidget* m_body;
    QLabel* m_name;
    std::array<QLabel*, 18> m_data{};
    QLabel* m_time;
    QLabel* m_pic;
    std::array<QLineEdit*, 2> m_target{};
    bool m_closing = false;
    bool m_quietClose = false;
};
