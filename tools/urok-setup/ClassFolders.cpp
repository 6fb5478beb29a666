#include "ClassFolders.h"

#include "RawNames.h"

#include <QCollator>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <utility>

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

// The lesson's task save files, and the files of another lesson, by name.
class BesideNames
{
public:
    explicit BesideNames(const QString &code)
    {
        const QString escaped = QRegularExpression::escape(code);
        saveName_.setPattern(QStringLiteral("^%1_(\\d\\d)\\.TXT$").arg(escaped));
        otherSave_.setPattern(QStringLiteral("^(?!%1_)[A-Z][A-Z0-9]{1,7}_\\d\\d\\.TXT$|^(?!%1\\.)[^.]+\\.UFG$")
                                  .arg(escaped));
        for (QRegularExpression *re : {&saveName_, &otherSave_})
            re->setPatternOptions(QRegularExpression::CaseInsensitiveOption);
    }

    bool isSave(const QString &name) const { return saveName_.match(name).hasMatch(); }
    bool isOtherLesson(const QString &name) const { return otherSave_.match(name).hasMatch(); }

private:
    QRegularExpression saveName_;
    QRegularExpression otherSave_;
};

QByteArray joined(const QByteArray &folder, const QByteArray &name)
{
    return (folder.endsWith('/') ? folder : folder + '/') + name;
}

QString nameOf(const QByteArray &folder)
{
    const QByteArray last = lastPart(folder);
    return last.isEmpty() ? shownPath(folder) : shownName(last);
}

// What a folder holds of answers files, itself included: none, the files
// of one folder (its number), or of several folders.
constexpr int NoFolder = 0;
constexpr int Several = -1;
// Not among the inputs yet.
constexpr int NoRoot = -2;

int together(int a, int b)
{
    return a == NoFolder ? b : b == NoFolder || a == b ? a : Several;
}

// The search, folder by folder. A folder's answers files wait until the
// search leaves a folder that holds those of several folders: each of its
// subfolders on their way is then a pupil of that class. A class keeps only
// where it was found; its files are found again, the same way, when the
// class is read.
class Finder
{
public:
    // Searches the paths named into `out`.
    Finder(FoundClasses &out, const QSet<FileId> &outputs)
        : found_(out), out_(&out), names_(out.lessonCode), outputs_(outputs), recordAll_(out.paths.size() > 1)
    {
    }
    // Finds again what an earlier search found.
    explicit Finder(const FoundClasses &found) : found_(found), names_(found.lessonCode) {}

    void named(int index, const QByteArray &given);
    void finish();

    // The answers files of class `c` below the path named `index`.
    QList<ClassMember> membersBelow(const ClassFolder &c, int index);

private:
    void note(const QByteArray &path, const QString &message)
    {
        if (out_)
            out_->notes.append(shownPath(path) + QStringLiteral(": ") + message);
    }

    int folder(int fd, const QByteArray &path, int depth);
    void settle(qsizetype from, const QByteArray &folder);
    bool add(const ClassMember &member, const struct stat &st);
    void countSaves(const QList<Entry> &entries);
    ClassFolder &classOf(const QByteArray &key);

    // A file right in a path named: its class is known only when every path is.
    struct AtRoot
    {
        ClassMember member;
        QByteArray root;
    };

    const FoundClasses &found_;
    FoundClasses *out_ = nullptr;       // null while files are found again
    BesideNames names_;
    QSet<FileId> outputs_;
    bool recordAll_ = false;            // several paths named may meet a file twice
    int root_ = 0;                      // the path named being searched
    QList<ClassMember> waiting_;
    QList<AtRoot> atRoots_;
    QHash<QByteArray, int> rootHolds_;
    QHash<QByteArray, qsizetype> classIndex_;
    const QByteArray *again_ = nullptr; // the class whose files are found again
    QList<ClassMember> foundAgain_;
    int folders_ = 0;
};

void Finder::named(int index, const QByteArray &given)
{
    root_ = index;
    // A path the teacher names is taken even through a symbolic link.
    struct stat st{};
    if (::stat(given.constData(), &st) != 0) {
        note(given, QStringLiteral("няма такъв файл или папка"));
        return;
    }
    const QByteArray path = absolutePath(given);
    out_->paths[index] = path;
    if (S_ISDIR(st.st_mode)) {
        const int fd = ::open(given.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) {
            note(given, QStringLiteral("папката не може да се прочете"));
            return;
        }
        const qsizetype from = waiting_.size();
        const int holds = folder(fd, path, 0);
        ::close(fd);
        // Below a folder that holds one folder's files, the folder on their
        // way is the pupil (the folder named is the pupil only when the
        // file is right in it).
        settle(from, path);
        rootHolds_[path] = together(rootHolds_.value(path, NoFolder), holds);
        for (qsizetype i = from; i < waiting_.size(); ++i)
            atRoots_.append({std::move(waiting_[i]), path});
        waiting_.resize(from);
        return;
    }
    if (!S_ISREG(st.st_mode)) {
        note(given, kindOf(st));
        return;
    }
    ClassMember member{path, 0, false, true};
    const QByteArray root = folderPart(path);
    if (looksLikeAnswersFile(shownName(lastPart(path)))) {
        const int fd = ::open(root.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) {
            countSaves(entriesOf(fd));
            ::close(fd);
        }
    } else {
        member.ownName = true;
    }
    if (add(member, st)) {
        rootHolds_[root] = together(rootHolds_.value(root, NoFolder), ++folders_);
        atRoots_.append({waiting_.takeLast(), root});
    }
}

QList<ClassMember> Finder::membersBelow(const ClassFolder &c, int index)
{
    root_ = index;
    again_ = &c.key;
    foundAgain_.clear();
    const QByteArray root = found_.paths.value(index);
    const int fd = ::open(c.key.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return {};
    const qsizetype below = root.endsWith('/') ? root.size() : root.size() + 1;
    const int depth = c.key == root ? 0 : static_cast<int>(c.key.mid(below).count('/')) + 1;
    folder(fd, c.key, depth);
    ::close(fd);
    if (c.key == root)
        settle(0, c.key);
    waiting_.clear();
    return std::exchange(foundAgain_, {});
}

int Finder::folder(int fd, const QByteArray &path, int depth)
{
    if (depth > FolderDepthLimit) {
        note(path, QStringLiteral("папката е твърде дълбоко; не е претърсена"));
        return NoFolder;
    }
    QString codePage;
    shownName(lastPart(path), &codePage);
    if (!codePage.isEmpty())
        note(path, QStringLiteral("името на папката не е в UTF-8; прочетено е като %1").arg(codePage));
    const QList<Entry> entries = entriesOf(fd);
    const int here = ++folders_;
    const qsizetype from = waiting_.size();
    int holds = NoFolder;
    bool counted = false;
    for (const Entry &e : entries) {
        const QByteArray full = joined(path, e.name);
        if (looksLikeAnswersFile(shownName(e.name))) {
            if (!counted)
                countSaves(entries);
            counted = true;
            if (add({full, 0, false, false}, e.st))
                holds = together(holds, here);
        } else if (S_ISLNK(e.st.st_mode)) {
            note(full, QStringLiteral("символна връзка; не е последвана"));
        } else if (S_ISDIR(e.st.st_mode)) {
            const int sub = ::openat(fd, e.name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (sub < 0) {
                note(full, QStringLiteral("папката не може да се прочете"));
                continue;
            }
            holds = together(holds, folder(sub, full, depth + 1));
            ::close(sub);
        }
    }
    if (holds == Several)
        settle(from, path);
    return holds;
}

// The files waiting from `from` on lie in `folder`: those in its
// subfolders are pupils of the class `folder`, each the subfolder on its
// way; those right in it wait on.
void Finder::settle(qsizetype from, const QByteArray &folder)
{
    const qsizetype below = folder.endsWith('/') ? folder.size() : folder.size() + 1;
    qsizetype kept = from;
    bool settled = false;
    for (qsizetype i = from; i < waiting_.size(); ++i) {
        ClassMember &m = waiting_[i];
        const qsizetype slash = m.path.indexOf('/', below);
        if (slash < 0) {
            if (kept != i)
                waiting_[kept] = std::move(m);
            ++kept;
            continue;
        }
        settled = true;
        m.pupilEnd = static_cast<int>(slash);
        if (again_ && *again_ == folder)
            foundAgain_.append(std::move(m));
    }
    waiting_.resize(kept);
    if (settled && out_) {
        ClassFolder &c = classOf(folder);
        if (!c.searched.contains(root_))
            c.searched.append(root_);
    }
}

// The report reads the lesson's task save files beside an answers file too.
void Finder::countSaves(const QList<Entry> &entries)
{
    if (!out_)
        return;
    for (const Entry &e : entries)
        if (S_ISREG(e.st.st_mode) && outputs_.contains(fileId(e.st)) && names_.isSave(shownName(e.name)))
            out_->inputs.insert(fileId(e.st), -1);
}

// A file met again (through a hard link or another path named) is read
// once; found again, a file is taken where it was found first.
bool Finder::add(const ClassMember &member, const struct stat &st)
{
    if (S_ISREG(st.st_mode)) {
        const FileId id = fileId(st);
        const int first = found_.inputs.value(id, NoRoot);
        if (!out_) {
            const bool taken = st.st_nlink > 1 ? found_.linked.value(id) == member.path
                                               : first == NoRoot || first == root_;
            if (!taken)
                return false;
        } else {
            if (first != NoRoot) {
                note(member.path, QStringLiteral("вече е включен в отчета"));
                return false;
            }
            if (recordAll_ || st.st_nlink > 1 || outputs_.contains(id))
                out_->inputs.insert(id, root_);
            if (st.st_nlink > 1)
                out_->linked.insert(id, member.path);
        }
    }
    waiting_.append(member);
    return true;
}

ClassFolder &Finder::classOf(const QByteArray &key)
{
    const auto it = classIndex_.constFind(key);
    if (it != classIndex_.cend())
        return out_->classes[*it];
    classIndex_.insert(key, out_->classes.size());
    out_->classes.append({key, nameOf(key), shownPath(key), {}, {}});
    return out_->classes.last();
}

void Finder::finish()
{
    // A file right in a path named: the folder named is its pupil, in the
    // class of the folder above, unless the folder holds other pupils'
    // files too; then it is the class. A file named under another name is
    // a pupil of that name in the class of its folder.
    for (AtRoot &a : atRoots_) {
        QByteArray key = a.root;
        if (!a.member.ownName) {
            a.member.pupilEnd = static_cast<int>(a.root.size());
            if (rootHolds_.value(a.root) != Several)
                key = folderPart(a.root);
        }
        classOf(key).members.append(std::move(a.member));
    }
    atRoots_.clear();

    QCollator collator{QLocale(QLocale::Bulgarian, QLocale::Bulgaria)};
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(out_->classes.begin(), out_->classes.end(),
                     [&collator](const ClassFolder &a, const ClassFolder &b) {
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

FoundClasses findClasses(const QList<QByteArray> &paths, const QString &lessonCode, const QSet<FileId> &outputs)
{
    FoundClasses found;
    found.lessonCode = lessonCode;
    found.paths.resize(paths.size());
    Finder finder(found, outputs);
    for (qsizetype i = 0; i < paths.size(); ++i)
        finder.named(static_cast<int>(i), paths[i]);
    finder.finish();
    return found;
}

QList<FoundFile> FoundClasses::filesOf(const ClassFolder &c) const
{
    QList<ClassMember> members = c.members;
    for (const int index : c.searched)
        members += Finder(*this).membersBelow(c, index);
    const BesideNames names(lessonCode);
    QList<FoundFile> files;
    for (const ClassMember &m : members) {
        FoundFile f;
        f.path = m.path;
        const QString name = shownName(lastPart(m.path));
        struct stat st{};
        const int known = m.named ? ::stat(m.path.constData(), &st) : ::lstat(m.path.constData(), &st);
        if (known == 0 && !S_ISREG(st.st_mode))
            f.unread = kindOf(st);
        if (m.ownName) {
            const qsizetype dot = name.indexOf(u'.', 1);
            f.pupil = dot > 0 ? name.left(dot) : name;
            files.append(f);
            continue;
        }
        f.pupil = nameOf(m.path.left(m.pupilEnd));
        bool exact = false;
        looksLikeAnswersFile(name, &exact);
        if (!exact)
            f.nameNotes.append(QStringLiteral("файлът с отговори е с променено име; прочетен е като такъв"));
        const QByteArray folder = folderPart(m.path);
        const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) {
            for (const Entry &e : entriesOf(fd)) {
                const QString beside = shownName(e.name);
                if (names.isSave(beside) && S_ISREG(e.st.st_mode))
                    f.saved.append(joined(folder, e.name));
                else if (names.isOtherLesson(beside))
                    f.otherLesson.append(beside);
            }
            ::close(fd);
        }
        files.append(f);
    }
    return files;
}

} // namespace urok::setup
