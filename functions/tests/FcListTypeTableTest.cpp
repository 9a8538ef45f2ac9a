#include "functions/FcListTypeTable.h"

#include "FcDbFixture.h"

namespace kesmond {
namespace {

using FcListTypeTableTest = FcDbFixture;

TEST_F(FcListTypeTableTest, CodesPerLayoutAndNamesByKey)
{
    const QStringList names = {GetLangString(QStringLiteral("CRDS_FC_FUNCLISTTYPE_CHECK")),
                               GetLangString(QStringLiteral("CRDS_FC_FUNCLISTTYPE_ITEM")),
                               GetLangString(QStringLiteral("CRDS_FC_FUNCLISTTYPE_PAYMENT"))};
    for (const QString& name : names)
        EXPECT_FALSE(name.isEmpty());
    for (const bool newLayout : {false, true}) {
        SCOPED_TRACE(newLayout);
        const std::vector<FcListType> types = FcListTypes(newLayout);
        ASSERT_EQ(types.size(), 3u);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(types[i].code, QString::number((newLayout ? 0 : 3) + i));
            EXPECT_EQ(types[i].text, names[i]);
            EXPECT_TRUE(types[i].listId.isEmpty());
        }
    }
}

} // namespace
} // namespace kesmond
