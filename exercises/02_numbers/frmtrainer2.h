#pragma once

#include "exercises/02_numbers/numbers.h"
#include "run/trainerwindow.h"

#include <array>

class ColorButton;
class QFrame;

// 数字順番押し. The board lives in its buttons: caption = number, back colour
// yellow = still to press, black = pressed.
class frmTrainer2 : public TrainerWindow, private Numbers::Board
{
    Q_OBJECT
public:
    explicit frmTrainer2(QWidget *parent = nullptr);

    int NextNumber() const { return m_order.NextNumber(); }

public slots:
    void cmdNum_Click(int index);

protected:
    // The whole board is one task, dealt at Start: there is no question to pose.
    void NextQuestion() override {}
    void showCounter() override;
    void prepareRun() override;

private:
    // Numbers::Board, on the buttons.
    QString caption(int index) const override;
    void setCaption(int index, const QString &caption) override;
    quint32 backColour(int index) const override;
    void setBackColour(int index, quint32 colour) override;

    QFrame *fraNum = nullptr;
    std::array<ColorButton *, Numbers::ButtonCount> cmdNum{};
    Numbers::NumberOrder m_order{*this};
};
