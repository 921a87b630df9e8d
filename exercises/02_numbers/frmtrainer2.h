#pragma once

#include "exercises/02_numbers/numbers.h"
#include "run/trainerwindow.h"

#include <array>

class ColorButton;
class QFrame;

// 数字順番押し. Each button shows its number as its caption and its state as
// its back colour: yellow still to press, black pressed.
class frmTrainer2 : public TrainerWindow
{
    Q_OBJECT
public:
    explicit frmTrainer2(QWidget *parent = nullptr);

    int NextNumber() const { return m_board.NextNumber; }

public slots:
    void cmdNum_Click(int index);

protected:
    // The whole board is one task, dealt at Start: there is no question to pose.
    void NextQuestion() override {}
    void showCounter() override;
    void prepareRun() override;

private:
    void showButton(int index);

    QFrame *fraNum = nullptr;
    std::array<ColorButton *, Numbers::ButtonCount> cmdNum{};
    Numbers::Board m_board = Numbers::Board::inOrder();
};
