// Every language key the sources use must be in resources/NolvarLANG.xml,
// in a module its code looks in, with the placeholders its code formats.
#include "shared/lang/CResourceLangDatas.h"
#include "shared/lang/FormatLangText.h"

#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace {

const QString kSourceDir = QStringLiteral(KORVANE_SOURCE_DIR);

// Calls whose arguments after the text are printf arguments of the key's text.
// A wrapper that takes a key and printf arguments joins this list.
const QStringList kFormattingCalls = {QStringLiteral("FormatLangText")};

// Where each folder's code looks for its texts besides the library's "Sarvik";
// an empty list means any module (the library's fallback order).
const QHash<QString, QStringList> kFolderModules = {
    {"shared", {}},
    {"platform", {}},
    {"stroven", {}},
    {"archive", {}},
    {"launcher", {"Tovanel"}},
    {"goods", {"Brelkin"}},
    {"functions", {"Kesmond"}},
    {"bases", {"Dunmarel"}},
    {"images", {"Pellark"}},
    {"monitor", {"Mervolt"}},
};

const QRegularExpression kKey(QStringLiteral("^CRD[SCDM]_[A-Za-z0-9_]*[A-Za-z0-9]$"));

struct Use
{
    QString key;
    QString file;
    QString folder;
    int formattedArgs = -1; // -1: the text is shown as it stands
};

// Code with its comments blanked out, so examples in comments are no uses.
QString stripComments(const QString& code)
{
    QString out = code;
    const qsizetype n = code.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = code[i];
        if (c == u'"' || c == u'\'') {
            for (++i; i < n && code[i] != c; ++i) {
                if (code[i] == u'\\')
                    ++i;
            }
        } else if (c == u'/' && i + 1 < n && code[i + 1] == u'/') {
            for (; i < n && code[i] != u'\n'; ++i)
                out[i] = u' ';
        } else if (c == u'/' && i + 1 < n && code[i + 1] == u'*') {
            const qsizetype end = code.indexOf(QStringLiteral("*/"), i + 2);
            const qsizetype stop = end < 0 ? n : end + 2;
            for (; i < stop; ++i)
                if (code[i] != u'\n')
                    out[i] = u' ';
            --i;
        }
    }
    return out;
}

// The string literals between from and to, and where a call's arguments end.
struct Literal
{
    qsizetype pos;
    QString text;
};

QList<Literal> literals(const QString& code)
{
    QList<Literal> result;
    const qsizetype n = code.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (code[i] == u'\'') {
            for (++i; i < n && code[i] != u'\''; ++i)
                if (code[i] == u'\\')
                    ++i;
        } else if (code[i] == u'"') {
            const qsizetype start = i;
            QString text;
            for (++i; i < n && code[i] != u'"'; ++i) {
                if (code[i] == u'\\')
                    ++i;
                if (i < n)
                    text += code[i];
            }
            result.append({start, text});
        }
    }
    return result;
}

// From the "(" at open: the index of the matching ")" and the number of
// arguments after the first.
std::pair<qsizetype, int> callExtent(const QString& code, qsizetype open)
{
    int depth = 0;
    int commas = 0;
    for (qsizetype i = open; i < code.size(); ++i) {
        const QChar c = code[i];
        if (c == u'"' || c == u'\'') {
            for (++i; i < code.size() && code[i] != c; ++i)
                if (code[i] == u'\\')
                    ++i;
        } else if (c == u'(' || c == u'{' || c == u'[') {
            ++depth;
        } else if (c == u')' || c == u'}' || c == u']') {
            if (--depth == 0)
                return {i, commas};
        } else if (c == u',' && depth == 1) {
            ++commas;
        }
    }
    return {code.size(), commas};
}

QList<Use> scanSources()
{
    QList<Use> uses;
    for (auto it = kFolderModules.constBegin(); it != kFolderModules.constEnd(); ++it) {
        QDirIterator files(kSourceDir + u'/' + it.key(), {"*.cpp", "*.h", "*.ui"}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            if (path.contains(QStringLiteral("/tests/")))
                continue; // tests use made-up keys on purpose
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly))
                continue;
            const QString text = QString::fromUtf8(file.readAll());
            if (path.endsWith(QStringLiteral(".ui"))) {
                static const QRegularExpression uiKey(
                    QStringLiteral(">(CRD[SCDM]_[A-Za-z0-9_]+)<"));
                for (const auto& m : uiKey.globalMatch(text))
                    uses.append({m.captured(1), path, it.key()});
                continue;
            }
            const QString code = stripComments(text);
            QList<std::pair<qsizetype, std::pair<qsizetype, int>>> calls;
            for (const QString& name : kFormattingCalls) {
                const QRegularExpression call(QStringLiteral("\\b%1\\s*\\(").arg(name));
                for (const auto& m : call.globalMatch(code))
                    calls.append({m.capturedEnd() - 1, callExtent(code, m.capturedEnd() - 1)});
            }
            for (const Literal& literal : literals(code)) {
                if (!kKey.match(literal.text).hasMatch())
                    continue;
                Use use{literal.text, path, it.key()};
                for (const auto& [open, extent] : calls) {
                    if (literal.pos > open && literal.pos < extent.first)
                        use.formattedArgs = extent.second;
                }
                uses.append(use);
            }
        }
    }
    return uses;
}

// Module -> key -> text of the shipped language file.
QHash<QString, QHash<QString, QString>> readLanguageFile(QString* error)
{
    QHash<QString, QHash<QString, QString>> modules;
    QFile file(kSourceDir + QStringLiteral("/resources/NolvarLANG.xml"));
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot open");
        return modules;
    }
    QXmlStreamReader reader(&file);
    QString module, key, text;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == u"module") {
            module = reader.attributes().value("name").toString();
            modules[module]; // a module without texts is still a module
        } else if (reader.isStartElement() && reader.name() == u"string") {
            key = reader.attributes().value("id").toString();
            text = reader.readElementText(QXmlStreamReader::IncludeChildElements);
            if (modules[module].contains(key.toUpper()))
                *error += QStringLiteral("%1 twice in %2; ").arg(key, module);
            modules[module].insert(key.toUpper(), text);
        }
    }
    if (reader.hasError())
        *error += reader.errorString();
    return modules;
}

TEST(LanguageKeys, TheLanguageFileIsWellFormedWithSupportedPlaceholders)
{
    QString error;
    const auto modules = readLanguageFile(&error);
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    const QStringList expected = {"Sarvik",   "Tovanel", "Brelkin",  "Kesmond",
                                  "Dunmarel", "Pellark", "Wendrath", "Mervolt"};
    for (const QString& name : expected)
        EXPECT_TRUE(modules.contains(name)) << name.toStdString();
    EXPECT_EQ(modules.size(), expected.size());
    for (auto m = modules.constBegin(); m != modules.constEnd(); ++m) {
        for (auto k = m->constBegin(); k != m->constEnd(); ++k) {
            for (const QString& p : LangTextPlaceholders(k.value()))
                EXPECT_FALSE(p.startsWith(u'?'))
                    << m.key().toStdString() << " " << k.key().toStdString()
                    << ": unsupported placeholder " << p.toStdString();
        }
    }

    CResourceLangDatas datas; // and our own reader takes it whole
    EXPECT_TRUE(datas.LoadDocumentFile(kSourceDir + "/resources/NolvarLANG.xml"));
}

TEST(LanguageKeys, EveryKeyTheCodeUsesHasATextWithTheFormattedPlaceholders)
{
    QString error;
    const auto modules = readLanguageFile(&error);
    const QList<Use> uses = scanSources();
    ASSERT_FALSE(uses.isEmpty()); // the scan itself works

    QSet<QString> formattedSomewhere;
    for (const Use& use : uses)
        if (use.formattedArgs >= 0)
            formattedSomewhere.insert(use.key.toUpper());

    for (const Use& use : uses) {
        const QString key = use.key.toUpper();
        QStringList allowed = kFolderModules.value(use.folder);
        if (allowed.isEmpty())
            allowed = modules.keys();
        else
            allowed << QStringLiteral("Sarvik");
        bool found = false;
        for (const QString& module : allowed) {
            const auto texts = modules.value(module);
            if (!texts.contains(key))
                continue;
            found = true;
            const QStringList placeholders = LangTextPlaceholders(texts.value(key));
            if (use.formattedArgs >= 0) {
                EXPECT_EQ(placeholders.size(), use.formattedArgs)
                    << key.toStdString() << " in " << module.toStdString()
                    << ": placeholders differ from the arguments in " << use.file.toStdString();
            } else if (!formattedSomewhere.contains(key)) {
                EXPECT_TRUE(placeholders.isEmpty())
                    << key.toStdString() << " in " << module.toStdString()
                    << " has placeholders but is shown unformatted in " << use.file.toStdString();
            }
        }
        EXPECT_TRUE(found) << key.toStdString() << " used in " << use.file.toStdString()
                           << " is missing from NolvarLANG.xml (modules "
                           << allowed.join(",").toStdString() << ")";
    }
}

} // namespace
