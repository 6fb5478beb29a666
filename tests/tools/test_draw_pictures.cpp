// Tests of draw-pictures: the GIF writer (what it writes must read back
// through Qt's own GIF reader as the same image), the update of the picture sizes in
// the lesson's manifest, the mathematics the pictures show, and the finished
// pictures against the places the lesson shows them in.

#include "CatalogueSizes.h"
#include "Encoding.h"
#include "GifWriter.h"
#include "Mathematics.h"
#include "Pictures.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QSet>
#include <QTest>

#include <cstdint>

namespace {

// A deterministic pseudo-random image that uses exactly `colours` colours.
QImage noise(int width, int height, int colours)
{
    QImage image(width, height, QImage::Format_RGB32);
    std::uint32_t state = 12345;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            state = state * 1664525u + 1013904223u;
            // The first pixels walk through every colour once.
            const int k = (y * width + x) < colours ? (y * width + x) : int((state >> 16) % colours);
            image.setPixel(x, y, qRgb(k & 0xFF, (k >> 8) & 0xFF, (k * 7) & 0xFF));
        }
    return image;
}

QImage filled(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Reads a GIF back the way the lesson does, through Qt's reader; a null
// image when Qt refuses it.
QImage decode(QByteArray gif)
{
    QBuffer buffer(&gif);
    QImageReader reader(&buffer, "gif");
    if (reader.format() != "gif")
        return {};
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

// The first differing pixel as text, or an empty string when both are equal.
QString difference(const QImage &expected, const QImage &actual)
{
    if (expected.size() != actual.size())
        return QStringLiteral("size %1x%2 instead of %3x%4")
            .arg(actual.width()).arg(actual.height()).arg(expected.width()).arg(expected.height());
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            if ((expected.pixel(x, y) | 0xFF000000u) != (actual.pixel(x, y) | 0xFF000000u))
                return QStringLiteral("pixel %1,%2: %3 instead of %4")
                    .arg(x).arg(y)
                    .arg(actual.pixel(x, y), 8, 16, QLatin1Char('0'))
                    .arg(expected.pixel(x, y), 8, 16, QLatin1Char('0'));
    return {};
}

} // namespace

class TestDrawPictures : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // ---- GIF encoder

    void gifDecodesToTheSameImage_data()
    {
        QTest::addColumn<QImage>("image");
        QTest::newRow("one pixel") << filled(1, 1, qRgb(200, 10, 10));
        QImage checker(7, 5, QImage::Format_RGB32);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x)
                checker.setPixel(x, y, (x + y) % 2 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        QTest::newRow("two colours") << checker;
        QTest::newRow("three colours, table of four") << noise(9, 4, 3);
        // One long run: the encoder keeps meeting a string it has just added
        // (the case where the decoder sees a code it has not yet stored).
        QTest::newRow("one colour, long run") << filled(1000, 3, qRgb(1, 2, 3));
        // Noise fills the 4096-code table many times over: clear codes.
        QTest::newRow("256 colours of noise") << noise(300, 200, 256);
        QTest::newRow("17 colours, table of 32") << noise(41, 37, 17);
        QImage bands(256, 64, QImage::Format_RGB32);
        for (int y = 0; y < bands.height(); ++y)
            for (int x = 0; x < bands.width(); ++x)
                bands.setPixel(x, y, qRgb(x, x, y % 2 ? 0 : 255));
        QTest::newRow("stripes of 256 colours") << bands.copy(0, 0, 128, 64);
    }

    void gifDecodesToTheSameImage()
    {
        QFETCH(QImage, image);
        QString error;
        const QByteArray gif = gif::encode(image, &error);
        QVERIFY2(!gif.isEmpty(), qPrintable(error));
        const QImage decoded = decode(gif);
        QVERIFY2(!decoded.isNull(), "Qt cannot read the GIF");
        const QString diff = difference(image, decoded);
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
    }

    void gifRefusesWhatItCannotWrite()
    {
        QString error;
        QVERIFY(gif::encode(noise(40, 40, 257), &error).isEmpty());
        QVERIFY(error.contains(QStringLiteral("256")));
        error.clear();
        QVERIFY(gif::encode(QImage(), &error).isEmpty());
        QVERIFY(!error.isEmpty());
    }

    void lzwStreamOfAKnownInput()
    {
        // 0 0 0 0 with 2-bit indices: clear(4) 0 6 0 end(5). The table then
        // holds 8 codes, so the end code is 4 bits wide:
        // 100 000 110 000 0101, packed from the low bit: 0x84 0x51.
        QCOMPARE(gif::lzwCompress(QByteArray(4, '\0'), 2), QByteArray("\x84\x51", 2));
        // A single index: clear(4) 1 end(5), all 3 bits: 100 001 101 -> 0x4C 0x01.
        QCOMPARE(gif::lzwCompress(QByteArray(1, '\1'), 2), QByteArray("\x4C\x01", 2));
        // Ends just as the table reaches 16 codes: the end code is written
        // one bit wider, and its last bit needs a byte of its own. (Qt's reader
        // stops at the last pixel, so the image read back cannot show this.)
        const char widened[] = {1, 2, 3, 2, 0, 2, 2, 2, 0, 1, 3, 0};
        QCOMPARE(gif::lzwCompress(QByteArray(widened, sizeof widened), 2),
                 QByteArray("\x8C\x26\x20\x0B\x31\x50\x00", 7));
        QVERIFY(gif::lzwCompress(QByteArray(), 2).isEmpty());
    }

    void distinctColoursInOrderOfAppearance()
    {
        QImage image(3, 2, QImage::Format_RGB32);
        const QRgb a = qRgb(9, 9, 9), b = qRgb(200, 0, 0), d = qRgb(0, 0, 200);
        const QRgb pixels[2][3] = {{b, a, b}, {d, a, a}};
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                image.setPixel(x, y, pixels[y][x]);
        QCOMPARE(gif::distinctColours(image), (QList<QRgb>{b, a, d}));
        // Counting stops as soon as there are too many for a GIF.
        QCOMPARE(gif::distinctColours(noise(100, 100, 300)).size(), 257);
    }

    void snapMovesEveryPixelToTheNearestPaletteColour()
    {
        const QRgb white = qRgb(255, 255, 255), black = qRgb(0, 0, 0), red = qRgb(255, 0, 0);
        QImage image(5, 1, QImage::Format_RGB32);
        image.setPixel(0, 0, white);
        image.setPixel(1, 0, qRgb(250, 240, 245)); // near white
        image.setPixel(2, 0, qRgb(100, 20, 10));   // nearer black than red
        image.setPixel(3, 0, qRgb(200, 40, 30));   // near red
        image.setPixel(4, 0, qRgb(128, 128, 128)); // as far from white as from black
        const QImage snapped = gif::snapToPalette(image, {white, black, red});
        QCOMPARE(snapped.pixel(0, 0) | 0xFF000000u, white);
        QCOMPARE(snapped.pixel(1, 0) | 0xFF000000u, white);
        QCOMPARE(snapped.pixel(2, 0) | 0xFF000000u, black);
        QCOMPARE(snapped.pixel(3, 0) | 0xFF000000u, red);
        // 127.5 away from both would tie; 128 is one step nearer white.
        QCOMPARE(snapped.pixel(4, 0) | 0xFF000000u, white);
        QVERIFY(gif::distinctColours(snapped).size() <= 3);
    }

    // ---- Picture sizes in the manifest

    void sizesOnlyTheSizeFieldChanges()
    {
        const QString manifest = QStringLiteral(
            "# pictures\n"
            "picture Grafika_G(0) empty\n"
            "picture Grafika_G(1) < pictures/grafika-g-01.jpg 320x240\n"
            "picture  Grafika_G(2)  <  pictures/grafika-g-02.gif   240x180  \n"
            "text Podtochki(1) < texts/podtochki-1.txt\n");
        const QMap<QString, QSize> sizes = {
            {QStringLiteral("pictures/grafika-g-01.jpg"), QSize(460, 322)},
            {QStringLiteral("pictures/grafika-g-02.gif"), QSize(520, 300)}};
        const catalogue::SizeUpdate u = catalogue::updatePictureSizes(manifest, sizes);
        QCOMPARE(u.text, QStringLiteral(
            "# pictures\n"
            "picture Grafika_G(0) empty\n"
            "picture Grafika_G(1) < pictures/grafika-g-01.jpg 460x322\n"
            "picture  Grafika_G(2)  <  pictures/grafika-g-02.gif   520x300  \n"
            "text Podtochki(1) < texts/podtochki-1.txt\n"));
        QCOMPARE(u.changed.size(), 2);
        QVERIFY(u.changed.first().contains(QStringLiteral("320x240 -> 460x322")));
        QVERIFY(u.unlisted.isEmpty());
    }

    void sizesEveryLineOfAPictureUsedTwice()
    {
        const QString manifest = QStringLiteral(
            "picture Grafika_W(1) < pictures/grafika-w-1.jpg 90x90\r\n"
            "picture Grafika_W(2) < pictures/grafika-w-2.jpg 260x200\r\n"
            "picture Grafika_W(3) < pictures/grafika-w-1.jpg 90x90\r\n");
        const catalogue::SizeUpdate u = catalogue::updatePictureSizes(
            manifest, {{QStringLiteral("pictures/grafika-w-1.jpg"), QSize(96, 96)}});
        QCOMPARE(u.text, QStringLiteral(
            "picture Grafika_W(1) < pictures/grafika-w-1.jpg 96x96\r\n"
            "picture Grafika_W(2) < pictures/grafika-w-2.jpg 260x200\r\n"
            "picture Grafika_W(3) < pictures/grafika-w-1.jpg 96x96\r\n"));
        QCOMPARE(u.changed.size(), 2);
    }

    void sizesLeaveCommentsAndOtherPathsAlone()
    {
        const QString manifest = QStringLiteral(
            "# picture Grafika_G(1) < pictures/grafika-g-01.jpg 1x1\n"
            "picture Grafika_G(1) < pictures/grafika-g-01.jpg.bak 1x1\n"
            "picture Grafika_G(1) < pictures/grafika-g-01.jpg 460x322");
        const catalogue::SizeUpdate u = catalogue::updatePictureSizes(
            manifest, {{QStringLiteral("pictures/grafika-g-01.jpg"), QSize(460, 322)},
                       {QStringLiteral("pictures/grafika-g-13.jpg"), QSize(10, 10)}});
        QCOMPARE(u.text, manifest); // already right; the rest is not a picture line of the map
        QVERIFY(u.changed.isEmpty());
        QCOMPARE(u.unlisted, QStringList{QStringLiteral("pictures/grafika-g-13.jpg")});
    }

    // ---- The mathematics the pictures show

    void sieveCrossesOutWithEachPrimeFromItsSquare()
    {
        const QList<QList<int>> crossed = maths::sieveCrossings(50);
        QCOMPARE(crossed.size(), 51);
        QList<int> primes;
        for (int k = 2; k <= 50; ++k)
            if (crossed[k].isEmpty())
                primes.append(k);
        QCOMPARE(primes, (QList<int>{2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37, 41, 43, 47}));
        QCOMPARE(crossed[30], (QList<int>{2, 3, 5}));
        QCOMPARE(crossed[6], (QList<int>{2}));  // 3 starts at 9
        QCOMPARE(crossed[15], (QList<int>{3})); // 5 starts at 25
        QCOMPARE(crossed[49], (QList<int>{7}));
        QVERIFY(crossed[1].isEmpty());

        const QList<QList<int>> hundred = maths::sieveCrossings(100);
        int count = 0;
        for (int k = 2; k <= 100; ++k)
            count += hundred[k].isEmpty() ? 1 : 0;
        QCOMPARE(count, 25);
        QCOMPARE(maths::sieveCrossings(1).size(), 2);
        QCOMPARE(maths::sieveCrossings(-3).size(), 1);
    }

    void queensSearchTreeOfFour()
    {
        const QList<maths::QueensNode> tree = maths::queensSearchTree(4);
        QCOMPARE(tree.size(), 17);
        QVERIFY(tree[0].columns.isEmpty());
        QList<QList<int>> solutions, deadEnds;
        for (int i = 0; i < tree.size(); ++i) {
            if (maths::isSolution(tree[i], 4))
                solutions.append(tree[i].columns);
            if (maths::isDeadEnd(tree[i], 4))
                deadEnds.append(tree[i].columns);
            // Each child is one queen more than its parent, reached later.
            for (int child : tree[i].children) {
                QVERIFY(child > i);
                QCOMPARE(tree[child].parent, i);
                QCOMPARE(tree[child].columns.mid(0, tree[i].columns.size()), tree[i].columns);
                QCOMPARE(tree[child].columns.size(), tree[i].columns.size() + 1);
            }
        }
        QCOMPARE(solutions, (QList<QList<int>>{{2, 4, 1, 3}, {3, 1, 4, 2}}));
        QCOMPARE(deadEnds, (QList<QList<int>>{{1, 3}, {1, 4, 2}, {4, 1, 3}, {4, 2}}));
    }

    void queensSearchFindsEverySolution()
    {
        // The numbers of solutions of the n queens problem for n = 1..8.
        const QList<int> expected = {1, 0, 0, 2, 10, 4, 40, 92};
        for (int n = 1; n <= 8; ++n) {
            int found = 0;
            for (const maths::QueensNode &node : maths::queensSearchTree(n))
                found += maths::isSolution(node, n) ? 1 : 0;
            QCOMPARE(found, expected[n - 1]);
        }
    }

    void catalanNumbersAndBrackets()
    {
        QCOMPARE(maths::catalanNumbers(10),
                 (QList<long long>{1, 1, 2, 5, 14, 42, 132, 429, 1430, 4862}));
        QVERIFY(maths::catalanNumbers(0).isEmpty());
        QCOMPARE(maths::catalanNumbers(36).last(), 3116285494907301262LL); // C(35) fits long long

        QCOMPARE(maths::bracketSequences(3),
                 (QStringList{QStringLiteral("((()))"), QStringLiteral("(()())"),
                              QStringLiteral("(())()"), QStringLiteral("()(())"),
                              QStringLiteral("()()()")}));
        QCOMPARE(maths::bracketSequences(0), QStringList{QString()});
        const QList<long long> c = maths::catalanNumbers(8);
        for (int n = 0; n < 8; ++n)
            QCOMPARE(maths::bracketSequences(n).size(), c[n]);
    }

    void bracketSequencesAndTreesCorrespond()
    {
        QVERIFY(!maths::treeOf(QString()));
        // "((()))" is a chain of left children, "()()()" one of right children.
        const auto left = maths::treeOf(QStringLiteral("((()))"));
        QVERIFY(left && left->left && left->left->left && !left->right && !left->left->right);
        const auto right = maths::treeOf(QStringLiteral("()()()"));
        QVERIFY(right && right->right && right->right->right && !right->left);
        // Every sequence of 4 pairs gives its own tree and comes back from it.
        QSet<QString> seen;
        for (const QString &s : maths::bracketSequences(4)) {
            const auto tree = maths::treeOf(s);
            QCOMPARE(maths::bracketsOf(tree.get()), s);
            seen.insert(s);
        }
        QCOMPARE(seen.size(), 14);
    }

    // ---- The finished pictures

    void everyPictureFitsItsPlace()
    {
        const QList<pictures::Picture> all = pictures::drawAll();
        QStringList names;
        for (const pictures::Picture &picture : all)
            names.append(picture.fileName);
        QStringList expected;
        for (int i = 1; i <= 12; ++i)
            expected.append(QStringLiteral("grafika-g-%1.%2")
                                .arg(i, 2, 10, QLatin1Char('0'))
                                .arg(i == 2 ? QStringLiteral("gif") : QStringLiteral("jpg")));
        expected << QStringLiteral("grafika-w-1.jpg") << QStringLiteral("grafika-w-2.jpg");
        QCOMPARE(names, expected);

        // The empty picture is shown as it is in the main window's picture
        // box (103 x 144) and the card of arithmetic in the tasks window's box
        // (220 x 172; the holder adds a margin of 4); every other one is larger
        // than the tasks window's box, so that a click opens it at full size.
        for (const pictures::Picture &picture : all) {
            const QSize size = picture.image.size();
            if (picture.fileName == u"grafika-w-1.jpg")
                QVERIFY2(size.width() < 103 && size.height() < 144, qPrintable(picture.fileName));
            else if (picture.fileName == u"grafika-g-09.jpg")
                QVERIFY2(size.width() < 216 && size.height() < 168, qPrintable(picture.fileName));
            else
                QVERIFY2(size.width() > 220 && size.height() > 172, qPrintable(picture.fileName));
            const encoding::Encoded file = encoding::encode(picture);
            QVERIFY2(file.problem.isEmpty(),
                     qPrintable(picture.fileName + QStringLiteral(": ") + file.problem));
        }
    }

    void drawingIsRepeatable()
    {
        const QList<pictures::Picture> first = pictures::drawAll();
        const QList<pictures::Picture> second = pictures::drawAll();
        QCOMPARE(first.size(), second.size());
        for (int i = 0; i < first.size(); ++i)
            QVERIFY2(first[i].image == second[i].image, qPrintable(first[i].fileName));
    }
};

QTEST_MAIN(TestDrawPictures)
#include "test_draw_pictures.moc"
