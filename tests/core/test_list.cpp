#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>
#include "ka.h"

namespace {

void* P(int n) { return reinterpret_cast<void*>(static_cast<intptr_t>(n)); }

std::vector<void*> contents(const cLL& list)
{
    std::vector<void*> out;
    for (int i = 0; i < list.count(); ++i) out.push_back(list.data(i));
    return out;
}

// The same contents, read by the walker that loops over long lists use.
std::vector<void*> walked(const cLL& list)
{
    std::vector<void*> out;
    for (cLLWalker walk(list); walk.more();) out.push_back(walk.next());
    return out;
}

std::string str(const char* s) { return s ? s : "<null>"; }

}  // namespace

TEST(LinkedList, RelinksAtHeadMiddleAndTail)
{
    cLL list;
    EXPECT_EQ(0, list.insert(0, P(1)));  // on an empty list insert appends
    EXPECT_EQ(1, list.append(P(2)));
    EXPECT_EQ(2, list.append(P(3)));
    EXPECT_EQ(0, list.insert(0, P(0)));  // new head
    EXPECT_EQ(2, list.insert(2, P(9)));  // middle
    EXPECT_EQ((std::vector<void*>{P(0), P(1), P(9), P(2), P(3)}), contents(list));

    // Positions past the end, and negative ones, append.
    EXPECT_EQ(5, list.insert(7, P(4)));
    EXPECT_EQ(6, list.insert(-1, P(5)));

    EXPECT_EQ(6, list.remove(2));  // middle: its neighbours are joined
    EXPECT_EQ(5, list.remove(0));  // head
    EXPECT_EQ(4, list.remove(4));  // tail
    EXPECT_EQ((std::vector<void*>{P(1), P(2), P(3), P(4)}), contents(list));
    // The new tail and head carry the links on: append and insert at both ends again.
    EXPECT_EQ(4, list.append(P(7)));
    EXPECT_EQ(4, list.insert(4, P(6)));
    EXPECT_EQ(0, list.insert(0, P(0)));
    EXPECT_EQ((std::vector<void*>{P(0), P(1), P(2), P(3), P(4), P(6), P(7)}), contents(list));

    EXPECT_EQ(-1, list.remove(7));
    EXPECT_EQ(-1, list.remove(-1));
    EXPECT_EQ(-1, list.change(7, P(1)));
    EXPECT_EQ(-1, list.change(-1, P(1)));
    EXPECT_EQ(nullptr, list.data(7));
    EXPECT_EQ(nullptr, list.data(-1));
    EXPECT_EQ(3, list.change(3, P(33)));
    EXPECT_EQ(P(33), list.data(3));

    cLL one;
    one.append(P(1));
    EXPECT_EQ(0, one.remove(0));  // the only item: the list is empty again
    EXPECT_EQ(0, one.count());
    EXPECT_EQ(nullptr, one.data(0));
    EXPECT_EQ(0, one.append(P(2)));
    EXPECT_EQ(0, one.insert(0, P(1)));
    EXPECT_EQ((std::vector<void*>{P(1), P(2)}), contents(one));

    list.removeAll();
    EXPECT_EQ(0, list.count());
    EXPECT_EQ(0, list.append(P(8)));
    EXPECT_EQ(P(8), list.data(0));
}

TEST(LinkedList, FollowsAVectorThroughRandomEdits)
{
    // Every edit checks the whole list both ways: inserts in front of an item and
    // removals rely on the prev links as much as on the next links.
    std::mt19937 rng(7);
    cLL list;
    std::vector<void*> model;
    for (int step = 0; step < 3000; ++step) {
        SCOPED_TRACE(step);
        int n = static_cast<int>(model.size());
        int i = static_cast<int>(rng() % (n + 3)) - 1;
        void* p = P(step + 1);
        switch (rng() % 4) {
        case 0: {
            int at = list.insert(i, p);
            if (i >= 0 && i < n) {
                EXPECT_EQ(i, at);
                model.insert(model.begin() + i, p);
            } else {
                EXPECT_EQ(n, at);
                model.push_back(p);
            }
            break;
        }
        case 1:
            EXPECT_EQ(n, list.append(p));
            model.push_back(p);
            break;
        default:
            if (i >= 0 && i < n) {
                EXPECT_EQ(n - 1, list.remove(i));
                model.erase(model.begin() + i);
            } else {
                EXPECT_EQ(-1, list.remove(i));
            }
        }
        ASSERT_EQ(model, contents(list));
        ASSERT_EQ(model, walked(list));
        // Inserting in front of the tail goes through the tail's prev link.
        if (!model.empty()) {
            int last = static_cast<int>(model.size()) - 1;
            EXPECT_EQ(last, list.insert(last, P(-1)));
            EXPECT_EQ(P(-1), list.data(last));
            EXPECT_EQ(model.back(), list.data(last + 1));
            EXPECT_EQ(last + 1, list.remove(last));
        }
    }
}

TEST(LinkedList, WalkerStopsAtTheTailNotAtANullPointer)
{
    cLL list;
    EXPECT_FALSE(cLLWalker(list).more());
    list.append(P(1));
    list.append(nullptr);
    list.append(P(3));
    EXPECT_EQ((std::vector<void*>{P(1), nullptr, P(3)}), walked(list));
}

TEST(LinkedList, CopiesHaveItemsOfTheirOwn)
{
    cLL a;
    for (int k = 0; k < 4; ++k) a.append(P(k));
    cLL b(a);
    b.change(0, P(10));
    b.remove(3);
    EXPECT_EQ((std::vector<void*>{P(0), P(1), P(2), P(3)}), contents(a));
    EXPECT_EQ((std::vector<void*>{P(10), P(1), P(2)}), contents(b));

    cLL c;
    c.append(P(99));
    c = a;
    a.removeAll();  // c must not lean on a's items
    EXPECT_EQ((std::vector<void*>{P(0), P(1), P(2), P(3)}), contents(c));
    c = c;
    EXPECT_EQ(4, c.count());
    c = a;
    EXPECT_EQ(0, c.count());
    EXPECT_EQ(0, c.append(P(5)));
}

TEST(TagItem, OwnsCopiesAndKeepsEmptyTextsNull)
{
    cTagItem item;
    EXPECT_EQ(nullptr, item.name());
    EXPECT_EQ(nullptr, item.string());
    EXPECT_EQ(0, item.value());

    char name[] = "key";
    EXPECT_TRUE(item.set(name, "", 5));
    name[0] = 'X';  // the item holds its own copy
    EXPECT_EQ("key", str(item.name()));
    EXPECT_EQ(nullptr, item.string());
    EXPECT_EQ(5, item.value());

    // Its own texts may be passed back in.
    EXPECT_TRUE(item.set("k", "text", 1));
    EXPECT_TRUE(item.set(item.string(), item.name(), item.value() + 1));
    EXPECT_EQ("text", str(item.name()));
    EXPECT_EQ("k", str(item.string()));
    EXPECT_EQ(2, item.value());

    cTagItem copy(item);
    EXPECT_NE(item.name(), copy.name());
    EXPECT_EQ("text", str(copy.name()));
    cTagItem other;
    other = copy;
    copy.set("changed", nullptr, 0);
    EXPECT_EQ("k", str(other.string()));
    EXPECT_EQ(2, other.value());
    other = other;
    EXPECT_EQ("text", str(other.name()));

    EXPECT_TRUE(other.set(nullptr));
    EXPECT_EQ(nullptr, other.name());
    EXPECT_EQ(nullptr, other.string());
    EXPECT_EQ(0, other.value());
}
