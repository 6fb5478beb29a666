// draw-pictures: draws the pictures of the lesson "Търсене на оптимално
// решение" and writes them into data/pictures (or the directory given).
//
//   draw-pictures [--catalogue FILE] [DIRECTORY]
//
// With --catalogue the size fields of the manifest's picture lines are set
// to the sizes of the images just drawn. The JPEG quality of each picture is
// lowered or raised, if needed, so that every file stays between 2 and 50 KB.

#include "CatalogueSizes.h"
#include "Encoding.h"
#include "Pictures.h"

#include "engine/LessonFolder.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QMap>
#include <QTextStream>

namespace {

void complain(const QString &message)
{
    static QTextStream err(stderr);
    err << "draw-pictures: " << message << '\n';
    err.flush();
}

// Writes the file whole or not at all, the way the lesson writes its own;
// a failure is reported with the file and the reason.
bool writeFile(const QString &path, const QByteArray &bytes)
{
    const QString why = urok::writeFileBytes(path, bytes);
    if (why.isEmpty())
        return true;
    complain(QStringLiteral("cannot write %1: %2").arg(QDir::toNativeSeparators(path), why));
    return false;
}

bool fontsPresent()
{
    const QStringList families = QFontDatabase::families();
    for (const QString &family : {QStringLiteral("DejaVu Sans"), QStringLiteral("DejaVu Sans Mono")})
        if (!families.contains(family)) {
            complain(QStringLiteral("the font \"%1\" is missing (Debian package fonts-dejavu-core)")
                         .arg(family));
            return false;
        }
    return true;
}

// Draws and writes every picture into the folder; `sizes` gets the size of
// each one written, under its path in the manifest. False when any failed.
bool writePictures(const QString &outDir, QTextStream &out, QMap<QString, QSize> &sizes)
{
    bool ok = true;
    for (const pictures::Picture &picture : pictures::drawAll()) {
        const encoding::Encoded file = encoding::encode(picture);
        if (!file.problem.isEmpty()) {
            complain(picture.fileName + QStringLiteral(": ") + file.problem);
            ok = false;
            continue;
        }
        if (!writeFile(QDir(outDir).filePath(picture.fileName), file.bytes)) {
            ok = false;
            continue;
        }
        out << picture.fileName << "  " << picture.image.width() << "x" << picture.image.height()
            << "  " << file.bytes.size() << " bytes\n";
        sizes.insert(QStringLiteral("pictures/") + picture.fileName, picture.image.size());
    }
    out.flush();
    return ok;
}

// Sets the sizes of the pictures in the manifest at `path`.
bool updateCatalogue(const QString &path, const QMap<QString, QSize> &sizes, QTextStream &out)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        complain(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        complain(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
        return false;
    }
    const catalogue::SizeUpdate update =
        catalogue::updatePictureSizes(QString::fromUtf8(bytes), sizes);
    for (const QString &name : update.unlisted)
        complain(QStringLiteral("no picture line of %1 names %2").arg(path, name));
    if (update.changed.isEmpty())
        return true;
    if (!writeFile(path, update.text.toUtf8()))
        return false;
    for (const QString &change : update.changed)
        out << "catalogue: " << change << "\n";
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    // No display is needed: draw on the offscreen platform unless told otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("draw-pictures"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Draws the pictures of the lesson."));
    parser.addHelpOption();
    const QCommandLineOption catalogueOption(
        QStringLiteral("catalogue"),
        QStringLiteral("Set the picture sizes recorded in this manifest (data/catalogue.txt)."),
        QStringLiteral("file"));
    parser.addOption(catalogueOption);
    parser.addPositionalArgument(QStringLiteral("directory"),
                                 QStringLiteral("Where to write the pictures (default: %1).")
                                     .arg(QStringLiteral(UROK_PICTURES_DIR)),
                                 QStringLiteral("[directory]"));
    parser.process(app);
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1) {
        complain(QStringLiteral("give at most one directory"));
        return 2;
    }
    const QString outDir = positional.isEmpty() ? QStringLiteral(UROK_PICTURES_DIR)
                                                : positional.first();
    if (!fontsPresent())
        return 1;
    if (!QDir().mkpath(outDir)) {
        complain(QStringLiteral("cannot create ") + outDir);
        return 1;
    }

    QTextStream out(stdout);
    QMap<QString, QSize> sizes;
    const bool written = writePictures(outDir, out, sizes);
    if (parser.isSet(catalogueOption) && !updateCatalogue(parser.value(catalogueOption), sizes, out))
        return 1;
    return written ? 0 : 1;
}
