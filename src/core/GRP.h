#pragma once

#include <QWidget>

#include <memory>

class ClsManip;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

// The "Relax" window: the picture "dollar.gif" of the program folder under moving
// water ripples, with Start/Stop, a speed slider and Exit. One instance at a time,
// shown modeless.
class GRP : public QWidget
{
    Q_OBJECT

public:
    explicit GRP(QWidget* owner = nullptr);
    ~GRP() override;

    // Shows the one ripple window (creating it when needed), owned by owner.
    static GRP* ShowRelax(QWidget* owner);
    // The picture the window animates: dollar.gif in the program folder, else the
    // copy the program ships.
    static QString PictureFile();

    ClsManip* Manip() const { return m_manip.get(); }
    float RippleFrq() const { return m_rippleFrq; }

    QLabel* Pictbox = nullptr;
    QLabel* Picture1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* cmdClose = nullptr;
    QSlider* Slider1 = nullptr;
    QLineEdit* Text1 = nullptr;

    void Command1_Click();
    void Slider1_Scroll();
    void Slider1_Change(int value);
    void cmdClose_Click();

private:
    std::unique_ptr<ClsManip> m_manip;
    float m_rippleFrq = 0.1f;
};
