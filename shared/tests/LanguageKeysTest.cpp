// Every language key the sources use must be in the built language file, in
// the module its code looks it up in, with the placeholders its code formats.
#include "shared/lang/CResourceLangDatas.h"
#include "shared/lang/FormatLangText.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const QString kSourceDir = QStringLiteral(KORVANE_SOURCE_DIR);
const QString kLangFile = QStringLiteral(KORVANE_SUITE_DIR "/NolvarLANG.xml");
const QString kLibraryModule = QStringLiteral("Sarvik");

// The module each folder's code translates from: the library's layers use
// "Sarvik", a program its own module. A program folder missing here fails the
// check below.
const QHash<QString, QString> kFolderModules = {
    {"shared", "Sarvik"},     {"platform", "Sarvik"},  {"stroven", "Sarvik"},
    {"archive", "Sarvik"},    {"launcher", "Tovanel"}, {"goods", "Brelkin"},
    {"functions", "Kesmond"}, {"bases", "Dunmarel"},   {"images", "Pellark"},
    {"monitor", "Mervolt"},
};

// How a key is looked up in a program's code. Window and menu texts
// (SetDialogLangTexts, .ui forms, dialog tables) come from the program's own
// module only; these calls fall back to further modules.
enum class Lookup {
    OwnOnly,     // the program's module
    OwnThenLib,  // GetLangString: the program's module, then "Sarvik"
    LibraryOrder // LoadCommonString: "Sarvik", then every module
};
const QList<std::pair<QString, Lookup>> kLookupCalls = {
    {QStringLiteral("GetLangString"), Lookup::OwnThenLib},
    {QStringLiteral("LoadCommonString"), Lookup::LibraryOrder},
    {QStringLiteral("ShowCommonMessage"), Lookup::LibraryOrder},
    {QStringLiteral("ShowProgramMessage"), Lookup::OwnThenLib},
};

// Calls whose arguments after the text are printf arguments of the key's text.
// A wrapper that takes a key and printf arguments joins this list.
const QStringList kFormattingCalls = {QStringLiteral("FormatLangText")};

const QRegularExpression kKey(QStringLiteral("^(CRD[SCDM]?|CRSS)_[A-Za-z0-9_]*[A-Za-z0-9]$"));

struct Use
{
    QString key;
    QString file;
    QString module;                  // the module of the folder
    Lookup lookup = Lookup::OwnOnly; // how the code looks the key up
    int formattedArgs = -1;          // -1: the text is shown as it stands
};

// Module -> folded key -> text, and the modules in file order.
struct LangFile
{
    QHash<QString, QHash<QString, QString>> modules;
    QStringList order;
    QString error;
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

struct Call
{
    qsizetype open;
    qsizetype close;
    int args;
};

QList<Call> calls(const QString& code, const QString& name)
{
    QList<Call> result;
    const QRegularExpression call(QStringLiteral("\\b%1\\s*\\(").arg(name));
    for (const auto& m : call.globalMatch(code)) {
        const auto [close, args] = callExtent(code, m.capturedEnd() - 1);
        result.append({m.capturedEnd() - 1, close, args});
    }
    return result;
}

void scanFile(const QString& path, const QString& module, QList<Use>* uses)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QString text = QString::fromUtf8(file.readAll());
    if (path.endsWith(QStringLiteral(".ui"))) {
        static const QRegularExpression uiKey(QStringLiteral(">(CRD[SCDM]?_[A-Za-z0-9_]+)<"));
        for (const auto& m : uiKey.globalMatch(text))
            uses->append({m.captured(1), path, module});
        return;
    }
    const QString code = stripComments(text);
    QList<Call> formatting;
    for (const QString& name : kFormattingCalls)
        formatting += calls(code, name);
    QList<std::pair<Call, Lookup>> lookups;
    for (const auto& [name, lookup] : kLookupCalls) {
        for (const Call& call : calls(code, name))
            lookups.append({call, lookup});
    }
    for (const Literal& literal : literals(code)) {
        if (!kKey.match(literal.text).hasMatch())
            continue;
        Use use{literal.text, path, module};
        qsizetype innermost = -1;
        for (const auto& [call, lookup] : lookups) {
            if (literal.pos > call.open && literal.pos < call.close && call.open > innermost) {
                innermost = call.open;
                use.lookup = lookup;
            }
        }
        for (const Call& call : formatting) {
            if (literal.pos > call.open && literal.pos < call.close)
                use.formattedArgs = call.args;
        }
        uses->append(use);
    }
}

// The key uses in the code of every known folder under root (tests use
// made-up keys on purpose and are left out). A program folder (one built by
// korvane_add_program) that has no module in the table is an error.
QList<Use> scanSources(const QString& root, QStringList* errors)
{
    QList<Use> uses;
    const QStringList folders = QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& folder : folders) {
        if (!kFolderModules.contains(folder)) {
            QFile lists(root + u'/' + folder + QStringLiteral("/CMakeLists.txt"));
            if (lists.open(QIODevice::ReadOnly) && lists.readAll().contains("korvane_add_program"))
                errors->append(folder + QStringLiteral(": program folder without a module"));
            continue;
        }
        QDirIterator files(root + u'/' + folder, {"*.cpp", "*.h", "*.ui"}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            if (!path.mid(root.size()).contains(QStringLiteral("/tests/")))
                scanFile(path, kFolderModules.value(folder), &uses);
        }
    }
    return uses;
}

LangFile readLanguageFile(const QString& path)
{
    LangFile lang;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        lang.error = QStringLiteral("cannot open ") + path;
        return lang;
    }
    QXmlStreamReader reader(&file);
    QString module;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == u"module") {
            module = reader.attributes().value("name").toString();
            lang.modules[module]; // a module without texts is still a module
            lang.order.append(module);
        } else if (reader.isStartElement() && reader.name() == u"string") {
            const QString key = reader.attributes().value("id").toString().toUpper();
            const QString text = reader.readElementText(QXmlStreamReader::IncludeChildElements);
            if (lang.modules[module].contains(key))
                lang.error += QStringLiteral("%1 twice in %2; ").arg(key, module);
            lang.modules[module].insert(key, text);
        }
    }
    if (reader.hasError())
        lang.error += reader.errorString();
    return lang;
}

// The modules a lookup tries, in order.
QStringList lookupModules(const Use& use, const LangFile& lang)
{
    if (use.module == kLibraryModule)
        return {kLibraryModule}; // the library's texts live in its own module
    switch (use.lookup) {
    case Lookup::OwnOnly:
        return {use.module};
    case Lookup::OwnThenLib:
        return {use.module, kLibraryModule};
    case Lookup::LibraryOrder: {
        QStringList order = lang.order;
        order.removeAll(kLibraryModule);
        order.prepend(kLibraryModule);
        return order;
    }
    }
    return {};
}

// The placeholders of a text; a percent sign by itself is the sign, a
// label's text that is never formatted.
QStringList TextPlaceholders(const QString& text)
{
    return text == u"%" ? QStringList() : LangTextPlaceholders(text);
}

// What is wrong with the uses against the language file: keys the lookup
// cannot find, and placeholders that differ from the formatted arguments.
QStringList checkUses(const QList<Use>& uses, const LangFile& lang)
{
    QStringList problems;
    QSet<QString> formattedSomewhere;
    for (const Use& use : uses)
        if (use.formattedArgs >= 0)
            formattedSomewhere.insert(use.key.toUpper());

    for (const Use& use : uses) {
        const QString key = use.key.toUpper();
        const QStringList tried = lookupModules(use, lang);
        QString module;
        for (const QString& candidate : tried) {
            if (lang.modules.value(candidate).contains(key)) {
                module = candidate;
                break;
            }
        }
        if (module.isEmpty()) {
            problems << QStringLiteral("%1 used in %2 is in none of the modules it is looked up in "
                                       "(%3)")
                            .arg(key, use.file, tried.join(u','));
            continue;
        }
        const QStringList placeholders = TextPlaceholders(lang.modules.value(module).value(key));
        if (use.formattedArgs >= 0 && placeholders.size() != use.formattedArgs) {
            problems << QStringLiteral("%1 in %2: %3 placeholders, %4 arguments in %5")
                            .arg(key, module)
                            .arg(placeholders.size())
                            .arg(use.formattedArgs)
                            .arg(use.file);
        } else if (use.formattedArgs < 0 && !formattedSomewhere.contains(key) &&
                   !placeholders.isEmpty()) {
            problems << QStringLiteral("%1 in %2 has placeholders but is shown unformatted in %3")
                            .arg(key, module, use.file);
        }
    }
    return problems;
}

std::string joined(const QStringList& lines)
{
    return lines.join(u'\n').toStdString();
}

TEST(LanguageKeys, TheBuiltFileIsWellFormedWithSupportedPlaceholders)
{
    const LangFile lang = readLanguageFile(kLangFile);
    EXPECT_TRUE(lang.error.isEmpty()) << lang.error.toStdString();
    const QStringList expected = {"Sarvik",   "Tovanel", "Brelkin", "Kesmond",
                                  "Dunmarel", "Pellark", "Mervolt", "Wendrath"};
    EXPECT_EQ(lang.order, expected);
    for (auto m = lang.modules.constBegin(); m != lang.modules.constEnd(); ++m) {
        for (auto k = m->constBegin(); k != m->constEnd(); ++k) {
            for (const QString& p : TextPlaceholders(k.value()))
                EXPECT_FALSE(p.startsWith(u'?'))
                    << m.key().toStdString() << " " << k.key().toStdString()
                    << ": unsupported placeholder " << p.toStdString();
        }
    }

    CResourceLangDatas datas; // and our own reader takes it whole
    EXPECT_TRUE(datas.LoadDocumentFile(kLangFile));
}

// The English texts use the ASCII signs: their full-width forms show as empty
// boxes where no East Asian font is installed.
TEST(LanguageKeys, EnglishTextsHoldNoFullWidthSigns)
{
    const LangFile lang = readLanguageFile(kLangFile);
    QStringList wide;
    for (auto m = lang.modules.constBegin(); m != lang.modules.constEnd(); ++m)
        for (auto k = m->constBegin(); k != m->constEnd(); ++k)
            if (std::any_of(k.value().begin(), k.value().end(),
                            [](QChar c) { return c.unicode() >= 0xFF01 && c.unicode() <= 0xFF5E; }))
                wide << m.key() + u'/' + k.key() + u'=' + k.value();
    EXPECT_TRUE(wide.isEmpty()) << joined(wide);
}

// The texts of a language file or fragment in document order, one
// "module/id=text" line each.
QStringList textsInOrder(const QString& path)
{
    QStringList lines;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("cannot open ") + path};
    QXmlStreamReader reader(&file);
    QString module;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (reader.name() == u"module") {
            module = reader.attributes().value("name").toString();
            lines << module + u'/';
        } else if (reader.name() == u"string") {
            const QString id = reader.attributes().value("id").toString();
            lines << module + u'/' + id + u'=' +
                         reader.readElementText(QXmlStreamReader::IncludeChildElements);
        }
    }
    if (reader.hasError())
        lines << reader.errorString();
    return lines;
}

// The built file is the fragments joined, module by module, each with its
// texts as they stand and in their order.
TEST(LanguageKeys, TheBuiltFileJoinsTheFragmentsAsTheyStand)
{
    const LangFile built = readLanguageFile(kLangFile);
    QStringList joinedFragments;
    for (const QString& module : built.order)
        joinedFragments << textsInOrder(kSourceDir +
                                        QStringLiteral("/resources/lang/%1.xml").arg(module));
    EXPECT_EQ(textsInOrder(kLangFile), joinedFragments);
    const QStringList fragments =
        QDir(kSourceDir + QStringLiteral("/resources/lang")).entryList({"*.xml"}, QDir::Files);
    EXPECT_EQ(fragments.size(), built.order.size());
}

TEST(LanguageKeys, EveryKeyTheCodeUsesIsInTheModuleItIsLookedUpIn)
{
    const LangFile lang = readLanguageFile(kLangFile);
    ASSERT_TRUE(lang.error.isEmpty()) << lang.error.toStdString();
    QStringList errors;
    const QList<Use> uses = scanSources(kSourceDir, &errors);
    ASSERT_FALSE(uses.isEmpty()); // the scan itself works
    EXPECT_TRUE(errors.isEmpty()) << joined(errors);
    const QStringList problems = checkUses(uses, lang);
    EXPECT_TRUE(problems.isEmpty()) << joined(problems);
}

// The check itself, on planted code and a planted language file.
TEST(LanguageKeys, TheCheckFindsKeysOutsideTheModuleTheyAreLookedUpIn)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString langPath = root.filePath(QStringLiteral("NolvarLANG.xml"));
    QFile langFile(langPath);
    ASSERT_TRUE(langFile.open(QIODevice::WriteOnly));
    langFile.write(R"(<resources>
  <module name="Sarvik">
    <string id="CRD_OK">OK</string>
    <string id="CRDS_CMN_SAVED">Saved %d</string>
  </module>
  <module name="Tovanel">
    <string id="CRDS_TV_TITLE">Title</string>
  </module>
  <module name="Brelkin">
    <string id="CRDS_BR_ONLY">Goods</string>
  </module>
</resources>
)");
    langFile.close();
    const LangFile lang = readLanguageFile(langPath);

    struct Case
    {
        const char* folder;
        const char* code;
        const char* fault; // the key reported, or "" for none
    };
    const Case cases[] = {
        // A window of a program translates from the program's module only.
        {"launcher", R"(button->setText(QStringLiteral("CRD_OK"));)", "CRD_OK"},
        {"launcher", R"(button->setText(QStringLiteral("CRDS_TV_TITLE"));)", ""},
        // GetLangString falls back to the library's module, and no further.
        {"launcher", R"(label = GetLangString(QStringLiteral("CRD_OK"));)", ""},
        {"launcher", R"(label = GetLangString(QStringLiteral("CRDS_BR_ONLY"));)", "CRDS_BR_ONLY"},
        // LoadCommonString tries "Sarvik", then every module.
        {"launcher", R"(label = LoadCommonString(QStringLiteral("CRDS_BR_ONLY"));)", ""},
        // The library's texts are its own.
        {"shared", R"(label = LoadCommonString(QStringLiteral("CRDS_TV_TITLE"));)",
         "CRDS_TV_TITLE"},
        // Placeholders against the formatted arguments.
        {"shared", R"(t = FormatLangText(LoadCommonString("CRDS_CMN_SAVED"), 1);)", ""},
        {"shared", R"(t = FormatLangText(LoadCommonString("CRDS_CMN_SAVED"), 1, 2);)",
         "CRDS_CMN_SAVED"},
        // Comments are no uses.
        {"launcher", R"(// button->setText("CRDS_BR_ONLY");)", ""},
    };
    int n = 0;
    for (const Case& c : cases) {
        const QString folder = root.filePath(QStringLiteral("src%1/%2").arg(++n).arg(c.folder));
        ASSERT_TRUE(QDir().mkpath(folder));
        QFile source(folder + QStringLiteral("/Planted.cpp"));
        ASSERT_TRUE(source.open(QIODevice::WriteOnly));
        source.write(c.code);
        source.close();
        QStringList errors;
        const QStringList problems =
            checkUses(scanSources(QFileInfo(folder).path(), &errors), lang);
        EXPECT_TRUE(errors.isEmpty()) << joined(errors);
        if (*c.fault) {
            ASSERT_EQ(problems.size(), 1) << c.code << "\n" << joined(problems);
            EXPECT_TRUE(problems.first().startsWith(QLatin1String(c.fault))) << c.code;
        } else {
            EXPECT_TRUE(problems.isEmpty()) << c.code << "\n" << joined(problems);
        }
    }

    // A program folder the table does not know is reported.
    const QString unknown = root.filePath(QStringLiteral("unknown/tills"));
    ASSERT_TRUE(QDir().mkpath(unknown));
    QFile lists(unknown + QStringLiteral("/CMakeLists.txt"));
    ASSERT_TRUE(lists.open(QIODevice::WriteOnly));
    lists.write("korvane_add_program(Tills LIBS Sarvik)\n");
    lists.close();
    QStringList errors;
    scanSources(root.filePath(QStringLiteral("unknown")), &errors);
    EXPECT_EQ(errors.size(), 1) << joined(errors);
}

} // namespace
