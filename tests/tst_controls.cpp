// The controls every window is built from: a button never presses itself on
// Enter, and a back colour fills the whole control.

#include "exercises/05_bigger/digitbutton.h"
#include "ui/colorbutton.h"
#include "ui/controls.h"
#include "ui/twips.h"

#include <QDialog>
#include <QLineEdit>
#include <QImage>
#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

#include <functional>

namespace {

using MakeButton = std::function<QPushButton *(QWidget *parent)>;

const QRect Place = Twips::rect(120, 120, 1455, 495);

} // namespace

Q_DECLARE_METATYPE(MakeButton)

class TestControls : public QObject
{
    Q_OBJECT

private slots:
    void enterPressesTheFocusedButtonOnly_data();
    void enterPressesTheFocusedButtonOnly();
    void backColorFillsTheControl();
};

void TestControls::enterPressesTheFocusedButtonOnly_data()
{
    QTest::addColumn<MakeButton>("make");
    const QString name = QStringLiteral("cmdTest");
    const QString text = QStringLiteral(u"開　始");
    QTest::newRow("push button") << MakeButton([=](QWidget *parent) {
        return Controls::button(parent, name, text, QFont(), Place);
    });
    QTest::newRow("push button in the window's font") << MakeButton([=](QWidget *parent) {
        return Controls::button(parent, name, text, Place);
    });
    QTest::newRow("colour button") << MakeButton([=](QWidget *parent) {
        return Controls::button<ColorButton>(parent, name, text, QFont(), Place);
    });
    QTest::newRow("digit button") << MakeButton([=](QWidget *parent) {
        return Controls::button<DigitButton>(parent, name, text, Place);
    });
}

void TestControls::enterPressesTheFocusedButtonOnly()
{
    QFETCH(MakeButton, make);
    // Enter and Space press the focused button; no button becomes a default
    // that Enter presses while another control has the focus.
    QDialog window;
    QPushButton *button = make(&window);
    QCOMPARE(button->objectName(), QStringLiteral("cmdTest"));
    QCOMPARE(button->text(), QStringLiteral(u"開　始"));
    QCOMPARE(button->geometry(), Place);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    button->setFocus();
    QSignalSpy clicked(button, &QPushButton::clicked);
    QTest::keyClick(button, Qt::Key_Return);
    QCOMPARE(clicked.count(), 1);
    QTest::keyClick(button, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(clicked.count(), 2);
    QTest::keyClick(button, Qt::Key_Space);
    QCOMPARE(clicked.count(), 3);
    button->setEnabled(false);
    QTest::keyClick(button, Qt::Key_Return);
    QCOMPARE(clicked.count(), 3);

    button->setEnabled(true);
    auto *other = new QLineEdit(&window);
    other->setFocus();
    QTest::keyClick(other, Qt::Key_Return);
    QCOMPARE(clicked.count(), 3);
    QVERIFY(!button->isDefault());
}

void TestControls::backColorFillsTheControl()
{
    const QColor pink(0xFF, 0xC0, 0xFF);
    QDialog window;
    window.resize(200, 100);
    QLabel *label = Controls::label(&window, QStringLiteral("lblMemo(0)"), QString(), Place);
    Controls::setBackColor(label, pink);
    Controls::setForeColor(label, Qt::blue);
    QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::blue));
    const QImage shown = window.grab().toImage();
    QCOMPARE(shown.pixelColor(Place.topLeft()), pink);
    QCOMPARE(shown.pixelColor(Place.bottomRight()), pink);
    QVERIFY(shown.pixelColor(Place.bottomRight() + QPoint(2, 2)) != pink);
}

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
