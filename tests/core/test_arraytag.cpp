#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>
#include "ka.h"

namespace {

std::string str(const char* s) { return s ? s : "<null>"; }

void* P(int n) { return reinterpret_cast<void*>(static_cast<intptr_t>(n)); }

}  // namespace

TEST(ArrayPtrTag, HandsBackThePointersItNoLongerHolds)
{
    cArrayPtrTag tags;
    EXPECT_EQ(nullptr, tags.set("a", P(1)));
    EXPECT_EQ(nullptr, tags.set("b", P(2)));
    EXPECT_EQ(nullptr, tags.set("c", P(3)));
    EXPECT_EQ(P(1), tags.set("a", P(10)));  // the replaced pointer, for the caller to dispose of

    cArrayPtrTag copy(tags);
    EXPECT_EQ(P(2), tags.remove("b"));
    EXPECT_EQ(nullptr, tags.remove("b"));
    EXPECT_EQ(nullptr, tags.remove(-1));
    EXPECT_EQ(3, copy.count());  // the copy kept items of its own
    EXPECT_NE(tags.name(0), copy.name(0));
    tags = copy;
    tags = tags;
    copy.removeAll();
    EXPECT_EQ(P(3), tags.getPtr("c"));

    cArrayPtrTagItem item;
    item.set("x", P(1));
    cArrayPtrTagItem other(item);
    other.set("y", nullptr);
    EXPECT_EQ("x", str(item.name()));
}

TEST(ArrayTag, FindsWhatAScanFromTheFrontWouldThroughRandomEdits)
{
    // A model kept as a plain list of names, searched from the front.
    const char* pool[] = {nullptr, "", "a", "A", "b", "ab", "ba", "k1", "k2", "k10", "가", "가나"};
    std::mt19937 rng(11);
    cArrayTag tags;
    cArrayPtrTag ptrs;
    std::vector<std::string> model;  // "" stands for the null/empty name
    auto modelFind = [&](const char* name) {
        for (size_t k = 0; k < model.size(); ++k)
            if (model[k] == (name ? name : "")) return static_cast<int>(k);
        return -1;
    };
    for (int step = 0; step < 4000; ++step) {
        SCOPED_TRACE(step);
        const char* name = pool[rng() % 12];
        int at = modelFind(name);
        unsigned op = rng() % 5;
        if (op == 0) {
            EXPECT_EQ(static_cast<int>(model.size()) - (at >= 0), tags.remove(name));
            EXPECT_EQ(at >= 0 ? P(1) : nullptr, ptrs.remove(name));
            if (at >= 0) model.erase(model.begin() + at);
        } else if (op == 1 && step % 50 == 0) {
            tags.removeAll();
            ptrs.removeAll();
            model.clear();
        } else if (op > 1) {
            if (at < 0) model.push_back(name ? name : "");
            EXPECT_EQ(static_cast<int>(model.size()), tags.set(name, "t", 0));
            ptrs.set(name, P(1));
        }
        ASSERT_EQ(static_cast<int>(model.size()), tags.count());
        for (const char* probe : pool) {
            EXPECT_EQ(modelFind(probe), tags.find(probe)) << str(probe);
            EXPECT_EQ(modelFind(probe) >= 0 ? P(1) : nullptr, ptrs.getPtr(probe)) << str(probe);
        }
    }
    cArrayTag copy(tags);
    for (const char* probe : pool) EXPECT_EQ(tags.find(probe), copy.find(probe)) << str(probe);
}
