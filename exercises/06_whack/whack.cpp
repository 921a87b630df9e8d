#include "exercises/06_whack/whack.h"

#include "run/random.h"

namespace Whack {

QString markCaption()
{
    return QStringLiteral(u"●");
}

QString decoyCaption()
{
    return QStringLiteral(u"◆");
}

Board Question::board() const
{
    Board captions;
    captions[DecoyIndex] = decoyCaption();
    captions[MarkIndex] = markCaption();
    return captions;
}

Board boardAtLoad()
{
    return Question{DecoyAtLoad, MarkAtLoad}.board();
}

Question drawQuestion(RandomSource &random, int &PreviousMark)
{
    Question question;
    question.DecoyIndex = drawInt(random, Buttons);
    int mark = drawInt(random, Buttons);
    while (mark == PreviousMark)
        mark = drawInt(random, Buttons);
    question.MarkIndex = mark;
    PreviousMark = mark;
    return question;
}

bool isRightAnswer(const QString &pressedCaption)
{
    return pressedCaption == markCaption();
}

} // namespace Whack
