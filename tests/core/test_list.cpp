#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>
#include "ka.h"

namespace {

using Ptrs = std::vector<void*>;

void* P(int n) { return reinterpret_cast<void*>(static_cast<intptr_t>(n)); }

Ptrs contents(const cLL& list)
{
    Ptrs out;
    for (int i = 0; i < list.count(); ++i) out.push_back(list.data(i));
    return out;
}

// The same contents, read by the walker that loops over long lists use.
Ptrs walked(const cLL& list)
{
    Ptrs out;
    for (cLLWalker walk(list); walk.more();) out.push_back(walk.next());
    return out;
}

std::string str(const char* s) { return s ? s : "<null>"; }

}  // namespace

TEST(LinkedList, FollowsAVectorThroughRandomEdits)
{
    // Every edit checks the whole list both ways: inserts in front of an item and
    // removals rely on the prev links as much as on the next links. Positions past
    // the end and negative ones append.
    std::mt19937 rng(7);
    cLL list;
    Ptrs model;
    for (int step = 0; step < 3000; ++step) {
        SCOPED_TRACE(step);
        int n = static_cast<int>(model.size());
        int i = static_cast<int>(rng() % (n + 3)) - 1;
        void* p = P(step + 1);
        bool inside = i >= 0 && i < n;
        switch (rng() % 4) {
        case 0:
            EXPECT_EQ(inside ? i : n, list.insert(i, p));
            model.insert(inside ? model.begin() + i : model.end(), p);
            break;
        case 1:
            EXPECT_EQ(n, list.append(p));
            model.push_back(p);
            break;
        default:
            EXPECT_EQ(inside ? n - 1 : -1, list.remove(i));
            if (inside) model.erase(model.begin() + i);
        }
        ASSERT_EQ(model, contents(list));
        ASSERT_EQ(model, walked(list));
        // Inserting in front of the tail goes through the tail's prev link.
        if (!model.empty()) {
            int last = static_cast<int>(model.size()) - 1;
            EXPECT_EQ(last, list.insert(last, P(-1)));
            EXPECT_EQ(model.back(), list.data(last + 1));
            EXPECT_EQ(last + 1, list.remove(last));
        }
    }
    cLL copy(list);
    list.removeAll();  // the copy must not lean on the original's items
    EXPECT_EQ(model, contents(copy));
}

TEST(TagItem, OwnsCopiesAndKeepsEmptyTextsNull)
{
    cTagItem item;
    char name[] = "key";
    EXPECT_TRUE(item.set(name, "", 5));
    name[0] = 'X';  // the item holds its own copy
    EXPECT_EQ("key", str(item.name()));
    EXPECT_EQ(nullptr, item.string());

    // Its own texts may be passed back in.
    EXPECT_TRUE(item.set("k", "text", 1));
    EXPECT_TRUE(item.set(item.string(), item.name(), item.value() + 1));
    EXPECT_EQ("text", str(item.name()));
    EXPECT_EQ("k", str(item.string()));

    cTagItem copy(item), other;
    other = copy;
    copy.set("changed", nullptr, 0);
    EXPECT_EQ("k", str(other.string()));
}
