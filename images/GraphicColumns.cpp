#include "images/GraphicColumns.h"

#include "images/GraphicTypes.h"

#include "shared/data/CColumnDataDef.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CColumnDataStaticCombo.h"

#include <iterator>
#include <memory>

namespace pellark {

namespace {

struct GraphicColumns
{
    GraphicColumns()
    {
        for (const GraphicType& type : kGraphicTypes)
            items[count++] = {type.code, type.nameKey};
        code = std::make_unique<CColumnDataStaticCombo>(QStringLiteral("GRAPHICCODE"),
                                                        QStringLiteral("CRDS_IM_CLMN_GRAPHICTYPE"),
                                                        0, 0, items, count, 0, 6);
        fileName = std::make_unique<CColumnDataDef>(
            QStringLiteral("FILENAME"), QStringLiteral("CRDS_IM_CLMN_FILENAME"), 0, 0, QString());
        created = std::make_unique<CColumnData>(QStringLiteral("CREATEDATETIME"), QString(), 0, 0);
        updated = std::make_unique<CColumnData>(QStringLiteral("UPDATEDATETIME"), QString(), 0, 0);
        columns[0] = code.get();
        columns[1] = fileName.get();
        columns[2] = created.get();
        columns[3] = updated.get();
        columns[4] = nullptr;
        list = std::make_unique<CColumnDataList>(QStringLiteral("CSB008"), columns);
    }

    tagCLMSTRITEM items[std::size(kGraphicTypes)] = {};
    int count = 0;
    std::unique_ptr<CColumnData> code, fileName, created, updated;
    CColumnData* columns[5] = {};
    std::unique_ptr<CColumnDataList> list;
};

} // namespace

CColumnDataList& GraphicColumnList()
{
    static GraphicColumns table;
    return *table.list;
}

} // namespace pellark
