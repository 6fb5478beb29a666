#include "controls/TextBox.h"

#include <QTest>

using namespace urok;

class TextBoxTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The text keeps CR LF line ends, on the screen or not; a hidden box shows
    // its last text when shown, and typing goes into that text.
    void textKeepsCrLfShownOrNot_data()
    {
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("text");
        const QString lines = QStringLiteral("ред 1\r\nред 2\r\n\r\nкрай\t");
        QTest::newRow("shown") << true << lines << lines;
        QTest::newRow("hidden") << false << lines << lines;
        QTest::newRow("lone CR, hidden") << false << QStringLiteral("a\rb") << QStringLiteral("a\r\nb");
    }

    void textKeepsCrLfShownOrNot()
    {
        QFETCH(bool, shown);
        QFETCH(QString, given);
        QFETCH(QString, text);
        QWidget window;
        TextBox box(QStringLiteral("box"), &window);
        window.setVisible(shown);
        box.setText(QStringLiteral("първи"));
        box.setText(given);
        QCOMPARE(box.text(), text);
        window.show();
        QCOMPARE(box.toPlainText(), QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        box.setFocus();
        box.moveCursor(QTextCursor::End);
        QTest::keyClicks(&box, QStringLiteral("!"));
        QCOMPARE(box.text(), text + u'!');

        // Cleared while hidden, it shows nothing when shown again.
        window.hide();
        box.setText(QStringLiteral("докато е скрит"));
        box.clear();
        QCOMPARE(box.text(), QString());
        window.show();
        QCOMPARE(box.toPlainText(), QString());
    }
};

QTEST_MAIN(TextBoxTest)
#include "test_text_box.moc"
