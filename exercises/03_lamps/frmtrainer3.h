#pragma once

#include "exercises/03_lamps/lamps.h"
#include "run/trainerwindow.h"

#include <array>

class CircleShape;
class QFrame;

// 光ってるのは何個？ A circle is lit when its interior is opaque; the count
// the answer is judged by is read back from the circles on screen.
class frmTrainer3 : public TrainerWindow
{
    Q_OBJECT
public:
    explicit frmTrainer3(QWidget *parent = nullptr);

    int LitCount() const { return m_litCount; }

public slots:
    void cmdNum_Click(int index);

protected:
    void NextQuestion() override;
    QString spokenQuestion() const override;
    void showStopped() override;

private:
    void showPattern(const Lamps::Pattern &pattern);
    Lamps::Pattern shownPattern() const;

    std::array<CircleShape *, Lamps::CircleCount> shpPochi{};
    QFrame *fraNum = nullptr;
    std::array<QPushButton *, Lamps::AnswerCount> cmdNum{};
    int m_litCount = 0;
};
