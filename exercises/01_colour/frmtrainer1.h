#pragma once

#include "run/trainerwindow.h"

#include <array>

class ColorButton;
class QFrame;

class frmTrainer1 : public TrainerWindow
{
    Q_OBJECT
public:
    explicit frmTrainer1(QWidget *parent = nullptr);

public slots:
    void cmdColor_Click(int index);

protected:
    void NextQuestion() override;
    void prepareRun() override;
    void showStopped() override;
    void showFinished() override;
    QString spokenQuestion() const override;

private:
    void paintQuestion(quint32 background, quint32 ink, const QString &text);
    quint32 shownInk() const;

    QLabel *lblProb = nullptr;
    QFrame *fraColor = nullptr;
    std::array<ColorButton *, 6> cmdColor{};
    quint32 PreviousInk = 0;
};
