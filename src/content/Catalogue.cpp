#include "content/Catalogue.h"

#include <QFile>
#include <QStringDecoder>

#include <set>

namespace urok {

namespace {

const QString crlf = QStringLiteral("\r\n");

struct Address
{
    Holder holder;
    int first;
    int last;
};

bool isNumber(QStringView text)
{
    if (text.isEmpty() || text.size() > 9)
        return false;
    for (const QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

// Data files are UTF-8 with LF line ends; the lesson's texts use CR LF.
std::optional<QString> decodeUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

QStringList splitLines(const QString &text)
{
    QString t = text;
    t.replace(crlf, QStringLiteral("\n"));
    QStringList lines = t.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the file's final line end
    return lines;
}

// A file's text as the lesson keeps it: CR LF line ends, without the
// final line end that editors add.
QString lessonText(QString text)
{
    text.replace(crlf, QStringLiteral("\n"));
    if (text.endsWith(u'\n'))
        text.chop(1);
    text.replace(u'\n', crlf);
    return text;
}

std::optional<QString> readFile(const Catalogue::FileReader &read, const QString &path,
                                QString *problem)
{
    const auto bytes = read ? read(path) : std::nullopt;
    if (!bytes) {
        *problem = QStringLiteral("cannot read %1").arg(path);
        return std::nullopt;
    }
    auto text = decodeUtf8(*bytes);
    if (!text)
        *problem = QStringLiteral("%1 is not UTF-8").arg(path);
    return text;
}

// The length lessonText() would give for a UTF-8 file, counted on its bytes.
qsizetype lessonTextLength(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    if (bytes.endsWith("\r\n"))
        bytes = bytes.chopped(2);
    else if (bytes.endsWith("\n"))
        bytes = bytes.chopped(1);
    qsizetype length = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if ((b & 0xC0) != 0x80)
            ++length; // the first byte of a character
        if (b >= 0xF0)
            ++length; // beyond the first plane: two UTF-16 units
        if (b == '\n' && (i == 0 || bytes[i - 1] != '\r'))
            ++length; // a bare LF becomes CR LF
    }
    return length;
}

struct TaskLines
{
    QStringList items;
    std::array<int, 3> numbers; // line count, first condition line, first solution line
};

// A task file: the hint, the second hint, the condition and the solution,
// each after its marker line.
std::optional<TaskLines> parseTask(const QString &text, const QString &path, QString *problem)
{
    static const QStringList markers{QStringLiteral("@hint"), QStringLiteral("@hint2"),
                                     QStringLiteral("@condition"), QStringLiteral("@solution")};
    QList<QStringList> sections(markers.size());
    int section = -1;
    for (const QString &l : splitLines(text)) {
        const qsizetype marker = markers.indexOf(l.trimmed());
        if (marker >= 0) {
            if (marker != section + 1) {
                *problem = QStringLiteral("%1: the marker %2 is out of order").arg(path, l);
                return std::nullopt;
            }
            section = static_cast<int>(marker);
            continue;
        }
        if (section < 0) {
            *problem = QStringLiteral("%1: text before @hint").arg(path);
            return std::nullopt;
        }
        sections[section].append(l);
    }
    if (section != markers.size() - 1) {
        *problem = QStringLiteral("%1: a section is missing").arg(path);
        return std::nullopt;
    }
    // Blank lines around a section belong to the file's layout, not the task.
    for (QStringList &s : sections) {
        while (!s.isEmpty() && s.last().trimmed().isEmpty())
            s.removeLast();
    }
    if (sections[0].size() != 1 || sections[1].size() != 1) {
        *problem = QStringLiteral("%1: a hint is exactly one line").arg(path);
        return std::nullopt;
    }
    if (sections[2].isEmpty() || sections[3].isEmpty()) {
        *problem = QStringLiteral("%1: the condition and the solution may not be empty").arg(path);
        return std::nullopt;
    }
    TaskLines task;
    task.items = sections[0] + sections[1];
    const int firstCondition = static_cast<int>(task.items.size());
    task.items += sections[2];
    const int firstSolution = static_cast<int>(task.items.size());
    task.items += sections[3];
    task.numbers = {static_cast<int>(task.items.size()), firstCondition, firstSolution};
    return task;
}

} // namespace

class CatalogueParser
{
public:
    CatalogueParser(Catalogue &catalogue, const Catalogue::FileReader &read, QString root)
        : c_(catalogue)
        , read_(read)
        , root_(std::move(root))
    {
    }

    void run(const QString &manifest)
    {
        const QStringList lines = splitLines(manifest);
        for (line_ = 0; line_ < lines.size(); ++line_) {
            const QString raw = lines[line_];
            const QString line = raw.trimmed();
            if (line.isEmpty() || line.startsWith(u'#'))
                continue;
            if (inList_) {
                listLine(line);
                continue;
            }
            directive(line);
        }
        if (inList_)
            error(QStringLiteral("the list %1 has no \"end\"").arg(listName_));
    }

private:
    void error(const QString &message)
    {
        c_.errors_.append(QStringLiteral("catalogue.txt:%1: %2").arg(line_ + 1).arg(message));
    }

    // "Name", "Name(3)" or "Name(3..9)".
    std::optional<Address> parseAddress(const QString &text)
    {
        qsizetype n = 0;
        while (n < text.size() && (text[n].isLetter() || text[n] == u'_') && text[n].unicode() < 128)
            ++n;
        const QStringView name = QStringView(text).left(n);
        const QStringView rest = QStringView(text).mid(n);
        Address a{Holder::List_Ur, 0, 0};
        if (!rest.isEmpty()) {
            if (!rest.startsWith(u'(') || !rest.endsWith(u')')) {
                error(QStringLiteral("not a holder: %1").arg(text));
                return std::nullopt;
            }
            const QStringView inner = rest.mid(1, rest.size() - 2);
            const qsizetype dots = inner.indexOf(u"..");
            const QStringView first = dots < 0 ? inner : inner.left(dots);
            const QStringView last = dots < 0 ? inner : inner.mid(dots + 2);
            if (!isNumber(first) || !isNumber(last)) {
                error(QStringLiteral("not a holder: %1").arg(text));
                return std::nullopt;
            }
            a.first = first.toInt();
            a.last = last.toInt();
        }
        if (name.isEmpty()) {
            error(QStringLiteral("not a holder: %1").arg(text));
            return std::nullopt;
        }
        const auto holder = holderByName(name);
        if (!holder) {
            error(QStringLiteral("unknown holder: %1").arg(name));
            return std::nullopt;
        }
        a.holder = *holder;
        if (a.last < a.first) {
            error(QStringLiteral("empty range: %1").arg(text));
            return std::nullopt;
        }
        return a;
    }


    // A quoted item: returns the text and the position after the closing quote.
    std::optional<std::pair<QString, qsizetype>> parseQuoted(const QString &s, qsizetype from)
    {
        if (from >= s.size() || s[from] != u'"') {
            error(QStringLiteral("expected a quoted text"));
            return std::nullopt;
        }
        QString out;
        for (qsizetype i = from + 1; i < s.size(); ++i) {
            const QChar ch = s[i];
            if (ch == u'"')
                return std::make_pair(out, i + 1);
            if (ch != u'\\') {
                out += ch;
                continue;
            }
            if (++i >= s.size())
                break;
            switch (s[i].unicode()) {
            case u'"': out += u'"'; break;
            case u'\\': out += u'\\'; break;
            case u't': out += u'\t'; break;
            case u'r': out += u'\r'; break;
            case u'n': out += u'\n'; break;
            default:
                error(QStringLiteral("unknown escape \\%1").arg(s[i]));
                return std::nullopt;
            }
        }
        error(QStringLiteral("unterminated quoted text"));
        return std::nullopt;
    }

    bool checkKind(const Address &a, HolderKind kind)
    {
        if (holderKind(a.holder) == kind)
            return true;
        error(QStringLiteral("%1 is not a holder of this kind").arg(holderName(a.holder)));
        return false;
    }

    template <class Map, class Value>
    void define(Map &map, const Address &a, const Value &value)
    {
        for (int e = a.first; e <= a.last; ++e) {
            if (!map.emplace(Catalogue::Key{a.holder, e}, value).second)
                error(QStringLiteral("%1 is defined twice").arg(holderAddress(a.holder, e)));
        }
    }

    // "list ADDRESS", "text ...", "picture ..." or "task ...".
    void directive(const QString &line)
    {
        const qsizetype blank = line.indexOf(u' ');
        const QString word = line.left(blank);
        const QString rest = blank < 0 ? QString() : line.mid(blank + 1).trimmed();
        if (word == u"list") {
            listDirective(rest);
            return;
        }
        const std::optional<Definition> d = definition(rest);
        if (!d)
            return;
        if (word == u"text")
            textDirective(*d);
        else if (word == u"picture")
            pictureDirective(*d);
        else if (word == u"task")
            taskDirective(*d);
        else
            error(QStringLiteral("unknown directive %1").arg(word));
    }

    // What a directive other than "list" defines: ADDRESS = "text",
    // ADDRESS < file ..., ADDRESS empty.
    struct Definition
    {
        Address a;
        QString how;
        QString value;
    };

    std::optional<Definition> definition(const QString &rest)
    {
        const qsizetype gap = rest.indexOf(u' ');
        const QString after = gap < 0 ? QString() : rest.mid(gap + 1).trimmed();
        QString how;
        QString value;
        if (after == u"empty") {
            how = after;
        } else if (after.startsWith(u'=') || after.startsWith(u'<')) {
            how = after.left(1);
            value = after.mid(1).trimmed();
        } else {
            error(QStringLiteral("cannot read the line"));
            return std::nullopt;
        }
        const auto a = parseAddress(rest.left(gap));
        if (!a)
            return std::nullopt;
        return Definition{*a, how, value};
    }

    void listDirective(const QString &rest)
    {
        const auto a = parseAddress(rest);
        if (!a || !checkKind(*a, HolderKind::List))
            return;
        inList_ = true;
        listAddress_ = *a;
        listName_ = rest;
        listItems_.clear();
    }

    void textDirective(const Definition &d)
    {
        if (!checkKind(d.a, HolderKind::Text))
            return;
        if (d.how == u"=") {
            const auto q = parseQuoted(d.value, 0);
            if (q && q->second == d.value.size())
                define(c_.texts_, d.a, Catalogue::LazyText{QString(), q->first});
            else if (q)
                error(QStringLiteral("text after the quoted text"));
        } else if (d.how == u"<") {
            define(c_.texts_, d.a, Catalogue::LazyText{d.value, std::nullopt});
        } else {
            error(QStringLiteral("a text is written inline or read from a file"));
        }
    }

    // "< FILE WIDTHxHEIGHT", then what it shows in double quotes; or "empty".
    void pictureDirective(const Definition &d)
    {
        if (!checkKind(d.a, HolderKind::Picture))
            return;
        if (d.how == u"empty") {
            define(c_.pictures_, d.a, Picture());
            return;
        }
        QString value = d.value;
        QString description;
        const qsizetype quote = value.indexOf(u'"');
        if (quote >= 0) {
            const auto q = parseQuoted(value, quote);
            if (!q)
                return;
            if (q->second != value.size()) {
                error(QStringLiteral("text after the picture's description"));
                return;
            }
            description = q->first;
            value = value.left(quote).trimmed();
        }
        const qsizetype space = value.lastIndexOf(u' ');
        const QString file = value.left(space).trimmed();
        const QStringView size = QStringView(value).mid(space + 1);
        const qsizetype x = size.indexOf(u'x');
        if (d.how != u"<" || space < 0 || file.isEmpty() || file.contains(u' ') || x < 0
            || !isNumber(size.left(x)) || !isNumber(size.mid(x + 1))) {
            error(QStringLiteral("a picture is \"< file WIDTHxHEIGHT [\"description\"]\" or \"empty\""));
            return;
        }
        define(c_.pictures_, d.a,
               Picture(root_ + file, QSize(size.left(x).toInt(), size.mid(x + 1).toInt()), description));
    }

    void taskDirective(const Definition &d)
    {
        if (d.a.holder != Holder::Uslowie_L || d.a.first != d.a.last || d.how != u"<") {
            error(QStringLiteral("a task is \"task Uslowie_L(k) < file\""));
            return;
        }
        if (c_.taskFiles_.count(d.a.first) || c_.lists_.count({Holder::Uslowie_L, d.a.first}))
            error(QStringLiteral("Uslowie_L(%1) is defined twice").arg(d.a.first));
        else
            c_.taskFiles_[d.a.first] = d.value;
    }

    void listLine(const QString &line)
    {
        if (line == u"end") {
            inList_ = false;
            for (int e = listAddress_.first; e <= listAddress_.last; ++e)
                if (listAddress_.holder == Holder::Uslowie_L && c_.taskFiles_.count(e))
                    error(QStringLiteral("Uslowie_L(%1) is defined twice").arg(e));
            define(c_.lists_, listAddress_, listItems_);
            return;
        }
        const auto q = parseQuoted(line, 0);
        if (!q)
            return;
        const QString tail = line.mid(q->second).trimmed();
        int times = 1;
        if (!tail.isEmpty()) {
            const QString count = tail.mid(1).trimmed();
            if (!tail.startsWith(u'*') || !isNumber(count)) {
                error(QStringLiteral("an item is a quoted text, optionally \"* N\""));
                return;
            }
            times = count.toInt();
        }
        for (int i = 0; i < times; ++i)
            listItems_.append(q->first);
    }

    Catalogue &c_;
    const Catalogue::FileReader &read_;
    QString root_;
    qsizetype line_ = 0;
    bool inList_ = false;
    Address listAddress_{};
    QString listName_;
    QStringList listItems_;
};

Catalogue Catalogue::parse(const QString &manifest, const FileReader &read, const QString &root)
{
    Catalogue c;
    c.read_ = read;
    CatalogueParser(c, read, root).run(manifest);
    return c;
}

const Catalogue &Catalogue::builtIn()
{
    static const Catalogue catalogue = [] {
        const QString root = QStringLiteral(":/data/");
        const FileReader read = [root](const QString &path) -> std::optional<QByteArray> {
            QFile f(root + path);
            if (!f.open(QIODevice::ReadOnly))
                return std::nullopt;
            return f.readAll();
        };
        const auto manifest = read(QStringLiteral("catalogue.txt"));
        Catalogue c = parse(manifest ? QString::fromUtf8(*manifest) : QString(), read, root);
        if (!manifest)
            c.errors_.append(QStringLiteral("the lesson's data is missing from the program"));
        for (const QString &e : c.errors_)
            qWarning("lesson data: %s", qUtf8Printable(e));
        return c;
    }();
    return catalogue;
}

void Catalogue::problem(const QString &message) const
{
    errors_.append(message);
    qWarning("lesson data: %s", qUtf8Printable(message));
}

void Catalogue::loadTasks() const
{
    if (tasksLoaded_)
        return;
    tasksLoaded_ = true;
    for (const auto &[number, path] : taskFiles_) {
        QString why;
        const auto text = readFile(read_, path, &why);
        const auto task = text ? parseTask(*text, path, &why) : std::nullopt;
        if (!task) {
            problem(why);
            continue;
        }
        lists_[{Holder::Uslowie_L, number}] = task->items;
        // The line numbers of a task come from its file, so that they
        // always agree with its lines.
        for (int e = 0; e < 3; ++e) {
            auto it = lists_.find({Holder::Redowe_L, e});
            if (it == lists_.end() || number >= it->second.size()) {
                problem(QStringLiteral("Redowe_L(%1) has no item %2").arg(e).arg(number));
                continue;
            }
            it->second[number] = QString::number(task->numbers[e]);
        }
    }
}

const QStringList &Catalogue::loadAll() const
{
    loadTasks();
    for (const auto &[key, text] : texts_)
        this->text(key.first, key.second);
    return errors_;
}

bool Catalogue::hasList(Holder holder, int element) const
{
    if (holder == Holder::Uslowie_L && taskFiles_.count(element))
        return true;
    return lists_.count({holder, element}) > 0;
}

QStringList Catalogue::list(Holder holder, int element) const
{
    if (holder == Holder::Redowe_L || (holder == Holder::Uslowie_L && taskFiles_.count(element)))
        loadTasks();
    const auto it = lists_.find({holder, element});
    return it == lists_.end() ? QStringList() : it->second;
}

QString Catalogue::text(Holder holder, int element) const
{
    const auto it = texts_.find({holder, element});
    if (it == texts_.end())
        return {};
    const LazyText &t = it->second;
    if (!t.text) {
        QString why;
        const auto text = readFile(read_, t.path, &why);
        if (!text)
            problem(why);
        t.text = text ? lessonText(*text) : QString();
    }
    return *t.text;
}

qsizetype Catalogue::textLength(Holder holder, int element) const
{
    const auto it = texts_.find({holder, element});
    if (it == texts_.end())
        return 0;
    if (it->second.text || !read_)
        return text(holder, element).size();
    const auto bytes = read_(it->second.path);
    if (!bytes)
        return text(holder, element).size(); // reports the problem
    return lessonTextLength(*bytes);
}

const Picture &Catalogue::picture(Holder holder, int element) const
{
    static const Picture none;
    const auto it = pictures_.find({holder, element});
    return it == pictures_.end() ? none : it->second;
}

QList<int> Catalogue::elements(Holder holder) const
{
    std::set<int> found;
    for (const auto &[key, value] : lists_)
        if (key.first == holder)
            found.insert(key.second);
    for (const auto &[key, value] : texts_)
        if (key.first == holder)
            found.insert(key.second);
    if (holder == Holder::Uslowie_L)
        for (const auto &[number, path] : taskFiles_)
            found.insert(number);
    for (const auto &[key, value] : pictures_)
        if (key.first == holder)
            found.insert(key.second);
    return QList<int>(found.begin(), found.end());
}

} // namespace urok
