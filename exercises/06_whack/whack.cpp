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

Question Questions::draw(RandomSource &random)
{
    Question question;
    question.DecoyIndex = drawInt(random, Buttons);
    int mark = drawInt(random, Buttons);
    while (mark == m_previousMark)
        mark = drawInt(random, Buttons);
    question.MarkIndex = mark;
    m_previousMark = mark;
    return question;
}

} // namespace Whack
