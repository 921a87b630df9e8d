#pragma once

#include "exercises/11_coins/coins.h"
#include "run/trainerwindow.h"

#include <array>

class CoinPicture;
class QFrame;
class QLabel;
class QLineEdit;

// これ、いくら？: add up the coins on the eight places, however they lie,
// type the total in yen and press Enter.
class frmTrainer11 : public TrainerWindow
{
    Q_OBJECT
public:
    static constexpr int ExerciseNumber = 11;
    // Room for any total with spaces round it; the largest is 4000.
    static constexpr int AnswerLength = 10;

    explicit frmTrainer11(QWidget *parent = nullptr);

public slots:
    // Enter in txtAns: the typed text is the answer.
    void txtAns_Enter();

protected:
    void NextQuestion() override;
    QString spokenQuestion() const override;

private:
    void showBoard(const Coins::Board &board);

    QFrame *fraProb = nullptr;
    std::array<CoinPicture *, Coins::Places> picProb{};
    QFrame *fraAns = nullptr;
    QLineEdit *txtAns = nullptr;
    QLabel *lblYen = nullptr;

    // The yen on the places now.
    int CoinTotal = 0;
};
