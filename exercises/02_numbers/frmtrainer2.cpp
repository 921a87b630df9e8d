#include "exercises/02_numbers/frmtrainer2.h"

#include "exercises/catalogue.h"

#include "ui/colorbutton.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/keys.h"
#include "ui/twips.h"

#include <QFrame>
#include <QLabel>

frmTrainer2::frmTrainer2(QWidget *parent) : TrainerWindow(2, parent)
{
    // Its own four lines: there are no fifty questions here.
    setInstructionLines({QStringLiteral(u"●１から４８までの数字ボタンを順番におすんだぴこ。"),
                         QStringLiteral(u"●クリアした時間が早い方が良いんだぴこ。"),
                         QStringLiteral(u"●間違えると５秒加算されるんだぴこ。"),
                         QStringLiteral(u"●開始ボタンで始めるんだぴこ。")},
                        false);

    placeMarks({2160, 1560, 345, 315}, {2640, 1560, 1935, 375});
    showCounter();

    fraNum = Controls::frame(this, QStringLiteral("fraNum"), Twips::rect(240, 2040, 5655, 3495));

    const QFont numberFont = Fonts::gothic(14.25, true);
    for (int index = 0; index < Numbers::ButtonCount; ++index) {
        const int row = index / Numbers::Columns;
        const int column = index % Numbers::Columns;
        auto *button = Controls::button<ColorButton>(fraNum, QStringLiteral("cmdNum(%1)").arg(index), QString(),
                                                     numberFont, Twips::rect(720 * column, 600 * row, 615, 495));
        connect(button, &QPushButton::clicked, this, [this, index] { cmdNum_Click(index); });
        cmdNum[index] = button;
        showButton(index);
    }
    setAnswerArea(fraNum);
    Keys::arrowGrid(Keys::buttons(cmdNum), Numbers::Columns);
}

void frmTrainer2::showButton(int index)
{
    cmdNum[index]->setText(QString::number(m_board.numbers[index]));
    cmdNum[index]->setBackColor(QColor::fromRgb(m_board.pressed[index] ? Numbers::Pressed : Numbers::Unpressed));
    // Read as its number (its caption), and whether it has been pressed. A
    // name is set only where it says more than the caption: dealing a board
    // then tells a screen reader 48 changes, not 96, and the news of the start
    // is not lost in the flood.
    const QString name = m_board.pressed[index] ? cmdNum[index]->text() + QStringLiteral(u"　押した") : QString();
    if (cmdNum[index]->accessibleName() != name)
        cmdNum[index]->setAccessibleName(name);
}

void frmTrainer2::showCounter()
{
    setCounterText(Numbers::counterText(m_board.NextNumber));
}

void frmTrainer2::prepareRun()
{
    // Dealt before the stopwatch starts: dealing costs the player nothing.
    Numbers::ResetBoard(m_board);
    Numbers::ShuffleNumbers(m_board, random());
    for (int index = 0; index < Numbers::ButtonCount; ++index)
        showButton(index);
}

void frmTrainer2::cmdNum_Click(int index)
{
    if (!isRunning())
        return;
    switch (Numbers::press(m_board, index)) {
    case Numbers::Press::Wrong:
        MarkAnswer(false);
        break;
    case Numbers::Press::Right:
        showButton(index);
        MarkAnswer(true);
        showCounter();
        break;
    case Numbers::Press::Cleared:
        // The counter keeps "次は　48" and the board stays all black.
        showButton(index);
        MarkAnswer(true);
        FinishRun();
        break;
    }
}

// The exercise as the menu, the ranking and the history know it.
Exercise Exercises::numbers()
{
    return {2, QStringLiteral(u"数字順番押し"), [](QWidget *parent) -> TrainerWindow * { return new frmTrainer2(parent); }};
}
