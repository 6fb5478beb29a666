#include "ClassFolders.h"

#include "RawNames.h"

#include <QCollator>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <map>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace urok::setup {

namespace {

// Folders deeper than this below a path named are not searched.
constexpr int FolderDepthLimit = 32;

FileId fileId(const struct stat &st)
{
    return {quint64(st.st_dev), quint64(st.st_ino)};
}

struct Entry
{
    QByteArray name;
    struct stat st {};
};

// The entries of an open folder in the order of their names' bytes; links
// are not followed.
QList<Entry> entriesOf(int fd)
{
    QList<Entry> entries;
    const int listing = ::dup(fd);
    DIR *dir = listing < 0 ? nullptr : ::fdopendir(listing);
    if (!dir) {
        if (listing >= 0)
            ::close(listing);
        return entries;
    }
    while (const dirent *d = ::readdir(dir)) {
        const QByteArray name(d->d_name);
        if (name == "." || name == "..")
            continue;
        Entry e{name, {}};
        if (::fstatat(fd, d->d_name, &e.st, AT_SYMLINK_NOFOLLOW) == 0)
            entries.append(e);
    }
    ::closedir(dir);
    std::sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) { return a.name < b.name; });
    return entries;
}

QString kindOf(const struct stat &st)
{
    if (S_ISLNK(st.st_mode))
        return QStringLiteral("това е символна връзка, а не файл; не е последвана");
    if (S_ISDIR(st.st_mode))
        return QStringLiteral("това е папка, а не файл с отговори");
    if (S_ISFIFO(st.st_mode))
        return QStringLiteral("това е канал (FIFO), а не файл; не е четен");
    return QStringLiteral("това не е обикновен файл; не е четен");
}

// One answers file found, with where it lies below the path named: its
// path is the root's, the folders below the root, and its name.
struct Hit
{
    FoundFile file;
    QByteArray root;               // the path named (or the folder of a file named), absolute
    QString ownName;               // a file named by its own path under another name

    // How many folders lie between the root and the file.
    qsizetype depth() const
    {
        return file.path.count('/') - root.count('/') - (root.endsWith('/') ? 0 : 1);
    }
    // The root (n = 0) or the folder n levels below it on the way to the file.
    QByteArray folderAt(qsizetype n) const
    {
        if (n == 0)
            return root;
        qsizetype at = root.endsWith('/') ? root.size() - 1 : root.size();
        for (qsizetype i = 0; i <= n; ++i)
            at = file.path.indexOf('/', at) + 1;
        return file.path.left(at - 1);
    }
};

class Finder
{
public:
    Finder(const QString &code, FoundClasses &out) : out_(out)
    {
        const QString escaped = QRegularExpression::escape(code);
        saveName_.setPattern(QStringLiteral("^%1_(\\d\\d)\\.TXT$").arg(escaped));
        otherSave_.setPattern(QStringLiteral("^(?!%1_)[A-Z][A-Z0-9]{1,7}_\\d\\d\\.TXT$|^(?!%1\\.)[^.]+\\.UFG$")
                                  .arg(escaped));
        for (QRegularExpression *re : {&saveName_, &otherSave_})
            re->setPatternOptions(QRegularExpression::CaseInsensitiveOption);
    }

    void named(const QByteArray &given);
    void finish();

private:
    void note(const QByteArray &path, const QString &message)
    {
        out_.notes.append(shownPath(path) + QStringLiteral(": ") + message);
    }

    void folder(int fd, const QByteArray &path, const QByteArray &root, int depth);
    void add(const Hit &hit, const struct stat &st);
    void besides(Hit &hit, const QList<Entry> &entries, const QByteArray &folderPath);

    FoundClasses &out_;
    QRegularExpression saveName_;
    QRegularExpression otherSave_;
    QList<Hit> hits_;
    int folders_ = 0;
};

void Finder::named(const QByteArray &given)
{
    // A path the teacher names is taken even through a symbolic link.
    struct stat st{};
    if (::stat(given.constData(), &st) != 0) {
        note(given, QStringLiteral("няма такъв файл или папка"));
        return;
    }
    const QByteArray path = absolutePath(given);
    if (S_ISDIR(st.st_mode)) {
        const int fd = ::open(given.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) {
            note(given, QStringLiteral("папката не може да се прочете"));
            return;
        }
        folder(fd, path, path, 0);
        ::close(fd);
        return;
    }
    if (!S_ISREG(st.st_mode)) {
        note(given, kindOf(st));
        return;
    }
    Hit hit;
    hit.file.path = path;
    hit.file.folder = ++folders_;
    hit.root = folderPart(path);
    const QString name = shownName(lastPart(path));
    bool exact = false;
    if (looksLikeAnswersFile(name, &exact)) {
        if (!exact)
            hit.file.nameNotes.append(QStringLiteral("файлът с отговори е с променено име; прочетен е като такъв"));
        const int fd = ::open(hit.root.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) {
            besides(hit, entriesOf(fd), hit.root);
            ::close(fd);
        }
    } else {
        const qsizetype dot = name.indexOf(u'.', 1);
        hit.ownName = dot > 0 ? name.left(dot) : name;
    }
    add(hit, st);
}

void Finder::folder(int fd, const QByteArray &path, const QByteArray &root, int depth)
{
    if (depth > FolderDepthLimit) {
        note(path, QStringLiteral("папката е твърде дълбоко; не е претърсена"));
        return;
    }
    QString codePage;
    shownName(lastPart(path), &codePage);
    if (!codePage.isEmpty())
        note(path, QStringLiteral("името на папката не е в UTF-8; прочетено е като %1").arg(codePage));
    const QList<Entry> entries = entriesOf(fd);
    const int here = ++folders_;
    for (const Entry &e : entries) {
        const QByteArray full = (path.endsWith('/') ? path : path + '/') + e.name;
        bool exact = false;
        if (looksLikeAnswersFile(shownName(e.name), &exact)) {
            Hit hit;
            hit.file.path = full;
            hit.file.folder = here;
            hit.root = root;
            if (!exact)
                hit.file.nameNotes.append(QStringLiteral("файлът с отговори е с променено име; прочетен е като такъв"));
            if (!S_ISREG(e.st.st_mode))
                hit.file.unread = kindOf(e.st);
            besides(hit, entries, path);
            add(hit, e.st);
        } else if (S_ISLNK(e.st.st_mode)) {
            note(full, QStringLiteral("символна връзка; не е последвана"));
        } else if (S_ISDIR(e.st.st_mode)) {
            const int sub = ::openat(fd, e.name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (sub < 0) {
                note(full, QStringLiteral("папката не може да се прочете"));
                continue;
            }
            folder(sub, full, root, depth + 1);
            ::close(sub);
        }
    }
}

// The lesson's task save files beside an answers file, and the files of
// another lesson.
void Finder::besides(Hit &hit, const QList<Entry> &entries, const QByteArray &folderPath)
{
    for (const Entry &e : entries) {
        const QString name = shownName(e.name);
        if (saveName_.match(name).hasMatch() && S_ISREG(e.st.st_mode)) {
            hit.file.saved.append((folderPath.endsWith('/') ? folderPath : folderPath + '/') + e.name);
            out_.inputs.insert(fileId(e.st));
        } else if (otherSave_.match(name).hasMatch()) {
            hit.file.otherLesson.append(name);
        }
    }
}

void Finder::add(const Hit &hit, const struct stat &st)
{
    if (S_ISREG(st.st_mode) && out_.inputs.contains(fileId(st))) {
        note(hit.file.path, QStringLiteral("вече е включен в отчета"));
        return;
    }
    if (S_ISREG(st.st_mode))
        out_.inputs.insert(fileId(st));
    hits_.append(hit);
}

QString nameOf(const QByteArray &folder)
{
    const QByteArray last = lastPart(folder);
    return last.isEmpty() ? shownPath(folder) : shownName(last);
}

void Finder::finish()
{
    // Which folder with answers files each folder holds, itself included:
    // its number, or Several. A school year holds thousands of folders, so
    // nothing more is kept of each.
    constexpr int Several = -1;
    QHash<QByteArray, int> holds;
    for (const Hit &h : hits_)
        for (qsizetype n = 0; n <= h.depth(); ++n) {
            const QByteArray folder = h.folderAt(n);
            const auto it = holds.find(folder);
            if (it == holds.end())
                holds.insert(folder, h.file.folder);
            else if (*it != h.file.folder)
                *it = Several;
        }

    std::map<QByteArray, ClassFolder> classes;
    for (Hit &h : hits_) {
        QByteArray classKey;
        if (!h.ownName.isEmpty()) {
            classKey = h.root;
            h.file.pupil = h.ownName;
        } else {
            // The folder named is the pupil only when the file is right in it.
            const qsizetype depth = h.depth();
            qsizetype n = depth == 0 ? 0 : 1;
            while (n < depth && holds.value(h.folderAt(n)) == Several)
                ++n;
            const QByteArray pupil = h.folderAt(n);
            const bool rootHoldsOthers = n == 0 && holds.value(h.root) == Several;
            classKey = rootHoldsOthers ? h.root : folderPart(pupil);
            h.file.pupil = nameOf(pupil);
        }
        ClassFolder &c = classes[classKey];
        c.key = classKey;
        c.name = nameOf(classKey);
        c.shownPath = shownPath(classKey);
        c.files.append(std::move(h.file));
    }
    for (auto &[key, c] : classes)
        out_.classes.append(std::move(c));

    QCollator collator{QLocale(QLocale::Bulgarian, QLocale::Bulgaria)};
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(out_.classes.begin(), out_.classes.end(), [&collator](const ClassFolder &a, const ClassFolder &b) {
        const int c = collator.compare(a.name, b.name);
        return c != 0 ? c < 0 : a.key < b.key;
    });
}

} // namespace

bool looksLikeAnswersFile(const QString &name, bool *exact)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(?:(?:copy of|копие на)\\s+)?OTGOWOR[IS]"
                       "((?:[\\s_-]*(?:\\(\\d{1,4}\\)|copy|копие|kopie))*)((?:\\.txt)*)$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    const QRegularExpressionMatch m = pattern.match(name);
    if (exact)
        *exact = m.hasMatch() && m.capturedLength(1) == 0 && m.capturedLength(2) == 4
                 && !name.startsWith(u'c', Qt::CaseInsensitive) && !name.startsWith(u'к', Qt::CaseInsensitive);
    return m.hasMatch();
}

FoundClasses findClasses(const QList<QByteArray> &paths, const QString &lessonCode)
{
    FoundClasses found;
    Finder finder(lessonCode, found);
    for (const QByteArray &p : paths)
        finder.named(p);
    finder.finish();
    return found;
}

} // namespace urok::setup
