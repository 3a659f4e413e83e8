#include <gtest/gtest.h>

#include "app/Error.h"
#include "app/RowTable.h"

using namespace lumora;

TEST(RowTable, AddressesCellsByColumnSubItemAndCaption)
{
    RowTable t({QStringLiteral("模板类型"), QStringLiteral("模板分类"), QStringLiteral("相片数量")});
    t.append(QStringLiteral("A"), {QStringLiteral("x"), QStringLiteral("2")});
    EXPECT_EQ(t.cell(0, 0), "A");
    EXPECT_EQ(t.cell(0, 1), "x");
    EXPECT_EQ(t[0].subItem(1), "2");
    EXPECT_EQ(t.cell(0, QStringLiteral("相片数量")), "2");
    EXPECT_EQ(t[0].subItem(7), ""); // absent cells read empty
    t.setCell(0, 5, QStringLiteral("far")); // writing past the end grows the row
    EXPECT_EQ(t[0].subItemCount(), 5);
    EXPECT_EQ(t[0].subItem(4), "far");
    EXPECT_THROW(t.cell(0, QStringLiteral("没有")), Error);
}

TEST(RowTable, RowReferencesAreRenumberedAfterADeletion)
{
    // A table whose column 1 references rows of another table; row 2 of that table is deleted.
    RowTable refs;
    for (const char *r : {"0", "2", "3", "2", "5", "wu"})
        refs.append(QStringLiteral("r"), {QString::fromLatin1(r)});
    const int removed = rowref::removeReferencing(refs, 1, 2);
    EXPECT_EQ(removed, 2);
    QStringList after;
    for (const Row &r : refs)
        after << r.subItem(0);
    EXPECT_EQ(after, (QStringList{"0", "2", "4", "wu"}));

    struct Case {
        const char *ref;
        int deleted;
        const char *expected;
    };
    for (const Case &c : {Case{"4", 2, "3"}, Case{"2", 2, "2"}, Case{"1", 2, "1"}, Case{"x", 0, "x"}})
        EXPECT_EQ(rowref::afterDelete(QString::fromLatin1(c.ref), c.deleted), QString::fromLatin1(c.expected)) << c.ref;
}
