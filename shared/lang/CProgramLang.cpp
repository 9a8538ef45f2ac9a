#include "shared/lang/CProgramLang.h"

namespace {

struct ProgramLang
{
    CResourceLangDatas datas;
    QString module;
};

ProgramLang& programLang()
{
    static ProgramLang lang;
    return lang;
}

} // namespace

bool CProgramLang::Initialize(const QString& module, const QString& path)
{
    ProgramLang& lang = programLang();
    lang.module = module;
    lang.datas.ReleaseDocumentDatas();
    return lang.datas.LoadDocumentFile(path);
}

void CProgramLang::Release()
{
    programLang().datas.ReleaseDocumentDatas();
}

QString CProgramLang::ModuleName()
{
    return programLang().module;
}

const CResourceLangDatas& CProgramLang::LangDatas()
{
    return programLang().datas;
}

QString GetLangString(const QString& key)
{
    const ProgramLang& lang = programLang();
    const QString text = lang.datas.LoadResString(lang.module, key);
    return text.isEmpty() ? lang.datas.LoadResString(QStringLiteral("Sarvik"), key) : text;
}

void SetDialogLangTexts(QWidget* window)
{
    programLang().datas.SetWinLangTextAllChildren(programLang().module, window);
}

void SetMenuLangTexts(QWidget* menu)
{
    programLang().datas.SetMenuLangTextAllChildren(programLang().module, menu);
}
