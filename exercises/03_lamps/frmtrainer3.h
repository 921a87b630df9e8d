#pragma once

#include "exercises/03_lamps/lamps.h"
#include "run/trainerwindow.h"

#include <array>

class CircleShape;
class QFrame;

// 光ってるのは何個？ The circles themselves hold the pattern: a circle is lit
// when its interior is opaque, and the count is read back from them.
class frmTrainer3 : public TrainerWindow, private Lamps::Row
{
    Q_OBJECT
public:
    explicit frmTrainer3(QWidget *parent = nullptr);

    int LitCount() const { return m_litCount; }

public slots:
    void cmdNum_Click(int index);

protected:
    void NextQuestion() override;
    void showStopped() override;

private:
    // Lamps::Row, on the circles.
    bool isLit(int index) const override;
    void setLit(int index, bool lit) override;

    std::array<CircleShape *, Lamps::CircleCount> shpPochi{};
    QFrame *fraNum = nullptr;
    std::array<QPushButton *, Lamps::AnswerCount> cmdNum{};
    int m_litCount = 0;
};
