#include "controls/TextBox.h"

#include <QTest>

using namespace urok;

class TextBoxTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void textKeepsCrLfLineEnds()
    {
        QWidget window;
        TextBox box(QStringLiteral("box"), &window);
        window.show();
        box.setText(QStringLiteral("ред 1\r\nред 2\r\n\r\nкрай\t"));
        QCOMPARE(box.toPlainText(), QStringLiteral("ред 1\nред 2\n\nкрай\t"));
        QCOMPARE(box.text(), QStringLiteral("ред 1\r\nред 2\r\n\r\nкрай\t"));
        box.setText(QStringLiteral("a\rb"));
        QCOMPARE(box.text(), QStringLiteral("a\r\nb"));
    }

    // A box that is not on the screen keeps its text until it is shown.
    void hiddenBoxShowsItsTextWhenShown()
    {
        QWidget window;
        TextBox box(QStringLiteral("box"), &window);
        box.setText(QStringLiteral("първи"));
        box.setText(QStringLiteral("втори\r\nред"));
        QCOMPARE(box.text(), QStringLiteral("втори\r\nред"));
        QCOMPARE(box.toPlainText(), QString());
        window.show();
        QCOMPARE(box.toPlainText(), QStringLiteral("втори\nред"));
        QCOMPARE(box.text(), QStringLiteral("втори\r\nред"));

        window.hide();
        box.setText(QStringLiteral("докато е скрит"));
        box.clear();
        QCOMPARE(box.text(), QString());
        window.show();
        QCOMPARE(box.toPlainText(), QString());
    }

    void typingGoesIntoTheShownText()
    {
        QWidget window;
        TextBox box(QStringLiteral("box"), &window);
        box.setText(QStringLiteral("ab"));
        window.show();
        box.setFocus();
        box.moveCursor(QTextCursor::End);
        QTest::keyClicks(&box, QStringLiteral("cd"));
        QCOMPARE(box.text(), QStringLiteral("abcd"));
    }
};

QTEST_MAIN(TextBoxTest)
#include "test_text_box.moc"
