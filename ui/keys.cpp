#include "ui/keys.h"

#include "ui/focusmark.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>

#include <functional>

namespace {

bool pressable(const QAbstractButton *button)
{
    return button && button->isEnabled() && button->isVisible();
}

// Presses button as the keyboard player asked, and shows where the press went.
void pressByKey(QAbstractButton *button)
{
    if (!pressable(button))
        return;
    button->window()->setAttribute(Qt::WA_KeyboardFocusChange);
    button->setFocus(Qt::ShortcutFocusReason);
    button->click();
}

// key anywhere in window runs action; a text box with the focus keeps its
// own keys, and a key held down acts once.
void onKey(QWidget *window, const QKeySequence &key, std::function<void()> action)
{
    auto *shortcut = new QShortcut(key, window);
    shortcut->setContext(Qt::WindowShortcut);
    shortcut->setAutoRepeat(false);
    QObject::connect(shortcut, &QShortcut::activated, window, std::move(action));
}

Qt::Key digitKey(int digit)
{
    return Qt::Key(Qt::Key_0 + digit);
}

// The focus mark laid over a grid button that does not draw one itself: the
// player steering across a board must see at a glance where the keys are.
class FocusRing final : public QWidget
{
public:
    explicit FocusRing(QWidget *parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("focusRing"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        hide();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        FocusMark::paint(painter, rect());
    }
};

// Moves the focus over a grid of buttons with the arrow keys.
class GridFocus final : public QObject
{
public:
    GridFocus(const QList<QAbstractButton *> &buttons, int columns, QObject *owner)
        : QObject(owner), m_buttons(buttons), m_columns(columns)
    {
        for (QAbstractButton *button : m_buttons)
            button->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
            showRing(static_cast<QAbstractButton *>(watched), event->type() == QEvent::FocusIn);
            return false;
        }
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        const int from = m_buttons.indexOf(static_cast<QAbstractButton *>(watched));
        if (from < 0)
            return false;
        int to = -1;
        switch (key->key()) {
        case Qt::Key_Left:
            to = step(from, 0, -1);
            break;
        case Qt::Key_Right:
            to = step(from, 0, 1);
            break;
        case Qt::Key_Up:
            to = step(from, -1, 0);
            break;
        case Qt::Key_Down:
            to = step(from, 1, 0);
            break;
        default:
            return false;
        }
        QAbstractButton *next = m_buttons[to];
        next->window()->setAttribute(Qt::WA_KeyboardFocusChange);
        next->setFocus(Qt::TabFocusReason);
        return true;
    }

private:
    void showRing(QAbstractButton *button, bool focused)
    {
        // Buttons that paint their own faces draw their own mark.
        if (button->metaObject() != &QPushButton::staticMetaObject || !button->parentWidget())
            return;
        if (!m_ring)
            m_ring = new FocusRing(button->parentWidget());
        if (focused && FocusMark::shows(button)) {
            m_ring->setGeometry(button->geometry());
            m_ring->raise();
            m_ring->show();
        } else {
            m_ring->hide();
        }
    }

    int rows() const { return int((m_buttons.size() + m_columns - 1) / m_columns); }

    // The neighbour of from, round the edges; a short last row is skipped over.
    int step(int from, int down, int across) const
    {
        int row = from / m_columns;
        int column = from % m_columns;
        do {
            if (across != 0)
                column = (column + across + m_columns) % m_columns;
            else
                row = (row + down + rows()) % rows();
        } while (row * m_columns + column >= m_buttons.size());
        return row * m_columns + column;
    }

    QList<QAbstractButton *> m_buttons;
    int m_columns;
    FocusRing *m_ring = nullptr;
};

} // namespace

namespace Keys {

QKeySequence startStop()
{
    return QKeySequence(Qt::Key_F5);
}

void numberKeys(const QList<QAbstractButton *> &buttons)
{
    if (buttons.isEmpty())
        return;
    QWidget *window = buttons.first()->window();
    for (int index = 0; index < buttons.size() && index < 9; ++index) {
        QAbstractButton *button = buttons[index];
        onKey(window, QKeySequence(digitKey(index + 1)), [button] { pressByKey(button); });
    }
}

void digitKeys(const QList<QAbstractButton *> &buttons)
{
    if (buttons.isEmpty())
        return;
    QWidget *window = buttons.first()->window();
    for (int digit = 0; digit <= 9; ++digit) {
        const QString caption = QString::number(digit);
        onKey(window, QKeySequence(digitKey(digit)), [buttons, caption] {
            for (QAbstractButton *button : buttons) {
                if (pressable(button) && button->text().trimmed() == caption) {
                    pressByKey(button);
                    return;
                }
            }
        });
    }
}

void arrowGrid(const QList<QAbstractButton *> &buttons, int columns)
{
    if (buttons.isEmpty() || columns < 1)
        return;
    new GridFocus(buttons, columns, buttons.first());
}

} // namespace Keys
