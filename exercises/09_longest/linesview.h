#pragma once

#include "exercises/09_longest/longest.h"

#include <QFrame>

// The box of seven upright lines, painted from their stored ends: whenever
// the window is drawn again (a question, a dialog closing over it), the same
// lines come back. Lines are LineWidth logical pixels wide, in the window's
// text colour, with flat ends, so that what the player sees from end to end
// is the length that is judged.
class LinesView : public QFrame
{
    Q_OBJECT
public:
    static constexpr int LineWidth = 9;

    explicit LinesView(QWidget *parent = nullptr);

    const Longest::LineSet &lines() const { return m_lines; }
    const Longest::Line &line(int index) const { return m_lines[index]; }
    void setLines(const Longest::LineSet &lines);

    // Where line index is drawn, in this box's pixels: its middle from top to bottom.
    QLineF drawnLine(int index) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Longest::LineSet m_lines{};
};
