// The controls every window is built from: a button never presses itself on
// Enter, and a back colour fills the whole control.

#include "exercises/05_bigger/digitbutton.h"
#include "ui/colorbutton.h"
#include "ui/controls.h"
#include "ui/twips.h"

#include <QDialog>
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
    void enterPressesNoButton_data();
    void enterPressesNoButton();
    void backColorFillsTheControl();
};

void TestControls::enterPressesNoButton_data()
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

void TestControls::enterPressesNoButton()
{
    QFETCH(MakeButton, make);
    // In a dialog a plain push button is pressed by Enter once it has the
    // focus; the game's buttons are pressed only by a click or the space bar.
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
    QTest::keyClick(button, Qt::Key_Enter);
    QCOMPARE(clicked.count(), 0);
    QTest::keyClick(button, Qt::Key_Space);
    QCOMPARE(clicked.count(), 1);
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
