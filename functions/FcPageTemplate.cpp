#include "functions/FcPageTemplate.h"

#include "functions/FcDialogIds.h"

namespace kesmond {

unsigned PageTemplateOfFunction(const QString& functionCode)
{
    for (const char* code : {"000027", "000029", "001027", "001029"})
        if (functionCode == QLatin1String(code))
            return IDD_FC_PAGE_AMOUNT;
    for (const char* code : {"000028", "000030", "001028", "001030"})
        if (functionCode == QLatin1String(code))
            return IDD_FC_PAGE_RATE;
    return IDD_FC_PAGE_BASIC;
}

unsigned ChoosePageTemplate(bool hasFunctionProperties, const QString& functionCode)
{
    return hasFunctionProperties ? unsigned(IDD_FC_PAGE_PROPERTIES)
                                 : PageTemplateOfFunction(functionCode);
}

} // namespace kesmond
