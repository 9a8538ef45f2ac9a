// Every language key the sources use must be in the built language file, in
// the module its code looks it up in, with the placeholders its code formats.
#include "shared/lang/CResourceLangDatas.h"
#include "shared/lang/FormatLangText.h"
#include "shared/textfiles/CTextFileError.h"

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
    {QStringLiteral("ShowProgramMessageText"), Lookup::OwnThenLib},
};

// Calls that format the text of their key argument with the printf arguments
// from firstArg on. A wrapper that takes a key and printf arguments joins this
// list.
struct FormattingCall
{
    QString name;
    int keyArg;   // the argument that holds the key (or its text)
    int firstArg; // the first printf argument
};
const QList<FormattingCall> kFormattingCalls = {
    {QStringLiteral("FormatLangText"), 0, 1},
    {QStringLiteral("ShowProgramMessage"), 1, 4},
    {QStringLiteral("ShowCommonMessage"), 1, 4},
};

const QRegularExpression kKey(QStringLiteral("^(CRD[SCDM]?|CRSS)_[A-Za-z0-9_]*[A-Za-z0-9]$"));

struct Use
{
    QString key;
    QString file;
    QString module;                  // the module of the folder
    Lookup lookup = Lookup::OwnOnly; // how the code looks the key up
    bool shown = false;              // looked up or formatted here (else held as data)
    int formattedArgs = -1;          // -1: the text is shown as it stands
    QStringList argKinds;            // per argument: "d" a number, "s" a text, "" unknown
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

// From the "(" at open: the index of the matching ")" and the index of the
// "(" or "," before each argument.
std::pair<qsizetype, QList<qsizetype>> callExtent(const QString& code, qsizetype open)
{
    int depth = 0;
    QList<qsizetype> commas = {open};
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
            commas.append(i);
        }
    }
    return {code.size(), commas};
}

struct Call
{
    qsizetype open;
    qsizetype close;
    QList<qsizetype> starts; // the "(" or "," before each argument

    int args() const { return int(starts.size()); }
    // Whether pos lies inside argument n.
    bool inArg(qsizetype pos, int n) const
    {
        return n < args() && pos > starts[n] && pos < (n + 1 < args() ? starts[n + 1] : close);
    }
    QString arg(const QString& code, int n) const
    {
        const qsizetype end = n + 1 < args() ? starts[n + 1] : close;
        return code.mid(starts[n] + 1, end - starts[n] - 1).trimmed();
    }
};

// What a printf argument is, where its text shows it: "d" a number literal,
// "s" a text literal, "" anything else (its type is the compiler's to know).
QString argKind(const QString& arg)
{
    static const QRegularExpression number(QStringLiteral("^-?[0-9]+[uUlL]*$"));
    static const QRegularExpression text(
        QStringLiteral("^(QStringLiteral\\(|QLatin1String\\(|u?\")"));
    if (number.match(arg).hasMatch())
        return QStringLiteral("d");
    if (text.match(arg).hasMatch())
        return QStringLiteral("s");
    return QString();
}

QList<Call> calls(const QString& code, const QString& name)
{
    QList<Call> result;
    const QRegularExpression call(QStringLiteral("\\b%1\\s*\\(").arg(name));
    for (const auto& m : call.globalMatch(code)) {
        const auto [close, starts] = callExtent(code, m.capturedEnd() - 1);
        result.append({m.capturedEnd() - 1, close, starts});
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
        for (const auto& m : uiKey.globalMatch(text)) {
            Use use;
            use.key = m.captured(1);
            use.file = path;
            use.module = module;
            use.shown = true; // a window text
            uses->append(use);
        }
        return;
    }
    const QString code = stripComments(text);
    QList<std::pair<Call, FormattingCall>> formatting;
    for (const FormattingCall& kind : kFormattingCalls) {
        for (const Call& call : calls(code, kind.name))
            formatting.append({call, kind});
    }
    QList<std::pair<Call, Lookup>> lookups;
    for (const auto& [name, lookup] : kLookupCalls) {
        for (const Call& call : calls(code, name))
            lookups.append({call, lookup});
    }
    for (const Literal& literal : literals(code)) {
        if (!kKey.match(literal.text).hasMatch())
            continue;
        Use use;
        use.key = literal.text;
        use.file = path;
        use.module = module;
        qsizetype innermost = -1;
        for (const auto& [call, lookup] : lookups) {
            if (literal.pos > call.open && literal.pos < call.close && call.open > innermost) {
                innermost = call.open;
                use.lookup = lookup;
                use.shown = true;
            }
        }
        for (const auto& [call, kind] : formatting) {
            if (!call.inArg(literal.pos, kind.keyArg))
                continue;
            use.shown = true;
            use.formattedArgs = std::max(0, call.args() - kind.firstArg);
            use.argKinds.clear();
            for (int n = kind.firstArg; n < call.args(); ++n)
                use.argKinds << argKind(call.arg(code, n));
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

// The arguments whose literal kind does not fit their placeholder: a text
// given to a numeric conversion, a number given to %s.
QString kindMismatch(const QStringList& placeholders, const QStringList& kinds)
{
    QStringList wrong;
    for (qsizetype n = 0; n < kinds.size() && n < placeholders.size(); ++n) {
        const QString& kind = kinds[n];
        const bool text = placeholders[n].compare(QStringLiteral("s"), Qt::CaseInsensitive) == 0;
        if ((kind == u"s" && !text) || (kind == u"d" && text))
            wrong << QStringLiteral("argument %1 is %2 for %%3")
                         .arg(n + 1)
                         .arg(kind, placeholders[n]);
    }
    return wrong.join(QStringLiteral(", "));
}

// Keys held as data, formatted where the code that shows them looks them up
// in a table: key -> the kind of each argument ("d" a number, "s" a text).
using DataFormats = QHash<QString, QStringList>;

// The table the text-file errors are formatted from, as their code formats
// them.
DataFormats textFileErrorFormats()
{
    DataFormats formats;
    const CTextFileError error;
    for (const TextFileErrorFormat& format : TextFileErrorFormats()) {
        QStringList& kinds = formats[QString::fromLatin1(format.key).toUpper()];
        for (const TextFileErrorArg arg : format.args)
            kinds << (error.ArgValue(arg).kind() == LangTextArg::Kind::Text ? QStringLiteral("s")
                                                                            : QStringLiteral("d"));
    }
    return formats;
}

// The module a use finds its key in, or "" when none of those it tries has it.
QString foundModule(const Use& use, const LangFile& lang)
{
    for (const QString& candidate : lookupModules(use, lang))
        if (lang.modules.value(candidate).contains(use.key.toUpper()))
            return candidate;
    return QString();
}

// What is wrong with the uses against the language file: keys the lookup
// cannot find, and placeholders that differ from the formatted arguments. A
// key held as data (compared, stored, passed on) is checked against the table
// that formats it, and one the table does not list is shown as it stands.
QStringList checkUses(const QList<Use>& uses, const LangFile& lang, const DataFormats& tables = {})
{
    QList<Use> checked = uses;
    for (auto it = tables.constBegin(); it != tables.constEnd(); ++it) {
        Use use;
        use.key = it.key();
        use.file = QStringLiteral("the table of formatted data keys");
        use.module = kLibraryModule;
        use.lookup = Lookup::LibraryOrder;
        use.shown = true;
        use.formattedArgs = int(it.value().size());
        use.argKinds = it.value();
        checked.append(use);
    }

    QStringList problems;
    for (const Use& use : checked) {
        const QString key = use.key.toUpper();
        const QString module = foundModule(use, lang);
        if (module.isEmpty()) {
            problems << QStringLiteral("%1 used in %2 is in none of the modules it is looked up in "
                                       "(%3)")
                            .arg(key, use.file, lookupModules(use, lang).join(u','));
            continue;
        }
        const QStringList placeholders = TextPlaceholders(lang.modules.value(module).value(key));
        const bool formattedFromTable = !use.shown && tables.contains(key);
        if (use.formattedArgs >= 0 && placeholders.size() != use.formattedArgs) {
            problems << QStringLiteral("%1 in %2: %3 placeholders, %4 arguments in %5")
                            .arg(key, module)
                            .arg(placeholders.size())
                            .arg(use.formattedArgs)
                            .arg(use.file);
        } else if (use.formattedArgs < 0 && !placeholders.isEmpty() && use.shown) {
            problems << QStringLiteral("%1 in %2 has placeholders but is shown unformatted in %3")
                            .arg(key, module, use.file);
        } else if (use.formattedArgs < 0 && !placeholders.isEmpty() && !formattedFromTable) {
            problems << QStringLiteral("%1 in %2 has placeholders but is held as data in %3 and "
                                       "no table formats it")
                            .arg(key, module, use.file);
        } else if (const QString kinds = kindMismatch(placeholders, use.argKinds);
                   !kinds.isEmpty()) {
            problems << QStringLiteral("%1 in %2: %3 in %4").arg(key, module, kinds, use.file);
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
    const QStringList problems = checkUses(uses, lang, textFileErrorFormats());
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
        const char* fault;       // the key reported, or "" for none
        DataFormats tables = {}; // the keys held as data that a table formats
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
        // A key formatted in one place is still checked where it is shown as it stands.
        {"shared",
         R"(t = FormatLangText(LoadCommonString("CRDS_CMN_SAVED"), 1);
            label = LoadCommonString("CRDS_CMN_SAVED");)",
         "CRDS_CMN_SAVED"},
        // A key held as data is formatted from a table, or shown as it stands.
        {"shared",
         R"(if (id == u"CRDS_CMN_SAVED") t = FormatLangText(LoadCommonString("CRDS_CMN_SAVED"), n);)",
         "CRDS_CMN_SAVED"},
        {"shared",
         R"(error.m_strKey = QStringLiteral("CRDS_CMN_SAVED");)",
         "",
         {{"CRDS_CMN_SAVED", {"d"}}}},
        {"shared",
         R"(error.m_strKey = QStringLiteral("CRDS_CMN_SAVED");)",
         "CRDS_CMN_SAVED",
         {{"CRDS_CMN_SAVED", {"d", "d"}}}},
        {"shared",
         R"(error.m_strKey = QStringLiteral("CRDS_CMN_SAVED");)",
         "CRDS_CMN_SAVED",
         {{"CRDS_CMN_SAVED", {"s"}}}},
        // ... and every key of the table is in the library's module.
        {"shared",
         R"(error.m_strKey = QStringLiteral("CRD_OK");)",
         "CRDS_CMN_GONE",
         {{"CRDS_CMN_GONE", {}}}},
        // A table does not make a key shown as it stands right.
        {"shared",
         R"(label = LoadCommonString("CRDS_CMN_SAVED");)",
         "CRDS_CMN_SAVED",
         {{"CRDS_CMN_SAVED", {"d"}}}},
        // A message's arguments after its buttons are the key's printf arguments.
        {"launcher", R"(ShowProgramMessage(this, "CRDS_CMN_SAVED", icon, buttons, count);)", ""},
        {"launcher", R"(ShowProgramMessage(this, QStringLiteral("CRDS_CMN_SAVED"), icon);)",
         "CRDS_CMN_SAVED"},
        {"shared", R"(ShowCommonMessage(this, "CRDS_CMN_SAVED", icon, buttons, 1, 2);)",
         "CRDS_CMN_SAVED"},
        // ... of the kind their placeholders take, where the call shows it.
        {"launcher", R"(ShowProgramMessage(this, "CRDS_CMN_SAVED", icon, buttons, u"x"_s);)",
         "CRDS_CMN_SAVED"},
        // A key among the arguments is no formatted key.
        {"launcher",
         R"(ShowProgramMessage(this, "CRDS_CMN_SAVED", icon, buttons,
                               GetLangString("CRDS_TV_TITLE"));)",
         ""},
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
            checkUses(scanSources(QFileInfo(folder).path(), &errors), lang, c.tables);
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
