#include "shared/data/AllocTCHARArray.h"
#include "shared/data/CStringArrayPtrArray.h"
#include "shared/data/CStringArrayPtrList.h"

#include <gtest/gtest.h>

namespace {

struct Probe
{
    explicit Probe(int& deaths) : m_deaths(deaths) {}
    ~Probe() { ++m_deaths; }
    int& m_deaths;
};

} // namespace

TEST(CMemFreePtrArray, DeletesMembersOnlyWhenItOwnsThem)
{
    int deaths = 0;
    auto* shared = new Probe(deaths);
    {
        CMemFreePtrArray<Probe> owning;
        owning.SetAutoDeleteMember(1);
        owning.Add(new Probe(deaths));
        owning.Add(nullptr);
        owning.Add(shared);
        owning.Add(shared); // listed twice, deleted once
        owning.RemoveAllIncludeMember();
        EXPECT_EQ(owning.GetSize(), 0);
        EXPECT_EQ(deaths, 2);
        owning.Add(new Probe(deaths)); // the destructor deletes what is left
    }
    EXPECT_EQ(deaths, 3);

    Probe kept(deaths);
    {
        CMemFreePtrArray<Probe> borrowing; // auto-delete is off by default
        EXPECT_EQ(borrowing.GetAutoDeleteMember(), 0);
        borrowing.Add(&kept);
        borrowing.RemoveAllIncludeMember();
        EXPECT_TRUE(borrowing.IsEmpty());
        borrowing.Add(&kept);
    }
    EXPECT_EQ(deaths, 3);
}

TEST(CStringArrayPtrArray, RowsAreDeletedOnlyWithAutoDelete)
{
    CRecord borrowed{"0002", "Pear"};
    {
        CStringArrayPtrArray records; // a record cache: the rows are not its own
        records.Add(&borrowed);
        records.RemoveAllIncludeMember();
        EXPECT_EQ(records.GetSize(), 0);
        records.Add(&borrowed);
    }
    EXPECT_EQ(borrowed, (QStringList{"0002", "Pear"}));

    {
        CStringArrayPtrArray candidates; // owns its rows (a leak shows under valgrind)
        candidates.SetAutoDeleteMember(1);
        candidates.Add(new CRecord{"0001", "Apple"});
        candidates.RemoveAllIncludeMember();
        EXPECT_EQ(candidates.GetSize(), 0);
        candidates.Add(new CRecord{"0001", "Apple"});
    }
}

TEST(CStringArrayPtrArray, TypedAccessStaysInside)
{
    CRecord a{"a"}, b{"b"}, c{"c"};
    CStringArrayPtrArray rows;
    EXPECT_EQ(rows.Add(&a), 0);
    EXPECT_EQ(rows.Add(&c), 1);
    rows.InsertAt(1, &b);
    EXPECT_EQ(rows.GetAt(1), &b);
    EXPECT_EQ(rows.GetAt(3), nullptr);
    EXPECT_EQ(rows.GetAt(-1), nullptr);
    rows.SetAt(7, &a); // ignored
    rows.RemoveAt(0, 10);
    EXPECT_EQ(rows.GetSize(), 0);
}

TEST(CStringArrayPtrList, NeverDeletesItsRows)
{
    QStringList first{"1"}, second{"2"};
    {
        CStringArrayPtrList list;
        list.AddTail(&second);
        list.AddHead(&first);
        EXPECT_EQ(list.GetCount(), 2);
        EXPECT_EQ(list.GetHead(), &first);
        EXPECT_EQ(list.GetTail(), &second);
        EXPECT_EQ(list.GetAt(2), nullptr);
        QStringList seen;
        for (const QStringList* row : list)
            seen += *row;
        EXPECT_EQ(seen, (QStringList{"1", "2"}));
    }
    EXPECT_EQ(first, QStringList{"1"});
    EXPECT_EQ(CStringArrayPtrList().GetHead(), nullptr);
}

TEST(CStringArrayPtrList, InsertsAndTakesByIndex)
{
    QStringList a{"a"}, b{"b"}, c{"c"}, d{"d"};
    CStringArrayPtrList list;
    list.InsertAt(0, &b);
    list.InsertAt(0, &a);
    list.InsertAt(7, &d); // past the end: the tail
    list.InsertAt(2, &c);
    QStringList seen;
    for (const QStringList* row : list)
        seen += *row;
    EXPECT_EQ(seen, (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(list.TakeAt(1), &b);
    EXPECT_EQ(list.TakeAt(3), nullptr);
    EXPECT_EQ(list.TakeAt(-1), nullptr);
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_EQ(b, QStringList{"b"}); // taken, not deleted
}

TEST(AllocTCHARArray, PointsIntoTheListAndEndsWithNull)
{
    const QStringList names{"CSB002", "", "CIA001"};
    const auto array = AllocTCHARArray(&names);
    ASSERT_TRUE(array);
    for (qsizetype i = 0; i < names.size(); ++i)
        EXPECT_EQ(array[i], &names.at(i)); // not copied
    EXPECT_EQ(array[names.size()], nullptr);

    const auto none = AllocTCHARArray(nullptr);
    ASSERT_TRUE(none);
    EXPECT_EQ(none[0], nullptr);
}
