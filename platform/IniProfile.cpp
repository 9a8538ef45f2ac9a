#include "platform/IniProfile.h"

#include "platform/AtomicFile.h"

#include <QFile>

#include <limits>
#include <vector>

namespace platform {

namespace {

// The file is kept as its raw lines so that a write changes only the line it
// concerns and every other byte (endings, comments, odd encodings) survives.
struct Line
{
    enum class Kind { Other, Section, Key };
    QByteArray raw;    // without its ending
    QByteArray ending; // "\r\n", "\n" or "" (last line)
    Kind kind = Kind::Other;
    QString name;  // section or key name, trimmed
    QString value; // key value, trimmed
};

class IniLines
{
public:
    explicit IniLines(const QString& file)
    {
        QFile in(file);
        if (!in.open(QIODevice::ReadOnly))
            return;
        const QByteArray bytes = in.readAll();
        qsizetype start = 0;
        while (start < bytes.size()) {
            qsizetype end = bytes.indexOf('\n', start);
            Line line;
            if (end < 0) {
                line.raw = bytes.mid(start);
                end = bytes.size();
            } else {
                const bool crlf = end > start && bytes[end - 1] == '\r';
                line.raw = bytes.mid(start, end - start - (crlf ? 1 : 0));
                line.ending = crlf ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
                ++end;
            }
            parse(line, m_lines.empty());
            m_lines.push_back(std::move(line));
            start = end;
        }
    }

    std::vector<Line>& lines() { return m_lines; }

    // Index of the first section of that name, or -1.
    qsizetype findSection(const QString& section) const
    {
        for (size_t i = 0; i < m_lines.size(); ++i) {
            if (m_lines[i].kind == Line::Kind::Section && sameName(m_lines[i].name, section))
                return qsizetype(i);
        }
        return -1;
    }

    // One past the last line of the section that starts at sectionIndex.
    qsizetype sectionEnd(qsizetype sectionIndex) const
    {
        qsizetype i = sectionIndex + 1;
        while (i < qsizetype(m_lines.size()) && m_lines[i].kind != Line::Kind::Section)
            ++i;
        return i;
    }

    qsizetype findKey(const QString& section, const QString& key) const
    {
        const qsizetype s = findSection(section);
        if (s < 0)
            return -1;
        const qsizetype end = sectionEnd(s);
        for (qsizetype i = s + 1; i < end; ++i) {
            if (m_lines[i].kind == Line::Kind::Key && sameName(m_lines[i].name, key.trimmed()))
                return i;
        }
        return -1;
    }

    QByteArray lineEnding() const
    {
        for (const Line& line : m_lines) {
            if (!line.ending.isEmpty())
                return line.ending;
        }
        return QByteArrayLiteral("\n");
    }

    QByteArray bytes() const
    {
        QByteArray out;
        for (const Line& line : m_lines)
            out += line.raw + line.ending;
        return out;
    }

    static bool sameName(const QString& a, const QString& b)
    {
        return a.compare(b, Qt::CaseInsensitive) == 0;
    }

private:
    static void parse(Line& line, bool first)
    {
        QByteArray raw = line.raw;
        if (first && raw.startsWith("\xEF\xBB\xBF"))
            raw.remove(0, 3);
        const QString text = QString::fromUtf8(raw).trimmed();
        if (text.isEmpty() || text.startsWith(QLatin1Char(';')))
            return;
        if (text.startsWith(QLatin1Char('['))) {
            const qsizetype close = text.indexOf(QLatin1Char(']'));
            line.kind = Line::Kind::Section;
            line.name = (close < 0 ? text.mid(1) : text.mid(1, close - 1)).trimmed();
            return;
        }
        const qsizetype eq = text.indexOf(QLatin1Char('='));
        if (eq <= 0)
            return;
        line.kind = Line::Kind::Key;
        line.name = text.left(eq).trimmed();
        line.value = text.mid(eq + 1).trimmed();
    }

    std::vector<Line> m_lines;
};

bool hasLineBreak(const QString& text)
{
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')) ||
           text.contains(QChar(0));
}

// Text that would read back as something else, or split the line, is refused.
bool isWritable(const QString& section, const QString& key, const QString& value)
{
    const QString k = key.trimmed();
    return !section.trimmed().isEmpty() && !hasLineBreak(section) &&
           !section.contains(QLatin1Char(']')) && !k.isEmpty() && !hasLineBreak(key) &&
           !k.contains(QLatin1Char('=')) && !k.startsWith(QLatin1Char(';')) &&
           !k.startsWith(QLatin1Char('[')) && !hasLineBreak(value);
}

} // namespace

std::optional<QString> IniProfile::readString(const QString& file, const QString& section,
                                              const QString& key)
{
    IniLines ini(file);
    const qsizetype i = ini.findKey(section, key);
    if (i < 0)
        return std::nullopt;
    return ini.lines()[i].value;
}

QString IniProfile::readString(const QString& file, const QString& section, const QString& key,
                               const QString& defaultValue)
{
    return readString(file, section, key).value_or(defaultValue);
}

int IniProfile::readInt(const QString& file, const QString& section, const QString& key,
                        int defaultValue)
{
    const auto value = readString(file, section, key);
    if (!value)
        return defaultValue;
    qsizetype i = 0;
    bool negative = false;
    if (i < value->size() && (value->at(i) == QLatin1Char('-') || value->at(i) == QLatin1Char('+')))
        negative = value->at(i++) == QLatin1Char('-');
    const qsizetype digitsStart = i;
    qint64 number = 0;
    for (;
         i < value->size() && value->at(i) >= QLatin1Char('0') && value->at(i) <= QLatin1Char('9');
         ++i) {
        // Saturate rather than wrap: a huge number must not turn negative.
        if (number <= qint64(std::numeric_limits<int>::max()) + 1)
            number = number * 10 + (value->at(i).unicode() - '0');
    }
    if (i == digitsStart)
        return defaultValue;
    if (negative)
        number = -number;
    return int(qBound(qint64(std::numeric_limits<int>::min()), number,
                      qint64(std::numeric_limits<int>::max())));
}

QStringList IniProfile::keys(const QString& file, const QString& section)
{
    IniLines ini(file);
    QStringList names;
    const qsizetype s = ini.findSection(section);
    if (s < 0)
        return names;
    const qsizetype end = ini.sectionEnd(s);
    for (qsizetype i = s + 1; i < end; ++i) {
        const Line& line = ini.lines()[i];
        if (line.kind == Line::Kind::Key && !names.contains(line.name, Qt::CaseInsensitive))
            names << line.name;
    }
    return names;
}

QStringList IniProfile::sections(const QString& file)
{
    IniLines ini(file);
    QStringList names;
    for (const Line& line : ini.lines()) {
        if (line.kind == Line::Kind::Section && !names.contains(line.name, Qt::CaseInsensitive))
            names << line.name;
    }
    return names;
}

bool IniProfile::writeString(const QString& file, const QString& section, const QString& key,
                             const QString& value)
{
    if (!isWritable(section, key, value))
        return false;
    IniLines ini(file);
    std::vector<Line>& lines = ini.lines();
    const QByteArray ending = ini.lineEnding();
    const QByteArray newValue = value.trimmed().toUtf8();

    const qsizetype k = ini.findKey(section, key);
    if (k >= 0) {
        // Keep the key as it is spelt in the file, up to and including "=".
        Line& line = lines[k];
        line.raw = line.raw.left(line.raw.indexOf('=') + 1) + newValue;
        return writeFileAtomically(file, ini.bytes());
    }

    Line added;
    added.raw = key.trimmed().toUtf8() + '=' + newValue;
    added.ending = ending;
    qsizetype at;
    const qsizetype s = ini.findSection(section);
    if (s >= 0) {
        // After the section's last key, so that comments and blank lines that
        // lead into the next section stay with it.
        at = s + 1;
        for (qsizetype i = s + 1; i < ini.sectionEnd(s); ++i) {
            if (lines[i].kind == Line::Kind::Key)
                at = i + 1;
        }
    } else {
        if (!lines.empty() && lines.back().ending.isEmpty())
            lines.back().ending = ending;
        Line header;
        header.raw = '[' + section.trimmed().toUtf8() + ']';
        header.ending = ending;
        at = qsizetype(lines.size());
        lines.insert(lines.begin() + at, header);
        ++at;
    }
    if (at > 0 && lines[at - 1].ending.isEmpty())
        lines[at - 1].ending = ending;
    lines.insert(lines.begin() + at, added);
    return writeFileAtomically(file, ini.bytes());
}

bool IniProfile::removeKey(const QString& file, const QString& section, const QString& key)
{
    IniLines ini(file);
    const qsizetype k = ini.findKey(section, key);
    if (k < 0)
        return true;
    ini.lines().erase(ini.lines().begin() + k);
    return writeFileAtomically(file, ini.bytes());
}

} // namespace platform
