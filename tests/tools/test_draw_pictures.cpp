// Tests of draw-pictures: the GIF writer (what it writes must read back
// through Qt's own GIF reader as the same image), the update of the picture sizes in
// the lesson's manifest, the mathematics the pictures show, the finished
// pictures against the places the lesson shows them in, and the tool's
// report of a file it cannot write.

#include "CatalogueSizes.h"
#include "Encoding.h"
#include "GifWriter.h"
#include "Mathematics.h"
#include "Pictures.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
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

} // namespace

class TestDrawPictures : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // ---- GIF encoder

    void gifDecodesToTheSameImage_data()
    {
        QTest::addColumn<QImage>("image");
        QTest::newRow("one pixel") << noise(1, 1, 1);
        QTest::newRow("two colours") << noise(7, 5, 2);
        QTest::newRow("three colours, table of four") << noise(9, 4, 3);
        // One long run: the encoder keeps meeting a string it has just added
        // (the case where the decoder sees a code it has not yet stored).
        QTest::newRow("one colour, long run") << noise(1000, 3, 1);
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
        // Read back the way the lesson reads it, through Qt's reader.
        QBuffer buffer(const_cast<QByteArray *>(&gif));
        QImageReader reader(&buffer, "gif");
        QCOMPARE(reader.format(), QByteArray("gif"));
        QCOMPARE(reader.read().convertToFormat(QImage::Format_RGB32), image);
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

    void lzwEndCodeOfAWidenedTable()
    {
        // Ends just as the table reaches 16 codes: the end code is written
        // one bit wider, and its last bit needs a byte of its own. (Qt's reader
        // stops at the last pixel, so the image read back cannot show this.)
        const char widened[] = {1, 2, 3, 2, 0, 2, 2, 2, 0, 1, 3, 0};
        QCOMPARE(gif::lzwCompress(QByteArray(widened, sizeof widened), 2),
                 QByteArray("\x8C\x26\x20\x0B\x31\x50\x00", 7));
        QVERIFY(gif::lzwCompress(QByteArray(), 2).isEmpty());
    }

    void snapMovesEveryPixelToTheNearestPaletteColour()
    {
        const QRgb white = qRgb(255, 255, 255), black = qRgb(0, 0, 0), red = qRgb(255, 0, 0);
        // Near white; nearer black than red; near red; 127.5 away from white
        // and black would tie, and 128 is one step nearer white.
        const QRgb from[] = {white, qRgb(250, 240, 245), qRgb(100, 20, 10), qRgb(200, 40, 30), qRgb(128, 128, 128)};
        const QRgb to[] = {white, white, black, red, white};
        QImage image(5, 1, QImage::Format_RGB32);
        for (int x = 0; x < 5; ++x)
            image.setPixel(x, 0, from[x]);
        const QImage snapped = gif::snapToPalette(image, {white, black, red});
        for (int x = 0; x < 5; ++x)
            QCOMPARE(snapped.pixel(x, 0) | 0xFF000000u, to[x]);
    }

    // ---- Picture sizes in the manifest

    // Only the size field of every line of a listed picture changes (a
    // picture used twice has two), whatever the blanks and line ends; comments
    // and other paths stay; a picture of the map not in the manifest is named.
    void sizesOnlyTheSizeFieldChanges()
    {
        const QString manifest = QStringLiteral(
            "# picture Grafika_G(1) < pictures/grafika-g-01.jpg 1x1\n"
            "picture Grafika_G(0) empty\n"
            "picture Grafika_G(1) < pictures/grafika-g-01.jpg 320x240\n"
            "picture  Grafika_G(2)  <  pictures/grafika-g-02.gif   240x180  \r\n"
            "picture Grafika_G(3) < pictures/grafika-g-01.jpg.bak 1x1\n"
            "picture Grafika_G(4) < pictures/grafika-g-01.jpg 320x240\r\n"
            "text Podtochki(1) < texts/podtochki-1.txt\n"
            "picture Grafika_W(1) < pictures/grafika-w-1.jpg 96x96");
        const QMap<QString, QSize> sizes = {{QStringLiteral("pictures/grafika-g-01.jpg"), QSize(460, 322)},
                                            {QStringLiteral("pictures/grafika-g-02.gif"), QSize(520, 300)},
                                            {QStringLiteral("pictures/grafika-w-1.jpg"), QSize(96, 96)},
                                            {QStringLiteral("pictures/grafika-g-13.jpg"), QSize(10, 10)}};
        const catalogue::SizeUpdate u = catalogue::updatePictureSizes(manifest, sizes);
        QCOMPARE(u.text, QString(manifest)
                             .replace(QStringLiteral("jpg 320x240"), QStringLiteral("jpg 460x322"))
                             .replace(QStringLiteral("gif   240x180"), QStringLiteral("gif   520x300")));
        QCOMPARE(u.changed.size(), 3);
        QVERIFY(u.changed.first().contains(QStringLiteral("320x240 -> 460x322")));
        QCOMPARE(u.unlisted, QStringList{QStringLiteral("pictures/grafika-g-13.jpg")});
    }

    // ---- The mathematics the pictures show

    void sieveCrossesOutWithEachPrimeFromItsSquare()
    {
        const QList<QList<int>> crossed = maths::sieveCrossings(100);
        QCOMPARE(crossed.size(), 101);
        QCOMPARE(std::count_if(crossed.begin() + 2, crossed.end(), [](const QList<int> &c) { return c.isEmpty(); }),
                 25);   // the primes up to 100
        QCOMPARE(crossed[30], (QList<int>{2, 3, 5}));
        QCOMPARE(crossed[6], (QList<int>{2}));  // 3 starts at 9
        QCOMPARE(crossed[15], (QList<int>{3})); // 5 starts at 25
        QCOMPARE(crossed[49], (QList<int>{7}));
        QVERIFY(crossed[1].isEmpty());
        QCOMPARE(maths::sieveCrossings(1).size(), 2);
        QCOMPARE(maths::sieveCrossings(-3).size(), 1);
    }

    void queensSearchTrees()
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

    // The tool draws every picture the lesson's catalogue names, and no other,
    // the same each time. The empty picture is shown as it is in the main
    // window's picture box (103 x 144) and the card of arithmetic in the tasks
    // window's box (220 x 172; the holder adds a margin of 4); every other one
    // is larger than the tasks window's box, so that a click opens it at full size.
    void everyPictureFitsItsPlace()
    {
        QFile catalogue(QStringLiteral(UROK_SOURCE_DIR "/data/catalogue.txt"));
        QVERIFY(catalogue.open(QIODevice::ReadOnly));
        QStringList named;
        for (const auto &m : QRegularExpression(QStringLiteral("pictures/([a-z0-9.-]+)")).globalMatch(
                 QString::fromUtf8(catalogue.readAll())))
            named.append(m.captured(1));
        named.removeDuplicates();
        named.sort();
        const QList<pictures::Picture> all = pictures::drawAll();
        const QList<pictures::Picture> again = pictures::drawAll();
        QStringList names;
        for (int i = 0; i < all.size(); ++i) {
            const pictures::Picture &picture = all[i];
            names.append(picture.fileName);
            const QSize size = picture.image.size();
            if (picture.fileName == u"grafika-w-1.png")
                QVERIFY2(size.width() < 103 && size.height() < 144, qPrintable(picture.fileName));
            else if (picture.fileName == u"grafika-g-09.jpg")
                QVERIFY2(size.width() < 216 && size.height() < 168, qPrintable(picture.fileName));
            else
                QVERIFY2(size.width() > 220 && size.height() > 172, qPrintable(picture.fileName));
            const encoding::Encoded file = encoding::encode(picture);
            QVERIFY2(file.problem.isEmpty(), qPrintable(picture.fileName + QStringLiteral(": ") + file.problem));
            QVERIFY2(picture.image == again.value(i).image, qPrintable(picture.fileName));
        }
        names.sort();
        QCOMPARE(names, named);
    }

    // A picture that cannot be written (a folder has its name) is named with
    // the reason and the tool fails; the other pictures are still written.
    void aPictureThatCannotBeWrittenIsReported()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("grafika-w-1.png")));
        QProcess p;
        p.start(QStringLiteral(UROK_BINARY_DIR "/tools/draw-pictures/draw-pictures"), {dir.path()});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 1);
        const QString err = QString::fromUtf8(p.readAllStandardError());
        const QString expected = QStringLiteral("cannot write %1: На мястото на файла има папка")
                                     .arg(QDir::toNativeSeparators(dir.filePath(QStringLiteral("grafika-w-1.png"))));
        QVERIFY2(err.contains(expected), qPrintable(err));
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("grafika-w-2.jpg"))).isFile());
    }
};

QTEST_MAIN(TestDrawPictures)
#include "test_draw_pictures.moc"
