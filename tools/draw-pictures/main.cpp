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

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QSaveFile>
#include <QTextStream>

namespace {

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(bytes);
    return file.commit();
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
        err() << "draw-pictures: give at most one directory\n";
        return 2;
    }
    const QString outDir = positional.isEmpty() ? QStringLiteral(UROK_PICTURES_DIR)
                                                : positional.first();

    const QStringList families = QFontDatabase::families();
    for (const QString &family : {QStringLiteral("DejaVu Sans"), QStringLiteral("DejaVu Sans Mono")})
        if (!families.contains(family)) {
            err() << "draw-pictures: the font \"" << family
                  << "\" is missing (Debian package fonts-dejavu-core)\n";
            return 1;
        }

    if (!QDir().mkpath(outDir)) {
        err() << "draw-pictures: cannot create " << outDir << "\n";
        return 1;
    }

    QTextStream out(stdout);
    QMap<QString, QSize> sizes;
    bool ok = true;
    for (const pictures::Picture &picture : pictures::drawAll()) {
        const encoding::Encoded file = encoding::encode(picture);
        QString problem = file.problem;
        const QString path = QDir(outDir).filePath(picture.fileName);
        if (problem.isEmpty() && !writeFile(path, file.bytes))
            problem = QStringLiteral("cannot write ") + path;
        if (!problem.isEmpty()) {
            err() << "draw-pictures: " << picture.fileName << ": " << problem << "\n";
            ok = false;
            continue;
        }
        out << picture.fileName << "  " << picture.image.width() << "x" << picture.image.height()
            << "  " << file.bytes.size() << " bytes\n";
        sizes.insert(QStringLiteral("pictures/") + picture.fileName, picture.image.size());
    }
    out.flush();

    if (parser.isSet(catalogueOption)) {
        const QString path = parser.value(catalogueOption);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            err() << "draw-pictures: cannot read " << path << "\n";
            return 1;
        }
        const QString manifest = QString::fromUtf8(file.readAll());
        file.close();
        const catalogue::SizeUpdate update = catalogue::updatePictureSizes(manifest, sizes);
        for (const QString &name : update.unlisted)
            err() << "draw-pictures: no picture line of " << path << " names " << name << "\n";
        if (!update.changed.isEmpty()) {
            if (!writeFile(path, update.text.toUtf8())) {
                err() << "draw-pictures: cannot write " << path << "\n";
                return 1;
            }
            for (const QString &change : update.changed)
                out << "catalogue: " << change << "\n";
        }
    }
    return ok ? 0 : 1;
}
