#include "content/Catalogue.h"

#include <QFile>
#include <QRegularExpression>
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
        applyTaskLineNumbers();
    }

private:
    void error(const QString &message)
    {
        c_.errors_.append(QStringLiteral("catalogue.txt:%1: %2").arg(line_ + 1).arg(message));
    }

    std::optional<Address> parseAddress(const QString &text)
    {
        static const QRegularExpression re(
            QStringLiteral(R"(^([A-Za-z_]+)(?:\((\d+)(?:\.\.(\d+))?\))?$)"));
        const auto m = re.match(text);
        if (!m.hasMatch()) {
            error(QStringLiteral("not a holder: %1").arg(text));
            return std::nullopt;
        }
        const auto holder = holderByName(m.captured(1));
        if (!holder) {
            error(QStringLiteral("unknown holder: %1").arg(m.captured(1)));
            return std::nullopt;
        }
        Address a{*holder, 0, 0};
        if (m.hasCaptured(2)) {
            a.first = m.captured(2).toInt();
            a.last = m.hasCaptured(3) ? m.captured(3).toInt() : a.first;
        }
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

    std::optional<QString> readText(const QString &path)
    {
        const auto bytes = read_(path);
        if (!bytes) {
            error(QStringLiteral("cannot read %1").arg(path));
            return std::nullopt;
        }
        const auto text = decodeUtf8(*bytes);
        if (!text) {
            error(QStringLiteral("%1 is not UTF-8").arg(path));
            return std::nullopt;
        }
        return *text;
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

    void directive(const QString &line)
    {
        const qsizetype blank = line.indexOf(u' ');
        const QString word = line.left(blank);
        const QString rest = blank < 0 ? QString() : line.mid(blank + 1).trimmed();

        if (word == u"list") {
            const auto a = parseAddress(rest);
            if (!a || !checkKind(*a, HolderKind::List))
                return;
            inList_ = true;
            listAddress_ = *a;
            listName_ = rest;
            listItems_.clear();
            return;
        }
        static const QRegularExpression split(QStringLiteral(R"(^(\S+)\s+(=|<|empty)\s*(.*)$)"));
        const auto m = split.match(rest);
        if (!m.hasMatch()) {
            error(QStringLiteral("cannot read the line"));
            return;
        }
        const auto a = parseAddress(m.captured(1));
        if (!a)
            return;
        const QString how = m.captured(2);
        const QString value = m.captured(3).trimmed();

        if (word == u"text") {
            if (!checkKind(*a, HolderKind::Text))
                return;
            if (how == u"=") {
                const auto q = parseQuoted(value, 0);
                if (q && q->second == value.size())
                    define(c_.texts_, *a, q->first);
                else if (q)
                    error(QStringLiteral("text after the quoted text"));
            } else if (how == u"<") {
                if (const auto t = readText(value)) {
                    QString text = *t;
                    text.replace(crlf, QStringLiteral("\n"));
                    if (text.endsWith(u'\n'))
                        text.chop(1);
                    text.replace(u'\n', crlf);
                    define(c_.texts_, *a, text);
                }
            } else {
                error(QStringLiteral("a text is written inline or read from a file"));
            }
        } else if (word == u"picture") {
            if (!checkKind(*a, HolderKind::Picture))
                return;
            if (how == u"empty") {
                define(c_.pictures_, *a, Picture());
                return;
            }
            static const QRegularExpression file(QStringLiteral(R"(^(\S+)\s+(\d+)x(\d+)$)"));
            const auto f = file.match(value);
            if (how != u"<" || !f.hasMatch()) {
                error(QStringLiteral("a picture is \"< file WIDTHxHEIGHT\" or \"empty\""));
                return;
            }
            define(c_.pictures_, *a,
                   Picture(root_ + f.captured(1),
                           QSize(f.captured(2).toInt(), f.captured(3).toInt())));
        } else if (word == u"task") {
            if (a->holder != Holder::Uslowie_L || a->first != a->last || how != u"<") {
                error(QStringLiteral("a task is \"task Uslowie_L(k) < file\""));
                return;
            }
            task(a->first, value);
        } else {
            error(QStringLiteral("unknown directive %1").arg(word));
        }
    }

    void listLine(const QString &line)
    {
        if (line == u"end") {
            inList_ = false;
            define(c_.lists_, listAddress_, listItems_);
            return;
        }
        const auto q = parseQuoted(line, 0);
        if (!q)
            return;
        const QString tail = line.mid(q->second).trimmed();
        int times = 1;
        if (!tail.isEmpty()) {
            static const QRegularExpression repeat(QStringLiteral(R"(^\*\s*(\d+)$)"));
            const auto m = repeat.match(tail);
            if (!m.hasMatch()) {
                error(QStringLiteral("an item is a quoted text, optionally \"* N\""));
                return;
            }
            times = m.captured(1).toInt();
        }
        for (int i = 0; i < times; ++i)
            listItems_.append(q->first);
    }

    // A task file: the hint, the second hint, the condition and the
    // solution, each after its marker line.
    void task(int number, const QString &path)
    {
        const auto text = readText(path);
        if (!text)
            return;
        static const QStringList markers{QStringLiteral("@hint"), QStringLiteral("@hint2"),
                                         QStringLiteral("@condition"),
                                         QStringLiteral("@solution")};
        QList<QStringList> sections(markers.size());
        int section = -1;
        for (const QString &l : splitLines(*text)) {
            const qsizetype marker = markers.indexOf(l.trimmed());
            if (marker >= 0) {
                if (marker != section + 1) {
                    error(QStringLiteral("%1: the marker %2 is out of order").arg(path, l));
                    return;
                }
                section = static_cast<int>(marker);
                continue;
            }
            if (section < 0) {
                error(QStringLiteral("%1: text before @hint").arg(path));
                return;
            }
            sections[section].append(l);
        }
        if (section != markers.size() - 1) {
            error(QStringLiteral("%1: a section is missing").arg(path));
            return;
        }
        // Blank lines around a section belong to the file's layout, not the task.
        for (QStringList &s : sections) {
            while (!s.isEmpty() && s.last().trimmed().isEmpty())
                s.removeLast();
        }
        if (sections[0].size() != 1 || sections[1].size() != 1) {
            error(QStringLiteral("%1: a hint is exactly one line").arg(path));
            return;
        }
        if (sections[2].isEmpty() || sections[3].isEmpty()) {
            error(QStringLiteral("%1: the condition and the solution may not be empty").arg(path));
            return;
        }
        QStringList items = sections[0] + sections[1];
        const int firstCondition = static_cast<int>(items.size());
        items += sections[2];
        const int firstSolution = static_cast<int>(items.size());
        items += sections[3];
        define(c_.lists_, Address{Holder::Uslowie_L, number, number}, items);
        taskLines_[number] = {static_cast<int>(items.size()), firstCondition, firstSolution};
    }

    // The line numbers of the tasks are derived from the task files, so that
    // they always agree with the lines.
    void applyTaskLineNumbers()
    {
        for (const auto &[task, numbers] : taskLines_) {
            for (int e = 0; e < 3; ++e) {
                auto it = c_.lists_.find({Holder::Redowe_L, e});
                if (it == c_.lists_.end() || task >= it->second.size()) {
                    c_.errors_.append(QStringLiteral("catalogue.txt: Redowe_L(%1) has no item %2")
                                          .arg(e)
                                          .arg(task));
                    continue;
                }
                it->second[task] = QString::number(numbers[e]);
            }
        }
    }

    Catalogue &c_;
    const Catalogue::FileReader &read_;
    QString root_;
    qsizetype line_ = 0;
    bool inList_ = false;
    Address listAddress_{};
    QString listName_;
    QStringList listItems_;
    std::map<int, std::array<int, 3>> taskLines_;
};

Catalogue Catalogue::parse(const QString &manifest, const FileReader &read, const QString &root)
{
    Catalogue c;
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

bool Catalogue::hasList(Holder holder, int element) const
{
    return lists_.count({holder, element}) > 0;
}

QStringList Catalogue::list(Holder holder, int element) const
{
    const auto it = lists_.find({holder, element});
    return it == lists_.end() ? QStringList() : it->second;
}

QString Catalogue::text(Holder holder, int element) const
{
    const auto it = texts_.find({holder, element});
    return it == texts_.end() ? QString() : it->second;
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
    for (const auto &[key, value] : pictures_)
        if (key.first == holder)
            found.insert(key.second);
    return QList<int>(found.begin(), found.end());
}

} // namespace urok
