#include <string>
#include "sysfixture.h"

namespace {

TEST(ModuleRecords, ModuleRecordsCopyEveryField)
{
    cDLL a;
    a.module = GetModuleHandleA(nullptr);
    a.values.append(7);
    a.values.append(8);
    cDLL b(a);
    a.values.replace(0, 70);
    EXPECT_EQ(b.module, a.module);
    ASSERT_EQ(b.values.count(), 2);
    EXPECT_EQ(b.values[0], 7);
    cDLL c;
    c = a;
    EXPECT_EQ(c.values[0], 70);

    cProcItem p;
    p.first = 1;
    p.second = 2;
    p.name = "proc";
    cProcItem q(p);
    p.name = "changed";
    EXPECT_EQ(q.first, 1u);
    EXPECT_EQ(q.second, 2u);
    EXPECT_EQ(str(q.name), "proc");
}

}  // namespace
